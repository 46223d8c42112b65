#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

#include <QString>
#include <vector>

class kTSvodSumPrilM2;

// One payment source on sheet A ("РасчДохНал"), in the order of its list.
struct SourceRow {
    int sourceIndex = 0; // in the list the sheet walks
    Money Доход;
    Money ДоходОбл;
    Money НалИсчисл;
    Money НалУдерж;
    QString ОКАТО;
};

// Sheet A of one rate ("ДоходИстРФ"): income from sources in the country. While
// totalling it fixes the OKATO under which a refund at its rate is listed.
class kTSvodSumPrilA : public kTSvodSumItem {
public:
    Money ДоходОбщ;
    Money НалУдержИт;
    Money НалИсчислИт;
    Money ДоходОблОбщ;
    std::vector<SourceRow> РасчДохНал;

    void Reset() override;
    CalcJson ToJson() const override;

protected:
    void addSource(int index, Money income, Money taxable, Money tax, Money withheld,
                   const QString& okato);
};

// 9 percent: dividends of a resident.
class kTSvodSumPrilA6 : public kTSvodSumPrilA {
public:
    bool Compute(const mTDeclaration& d, kTSvodSum& sum);
};

// 13 percent: resident or non-resident payers; also the fixed advance payments of
// a foreigner working under a patent.
class kTSvodSumPrilA13 : public kTSvodSumPrilA {
public:
    Money НалУплФАП;

    void Reset() override;
    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, kTSvodSum& sum);
};

// 15 percent: dividends of a non-resident, the tax recomputed per source.
class kTSvodSumPrilA15 : public kTSvodSumPrilA {
public:
    bool Compute(const mTDeclaration& d, kTSvodSum& sum);
};

// 30 percent: income of a non-resident (kept in the 13 percent list).
class kTSvodSumPrilA30 : public kTSvodSumPrilA {
public:
    bool Compute(const mTDeclaration& d, kTSvodSum& sum);
};

// 35 percent; advertising prizes are taxed above their exempt part.
class kTSvodSumPrilA35 : public kTSvodSumPrilA {
public:
    bool Compute(const mTDeclaration& d, kTSvodSum& sum, const kTSvodSumPrilM2& prizes);
};
