#include "MaskedEdit.h"

#include <QFontMetrics>
#include <QLocale>

using namespace FieldChars;

TMaskedEdit::TMaskedEdit(QWidget* parent) : TFilteredEdit(parent) {}

TMaskedEdit::TMaskedEdit(TEditTypeControlEnum type, int wholeLength, int fractionalLength,
                         QWidget* parent)
    : TFilteredEdit(parent), type_(type), whole_(wholeLength), fraction_(fractionalLength) {}

void TMaskedEdit::setEditType(TEditTypeControlEnum type) {
    type_ = type;
    shapeChanged();
}

void TMaskedEdit::setWholeLength(int n) {
    whole_ = n;
    shapeChanged();
}

void TMaskedEdit::setFractionalLength(int n) {
    fraction_ = n;
    shapeChanged();
}

QSize TMaskedEdit::minimumSizeHint() const {
    QSize size = TFilteredEdit::minimumSizeHint();
    if (type_ != edtCurrency)
        return size;
    QString widest(whole_ > 0 ? qMin(whole_, 10) : 10, QLatin1Char('9'));
    if (fraction_ > 0)
        widest += decimalSeparator() + QString(fraction_, QLatin1Char('9'));
    // The base hint already holds the frame, the margins and one widest character.
    const QFontMetrics fm = fontMetrics();
    size.rwidth() += qMax(0, fm.horizontalAdvance(widest) - fm.maxWidth());
    return size;
}

QChar TMaskedEdit::decimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char(',') : point.at(0);
}

Money TMaskedEdit::money() const {
    return Money::parse(text(), decimalSeparator()).value_or(Money());
}

void TMaskedEdit::loadMoney(Money value) {
    loadText(value.isZero() ? QString() : value.toString(decimalSeparator()));
}

// Digits, at most one separator, and the limits on both sides. A sign is not
// taken: no key can type one, so a pasted one has no place either.
bool TMaskedEdit::currencyFits(const QString& text) const {
    const QChar sep = decimalSeparator();
    const qsizetype at = text.indexOf(sep);
    const QStringView whole = at < 0 ? QStringView(text) : QStringView(text).left(at);
    const QStringView frac = at < 0 ? QStringView() : QStringView(text).mid(at + 1);
    if (!allDigits(whole) || !allDigits(frac))
        return false;
    if (!Money::parse(text, sep))
        return false;
    if (whole_ != 0 && whole.size() > whole_)
        return false;
    if (fraction_ != 0 && frac.size() > fraction_)
        return false;
    return true;
}

std::optional<TFilteredEdit::KeyResult> TMaskedEdit::filterKey(const QString& text, int pos,
                                                               QChar ch) const {
    QString candidate = text;
    switch (type_) {
    case edtCurrency: {
        if (ch == QLatin1Char('.') || ch == QLatin1Char(',')) {
            const QChar sep = decimalSeparator();
            if (text.contains(sep))
                return std::nullopt;
            candidate.insert(pos, sep);
            return KeyResult{candidate, pos + 1};
        }
        if (!isDigit(ch))
            return std::nullopt;
        candidate.insert(pos, ch);
        if (!currencyFits(candidate))
            return std::nullopt;
        return KeyResult{candidate, pos + 1};
    }
    case edtDigital:
        if (!isDigit(ch) || (whole_ != 0 && text.size() >= whole_))
            return std::nullopt;
        break;
    case edtChar:
        if (isDigit(ch) || (whole_ != 0 && text.size() >= whole_))
            return std::nullopt;
        break;
    case edtNone:
        if (whole_ != 0 && text.size() >= whole_)
            return std::nullopt;
        break;
    }
    candidate.insert(pos, ch);
    return KeyResult{candidate, pos + 1};
}

std::optional<QString> TMaskedEdit::checkText(const QString& text) const {
    switch (type_) {
    case edtCurrency:
        if (text.trimmed().isEmpty())
            return QString();
        if (!currencyFits(text))
            return std::nullopt;
        return text;
    case edtDigital:
        if ((whole_ != 0 && text.trimmed().size() > whole_) || !allDigits(text))
            return std::nullopt;
        return text;
    case edtChar:
        if (whole_ != 0 && text.size() > whole_)
            return std::nullopt;
        for (const QChar c : text)
            if (isDigit(c))
                return std::nullopt;
        return text;
    case edtNone:
        if (whole_ != 0 && text.size() > whole_)
            return std::nullopt;
        return text;
    }
    return text;
}
