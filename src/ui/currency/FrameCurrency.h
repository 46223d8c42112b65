#pragma once

#include "refdata/IncomeDict.h"
#include "storage/Money.h"
#include "ui/MyFrame.h"

#include <QDomDocument>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class TDateEdit;
class TMaskedEdit;
class mTCurrencyIncome;
struct Currency;

// "Доходы за пределами РФ": one record per income received in a foreign
// currency, its rouble amounts worked out from the bank's rates as the user types.
class TfrCurrency : public TThinkingFrame {
    Q_OBJECT
public:
    TfrCurrency(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;
    void PageShown() override;

    // The rate directory was reloaded: the selected record looks its rates up
    // again (a ticked automatic box takes the new figures).
    void RatesReloaded();

    // The selected record's index, -1 for none.
    int selectedIndex() const { return selected_; }
    void selectRecord(int index);
    void addSource();
    void editSource();
    void deleteSource();

    QTreeWidget* lvSourseIncomeInfo;
    QPushButton* bnAdd;
    QPushButton* bnDelete;
    QPushButton* bnEdit;
    TDateEdit* dtIncomeGetDate;
    TMaskedEdit* meCurrencyCode;
    QPushButton* bnCurrencyCode;
    TMaskedEdit* meCurrencyName;
    TDateEdit* dtSubtractDate;
    QCheckBox* chbAutoExchange;
    TMaskedEdit* meCurrencyExchange;
    TMaskedEdit* meCurrencyUnits;
    TMaskedEdit* meCurrencyExchange2;
    TMaskedEdit* meCurrencyUnits2;
    TMaskedEdit* meIncomeCurrencySum;
    QLabel* pnlIncomeRublSum;
    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    TMaskedEdit* meTaxCurrencySum;
    QLabel* pnlTaxRoubleSum;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    TMaskedEdit* meSubtractSum;

private:
    void buildLayout();
    void storeRecord(int index);
    void loadRecord(int index);
    void setDetailsEnabled(bool enabled);
    void clearDetails();

    void currencyCodeChanged();
    // One date's rate row from the directory; false when the date has no entry.
    bool fillRateRow(bool incomeDate, bool emptyWhenUnticked);
    void autoRateClicked();
    void applyAutoRate();
    void setRateFieldsReadOnly(bool readOnly);
    // The income in roubles shown; true when the text changed.
    bool showIncomeRoubles();
    void recomputeIncome();
    void recomputeTax();
    void applyDeductRule();
    void pickIncomeCode();
    void pickDeductCode();
    void pickCurrency();
    void applyDeduction(const DeductCodeItem& d);
    void clearDeduction(bool enabled);
    std::optional<DeductCodeItem> findDeduction(int incomeCode, int deductCode) const;

    QList<QWidget*> details_;
    QList<QLabel*> deductLabels_;
    QLabel* lbSubtractSum_ = nullptr;
    int selected_ = -1;
    bool loading_ = false;

    QDomDocument dict_;
    QList<IncomeCodeItem> incomes_;
    int incomeRate_ = 0;
    QString incomeName_;
    bool incomeHasDeductions_ = false;
    int deductStav_ = 0;
    Money deductMax_;
    bool deductEquivalent_ = false;
    const Currency* currency_ = nullptr;
};
