#include "SvodPrilE2.h"

#include "BMLogik.h"
#include "RateMath.h"
#include "model/DeclClasses.h"

namespace {

constexpr qint64 kCharityPercent = 25;
constexpr Money kChildEducationLimit = Money::fromRoubles(50000);
constexpr Money kCommonLimit = Money::fromRoubles(120000);

CalcJson pensionRowJson(const PensionRow& r, bool pension) {
    const QString p = pension ? QStringLiteral("ПВ") : QStringLiteral("СВ");
    const QString contract = pension ? QStringLiteral("НПО") : QStringLiteral("ДПС");
    return CalcJson()
        .number(QStringLiteral("contract"), r.contractIndex)
        .number(QStringLiteral("ПрДогНПО"), r.sign)
        .date(QStringLiteral("ДатаДог") + contract, r.contractDate)
        .text(QStringLiteral("НомДог") + contract, r.contractNumber)
        .money(QStringLiteral("Сум%1ОбщПер").arg(p), r.contributionPaid)
        .money(QStringLiteral("Сум%1Выч").arg(p), r.forDeduction)
        .money(QStringLiteral("СумВыч%1ПерНА").arg(p), r.agentDeduction)
        .text(QStringLiteral("Наим"), r.orgName)
        .text(QStringLiteral("ИННЮЛ"), r.orgInn)
        .text(QStringLiteral("КПП"), r.orgKpp);
}

} // namespace

bool kTSvodSumPrilE2::Compute(const mTDeclaration& d, kTSvodSum& sum) {
    const mTSocialDeduct& sd = d.socialDeduction;
    if (!sd.granted || d.formKind != 0)
        return true;
    SocialUnlimited& unlimited = РасчВычСоцБез219_2;
    SocialLimited& limited = РасчВычСоц219_2;

    const Money income =
        sum.prilA13.ДоходОбщ + sum.prilB13.ДоходИноРубОбщ + sum.prilV1.ДоходИт + sum.prilV2.ДоходИт;
    unlimited.СумБлагЦел = sd.charity;
    if (ExceedsPercent(sd.charity, income, kCharityPercent))
        unlimited.СумБлагЦел = RateProduct(income, kCharityPercent, RateRounding::KopecksDown);
    limited.СумОбуч = sd.ownEducation;
    // Each payment counts up to the limit; the entered amounts stay as they are.
    for (const Money amount : sd.childEducation)
        unlimited.СумОбуч += qMin(amount, kChildEducationLimit);
    limited.СумЛечен = sd.treatment;
    unlimited.СумЛечен = sd.expensiveTreatment;
    limited.СумЛичСтрах = sd.voluntaryInsurance;
    limited.СумДопСтрахФЗ = sd.extraPensionContributions;

    kTSvodSumPrilE3& pensions = sum.prilE3;
    pensions.Compute(d);
    limited.СумПенсСтрахДр = pensions.СумСВВычОбщ;
    limited.СумНгПенсСтрахДр = pensions.СумПВВычОбщ;

    unlimited.ИтогВычСоциал = unlimited.СумБлагЦел + unlimited.СумОбуч + unlimited.СумЛечен;
    const Money claimed = limited.СумЛичСтрах + limited.СумПенсСтрахДр + limited.СумНгПенсСтрахДр +
                          limited.СумДопСтрахФЗ + limited.СумОбуч + limited.СумЛечен;
    // What agents already deducted on pension contracts is counted once, on its own,
    // by the 13 percent section.
    limited.ИтогВычСоциал = qMax(qMin(claimed, kCommonLimit) - pensions.СумВычОбщ, Money());
    ИтогВычСоциал = unlimited.ИтогВычСоциал + limited.ИтогВычСоциал;
    return true;
}

