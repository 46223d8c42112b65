#include "DocumentCheck.h"

#include "PrimaryCheck.h"
#include "calc/RateMath.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace {

const QString kConditions = QStringLiteral("Задание условий");
const QString kDeclarant = QStringLiteral("Сведения о декларанте");
const QString kThirteen = QStringLiteral("Доходы, облагаемые ставкой 13%");
const QString kCurrency = QStringLiteral("Доходы в валюте");
const QString kBusiness = QStringLiteral("Доходы от предпринимательской деятельности");
const QString kRepetit = QStringLiteral("Доходы от частной практики");
const QString kSocial = QStringLiteral("Социальные вычеты");
const QString kStandard = QStringLiteral("Стандартные вычеты");
const QString kProperty = QStringLiteral("Имущественный налоговый вычет");

const QString kLabourContracts = QStringLiteral("Расходы по оплате трудовых договоров(");
const QString kExceedLabour = QStringLiteral(") превышают сумму расходов на оплату труда (");

// Amounts in messages: shortest form with the program's decimal comma.
QString amount(Money m) {
    return m.toString(QLatin1Char(','));
}

// Sums of amounts typed by the user (or read from a damaged file) must not wrap.
Money addClamped(Money a, Money b) {
    qint64 r = 0;
    if (__builtin_add_overflow(a.raw(), b.raw(), &r))
        r = b.raw() > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return Money::fromRaw(r);
}

template <typename... M> Money sumOf(Money first, M... rest) {
    Money s = first;
    ((s = addClamped(s, rest)), ...);
    return s;
}

int yearOf(double date) {
    return TDateTime::toDate(date).year();
}

// Income codes whose deduction is fixed by the code itself, so a zero deduction
// amount is no omission.
bool deductionNeedsNoAmount(qint32 incomeCode) {
    static constexpr qint32 kCodes[] = {1530, 1531, 1532, 1533, 1535, 1536, 1537, 1538, 1539, 1541};
    return std::find(std::begin(kCodes), std::end(kCodes), incomeCode) != std::end(kCodes);
}

class Pass {
public:
    Pass(const mTDeclaration& d, CheckAsker& asker) : d_(d), asker_(&asker) {}
    // Collects every finding instead of asking: each check runs as if every
    // earlier message had been skipped, and each list is walked to its end.
    explicit Pass(const mTDeclaration& d, std::vector<CheckResult>& findings)
        : d_(d), findings_(&findings) {}

    CheckResult Run() {
        conditions();
        if (clear())
            declarantName();
        if (clear() && d_.formKind != 2)
            declarantAddress();
        if (clear() && (d_.incomeFlags() & mTDeclaration::kFlagAgents))
            thirteen();
        if (clear() && (d_.incomeFlags() & mTDeclaration::kFlagCurrency))
            currency();
        if (clear() && (d_.incomeFlags() & mTDeclaration::kFlagBusiness))
            business();
        if (clear() && (d_.incomeFlags() & mTDeclaration::kFlagRepetit))
            repetit();
        if (d_.incomeFlags() != 0) {
            if (clear())
                social();
            if (clear())
                standard();
            if (clear() && d_.propertyDeduction.granted)
                property();
        }
        if (clear() && d_.formKind != 2 && d_.person.okato.trimmed().size() < 11)
            show(CheckPage::kDeclarantAddress, kDeclarant,
                 QStringLiteral("Не введен код ОКАТО(11 симв.) по месту жительства"), 4);
        return result_;
    }

private:
    bool clear() const { return collecting() || result_.targetField == 0; }
    bool collecting() const { return findings_ != nullptr; }

    void show(quint16 page, const QString& caption, const QString& message, int position) {
        if (collecting()) {
            findings_->push_back({page, qint16(position), caption, message});
            return;
        }
        const CheckAnswer a = asker_->AskDocument(QStringLiteral("Проверка: ") + caption, message);
        last_ = a;
        result_.targetPage = page;
        result_.targetField = a == CheckAnswer::Fix ? qint16(position) : qint16(-1);
        result_.caption = caption;
        result_.message = message;
    }

