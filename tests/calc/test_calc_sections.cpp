#include "CalcTestKit.h"

using namespace kit;

class TestCalcSections : public QObject {
    Q_OBJECT
private slots:
    void form4NdflComputesNothing();
    void zeroLine_data();
    void zeroLine();
    void tax13Rounding_data();
    void tax13Rounding();
    void deductionsAboveIncome();
    void refundSplit_data();
    void refundSplit();
    void payable13_data();
    void payable13();
    void taxAbroadNeverRefunds();
    void notified30IsRefundedAtOkato13_data();
    void notified30IsRefundedAtOkato13();
    void section35OnTotalNotPerSource();
    void section15OnTotalNotPerSource();
    void section9SumsWhatSourcesComputed();
    void refundOkatos_data();
    void refundOkatos();
    void nonResidentSection13();
};

void TestCalcSections::form4NdflComputesNothing() {
    auto d = Resident(kOwn);
    d->formKind = 2;
    AddThirteen(*d, kX, "500", {Row(2000, "100000")});
    AddThirtyFive(*d, 3020, "10000");
    AddPayment(*d, BudgetCode::kPayable, "700");
    const auto sum = Calc(*d);
    QCOMPARE(sum->ToJson().toJson(), kTSvodSum().ToJson().toJson());
    QVERIFY(sum->list6.lines.empty());
}

void TestCalcSections::zeroLine_data() {
    QTest::addColumn<int>("taxpayerKind");
    QTest::addColumn<bool>("withIncome");
    QTest::addColumn<QString>("code");
    QTest::newRow("no income, other person") << 5 << false << BudgetCode::kPayable;
    QTest::newRow("no income, entrepreneur") << 0 << false << BudgetCode::kBusiness;
    QTest::newRow("no income, lawyer") << 3 << false << BudgetCode::kBusiness;
    QTest::newRow("tax equals withheld, other person") << 5 << true << BudgetCode::kPayable;
    QTest::newRow("tax equals withheld, head of a farm") << 1 << true << BudgetCode::kBusiness;
    QTest::newRow("tax equals withheld, notary") << 2 << true << BudgetCode::kBusiness;
}

void TestCalcSections::zeroLine() {
    QFETCH(int, taxpayerKind);
    QFETCH(bool, withIncome);
    QFETCH(QString, code);
    auto d = std::make_unique<mTDeclaration>();
    d->person.okato = kOwn;
    d->taxpayerKind = quint8(taxpayerKind);
    if (withIncome)
        AddThirteen(*d, kX, "13000", {Row(2000, "100000")});
    const auto sum = Calc(*d);
    QCOMPARE(sum->list1.Исчисл, withIncome ? M("13000") : M("0"));
    QCOMPARE(Lines(*sum), QStringList{Line(code, kOwn, "3", "0")});
}

void TestCalcSections::tax13Rounding_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<Money>("tax");
    QTest::newRow("100.50 gives 13.065") << "100.50" << M("13");
    QTest::newRow("50 gives 6.5") << "50" << M("7");
    QTest::newRow("90 gives 11.7") << "90" << M("12");
}

void TestCalcSections::tax13Rounding() {
    QFETCH(QString, base);
    QFETCH(Money, tax);
    auto d = Resident(kOwn);
    AddThirteen(*d, kX, "0", {Row(2000, base.toLatin1().constData())});
    const auto sum = Calc(*d);
    QCOMPARE(sum->list1.НалБаза, M(base.toLatin1().constData()));
    QCOMPARE(sum->list1.Исчисл, tax);
    QCOMPARE(sum->list1.ПодлУпл, tax);
}

void TestCalcSections::deductionsAboveIncome() {
    auto d = Resident(kOwn);
    // Aid at the birth of a child: the deduction is taken whole, here above the income.
    AddThirteen(*d, kX, "0", {Row(2762, "1000", 3, 508, "60000"), Row(2000, "5000")});
    const auto sum = Calc(*d);
    QCOMPARE(sum->list1.ДоходОбщ, M("6000"));
    QCOMPARE(sum->list1.ДоходОбщНеНал, M("60000"));
    QCOMPARE(sum->list1.ДоходОбщНал, M("-54000"));
    QCOMPARE(sum->list1.НалБаза, M("0"));
    QCOMPARE(sum->list1.Исчисл, M("0"));
}

void TestCalcSections::refundSplit_data() {
    QTest::addColumn<QStringList>("okatos");
    QTest::addColumn<QStringList>("withheld");
    QTest::addColumn<QString>("notified13");
    QTest::addColumn<QStringList>("lines");
    const QString r = BudgetCode::kRefund;
    // The first source's income makes a tax of 3000 in each row.
    QTest::newRow("10000 over 6000 at X and 7000 at Y")
        << QStringList{kX, kY} << QStringList{"6000", "7000"} << "0"
        << QStringList{Line(r, kX, "2", "6000"), Line(r, kY, "2", "4000")};
    QTest::newRow("both at X share one line") << QStringList{kX, kX} << QStringList{"6000", "7000"}
                                              << "0" << QStringList{Line(r, kX, "2", "10000")};
    QTest::newRow("a source that withheld nothing is passed over")
        << QStringList{kX, kY, kX} << QStringList{"4000", "0", "9000"} << "0"
        << QStringList{Line(r, kX, "2", "10000")};
    QTest::newRow("more than withheld goes to the own OKATO")
        << QStringList{kX} << QStringList{"6000"} << "7000"
        << QStringList{Line(r, kX, "2", "6000"), Line(r, kOwn, "2", "4000")};
}

