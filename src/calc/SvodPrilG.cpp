#include "SvodPrilG.h"

#include "model/DeclClasses.h"

namespace {

struct PairRule {
    qint32 incomeFrom, incomeTo; // a range of income codes, both included
    qint32 deductionCode;
    ProfPair kTSvodSumPrilGBase::*pair;
    const char16_t* name;
    const char16_t* incomeName;
};

// Author's fees are 2201 to 2209; 2210 is not one of them.
const PairRule kPairs[] = {
    {2010, 2010, 403, &kTSvodSumPrilGBase::РасхФактДогГПХ, u"РасхФактДогГПХ", u"СумДохДогГПХ"},
    {2201, 2209, 404, &kTSvodSumPrilGBase::РасхФактАвтВозн, u"РасхФактАвтВозн", u"СумАвторВозн"},
    {2201, 2209, 405, &kTSvodSumPrilGBase::РасхНормАвтВозн, u"РасхНормАвтВозн", u"СумАвторВозн"},
    {1540, 1540, 315, &kTSvodSumPrilGBase::РасхФактУстКап, u"РасхФактУстКап", u"СумДохУстКап"},
    {1550, 1550, 314, &kTSvodSumPrilGBase::РасхФактДолСтр, u"РасхФактДолСтр", u"СумДохДолСтр"},
};

} // namespace

void kTSvodSumPrilGBase::Reset() {
    for (const PairRule& rule : kPairs)
        this->*rule.pair = ProfPair();
    РасходОбщИт = Money();
}

void kTSvodSumPrilGBase::add(qint32 incomeCode, qint32 deductionCode, Money income, Money deduction,
                             bool onlyContracts) {
    for (const PairRule& rule : kPairs) {
        if (incomeCode < rule.incomeFrom || incomeCode > rule.incomeTo ||
            deductionCode != rule.deductionCode)
            continue;
        if (onlyContracts && rule.pair != &kTSvodSumPrilGBase::РасхФактДогГПХ)
            return;
        ProfPair& p = this->*rule.pair;
        p.income += income;
        p.СумРасхВыч += deduction;
        return;
    }
}

void kTSvodSumPrilGBase::finish() {
    РасходОбщИт = Money();
    for (const PairRule& rule : kPairs) {
        ProfPair& p = this->*rule.pair;
        p.СумРасхВыч = qMin(p.СумРасхВыч, p.income);
        РасходОбщИт += p.СумРасхВыч;
    }
}

CalcJson kTSvodSumPrilGBase::ToJson() const {
    CalcJson j;
    j.money(QStringLiteral("РасходОбщИт"), РасходОбщИт);
    for (const PairRule& rule : kPairs) {
        const ProfPair& p = this->*rule.pair;
        j.object(QString::fromUtf16(rule.name),
                 CalcJson()
                     .money(QString::fromUtf16(rule.incomeName), p.income)
                     .money(QStringLiteral("СумРасхВыч"), p.СумРасхВыч));
    }
    return j;
}

bool kTSvodSumPrilG::Compute(const mTDeclaration& d) {
    if (d.formKind == 0 || d.formKind == 1) {
        const bool resident = d.formKind == 0;
        for (const mTThirteenPercent& s : resident ? d.thirteenSources : d.thirteenNrSources)
            for (const mTThirteenPercent::IncomeRow& r : s.rows())
                add(r.incomeCode, r.deductionCode, r.amount, r.deductionAmount, !resident);
    }
    finish();
    return true;
}

bool kTSvodSumPrilG_In::Compute(const mTDeclaration& d) {
    if (d.incomeFlags() & mTDeclaration::kFlagCurrency)
        for (const mTCurrencyIncome& c : d.currencyIncomes)
            add(c.incomeCode, c.deductionCode, c.incomeInRubles, c.deductionAmount, false);
    finish();
    return true;
}
