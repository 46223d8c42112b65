#include "PrimaryCheck.h"

#include <array>
#include <span>

namespace {

constexpr std::array<int, 9> kWeights10 = {31, 29, 23, 19, 17, 13, 7, 5, 3};
constexpr std::array<int, 10> kWeights11 = {37, 31, 29, 23, 19, 17, 13, 7, 5, 3};
constexpr std::array<int, 11> kWeights12 = {41, 37, 31, 29, 23, 19, 17, 13, 7, 5, 3};

// The check character of the leading digits.
QChar checkDigit(const QString& digits, std::span<const int> weights) {
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += digits.at(qsizetype(i)).digitValue() * weights[i];
    const int r = 11 - sum % 11;
    return r >= 10 ? QLatin1Char('0') : QChar(QLatin1Char(char('0' + r)));
}

bool allDigits(const QString& text) {
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

const QString kTitlePrefix = QStringLiteral("Проверка: ");
const QString kNoName = QStringLiteral("Не заполненно поле \"Наименование источника выплаты\"");
const QString kBadDigits = QStringLiteral("Номер ИНН введен неверно");
const QString kNoKpp = QStringLiteral("Отсутствует КПП");
const QString kKppLength = QStringLiteral("Длинна КПП должна быть равна 9 цифрам");
const QString kEnterInn = QStringLiteral("Введите ИНН");
const QString kOrgInnLength = QStringLiteral("Длинна ИНН для юрлиц должна быть равна 10 цифрам");

// One run of a source check: one dialog whose buttons, once disabled, stay so.
class SourceRun {
public:
    SourceRun(CheckAsker& asker, const QString& title, bool skipOffered)
        : asker_(asker), title_(kTitlePrefix + title), skipOffered_(skipOffered) {}

    // A further step runs only while the user has neither chosen a field to fix
    // nor asked to skip the rest.
    bool goOn() const { return !stopped_; }

    void report(const QString& message, int position, bool skipAllowed = true) {
        if (!skipAllowed)
            skipOffered_ = false;
        CheckAnswer a = asker_.AskPage(title_, message, skipOffered_, false);
        // Skip-all is never offered by these checks; an answer it was not
        // offered for counts as closing the window.
        if (a == CheckAnswer::SkipAll)
            a = CheckAnswer::Cancel;
        stopped_ = a == CheckAnswer::Fix;
        result_ = a == CheckAnswer::Fix ? position : SourceField::kNone;
    }
    int result() const { return result_; }

private:
    CheckAsker& asker_;
    QString title_;
    bool skipOffered_;
    bool stopped_ = false;
    int result_ = SourceField::kNone;
};

} // namespace

InnOutcome CheckInn(const QString& text, InnKind kind) {
    const QString inn = text.trimmed();
    if (inn.isEmpty())
        return InnOutcome::Empty;
    const qsizetype n = inn.size();
    switch (kind) {
    case InnKind::AnyInn:
        if (n != 10 && n != 12)
            return InnOutcome::WrongLengthAny;
        break;
    case InnKind::OrganisationInn:
        if (n != 10)
            return InnOutcome::WrongLengthOrganisation;
        break;
    case InnKind::PersonInn:
        if (n != 12)
            return InnOutcome::WrongLengthPerson;
        break;
    }
    // Only digits can have check digits; anything else is simply a wrong number.
    if (!allDigits(inn))
        return InnOutcome::WrongDigits;
    QString expected;
    if (n == 10) {
        expected = inn.left(9);
        expected += checkDigit(expected, kWeights10);
    } else {
        // The twelfth digit is formed from the computed eleventh, not the typed one.
        expected = inn.left(10);
        expected += checkDigit(expected, kWeights11);
        expected += checkDigit(expected, kWeights12);
    }
    return expected == inn ? InnOutcome::Valid : InnOutcome::WrongDigits;
}

KppOutcome CheckKpp(const QString& text) {
    const QString kpp = text.trimmed();
    if (kpp.isEmpty())
        return KppOutcome::Empty;
    return kpp.size() == 9 ? KppOutcome::Valid : KppOutcome::WrongLength;
}

int CheckPaymentSource(CheckAsker& asker, const QString& title, const QString& sourceName,
                       const QString& okato, const QString& kpp, const QString& inn) {
    SourceRun run(asker, title, true);
    if (run.goOn() && sourceName.trimmed().isEmpty())
        run.report(kNoName, SourceField::kName, false);
    if (run.goOn() && okato.trimmed().size() <= 10)
        run.report(QStringLiteral("Не введен код ОКАТО (11 символов). (При продаже имущества "
                                  "физ.лицу - не нужен)"),
                   SourceField::kOkato);
    if (run.goOn()) {
        const InnOutcome r = CheckInn(inn, InnKind::AnyInn);
        if (r == InnOutcome::WrongLengthAny)
            run.report(QStringLiteral("Длинна ИНН должна быть равна 10 или 12 цифрам"),
                       SourceField::kInn, false);
        else if (r == InnOutcome::WrongDigits)
            run.report(kBadDigits, SourceField::kInn);
    }
    if (run.goOn()) {
        // A KPP belongs to an organisation, so it goes only with a 10-digit INN.
        if (inn.size() == 10) {
            const KppOutcome k = CheckKpp(kpp);
            if (k == KppOutcome::Empty)
                run.report(kNoKpp, SourceField::kKpp, false);
            else if (k == KppOutcome::WrongLength)
                run.report(kKppLength, SourceField::kKpp, false);
        } else if (!kpp.isEmpty()) {
            run.report(inn.isEmpty() ? kEnterInn : kOrgInnLength, SourceField::kInn, false);
        }
    }
    return run.result();
}

int CheckOrganisationSource(CheckAsker& asker, const QString& title, const QString& sourceName,
                            const QString& okato, const QString& kpp, const QString& inn) {
    SourceRun run(asker, title, false);
    if (run.goOn() && sourceName.trimmed().isEmpty())
        run.report(kNoName, SourceField::kName);
    if (run.goOn() && okato.trimmed().size() <= 10)
        run.report(QStringLiteral("Не введен код ОКАТО (11 символов)"), SourceField::kOkato);
    if (run.goOn()) {
        const InnOutcome r = CheckInn(inn, InnKind::OrganisationInn);
        if (r == InnOutcome::WrongLengthOrganisation)
            run.report(QStringLiteral("Длинна ИНН должна быть равна 10 цифрам"), SourceField::kInn);
        else if (r == InnOutcome::WrongDigits)
            run.report(kBadDigits, SourceField::kInn);
    }
    if (run.goOn()) {
        const KppOutcome k = CheckKpp(kpp);
        if (k == KppOutcome::Empty)
            run.report(kNoKpp, SourceField::kKpp);
        else if (k == KppOutcome::WrongLength)
            run.report(kKppLength, SourceField::kKpp);
    }
    if (run.goOn()) {
        if (inn.isEmpty())
            run.report(kEnterInn, SourceField::kInn);
        else if (inn.size() != 10)
            run.report(kOrgInnLength, SourceField::kInn);
    }
    return run.result();
}
