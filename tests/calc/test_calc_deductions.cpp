#include "CalcTestKit.h"
#include "storage/DateTime.h"

using namespace kit;

namespace {

// Income rows of one employer that computes the standard deductions; an empty
// text is a month without income.
void AddMonthlyIncome(mTDeclaration& d, const QStringList& months) {
    mTThirteenPercent& s = AddThirteen(d, QString(), "0", {});
    s.stdDeductionsHere = 1;
    for (int m = 0; m < months.size(); ++m)
        if (!months[m].isEmpty())
            s.AddRow(Row(2000, months[m].toLatin1().constData(), qint16(m + 1)));
}

QStringList Every(const QString& amount) {
    return QStringList(12, amount);
}

void Grant(mTStandartDeduct& sd, qint32 personalCode, qint32 childMode, qint32 children) {
    sd.granted = 1;
    sd.personalCode = personalCode;
    sd.childMode = childMode;
    sd.childrenConst = 1;
    sd.childrenCount = children;
    sd.thirdConst = 1;
    sd.thirdCount = 0;
    sd.disabledConst = 1;
    sd.disabledCount = 0;
}

} // namespace

class TestCalcDeductions : public QObject {
    Q_OBJECT
private slots:
    void standard_data();
    void standard();
    void standardCombinationByMonth();
    void standardSingleParentByMonth();
    void standardThirdAndDisabledChildren();
    void standardOwnMonthlyData();
    void standardNotForNonResident();
    void social_data();
    void social();
    void socialLeavesChildEducationAsEntered();
    void socialCommonLimitAndAgents();
    void pensionContracts();
    void pensionContractsOnlyWhenGranted();
    void propertySale_data();
    void propertySale();
    void propertySaleForeignShareRules();
    void housingLimit_data();
    void housingLimit();
    void housingCarryOver_data();
    void housingCarryOver();
    void housingBaseAfterOtherDeductions();
    void securities_data();
    void securities();
    void securitiesOffsetChain();
    void securitiesForNonResident();
};

void TestCalcDeductions::standard_data() {
    QTest::addColumn<QStringList>("income");
    QTest::addColumn<qint32>("personalCode");
    QTest::addColumn<qint32>("childMode");
    QTest::addColumn<qint32>("children");
    QTest::addColumn<int>("months40000");
    QTest::addColumn<int>("months280000");
    QTest::addColumn<Money>("personal");
    QTest::addColumn<Money>("child");
    QTest::addColumn<Money>("total");
    const QString none;
    QTest::newRow("15000 a month, 400 for two months")
        << Every("15000") << 103 << 0 << 0 << 2 << 12 << M("800") << M("0") << M("800");
    QTest::newRow("15000 a month with one child")
        << Every("15000") << 103 << 101 << 1 << 2 << 12 << M("800") << M("12000") << M("12800");
    QTest::newRow("single parent doubles")
        << Every("15000") << 103 << 102 << 2 << 2 << 12 << M("800") << M("48000") << M("48800");
    QTest::newRow("300000 in January only: no 400, no child")
        << QStringList{"300000", none, none, none, none, none, none, none, none, none, none, none}
        << 103 << 101 << 1 << 0 << 0 << M("0") << M("0") << M("0");
    QTest::newRow("300000 in January only: 500 has no limit")
        << QStringList{"300000", none, none, none, none, none, none, none, none, none, none, none}
        << 104 << 101 << 1 << 0 << 0 << M("500") << M("0") << M("500");
    QTest::newRow("January and March only")
        << QStringList{"10000", none, "10000", none, none, none, none, none, none, none, none, none}
        << 103 << 101 << 1 << 2 << 2 << M("800") << M("2000") << M("2800");
    QTest::newRow("3000 a month for every month with income")
        << Every("50000") << 105 << 0 << 0 << 0 << 5 << M("36000") << M("0") << M("36000");
    QTest::newRow("December within the limit counts")
        << QStringList{none, none, none, none, none, none, none, none, none, none, none, "40000"}
        << 103 << 101 << 1 << 1 << 1 << M("400") << M("1000") << M("1400");
    QTest::newRow("the total is held to the year's income, whole roubles")
        << QStringList{"83.38", "83.38", "83.38", "83.38", "83.38", "83.38",
                       "83.38", "83.38", "83.38", "83.38", "83.38", "83.42"}
        << 103 << 0 << 0 << 12 << 12 << M("4800") << M("0") << M("1000");
    QTest::newRow("personal code 0 gives nothing for oneself")
        << Every("15000") << 0 << 101 << 1 << 2 << 12 << M("0") << M("12000") << M("12000");
}

