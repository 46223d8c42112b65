#include "SvodPrilA.h"

#include "BMLogik.h"
#include "RateMath.h"
#include "model/DeclClasses.h"

namespace {

constexpr qint32 kMaterialBenefitCode = 2620; // material benefit on credit for new housing
constexpr qint32 kAdvertisingPrizeCode = 2740;

// The first source with an OKATO gives the refund OKATO of its rate.
void setOnce(QString& okato, const QString& sourceOkato) {
    if (okato.isEmpty())
        okato = sourceOkato;
}

Money rowsTotal(const mTThirteenPercent& source) {
    Money total;
    for (const mTThirteenPercent::IncomeRow& row : source.rows())
        total += row.amount;
    return total;
}

} // namespace

void kTSvodSumPrilA::Reset() {
    ДоходОбщ = НалУдержИт = НалИсчислИт = ДоходОблОбщ = Money();
    РасчДохНал.clear();
}

void kTSvodSumPrilA::addSource(int index, Money income, Money taxable, Money tax, Money withheld,
                               const QString& okato) {
    ДоходОбщ += income;
    ДоходОблОбщ += taxable;
    НалИсчислИт += tax;
    НалУдержИт += withheld;
    РасчДохНал.push_back({index, income, taxable, tax, withheld, okato});
}

CalcJson kTSvodSumPrilA::ToJson() const {
    std::vector<CalcJson> rows;
    for (const SourceRow& r : РасчДохНал)
        rows.push_back(CalcJson()
                           .number(QStringLiteral("source"), r.sourceIndex)
                           .money(QStringLiteral("Доход"), r.Доход)
                           .money(QStringLiteral("ДоходОбл"), r.ДоходОбл)
                           .money(QStringLiteral("НалИсчисл"), r.НалИсчисл)
                           .money(QStringLiteral("НалУдерж"), r.НалУдерж)
                           .text(QStringLiteral("ОКАТО"), r.ОКАТО));
    return CalcJson()
        .money(QStringLiteral("ДоходОбщ"), ДоходОбщ)
        .money(QStringLiteral("ДоходОблОбщ"), ДоходОблОбщ)
        .money(QStringLiteral("НалИсчислИт"), НалИсчислИт)
        .money(QStringLiteral("НалУдержИт"), НалУдержИт)
        .list(QStringLiteral("РасчДохНал"), std::move(rows));
}

bool kTSvodSumPrilA6::Compute(const mTDeclaration& d, kTSvodSum& sum) {
    if (d.formKind != 0)
        return true;
    for (int i = 0; i < d.thirtySources.Count(); ++i) {
        const mTThirtyPercent& s = d.thirtySources.Get(i);
        setOnce(sum.okato9, s.sourceOkato);
        addSource(i, s.totalIncome, s.taxableAmount, s.taxComputed, s.taxWithheld, s.sourceOkato);
    }
    return true;
}

void kTSvodSumPrilA13::Reset() {
    kTSvodSumPrilA::Reset();
    НалУплФАП = Money();
}

CalcJson kTSvodSumPrilA13::ToJson() const {
    return kTSvodSumPrilA::ToJson().money(QStringLiteral("НалУплФАП"), НалУплФАП);
}

bool kTSvodSumPrilA13::Compute(const mTDeclaration& d, kTSvodSum& sum) {
    НалУплФАП = d.foreignerFixedPayments;
    const mTOwnedList<mTThirteenPercent>* list = d.formKind == 0   ? &d.thirteenSources
                                                 : d.formKind == 1 ? &d.thirteenNrSources
                                                                   : nullptr;
    if (list == nullptr)
        return true;
    for (int i = 0; i < list->Count(); ++i) {
        const mTThirteenPercent& s = list->Get(i);
        setOnce(sum.okato13, s.sourceOkato);
        addSource(i, rowsTotal(s), s.taxableIncome, s.taxComputed, s.taxWithheld, s.sourceOkato);
    }
    return true;
}

bool kTSvodSumPrilA15::Compute(const mTDeclaration& d, kTSvodSum& sum) {
    if (d.formKind != 1)
        return true;
    for (int i = 0; i < d.thirtySources.Count(); ++i) {
        const mTThirtyPercent& s = d.thirtySources.Get(i);
        setOnce(sum.okato15, s.sourceOkato);
        // The payer's own figure is not trusted here: the tax is recomputed.
        addSource(i, s.totalIncome, s.taxableAmount, TaxAt(s.taxableAmount, 15), s.taxWithheld,
                  s.sourceOkato);
    }
    return true;
}

bool kTSvodSumPrilA30::Compute(const mTDeclaration& d, kTSvodSum& sum) {
    if (d.formKind != 1)
        return true;
    for (int i = 0; i < d.thirteenSources.Count(); ++i) {
        const mTThirteenPercent& s = d.thirteenSources.Get(i);
        setOnce(sum.okato13, s.sourceOkato);
        addSource(i, rowsTotal(s), s.taxableIncome, s.taxComputed, s.taxWithheld, s.sourceOkato);
    }
    return true;
}

bool kTSvodSumPrilA35::Compute(const mTDeclaration& d, kTSvodSum& sum,
                               const kTSvodSumPrilM2& prizes) {
    if (d.formKind != 0)
        return true;
    std::size_t prize = 0;
    for (int i = 0; i < d.thirtyFiveSources.Count(); ++i) {
        const mTThirtyFivePercent& s = d.thirtyFiveSources.Get(i);
        if (s.incomeCode == kMaterialBenefitCode) {
            // Its withheld tax is refunded through the material benefit sheet, under
            // this payer's OKATO.
            sum.okato35 = s.sourceOkato;
            continue;
        }
        Money taxable = s.totalIncome;
        if (s.incomeCode == kAdvertisingPrizeCode && s.deductionCode != 0 &&
            prize < prizes.СвДоход.size()) {
            // The prize rows were made from exactly these sources, in this order.
            const PrizeRow& row = prizes.СвДоход[prize++];
            taxable = row.Доход - row.ДоходНеНал;
        }
        setOnce(sum.okato35, s.sourceOkato);
        addSource(i, s.totalIncome, taxable, TaxAt(taxable, 35), s.taxWithheld, s.sourceOkato);
    }
    return true;
}
