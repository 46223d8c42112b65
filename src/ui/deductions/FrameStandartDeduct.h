#pragma once

#include "ui/MyFrame.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class TMaskedEdit;

// Standard deductions: the personal code, the children by month and the monthly
// income and expenses of an entrepreneur.
class TfrFrameStandartDeduct : public TThinkingFrame {
    Q_OBJECT
public:
    TfrFrameStandartDeduct(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override { return 0; }
    void FocusField(int) override {}

    // One children row: a constant count with its spin, or a number per month.
    struct ChildRow {
        QCheckBox* constBox = nullptr;
        TMaskedEdit* count = nullptr;
        QSpinBox* spin = nullptr;
        std::array<TMaskedEdit*, 12> months{};
    };

    QCheckBox* chbGrantingStanDeduct;
    QRadioButton* rb103;
    QRadioButton* rb104;
    QRadioButton* rb105;
    QRadioButton* rbQ;
    QRadioButton* rbTowParents;
    QRadioButton* rbOneParent;
    QRadioButton* rbQ2;
    // Children, children from the third on, disabled children, as on screen.
    std::array<ChildRow, 3> rows;
    QGroupBox* gbMonthly;
    std::array<QCheckBox*, 12> cbMonths{};
    std::array<TMaskedEdit*, 12> meIncome{};
    std::array<TMaskedEdit*, 12> meExpense{};

protected:
    // Up and Down in a count field step its spin.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildChildRow(ChildRow& row, int index, QWidget* parent, class QGridLayout* grid);
    QWidget* buildMonthly();
    void loadFromModel();
    void applyEnabling();
    void constToggled(ChildRow& row);
    void countEdited(ChildRow& row);
    void monthUnticked(int month);
    void askCombination();
    void askSingleParent();
    bool hasBusiness() const;

    std::array<QLabel*, 12> monthLabels_{};
    bool loading_ = false;
};
