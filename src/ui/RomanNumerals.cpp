#include "RomanNumerals.h"

namespace RomanNumerals {

namespace {
int letterValue(QChar c) {
    switch (c.unicode()) {
    case 'C':
        return 100;
    case 'L':
        return 50;
    case 'X':
        return 10;
    case 'V':
        return 5;
    case 'I':
        return 1;
    default:
        return 0;
    }
}
} // namespace

bool isRomanLetter(QChar c) {
    return letterValue(c) != 0;
}

int value(QStringView numeral) {
    int total = 0;
    for (qsizetype i = 0; i < numeral.size(); ++i) {
        const int here = letterValue(numeral[i]);
        const int next = i + 1 < numeral.size() ? letterValue(numeral[i + 1]) : 0;
        if (here < next) {
            total += next - here;
            ++i;
        } else {
            total += here;
        }
    }
    return total;
}

QString canonical(int value) {
    static const char letters[] = {'C', 'L', 'X', 'V', 'I'};
    static const int values[] = {100, 50, 10, 5, 1};
    QString out;
    int rest = value;
    for (int k = 0; k < 5; ++k) {
        const QChar letter = QLatin1Char(letters[k]);
        if (letter == QLatin1Char('L') && (rest / 10) % 10 == 9) {
            out += QStringLiteral("XC");
            rest -= 90;
            continue;
        }
        if (letter == QLatin1Char('V') && rest % 10 == 9) {
            out += QStringLiteral("IX");
            rest -= 9;
            continue;
        }
        const int q = rest / values[k];
        if (q > 3 && letter != QLatin1Char('C')) {
            out += letter;
            out += QLatin1Char(letters[k - 1]);
        } else {
            out += QString(q, letter);
        }
        rest -= q * values[k];
    }
    return out;
}

bool isCanonical(QStringView numeral) {
    return canonical(value(numeral)) == numeral;
}

} // namespace RomanNumerals
