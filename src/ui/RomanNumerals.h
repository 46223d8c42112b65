#pragma once

#include <QString>

// Roman numerals of birth-certificate series: C, L, X, V and I only, so values
// above 399 come out as runs of four or more C.
namespace RomanNumerals {
// Left to right; a letter less than the next counts as the pair's difference.
// Characters that are not Roman letters count 0.
int value(QStringView numeral);
QString canonical(int value);
// The numeral is written exactly as canonical() writes its own value.
bool isCanonical(QStringView numeral);
bool isRomanLetter(QChar c);
} // namespace RomanNumerals
