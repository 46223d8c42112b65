#pragma once

#include "storage/Money.h"

// Every product of an amount with a percent rate goes through here: the taxes at
// 9, 13, 15, 30 and 35 percent and at the foreign rates, the 25 percent charity
// limit, the 20 percent limits of pay in kind and of the business norm. The
// calculation, the checks and the export all call it, so they agree to the kopeck.
//
// The product is formed exactly on the ten-thousandths and rounded there. A
// product that is an exact half in decimal therefore rounds up at every rate:
// 90 x 35% is 31.5 and gives 32, where a double product (31.499999999999996)
// would give 31. For whole roubles this is the same as taking the product in
// extended precision, the nearest double, and RoundHalfUp; for kopecks it also
// keeps halves such as 4000.005 from slipping below the half.

enum class RateRounding {
    WholeRoubles, // RoundHalfUp to roubles: a tax at a rate
    Kopecks,      // half up to kopecks: RoundKopecks
    KopecksDown,  // truncated to kopecks: the charity limit
};

// amount x percent / 100 under the rule. Negative products are truncated toward
// zero, as RoundHalfUp does with negative values.
Money RateProduct(Money amount, qint64 percent, RateRounding rule = RateRounding::WholeRoubles);

// Tax at percent on base: RateProduct with whole roubles.
inline Money TaxAt(Money base, qint64 percent) {
    return RateProduct(base, percent, RateRounding::WholeRoubles);
}

// The amount itself rounded half up to whole roubles / to kopecks (negative
// values truncated), and truncated to whole roubles.
Money RoundRoubles(Money amount);
Money RoundToKopecks(Money amount);
Money TruncRoubles(Money amount);

// Exact test of amount > base x percent / 100.
bool ExceedsPercent(Money amount, Money base, qint64 percent);

// base x numerator / denominator to the nearest ten-thousandth (halves away from
// zero). The denominator must not be zero.
Money ScaleByFraction(Money base, qint64 numerator, qint64 denominator);

// amount / units to four decimals, half up, in shortest form with "." ("30.5",
// "0.4012"); empty when units is 0. The exchange rate per currency unit.
QString RatePerUnitText(Money amount, qint64 units);