    // Here an "Отмена" does not end the group: only "Исправить" does.
    void conditions() {
        const auto ask = [this](const QString& message, int position) {
            show(CheckPage::kConditions, kConditions, message, position);
        };
        const auto goOn = [this] { return collecting() || last_ != CheckAnswer::Fix; };
        if (goOn() && d_.inspectionCode.isEmpty())
            ask(QStringLiteral("Не введен номер инспекции"), 1);
        const bool represented = d_.signerKind != 0;
        if (goOn() && represented && d_.representativeName.trimmed().isEmpty())
            ask(QStringLiteral("Не указаны ФИО подписанта-представителя"), 3);
        if (goOn() && represented && d_.representativeDocument.trimmed().isEmpty())
            ask(QStringLiteral("Не указан документ, подтверждающий полномочия представителя"), 4);
        if (goOn() && d_.signerKind == 2 && d_.representativeOrgName.trimmed().isEmpty())
            ask(QStringLiteral("Не указано наименование Юр.лица-представителя"), 5);
    }

    void declarantName() {
        const mTPersonInformation& p = d_.person;
        const auto ask = [this](const QString& message, int position) {
            show(CheckPage::kDeclarantName, kDeclarant, message, position);
        };
        if (p.surname.isEmpty())
            ask(QStringLiteral("Не введена фамилия"), 1);
        if (clear() && p.firstName.isEmpty())
            ask(QStringLiteral("Не введено имя"), 2);
        const InnOutcome r = CheckInn(p.inn, InnKind::PersonInn);
        if (clear() && r == InnOutcome::WrongLengthPerson)
            ask(QStringLiteral("Длинна ИНН должна быть равна 12 цифрам"), 4);
        if (clear() && r == InnOutcome::WrongDigits)
            ask(QStringLiteral("Номер ИНН введен неверно"), 4);
        const bool innRequired = (d_.incomeFlags() & mTDeclaration::kFlagBusiness) ||
                                 d_.taxpayerKind == 0 || d_.formKind == 2;
        if (clear() && r == InnOutcome::Empty && innRequired)
            ask(d_.formKind == 2 ? QStringLiteral("Не указан ИНН")
                                 : QStringLiteral("Лицам имеющим доходы от предпринимательской "
                                                  "деятельности необходимо ввести ИНН"),
                4);
        // Without a valid INN the declarant is identified by birth place and document.
        if (clear() && r != InnOutcome::Valid && p.birthPlace.trimmed().isEmpty())
            ask(QStringLiteral("Не указано место рождения"), 9);
        if (clear() && r != InnOutcome::Valid && p.idDocKind == 0)
            ask(QStringLiteral("Не указан документ, удостоверяющий личность"), 5);
        if (p.idDocKind != 0) {
            if (clear() && p.idDocSeriesNumber.isEmpty())
                ask(QStringLiteral("Не указаны серия и номер документа, удостоверяющего личность"),
                    6);
            if (clear())
                issueDate(p);
            if (clear() && p.idDocIssuer.isEmpty())
                ask(QStringLiteral("Не указано, кем выдан документ, удостоверяющий личность"), 8);
        }
        if (clear() && d_.formKind == 2 && p.okato.trimmed().size() < 11)
            ask(QStringLiteral("Не введен код ОКАТО (11 символов)"), 10);
    }

    void issueDate(const mTPersonInformation& p) {
        if (p.idDocIssueDate < p.birthDate) {
            show(CheckPage::kDeclarantName, kDeclarant,
                 QStringLiteral("Дата выдачи документа не может быть меньше даты рождения"), 7);
            return;
        }
        // Documents that are issued from the age of 14 only.
        static constexpr qint16 kFromFourteen[] = {7, 8, 21, 24};
        if (std::find(std::begin(kFromFourteen), std::end(kFromFourteen), p.idDocKind) ==
            std::end(kFromFourteen))
            return;
        const QDate birth = TDateTime::toDate(p.birthDate);
        if (!birth.isValid())
            return;
        const int day = birth.month() == 2 && birth.day() == 29 ? 28 : birth.day();
        const QDate fourteen(birth.year() + 14, birth.month(), day);
        if (TDateTime::fromDate(fourteen) > p.idDocIssueDate)
            show(CheckPage::kDeclarantName, kDeclarant,
                 QStringLiteral("Дата выдачи документа должна быть больше даты рождения как "
                                "минимум на 14 лет"),
                 7);
    }