CalcJson kTSvodSumPrilE2::ToJson() const {
    const SocialUnlimited& unlimited = РасчВычСоцБез219_2;
    const SocialLimited& limited = РасчВычСоц219_2;
    return CalcJson()
        .money(QStringLiteral("ИтогВычСоциал"), ИтогВычСоциал)
        .object(QStringLiteral("РасчВычСоцБез219.2"),
                CalcJson()
                    .money(QStringLiteral("СумБлагЦел"), unlimited.СумБлагЦел)
                    .money(QStringLiteral("СумОбуч"), unlimited.СумОбуч)
                    .money(QStringLiteral("СумЛечен"), unlimited.СумЛечен)
                    .money(QStringLiteral("ИтогВычСоциал"), unlimited.ИтогВычСоциал))
        .object(QStringLiteral("РасчВычСоц219.2"),
                CalcJson()
                    .money(QStringLiteral("СумОбуч"), limited.СумОбуч)
                    .money(QStringLiteral("СумЛечен"), limited.СумЛечен)
                    .money(QStringLiteral("СумЛичСтрах"), limited.СумЛичСтрах)
                    .money(QStringLiteral("СумПенсСтрахДр"), limited.СумПенсСтрахДр)
                    .money(QStringLiteral("СумНгПенсСтрахДр"), limited.СумНгПенсСтрахДр)
                    .money(QStringLiteral("СумДопСтрахФЗ"), limited.СумДопСтрахФЗ)
                    .money(QStringLiteral("ИтогВычСоциал"), limited.ИтогВычСоциал));
}

bool kTSvodSumPrilE3::Compute(const mTDeclaration& d) {
    const auto& contracts = d.socialDeduction.pensionContracts;
    for (std::size_t i = 0; i < contracts.size(); ++i) {
        const mTPens& c = *contracts[i];
        const bool pension = c.contractKind == 1 || c.contractKind == 2;
        const bool insurance = c.contractKind == 3 || c.contractKind == 4;
        if (!pension && !insurance)
            continue;
        PensionRow row;
        row.contractIndex = int(i);
        row.sign = pension ? c.contractKind : c.contractKind - 2;
        row.orgName = c.orgName;
        row.orgInn = c.orgInn;
        row.orgKpp = c.orgKpp;
        row.contractNumber = c.contractNumber;
        row.contractDate = c.contractDate;
        row.contributionPaid = c.contributionPaid;
        // The amount the page lets the user claim is shown but not used: the whole
        // contribution is the amount for deduction.
        row.forDeduction = c.contributionPaid;
        row.agentDeduction = qMin(c.agentDeduction, c.contributionPaid);
        if (pension) {
            СумПВВычОбщ += row.forDeduction;
            agentTotalPension += row.agentDeduction;
            РасчСумПВВыч.push_back(std::move(row));
        } else {
            СумСВВычОбщ += row.forDeduction;
            agentTotalInsurance += row.agentDeduction;
            РасчСумСВВыч.push_back(std::move(row));
        }
    }
    СумВычОбщ = agentTotalPension + agentTotalInsurance;
    return true;
}

CalcJson kTSvodSumPrilE3::ToJson() const {
    std::vector<CalcJson> pensionRows, insuranceRows;
    for (const PensionRow& r : РасчСумПВВыч)
        pensionRows.push_back(pensionRowJson(r, true));
    for (const PensionRow& r : РасчСумСВВыч)
        insuranceRows.push_back(pensionRowJson(r, false));
    return CalcJson()
        .money(QStringLiteral("СумВычОбщ"), СумВычОбщ)
        .object(QStringLiteral("РасчВычДогНПО"),
                CalcJson()
                    .money(QStringLiteral("СумПВВычОбщ"), СумПВВычОбщ)
                    .money(QStringLiteral("agentTotal"), agentTotalPension)
                    .list(QStringLiteral("РасчСумПВВыч"), std::move(pensionRows)))
        .object(QStringLiteral("РасчВычДогДПС"),
                CalcJson()
                    .money(QStringLiteral("СумСВВычОбщ"), СумСВВычОбщ)
                    .money(QStringLiteral("agentTotal"), agentTotalInsurance)
                    .list(QStringLiteral("РасчСумСВВыч"), std::move(insuranceRows)));
}
