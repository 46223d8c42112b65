#include "SvodPrilBV.h"

#include "RateMath.h"
#include "model/DeclClasses.h"
#include "model/Math2.h"

namespace {

constexpr qint32 kMaterialBenefitCode = 2620;

} // namespace

CalcJson kTSvodSumPrilB::ToJson() const {
    std::vector<CalcJson> rows;
    for (const ForeignIncomeRow& r : РасчДохНалИно)
        rows.push_back(CalcJson()
                           .number(QStringLiteral("record"), r.recordIndex)
                           .text(QStringLiteral("ОКСМ"), r.countryCode)
                           .text(QStringLiteral("НаимИстДох"), r.sourceName)
                           .text(QStringLiteral("КодВалют"), r.currencyCode)
                           .text(QStringLiteral("currencyName"), r.currencyName)
                           .date(QStringLiteral("ДатаДох"), r.incomeDate)
                           .text(QStringLiteral("КурсВалютДох"), r.rateOnIncomeDate)
                           .text(QStringLiteral("ДоходИноВал"), r.incomeInCurrency)
                           .money(QStringLiteral("ДоходИноРуб"), r.incomeInRubles)
                           .number(QStringLiteral("incomeCode"), r.incomeCode)
                           .number(QStringLiteral("deductionCode"), r.deductionCode)
                           .money(QStringLiteral("deductionAmount"), r.deductionAmount)
                           .date(QStringLiteral("ДатаУплНал"), r.taxPaidDate)
                           .text(QStringLiteral("КурсВалютНал"), r.rateOnTaxDate)
                           .text(QStringLiteral("НалУплИноВал"), r.taxInCurrency)
                           .money(QStringLiteral("НалУплИноРуб"), r.taxInRubles)
                           .money(QStringLiteral("НалЗачРФОбщ"), r.russianTax)
                           .money(QStringLiteral("НалогЗачРФОбщ"), r.credit));
    return CalcJson()
        .number(QStringLiteral("Ставка"), rate)
        .money(QStringLiteral("ДоходИноРубОбщ"), ДоходИноРубОбщ)
        .money(QStringLiteral("НалУплИноРубОбщ"), НалУплИноРубОбщ)
        .money(QStringLiteral("НалИсчислРФОбщ"), НалИсчислРФОбщ)
        .money(QStringLiteral("НалЗачРФОбщ"), НалЗачРФОбщ)
        .list(QStringLiteral("РасчДохНалИно"), std::move(rows));
}

bool kTSvodSumPrilB::Compute(const mTDeclaration& d, qint32 atRate) {
    rate = atRate;
    РасчДохНалИно.clear();
    if (!(d.incomeFlags() & mTDeclaration::kFlagCurrency))
        return true;
    for (int i = 0; i < d.currencyIncomes.Count(); ++i) {
        const mTCurrencyIncome& c = d.currencyIncomes.Get(i);
        if (c.incomeRate != rate || c.incomeCode == kMaterialBenefitCode)
            continue;
        ForeignIncomeRow row;
        row.recordIndex = i;
        row.countryCode = c.countryCode;
        row.currencyName = c.currencyName;
        row.currencyCode = c.currencyCode;
        row.sourceName = c.sourceName;
        row.incomeDate = c.incomeDate;
        row.rateOnIncomeDate = RatePerUnitText(c.rateOnIncomeDate, c.unitsOnIncomeDate);
        row.incomeInCurrency = MoneyText2(c.incomeInCurrency);
        row.incomeInRubles = c.incomeInRubles;
        row.incomeCode = c.incomeCode;
        row.deductionAmount = c.deductionAmount;
        row.deductionCode = c.deductionCode;
        row.taxPaidDate = c.taxPaidDate;
        row.rateOnTaxDate = RatePerUnitText(c.rateOnTaxDate, c.unitsOnTaxDate);
        row.taxInCurrency = MoneyText2(c.taxInCurrency);
        row.taxInRubles = c.taxInRubles;
        // The deduction lowers only the base of the tax the credit is measured against.
        const Money base = qMax(c.incomeInRubles - c.deductionAmount, Money());
        row.russianTax = TaxAt(base, rate);
        row.credit = row.russianTax > c.taxInRubles ? RoundRoubles(c.taxInRubles) : row.russianTax;
        ДоходИноРубОбщ += row.incomeInRubles;
        НалУплИноРубОбщ += row.taxInRubles;
        НалИсчислРФОбщ += row.russianTax;
        НалЗачРФОбщ += row.credit;
        РасчДохНалИно.push_back(std::move(row));
    }
    return true;
}

void kTSvodSumPrilV::Reset() {
    ДоходИт = ВычПрофИт = УплАванИт = НачислАванИт = Money();
}

CalcJson kTSvodSumPrilV::ToJson() const {
    return CalcJson()
        .money(QStringLiteral("ДоходИт"), ДоходИт)
        .money(QStringLiteral("ВычПрофИт"), ВычПрофИт)
        .money(QStringLiteral("УплАванИт"), УплАванИт)
        .money(QStringLiteral("НачислАванИт"), НачислАванИт);
}

void kTSvodSumPrilV::capDeduction() {
    if (ДоходИт < ВычПрофИт)
        ВычПрофИт = ДоходИт;
}

bool kTSvodSumPrilV1::Compute(const mTDeclaration& d) {
    if (!(d.incomeFlags() & mTDeclaration::kFlagBusiness))
        return true;
    for (const mTBusinessNew& a : d.businessActivities) {
        ДоходИт += a.income;
        ВычПрофИт += a.hasConfirmedExpenses ? a.expensesTotal : a.unconfirmedExpenses;
    }
    УплАванИт = d.actualAdvancePayments;
    НачислАванИт = d.accruedAdvancePayments;
    capDeduction();
    return true;
}

bool kTSvodSumPrilV2::Compute(const mTDeclaration& d) {
    if (!(d.incomeFlags() & mTDeclaration::kFlagRepetit))
        return true;
    for (const mTRepetitNew& r : d.repetitIncomes) {
        ДоходИт += r.repetitAmounts[0];
        ВычПрофИт += r.repetitAmounts[1];
    }
    УплАванИт = d.repetitTotalA;
    НачислАванИт = d.repetitTotalB;
    capDeduction();
    return true;
}
