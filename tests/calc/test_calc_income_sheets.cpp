#include "CalcTestKit.h"

using namespace kit;

class TestCalcIncomeSheets : public QObject {
    Q_OBJECT
private slots:
    void sheetA13TakesRowsAndReportedFigures();
    void sheetA35Prizes_data();
    void sheetA35Prizes();
    void sheetA35LeavesMaterialBenefitToItsSheet();
    void sheetA15RecomputesPerSource();
    void sheetB_data();
    void sheetB();
    void sheetBRowTexts();
    void sheetBNeedsTheCurrencyBit();
    void sheetV_data();
    void sheetV();
    void exemptGroups_data();
    void exemptGroups();
    void payInKind();
    void payInKindAboveTwentyPercent();
    void prizeLimitShared();
    void professionalDeductions_data();
    void professionalDeductions();
    void professionalDeductionsNonResident();
};

void TestCalcIncomeSheets::sheetA13TakesRowsAndReportedFigures() {
    auto d = Resident(kOwn);
    mTThirteenPercent& s = AddThirteen(*d, QStringLiteral("45111111111"), "13000",
                                       {Row(2000, "60000", 1), Row(2000, "60000", 2)});
    s.taxableIncome = M("100000");
    s.taxComputed = M("13000");
    d->foreignerFixedPayments = M("1200");
    const auto sum = Calc(*d);
    const kTSvodSumPrilA13& a = sum->prilA13;
    QCOMPARE(a.ДоходОбщ, M("120000"));
    QCOMPARE(a.ДоходОблОбщ, M("100000"));
    QCOMPARE(a.НалИсчислИт, M("13000"));
    QCOMPARE(a.НалУдержИт, M("13000"));
    QCOMPARE(a.НалУплФАП, M("1200"));
    QCOMPARE(sum->list1.УплФиксирАв, M("1200"));
    QCOMPARE(a.РасчДохНал.size(), std::size_t(1));
    QCOMPARE(sum->okato13, QStringLiteral("45111111111"));
}

void TestCalcIncomeSheets::sheetA35Prizes_data() {
    QTest::addColumn<qint32>("deductionCode");
    QTest::addColumn<QString>("deductionAmount");
    QTest::addColumn<Money>("taxable");
    QTest::addColumn<Money>("tax");
    QTest::newRow("prize of 10000 with 4000 exempt") << 1 << "4000" << M("6000") << M("2100");
    QTest::newRow("exempt part capped at 4000") << 1 << "9000" << M("6000") << M("2100");
    QTest::newRow("no deduction code: the whole prize") << 0 << "4000" << M("10000") << M("3500");
}

void TestCalcIncomeSheets::sheetA35Prizes() {
    QFETCH(qint32, deductionCode);
    QFETCH(QString, deductionAmount);
    QFETCH(Money, taxable);
    QFETCH(Money, tax);
    auto d = Resident(kOwn);
    AddThirtyFive(*d, 2740, "10000", "0", deductionCode, deductionAmount.toLatin1().constData());
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilA35.ДоходОбщ, M("10000"));
    QCOMPARE(sum->prilA35.ДоходОблОбщ, taxable);
    QCOMPARE(sum->prilA35.НалИсчислИт, tax);
    QCOMPARE(sum->prilA35.РасчДохНал.at(0).НалИсчисл, tax);
    QCOMPARE(sum->list3.НалБаза, taxable);
    QCOMPARE(sum->list3.Исчисл, tax);
}

