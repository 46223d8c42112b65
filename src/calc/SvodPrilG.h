#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

// One pair of income and professional deduction ("РасхФактДогГПХ", ...). The
// income bears the name of its group ("СумДохДогГПХ", "СумАвторВозн", ...).
struct ProfPair {
    Money income;
    Money СумРасхВыч;
};

// Professional deductions ("ВычПрофВозн"): from income at 13 percent
// (kTSvodSumPrilG) or from foreign income (kTSvodSumPrilG_In).
class kTSvodSumPrilGBase : public kTSvodSumItem {
public:
    ProfPair РасхФактДогГПХ;
    ProfPair РасхФактАвтВозн;
    ProfPair РасхНормАвтВозн;
    ProfPair РасхФактУстКап;
    ProfPair РасхФактДолСтр;
    Money РасходОбщИт;

    void Reset() override;
    CalcJson ToJson() const override;

protected:
    // onlyContracts: a non-resident has only the civil-law contract pair.
    void add(qint32 incomeCode, qint32 deductionCode, Money income, Money deduction,
             bool onlyContracts);
    void finish();
};

class kTSvodSumPrilG : public kTSvodSumPrilGBase {
public:
    bool Compute(const mTDeclaration& d);
};

class kTSvodSumPrilG_In : public kTSvodSumPrilGBase {
public:
    bool Compute(const mTDeclaration& d);
};