void TestCalcDeductions::standard() {
    QFETCH(QStringList, income);
    QFETCH(qint32, personalCode);
    QFETCH(qint32, childMode);
    QFETCH(qint32, children);
    QFETCH(int, months40000);
    QFETCH(int, months280000);
    QFETCH(Money, personal);
    QFETCH(Money, child);
    QFETCH(Money, total);
    auto d = Resident();
    AddMonthlyIncome(*d, income);
    Grant(d->standardDeduction, personalCode, childMode, children);
    const auto sum = Calc(*d);
    const kTSvodSumPrilE1& e = sum->prilE1;
    QCOMPARE(e.КолМес40000, months40000);
    QCOMPARE(e.КолМес280000, months280000);
    QCOMPARE(e.ВычСтанд218_1_1 + e.ВычСтанд218_1_2 + e.ВычСтанд218_1_3, personal);
    QCOMPARE(e.ВычСтандРеб + e.ВычСтРебОпек, child);
    QCOMPARE(e.ИтогВычСтанд, total);
    QCOMPARE(sum->list1.РасхВычОбщ, total);
}

void TestCalcDeductions::standardCombinationByMonth() {
    auto d = Resident();
    AddMonthlyIncome(*d, Every("12000")); // above 40000 from April
    Grant(d->standardDeduction, 110, 0, 0);
    d->standardDeduction.combinationGiven = 1;
    for (int m = 6; m < 12; ++m)
        d->standardDeduction.monthCombination[std::size_t(m)] = 2;
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilE1.cumulative[3], M("48000"));
    QCOMPARE(sum->prilE1.ВычСтанд218_1_3, M("1200"));
    QCOMPARE(sum->prilE1.ВычСтанд218_1_1, M("18000"));
    QCOMPARE(sum->prilE1.ИтогВычСтанд, M("19200"));
}

void TestCalcDeductions::standardSingleParentByMonth() {
    auto d = Resident();
    AddMonthlyIncome(*d, Every("15000"));
    Grant(d->standardDeduction, 0, 103, 1);
    d->standardDeduction.singleParentGiven = 1;
    for (int m = 6; m < 12; ++m)
        d->standardDeduction.monthSingleParent[std::size_t(m)] = 1;
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilE1.ВычСтРебОпек, M("12000"));
    QCOMPARE(sum->prilE1.ВычСтандРеб, M("6000"));
}

void TestCalcDeductions::standardThirdAndDisabledChildren() {
    auto d = Resident();
    // Above 280000 in November: children in January to October.
    AddMonthlyIncome(*d, Every("28000"));
    mTStandartDeduct& sd = d->standardDeduction;
    Grant(sd, 103, 101, 2);
    sd.thirdCount = 1;
    sd.disabledConst = 0;
    sd.disabledByMonth = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1};
    const auto sum = Calc(*d);
    const kTSvodSumPrilE1& e = sum->prilE1;
    QCOMPARE(e.КолМес280000, 10);
    QCOMPARE(e.ВычСтандРеб, M("20000") + M("30000"));
    QCOMPARE(e.ВычСтРебИнв, M("9000")); // November and December are past the limit
    QCOMPARE(e.ВычСтРебОпек, M("0"));
    QCOMPARE(e.ВычСтРебИнвОпек, M("0"));
}

void TestCalcDeductions::standardOwnMonthlyData() {
    auto d = Resident();
    AddMonthlyIncome(*d, Every("99999")); // ignored with own monthly data
    mTStandartDeduct& sd = d->standardDeduction;
    Grant(sd, 103, 0, 0);
    sd.ownMonthlyData = 1;
    sd.monthExpense[0] = M("10000");
    sd.monthIncome[1] = M("6000");
    sd.monthIncome[2] = M("10000");
    sd.monthTicked = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const auto sum = Calc(*d);
    const kTSvodSumPrilE1& e = sum->prilE1;
    QCOMPARE(e.cumulative[0], M("0"));
    QCOMPARE(e.cumulative[1], M("0")); // running total -4000
    QCOMPARE(e.cumulative[2], M("6000"));
    QCOMPARE(e.cumulative[11], M("6000"));
    QCOMPARE(e.КолМес40000, 3);
    QCOMPARE(e.ИтогВычСтанд, M("1200"));
}