void TestCalcSections::refundSplit() {
    QFETCH(QStringList, okatos);
    QFETCH(QStringList, withheld);
    QFETCH(QString, notified13);
    QFETCH(QStringList, lines);
    auto d = Resident(kOwn);
    for (int i = 0; i < okatos.size(); ++i) {
        const QByteArray w = withheld[i].toLatin1();
        mTThirteenPercent& s = AddThirteen(*d, okatos[i], w.constData(), {});
        if (i == 0)
            s.AddRow(Row(2000, "23077")); // 3000.01 -> 3000
    }
    AddPayment(*d, BudgetCode::kPayable13b, notified13.toLatin1().constData());
    const auto sum = Calc(*d);
    QCOMPARE(sum->list1.Исчисл, M("3000"));
    QCOMPARE(sum->list1.ПодлВозв, M("10000"));
    QCOMPARE(Lines(*sum), lines);
}

void TestCalcSections::payable13_data() {
    QTest::addColumn<QString>("advances");
    QTest::addColumn<QString>("employment");
    QTest::addColumn<QString>("withheld");
    QTest::addColumn<QStringList>("lines");
    const QString b = BudgetCode::kBusiness;
    const QString p = BudgetCode::kPayable;
    // Business: 100000 income, 20000 expenses, tax 10400; with 23077 of employment
    // the tax is 13400.
    QTest::newRow("business advance refunded first, nothing per source")
        << "5000"
        << "23077"
        << "11400" << QStringList{Line(BudgetCode::kBusiness, kOwn, "2", "3000")};
    QTest::newRow("advance smaller than the refund")
        << "1000"
        << "23077"
        << "16400"
        << QStringList{Line(b, kOwn, "2", "1000"), Line(BudgetCode::kRefund, kX, "2", "3000")};
    QTest::newRow("payable only from business") << "5000"
                                                << "0"
                                                << "0" << QStringList{Line(b, kOwn, "1", "5400")};
    QTest::newRow("payable from business and the rest")
        << "5000"
        << "10000"
        << "0" << QStringList{Line(b, kOwn, "1", "5400"), Line(p, kOwn, "1", "1300")};
    QTest::newRow("business tax already covered by advances")
        << "10400"
        << "10000"
        << "0" << QStringList{Line(p, kOwn, "1", "1300")};
}

void TestCalcSections::payable13() {
    QFETCH(QString, advances);
    QFETCH(QString, employment);
    QFETCH(QString, withheld);
    QFETCH(QStringList, lines);
    auto d = Resident(kOwn);
    d->taxpayerKind = 0;
    AddBusiness(*d, "100000", "20000");
    d->actualAdvancePayments = M(advances.toLatin1().constData());
    AddThirteen(*d, kX, withheld.toLatin1().constData(),
                {Row(2000, employment.toLatin1().constData())});
    const auto sum = Calc(*d);
    QCOMPARE(Lines(*sum), lines);
}

void TestCalcSections::taxAbroadNeverRefunds() {
    auto d = Resident(kOwn);
    AddThirteen(*d, kX, "200", {Row(2000, "1000")});
    AddCurrency(*d, 13, 1010, "1000", "500");
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilB13.НалЗачРФОбщ, M("130"));
    QCOMPARE(sum->list1.Исчисл, M("260"));
    QCOMPARE(sum->list1.УплИно, M("130"));
    QCOMPARE(sum->list1.ПодлУпл, M("0"));
    QCOMPARE(sum->list1.ПодлВозв, M("0"));
    QCOMPARE(Lines(*sum), QStringList{Line(BudgetCode::kPayable, kOwn, "3", "0")});
}

void TestCalcSections::notified30IsRefundedAtOkato13_data() {
    QTest::addColumn<bool>("withSource");
    QTest::newRow("OKATO of the first 13 percent source") << true;
    QTest::newRow("own OKATO without sources") << false;
}

void TestCalcSections::notified30IsRefundedAtOkato13() {
    QFETCH(bool, withSource);
    auto d = Resident(kOwn);
    if (withSource)
        AddThirteen(*d, kX, "130", {Row(2000, "1000")});
    AddPayment(*d, BudgetCode::kPayable, "500");
    AddPayment(*d, QStringLiteral("18210102030011000111"), "77"); // another code
    const auto sum = Calc(*d);
    QCOMPARE(sum->list2.payments30, M("500"));
    QCOMPARE(sum->list2.ПодлВозв, M("500"));
    QCOMPARE(sum->list2.ДоходОбщ, M("0"));
    const QString okato = withSource ? kX : kOwn;
    QVERIFY(Lines(*sum).contains(Line(BudgetCode::kRefund, okato, "2", "500")));
}

