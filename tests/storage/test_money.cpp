#include "model/Math2.h"
#include "storage/DateTime.h"
#include "storage/Money.h"

#include <QtTest>

class TestMoney : public QObject {
    Q_OBJECT

private slots:
    void parseAndPrint_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("printed");
        QTest::newRow("whole") << "100" << QChar('.') << qint64(1000000) << "100";
        QTest::newRow("half") << "1234.50" << QChar('.') << qint64(12345000) << "1234.5";
        QTest::newRow("comma") << "12,5" << QChar(',') << qint64(125000) << "12.5";
        QTest::newRow("negative") << "-0.0001" << QChar('.') << qint64(-1) << "-0.0001";
        QTest::newRow("fifth digit rounds") << "0.00005" << QChar('.') << qint64(1) << "0.0001";
        QTest::newRow("leading sign and spaces") << " +7 " << QChar('.') << qint64(70000) << "7";
        QTest::newRow("no whole part") << ".25" << QChar('.') << qint64(2500) << "0.25";
        QTest::newRow("above a hundred trillion")
            << "100000000000000.5" << QChar('.') << qint64(1000000000000005000)
            << "100000000000000.5";
        QTest::newRow("largest") << "922337203685477.5807" << QChar('.')
                                 << std::numeric_limits<qint64>::max() << "922337203685477.5807";
        QTest::newRow("most negative")
            << "-922337203685477.5808" << QChar('.') << std::numeric_limits<qint64>::min()
            << "-922337203685477.5808";
    }
    void parseAndPrint() {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(qint64, raw);
        QFETCH(QString, printed);
        const std::optional<Money> m = Money::parse(text, separator);
        QVERIFY(m.has_value());
        QCOMPARE(m->raw(), raw);
        QCOMPARE(m->toString(), printed);
    }

    void parseRefuses_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("sign only") << "-";
        QTest::newRow("letters") << "12a";
        QTest::newRow("wrong separator") << "12,5";
        QTest::newRow("two separators") << "1.2.3";
        QTest::newRow("too large") << "99999999999999999999";
        QTest::newRow("one unit above the largest") << "922337203685477.5808";
        QTest::newRow("rounds above the largest") << "922337203685477.58075";
        QTest::newRow("one unit below the most negative") << "-922337203685477.5809";
    }
    void parseRefuses() {
        QFETCH(QString, text);
        QVERIFY(!Money::parse(text).has_value());
    }

    void extremesPrint() {
        const Money lowest = Money::fromRaw(std::numeric_limits<qint64>::min());
        QCOMPARE(lowest.toString(), QStringLiteral("-922337203685477.5808"));
    }

    void roundings() {
        QCOMPARE(RoundHalfUp(2.5), qint64(3));
        QCOMPARE(RoundHalfUp(-2.7), qint64(-2));
        QCOMPARE(RoundHalfUp(-2.5), qint64(-2));
        QCOMPARE(RoundHalfUp(6.4999), qint64(6));
        QCOMPARE(RoundKopecks(1.005), 1.00);
        QCOMPARE(RoundKopecks(2.675L), 2.68);
    }

    void moneyTexts_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QString>("text15");
        QTest::newRow("cut not rounded") << qint64(12345678) << "1234.56"
                                         << "1234.5678";
        QTest::newRow("whole") << qint64(120000) << "12.00"
                               << "12";
        QTest::newRow("negative") << qint64(-50000) << "0.00"
                                  << "-5";
        QTest::newRow("five kopecks") << qint64(500) << "0.05"
                                      << "0.05";
        QTest::newRow("one decimal") << qint64(15000) << "1.50"
                                     << "1.5";
        QTest::newRow("sixteen characters with sign") << qint64(-100000000000000) * 10000 << "0.00"
                                                      << "999999999999999";
        QTest::newRow("sixteen characters with fraction")
            << qint64(10000000000000) * 10000 + 5000 << "999999999999.99"
            << "999999999999999";
        QTest::newRow("largest amount") << qint64(922337203685477) * 10000 << "999999999999.99"
                                        << "922337203685477";
        QTest::newRow("twelve digits") << qint64(999999999999) * 10000 << "999999999999.00"
                                       << "999999999999";
    }
    void moneyTexts() {
        QFETCH(qint64, raw);
        QFETCH(QString, text2);
        QFETCH(QString, text15);
        QCOMPARE(MoneyText2(Money::fromRaw(raw)), text2);
        QCOMPARE(MoneyText15(Money::fromRaw(raw)), text15);
    }

    void datesOutOfAnyRange() {
        QCOMPARE(TDateTime::toDate(40544), QDate(2011, 1, 1));
        QCOMPARE(TDateTime::toDate(40544.75), QDate(2011, 1, 1));
        QCOMPARE(TDateTime::toDate(-1), QDate(1899, 12, 29));
        QVERIFY(!TDateTime::toDate(1e300).isValid());
        QVERIFY(!TDateTime::toDate(-1e300).isValid());
        QVERIFY(!TDateTime::toDate(std::numeric_limits<double>::quiet_NaN()).isValid());
        QCOMPARE(TDateTime::fromDate(QDate()), 0.0);
    }

    void floatTexts() {
        QCOMPARE(FloatText4(1.23456), QStringLiteral("1.2346"));
        QCOMPARE(FloatText4(40544), QStringLiteral("40544"));
        QCOMPARE(FloatText4(0.5), QStringLiteral("0.5"));
        QCOMPARE(MoneyText15(Money::fromRaw(12345), QLatin1Char(',')), QStringLiteral("1,2345"));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
