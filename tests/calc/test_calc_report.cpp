#include "CalcTestKit.h"
#include "TestKit.h"
#include "calc/CalcReport.h"
#include "cli/CalcCommand.h"
#include "export/XmlReadBack.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

using namespace kit;

namespace {

using Make = std::function<std::unique_ptr<mTDeclaration>()>;

std::unique_ptr<mTDeclaration> exportData(const char* name) {
    return ReadBack::declaration(
        TestKit::readAll(QStringLiteral(QARV_SOURCE_DIR "/tests/export/data/") +
                         QLatin1String(name) + QStringLiteral(".json")));
}

// Employment, business, foreign income, a prize, dividends, standard and
// social deductions and a property sale at once, so that every formula of
// the 13 % section has terms that are not zero.
std::unique_ptr<mTDeclaration> busyResident() {
    auto d = Resident(kOwn);
    d->taxpayerKind = 0;
    mTThirteenPercent& employer = AddThirteen(*d, kX, "78000", {});
    // Above 280 000 from June: five months of the child deduction.
    for (qint16 m = 1; m <= 12; ++m)
        employer.AddRow(Row(2000, "50000", m));
    employer.AddRow(Row(2010, "20000", 5, 403, "3000"));
    employer.AddRow(Row(2760, "6000", 6, 503, "4000"));
    AddBusiness(*d, "300000", "100000");
    d->actualAdvancePayments = M("20000");
    AddCurrency(*d, 13, 1010, "100000", "10000");
    AddThirtyFive(*d, 2740, "10000", "2100", 1, "4000", kY);
    AddDividends(*d, "20000", "20000", "1800", "1700", kZ);
    employer.stdDeductionsHere = 1;
    mTStandartDeduct& sd = d->standardDeduction;
    sd.granted = 1;
    sd.personalCode = 103;
    sd.childMode = 101;
    sd.childrenConst = 1;
    sd.childrenCount = 1;
    sd.thirdCount = sd.disabledCount = 0;
    d->socialDeduction.granted = 1;
    d->socialDeduction.treatment = M("40000");
    d->socialDeduction.charity = M("10000");
    AddPayment(*d, BudgetCode::kPayable13b, "100");
    return d;
}

// More withheld than computed: a refund.
std::unique_ptr<mTDeclaration> refundResident() {
    auto d = Resident(kOwn);
    AddThirteen(*d, kX, "13000", {Row(2000, "100000")});
    d->socialDeduction.granted = 1;
    d->socialDeduction.treatment = M("50000");
    return d;
}

Money totalOf(const ReportValue& v) {
    Money total;
    for (const ReportTerm& t : v.terms)
        total += t.subtracted ? -t.amount : t.amount;
    return v.floored ? qMax(total, Money()) : total;
}

const ReportValue* find(const CalcReport& r, const QString& path) {
    for (const ReportPart& p : r.parts)
        for (const ReportValue& v : p.values)
            if (v.path == path)
                return &v;
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Make)

class TestCalcReport : public QObject {
    Q_OBJECT
private slots:
    void figuresAndFormulas_data();
    void figuresAndFormulas();
    void baseSpelledOutToEachDeduction();
    void resultLine_data();
    void resultLine();
    void commandPrintsTheReport();
};

void TestCalcReport::figuresAndFormulas_data() {
    QTest::addColumn<Make>("make");
    QTest::addColumn<int>("minFormulas"); // formulas with terms that are not all zero
    QTest::newRow("new document") << Make([] { return exportData("new_document"); }) << 0;
    QTest::newRow("resident, full") << Make([] { return exportData("resident_full"); }) << 5;
    QTest::newRow("non-resident") << Make([] { return exportData("nonresident"); }) << 3;
    QTest::newRow("busy resident") << Make(busyResident) << 15;
    QTest::newRow("refund") << Make(refundResident) << 5;
}

// The report's figures are the calculation's, its formulas add up, and every
// caption is Russian: no XML name or internal key shows through.
void TestCalcReport::figuresAndFormulas() {
    QFETCH(Make, make);
    QFETCH(int, minFormulas);
    const auto d = make();
    const auto sum = Calc(*d);
    const CalcReport report = BuildCalcReport(*d, *sum);

    const std::pair<const char*, Money> figures[] = {
        {"kTSvodSumList1/ДоходОбщ", sum->list1.ДоходОбщ},
        {"kTSvodSumList1/НалБаза", sum->list1.НалБаза},
        {"kTSvodSumList1/Исчисл", sum->list1.Исчисл},
        {"kTSvodSumList1/ПодлУпл", sum->list1.ПодлУпл},
        {"kTSvodSumList1/ПодлВозв", sum->list1.ПодлВозв},
        {"kTSvodSumList2/НалБаза", sum->list2.НалБаза},
        {"kTSvodSumList3/Исчисл", sum->list3.Исчисл},
        {"kTSvodSumList4/ПодлУпл", sum->list4.ПодлУпл},
        {"kTSvodSumList5/НалБаза", sum->list5.НалБаза},
    };
    for (const auto& [path, amount] : figures) {
        const ReportValue* v = find(report, QString::fromUtf8(path));
        // A section without anything in it is left out; then it holds zero.
        QVERIFY2(v ? v->amount == amount : amount.isZero(), path);
    }
    const auto& lines = sum->list6.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ReportValue* v =
            find(report, QStringLiteral("kTSvodSumList6/ПодлУплВозв/%1").arg(i + 1));
        QVERIFY(v);
        QCOMPARE(v->amount, lines[i].amount);
        QVERIFY(v->caption.contains(lines[i].budgetCode));
    }

