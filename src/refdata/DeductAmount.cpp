#include "DeductAmount.h"

#include "calc/RateMath.h"

namespace {

Money capped(const DeductCodeItem& d, Money amount) {
    return d.maxSum > Money() && amount > d.maxSum ? d.maxSum : amount;
}

// The amount a norm or an equivalent deduction takes from the income; nothing
// when the code leaves the amount to the user.
std::optional<Money> computed(const DeductCodeItem& d, std::optional<Money> income, bool* hasRule) {
    *hasRule = true;
    if (d.stav > 0) {
        if (!income)
            return Money();
        // Exactly as the calculation forms it, so a half kopeck rounds up everywhere.
        return capped(d, RateProduct(*income, d.stav, RateRounding::Kopecks));
    }
    if (d.equivalent) {
        if (!income)
            return d.maxSum > Money() ? std::optional<Money>(Money()) : std::nullopt;
        return capped(d, *income);
    }
    *hasRule = false;
    return std::nullopt;
}

} // namespace

DeductAmountState ApplyDeductRules(const DeductCodeItem& deduction, DeductEvent event,
                                   std::optional<Money> income, std::optional<Money> amount) {
    DeductAmountState state;
    state.visible = deduction.visible;
    state.editable = deduction.enabled;
    if (!deduction.visible)
        return state;
    bool hasRule = false;
    switch (event) {
    case DeductEvent::CodeChosen:
        state.amount = computed(deduction, income, &hasRule);
        break;
    case DeductEvent::IncomeChanged:
        state.amount = computed(deduction, income, &hasRule);
        if (!hasRule)
            state.amount = amount;
        else if (state.amount && state.amount->isZero())
            state.amount.reset();
        break;
    case DeductEvent::AmountTyped:
        state.amount = amount;
        if (amount && deduction.enabled)
            state.amount = capped(deduction, *amount);
        break;
    }
    return state;
}
