#include "Math2.h"

#include <cmath>

qint64 RoundHalfUp(long double x) {
    const long double whole = std::trunc(x);
    qint64 result = static_cast<qint64>(whole);
    if (x - whole >= 0.5L)
        ++result;
    return result;
}

double RoundKopecks(long double x) {
    return double(RoundHalfUp(x * 100.0L)) / 100.0;
}

QString MoneyText15(Money value, QChar separator) {
    const QString s = value.toString(separator);
    return s.size() > 15 ? QStringLiteral("999999999999999") : s;
}

QString MoneyText2(Money value) {
    if (value.raw() < 0)
        value = Money();
    const QString s = QStringLiteral("%1.%2")
                          .arg(value.wholeRoubles())
                          .arg(value.fraction() / 100, 2, 10, QLatin1Char('0'));
    return s.size() > 15 ? QStringLiteral("999999999999.99") : s;
}

QString FloatText(double x) {
    return QString::number(x, 'g', 15);
}

QString FloatText4(long double x) {
    return FloatText(double(RoundHalfUp(x * 10000.0L)) / 10000.0);
}
