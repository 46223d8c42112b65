#pragma once

#include "MyFrame.h"

// A page whose input is not built yet: it says so, stores and checks nothing.
class TfrPlaceholder : public TThinkingFrame {
    Q_OBJECT
public:
    TfrPlaceholder(TPageHost& host, QWidget* parent, const QString& caption);
    void StoreToModel() override {}
    int CheckPage() override { return 0; }
    void FocusField(int) override {}
};