void TestCalcDeductions::standardNotForNonResident() {
    for (const bool noSource : {false, true}) {
        auto d = Resident();
        if (noSource) {
            AddThirteen(*d, QString(), "0", {Row(2000, "15000")}); // not marked
        } else {
            d->formKind = 1;
            AddMonthlyIncome(*d, Every("15000"));
        }
        Grant(d->standardDeduction, 105, 101, 3);
        const auto sum = Calc(*d);
        QCOMPARE(sum->prilE1.КолМес280000, 0);
        QCOMPARE(sum->prilE1.ВычСтандРеб + sum->prilE1.ВычСтанд218_1_1, M("0"));
        QCOMPARE(sum->prilE1.ИтогВычСтанд, M("0"));
    }
}

void TestCalcDeductions::social_data() {
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("charity");
    QTest::addColumn<QStringList>("children");
    QTest::addColumn<Money>("charityTaken");
    QTest::addColumn<Money>("childrenTaken");
    QTest::newRow("charity held to 25 percent of income")
        << "100000.30"
        << "30000" << QStringList{} << M("25000.07") << M("0");
    QTest::newRow("charity within the limit") << "100000"
                                              << "25000" << QStringList{} << M("25000") << M("0");
    QTest::newRow("children's education up to 50000 each")
        << "100000"
        << "0" << QStringList{"60000", "40000"} << M("0") << M("90000");
}

void TestCalcDeductions::social() {
    QFETCH(QString, income);
    QFETCH(QString, charity);
    QFETCH(QStringList, children);
    QFETCH(Money, charityTaken);
    QFETCH(Money, childrenTaken);
    auto d = Resident();
    AddThirteen(*d, QString(), "0", {Row(2000, income.toLatin1().constData())});
    mTSocialDeduct& sd = d->socialDeduction;
    sd.granted = 1;
    sd.charity = M(charity.toLatin1().constData());
    for (const QString& c : children)
        sd.AddChildEducation(M(c.toLatin1().constData()));
    sd.expensiveTreatment = M("70000");
    const auto sum = Calc(*d);
    const SocialUnlimited& u = sum->prilE2.РасчВычСоцБез219_2;
    QCOMPARE(u.СумБлагЦел, charityTaken);
    QCOMPARE(u.СумОбуч, childrenTaken);
    QCOMPARE(u.СумЛечен, M("70000"));
    QCOMPARE(u.ИтогВычСоциал, charityTaken + childrenTaken + M("70000"));
    QCOMPARE(sum->prilE2.ИтогВычСоциал, u.ИтогВычСоциал);
}

void TestCalcDeductions::socialLeavesChildEducationAsEntered() {
    auto d = Resident();
    d->socialDeduction.granted = 1;
    d->socialDeduction.AddChildEducation(M("60000"));
    d->socialDeduction.AddChildEducation(M("40000"));
    for (int round = 0; round < 2; ++round) {
        const auto sum = Calc(*d);
        QCOMPARE(sum->prilE2.РасчВычСоцБез219_2.СумОбуч, M("90000"));
    }
    QCOMPARE(d->socialDeduction.GetChildEducation(0), M("60000"));
    QCOMPARE(d->socialDeduction.GetChildEducation(1), M("40000"));
}

void TestCalcDeductions::socialCommonLimitAndAgents() {
    for (const bool agent : {false, true}) {
        auto d = Resident();
        AddThirteen(*d, QString(), "0", {Row(2000, "1000000")});
        mTSocialDeduct& sd = d->socialDeduction;
        sd.granted = 1;
        sd.ownEducation = M("100000");
        sd.treatment = M("50000");
        sd.voluntaryInsurance = M("10000");
        if (agent) {
            mTPens& p = sd.GetPensionContract(sd.AddPensionContract());
            p.contractKind = 1;
            p.contributionPaid = M("15000");
            p.agentDeduction = M("15000");
        }
        const auto sum = Calc(*d);
        const Money limited = agent ? M("105000") : M("120000");
        QCOMPARE(sum->prilE2.РасчВычСоц219_2.ИтогВычСоциал, limited);
        QCOMPARE(sum->prilE2.ИтогВычСоциал, limited);
        QCOMPARE(sum->prilE3.СумВычОбщ, agent ? M("15000") : M("0"));
        // Together with the agent's part the section deducts the whole 120000 once.
        QCOMPARE(sum->list1.РасхВычОбщ, M("120000"));
    }
}

