#pragma once

#include "PayerListPage.h"

// Income at 35 percent: one income and one deduction per payer.
class TfrThirtyFivePercent : public TfrPayerList {
    Q_OBJECT
public:
    TfrThirtyFivePercent(TPageHost& host, QWidget* parent);

    TMaskedEdit* meIncomeCod;
    TMaskedEdit* meIncomeSum;
    TMaskedEdit* meSubtractCod;
    TMaskedEdit* meSubtractSum;
    TMaskedEdit* meHoldSum;

protected:
    int count() const override;
    QString nameOf(int index) const override;
    bool runDialog(int index) override;
    void removePayer(int index) override;
    void showResult(int index) override;
};
