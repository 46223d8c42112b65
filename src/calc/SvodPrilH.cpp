#include "SvodPrilH.h"

#include "BMLogik.h"
#include "RateMath.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

namespace {

constexpr Money kHousingLimit = Money::fromRoubles(1000000);
constexpr Money kOtherPropertyLimit = Money::fromRoubles(250000);
constexpr Money kOldPurchaseLimit = Money::fromRoubles(1000000);
constexpr Money kPurchaseLimit = Money::fromRoubles(2000000);

CalcJson byLimitJson(const SaleByLimit& v) {
    return CalcJson()
        .money(QStringLiteral("ДохВсехИст"), v.ДохВсехИст)
        .money(QStringLiteral("НалВычет"), v.НалВычет);
}

CalcJson byExpensesJson(const SaleByExpenses& v) {
    return CalcJson()
        .money(QStringLiteral("ДохВсехИст"), v.ДохВсехИст)
        .money(QStringLiteral("РасхДок"), v.РасхДок);
}

} // namespace

void kTSvodSumPrilH1::add(qint32 incomeCode, qint32 deductionCode, Money income, Money deduction,
                          bool fromCurrency) {
    HousingSale& h = ВычЖилИмущ;
    OtherSale& o = ВычИноеИмущ;
    // Codes come from the user's file: any pair other than a known one counts
    // nowhere, and none may overflow into one that is known.
    if (deductionCode < 0 || deductionCode > 999)
        return;
    switch (qint64(incomeCode) * 1000 + deductionCode) {
    case 1510903:
        h.СумИмущДок.ДохВсехИст += income;
        h.СумИмущДок.РасхДок += deduction;
        break;
    case 1510901:
        h.СумИмущ.ДохВсехИст += income;
        h.СумИмущ.НалВычет = h.СумИмущ.ДохВсехИст;
        break;
    case 1511903:
        h.СумИмущДок.ДохВсехИст += income;
        h.СумИмущДок.РасхДок += fromCurrency ? deduction : qMin(income, deduction);
        break;
    case 1511904:
        h.СумДолИмущ.ДохВсехИст += income;
        h.СумДолИмущ.НалВычет += fromCurrency ? qMin(income, deduction) : deduction;
        break;
    case 1520906:
        o.СумИнИмущ.ДохВсехИст += income;
        o.СумИнИмущ.НалВычет += deduction;
        break;
    case 1520903:
        o.СумИнИмущДок.ДохВсехИст += income;
        o.СумИнИмущДок.РасхДок += deduction;
        break;
    case 4900908:
        СумИзтИмущ.ДохВсехИст += income;
        СумИзтИмущ.НалВычет += deduction;
        break;
    default:
        break;
    }
}

bool kTSvodSumPrilH1::Compute(const mTDeclaration& d) {
    const bool currency = d.incomeFlags() & mTDeclaration::kFlagCurrency;
    if (d.formKind != 0 || (d.thirteenSources.Count() == 0 && !currency))
        return true;
    for (const mTThirteenPercent& s : d.thirteenSources)
        for (const mTThirteenPercent::IncomeRow& r : s.rows())
            add(r.incomeCode, r.deductionCode, r.amount, r.deductionAmount, false);
    if (currency)
        for (const mTCurrencyIncome& c : d.currencyIncomes)
            add(c.incomeCode, c.deductionCode, c.incomeInRubles, c.deductionAmount, true);

    HousingSale& h = ВычЖилИмущ;
    h.СумИмущДок.РасхДок = qMin(h.СумИмущДок.РасхДок, h.СумИмущДок.ДохВсехИст);
    h.СумИмущ.НалВычет = qMin(h.СумИмущ.НалВычет, kHousingLimit);
    h.СумДолИмущ.НалВычет = qMin(h.СумДолИмущ.НалВычет, kHousingLimit);
    h.СумИмущОбщ.ДохВсехИст = h.СумИмущ.ДохВсехИст + h.СумДолИмущ.ДохВсехИст;
    h.СумИмущОбщ.НалВычет = qMin(h.СумИмущ.НалВычет + h.СумДолИмущ.НалВычет, kHousingLimit);
    h.ДохИстИтог = h.СумИмущОбщ.ДохВсехИст + h.СумИмущДок.ДохВсехИст;
    h.ВычИмущИтог = h.СумИмущОбщ.НалВычет + h.СумИмущДок.РасхДок;

    OtherSale& o = ВычИноеИмущ;
    // The limit of other property does not look at its income.
    o.СумИнИмущ.НалВычет = qMin(o.СумИнИмущ.НалВычет, kOtherPropertyLimit);
    o.ДохИстИтог = o.СумИнИмущ.ДохВсехИст + o.СумИнИмущДок.ДохВсехИст;
    o.ВычИнИмущИтог = o.СумИнИмущ.НалВычет + o.СумИнИмущДок.РасхДок;
    ВычетОбщ = h.ВычИмущИтог + o.ВычИнИмущИтог + СумИзтИмущ.НалВычет;
    return true;
}

