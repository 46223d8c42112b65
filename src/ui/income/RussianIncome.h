#pragma once

#include "ui/MyFrame.h"

#include <array>

class QToolButton;

// "Доходы, полученные в РФ": the income-by-payer sub-pages, one at a time, with
// a bar of buttons by form kind.
class TfrRussianIncome : public TThinkingFrame {
    Q_OBJECT
public:
    // Sub-page indexes, also those the whole-document check's findings take.
    enum SubPage { Thirteen = 0, Dividends = 1, ThirtyFive = 2, ThirteenNr = 3 };

    TfrRussianIncome(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;
    void ShowFinding(int pageCode, int position) override;
    void PageShown() override;

    int currentIndex() const { return index_; }
    TThinkingFrame* currentSubPage() const { return sub_; }
    // A click on a sub-page button.
    void subPageClicked(int index);
    // Puts a sub-page on screen without storing or checking the one there, and
    // focuses the position on it.
    void showSubPage(int index, int position);

    QToolButton* FlashButton1;
    QToolButton* FlashButton2;
    QToolButton* FlashButton3;
    QToolButton* FlashButton6;

private:
    QToolButton* buttonOf(int index) const;
    void replaceSubPage(int index);

    QWidget* area_;
    TThinkingFrame* sub_ = nullptr;
    int index_ = -1;
};
