#include "SvodPrilJ.h"

#include "model/DeclClasses.h"

namespace {

Money positive(Money v) {
    return qMax(v, Money());
}

template <typename Group> void accumulate(Group& g, Money income, Money expenses) {
    g.ДохСовОпер += income;
    g.РасхСовОпер += expenses;
}

template <typename Group> CalcJson head(const Group& g) {
    return CalcJson()
        .money(QStringLiteral("ДохСовОпер"), g.ДохСовОпер)
        .money(QStringLiteral("РасхСовОпер"), g.РасхСовОпер);
}

CalcJson plainJson(const PlainOperations& g) {
    return head(g).money(QStringLiteral("НалДохРезОпер"), g.НалДохРезОпер);
}

CalcJson lossesJson(const SecuritiesLosses& l) {
    return CalcJson()
        .money(QStringLiteral("УбытОперЦБ"), l.УбытОперЦБ)
        .money(QStringLiteral("УбытФинИнсСС"), l.УбытФинИнсСС);
}

} // namespace

void kTSvodSumPrilJ::add(qint32 incomeCode, qint32 deductionCode, Money income, Money expenses) {
    // Without a deduction code the row is not an operation of this sheet.
    if (deductionCode == 0)
        return;
    switch (incomeCode) {
    case 1530:
        accumulate(ДохОперЦБОрг, income, expenses);
        break;
    case 1536:
        accumulate(ДохОперЦБОргНеОрг, income, expenses);
        break;
    case 1531:
        accumulate(ДохОперЦБНеОрг, income, expenses);
        break;
    case 1532:
        accumulate(ДохФИССОргЦБ, income, expenses);
        break;
    case 1535:
        accumulate(ДохФИССОргНеЦБ, income, expenses);
        break;
    case 1533:
        accumulate(ДохФИССНеОрг, income, expenses);
        break;
    case 1537:
    case 1539:
    case 1541:
        accumulate(ДохРЕПО, income, expenses);
        break;
    case 1538:
        accumulate(ДохЗаймЦБ, income, expenses);
        break;
    default:
        break;
    }
}

bool kTSvodSumPrilJ::Compute(const mTDeclaration& d) {
    for (const mTThirteenPercent& s : d.thirteenSources)
        for (const mTThirteenPercent::IncomeRow& r : s.rows())
            add(r.incomeCode, r.deductionCode, r.amount, r.deductionAmount);
    if (d.incomeFlags() & mTDeclaration::kFlagCurrency)
        for (const mTCurrencyIncome& c : d.currencyIncomes)
            add(c.incomeCode, c.deductionCode, c.incomeInRubles, c.deductionAmount);
    УбытПредПер.УбытОперЦБ = d.securitiesDeduction.prevSecuritiesLoss;
    УбытПредПер.УбытФинИнсСС = d.securitiesDeduction.prevDerivativesLoss;
    offset();
    return true;
}