void TestCalcIncomeSheets::sheetA35LeavesMaterialBenefitToItsSheet() {
    auto d = Resident(kOwn);
    AddThirtyFive(*d, 3020, "1000", "350");
    mTThirtyFivePercent& b =
        AddThirtyFive(*d, 2620, "5000", "1750", 0, "0", QStringLiteral("45999999999"));
    b.sourceInn = QStringLiteral("7709999999");
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilA35.ДоходОбщ, M("1000"));
    QCOMPARE(sum->prilA35.НалУдержИт, M("350"));
    QCOMPARE(sum->prilA35.РасчДохНал.size(), std::size_t(1));
    QCOMPARE(sum->prilM3.НалогУдЛОбщ, M("1750"));
    QCOMPARE(sum->prilM3.РасчНалогУдЛ.at(0).sourceInn, QStringLiteral("7709999999"));
    QCOMPARE(sum->prilM3.РасчНалогУдЛ.at(0).sourceIndex, 1);
    // The benefit's withheld tax comes back under its payer's OKATO.
    QCOMPARE(sum->list3.УдержОбщЛиш, M("1750"));
    QCOMPARE(sum->list3.ПодлВозв, M("1750"));
    QCOMPARE(sum->list6.lines.at(0).okato, QStringLiteral("45999999999"));
    QCOMPARE(sum->list6.lines.at(0).amount, M("1750"));
}

void TestCalcIncomeSheets::sheetA15RecomputesPerSource() {
    auto d = Resident(kOwn);
    d->formKind = 1;
    AddDividends(*d, "400", "333.33", "999", "40", QStringLiteral("45111111111"));
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilA15.НалИсчислИт, M("50"));
    QCOMPARE(sum->prilA15.ДоходОбщ, M("400"));
    QCOMPARE(sum->prilA15.ДоходОблОбщ, M("333.33"));
    QCOMPARE(sum->list5.Исчисл, M("50"));
    QCOMPARE(sum->list5.ПодлУпл, M("10"));
    QCOMPARE(sum->okato15, QStringLiteral("45111111111"));
    QCOMPARE(sum->prilA6.ДоходОбщ, M("0")); // resident dividends only
}

void TestCalcIncomeSheets::sheetB_data() {
    QTest::addColumn<qint32>("rate");
    QTest::addColumn<qint32>("code");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("taxAbroad");
    QTest::addColumn<QString>("deduction");
    QTest::addColumn<Money>("russianTax");
    QTest::addColumn<Money>("credit");
    QTest::addColumn<bool>("inSheet");
    QTest::newRow("9 percent, foreign tax above ours") << 9 << 1010 << "1000"
                                                       << "150"
                                                       << "0" << M("90") << M("90") << true;
    QTest::newRow("13 percent, tax abroad 100.40") << 13 << 2000 << "1000"
                                                   << "100.40"
                                                   << "0" << M("130") << M("100") << true;
    QTest::newRow("13 percent, tax abroad 100.50") << 13 << 2000 << "1000"
                                                   << "100.50"
                                                   << "0" << M("130") << M("101") << true;
    QTest::newRow("35 percent, exact half") << 35 << 3020 << "90"
                                            << "0"
                                            << "0" << M("32") << M("0") << true;
    QTest::newRow("deduction above income") << 13 << 1530 << "1000"
                                            << "100"
                                            << "1500" << M("0") << M("0") << true;
    QTest::newRow("deduction lowers the base") << 13 << 2000 << "1000"
                                               << "200"
                                               << "400" << M("78") << M("78") << true;
    QTest::newRow("material benefit is not foreign income") << 13 << 2620 << "1000"
                                                            << "0"
                                                            << "0" << M("0") << M("0") << false;
}

void TestCalcIncomeSheets::sheetB() {
    QFETCH(qint32, rate);
    QFETCH(qint32, code);
    QFETCH(QString, income);
    QFETCH(QString, taxAbroad);
    QFETCH(QString, deduction);
    QFETCH(Money, russianTax);
    QFETCH(Money, credit);
    QFETCH(bool, inSheet);
    auto d = Resident(kOwn);
    AddCurrency(*d, rate, code, income.toLatin1().constData(), taxAbroad.toLatin1().constData(),
                deduction == QLatin1String("0") ? 0 : 201, deduction.toLatin1().constData());
    AddCurrency(*d, 30, 2000, "7777"); // a rate with no sheet
    const auto sum = Calc(*d);
    const kTSvodSumPrilB& b = rate == 9 ? sum->prilB9 : rate == 13 ? sum->prilB13 : sum->prilB35;
    QCOMPARE(b.РасчДохНалИно.size(), std::size_t(inSheet ? 1 : 0));
    QCOMPARE(b.ДоходИноРубОбщ, inSheet ? M(income.toLatin1().constData()) : M("0"));
    QCOMPARE(b.НалИсчислРФОбщ, russianTax);
    QCOMPARE(b.НалЗачРФОбщ, credit);
    QCOMPARE(sum->prilB9.ДоходИноРубОбщ + sum->prilB13.ДоходИноРубОбщ + sum->prilB35.ДоходИноРубОбщ,
             b.ДоходИноРубОбщ);
}

