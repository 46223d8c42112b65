#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

// Groups of operations with securities and forward instruments, each under its XML
// element; the losses and offsets each group shows differ.
struct SecuritiesOrg { // "ДохОперЦБОрг", G1: traded securities
    Money ДохСовОпер;
    Money РасхСовОпер;
    Money УбытРезСовОпер; // its loss
    Money УбытУчРасчДох;  // its loss offset against G4
    Money УбытСовОперВыч; // G2 loss offset against it
    Money УбытОперЦБВыч;  // earlier securities loss offset against it
    Money НалДохРезОпер;
};

struct SecuritiesOrgAtPurchase { // "ДохОперЦБОргНеОрг", G2
    Money ДохСовОпер;
    Money РасхСовОпер;
    Money УбытУчРасчДох; // its loss
    Money НалДохРезОпер;
};

struct PlainOperations { // G3, G6, G7, G8: no offsets
    Money ДохСовОпер;
    Money РасхСовОпер;
    Money НалДохРезОпер;
};

struct InstrumentsOnSecurities { // "ДохФИССОргЦБ", G4
    Money ДохСовОпер;
    Money РасхСовОпер;
    Money УбытРезСовОпер;  // its loss
    Money УбытУчРасчДохФИ; // its loss offset against G5
    Money УбытУчРасчДохЦБ; // its loss offset against G1
    Money УбытПрмВыч;      // earlier instruments loss offset against it
    Money НалДохРезОпер;
};

struct InstrumentsOther { // "ДохФИССОргНеЦБ", G5
    Money ДохСовОпер;
    Money РасхСовОпер;
    Money УбытРезСовОпер; // its loss
    Money УбытУчРасчДох;  // its loss offset against G4
    Money УбытПрмВыч;     // earlier instruments loss offset against it
    Money НалДохРезОпер;
};

struct SecuritiesLosses { // "УбытПредПер", "УбытПрхПер"
    Money УбытОперЦБ;
    Money УбытФинИнсСС;
};

struct SecuritiesTotals { // "ИтогСовОпер"
    Money ОбщПолучДох;
    Money ОбщНалогДох;
    Money РасхПрмВыч;
};

// Operations with securities and forward instruments ("ДохОперЦБ"): per group the
// result, with losses offset between groups and against earlier years in a fixed
// order.
class kTSvodSumPrilJ : public kTSvodSumResettable<kTSvodSumPrilJ> {
public:
    SecuritiesOrg ДохОперЦБОрг;
    SecuritiesOrgAtPurchase ДохОперЦБОргНеОрг;
    PlainOperations ДохОперЦБНеОрг;
    InstrumentsOnSecurities ДохФИССОргЦБ;
    InstrumentsOther ДохФИССОргНеЦБ;
    PlainOperations ДохФИССНеОрг;
    PlainOperations ДохРЕПО;
    PlainOperations ДохЗаймЦБ;
    SecuritiesLosses УбытПредПер;
    SecuritiesLosses УбытПрхПер;
    SecuritiesTotals ИтогСовОпер;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d);

private:
    void add(qint32 incomeCode, qint32 deductionCode, Money income, Money expenses);
    void offset();
};