// Each offset sees only what the ones before it left.
void kTSvodSumPrilJ::offset() {
    SecuritiesOrg& g1 = ДохОперЦБОрг;
    SecuritiesOrgAtPurchase& g2 = ДохОперЦБОргНеОрг;
    InstrumentsOnSecurities& g4 = ДохФИССОргЦБ;
    InstrumentsOther& g5 = ДохФИССОргНеЦБ;
    const Money earlierSecurities = УбытПредПер.УбытОперЦБ;
    const Money earlierInstruments = УбытПредПер.УбытФинИнсСС;

    for (PlainOperations* g : {&ДохОперЦБНеОрг, &ДохФИССНеОрг, &ДохРЕПО, &ДохЗаймЦБ})
        g->НалДохРезОпер = positive(g->ДохСовОпер - g->РасхСовОпер);
    g2.НалДохРезОпер = positive(g2.ДохСовОпер - g2.РасхСовОпер);

    g1.УбытРезСовОпер = positive(g1.РасхСовОпер - g1.ДохСовОпер);
    g2.УбытУчРасчДох = positive(g2.РасхСовОпер - g2.ДохСовОпер);
    g4.УбытРезСовОпер = positive(g4.РасхСовОпер - g4.ДохСовОпер);
    g5.УбытРезСовОпер = positive(g5.РасхСовОпер - g5.ДохСовОпер);
    const Money profit1 = g1.ДохСовОпер - g1.РасхСовОпер;
    const Money profit4 = g4.ДохСовОпер - g4.РасхСовОпер;
    const Money profit5 = g5.ДохСовОпер - g5.РасхСовОпер;
    const Money loss1 = g1.УбытРезСовОпер;
    const Money loss4 = g4.УбытРезСовОпер;
    const Money loss5 = g5.УбытРезСовОпер;

    // G2 loss against G1, then the earlier securities loss against what is left.
    g1.УбытСовОперВыч = profit1 > Money() ? qMin(g2.УбытУчРасчДох, profit1) : Money();
    const Money left1 = profit1 - g1.УбытСовОперВыч;
    g1.УбытОперЦБВыч = left1 > Money() ? qMin(earlierSecurities, left1) : Money();

    // The earlier instruments loss against G4, its rest against G5.
    g4.УбытПрмВыч = profit4 > Money() ? qMin(earlierInstruments, profit4) : Money();
    const Money restInstruments =
        profit4 > Money() ? earlierInstruments - g4.УбытПрмВыч : earlierInstruments;
    g5.УбытПрмВыч = profit5 > Money() ? qMin(restInstruments, profit5) : Money();

    // Losses of one group against the profits of another.
    const Money left4 = profit4 - g4.УбытПрмВыч;
    g1.УбытУчРасчДох = left4 > Money() && loss1 > Money() ? qMin(loss1, left4) : Money();
    const Money left1After = profit1 - g1.УбытСовОперВыч - g1.УбытОперЦБВыч;
    g4.УбытУчРасчДохЦБ =
        left1After > Money() && loss4 > Money() ? qMin(loss4, left1After) : Money();
    const Money left4After = profit4 - g4.УбытПрмВыч - g1.УбытУчРасчДох;
    g5.УбытУчРасчДох = left4After > Money() && loss5 > Money() ? qMin(loss5, left4After) : Money();
    const Money loss4Left = loss4 - g4.УбытУчРасчДохЦБ;
    const Money left5 = profit5 - g5.УбытПрмВыч;
    g4.УбытУчРасчДохФИ = loss4Left > Money() && left5 > Money() ? qMin(loss4Left, left5) : Money();

    g1.НалДохРезОпер =
        positive(profit1 - g1.УбытСовОперВыч - g1.УбытОперЦБВыч - g4.УбытУчРасчДохЦБ);
    g4.НалДохРезОпер = positive(profit4 - g4.УбытПрмВыч - g1.УбытУчРасчДох - g5.УбытУчРасчДох);
    g5.НалДохРезОпер = positive(profit5 - g5.УбытПрмВыч - g4.УбытУчРасчДохФИ);

    // Carried to the next year, not clipped.
    УбытПрхПер.УбытОперЦБ = earlierSecurities + loss1 - g1.УбытУчРасчДох - g1.УбытОперЦБВыч;
    УбытПрхПер.УбытФинИнсСС = earlierInstruments + loss4 + loss5 - g4.УбытУчРасчДохЦБ -
                              g4.УбытПрмВыч - g5.УбытУчРасчДох - g5.УбытПрмВыч - g4.УбытУчРасчДохФИ;

    SecuritiesTotals& t = ИтогСовОпер;
    t.ОбщПолучДох = g1.ДохСовОпер + g2.ДохСовОпер + ДохОперЦБНеОрг.ДохСовОпер + g4.ДохСовОпер +
                    g5.ДохСовОпер + ДохФИССНеОрг.ДохСовОпер + ДохРЕПО.ДохСовОпер +
                    ДохЗаймЦБ.ДохСовОпер;
    t.ОбщНалогДох = g1.НалДохРезОпер + g2.НалДохРезОпер + ДохОперЦБНеОрг.НалДохРезОпер +
                    g4.НалДохРезОпер + g5.НалДохРезОпер + ДохФИССНеОрг.НалДохРезОпер +
                    ДохРЕПО.НалДохРезОпер + ДохЗаймЦБ.НалДохРезОпер;
    t.РасхПрмВыч = t.ОбщПолучДох - t.ОбщНалогДох;
}