void TestCalcIncomeSheets::sheetBRowTexts() {
    auto d = Resident(kOwn);
    mTCurrencyIncome& c = AddCurrency(*d, 13, 2000, "0");
    c.SetRateOnIncomeDate(M("40.1234"), 100);
    c.SetIncomeInCurrency(M("1500.75"));
    c.SetRateOnTaxDate(M("30.5"), 0);
    c.SetTaxInCurrency(M("10"));
    // A document file may hold roubles that the rate without units cannot give:
    // the sheet takes them as they are and does not convert again.
    c.taxInRubles = M("305");
    const auto sum = Calc(*d);
    const ForeignIncomeRow& r = sum->prilB13.РасчДохНалИно.at(0);
    QCOMPARE(r.rateOnIncomeDate, QStringLiteral("0.4012"));
    QCOMPARE(r.incomeInCurrency, QStringLiteral("1500.75"));
    QCOMPARE(r.incomeInRubles, c.incomeInRubles);
    QCOMPARE(r.rateOnTaxDate, QString());
    QCOMPARE(r.taxInCurrency, QStringLiteral("10.00"));
    QCOMPARE(r.taxInRubles, M("305"));
    QCOMPARE(sum->prilB13.НалУплИноРубОбщ, M("305"));
}

void TestCalcIncomeSheets::sheetBNeedsTheCurrencyBit() {
    auto d = Resident(kOwn);
    AddCurrency(*d, 13, 2000, "1000", "130");
    d->SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagBusiness);
    // Clearing the bit drops the records, so put one back without the bit.
    d->currencyIncomes.Get(d->currencyIncomes.Add()).incomeRate = 13;
    d->currencyIncomes.Get(0).incomeInRubles = M("1000");
    const auto sum = Calc(*d);
    QVERIFY(sum->prilB13.РасчДохНалИно.empty());
    QCOMPARE(sum->prilB13.ДоходИноРубОбщ, M("0"));
}

void TestCalcIncomeSheets::sheetV_data() {
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("expenses");
    QTest::addColumn<Money>("deduction");
    QTest::newRow("confirmed expenses") << true << "100000"
                                        << "30000" << M("30000");
    QTest::newRow("expenses above income are cut") << true << "100000"
                                                   << "130000" << M("100000");
    QTest::newRow("expenses without documents") << false << "100000"
                                                << "20000" << M("20000");
}

void TestCalcIncomeSheets::sheetV() {
    QFETCH(bool, confirmed);
    QFETCH(QString, income);
    QFETCH(QString, expenses);
    QFETCH(Money, deduction);
    auto d = Resident(kOwn);
    mTBusinessNew& b = AddBusiness(*d, income.toLatin1().constData(), "777");
    b.hasConfirmedExpenses = confirmed ? 1 : 0;
    (confirmed ? b.expensesTotal : b.unconfirmedExpenses) = M(expenses.toLatin1().constData());
    d->actualAdvancePayments = M("3000");
    d->accruedAdvancePayments = M("4000");
    kit::EnsureFlags(*d, mTDeclaration::kFlagRepetit);
    mTRepetitNew& r = d->repetitIncomes.Get(d->repetitIncomes.Add());
    r.repetitAmounts[0] = M("5000");
    r.repetitAmounts[1] = M("6000");
    d->repetitTotalA = M("100");
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilV1.ДоходИт, M(income.toLatin1().constData()));
    QCOMPARE(sum->prilV1.ВычПрофИт, deduction);
    QCOMPARE(sum->prilV1.УплАванИт, M("3000"));
    QCOMPARE(sum->prilV1.НачислАванИт, M("4000"));
    QCOMPARE(sum->prilV2.ДоходИт, M("5000"));
    QCOMPARE(sum->prilV2.ВычПрофИт, M("5000"));
    QCOMPARE(sum->list1.ДоходОбщ, M(income.toLatin1().constData()) + M("5000"));
    QCOMPARE(sum->list1.РасхВычОбщ, deduction + M("5000"));
    QCOMPARE(sum->list1.УплФактАв, M("3100"));
}

