#include "Money.h"

#include <limits>

namespace {

inline char16_t unitOf(QChar c) {
    return c.unicode();
}
inline char16_t unitOf(char c) {
    return char16_t(static_cast<unsigned char>(c));
}
inline bool isSpace(char16_t u) {
    return u == ' ' || u == '\t' || u == '\r' || u == '\n';
}

template <typename View> std::optional<Money> parseText(View text, char16_t separator) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isSpace(unitOf(text[begin])))
        ++begin;
    while (end > begin && isSpace(unitOf(text[end - 1])))
        --end;
    if (begin == end)
        return std::nullopt;
    qsizetype i = begin;
    bool negative = false;
    if (unitOf(text[i]) == '-' || unitOf(text[i]) == '+') {
        negative = unitOf(text[i]) == '-';
        ++i;
    }
    auto digitAt = [&](qsizetype k) {
        const char16_t u = unitOf(text[k]);
        return u >= '0' && u <= '9' ? int(u - '0') : -1;
    };
    // The whole range of the type: the most negative value has one unit more.
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    quint64 whole = 0;
    int wholeDigits = 0;
    for (; i < end && digitAt(i) >= 0; ++i, ++wholeDigits) {
        whole = whole * 10 + quint64(digitAt(i));
        if (whole > limit / Money::kScale)
            return std::nullopt;
    }
    quint64 frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < end && unitOf(text[i]) == separator) {
        ++i;
        for (; i < end && digitAt(i) >= 0; ++i, ++fracDigits) {
            if (fracDigits < 4)
                frac = frac * 10 + quint64(digitAt(i));
            else if (fracDigits == 4)
                roundUp = digitAt(i) >= 5;
        }
        for (int k = fracDigits; k < 4; ++k)
            frac *= 10;
    }
    if (i != end || wholeDigits + fracDigits == 0)
        return std::nullopt;
    const quint64 scaled = whole * Money::kScale;
    const quint64 rest = frac + (roundUp ? 1 : 0);
    if (rest > limit - scaled)
        return std::nullopt;
    const quint64 magnitude = scaled + rest;
    // Negating in unsigned arithmetic keeps the most negative value exact.
    return Money::fromRaw(negative ? qint64(quint64(0) - magnitude) : qint64(magnitude));
}

} // namespace

std::optional<Money> Money::parse(QStringView text, QChar separator) {
    return parseText(text, separator.unicode());
}

std::optional<Money> Money::parse(QByteArrayView latin1, char separator) {
    return parseText(latin1, unitOf(separator));
}

int Money::format(char* out) const {
    const bool negative = raw_ < 0;
    // Work on the magnitude as unsigned so the most negative value is safe.
    const quint64 magnitude = negative ? quint64(0) - quint64(raw_) : quint64(raw_);
    char digits[24];
    int n = 0;
    quint64 whole = magnitude / kScale;
    do {
        digits[n++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    int len = 0;
    if (negative)
        out[len++] = '-';
    while (n > 0)
        out[len++] = digits[--n];
    quint64 frac = magnitude % kScale;
    if (frac != 0) {
        out[len++] = '.';
        for (quint64 unit = kScale / 10; frac != 0; unit /= 10) {
            out[len++] = char('0' + frac / unit);
            frac %= unit;
        }
    }
    return len;
}

QString Money::toString(QChar separator) const {
    char buffer[kMaxTextLength];
    QString s = QString::fromLatin1(buffer, format(buffer));
    if (separator != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), separator);
    return s;
}
