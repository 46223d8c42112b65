#include "CalcTestKit.h"
#include "calc/RateMath.h"

using kit::M;

class TestRateMath : public QObject {
    Q_OBJECT
private slots:
    void taxAtRate_data();
    void taxAtRate();
    void kopeckRules_data();
    void kopeckRules();
    void roundingOfAmounts_data();
    void roundingOfAmounts();
    void exceedsPercent_data();
    void exceedsPercent();
    void scaleByFraction_data();
    void scaleByFraction();
    void ratePerUnit_data();
    void ratePerUnit();
};

void TestRateMath::taxAtRate_data() {
    QTest::addColumn<Money>("base");
    QTest::addColumn<int>("percent");
    QTest::addColumn<Money>("tax");
    QTest::newRow("50 at 13 is 6.5, half rounds up") << M("50") << 13 << M("7");
    QTest::newRow("100.50 at 13 is 13.065") << M("100.50") << 13 << M("13");
    QTest::newRow("90 at 35 is exactly 31.5, not 31.4999") << M("90") << 35 << M("32");
    QTest::newRow("10 at 35 is exactly 3.5") << M("10") << 35 << M("4");
    QTest::newRow("30 at 15 is exactly 4.5") << M("30") << 15 << M("5");
    QTest::newRow("333.33 at 15 is 49.9995") << M("333.33") << 15 << M("50");
    QTest::newRow("1000.50 at 15 is 150.075") << M("1000.50") << 15 << M("150");
    QTest::newRow("10000.99 at 35 rounds down") << M("10000.99") << 35 << M("3500");
    QTest::newRow("30001.98 at 35 rounds up") << M("30001.98") << 35 << M("10501");
    QTest::newRow("5 at 30 is exactly 1.5") << M("5") << 30 << M("2");
    QTest::newRow("foreign rate 9 on 1000") << M("1000") << 9 << M("90");
    QTest::newRow("just below the half") << M("3.8461") << 13 << M("0");
    QTest::newRow("negative base truncates toward zero") << M("-90") << 35 << M("-31");
    QTest::newRow("large base stays exact") << M("99999999999.99") << 13 << M("13000000000");
}

void TestRateMath::taxAtRate() {
    QFETCH(Money, base);
    QFETCH(int, percent);
    QFETCH(Money, tax);
    QCOMPARE(TaxAt(base, percent), tax);
}

void TestRateMath::kopeckRules_data() {
    QTest::addColumn<Money>("amount");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("rule");
    QTest::addColumn<Money>("result");
    const int up = int(RateRounding::Kopecks);
    const int down = int(RateRounding::KopecksDown);
    QTest::newRow("charity limit 25% of 100000.30 truncated")
        << M("100000.30") << 25 << down << M("25000.07");
    QTest::newRow("25% of 1.16 is exactly 0.29") << M("1.16") << 25 << down << M("0.29");
    QTest::newRow("20% of 20000 pay") << M("20000") << 20 << up << M("4000");
    QTest::newRow("20% of 20000.025 is an exact half kopeck")
        << M("20000.025") << 20 << up << M("4000.01");
    QTest::newRow("20% of 0.03 is 0.006") << M("0.03") << 20 << up << M("0.01");
    QTest::newRow("truncation keeps 0.009 out") << M("0.045") << 20 << down << M("0");
}

void TestRateMath::kopeckRules() {
    QFETCH(Money, amount);
    QFETCH(int, percent);
    QFETCH(int, rule);
    QFETCH(Money, result);
    QCOMPARE(RateProduct(amount, percent, RateRounding(rule)), result);
}

void TestRateMath::roundingOfAmounts_data() {
    QTest::addColumn<Money>("amount");
    QTest::addColumn<Money>("roubles");
    QTest::addColumn<Money>("kopecks");
    QTest::addColumn<Money>("truncated");
    QTest::newRow("100.40") << M("100.40") << M("100") << M("100.40") << M("100");
    QTest::newRow("100.50") << M("100.50") << M("101") << M("100.50") << M("100");
    QTest::newRow("1.005 is a decimal half kopeck") << M("1.005") << M("1") << M("1.01") << M("1");
    QTest::newRow("1000.60") << M("1000.60") << M("1001") << M("1000.60") << M("1000");
    QTest::newRow("negative is truncated") << M("-2.7") << M("-2") << M("-2.70") << M("-2");
}

void TestRateMath::roundingOfAmounts() {
    QFETCH(Money, amount);
    QFETCH(Money, roubles);
    QFETCH(Money, kopecks);
    QFETCH(Money, truncated);
    QCOMPARE(RoundRoubles(amount), roubles);
    QCOMPARE(RoundToKopecks(amount), kopecks);
    QCOMPARE(TruncRoubles(amount), truncated);
}

void TestRateMath::exceedsPercent_data() {
    QTest::addColumn<Money>("amount");
    QTest::addColumn<Money>("base");
    QTest::addColumn<bool>("exceeds");
    QTest::newRow("30000 above 25% of 100000.30") << M("30000") << M("100000.30") << true;
    QTest::newRow("exactly 25% is not above") << M("25000.075") << M("100000.30") << false;
    QTest::newRow("a ten-thousandth above") << M("25000.0751") << M("100000.30") << true;
}

void TestRateMath::exceedsPercent() {
    QFETCH(Money, amount);
    QFETCH(Money, base);
    QFETCH(bool, exceeds);
    QCOMPARE(ExceedsPercent(amount, base, 25), exceeds);
}

void TestRateMath::scaleByFraction_data() {
    QTest::addColumn<Money>("base");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<Money>("result");
    QTest::newRow("half of 2000000") << M("2000000") << 1 << 2 << M("1000000");
    QTest::newRow("a third to the ten-thousandth") << M("2000000") << 1 << 3 << M("666666.6667");
    QTest::newRow("two thirds") << M("1000000") << 2 << 3 << M("666666.6667");
    QTest::newRow("negative denominator") << M("100") << 1 << -4 << M("-25");
}

void TestRateMath::scaleByFraction() {
    QFETCH(Money, base);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(Money, result);
    QCOMPARE(ScaleByFraction(base, numerator, denominator), result);
}

void TestRateMath::ratePerUnit_data() {
    QTest::addColumn<Money>("rate");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("text");
    QTest::newRow("30.5 per unit") << M("30.5") << 1 << "30.5";
    QTest::newRow("per 100 units, four decimals") << M("40.1234") << 100 << "0.4012";
    QTest::newRow("half rounds up") << M("0.0001") << 2 << "0.0001";
    QTest::newRow("no units, no rate") << M("30.5") << 0 << "";
    QTest::newRow("whole rate") << M("32") << 1 << "32";
}

void TestRateMath::ratePerUnit() {
    QFETCH(Money, rate);
    QFETCH(int, units);
    QFETCH(QString, text);
    QCOMPARE(RatePerUnitText(rate, units), text);
}

QTEST_GUILESS_MAIN(TestRateMath)
#include "test_rate_math.moc"
