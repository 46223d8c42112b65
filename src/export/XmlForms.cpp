#include "XmlForms.h"

#include "XmlTree.h"
#include "model/Math2.h"
#include "storage/DateTime.h"

#include <cmath>

QString KopText(Money value) {
    return MoneyText2(value);
}

QString RubText(Money value) {
    return MoneyText15(value, QLatin1Char('.'));
}

namespace {

// Days from 30.12.1899 to 01.01.0001 and to 31.12.9999: four-digit years only.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

QDate calendarDate(double tDateTime) {
    if (!std::isfinite(tDateTime) || tDateTime < kFirstDay || tDateTime >= kLastDay + 1)
        throw EXmlExport(QStringLiteral("%1 is not a date").arg(tDateTime, 0, 'g', 17));
    return TDateTime::toDate(tDateTime);
}

} // namespace

QString DateText(double tDateTime) {
    const QDate d = calendarDate(tDateTime);
    return QStringLiteral("%1.%2.%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

QString YearText(double tDateTime) {
    return QStringLiteral("%1").arg(calendarDate(tDateTime).year(), 4, 10, QLatin1Char('0'));
}

QString PadCode(const QString& text, int width) {
    return text.size() >= width ? text : QString(width - text.size(), QLatin1Char('0')) + text;
}

QString PadCode(qint64 number, int width) {
    return PadCode(QString::number(number), width);
}

QString DotDecimal(const QString& text) {
    if (!text.contains(QLatin1Char(',')))
        return text;
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    return s.trimmed();
}

bool IsBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

QString UpperCaseText(const QString& text) {
    QString s = text;
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= 0x0400 && u <= 0x04FF))
            c = c.toUpper();
    }
    return s;
}

QString FileGuidText(const QUuid& guid) {
    return guid.toString(QUuid::WithoutBraces).toUpper();
}

QString NewFileGuid() {
    return FileGuidText(QUuid::createUuid());
}

bool IsDigitsOnly(const QString& text) {
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
