#pragma once

#include "Input13Income.h"

// The row dialog of non-residents' income at 13 % (highly qualified specialists).
class TfmInput13NRIncome : public TfmInput13Income {
    Q_OBJECT
public:
    TfmInput13NRIncome(QWidget* parent, CheckAsker& asker)
        : TfmInput13Income(parent, asker, Mode::HighlyQualified) {}
};
