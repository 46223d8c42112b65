#include "RateMath.h"

namespace {

using Wide = __int128;

// value / unit rounded by the rule of RoundHalfUp: half up for positive values,
// toward zero for negative ones.
Wide roundHalfUpBy(Wide value, Wide unit) {
    const Wide whole = value / unit; // truncates toward zero
    if (value >= 0 && (value % unit) * 2 >= unit)
        return whole + 1;
    return whole;
}

Money fromWide(Wide raw) {
    return Money::fromRaw(static_cast<qint64>(raw));
}

} // namespace

Money RateProduct(Money amount, qint64 percent, RateRounding rule) {
    // In millionths of a rouble: raw is in ten-thousandths, percent in hundredths.
    const Wide product = Wide(amount.raw()) * percent;
    switch (rule) {
    case RateRounding::WholeRoubles:
        return fromWide(roundHalfUpBy(product, 1000000) * Money::kScale);
    case RateRounding::Kopecks:
        return fromWide(roundHalfUpBy(product, 10000) * 100);
    case RateRounding::KopecksDown:
        return fromWide(product / 10000 * 100);
    }
    return Money();
}

Money RoundRoubles(Money amount) {
    return fromWide(roundHalfUpBy(amount.raw(), Money::kScale) * Money::kScale);
}

Money RoundToKopecks(Money amount) {
    return fromWide(roundHalfUpBy(amount.raw(), 100) * 100);
}

Money TruncRoubles(Money amount) {
    return Money::fromRaw(amount.raw() / Money::kScale * Money::kScale);
}

bool ExceedsPercent(Money amount, Money base, qint64 percent) {
    return Wide(amount.raw()) * 100 > Wide(base.raw()) * percent;
}

Money ScaleByFraction(Money base, qint64 numerator, qint64 denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const Wide product = Wide(base.raw()) * numerator;
    const Wide whole = product / denominator;
    const Wide rest = product % denominator;
    if (rest * 2 >= denominator)
        return fromWide(whole + 1);
    if (rest * 2 <= -denominator)
        return fromWide(whole - 1);
    return fromWide(whole);
}

QString RatePerUnitText(Money amount, qint64 units) {
    if (units == 0)
        return QString();
    if (units < 0) {
        units = -units;
        amount = -amount;
    }
    return fromWide(roundHalfUpBy(amount.raw(), units)).toString(QLatin1Char('.'));
}