void TestCalcDeductions::pensionContracts() {
    auto d = Resident();
    mTSocialDeduct& sd = d->socialDeduction;
    sd.granted = 1;
    struct Contract {
        qint32 kind;
        const char *paid, *claimed, *agent;
    };
    for (const Contract& c :
         {Contract{1, "20000", "20000", "25000"}, Contract{4, "20000", "12000", "0"},
          Contract{7, "999", "999", "9"}, Contract{2, "1000", "0", "300"}}) {
        mTPens& p = sd.GetPensionContract(sd.AddPensionContract());
        p.contractKind = c.kind;
        p.orgInn = QStringLiteral("7700000000");
        p.contributionPaid = M(c.paid);
        p.contributionClaimed = M(c.claimed);
        p.agentDeduction = M(c.agent);
    }
    const auto sum = Calc(*d);
    const kTSvodSumPrilE3& e = sum->prilE3;
    QCOMPARE(e.РасчСумПВВыч.size(), std::size_t(2));
    QCOMPARE(e.РасчСумСВВыч.size(), std::size_t(1));
    QCOMPARE(e.РасчСумПВВыч[0].agentDeduction, M("20000"));
    QCOMPARE(e.РасчСумПВВыч[1].sign, 2);
    QCOMPARE(e.РасчСумПВВыч[1].contractIndex, 3);
    QCOMPARE(e.РасчСумСВВыч[0].sign, 2);
    QCOMPARE(e.РасчСумСВВыч[0].forDeduction, M("20000"));
    QCOMPARE(e.СумПВВычОбщ, M("21000"));
    QCOMPARE(e.СумСВВычОбщ, M("20000"));
    QCOMPARE(e.СумВычОбщ, M("20300"));
    QCOMPARE(sum->prilE2.РасчВычСоц219_2.СумНгПенсСтрахДр, M("21000"));
    QCOMPARE(sum->prilE2.РасчВычСоц219_2.СумПенсСтрахДр, M("20000"));
    QCOMPARE(sum->prilE2.РасчВычСоц219_2.ИтогВычСоциал, M("20700"));
}

void TestCalcDeductions::pensionContractsOnlyWhenGranted() {
    for (const quint8 form : {quint8(0), quint8(1)}) {
        auto d = Resident();
        d->formKind = form;
        mTSocialDeduct& sd = d->socialDeduction;
        sd.granted = form == 1 ? 1 : 0;
        sd.charity = M("1000");
        mTPens& p = sd.GetPensionContract(sd.AddPensionContract());
        p.contractKind = 1;
        p.contributionPaid = M("5000");
        p.agentDeduction = M("5000");
        const auto sum = Calc(*d);
        QVERIFY(sum->prilE3.РасчСумПВВыч.empty());
        QCOMPARE(sum->prilE3.СумВычОбщ, M("0"));
        QCOMPARE(sum->prilE2.ИтогВычСоциал, M("0"));
    }
}