void TestCalcIncomeSheets::exemptGroups_data() {
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QList<int>>("deductionCodes");
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("group");
    QTest::addColumn<Money>("income");
    QTest::addColumn<Money>("exempt");
    QTest::newRow("two gifts of 3000 from two sources")
        << QList<int>{2720, 2720} << QList<int>{501, 501} << QStringList{"3000", "3000"}
        << "ПодарНП" << M("6000") << M("4000");
    QTest::newRow("a gift of 10000") << QList<int>{2720} << QList<int>{501} << QStringList{"10000"}
                                     << "ПодарНП" << M("10000") << M("4000");
    QTest::newRow("a gift without deduction code is not exempt")
        << QList<int>{2720} << QList<int>{0} << QStringList{"3000"} << "ПодарНП" << M("3000")
        << M("0");
    QTest::newRow("aid at birth takes the deduction whole")
        << QList<int>{2762} << QList<int>{508} << QStringList{"60000"} << "МатПомРожд" << M("60000")
        << M("60000");
    QTest::newRow("aid to a disabled person under its own limit")
        << QList<int>{2761, 2761} << QList<int>{506, 506} << QStringList{"1500", "2000"}
        << "МатПомИнв" << M("3500") << M("3500");
    QTest::newRow("aid to veterans up to 10000")
        << QList<int>{2790, 2790} << QList<int>{507, 507} << QStringList{"8000", "9000"}
        << "ПомПодар" << M("17000") << M("10000");
    QTest::newRow("foreign material aid counts with the rows")
        << QList<int>{2760, -2760} << QList<int>{503, 503} << QStringList{"2500", "2500"}
        << "МатПомРаб" << M("5000") << M("4000");
}

void TestCalcIncomeSheets::exemptGroups() {
    QFETCH(QList<int>, codes);
    QFETCH(QList<int>, deductionCodes);
    QFETCH(QStringList, amounts);
    QFETCH(QString, group);
    QFETCH(Money, income);
    QFETCH(Money, exempt);
    auto d = Resident(kOwn);
    for (int i = 0; i < codes.size(); ++i) {
        const QByteArray amount = amounts[i].toLatin1();
        const char* deductionAmount = codes[i] == 2762 ? amount.constData() : "0";
        if (codes[i] < 0) // a negative code marks foreign income
            AddCurrency(*d, 13, -codes[i], amount.constData(), "0", deductionCodes[i],
                        deductionAmount);
        else
            AddThirteen(*d, QString(), "0",
                        {Row(codes[i], amount.constData(), 1, deductionCodes[i], deductionAmount)});
    }
    const auto sum = Calc(*d);
    const kTSvodSumPrilM& m = sum->prilM;
    const std::map<QString, const ExemptGroup*> groups = {
        {QStringLiteral("ПодарНП"), &m.ПодарНП},
        {QStringLiteral("МатПомРожд"), &m.МатПомРожд},
        {QStringLiteral("МатПомИнв"), &m.МатПомИнв},
        {QStringLiteral("ПомПодар"), &m.ПомПодар},
        {QStringLiteral("МатПомРаб"), &m.МатПомРаб}};
    QCOMPARE(groups.at(group)->ДоходВсИст, income);
    QCOMPARE(groups.at(group)->ДоходНеНал, exempt);
    QCOMPARE(m.ДохНеНалОбщ, exempt);
    QCOMPARE(sum->list1.ДоходОбщНеНал, exempt);
}

