#pragma once

#include "refdata/IncomeDict.h"
#include "ui/CodePicker.h"

#include <optional>

// The pickers of the income and deduction code dictionary.

class TfmInputIncomeCode : public TfmCodePicker {
    Q_OBJECT
public:
    TfmInputIncomeCode(QWidget* parent, const QList<IncomeCodeItem>& items);
};

class TfmInputDeductCode : public TfmCodePicker {
    Q_OBJECT
public:
    TfmInputDeductCode(QWidget* parent, const QList<DeductCodeItem>& items);
};

// The chosen income (nothing when cancelled), the current code preselected.
std::optional<IncomeCodeItem> PickIncomeCode(QWidget* parent, const QDomElement& root,
                                             const QString& rateFilter, bool nonResident,
                                             const QString& current);
std::optional<DeductCodeItem> PickDeductCode(QWidget* parent, const QDomElement& root,
                                             const QString& incomeCode, bool fullList,
                                             const QString& current);
// The dictionary's entry of a deduction code with an income, whatever the list
// offered; nothing when the income does not allow it.
std::optional<DeductCodeItem> FindDeduction(const QDomElement& root, const QString& incomeCode,
                                            const QString& code);
std::optional<IncomeCodeItem> FindIncome(const QDomElement& root, const QString& code);
