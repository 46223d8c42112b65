#pragma once

#include <QDate>

// TDateTime: days since 30.12.1899 as a double; date-only values are whole.
namespace TDateTime {
inline const QDate kEpoch(1899, 12, 30);
inline double fromDate(QDate date) {
    return date.isValid() ? double(kEpoch.daysTo(date)) : 0.0;
}
// A value no date can have (a damaged file) gives an invalid date, never an overflow.
inline QDate toDate(double value) {
    if (!(value > -1e7 && value < 1e7))
        return QDate();
    return kEpoch.addDays(qint64(value));
}
inline double fromYmd(int y, int m, int d) {
    return fromDate(QDate(y, m, d));
}
inline double today() {
    return fromDate(QDate::currentDate());
}
} // namespace TDateTime
