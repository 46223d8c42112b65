#include "SvodPrilM.h"

#include "RateMath.h"
#include "model/DeclClasses.h"

#include <algorithm>

namespace {

constexpr qint32 kPayInKindCode = 2791; // pay in kind from agricultural producers
constexpr qint32 kMaterialBenefitCode = 2620;
constexpr qint32 kAdvertisingPrizeCode = 2740;
constexpr Money kPayInKindMonthly = Money::fromRoubles(4300);
constexpr qint64 kPayInKindPercent = 20;
constexpr Money kPrizeLimit = Money::fromRoubles(4000);

struct GroupRule {
    qint32 incomeCode;
    qint32 deductionCode;
    Money limit; // per row and in total; zero: the row's deduction amount, no limit
    ExemptGroup kTSvodSumPrilM::*group;
    const char16_t* name;
};

const GroupRule kGroups[] = {
    {2762, 508, Money(), &kTSvodSumPrilM::МатПомРожд, u"МатПомРожд"},
    {2760, 503, Money::fromRoubles(4000), &kTSvodSumPrilM::МатПомРаб, u"МатПомРаб"},
    {2761, 506, Money::fromRoubles(4000), &kTSvodSumPrilM::МатПомИнв, u"МатПомИнв"},
    {2720, 501, Money::fromRoubles(4000), &kTSvodSumPrilM::ПодарНП, u"ПодарНП"},
    {2730, 502, Money::fromRoubles(4000), &kTSvodSumPrilM::ПризНП, u"ПризНП"},
    {2770, 504, Money::fromRoubles(4000), &kTSvodSumPrilM::ВозмМед, u"ВозмМед"},
    {2790, 507, Money::fromRoubles(10000), &kTSvodSumPrilM::ПомПодар, u"ПомПодар"},
};

bool validMonth(int month) {
    return month >= 1 && month <= 12;
}

// The month-by-month exemption of one producer's pay in kind: all or nothing per
// month, at most 20 percent of the month's pay and at most 4300 plus what earlier
// months left unused.
void exemptPayInKind(ProducerPayRow& row) {
    for (ProducerMonth& m : row.months) {
        if (!m.ОплТрудНатур.isZero())
            break;
        m.ОплТрудОбщ = Money();
    }
    Money carried;
    for (ProducerMonth& m : row.months) {
        m.ДохНеНалПред = carried;
        Money exempt = m.ОплТрудНатур;
        if (m.ОплТрудНатур > RateProduct(m.ОплТрудОбщ, kPayInKindPercent, RateRounding::Kopecks))
            exempt = Money();
        if (m.ОплТрудНатур > carried + kPayInKindMonthly)
            exempt = Money();
        // A month without exemption passes the limit on but adds none of its own.
        m.ДохНеНалПослед =
            exempt.isZero() ? carried : qMax(carried + kPayInKindMonthly - exempt, Money());
        m.ДоходНеНалМ = exempt;
        carried = m.ДохНеНалПослед;
        row.ДоходНеНал += exempt;
    }
}

CalcJson groupJson(const ExemptGroup& g) {
    return CalcJson()
        .money(QStringLiteral("ДоходВсИст"), g.ДоходВсИст)
        .money(QStringLiteral("ДоходНеНал"), g.ДоходНеНал);
}

} // namespace

bool kTSvodSumPrilM::Compute(const mTDeclaration& d) {
    collectProducers(d);
    for (ProducerPayRow& row : ДохОплСХ) {
        exemptPayInKind(row);
        ДохНеНалОплСХ += row.ДоходНеНал;
    }
    collectGroups(d);
    ДохНеНалОбщ = ДохНеНалОплСХ;
    for (const GroupRule& rule : kGroups)
        ДохНеНалОбщ += (this->*rule.group).ДоходНеНал;
    return true;
}

