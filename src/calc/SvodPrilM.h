#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

#include <QString>
#include <array>
#include <vector>

// One group of exempt income ("МатПомРаб", "ПодарНП", ...).
struct ExemptGroup {
    Money ДоходВсИст; // income of the group's code
    Money ДоходНеНал; // its exempt part, within the limits
};

// One month of pay from an agricultural producer ("СумДохМес").
struct ProducerMonth {
    Money ОплТрудОбщ;
    Money ОплТрудНатур;
    Money ДохНеНалПред;
    Money ДоходНеНалМ;
    Money ДохНеНалПослед;
};

// Pay in kind from one producer ("ДохОплСХ").
struct ProducerPayRow {
    int sourceIndex = 0;
    QString sourceInn;
    QString sourceKpp;
    std::array<ProducerMonth, 12> months{};
    Money ДоходНеНал;
};

// Income exempt from tax ("ДоходОсвПрев").
class kTSvodSumPrilM : public kTSvodSumResettable<kTSvodSumPrilM> {
public:
    ExemptGroup МатПомРожд;
    ExemptGroup МатПомРаб;
    ExemptGroup МатПомИнв;
    ExemptGroup ПодарНП;
    ExemptGroup ПризНП;
    ExemptGroup ВозмМед;
    ExemptGroup ПомПодар;
    Money ДохНеНалОбщ;
    Money ДохНеНалОплСХ;
    std::vector<ProducerPayRow> ДохОплСХ;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d);

private:
    void collectProducers(const mTDeclaration& d);
    void collectGroups(const mTDeclaration& d);
    void addToGroup(qint32 incomeCode, qint32 deductionCode, Money income, Money deduction);
};

// One advertising prize ("СвДоход").
struct PrizeRow {
    bool fromThirteen = false; // the source is in thirteenSources, else in thirtyFiveSources
    int sourceIndex = 0;
    QString sourceInn;
    QString sourceKpp;
    QString sourceName;
    Money Доход;
    Money ДоходНеНал;
};

// The exempt part of advertising prizes, 4000 roubles shared by all of them
// ("ДоходИгрПриз").
class kTSvodSumPrilM2 : public kTSvodSumResettable<kTSvodSumPrilM2> {
public:
    Money ДоходНеНалОбщ;
    std::vector<PrizeRow> СвДоход;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d);
};

// Tax withheld on a material benefit that is not taxable ("РасчНалогУдЛ").
struct BenefitRow {
    int sourceIndex = 0;
    QString sourceInn;
    QString sourceKpp;
    QString sourceOkato;
    QString sourceName;
    Money Доход;
    Money НалогУдЛ;
};

// Tax withheld on non-taxable material benefit, to be refunded ("ДоходМатВыг").
class kTSvodSumPrilM3 : public kTSvodSumResettable<kTSvodSumPrilM3> {
public:
    Money НалогУдЛОбщ;
    std::vector<BenefitRow> РасчНалогУдЛ;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d);
};