CalcJson kTSvodSumPrilH1::ToJson() const {
    const HousingSale& h = ВычЖилИмущ;
    const OtherSale& o = ВычИноеИмущ;
    return CalcJson()
        .money(QStringLiteral("ВычетОбщ"), ВычетОбщ)
        .object(QStringLiteral("ВычЖилИмущ"),
                CalcJson()
                    .money(QStringLiteral("ДохИстИтог"), h.ДохИстИтог)
                    .money(QStringLiteral("ВычИмущИтог"), h.ВычИмущИтог)
                    .object(QStringLiteral("СумИмущ"), byLimitJson(h.СумИмущ))
                    .object(QStringLiteral("СумДолИмущ"), byLimitJson(h.СумДолИмущ))
                    .object(QStringLiteral("СумИмущОбщ"), byLimitJson(h.СумИмущОбщ))
                    .object(QStringLiteral("СумИмущДок"), byExpensesJson(h.СумИмущДок)))
        .object(QStringLiteral("ВычИноеИмущ"),
                CalcJson()
                    .money(QStringLiteral("ДохИстИтог"), o.ДохИстИтог)
                    .money(QStringLiteral("ВычИнИмущИтог"), o.ВычИнИмущИтог)
                    .object(QStringLiteral("СумИнИмущ"), byLimitJson(o.СумИнИмущ))
                    .object(QStringLiteral("СумИнИмущДок"), byExpensesJson(o.СумИнИмущДок)))
        .object(QStringLiteral("ВычИзтИмущ"),
                CalcJson().object(QStringLiteral("СумИзтИмущ"), byLimitJson(СумИзтИмущ)));
}

