#include "DateEdit.h"

#include "ContentNotice.h"
#include "storage/DateTime.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int kMaxDigits[3] = {2, 2, 4};

bool isSeparator(QChar c) {
    return c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char('/') ||
           c == QLatin1Char('-') || c == QLatin1Char(' ');
}

// Day, month and year as typed so far; false when the text can be no date.
// A part ends at a separator or once it has all its digits, so "15031980",
// "15.03.1980" and "15.3.1980" split alike.
bool splitTyped(const QString& text, QString (&parts)[3], int& part) {
    part = 0;
    for (QString& p : parts)
        p.clear();
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (parts[part].size() == kMaxDigits[part]) {
                if (part == 2)
                    return false;
                ++part;
            }
            parts[part].append(c);
        } else if (isSeparator(c)) {
            if (parts[part].isEmpty() || part == 2)
                return false;
            ++part;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(parent) {
    init();
}

TDateEdit::TDateEdit(const QDate& minimum, const QDate& maximum, QWidget* parent)
    : QDateEdit(parent) {
    init();
    setDateRange(minimum, maximum);
}

void TDateEdit::init() {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    lineEdit()->installEventFilter(this);
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (loading_)
            return;
        touched_ = true;
        ContentNotice::send();
    });
}

void TDateEdit::loadValue(double dateTime) {
    loading_ = true;
    typing_ = false;
    typed_.clear();
    loaded_ = dateTime;
    touched_ = false;
    setDate(TDateTime::toDate(dateTime));
    loading_ = false;
}

double TDateEdit::value() const {
    return touched_ ? TDateTime::fromDate(date()) : loaded_;
}

QDate TDateEdit::parseTyped(const QString& text, const QDate& minimum, const QDate& maximum) {
    QString parts[3];
    int part = 0;
    if (!splitTyped(text, parts, part) || part != 2)
        return QDate();
    const int day = parts[0].toInt();
    const int month = parts[1].toInt();
    const int year = parts[2].toInt();
    auto inRange = [&](const QDate& d) { return d.isValid() && d >= minimum && d <= maximum; };
    if (parts[2].size() == 4) {
        const QDate d(year, month, day);
        return inRange(d) ? d : QDate();
    }
    if (parts[2].size() != 2)
        return QDate();
    for (int century = maximum.year() / 100; century >= minimum.year() / 100; --century) {
        const QDate d(century * 100 + year, month, day);
        if (inRange(d))
            return d;
    }
    return QDate();
}

void TDateEdit::selectDay() {
    setSelectedSection(QDateTimeEdit::DaySection);
}

void TDateEdit::showTyped() {
    QString parts[3];
    int part = 0;
    splitTyped(typed_, parts, part);
    QString shown = parts[0];
    for (int k = 1; k <= part; ++k)
        shown += QLatin1Char('.') + parts[k];
    lineEdit()->setText(shown);
    lineEdit()->setCursorPosition(int(shown.size()));
}

bool TDateEdit::finishTyping() {
    if (!typing_)
        return true;
    const QDate d = parseTyped(typed_, minimumDate(), maximumDate());
    typing_ = false;
    typed_.clear();
    if (!d.isValid()) {
        QApplication::beep();
        setDate(date()); // puts the previous text back
        return false;
    }
    const double before = value();
    const bool same = d == date();
    // Typed is chosen: what is shown is stored, also over a loaded value the
    // range could not show.
    touched_ = true;
    setDate(d);
    if (same && TDateTime::fromDate(d) != before)
        ContentNotice::send();
    return true;
}

void TDateEdit::cancelTyping() {
    typing_ = false;
    typed_.clear();
    setDate(date());
    selectDay();
    fresh_ = true;
}

void TDateEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool digit =
        plain && text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
    const bool separator = plain && text.size() == 1 && isSeparator(text[0]);

    if (typing_) {
        if (digit || separator) {
            QString parts[3];
            int part = 0;
            if (!splitTyped(typed_ + text, parts, part)) {
                QApplication::beep();
            } else {
                typed_ += text;
                showTyped();
                if (part == 2 && parts[2].size() == kMaxDigits[2] && finishTyping()) {
                    selectDay();
                    fresh_ = true;
                }
            }
            event->accept();
            return;
        }
        switch (event->key()) {
        case Qt::Key_Backspace:
            typed_.chop(1);
            if (typed_.isEmpty())
                cancelTyping();
            else
                showTyped();
            event->accept();
            return;
        case Qt::Key_Escape:
            cancelTyping();
            event->accept();
            return;
        default:
            finishTyping();
            break;
        }
    } else if (digit && isEnabled() && !isReadOnly() &&
               (fresh_ || currentSection() == QDateTimeEdit::DaySection)) {
        typing_ = true;
        fresh_ = false;
        typed_ = text;
        showTyped();
        event->accept();
        return;
    }
    fresh_ = false;
    QDateEdit::keyPressEvent(event);
}

void TDateEdit::focusInEvent(QFocusEvent* event) {
    QDateEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
        return;
    case Qt::MouseFocusReason:
        // The click itself places the caret afterwards; the release selects the day.
        focusClick_ = true;
        break;
    default:
        break;
    }
    fresh_ = true;
    selectDay();
}

void TDateEdit::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason)
        finishTyping();
    fresh_ = false;
    focusClick_ = false;
    QDateEdit::focusOutEvent(event);
}

bool TDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease && !typing_ &&
        !lineEdit()->hasSelectedText()) {
        if (focusClick_) {
            focusClick_ = false;
            fresh_ = true;
            selectDay();
        } else {
            // A click into a section selects it, so digits typed replace it.
            fresh_ = false;
            setSelectedSection(currentSection());
        }
    }
    return QDateEdit::eventFilter(watched, event);
}

// The date edit's own Tab walks its sections, so a date typed whole and Tab
// left the keys that followed in the month and the year.
bool TDateEdit::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

QValidator::State TDateEdit::validate(QString& input, int& pos) const {
    if (typing_)
        return QValidator::Intermediate;
    return QDateEdit::validate(input, pos);
}
