#pragma once

#include "model/DeclClasses.h"
#include "storage/DateTime.h"

// Declarations built in code for the check tests.

inline Money m(const char* text) {
    return *Money::parse(QString::fromLatin1(text));
}

inline double ymd(int y, int mo, int d) {
    return TDateTime::fromYmd(y, mo, d);
}

inline mTThirteenPercent& addSource(mTDeclaration& d, Money income, Money tax,
                                    bool withRow = true) {
    mTThirteenPercent& s = d.thirteenSources.Get(d.thirteenSources.Add());
    s.sourceName = QStringLiteral("ООО Ромашка");
    if (withRow) {
        mTThirteenPercent::IncomeRow row;
        row.incomeCode = 2000;
        row.amount = income;
        row.month = 1;
        s.AddRow(row);
    }
    s.taxWithheld = tax;
    return s;
}

// A 3-NDFL declaration that passes every check.
inline void fillValid(mTDeclaration& d) {
    d.InitAsNewDocument(ymd(2012, 3, 1));
    d.inspectionCode = QStringLiteral("7701");
    mTPersonInformation& p = d.person;
    p.surname = QStringLiteral("Иванов");
    p.firstName = QStringLiteral("Иван");
    p.inn = QStringLiteral("123456789047");
    p.idDocKind = 21;
    p.idDocSeriesNumber = QStringLiteral("45 01 123456");
    p.birthDate = ymd(1977, 1, 1);
    p.idDocIssueDate = ymd(2001, 5, 1);
    p.idDocIssuer = QStringLiteral("ОВД Тверского района");
    p.birthPlace = QStringLiteral("Москва");
    p.regionCode = 77;
    p.street = QStringLiteral("Тверская");
    p.okato = QStringLiteral("45286555000");
    addSource(d, m("100000"), m("13000"));
}
