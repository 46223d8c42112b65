#include "MaskedDocEdit.h"

#include "RomanNumerals.h"

using namespace FieldChars;

namespace {

const QChar kSpace = QLatin1Char(' ');
const QChar kDash = QLatin1Char('-');

bool isLatinRomanSmall(QChar c) {
    return c == QLatin1Char('c') || c == QLatin1Char('i') || c == QLatin1Char('l') ||
           c == QLatin1Char('v') || c == QLatin1Char('x');
}

// The typing aids of the series: "1", "Л", "С", "У", "Х" stand for I, L, C, V, X.
QChar seriesLetter(QChar c) {
    switch (c.unicode()) {
    case u'1':
        return QLatin1Char('I');
    case u'Л':
        return QLatin1Char('L');
    case u'С':
        return QLatin1Char('C');
    case u'У':
        return QLatin1Char('V');
    case u'Х':
        return QLatin1Char('X');
    default:
        return c;
    }
}

bool seriesFits(QStringView series) {
    for (const QChar c : series)
        if (!RomanNumerals::isRomanLetter(c))
            return false;
    return series.size() <= 9 && RomanNumerals::isCanonical(series);
}

// Up to two letters, then optionally a space and up to maxDigits digits.
bool lettersDigitsFit(QStringView s, int maxDigits) {
    const qsizetype sp = s.indexOf(kSpace);
    if (sp < 0)
        return s.size() <= 2 && allCyrillicCapitals(s);
    const QStringView letters = s.left(sp);
    const QStringView digits = s.mid(sp + 1);
    return letters.size() <= 2 && allCyrillicCapitals(letters) && digits.size() <= maxDigits &&
           allDigits(digits);
}

bool digitsAndSpaces(QStringView s) {
    for (const QChar c : s)
        if (!isDigit(c) && c != kSpace)
            return false;
    return true;
}

bool fits99(QStringView s) {
    const qsizetype sp = s.indexOf(kSpace);
    if (sp < 0)
        return s.size() <= 2;
    return sp <= 2 && s.size() - sp - 1 <= 7;
}

bool fits99_(QStringView s) {
    const qsizetype sp = s.indexOf(kSpace);
    if (sp < 0)
        return s.size() <= 2;
    if (sp > 2)
        return false;
    const QStringView after = s.mid(sp + 1);
    const qsizetype sp2 = after.indexOf(kSpace);
    if (sp2 < 0)
        return after.size() <= 2;
    return sp2 <= 2 && after.size() - sp2 - 1 <= 6;
}

bool romanShapeFits(QStringView s) {
    const qsizetype dash = s.indexOf(kDash);
    if (dash < 0)
        return seriesFits(s);
    return seriesFits(s.left(dash)) && lettersDigitsFit(s.mid(dash + 1), 6);
}

} // namespace

TMaskedDocEdit::TMaskedDocEdit(QWidget* parent) : TFilteredEdit(parent) {}

void TMaskedDocEdit::setEditType(TDocumentMaskEnum type) {
    type_ = type;
    shapeChanged();
}

std::optional<TFilteredEdit::KeyResult> TMaskedDocEdit::filterRoman(const QString& text, int pos,
                                                                    QChar ch) const {
    QChar c = isLatinRomanSmall(ch) ? ch.toUpper() : toCyrillicCapital(ch);
    const bool accepted =
        c == kDash || isDigit(c) || RomanNumerals::isRomanLetter(c) || isCyrillicCapital(c);
    if (!accepted)
        return std::nullopt;
    const qsizetype dash = text.indexOf(kDash);
    if (dash < 0 || pos <= dash) {
        QString candidate = text;
        if (c == kDash) {
            if (dash >= 0)
                return std::nullopt;
            candidate.insert(pos, c);
            return KeyResult{candidate, pos + 1};
        }
        c = seriesLetter(c);
        if (!RomanNumerals::isRomanLetter(c))
            return std::nullopt;
        candidate.insert(pos, c);
        const qsizetype newDash = candidate.indexOf(kDash);
        if (!seriesFits(newDash < 0 ? QStringView(candidate)
                                    : QStringView(candidate).left(newDash)))
            return std::nullopt;
        return KeyResult{candidate, pos + 1};
    }
    if (c == kDash || !(isDigit(c) || isCyrillicCapital(c)))
        return std::nullopt;
    QString candidate = text;
    int at = pos;
    if (at == dash + 3 && !candidate.contains(kSpace)) {
        candidate.insert(at, kSpace);
        ++at;
    }
    candidate.insert(at, c);
    if (!lettersDigitsFit(QStringView(candidate).mid(dash + 1), 6))
        return std::nullopt;
    return KeyResult{candidate, at + 1};
}

