#include "DateEdit.h"

#include "ContentNotice.h"
#include "storage/DateTime.h"

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (loading_)
            return;
        touched_ = true;
        ContentNotice::send();
    });
}

void TDateEdit::loadValue(double dateTime) {
    loading_ = true;
    loaded_ = dateTime;
    touched_ = false;
    setDate(TDateTime::toDate(dateTime));
    loading_ = false;
}

double TDateEdit::value() const {
    return touched_ ? TDateTime::fromDate(date()) : loaded_;
}
