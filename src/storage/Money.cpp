#include "Money.h"

#include <cmath>
#include <limits>

Money Money::fromDouble(long double value) {
    return fromRaw(static_cast<qint64>(std::llround(value * kScale)));
}

std::optional<Money> Money::parse(QStringView text, QChar separator) {
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        negative = text[0] == QLatin1Char('-');
        ++i;
    }
    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 10 - 10;
    qint64 whole = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i].isDigit(); ++i, ++wholeDigits) {
        whole = whole * 10 + text[i].digitValue();
        if (whole > kLimit / kScale)
            return std::nullopt;
    }
    qint64 frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < text.size() && text[i] == separator) {
        ++i;
        for (; i < text.size() && text[i].isDigit(); ++i, ++fracDigits) {
            if (fracDigits < 4)
                frac = frac * 10 + text[i].digitValue();
            else if (fracDigits == 4)
                roundUp = text[i].digitValue() >= 5;
        }
        for (int k = fracDigits; k < 4; ++k)
            frac *= 10;
    }
    if (i != text.size() || wholeDigits + fracDigits == 0)
        return std::nullopt;
    qint64 raw = whole * kScale + frac + (roundUp ? 1 : 0);
    return fromRaw(negative ? -raw : raw);
}

QString Money::toString(QChar separator) const {
    const bool negative = raw_ < 0;
    // Work on the magnitude as unsigned so the most negative value is safe.
    const quint64 magnitude = negative ? quint64(0) - quint64(raw_) : quint64(raw_);
    QString s = QString::number(magnitude / kScale);
    quint64 frac = magnitude % kScale;
    if (frac != 0) {
        int digits = 4;
        while (frac % 10 == 0) {
            frac /= 10;
            --digits;
        }
        s += separator;
        s += QStringLiteral("%1").arg(frac, digits, 10, QLatin1Char('0'));
    }
    if (negative)
        s.prepend(QLatin1Char('-'));
    return s;
}