std::optional<TFilteredEdit::KeyResult> TMaskedDocEdit::filterKey(const QString& text, int pos,
                                                                  QChar ch) const {
    QString candidate = text;
    int at = pos;
    switch (type_) {
    case edtR_BB:
        return filterRoman(text, pos, ch);
    case edt99:
    case edt99_: {
        if (!isDigit(ch))
            return std::nullopt; // typed spaces included
        if (at == 2 && !candidate.contains(kSpace)) {
            candidate.insert(at, kSpace);
            ++at;
        } else if (type_ == edt99_ && at == 5) {
            const qsizetype sp = candidate.indexOf(kSpace);
            if (sp >= 0 && !candidate.mid(sp + 1).contains(kSpace)) {
                candidate.insert(at, kSpace);
                ++at;
            }
        }
        candidate.insert(at, ch);
        if (!(type_ == edt99 ? fits99(candidate) : fits99_(candidate)))
            return std::nullopt;
        return KeyResult{candidate, at + 1};
    }
    case edtBB:
    case edtBB0: {
        const QChar c = toCyrillicCapital(ch);
        if (!isDigit(c) && !isCyrillicCapital(c))
            return std::nullopt; // typed spaces included
        if (at == 2 && !candidate.contains(kSpace)) {
            candidate.insert(at, kSpace);
            ++at;
        }
        candidate.insert(at, c);
        if (!lettersDigitsFit(candidate, type_ == edtBB ? 6 : 7))
            return std::nullopt;
        return KeyResult{candidate, at + 1};
    }
    case edtNone1:
    case edtNone2:
        candidate.insert(at, ch);
        if (candidate.size() > (type_ == edtNone1 ? 20 : 14))
            return std::nullopt;
        return KeyResult{candidate, at + 1};
    }
    return std::nullopt;
}

std::optional<QString> TMaskedDocEdit::checkText(const QString& text) const {
    switch (type_) {
    case edtR_BB: {
        QString s = text;
        const qsizetype dash = s.indexOf(kDash);
        const qsizetype seriesEnd = dash < 0 ? s.size() : dash;
        for (qsizetype i = 0; i < s.size(); ++i) {
            QChar c = isLatinRomanSmall(s[i]) ? s[i].toUpper() : toCyrillicCapital(s[i]);
            if (i < seriesEnd)
                c = seriesLetter(c);
            s[i] = c;
        }
        if (!romanShapeFits(s))
            return std::nullopt;
        return s;
    }
    case edt99:
        if (!digitsAndSpaces(text) || !fits99(text))
            return std::nullopt;
        return text;
    case edt99_:
        if (!digitsAndSpaces(text) || !fits99_(text))
            return std::nullopt;
        return text;
    case edtBB:
    case edtBB0: {
        QString s = text;
        for (QChar& c : s)
            c = toCyrillicCapital(c);
        if (!lettersDigitsFit(s, type_ == edtBB ? 6 : 7))
            return std::nullopt;
        return s;
    }
    case edtNone1:
        if (text.size() >= 21)
            return std::nullopt;
        return text;
    case edtNone2:
        if (text.size() >= 15)
            return std::nullopt;
        return text;
    }
    return text;
}
