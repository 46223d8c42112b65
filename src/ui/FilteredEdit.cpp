#include "FilteredEdit.h"

#include "ContentNotice.h"
#include "storage/Cp1251.h"

#include <QKeyEvent>

namespace FieldChars {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isCyrillicCapital(QChar c) {
    return c.unicode() >= 0x0410 && c.unicode() <= 0x042F;
}

bool isCyrillicSmall(QChar c) {
    return c.unicode() >= 0x0430 && c.unicode() <= 0x044F;
}

QChar toCyrillicCapital(QChar c) {
    return isCyrillicSmall(c) ? QChar(char16_t(c.unicode() - 0x20)) : c;
}

bool allDigits(QStringView s) {
    for (const QChar c : s)
        if (!isDigit(c))
            return false;
    return true;
}

bool allCyrillicCapitals(QStringView s) {
    for (const QChar c : s)
        if (!isCyrillicCapital(c))
            return false;
    return true;
}

} // namespace FieldChars

TFilteredEdit::TFilteredEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TFilteredEdit::onTextChanged);
}

void TFilteredEdit::loadText(const QString& text) {
    reverting_ = true;
    setText(text);
    reverting_ = false;
    previous_ = text;
    previousFits_ = Cp1251::canEncode(text) && checkText(text) == text;
}

void TFilteredEdit::shapeChanged() {
    previousFits_ = checkText(previous_) == previous_;
}

void TFilteredEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter belongs to the dialog or page, never to the field.
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool plainKey =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plainKey && typed.size() == 1 && typed[0].isPrint()) {
        if (isReadOnly()) {
            event->accept();
            return;
        }
        QString base = text();
        int pos = cursorPosition();
        if (hasSelectedText()) {
            pos = selectionStart();
            base.remove(pos, selectedText().size());
        }
        if (Cp1251::canEncode(typed)) {
            if (const auto r = filterKey(base, pos, typed[0])) {
                setText(r->text);
                setCursorPosition(int(qMin<qsizetype>(r->caret, text().size())));
            }
        }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TFilteredEdit::rewrite(const QString& text) {
    const int caret = cursorPosition();
    reverting_ = true;
    setText(text);
    reverting_ = false;
    setCursorPosition(int(qMin<qsizetype>(caret, text.size())));
}

void TFilteredEdit::onTextChanged(const QString& text) {
    if (reverting_)
        return;
    if (!Cp1251::canEncode(text)) {
        rewrite(previous_);
        return;
    }
    const std::optional<QString> kept = checkText(text);
    if (!kept && previousFits_) {
        rewrite(previous_);
        return;
    }
    const QString now = kept.value_or(text);
    if (now != text)
        rewrite(now);
    previousFits_ = kept.has_value();
    if (now != previous_) {
        previous_ = now;
        ContentNotice::send();
        emit changed();
    }
}
