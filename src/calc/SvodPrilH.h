#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

// Income from a sale and the deduction by limit ("СумИмущ", "СумИнИмущ", ...).
struct SaleByLimit {
    Money ДохВсехИст;
    Money НалВычет;
};

// Income from a sale and the documented expenses ("СумИмущДок", "СумИнИмущДок").
struct SaleByExpenses {
    Money ДохВсехИст;
    Money РасхДок;
};

// Sale of housing ("ВычЖилИмущ").
struct HousingSale {
    Money ДохИстИтог;
    Money ВычИмущИтог;
    SaleByLimit СумИмущ;       // housing sold, 1510 with 901
    SaleByLimit СумДолИмущ;    // share sold, 1511 with 904
    SaleByLimit СумИмущОбщ;    // both together, within the one limit
    SaleByExpenses СумИмущДок; // 1510 or 1511 with 903
};

// Sale of other property ("ВычИноеИмущ").
struct OtherSale {
    Money ДохИстИтог;
    Money ВычИнИмущИтог;
    SaleByLimit СумИнИмущ;       // 1520 with 906
    SaleByExpenses СумИнИмущДок; // 1520 with 903
};

// Deductions on the sale of property ("ВычПродИмущ").
class kTSvodSumPrilH1 : public kTSvodSumResettable<kTSvodSumPrilH1> {
public:
    HousingSale ВычЖилИмущ;
    OtherSale ВычИноеИмущ;
    Money ВычетОбщ;
    SaleByLimit СумИзтИмущ; // in "ВычИзтИмущ": redeemed for state needs, 4900 with 908

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d);

private:
    // fromCurrency: the foreign records take the two share rules the other way round.
    void add(qint32 incomeCode, qint32 deductionCode, Money income, Money deduction,
             bool fromCurrency);
};

// Deduction for buying or building housing and for the interest on its loans
// ("РасчИмущВыч" in "ВычИмущНов"). Computed last: its base is the income at 13
// percent after every other deduction.
class kTSvodSumPrilZ : public kTSvodSumResettable<kTSvodSumPrilZ> {
public:
    double share = 0;
    Money СумРасхФакт;
    Money СумФактУплПроц;
    Money ВычНовЗачПред;
    Money ВычНовЗачПредНД;
    Money ВычНовЗачПредУп;
    Money ВычПроцЗачПред;
    Money ВычПроцЗачПредНД;
    Money ВычПроцЗачПредУп;
    Money ОстВычПршПред;
    Money ПроцПршПред;
    Money ВычНАУвед;
    Money ПроцНАУвед;
    Money НалБаз13БезВыч;
    Money РасхНовВычНД;
    Money ПроцВычНД;
    Money ОстВычПрхСлед;
    Money ПроцПрхСлед;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, const kTSvodSum& sum);
};
