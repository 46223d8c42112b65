#pragma once

#include "ui/MyFrame.h"

#include <array>

class QToolButton;

// "Вычеты": one deduction sub-page at a time under a bar of four buttons.
class TfrFrameDeductData : public TThinkingFrame {
    Q_OBJECT
public:
    // The sub-pages in the order of their buttons.
    enum SubPage { Standard = 0, Property = 1, Social = 2, Securities = 3 };

    TfrFrameDeductData(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;
    void ShowFinding(int pageCode, int position) override;

    SubPage currentIndex() const { return index_; }
    TThinkingFrame* currentSubPage() const { return sub_; }
    QToolButton* button(SubPage page) const { return buttons_[std::size_t(page)]; }
    // A sub-page button pressed: the sub-page on show is stored and checked first.
    void subPageClicked(SubPage page);
    // Puts a sub-page on show without storing or checking the one there.
    void showSubPage(SubPage page);

    QToolButton* fbStandartDeduct;
    QToolButton* fbConstructionDeduct;
    QToolButton* fbPensDeduct;
    QToolButton* fbCB;

private:
    QWidget* area_;
    TThinkingFrame* sub_ = nullptr;
    SubPage index_ = Standard;
    std::array<QToolButton*, 4> buttons_{};
};
