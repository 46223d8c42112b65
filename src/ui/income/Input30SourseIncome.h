#pragma once

#include <QDialog>

class CheckAsker;
class QLabel;
class QPushButton;
class TMaskedEdit;
class mTThirtyPercent;

// "Доход": a payer of dividends.
class TfmInput30SourseIncome : public QDialog {
    Q_OBJECT
public:
    // taxRate: the percent of the computed tax.
    TfmInput30SourseIncome(QWidget* parent, CheckAsker& asker, int taxRate);

    void load(const mTThirtyPercent& payer);
    void store(mTThirtyPercent& payer) const;
    QString sourceName() const;

    // organisation: "Да" checks the payer as an organisation, Enter as any source.
    void confirm(bool organisation);
    void focusPosition(int position);

    TMaskedEdit* meSourseName;
    TMaskedEdit* meINN;
    TMaskedEdit* meKPP;
    TMaskedEdit* meOKATO;
    TMaskedEdit* meItogIncomeSum;
    TMaskedEdit* meOblSum;
    QLabel* lbTaxDiscount;
    TMaskedEdit* meTaxDiscount;
    TMaskedEdit* meHoldSum;
    QPushButton* bnYes;
    QPushButton* bnNo;

    // Position of the dividends field, which the source checks do not use.
    static constexpr int kDividendsPosition = 7;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void taxableChanged();
    int checkDividends();

    CheckAsker& asker_;
    int taxRate_;
};