void kTSvodSumPrilM::collectProducers(const mTDeclaration& d) {
    const mTOwnedList<mTThirteenPercent>* list = d.formKind == 0   ? &d.thirteenSources
                                                 : d.formKind == 1 ? &d.thirteenNrSources
                                                                   : nullptr;
    if (list == nullptr)
        return;
    for (int i = 0; i < list->Count(); ++i) {
        const mTThirteenPercent& s = list->Get(i);
        const auto& rows = s.rows();
        const bool producer = std::any_of(
            rows.begin(), rows.end(), [](const auto& r) { return r.incomeCode == kPayInKindCode; });
        if (!producer)
            continue;
        ProducerPayRow row;
        row.sourceIndex = i;
        row.sourceInn = s.sourceInn;
        row.sourceKpp = s.sourceKpp;
        for (const mTThirteenPercent::IncomeRow& r : rows) {
            if (!validMonth(r.month))
                continue;
            ProducerMonth& m = row.months[std::size_t(r.month - 1)];
            if (r.incomeCode == kPayInKindCode)
                m.ОплТрудНатур += r.amount;
            m.ОплТрудОбщ += r.amount;
        }
        ДохОплСХ.push_back(std::move(row));
    }
}

void kTSvodSumPrilM::collectGroups(const mTDeclaration& d) {
    const bool currency = d.incomeFlags() & mTDeclaration::kFlagCurrency;
    if (d.thirteenSources.Count() == 0 && !currency)
        return;
    for (const mTThirteenPercent& s : d.thirteenSources)
        for (const mTThirteenPercent::IncomeRow& r : s.rows())
            addToGroup(r.incomeCode, r.deductionCode, r.amount, r.deductionAmount);
    if (currency)
        for (const mTCurrencyIncome& c : d.currencyIncomes)
            addToGroup(c.incomeCode, c.deductionCode, c.incomeInRubles, c.deductionAmount);
    for (const GroupRule& rule : kGroups)
        if (!rule.limit.isZero())
            (this->*rule.group).ДоходНеНал = qMin((this->*rule.group).ДоходНеНал, rule.limit);
}

void kTSvodSumPrilM::addToGroup(qint32 incomeCode, qint32 deductionCode, Money income,
                                Money deduction) {
    for (const GroupRule& rule : kGroups) {
        if (rule.incomeCode != incomeCode)
            continue;
        ExemptGroup& g = this->*rule.group;
        g.ДоходВсИст += income;
        if (deductionCode == rule.deductionCode)
            g.ДоходНеНал += rule.limit.isZero() ? deduction : qMin(income, rule.limit);
        return;
    }
}

CalcJson kTSvodSumPrilM::ToJson() const {
    CalcJson j;
    j.money(QStringLiteral("ДохНеНалОбщ"), ДохНеНалОбщ)
        .money(QStringLiteral("ДохНеНалОплСХ"), ДохНеНалОплСХ);
    for (const GroupRule& rule : kGroups)
        j.object(QString::fromUtf16(rule.name), groupJson(this->*rule.group));
    std::vector<CalcJson> rows;
    for (const ProducerPayRow& r : ДохОплСХ) {
        std::vector<CalcJson> months;
        for (std::size_t m = 0; m < r.months.size(); ++m) {
            const ProducerMonth& pm = r.months[m];
            months.push_back(CalcJson()
                                 .number(QStringLiteral("Месяц"), qint64(m + 1))
                                 .money(QStringLiteral("ОплТрудОбщ"), pm.ОплТрудОбщ)
                                 .money(QStringLiteral("ОплТрудНатур"), pm.ОплТрудНатур)
                                 .money(QStringLiteral("ДохНеНалПред"), pm.ДохНеНалПред)
                                 .money(QStringLiteral("ДоходНеНалМ"), pm.ДоходНеНалМ)
                                 .money(QStringLiteral("ДохНеНалПослед"), pm.ДохНеНалПослед));
        }
        rows.push_back(CalcJson()
                           .number(QStringLiteral("source"), r.sourceIndex)
                           .text(QStringLiteral("ИНН"), r.sourceInn)
                           .text(QStringLiteral("КПП"), r.sourceKpp)
                           .money(QStringLiteral("ДоходНеНал"), r.ДоходНеНал)
                           .list(QStringLiteral("СумДохМес"), std::move(months)));
    }
    j.list(QStringLiteral("ДохОплСХ"), std::move(rows));
    return j;
}