void TestCalcDeductions::propertySale_data() {
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QList<int>>("deductionCodes");
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QStringList>("deductions");
    QTest::addColumn<Money>("housing");
    QTest::addColumn<Money>("other");
    QTest::addColumn<Money>("total");
    QTest::newRow("a flat for 3000000")
        << QList<int>{1510} << QList<int>{901} << QStringList{"3000000"} << QStringList{"0"}
        << M("1000000") << M("0") << M("1000000");
    QTest::newRow("a flat and a share share one limit")
        << QList<int>{1510, 1511} << QList<int>{901, 904} << QStringList{"3000000", "500000"}
        << QStringList{"0", "400000"} << M("1000000") << M("0") << M("1000000");
    QTest::newRow("a share alone") << QList<int>{1511} << QList<int>{904} << QStringList{"500000"}
                                   << QStringList{"400000"} << M("400000") << M("0") << M("400000");
    QTest::newRow("a car: 250000 whatever its price")
        << QList<int>{1520} << QList<int>{906} << QStringList{"200000"} << QStringList{"250000"}
        << M("0") << M("250000") << M("250000");
    QTest::newRow("documented expenses above the price")
        << QList<int>{1510} << QList<int>{903} << QStringList{"3000000"} << QStringList{"3500000"}
        << M("3000000") << M("0") << M("3000000");
    QTest::newRow("other property with documents, not limited")
        << QList<int>{1520} << QList<int>{903} << QStringList{"300000"} << QStringList{"400000"}
        << M("0") << M("400000") << M("400000");
    QTest::newRow("land redeemed for state needs")
        << QList<int>{4900} << QList<int>{908} << QStringList{"700000"} << QStringList{"650000"}
        << M("0") << M("0") << M("650000");
    QTest::newRow("a sale without a deduction code")
        << QList<int>{1510} << QList<int>{0} << QStringList{"3000000"} << QStringList{"0"} << M("0")
        << M("0") << M("0");
    // Codes from a hand-made file that only add up to a known pair, or overflow.
    QTest::newRow("1509 with 1901 is not a flat")
        << QList<int>{1509} << QList<int>{1901} << QStringList{"3000000"} << QStringList{"0"}
        << M("0") << M("0") << M("0");
    QTest::newRow("a code beyond any known one")
        << QList<int>{180303010} << QList<int>{903} << QStringList{"3000000"}
        << QStringList{"3500000"} << M("0") << M("0") << M("0");
}

void TestCalcDeductions::propertySale() {
    QFETCH(QList<int>, codes);
    QFETCH(QList<int>, deductionCodes);
    QFETCH(QStringList, amounts);
    QFETCH(QStringList, deductions);
    QFETCH(Money, housing);
    QFETCH(Money, other);
    QFETCH(Money, total);
    auto d = Resident();
    for (int i = 0; i < codes.size(); ++i)
        AddThirteen(*d, QString(), "0",
                    {Row(codes[i], amounts[i].toLatin1().constData(), 1, deductionCodes[i],
                         deductions[i].toLatin1().constData())});
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilH1.ВычЖилИмущ.ВычИмущИтог, housing);
    QCOMPARE(sum->prilH1.ВычИноеИмущ.ВычИнИмущИтог, other);
    QCOMPARE(sum->prilH1.ВычетОбщ, total);
    QCOMPARE(sum->list1.РасхВычОбщ, total);
}

void TestCalcDeductions::propertySaleForeignShareRules() {
    auto d = Resident();
    AddThirteen(*d, QString(), "0", {Row(1510, "1000", 1, 903, "500")});
    AddCurrency(*d, 13, 1511, "100", "0", 903, "300");       // taken whole
    AddCurrency(*d, 13, 1511, "200000", "0", 904, "900000"); // at most its income
    const auto sum = Calc(*d);
    const HousingSale& h = sum->prilH1.ВычЖилИмущ;
    QCOMPARE(h.СумИмущДок.ДохВсехИст, M("1100"));
    QCOMPARE(h.СумИмущДок.РасхДок, M("800"));
    QCOMPARE(h.СумДолИмущ.НалВычет, M("200000"));
    QCOMPARE(h.ДохИстИтог, M("201100"));
    QCOMPARE(h.ВычИмущИтог, M("200800"));

    d->formKind = 1; // a non-resident has no property sale deduction
    QCOMPARE(Calc(*d)->prilH1.ВычетОбщ, M("0"));
}