void TestCalcIncomeSheets::payInKind() {
    auto d = Resident(kOwn);
    mTThirteenPercent& s = AddThirteen(
        *d, QString(), "0",
        {Row(2000, "5000", 1), Row(2000, "17000", 3), Row(2791, "3000", 3), Row(2000, "34000", 4),
         Row(2791, "6000", 4), Row(2791, "1000", 5), Row(2000, "4000", 5)});
    s.sourceInn = QStringLiteral("7701111111");
    s.sourceKpp = QStringLiteral("770101001");
    const auto sum = Calc(*d);
    const kTSvodSumPrilM& m = sum->prilM;
    QCOMPARE(m.ДохОплСХ.size(), std::size_t(1));
    const ProducerPayRow& row = m.ДохОплСХ.at(0);
    QCOMPARE(row.sourceKpp, QStringLiteral("770101001"));
    // Pay before the first month with pay in kind does not count.
    QCOMPARE(row.months[0].ОплТрудОбщ, M("0"));
    const ProducerMonth& march = row.months[2];
    QCOMPARE(march.ОплТрудОбщ, M("20000"));
    QCOMPARE(march.ОплТрудНатур, M("3000"));
    QCOMPARE(march.ДохНеНалПред, M("0"));
    QCOMPARE(march.ДоходНеНалМ, M("3000"));
    QCOMPARE(march.ДохНеНалПослед, M("1300"));
    const ProducerMonth& april = row.months[3];
    QCOMPARE(april.ОплТрудОбщ, M("40000"));
    QCOMPARE(april.ДохНеНалПред, M("1300"));
    QCOMPARE(april.ДоходНеНалМ, M("0")); // 6000 above 1300 + 4300
    QCOMPARE(april.ДохНеНалПослед, M("1300"));
    const ProducerMonth& may = row.months[4];
    QCOMPARE(may.ДоходНеНалМ, M("1000"));
    QCOMPARE(may.ДохНеНалПослед, M("4600"));
    QCOMPARE(row.months[11].ДохНеНалПослед, M("4600"));
    QCOMPARE(row.ДоходНеНал, M("4000"));
    QCOMPARE(m.ДохНеНалОплСХ, M("4000"));
    QCOMPARE(m.ДохНеНалОбщ, M("4000"));
}

void TestCalcIncomeSheets::payInKindAboveTwentyPercent() {
    auto d = Resident(kOwn);
    // 25 percent of the month's pay.
    AddThirteen(*d, QString(), "0", {Row(2000, "3000", 6), Row(2791, "1000", 6)});
    const auto sum = Calc(*d);
    const ProducerMonth& june = sum->prilM.ДохОплСХ.at(0).months[5];
    QCOMPARE(june.ОплТрудОбщ, M("4000"));
    QCOMPARE(june.ДоходНеНалМ, M("0"));
    QCOMPARE(june.ДохНеНалПослед, M("0"));
}

void TestCalcIncomeSheets::prizeLimitShared() {
    auto d = Resident(kOwn);
    AddThirtyFive(*d, 2740, "5000", "0", 1, "3000");
    AddThirtyFive(*d, 3020, "100");
    AddThirtyFive(*d, 2740, "5000", "0", 1, "3000");
    AddThirteen(*d, QString(), "0", {Row(2740, "2000", 1, 1, "2000")});
    const auto sum = Calc(*d);
    const kTSvodSumPrilM2& m2 = sum->prilM2;
    QCOMPARE(m2.СвДоход.size(), std::size_t(3));
    QCOMPARE(m2.СвДоход[0].ДоходНеНал, M("3000"));
    QCOMPARE(m2.СвДоход[1].ДоходНеНал, M("1000"));
    QCOMPARE(m2.СвДоход[1].sourceIndex, 2);
    QCOMPARE(m2.СвДоход[2].ДоходНеНал, M("0"));
    QVERIFY(m2.СвДоход[2].fromThirteen);
    QCOMPARE(m2.ДоходНеНалОбщ, M("4000"));
    // Sheet A taxes each prize above its own exempt part: 2000 and 4000.
    QCOMPARE(sum->prilA35.ДоходОблОбщ, M("6100"));
    QCOMPARE(sum->prilA35.НалИсчислИт, M("700") + M("35") + M("1400"));
    QCOMPARE(sum->list3.ДоходОбщНеНал, M("4000"));
    QCOMPARE(sum->list3.НалБаза, M("6100"));
}

