#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

#include <QString>
#include <vector>

// The five rate sections ("НалБаза13", "НалБаза30", "НалБаза35", "НалБаза9",
// "НалБаза15") and the payment lines ("ПодлУплВозв"). Fields not exported
// (the notified payments of each section) carry plain names.

class kTSvodSumList1 : public kTSvodSumResettable<kTSvodSumList1> {
public:
    Money ДоходОбщ;
    Money ДоходОбщНеНал;
    Money РасхВычОбщ;
    Money ДоходОбщНал;
    Money НалБаза;
    Money Исчисл;
    Money УдержОбщ;
    Money УплФактАв;
    Money УплФиксирАв;
    Money payments13;
    Money УплИно;
    Money ПодлВозв;
    Money ПодлУпл;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, const kTSvodSum& sum);
};

class kTSvodSumList2 : public kTSvodSumResettable<kTSvodSumList2> {
public:
    Money ДоходОбщ;
    Money ДоходОбщНеНал;
    Money РасхОбщ;
    Money ДоходОбщНал;
    Money НалБаза;
    Money Исчисл;
    Money УдержОбщ;
    Money payments30;
    Money ПодлВозв;
    Money ПодлУпл;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, const kTSvodSum& sum);
};

class kTSvodSumList3 : public kTSvodSumResettable<kTSvodSumList3> {
public:
    Money ДоходОбщ;
    Money ДоходОбщНеНал;
    Money Исчисл;
    Money НалБаза;
    Money УдержОбщ;
    Money УплИно;
    Money payments35;
    Money ПодлВозв;
    Money ПодлУпл;
    Money УдержОбщЛиш;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, const kTSvodSum& sum);
};

class kTSvodSumList4 : public kTSvodSumResettable<kTSvodSumList4> {
public:
    Money ДоходОбщ;
    Money НалБаза;
    Money Исчисл;
    Money УдержОбщ;
    Money payments9;
    Money ПодлВозв;
    Money УплИно;
    Money ПодлУпл;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, const kTSvodSum& sum);
};

class kTSvodSumList5 : public kTSvodSumResettable<kTSvodSumList5> {
public:
    Money ДоходОбщ;
    Money НалБаза;
    Money Исчисл;
    Money УдержОбщ;
    Money payments15;
    Money ПодлВозв;
    Money ПодлУпл;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, const kTSvodSum& sum);
};

// One line of the amounts payable or refundable ("ПодлУплВозв").
struct PaymentLine {
    QString budgetCode; // "КБК"
    QString okato;      // "ОКАТО"
    QString lineKind;   // "ПрУплВозв": "1" payable, "2" refundable, "3" neither
    Money amount;       // 0 for kind "3"
};

// Budget classification codes of the payment lines and notified payments.
namespace BudgetCode {
inline const QString kRefund = QStringLiteral("18210102010011000110");
inline const QString kPayable15 = QStringLiteral("18210102011011000110");
inline const QString kBusiness = QStringLiteral("18210102020011000110");
inline const QString kPayable13a = QStringLiteral("18210102021011000110");
inline const QString kPayable13b = QStringLiteral("18210102022011000110");
inline const QString kPayable = QStringLiteral("18210102030011000110");
inline const QString kPayable35 = QStringLiteral("18210102040011000110");
inline const QString kPayable9 = QStringLiteral("18210102050011000110");
} // namespace BudgetCode

namespace LineKind {
inline const QString kPayable = QStringLiteral("1");
inline const QString kRefund = QStringLiteral("2");
inline const QString kNothing = QStringLiteral("3");
} // namespace LineKind

// What is to be paid or refunded, per budget code, OKATO and kind, in the order
// the lines were made: 13, 35, 30, 9, 15 percent.
class kTSvodSumList6 : public kTSvodSumResettable<kTSvodSumList6> {
public:
    std::vector<PaymentLine> lines;

    CalcJson ToJson() const override;
    std::vector<CalcJson> LinesJson() const;
    bool Compute(const mTDeclaration& d, const kTSvodSum& sum);

private:
    void add(const QString& code, const QString& okato, const QString& kind, Money amount);
    // Adds to the refund line of that code and OKATO, or makes one.
    void addRefund(const QString& code, const QString& okato, Money amount);
    void part13(const mTDeclaration& d, const kTSvodSum& sum, const QString& ownOkato);
    void partOther(Money refund, Money payable, Money income, const QString& refundOkato,
                   const QString& ownOkato);
};