void TestCalcDeductions::housingLimit_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("investment");
    QTest::addColumn<bool>("pensioner");
    QTest::addColumn<qint32>("numerator");
    QTest::addColumn<qint32>("denominator");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<Money>("expenses");
    QTest::newRow("2011, half share of 3000000")
        << 2011 << false << false << 1 << 2 << "3000000" << M("1000000");
    QTest::newRow("2007, full share of 1500000")
        << 2007 << false << false << 1 << 1 << "1500000" << M("1000000");
    QTest::newRow("pensioner, 2014, half share taken whole")
        << 2014 << false << true << 1 << 2 << "3000000" << M("2000000");
    QTest::newRow("pensioner before 2014 keeps the share")
        << 2011 << false << true << 1 << 2 << "3000000" << M("1000000");
    QTest::newRow("a third, to the kopeck")
        << 2011 << false << false << 1 << 3 << "3000000" << M("666666.67");
    QTest::newRow("below the limit, rounded to kopecks")
        << 2011 << false << false << 1 << 1 << "1500000.005" << M("1500000.01");
    QTest::newRow("investment: the year of the act")
        << 2007 << true << false << 1 << 1 << "1500000" << M("1000000");
    QTest::newRow("zero denominator from a damaged file: whole share")
        << 2011 << false << false << 1 << 0 << "3000000" << M("2000000");
}

void TestCalcDeductions::housingLimit() {
    QFETCH(int, year);
    QFETCH(bool, investment);
    QFETCH(bool, pensioner);
    QFETCH(qint32, numerator);
    QFETCH(qint32, denominator);
    QFETCH(QString, cost);
    QFETCH(Money, expenses);
    auto d = Resident();
    AddThirteen(*d, QString(), "0", {Row(2000, "100000")});
    d->isPensioner = pensioner ? 1 : 0;
    mTConstructionDeduct& p = d->propertyDeduction;
    p.granted = 1;
    p.byInvestment = investment ? 1 : 0;
    // The other date lies in a year of the other limit, so the wrong one shows.
    p.actDate = TDateTime::fromYmd(investment ? year : 2011, 6, 1);
    p.rightRegDate = TDateTime::fromYmd(investment ? 2011 : year, 6, 1);
    if (investment)
        p.rightRegDate = TDateTime::fromYmd(2011, 6, 1);
    p.shareNumerator = numerator;
    p.shareDenominator = denominator;
    p.objectCost = M(cost.toLatin1().constData());
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilZ.СумРасхФакт, expenses);
    QCOMPARE(sum->prilZ.РасхНовВычНД, M("100000"));
    QCOMPARE(sum->prilZ.ОстВычПрхСлед, expenses - M("100000"));
}

void TestCalcDeductions::housingCarryOver_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("interest");
    QTest::addColumn<Money>("expensesNow");
    QTest::addColumn<Money>("interestNow");
    QTest::addColumn<Money>("expensesLater");
    QTest::addColumn<Money>("interestLater");
    QTest::newRow("base 400000 against 1000000")
        << "400000"
        << "1000000"
        << "0"
        << "0" << M("400000") << M("0") << M("600000") << M("0");
    QTest::newRow("expenses used up, interest 50000 against 30000")
        << "30000"
        << "1000000"
        << "1000000"
        << "50000" << M("0") << M("30000") << M("0") << M("20000");
    QTest::newRow("expenses before interest")
        << "30000"
        << "1000000"
        << "990000"
        << "50000" << M("10000") << M("20000") << M("0") << M("30000");
    QTest::newRow("earlier years took more than the limit")
        << "400000"
        << "1000000"
        << "1200000"
        << "0" << M("0") << M("0") << M("-200000") << M("0");
}

void TestCalcDeductions::housingCarryOver() {
    QFETCH(QString, base);
    QFETCH(QString, cost);
    QFETCH(QString, earlier);
    QFETCH(QString, interest);
    QFETCH(Money, expensesNow);
    QFETCH(Money, interestNow);
    QFETCH(Money, expensesLater);
    QFETCH(Money, interestLater);
    auto d = Resident();
    AddThirteen(*d, QString(), "0", {Row(2000, base.toLatin1().constData())});
    mTConstructionDeduct& p = d->propertyDeduction;
    p.granted = 1;
    p.rightRegDate = TDateTime::fromYmd(2005, 3, 1);
    p.shareNumerator = p.shareDenominator = 1;
    p.objectCost = M(cost.toLatin1().constData());
    p.prevDeclExpenses = M(earlier.toLatin1().constData());
    p.interestPaid = M(interest.toLatin1().constData());
    const auto sum = Calc(*d);
    const kTSvodSumPrilZ& z = sum->prilZ;
    QCOMPARE(z.НалБаз13БезВыч, M(base.toLatin1().constData()));
    QCOMPARE(z.РасхНовВычНД, expensesNow);
    QCOMPARE(z.ПроцВычНД, interestNow);
    QCOMPARE(z.ОстВычПрхСлед, expensesLater);
    QCOMPARE(z.ПроцПрхСлед, interestLater);
    QCOMPARE(sum->list1.РасхВычОбщ, expensesNow + interestNow);
}