void TestCalcIncomeSheets::professionalDeductions_data() {
    QTest::addColumn<qint32>("code");
    QTest::addColumn<qint32>("deductionCode");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("deduction");
    QTest::addColumn<Money>("total");
    QTest::newRow("civil contract, expenses above income") << 2010 << 403 << "40000"
                                                           << "50000" << M("40000");
    QTest::newRow("author's fee by norm") << 2205 << 405 << "10000"
                                          << "3000" << M("3000");
    QTest::newRow("author's fee, actual expenses") << 2201 << 404 << "10000"
                                                   << "2500" << M("2500");
    QTest::newRow("2210 is not an author's fee") << 2210 << 404 << "10000"
                                                 << "2500" << M("0");
    QTest::newRow("share in charter capital") << 1540 << 315 << "10000"
                                              << "8000" << M("8000");
    QTest::newRow("shared construction") << 1550 << 314 << "10000"
                                         << "9000" << M("9000");
    QTest::newRow("pair that does not match") << 2010 << 404 << "10000"
                                              << "9000" << M("0");
}

void TestCalcIncomeSheets::professionalDeductions() {
    QFETCH(qint32, code);
    QFETCH(qint32, deductionCode);
    QFETCH(QString, income);
    QFETCH(QString, deduction);
    QFETCH(Money, total);
    for (const bool foreign : {false, true}) {
        auto d = Resident(kOwn);
        const QByteArray amount = income.toLatin1();
        const QByteArray deducted = deduction.toLatin1();
        if (foreign)
            AddCurrency(*d, 13, code, amount.constData(), "0", deductionCode, deducted.constData());
        else
            AddThirteen(*d, QString(), "0",
                        {Row(code, amount.constData(), 1, deductionCode, deducted.constData())});
        const auto sum = Calc(*d);
        const kTSvodSumPrilGBase& g =
            foreign ? static_cast<const kTSvodSumPrilGBase&>(sum->prilG_In) : sum->prilG;
        const kTSvodSumPrilGBase& other =
            foreign ? static_cast<const kTSvodSumPrilGBase&>(sum->prilG) : sum->prilG_In;
        QCOMPARE(g.РасходОбщИт, total);
        QCOMPARE(other.РасходОбщИт, M("0"));
        QCOMPARE(sum->list1.РасхВычОбщ, total);
    }
}

void TestCalcIncomeSheets::professionalDeductionsNonResident() {
    auto d = Resident(kOwn);
    d->formKind = 1;
    AddThirteen(*d, QString(), "0",
                {Row(2010, "40000", 1, 403, "10000"), Row(2201, "10000", 1, 404, "3000")}, true);
    AddThirteen(*d, QString(), "0", {Row(2010, "40000", 1, 403, "20000")}, false);
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilG.РасхФактДогГПХ.СумРасхВыч, M("10000"));
    QCOMPARE(sum->prilG.РасхФактАвтВозн.СумРасхВыч, M("0"));
    QCOMPARE(sum->prilG.РасходОбщИт, M("10000"));
    QCOMPARE(sum->list1.РасхВычОбщ, M("10000"));
}

QTEST_GUILESS_MAIN(TestCalcIncomeSheets)
#include "test_calc_income_sheets.moc"
