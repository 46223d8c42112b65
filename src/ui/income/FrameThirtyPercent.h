#pragma once

#include "PayerListPage.h"

// Dividends: one amount per payer, taxed at 9 % for a resident and 15 % for a
// non-resident.
class TfrThirtyPercent : public TfrPayerList {
    Q_OBJECT
public:
    TfrThirtyPercent(TPageHost& host, QWidget* parent);

    TMaskedEdit* meItogIncomeSum;
    TMaskedEdit* meHoldSum;

protected:
    int count() const override;
    QString nameOf(int index) const override;
    bool runDialog(int index) override;
    void removePayer(int index) override;
    void showResult(int index) override;
};