void TestCalcDeductions::housingBaseAfterOtherDeductions() {
    auto d = Resident();
    AddThirteen(*d, QString(), "0",
                {Row(2000, "500000"), Row(2010, "100000", 2, 403, "20000"),
                 Row(2760, "5000", 3, 503, "0"), Row(1530, "50000", 4, 201, "60000")});
    AddBusiness(*d, "200000", "150000");
    AddMonthlyIncome(*d, {"10000"}); // 400 for January
    Grant(d->standardDeduction, 103, 0, 0);
    d->socialDeduction.granted = 1;
    d->socialDeduction.treatment = M("30000");
    mTConstructionDeduct& p = d->propertyDeduction;
    p.granted = 1;
    p.rightRegDate = TDateTime::fromYmd(2010, 3, 1);
    p.shareNumerator = p.shareDenominator = 1;
    p.objectCost = M("5000000");
    p.agentExpenses = M("100000");
    p.agentInterest = M("7000");
    const auto sum = Calc(*d);
    // 865000 of income less 150000 business, 20000 contract, 4000 exempt aid, 50000
    // securities, 30000 social, 400 standard and what the agent gave: 107000.
    QCOMPARE(sum->prilZ.НалБаз13БезВыч, M("503600"));
    QCOMPARE(sum->prilZ.РасхНовВычНД, M("503600"));
    QCOMPARE(sum->prilZ.ОстВычПрхСлед, M("2000000") - M("100000") - M("503600"));
    QCOMPARE(sum->list1.НалБаза, M("0"));
}

void TestCalcDeductions::securities_data() {
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QStringList>("incomes");
    QTest::addColumn<QStringList>("expenses");
    QTest::addColumn<QString>("earlierLoss");
    QTest::addColumn<Money>("result1");
    QTest::addColumn<Money>("deducted");
    QTest::addColumn<Money>("carried");
    QTest::newRow("traded shares sold at a loss")
        << QList<int>{1530} << QStringList{"100000"} << QStringList{"120000"} << "0" << M("0")
        << M("100000") << M("20000");
    QTest::newRow("G2 loss against G1 profit")
        << QList<int>{1530, 1536} << QStringList{"80000", "10000"} << QStringList{"30000", "40000"}
        << "0" << M("20000") << M("70000") << M("0");
    QTest::newRow("earlier loss against G1 profit")
        << QList<int>{1530} << QStringList{"150000"} << QStringList{"100000"} << "80000" << M("0")
        << M("150000") << M("30000");
    QTest::newRow("foreign operations join their group")
        << QList<int>{1530, -1536} << QStringList{"80000", "10000"} << QStringList{"30000", "40000"}
        << "0" << M("20000") << M("70000") << M("0");
    QTest::newRow("nothing at all")
        << QList<int>{} << QStringList{} << QStringList{} << "0" << M("0") << M("0") << M("0");
}

void TestCalcDeductions::securities() {
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, incomes);
    QFETCH(QStringList, expenses);
    QFETCH(QString, earlierLoss);
    QFETCH(Money, result1);
    QFETCH(Money, deducted);
    QFETCH(Money, carried);
    auto d = Resident();
    for (int i = 0; i < codes.size(); ++i) {
        const QByteArray in = incomes[i].toLatin1(), out = expenses[i].toLatin1();
        if (codes[i] < 0)
            AddCurrency(*d, 13, -codes[i], in.constData(), "0", 201, out.constData());
        else
            AddThirteen(*d, QString(), "0",
                        {Row(codes[i], in.constData(), 1, 201, out.constData())});
    }
    // A row without a deduction code is not an operation of the sheet.
    AddThirteen(*d, QString(), "0", {Row(1530, "99999", 1, 0, "0")});
    d->securitiesDeduction.prevSecuritiesLoss = M(earlierLoss.toLatin1().constData());
    const auto sum = Calc(*d);
    const kTSvodSumPrilJ& j = sum->prilJ;
    QCOMPARE(j.ДохОперЦБОрг.НалДохРезОпер, result1);
    QCOMPARE(j.ИтогСовОпер.РасхПрмВыч, deducted);
    QCOMPARE(j.УбытПрхПер.УбытОперЦБ, carried);
    QCOMPARE(sum->list1.РасхВычОбщ, deducted);
}

