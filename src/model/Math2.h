#pragma once

#include "storage/Money.h"

#include <QString>

// Roundings and number texts shared by the calculation, the checks and the export.
// The float rules work on binary values in extended precision: RoundKopecks(1.005)
// sees the binary value just below 1.005 and gives 1.00.

// Whole part truncated toward zero, plus one when the fraction is at least 0.5;
// negative values are truncated.
qint64 RoundHalfUp(long double x);
// RoundHalfUp(x * 100) / 100.
double RoundKopecks(long double x);
// Shortest general form ("1234.5"); longer than 15 characters gives "999999999999999".
QString MoneyText15(Money value, QChar separator = QLatin1Char('.'));
// Whole roubles, ".", the first two fraction digits unrounded; negative counts as 0;
// longer than 15 characters gives "999999999999.99".
QString MoneyText2(Money value);
// RoundHalfUp(x * 10000) / 10000 in general float form, always with ".".
QString FloatText4(long double x);
// General float form with up to 15 significant digits and ".", as stored in files.
QString FloatText(double x);