    int formulas = 0;
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    for (const ReportPart& part : report.parts) {
        QVERIFY(!part.values.empty());
        for (const ReportValue& v : part.values) {
            const QByteArray where = v.path.toUtf8();
            QVERIFY2(!v.caption.contains(latin) ||
                         v.path.startsWith(QLatin1String("kTSvodSumList6")),
                     where + ": " + v.caption.toUtf8());
            for (const ReportTerm& t : v.terms)
                QVERIFY2(!t.caption.contains(latin), where + ": " + t.caption.toUtf8());
            if (v.terms.empty())
                continue;
            QVERIFY2(totalOf(v) == v.amount, where + " = " + v.amount.toString().toLatin1() +
                                                 ", terms give " +
                                                 totalOf(v).toString().toLatin1());
            if (std::any_of(v.terms.begin(), v.terms.end(),
                            [](const ReportTerm& t) { return !t.amount.isZero(); }))
                ++formulas;
        }
    }
    QVERIFY2(formulas >= minFormulas, QByteArray::number(formulas));
}

void TestCalcReport::baseSpelledOutToEachDeduction() {
    const auto d = busyResident();
    const auto sum = Calc(*d);
    const CalcReport report = BuildCalcReport(*d, *sum);
    const ReportValue* base = find(report, QStringLiteral("kTSvodSumList1/НалБаза"));
    QVERIFY(base);
    QStringList shown;
    for (const ReportTerm& t : base->terms)
        if (!t.amount.isZero())
            shown << (t.subtracted ? QStringLiteral("-") : QStringLiteral("+")) + t.caption +
                         QLatin1Char(' ') + t.amount.toString();
    QCOMPARE(shown,
             (QStringList{
                 QStringLiteral("+Общая сумма дохода 1026000"),
                 QStringLiteral("-Доходы, не подлежащие налогообложению 4000"),
                 QStringLiteral("-Профессиональный налоговый вычет (Доходы от "
                                "предпринимательской деятельности) 100000"),
                 QStringLiteral("-Профессиональные вычеты, всего (Профессиональные налоговые "
                                "вычеты) 3000"),
                 QStringLiteral("-Стандартные вычеты, всего (Стандартные налоговые вычеты) 5000"),
                 QStringLiteral("-Социальные вычеты, всего (Социальные налоговые вычеты) 50000"),
             }));
}

void TestCalcReport::resultLine_data() {
    QTest::addColumn<Make>("make");
    QTest::addColumn<QString>("line");
    // "_" marks the no-break space between thousands.
    const auto u = [](const char* text) {
        return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x00A0));
    };
    QTest::newRow("refund") << Make(refundResident) << u("К возврату: 6_500 руб.");
    QTest::newRow("payment") << Make([] {
        auto d = Resident(kOwn);
        AddThirteen(*d, kX, "0", {Row(2000, "1234567.50")});
        return d;
    }) << u("К уплате: 160_494 руб.");
    QTest::newRow("zero: all withheld") << Make([] {
        auto d = Resident(kOwn);
        AddThirteen(*d, kX, "13000", {Row(2000, "100000")});
        return d;
    }) << QStringLiteral("К уплате: 0 руб.");
    QTest::newRow("both ways on different lines") << Make([] {
        auto d = Resident(kOwn);
        AddThirteen(*d, kX, "13000", {Row(2000, "10000")});
        AddThirtyFive(*d, 2740, "10000", "0", 0, "0", kY);
        return d;
    }) << u("К уплате: 3_500 руб.; к возврату: 11_700 руб.");
    QTest::newRow("4-NDFL") << Make([] {
        auto d = exportData("ndfl4");
        d->expectedIncome = M("500000.5");
        return d;
    }) << u("Налог не исчислен; предполагаемый доход: 500_000,50 руб.");
}

void TestCalcReport::resultLine() {
    QFETCH(Make, make);
    QFETCH(QString, line);
    const auto d = make();
    QCOMPARE(ResultLineText(*d, *Calc(*d)), line);
}

void TestCalcReport::commandPrintsTheReport() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("d.dc1"));
    const auto d = busyResident();
    d->SaveToFile(file);
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(RunCalc(file, o, e, true), 0);
    o.flush();
    const auto sum = Calc(*d);
    QCOMPARE(out, CalcReportText(BuildCalcReport(*d, *sum)));
    QVERIFY(out.startsWith(QStringLiteral("Доходы, облагаемые по ставке 13%\n")));
    QVERIFY(out.contains(QStringLiteral("  Налоговая база: 864")));
    QVERIFY(out.contains(QStringLiteral("      − Стандартные вычеты, всего")));
}

QTEST_GUILESS_MAIN(TestCalcReport)
#include "test_calc_report.moc"
