#pragma once

#include "storage/Money.h"

#include <QDialog>

class QPushButton;
class TMaskedEdit;

// "Сумма за обучение": one amount paid for a child's education; empty means 0.
class TfmChildEduSum : public QDialog {
    Q_OBJECT
public:
    explicit TfmChildEduSum(QWidget* parent);

    void setAmount(Money amount);
    Money amount() const;

    TMaskedEdit* meChildEduSum;
    QPushButton* bnYes;
    QPushButton* bnNo;
};
