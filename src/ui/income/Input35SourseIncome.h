#pragma once

#include "refdata/IncomeDict.h"

#include <QDialog>
#include <QDomDocument>
#include <optional>

class CheckAsker;
class QLabel;
class QPushButton;
class TMaskedEdit;
class mTThirtyFivePercent;

// "Доход": a payer of income at 35 percent with its one income and deduction.
class TfmInput35SourseIncome : public QDialog {
    Q_OBJECT
public:
    TfmInput35SourseIncome(QWidget* parent, CheckAsker& asker);

    void load(const mTThirtyFivePercent& payer);
    void store(mTThirtyFivePercent& payer) const;
    QString sourceName() const;
    QString incomeCode() const { return incomeCode_; }

    // "Да" and Enter: the source check, the income check, then accept or focus.
    void confirm();
    void focusPosition(int position);
    void pickIncome();
    void pickDeduction();

    TMaskedEdit* meSourseName;
    TMaskedEdit* meINN;
    TMaskedEdit* meKPP;
    TMaskedEdit* meOKATO;
    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    TMaskedEdit* meItogIncomeSum;
    QLabel* lbSubtractCod;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    QLabel* lbSubtractSum;
    TMaskedEdit* meSubtractSum;
    TMaskedEdit* meHoldSum;
    QPushButton* bnYes;
    QPushButton* bnNo;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void takeIncome(const QString& code, bool hasDeductions);
    void takeDeduction(const DeductCodeItem& deduction);
    void incomeChanged();
    void amountTyped();
    bool amountEditable() const;
    int checkIncome();

    CheckAsker& asker_;
    QDomDocument dict_;
    QString incomeCode_;
    bool deductionPart_ = false;
    std::optional<DeductCodeItem> deduction_;
};