    void declarantAddress() {
        const mTPersonInformation& p = d_.person;
        if (p.regionCode == 0)
            show(CheckPage::kDeclarantAddress, kDeclarant,
                 QStringLiteral("Не указан регион постоянного местожительства"), 2);
        if (clear() && p.locality.isEmpty() && p.street.isEmpty())
            show(CheckPage::kDeclarantAddress, kDeclarant,
                 QStringLiteral("Не указан населенный пункт (село, поселок) или улица (проспект, "
                                "переулок)"),
                 5);
    }

    // The second loop runs even after a message of the first: two messages can
    // follow each other, and the second answer decides.
    void thirteen() {
        const auto& sources = d_.thirteenSources;
        for (int i = 0; i < sources.Count(); ++i) {
            const mTThirteenPercent& s = sources.Get(i);
            if (s.totalIncome < s.taxWithheld) {
                show(CheckPage::kThirteen, kThirteen,
                     QStringLiteral("По данному источнику выплаты общая сумма дохода меньше "
                                    "удержанной суммы"),
                     i + 1);
                if (!collecting())
                    break;
            }
        }
        for (int i = 0; i < sources.Count(); ++i) {
            if (sources.Get(i).RowCount() == 0) {
                show(CheckPage::kThirteen, kThirteen,
                     QStringLiteral("По данному источнику не указаны доходы"), i + 1);
                if (!collecting())
                    break;
            }
        }
    }

    template <typename Found> void eachCurrency(Found found, const QString& message) {
        const auto& list = d_.currencyIncomes;
        for (int i = 0; clear() && i < list.Count(); ++i)
            if (found(list.Get(i)))
                show(CheckPage::kCurrency, kCurrency, message, i + 1);
    }

    void currency() {
        using C = mTCurrencyIncome;
        eachCurrency([](const C& c) { return c.currencyCode.isEmpty(); },
                     QStringLiteral("По данному источнику выплаты не указан код валюты"));
        eachCurrency(
            [](const C& c) { return c.unitsOnIncomeDate == 0 || c.rateOnIncomeDate.isZero(); },
            QStringLiteral("По данному источнику выплаты не указан курс валюты"));
        eachCurrency([](const C& c) { return c.incomeCode == 0; },
                     QStringLiteral("По данному источнику выплаты не указан код дохода"));
        eachCurrency([](const C& c) { return c.incomeInCurrency.isZero(); },
                     QStringLiteral("По данному источнику выплаты не указана сумма дохода"));
        eachCurrency(
            [](const C& c) {
                return c.deductionCode != 0 && !deductionNeedsNoAmount(c.incomeCode) &&
                       c.deductionAmount.isZero();
            },
            QStringLiteral("По данному источнику выплаты не указана сумма вычета"));
    }

