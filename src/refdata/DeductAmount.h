#pragma once

#include "IncomeDict.h"

#include <optional>

// How an entry dialog fills and limits the deduction amount of the chosen code.

enum class DeductEvent {
    CodeChosen,    // a deduction code was (re)chosen
    IncomeChanged, // the income amount was edited
    AmountTyped,   // the user typed a deduction amount
};

struct DeductAmountState {
    bool visible = true;         // the amount field is shown
    bool editable = true;        // the user may type the amount
    std::optional<Money> amount; // nothing: the field is empty
};

// income and amount are the fields' current values (nothing when empty). The
// dialog shows the result amount in its shortest decimal form.
DeductAmountState ApplyDeductRules(const DeductCodeItem& deduction, DeductEvent event,
                                   std::optional<Money> income, std::optional<Money> amount);