bool kTSvodSumPrilZ::Compute(const mTDeclaration& d, const kTSvodSum& sum) {
    const mTConstructionDeduct& p = d.propertyDeduction;
    if (!p.granted || d.formKind != 0)
        return true;
    // A zero denominator can only come from a damaged or hand-made file; the page
    // never stores one. The whole object is then taken.
    qint64 numerator = p.shareNumerator;
    qint64 denominator = p.shareDenominator;
    if (denominator == 0)
        numerator = denominator = 1;
    const int year = TDateTime::toDate(p.byInvestment ? p.actDate : p.rightRegDate).year();
    Money limit = year < 2008 ? kOldPurchaseLimit : kPurchaseLimit;
    if (d.isPensioner && year > 2013) {
        limit = kPurchaseLimit;
        numerator = denominator = 1;
    }
    share = double(numerator) / double(denominator);
    СумРасхФакт = p.objectCost;
    const Money limitOfShare = ScaleByFraction(limit, numerator, denominator);
    if (СумРасхФакт > limitOfShare)
        СумРасхФакт = limitOfShare;
    СумРасхФакт = RoundToKopecks(СумРасхФакт);

    СумФактУплПроц = p.interestPaid;
    ВычНАУвед = p.agentExpenses;
    ПроцНАУвед = p.agentInterest;
    const Money income =
        sum.prilA13.ДоходОбщ + sum.prilB13.ДоходИноРубОбщ + sum.prilV1.ДоходИт + sum.prilV2.ДоходИт;
    const Money before = sum.prilV1.ВычПрофИт + sum.prilV2.ВычПрофИт + sum.prilH1.ВычетОбщ +
                         sum.prilM.ДохНеНалОбщ + sum.prilG.РасходОбщИт + sum.prilG_In.РасходОбщИт +
                         sum.prilE2.ИтогВычСоциал + sum.prilE3.СумВычОбщ + sum.prilE1.ИтогВычСтанд +
                         sum.prilJ.ИтогСовОпер.РасхПрмВыч + ВычНАУвед + ПроцНАУвед;
    НалБаз13БезВыч = qMax(income - before, Money());

    ОстВычПршПред = p.carriedExpenses;
    ПроцПршПред = p.carriedInterest;
    ВычНовЗачПредНД = p.prevDeclExpenses;
    ВычПроцЗачПредНД = p.prevDeclInterest;
    ВычНовЗачПредУп = p.prevAgentExpenses;
    ВычПроцЗачПредУп = p.prevAgentInterest;
    ВычНовЗачПред = ВычНовЗачПредНД + ВычНовЗачПредУп;
    ВычПроцЗачПред = ВычПроцЗачПредНД + ВычПроцЗачПредУп;

    РасхНовВычНД = qMax(СумРасхФакт - ВычНовЗачПред - ВычНАУвед, Money());
    ПроцВычНД = qMax(СумФактУплПроц - ВычПроцЗачПред - ПроцНАУвед, Money());
    // Expenses are deducted before interest.
    if (НалБаз13БезВыч < РасхНовВычНД)
        РасхНовВычНД = НалБаз13БезВыч;
    if (НалБаз13БезВыч < РасхНовВычНД + ПроцВычНД)
        ПроцВычНД = НалБаз13БезВыч - РасхНовВычНД;
    // Not clipped: negative when earlier years took more than the limit allows.
    ОстВычПрхСлед = СумРасхФакт - ВычНовЗачПред - ВычНАУвед - РасхНовВычНД;
    ПроцПрхСлед = qMax(СумФактУплПроц - ВычПроцЗачПред - ПроцНАУвед - ПроцВычНД, Money());
    return true;
}

CalcJson kTSvodSumPrilZ::ToJson() const {
    return CalcJson()
        .real(QStringLiteral("share"), share)
        .money(QStringLiteral("СумРасхФакт"), СумРасхФакт)
        .money(QStringLiteral("СумФактУплПроц"), СумФактУплПроц)
        .money(QStringLiteral("ВычНовЗачПред"), ВычНовЗачПред)
        .money(QStringLiteral("ВычНовЗачПредНД"), ВычНовЗачПредНД)
        .money(QStringLiteral("ВычНовЗачПредУп"), ВычНовЗачПредУп)
        .money(QStringLiteral("ВычПроцЗачПред"), ВычПроцЗачПред)
        .money(QStringLiteral("ВычПроцЗачПредНД"), ВычПроцЗачПредНД)
        .money(QStringLiteral("ВычПроцЗачПредУп"), ВычПроцЗачПредУп)
        .money(QStringLiteral("ОстВычПршПред"), ОстВычПршПред)
        .money(QStringLiteral("ПроцПршПред"), ПроцПршПред)
        .money(QStringLiteral("ВычНАУвед"), ВычНАУвед)
        .money(QStringLiteral("ПроцНАУвед"), ПроцНАУвед)
        .money(QStringLiteral("НалБаз13БезВыч"), НалБаз13БезВыч)
        .money(QStringLiteral("РасхНовВычНД"), РасхНовВычНД)
        .money(QStringLiteral("ПроцВычНД"), ПроцВычНД)
        .money(QStringLiteral("ОстВычПрхСлед"), ОстВычПрхСлед)
        .money(QStringLiteral("ПроцПрхСлед"), ПроцПрхСлед);
}