bool kTSvodSumPrilM2::Compute(const mTDeclaration& d) {
    Money remaining = kPrizeLimit;
    auto add = [&](bool fromThirteen, int index, const mTSourseIncomeInfo& s, Money deduction) {
        const Money exempt = qMin(deduction, remaining);
        СвДоход.push_back(
            {fromThirteen, index, s.sourceInn, s.sourceKpp, s.sourceName, s.totalIncome, exempt});
        ДоходНеНалОбщ += exempt;
        remaining -= exempt;
    };
    if (d.formKind == 0)
        for (int i = 0; i < d.thirtyFiveSources.Count(); ++i) {
            const mTThirtyFivePercent& s = d.thirtyFiveSources.Get(i);
            if (s.incomeCode == kAdvertisingPrizeCode && s.deductionCode != 0)
                add(false, i, s, s.deductionAmount);
        }
    for (int i = 0; i < d.thirteenSources.Count(); ++i) {
        const mTThirteenPercent& s = d.thirteenSources.Get(i);
        for (const mTThirteenPercent::IncomeRow& r : s.rows())
            if (r.incomeCode == kAdvertisingPrizeCode && r.deductionCode != 0)
                add(true, i, s, r.deductionAmount);
    }
    return true;
}

CalcJson kTSvodSumPrilM2::ToJson() const {
    std::vector<CalcJson> rows;
    for (const PrizeRow& r : СвДоход)
        rows.push_back(CalcJson()
                           .text(QStringLiteral("list"), r.fromThirteen
                                                             ? QStringLiteral("thirteenSources")
                                                             : QStringLiteral("thirtyFiveSources"))
                           .number(QStringLiteral("source"), r.sourceIndex)
                           .text(QStringLiteral("ИНН"), r.sourceInn)
                           .text(QStringLiteral("КПП"), r.sourceKpp)
                           .text(QStringLiteral("Наим"), r.sourceName)
                           .money(QStringLiteral("Доход"), r.Доход)
                           .money(QStringLiteral("ДоходНеНал"), r.ДоходНеНал));
    return CalcJson()
        .money(QStringLiteral("ДоходНеНалОбщ"), ДоходНеНалОбщ)
        .list(QStringLiteral("СвДоход"), std::move(rows));
}

bool kTSvodSumPrilM3::Compute(const mTDeclaration& d) {
    if (d.formKind != 0)
        return true;
    for (int i = 0; i < d.thirtyFiveSources.Count(); ++i) {
        const mTThirtyFivePercent& s = d.thirtyFiveSources.Get(i);
        if (s.incomeCode != kMaterialBenefitCode)
            continue;
        РасчНалогУдЛ.push_back({i, s.sourceInn, s.sourceKpp, s.sourceOkato, s.sourceName,
                                s.totalIncome, s.taxWithheld});
        НалогУдЛОбщ += s.taxWithheld;
    }
    return true;
}

CalcJson kTSvodSumPrilM3::ToJson() const {
    std::vector<CalcJson> rows;
    for (const BenefitRow& r : РасчНалогУдЛ)
        rows.push_back(CalcJson()
                           .number(QStringLiteral("source"), r.sourceIndex)
                           .text(QStringLiteral("ИНН"), r.sourceInn)
                           .text(QStringLiteral("КПП"), r.sourceKpp)
                           .text(QStringLiteral("ОКАТО"), r.sourceOkato)
                           .text(QStringLiteral("Наим"), r.sourceName)
                           .money(QStringLiteral("Доход"), r.Доход)
                           .money(QStringLiteral("НалогУдЛ"), r.НалогУдЛ));
    return CalcJson()
        .money(QStringLiteral("НалогУдЛОбщ"), НалогУдЛОбщ)
        .list(QStringLiteral("РасчНалогУдЛ"), std::move(rows));
}
