#pragma once

#include "MyFrame.h"

class QToolButton;

// "Сведения о декларанте": the name and document sub-page and the address
// sub-page, one at a time.
class TfrPersonData : public TThinkingFrame {
    Q_OBJECT
public:
    TfrPersonData(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;
    void ShowFinding(int pageCode, int position) override;

    // 0 the name sub-page, 1 the address sub-page.
    int currentIndex() const { return index_; }
    TThinkingFrame* currentSubPage() const { return sub_; }
    // A click on a sub-page button.
    void subPageClicked(int index);
    // Puts the sub-page on screen without storing or checking the one there.
    void showSubPage(int index);

    QToolButton* fbPersonNaim;
    QToolButton* fbPersonAddress;

private:
    QWidget* area_;
    TThinkingFrame* sub_ = nullptr;
    int index_ = -1;
};