    void business() {
        const auto& list = d_.businessActivities;
        for (int i = 0; clear() && i < list.Count(); ++i) {
            const mTBusinessNew& b = list.Get(i);
            const auto ask = [&](const QString& message) {
                show(CheckPage::kBusiness, kBusiness, message, i + 1);
            };
            if (b.hasConfirmedExpenses != list.Get(0).hasConfirmedExpenses)
                ask(QStringLiteral("Нельзя одновременно пользоваться и подтвержденными расходами и "
                                   "нормативом 20%."));
            if (clear() && b.activityKind == QLatin1String("1") &&
                b.activityCode.trimmed().size() < 4)
                ask(QStringLiteral(
                    "Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку"));
            if (!b.hasConfirmedExpenses)
                continue;
            if (clear() && b.labourExpenses < b.labourContractExpenses)
                ask(kLabourContracts + amount(b.labourContractExpenses) + kExceedLabour +
                    amount(b.labourExpenses) + QLatin1Char(')'));
            Money parts;
            for (const Money m : b.otherExpenseParts)
                parts = addClamped(parts, m);
            if (clear() && parts > b.otherExpenses)
                ask(QStringLiteral("Сумма прочих расходов (") + amount(b.otherExpenses) +
                    QStringLiteral(") меньше суммы ее составляющих (") + amount(parts) +
                    QLatin1Char(')'));
            const Money all =
                sumOf(b.materialExpenses, b.depreciation, b.labourExpenses, b.otherExpenses);
            if (clear() && all > b.expensesTotal)
                ask(QStringLiteral("Общие расходы (") + amount(b.expensesTotal) +
                    QStringLiteral(") меньше суммы расходов материальных, на оплату труда, "
                                   "прочих и амортизационных отчислений (") +
                    amount(all) + QLatin1Char(')'));
        }
    }

    // No page shows private practice; the item's index still marks the finding,
    // so that "Исправить" stops the command like any other finding.
    void repetit() {
        const auto& list = d_.repetitIncomes;
        for (int i = 0; clear() && i < list.Count(); ++i) {
            const auto& a = list.Get(i).repetitAmounts;
            // Counted from 1 as the amounts are listed.
            const auto at = [&a](int n) { return a[std::size_t(n - 1)]; };
            const auto ask = [&](const QString& message) {
                show(CheckPage::kRepetit, kRepetit, message, i + 1);
            };
            const Money total = at(2), material = at(3), depreciation = at(6), labour = at(7),
                        contracts = at(8), other = at(9);
            if (labour < contracts)
                ask(kLabourContracts + amount(contracts) + kExceedLabour + amount(labour) +
                    QLatin1Char(')'));
            const Money materialParts = addClamped(at(4), at(5));
            if (clear() && materialParts > material)
                ask(QStringLiteral("Сумма материальных расходов меньше (") + amount(material) +
                    QStringLiteral(") суммы расходов на энергию и неамортизируемое имущество(") +
                    amount(materialParts) + QLatin1Char(')'));
            Money otherParts;
            for (int n = 10; n <= 21; ++n)
                otherParts = addClamped(otherParts, at(n));
            if (clear() && otherParts > other)
                ask(QStringLiteral("Сумма прочих расходов (") + amount(other) +
                    QStringLiteral(") не совпадает с суммой ее составляющих (") +
                    amount(otherParts) + QLatin1Char(')'));
            const Money all = sumOf(depreciation, material, labour, other);
            if (clear() && all > total)
                ask(QStringLiteral("Общие расходы (") + amount(total) +
                    QStringLiteral(") не совпадают с суммой расходов материальных, на оплату "
                                   "труда, прочих и амортизационных отчислений (") +
                    amount(all) + QLatin1Char(')'));
        }
    }

    void social() {
        const mTSocialDeduct& s = d_.socialDeduction;
        if (s.granted && s.charity.isZero() && s.ownEducation.isZero() && s.treatment.isZero() &&
            s.expensiveTreatment.isZero() && s.voluntaryInsurance.isZero() &&
            s.extraPensionContributions.isZero() && s.childEducation.empty() &&
            s.pensionContracts.empty())
            show(CheckPage::kStandard, kSocial,
                 QStringLiteral("Не введены данные по социальным налоговым вычетам"), 1);
    }

    // Standard deductions come from one employer at a time.
    void standard() {
        const mTStandartDeduct& s = d_.standardDeduction;
        const quint8 flags = d_.incomeFlags();
        if (!s.granted || s.ownMonthlyData || (flags & mTDeclaration::kFlagBusiness) ||
            !(flags & mTDeclaration::kFlagAgents))
            return;
        for (std::size_t month = 0; month < 12; ++month) {
            int marks = 0;
            for (const mTThirteenPercent& src : d_.thirteenSources)
                if (src.monthlyStdDeduction[month].present)
                    ++marks;
            if (marks > 1) {
                show(CheckPage::kStandard, kStandard,
                     QStringLiteral("Вы не могли получать стандартные вычеты работая в нескольких "
                                    "местах ОДНОВРЕМЕННО."),
                     2);
                return; // one message, however many months overlap
            }
        }
    }