void TestCalcDeductions::securitiesOffsetChain() {
    auto d = Resident();
    AddThirteen(*d, QString(), "0",
                {Row(1532, "1000", 1, 201, "9000"), Row(1530, "10000", 1, 201, "5000"),
                 Row(1535, "7000", 1, 201, "2000"), Row(1536, "0", 1, 201, "1500"),
                 Row(1537, "300", 1, 201, "100")});
    d->securitiesDeduction.prevSecuritiesLoss = M("1000");
    d->securitiesDeduction.prevDerivativesLoss = M("2000");
    const auto sum = Calc(*d);
    const kTSvodSumPrilJ& j = sum->prilJ;
    QCOMPARE(j.ДохОперЦБОрг.УбытСовОперВыч, M("1500"));
    QCOMPARE(j.ДохОперЦБОрг.УбытОперЦБВыч, M("1000"));
    QCOMPARE(j.ДохФИССОргНеЦБ.УбытПрмВыч, M("2000"));
    QCOMPARE(j.ДохФИССОргЦБ.УбытПрмВыч, M("0"));
    QCOMPARE(j.ДохФИССОргЦБ.УбытУчРасчДохЦБ, M("2500"));
    QCOMPARE(j.ДохФИССОргЦБ.УбытУчРасчДохФИ, M("3000"));
    QCOMPARE(j.ДохОперЦБОрг.НалДохРезОпер, M("0"));
    QCOMPARE(j.ДохФИССОргНеЦБ.НалДохРезОпер, M("0"));
    QCOMPARE(j.ДохРЕПО.НалДохРезОпер, M("200"));
    QCOMPARE(j.УбытПрхПер.УбытОперЦБ, M("0"));
    QCOMPARE(j.УбытПрхПер.УбытФинИнсСС, M("2500"));
    QCOMPARE(j.ИтогСовОпер.ОбщПолучДох, M("18300"));
    QCOMPARE(j.ИтогСовОпер.РасхПрмВыч, M("18100"));

    // A G1 loss is offset against what G4 keeps after the earlier instruments loss.
    auto e = Resident();
    AddThirteen(*e, QString(), "0",
                {Row(1532, "10000", 1, 201, "2000"), Row(1535, "1000", 1, 201, "4000"),
                 Row(1530, "0", 1, 201, "6000")});
    e->securitiesDeduction.prevDerivativesLoss = M("5000");
    const auto s2 = Calc(*e);
    const kTSvodSumPrilJ& k = s2->prilJ;
    QCOMPARE(k.ДохФИССОргЦБ.УбытПрмВыч, M("5000"));
    QCOMPARE(k.ДохОперЦБОрг.УбытУчРасчДох, M("3000"));
    QCOMPARE(k.ДохФИССОргНеЦБ.УбытУчРасчДох, M("0"));
    QCOMPARE(k.ДохФИССОргЦБ.НалДохРезОпер, M("0"));
    QCOMPARE(k.УбытПрхПер.УбытОперЦБ, M("3000"));
    QCOMPARE(k.УбытПрхПер.УбытФинИнсСС, M("3000"));
    QCOMPARE(k.ИтогСовОпер.РасхПрмВыч, M("11000"));
}

void TestCalcDeductions::securitiesForNonResident() {
    auto d = Resident();
    d->formKind = 1;
    AddThirteen(*d, QString(), "0", {Row(1530, "100000", 1, 201, "60000")});
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilJ.ИтогСовОпер.РасхПрмВыч, M("60000"));
    QCOMPARE(sum->list2.РасхОбщ, M("60000"));
    QCOMPARE(sum->list2.НалБаза, M("40000"));
    QCOMPARE(sum->list2.Исчисл, M("12000"));
    QCOMPARE(sum->list1.РасхВычОбщ, M("0"));
}

QTEST_GUILESS_MAIN(TestCalcDeductions)
#include "test_calc_deductions.moc"
