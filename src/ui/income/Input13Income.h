#pragma once

#include "model/StavClasses.h"
#include "refdata/IncomeDict.h"

#include <QDialog>
#include <QDomDocument>
#include <optional>

class CheckAsker;
class QGroupBox;
class QLabel;
class QPushButton;
class TMaskedEdit;

// "Сведения о доходе": one income row of a 13 percent payer, with its code from
// the dictionary, amount, deduction and month.
class TfmInput13Income : public QDialog {
    Q_OBJECT
public:
    enum class Mode {
        Resident,        // a resident's income at 13 %
        NonResident,     // a non-resident's income at 30 %, on the same page
        HighlyQualified, // a non-resident's income at 13 %
    };

    TfmInput13Income(QWidget* parent, CheckAsker& asker, Mode mode);

    void load(const mTThirteenPercent::IncomeRow& row);
    mTThirteenPercent::IncomeRow row() const;
    // "Да" and Enter: the row check, then accept or focus its field.
    void confirm();
    // The check alone: 0, or the position the user chose to fix.
    int checkRow();
    void focusPosition(int position);

    void pickIncome();
    void pickDeduction();

    QGroupBox* gbIncome;
    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    TMaskedEdit* meIncomeSum;
    QLabel* lbSubtractCod;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    QLabel* lbSubtractSum;
    TMaskedEdit* meSubtractSum;
    TMaskedEdit* mePropSale;
    QPushButton* bnYes;
    QPushButton* bnNo;

    bool deductionPartEnabled() const { return deductionPart_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void takeIncome(const QString& code, const QString& name, bool hasDeductions);
    void setDeductionPart(bool on);
    void takeDeduction(const DeductCodeItem& deduction);
    void applyDeduction(int event);
    void monthChanged();
    void monthFinished();

    CheckAsker& asker_;
    Mode mode_;
    QDomDocument dict_;
    QString incomeCode_;
    QString incomeName_;
    bool deductionPart_ = false;
    std::optional<DeductCodeItem> deduction_;
};