void TestCalcSections::section35OnTotalNotPerSource() {
    auto d = Resident(kOwn);
    AddThirtyFive(*d, 3020, "10000.99", "10500", 0, "0", kX);
    AddThirtyFive(*d, 3020, "20000.99");
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilA35.НалИсчислИт, M("10500"));
    QCOMPARE(sum->list3.Исчисл, M("10501"));
    QCOMPARE(sum->list3.ПодлУпл, M("1"));
    QCOMPARE(Lines(*sum), QStringList{Line(BudgetCode::kPayable, kOwn, "1", "1")});
}

void TestCalcSections::section15OnTotalNotPerSource() {
    auto d = Resident(kOwn);
    d->formKind = 1;
    for (int i = 0; i < 3; ++i)
        AddDividends(*d, "10.10", "10.10", "0", "0", kX);
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilA15.НалИсчислИт, M("6")); // 1.515 -> 2 three times
    QCOMPARE(sum->list5.Исчисл, M("5"));        // 4.545 -> 5
    QCOMPARE(sum->list4.Исчисл, M("0"));        // no 9 percent for a non-resident
}

void TestCalcSections::section9SumsWhatSourcesComputed() {
    auto d = Resident(kOwn);
    AddDividends(*d, "1000", "900", "81", "100", kX);
    AddCurrency(*d, 9, 1010, "1000", "150");
    AddPayment(*d, BudgetCode::kPayable9, "10");
    AddPayment(*d, BudgetCode::kRefund, "5");
    const auto sum = Calc(*d);
    const kTSvodSumList4& s = sum->list4;
    QCOMPARE(s.ДоходОбщ, M("2000"));
    QCOMPARE(s.НалБаза, M("1900"));
    QCOMPARE(s.Исчисл, M("171")); // 81 as reported + 90 on the foreign dividend
    QCOMPARE(s.payments9, M("15"));
    QCOMPARE(s.УплИно, M("90"));
    QCOMPARE(s.ПодлВозв, M("0"));
    QCOMPARE(s.ПодлУпл, M("0")); // 171 - 100 - 15 - 90 < 0
}

void TestCalcSections::refundOkatos_data() {
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QStringList>("okatos");
    QTest::addColumn<QString>("okato35");
    QTest::newRow("first source") << QList<int>{3020, 3020} << QStringList{kX, kY} << kX;
    QTest::newRow("the last material benefit wins")
        << QList<int>{3020, 2620, 2620} << QStringList{kX, kY, QStringLiteral("45333333333")}
        << QStringLiteral("45333333333");
    QTest::newRow("no sources: own") << QList<int>{} << QStringList{} << kOwn;
    QTest::newRow("a source without OKATO is passed over")
        << QList<int>{3020, 3020} << QStringList{QString(), kY} << kY;
}

void TestCalcSections::refundOkatos() {
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, okatos);
    QFETCH(QString, okato35);
    auto d = Resident(kOwn);
    for (int i = 0; i < codes.size(); ++i)
        AddThirtyFive(*d, codes[i], "100", "35", 0, "0", okatos[i]);
    const auto sum = Calc(*d);
    QCOMPARE(sum->okato35, okato35);
    QCOMPARE(sum->okato9, kOwn);
    QCOMPARE(sum->okato15, kOwn);
}

void TestCalcSections::nonResidentSection13() {
    auto d = Resident(kOwn);
    d->formKind = 1;
    AddThirteen(*d, kX, "100", {Row(2000, "1000")}, true);  // at 13 percent
    AddThirteen(*d, kY, "600", {Row(2000, "2000")}, false); // at 30 percent
    AddCurrency(*d, 13, 1010, "5000", "100");
    const auto sum = Calc(*d);
    QCOMPARE(sum->okato13, kX);
    QCOMPARE(sum->list1.ДоходОбщ, M("1000")); // foreign income is not in it
    QCOMPARE(sum->list1.Исчисл, M("130"));
    QCOMPARE(sum->list1.УплИно, M("0"));
    QCOMPARE(sum->list1.ПодлУпл, M("30"));
    QCOMPARE(sum->list2.ДоходОбщ, M("2000"));
    QCOMPARE(sum->list2.Исчисл, M("600"));
    QCOMPARE(sum->list2.ПодлУпл, M("0"));
    QCOMPARE(Lines(*sum), (QStringList{Line(BudgetCode::kPayable, kOwn, "1", "30"),
                                       Line(BudgetCode::kPayable, kOwn, "3", "0")}));
}

QTEST_GUILESS_MAIN(TestCalcSections)
#include "test_calc_sections.moc"