CalcJson kTSvodSumPrilJ::ToJson() const {
    const SecuritiesOrg& g1 = ДохОперЦБОрг;
    const SecuritiesOrgAtPurchase& g2 = ДохОперЦБОргНеОрг;
    const InstrumentsOnSecurities& g4 = ДохФИССОргЦБ;
    const InstrumentsOther& g5 = ДохФИССОргНеЦБ;
    return CalcJson()
        .object(QStringLiteral("ДохОперЦБОрг"),
                head(g1)
                    .money(QStringLiteral("УбытРезСовОпер"), g1.УбытРезСовОпер)
                    .money(QStringLiteral("УбытУчРасчДох"), g1.УбытУчРасчДох)
                    .money(QStringLiteral("УбытСовОперВыч"), g1.УбытСовОперВыч)
                    .money(QStringLiteral("УбытОперЦБВыч"), g1.УбытОперЦБВыч)
                    .money(QStringLiteral("НалДохРезОпер"), g1.НалДохРезОпер))
        .object(QStringLiteral("ДохОперЦБОргНеОрг"),
                head(g2)
                    .money(QStringLiteral("УбытУчРасчДох"), g2.УбытУчРасчДох)
                    .money(QStringLiteral("НалДохРезОпер"), g2.НалДохРезОпер))
        .object(QStringLiteral("ДохОперЦБНеОрг"), plainJson(ДохОперЦБНеОрг))
        .object(QStringLiteral("ДохФИССОргЦБ"),
                head(g4)
                    .money(QStringLiteral("УбытРезСовОпер"), g4.УбытРезСовОпер)
                    .money(QStringLiteral("УбытУчРасчДохФИ"), g4.УбытУчРасчДохФИ)
                    .money(QStringLiteral("УбытУчРасчДохЦБ"), g4.УбытУчРасчДохЦБ)
                    .money(QStringLiteral("УбытПрмВыч"), g4.УбытПрмВыч)
                    .money(QStringLiteral("НалДохРезОпер"), g4.НалДохРезОпер))
        .object(QStringLiteral("ДохФИССОргНеЦБ"),
                head(g5)
                    .money(QStringLiteral("УбытРезСовОпер"), g5.УбытРезСовОпер)
                    .money(QStringLiteral("УбытУчРасчДох"), g5.УбытУчРасчДох)
                    .money(QStringLiteral("УбытПрмВыч"), g5.УбытПрмВыч)
                    .money(QStringLiteral("НалДохРезОпер"), g5.НалДохРезОпер))
        .object(QStringLiteral("ДохФИССНеОрг"), plainJson(ДохФИССНеОрг))
        .object(QStringLiteral("ДохРЕПО"), plainJson(ДохРЕПО))
        .object(QStringLiteral("ДохЗаймЦБ"), plainJson(ДохЗаймЦБ))
        .object(QStringLiteral("УбытПредПер"), lossesJson(УбытПредПер))
        .object(QStringLiteral("УбытПрхПер"), lossesJson(УбытПрхПер))
        .object(QStringLiteral("ИтогСовОпер"),
                CalcJson()
                    .money(QStringLiteral("ОбщПолучДох"), ИтогСовОпер.ОбщПолучДох)
                    .money(QStringLiteral("ОбщНалогДох"), ИтогСовОпер.ОбщНалогДох)
                    .money(QStringLiteral("РасхПрмВыч"), ИтогСовОпер.РасхПрмВыч));
}
