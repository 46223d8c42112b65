#include "MyFrame.h"

TThinkingFrame::TThinkingFrame(TPageHost& host, QWidget* parent) : QFrame(parent), host_(host) {}

void TThinkingFrame::ShowFinding(int, int position) {
    FocusField(position);
}

mTDeclaration& TThinkingFrame::declaration() const {
    return host_.declaration();
}
