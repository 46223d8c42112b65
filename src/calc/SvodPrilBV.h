#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

#include <QString>
#include <vector>

// One receipt of foreign income on sheet B ("РасчДохНалИно").
struct ForeignIncomeRow {
    int recordIndex = 0; // in currencyIncomes
    QString countryCode;
    QString currencyName;
    QString currencyCode;
    QString sourceName;
    double incomeDate = 0;
    QString rateOnIncomeDate; // per unit, four decimals at most; empty without units
    QString incomeInCurrency; // two decimals, "."
    Money incomeInRubles;
    qint32 incomeCode = 0;
    Money deductionAmount;
    qint32 deductionCode = 0;
    double taxPaidDate = 0;
    QString rateOnTaxDate;
    QString taxInCurrency;
    Money taxInRubles;
    Money russianTax; // the row's "НалЗачРФОбщ"
    Money credit;     // the row's "НалогЗачРФОбщ"
};

// Sheet B of one rate ("ДоходИстИно"): income abroad, the Russian tax on it and the
// part of the foreign tax credited against it.
class kTSvodSumPrilB : public kTSvodSumResettable<kTSvodSumPrilB> {
public:
    qint32 rate = 0;
    Money ДоходИноРубОбщ;
    Money НалУплИноРубОбщ;
    Money НалИсчислРФОбщ;
    Money НалЗачРФОбщ;
    std::vector<ForeignIncomeRow> РасчДохНалИно;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, qint32 atRate);
};

// Sheet V: business ("ДоходПредпр") or private practice (used only inside the
// calculation) with the professional deduction and the advance payments.
class kTSvodSumPrilV : public kTSvodSumItem {
public:
    Money ДоходИт;
    Money ВычПрофИт;
    Money УплАванИт;
    Money НачислАванИт;

    void Reset() override;
    CalcJson ToJson() const override;

protected:
    // Expenses never exceed the income: a loss does not reach the sections.
    void capDeduction();
};

class kTSvodSumPrilV1 : public kTSvodSumPrilV {
public:
    bool Compute(const mTDeclaration& d);
};

class kTSvodSumPrilV2 : public kTSvodSumPrilV {
public:
    bool Compute(const mTDeclaration& d);
};
