#pragma once

// Builders for declarations used by the calculation tests: amounts are written as
// the user types them ("100.50"), codes as in the income code dictionary.

#include "calc/BMLogik.h"
#include "model/DeclClasses.h"

#include <QtTest>
#include <initializer_list>
#include <memory>

namespace kit {

// OKATO codes: the declarant's own and three others for payers elsewhere.
inline const QString kOwn = QStringLiteral("45000000000");
inline const QString kX = QStringLiteral("45111111111");
inline const QString kY = QStringLiteral("45222222222");
inline const QString kZ = QStringLiteral("45333333333");

inline Money M(const char* text) {
    const std::optional<Money> m = Money::parse(QString::fromLatin1(text));
    if (!m)
        qFatal("bad amount in test: %s", text);
    return *m;
}

inline mTThirteenPercent::IncomeRow Row(qint32 code, const char* amount, qint16 month = 1,
                                        qint32 deductionCode = 0,
                                        const char* deductionAmount = "0") {
    mTThirteenPercent::IncomeRow r;
    r.incomeCode = code;
    r.amount = M(amount);
    r.month = month;
    r.deductionCode = deductionCode;
    r.deductionAmount = M(deductionAmount);
    return r;
}

inline void EnsureFlags(mTDeclaration& d, quint8 flags) {
    d.SetIncomeFlags(d.incomeFlags() | flags);
}

inline mTThirteenPercent& AddThirteen(mTDeclaration& d, const QString& okato, const char* withheld,
                                      std::initializer_list<mTThirteenPercent::IncomeRow> rows,
                                      bool nonResidentList = false) {
    EnsureFlags(d, mTDeclaration::kFlagAgents);
    auto& list = nonResidentList ? d.thirteenNrSources : d.thirteenSources;
    mTThirteenPercent& s = list.Get(list.Add());
    s.sourceOkato = okato;
    s.sourceInn = QStringLiteral("7701234567");
    s.taxWithheld = M(withheld);
    for (const auto& r : rows)
        s.AddRow(r);
    return s;
}

inline mTThirtyFivePercent& AddThirtyFive(mTDeclaration& d, qint32 code, const char* income,
                                          const char* withheld = "0", qint32 deductionCode = 0,
                                          const char* deductionAmount = "0",
                                          const QString& okato = QString()) {
    EnsureFlags(d, mTDeclaration::kFlagAgents);
    mTThirtyFivePercent& s = d.thirtyFiveSources.Get(d.thirtyFiveSources.Add());
    s.incomeCode = code;
    s.totalIncome = M(income);
    s.taxWithheld = M(withheld);
    s.deductionCode = deductionCode;
    s.deductionAmount = M(deductionAmount);
    s.sourceOkato = okato;
    return s;
}

inline mTThirtyPercent& AddDividends(mTDeclaration& d, const char* income, const char* taxable,
                                     const char* computed, const char* withheld,
                                     const QString& okato = QString()) {
    EnsureFlags(d, mTDeclaration::kFlagAgents);
    mTThirtyPercent& s = d.thirtySources.Get(d.thirtySources.Add());
    s.totalIncome = M(income);
    s.taxableAmount = M(taxable);
    s.taxComputed = M(computed);
    s.taxWithheld = M(withheld);
    s.sourceOkato = okato;
    return s;
}

inline mTCurrencyIncome& AddCurrency(mTDeclaration& d, qint32 rate, qint32 code, const char* rubles,
                                     const char* taxRubles = "0", qint32 deductionCode = 0,
                                     const char* deductionAmount = "0") {
    EnsureFlags(d, mTDeclaration::kFlagCurrency);
    mTCurrencyIncome& c = d.currencyIncomes.Get(d.currencyIncomes.Add());
    c.incomeRate = rate;
    c.incomeCode = code;
    c.incomeInRubles = M(rubles);
    c.taxInRubles = M(taxRubles);
    c.deductionCode = deductionCode;
    c.deductionAmount = M(deductionAmount);
    return c;
}

inline mTBusinessNew& AddBusiness(mTDeclaration& d, const char* income, const char* expenses) {
    EnsureFlags(d, mTDeclaration::kFlagBusiness);
    mTBusinessNew& b = d.businessActivities.Get(d.businessActivities.Add());
    b.activityKind = QStringLiteral("1");
    b.income = M(income);
    b.hasConfirmedExpenses = 1;
    b.expensesTotal = M(expenses);
    return b;
}

inline void AddPayment(mTDeclaration& d, const QString& code, const char* amount) {
    mTNalog& p = d.notifiedPayments.Get(d.notifiedPayments.Add());
    p.budgetCode = code;
    p.paymentAmount = M(amount);
}

// A resident with income from tax agents, living at okato; the deduction tests
// leave it empty, as they do not look at the payment lines.
inline std::unique_ptr<mTDeclaration> Resident(const QString& okato = QString()) {
    auto d = std::make_unique<mTDeclaration>();
    d->person.okato = okato;
    d->SetIncomeFlags(mTDeclaration::kFlagAgents);
    return d;
}

inline std::unique_ptr<kTSvodSum> Calc(const mTDeclaration& d) {
    auto sum = std::make_unique<kTSvodSum>();
    if (!sum->Calculate(d))
        qFatal("the calculation reported failure");
    return sum;
}

// The payment lines as "КБК OKATO kind amount", in list order.
inline QString Line(const QString& code, const QString& okato, const char* kind,
                    const char* amount) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(code, okato, QLatin1String(kind), QLatin1String(amount));
}

inline QStringList Lines(const kTSvodSum& sum) {
    QStringList out;
    for (const PaymentLine& l : sum.list6.lines)
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(l.budgetCode, l.okato, l.lineKind, l.amount.toString());
    return out;
}

} // namespace kit

namespace QTest {
template <> inline char* toString(const Money& m) {
    return qstrdup(m.toString().toUtf8().constData());
}
} // namespace QTest