    void property() {
        const mTConstructionDeduct& p = d_.propertyDeduction;
        const auto ask = [this](const QString& message, int position) {
            show(CheckPage::kProperty, kProperty, message, position);
        };
        if (p.objectKind == 0)
            ask(QStringLiteral("Не введено наименование объекта"), 1);
        if (clear() && p.ownershipKind == 0)
            ask(QStringLiteral("Не введен вид собственности"), 10);
        if (clear() && p.taxpayerSign == 0)
            ask(QStringLiteral("Не введен признак налогоплательщика"), 11);
        if (clear() && p.objectRegionCode == QLatin1String("0"))
            ask(QStringLiteral("Не указан код региона"), 12);
        // The year that fixes the rules: the act of transfer for an investment
        // contract, otherwise the registration of the right.
        const int year = yearOf(p.byInvestment ? p.actDate : p.rightRegDate);
        if (clear() && !d_.isPensioner && yearOf(p.firstUseYear) < year && year >= 2009)
            ask(p.byInvestment ? QStringLiteral("Год начала пользования льготой меньше даты акта "
                                                "о передаче")
                               : QStringLiteral("Год начала пользования льготой меньше даты "
                                                "регистрации прав собственности"),
                5);
        if (clear() && year >= 2008 && p.prevDeclExpenses > Money::fromRoubles(2000000))
            ask(QStringLiteral("В предыдущие отчетные годы не могли зачесть более 2000000 рублей"),
                8);
        if (clear() && year < 2008 && p.prevDeclExpenses > Money::fromRoubles(1000000))
            ask(QStringLiteral("В предыдущие отчетные годы не могли зачесть более 1000000 рублей"),
                8);
        if (clear() &&
            sumOf(p.prevDeclExpenses, p.prevAgentExpenses, p.carriedExpenses) > carryLimit(p, year))
            ask(QStringLiteral("Перейти с прошлого года может не более 2000000 рублей * долю "
                               "собственности (за вычетом уже зачтенных сумм)"),
                6);
    }

    Money carryLimit(const mTConstructionDeduct& p, int year) const {
        qint64 numerator = p.shareNumerator;
        qint64 denominator = p.shareDenominator;
        // The page never stores a zero denominator; one from a hand-made or
        // damaged file means the whole object, as in the calculation.
        if (denominator == 0 || (d_.isPensioner && year >= 2014))
            numerator = denominator = 1;
        // 2 000 000.00 counted in kopecks, so that the exact scaling rounds
        // half up straight to kopecks.
        const Money kopecks = ScaleByFraction(Money::fromRaw(200000000), numerator, denominator);
        constexpr qint64 kPerKopeck = Money::kScale / 100;
        if (kopecks.raw() > std::numeric_limits<qint64>::max() / kPerKopeck)
            return Money::fromRaw(std::numeric_limits<qint64>::max());
        return Money::fromRaw(kopecks.raw() * kPerKopeck);
    }

    const mTDeclaration& d_;
    CheckAsker* asker_ = nullptr;
    std::vector<CheckResult>* findings_ = nullptr;
    std::optional<CheckAnswer> last_;
    CheckResult result_;
};

} // namespace

CheckResult CheckWholeDocument(const mTDeclaration& declaration, CheckAsker& asker) {
    return Pass(declaration, asker).Run();
}

CheckResult FirstFinding(const mTDeclaration& declaration) {
    FixFirstAsker asker;
    return CheckWholeDocument(declaration, asker);
}

std::vector<CheckResult> AllFindings(const mTDeclaration& declaration) {
    std::vector<CheckResult> findings;
    Pass(declaration, findings).Run();
    return findings;
}
