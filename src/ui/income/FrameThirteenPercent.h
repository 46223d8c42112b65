#pragma once

#include "model/OwnedList.h"
#include "model/StavClasses.h"
#include "ui/MyFrame.h"

class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TMaskedEdit;

// Income at 13 percent by payer, month by month (for a non-resident: the
// income at 30 percent). Each payer's rows and totals are shown for the payer
// selected in the list.
class TfrThirteenPercent : public TThinkingFrame {
    Q_OBJECT
public:
    TfrThirteenPercent(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;
    void PageShown() override;

    // The payer selected, -1 for none.
    int selectedPayer() const { return payer_; }
    int selectedRow() const;

    void addPayer();
    void editPayer();
    void deletePayer();
    void addRow();
    void editRow();
    void deleteRow();
    void repeatRow();

    QTreeWidget* lvSourseIncomeInfo;
    QPushButton* bnAddSourse;
    QPushButton* bnDelSourse;
    QPushButton* bnEditSourse;
    QTreeWidget* lvIncome;
    QPushButton* bnAddIncome;
    QPushButton* bnDelIncome;
    QPushButton* bnEditIncome;
    QPushButton* bnRepeatIncome;
    QGroupBox* gbTotals;
    TMaskedEdit* meItogIncome;
    TMaskedEdit* meHoldSum;
    TMaskedEdit* meOblSum;
    TMaskedEdit* meTaxSum;
    QGroupBox* gbForeigner;
    TMaskedEdit* meFixedSum;

protected:
    // The non-residents' twin works on its own list with its own row dialog.
    TfrThirteenPercent(TPageHost& host, QWidget* parent, bool highlyQualified);

private:
    void build();
    mTOwnedList<mTThirteenPercent>& payers() const;
    mTThirteenPercent* payer() const;
    void payerChanged(QTreeWidgetItem* current);
    void selectPayer(int index);
    void storeTotals();
    void showPayer();
    void enablePayerParts();
    QTreeWidgetItem* rowItem(const mTThirteenPercent::IncomeRow& row, bool fresh) const;
    void setRowTexts(QTreeWidgetItem* item, const mTThirteenPercent::IncomeRow& row,
                     bool fresh) const;
    void appendRow(const mTThirteenPercent::IncomeRow& row);
    void showTotal();
    // A row from the row dialog; nothing when cancelled.
    std::optional<mTThirteenPercent::IncomeRow>
    runRowDialog(const mTThirteenPercent::IncomeRow* row);

    bool highlyQualified_;
    int payer_ = -1;
    bool ignoreSelection_ = false;
};
