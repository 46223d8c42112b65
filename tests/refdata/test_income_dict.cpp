#include "refdata/DeductAmount.h"
#include "refdata/IncomeDict.h"
#include "storage/Cp1251.h"

#include <QtTest>

namespace {

QStringList codesOf(const auto& items) {
    QStringList codes;
    for (const auto& item : items)
        codes.append(item.code);
    return codes;
}

Money rub(const char* text) {
    return *Money::parse(QString::fromLatin1(text));
}

} // namespace

class TestIncomeDict : public QObject {
    Q_OBJECT

    QDomDocument dict_;
    QDomElement root_;

    DeductCodeItem deduction(const QString& income, const QString& code) {
        const auto items = DeductCodeList(root_, income, true);
        const int row = PreselectRow(items, code);
        if (row < 0 || items.at(row).code != code)
            qFatal("no deduction %s for %s", qPrintable(code), qPrintable(income));
        return items.at(row);
    }

private slots:
    void initTestCase() {
        dict_ = LoadIncomeDict();
        root_ = dict_.documentElement();
    }

    void embeddedTextIsWindows1251() {
        const QByteArray text = IncomeDictText();
        QVERIFY(text.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"));
        QVERIFY(text.contains(*Cp1251::encode(u"Иные доходы")));
        QCOMPARE(root_.tagName(), QStringLiteral("IncomeDict"));
        QVERIFY(!root_.hasAttributes());
    }

    void contentCounts() {
        QCOMPARE(root_.elementsByTagName(QStringLiteral("Income")).size(), 76);
        QCOMPARE(root_.elementsByTagName(QStringLiteral("Deduction")).size(), 84);
        for (QDomElement in = root_.firstChildElement(); !in.isNull();
             in = in.nextSiblingElement()) {
            const QDomElement last = in.lastChildElement(QStringLiteral("Deduction"));
            if (!last.isNull())
                QCOMPARE(last.attribute(QStringLiteral("Code")), QStringLiteral("0"));
        }
    }

    // Names and blanks are compared byte for byte by the stored rows.
    void deductionAttributes_data() {
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stav");
        QTest::addColumn<QString>("maxSum");
        QTest::newRow("314 ends with a blank") << "1550"
                                               << "314"
                                               << "В сумме документально подтвержденных расходов "
                                               << " "
                                               << "0";
        QTest::newRow("903 ends with a blank") << "1510"
                                               << "903"
                                               << "В сумме документально подтвержденных расходов "
                                               << " "
                                               << "0";
        QTest::newRow("315 has no blank") << "1540"
                                          << "315"
                                          << "В сумме документально подтвержденных расходов"
                                          << " "
                                          << "0";
        QTest::newRow("405 at 2201") << "2201"
                                     << "405"
                                     << "В пределах норматива затрат"
                                     << "20"
                                     << "0";
        QTest::newRow("405 at 2202") << "2202"
                                     << "405"
                                     << "В пределах норматива затрат"
                                     << "30"
                                     << "0";
        QTest::newRow("405 at 2203") << "2203"
                                     << "405"
                                     << "В пределах норматива затрат"
                                     << "40"
                                     << "0";
        QTest::newRow("405 at 2206") << "2206"
                                     << "405"
                                     << "В пределах норматива затрат"
                                     << "25"
                                     << "0";
        QTest::newRow("405 at 2209") << "2209"
                                     << "405"
                                     << "В пределах норматива затрат"
                                     << "30"
                                     << "0";
        QTest::newRow("501 misspelt")
            << "2720"
            << "501"
            << "Вычет из стоимости подарка от органицаций и индивидуальных предпринимателей"
            << " "
            << "4000";
        QTest::newRow("507") << "2790"
                             << "507"
                             << "Вычет из суммы мат.помощи"
                             << " "
                             << "10000";
    }
    void deductionAttributes() {
        QFETCH(QString, income);
        QFETCH(QString, code);
        QDomElement e = root_.firstChildElement();
        while (e.attribute(QStringLiteral("Code")) != income)
            e = e.nextSiblingElement();
        e = e.firstChildElement();
        while (!e.isNull() && e.attribute(QStringLiteral("Code")) != code)
            e = e.nextSiblingElement();
        QVERIFY(!e.isNull());
        QTEST(e.attribute(QStringLiteral("Name")), "name");
        QTEST(e.attribute(QStringLiteral("Stav")), "stav");
        QTEST(e.attribute(QStringLiteral("MaxSum")), "maxSum");
    }

    void incomePicker_data() {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("nonResident");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("codes"); // empty: not compared
        QTest::newRow("resident 13") << "13" << false << 68 << QStringList();
        QTest::newRow("35") << "35" << false << 5
                            << QStringList{"2610", "2620", "2740", "3020", "3022"};
        QTest::newRow("non-resident 13")
            << "13" << true << 7
            << QStringList{"2000", "2001", "2010", "2012", "2300", "2530", "2791"};
        QTest::newRow("9") << "9" << false << 3 << QStringList{"1010", "1110", "1120"};
        QTest::newRow("unfiltered ignores non-resident") << "" << true << 76 << QStringList();
    }
    void incomePicker() {
        QFETCH(QString, rate);
        QFETCH(bool, nonResident);
        QFETCH(QStringList, codes);
        const auto items = IncomeCodeList(root_, rate, nonResident);
        QTEST(int(items.size()), "count");
        if (!codes.isEmpty())
            QCOMPARE(codesOf(items), codes);
        for (const auto& item : items) {
            if (!rate.isEmpty())
                QCOMPARE(QString::number(item.stav), rate);
        }
    }

    void incomeItemFields() {
        const auto items = IncomeCodeList(root_, QString(), false);
        QCOMPARE(items.first().code, QStringLiteral("1010"));
        QCOMPARE(items.first().stav, 9);
        QVERIFY(items.first().hasDeductions);
        const auto item1511 = items.at(PreselectRow(items, QStringLiteral("1511")));
        QVERIFY(item1511.saleDate);
        QVERIFY(!items.at(PreselectRow(items, QStringLiteral("2000"))).hasDeductions);
        QCOMPARE(items.at(PreselectRow(items, QStringLiteral("2610"))).name,
                 QStringLiteral("Сумма мат. выгоды за пользование заемными  средствами"));
    }

    void deductPicker_data() {
        QTest::addColumn<QString>("income");
        QTest::addColumn<bool>("full");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("2201 full") << "2201" << true << QStringList{"404", "405", "0"};
        QTest::newRow("2201 short") << "2201" << false << QStringList{"0"};
        QTest::newRow("1530 short") << "1530" << false << QStringList{"201", "0"};
        QTest::newRow("2720 short") << "2720" << false << QStringList{"501", "0"};
        QTest::newRow("1510 short") << "1510" << false << QStringList{"0"};
        QTest::newRow("1510 full") << "1510" << true << QStringList{"901", "903", "0"};
        QTest::newRow("no deductions") << "2000" << true << QStringList();
        QTest::newRow("unknown income") << "9999" << true << QStringList();
    }
    void deductPicker() {
        QFETCH(QString, income);
        QFETCH(bool, full);
        QTEST(codesOf(DeductCodeList(root_, income, full)), "codes");
    }

    void preselect() {
        const auto items = DeductCodeList(root_, QStringLiteral("1510"), true);
        QCOMPARE(PreselectRow(items, QStringLiteral("903")), 1);
        QCOMPARE(PreselectRow(items, QStringLiteral("405")), 0);
        QCOMPARE(PreselectRow(QList<DeductCodeItem>(), QStringLiteral("0")), -1);
    }

    void amountRules_data() {
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("event");
        QTest::addColumn<QString>("incomeAmount"); // empty: field empty
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QString>("expected"); // empty: field empty
        const int chosen = int(DeductEvent::CodeChosen);
        const int changed = int(DeductEvent::IncomeChanged);
        const int typed = int(DeductEvent::AmountTyped);
        QTest::newRow("405 norm 25%") << "2206"
                                      << "405" << chosen << "100000"
                                      << "" << true << false << "25000";
        QTest::newRow("405 half kopeck up") << "2206"
                                            << "405" << changed << "10001.01"
                                            << "25000" << true << false << "2500.25";
        // 2.10 x 25 % is 0.525 exactly; a binary product falls just below the half.
        QTest::newRow("405 exact half kopeck") << "2206"
                                               << "405" << changed << "2.10"
                                               << "" << true << false << "0.53";
        QTest::newRow("405 no income shows 0") << "2206"
                                               << "405" << chosen << ""
                                               << "" << true << false << "0";
        QTest::newRow("405 income cleared empties") << "2206"
                                                    << "405" << changed << ""
                                                    << "2500" << true << false << "";
        QTest::newRow("405 norm 40%") << "2203"
                                      << "405" << chosen << "333.33"
                                      << "" << true << false << "133.33";
        QTest::newRow("501 follows income") << "2720"
                                            << "501" << chosen << "3000"
                                            << "" << true << true << "3000";
        QTest::newRow("501 capped on income change") << "2720"
                                                     << "501" << changed << "9000"
                                                     << "3000" << true << true << "4000";
        QTest::newRow("501 typed above limit") << "2720"
                                               << "501" << typed << "9000"
                                               << "5000" << true << true << "4000";
        QTest::newRow("501 typed below limit") << "2720"
                                               << "501" << typed << "9000"
                                               << "3500" << true << true << "3500";
        QTest::newRow("501 no income shows 0") << "2720"
                                               << "501" << chosen << ""
                                               << "" << true << true << "0";
        QTest::newRow("507 limit 10000") << "2790"
                                         << "507" << changed << "12000"
                                         << "" << true << true << "10000";
        QTest::newRow("901 read-only limit") << "1510"
                                             << "901" << chosen << "2500000"
                                             << "" << true << false << "1000000";
        QTest::newRow("901 below limit") << "1510"
                                         << "901" << changed << "800000.5"
                                         << "" << true << false << "800000.5";
        QTest::newRow("903 cleared on choice") << "1510"
                                               << "903" << chosen << "2500000"
                                               << "700" << true << true << "";
        QTest::newRow("903 typed kept on income change") << "1510"
                                                         << "903" << changed << "2500000"
                                                         << "700" << true << true << "700";
        QTest::newRow("904 typed capped") << "1511"
                                          << "904" << typed << ""
                                          << "1500000" << true << true << "1000000";
        QTest::newRow("906 typed capped") << "1520"
                                          << "906" << typed << ""
                                          << "300000" << true << true << "250000";
        QTest::newRow("508 has no limit") << "2762"
                                          << "508" << typed << ""
                                          << "50000" << true << true << "50000";
        QTest::newRow("0 hides the amount") << "2720"
                                            << "0" << chosen << "3000"
                                            << "10" << false << true << "";
    }
    void amountRules() {
        QFETCH(QString, income);
        QFETCH(QString, code);
        QFETCH(int, event);
        QFETCH(QString, incomeAmount);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        auto field = [](const QString& text) {
            return text.isEmpty() ? std::optional<Money>() : rub(qPrintable(text));
        };
        const DeductAmountState s = ApplyDeductRules(deduction(income, code), DeductEvent(event),
                                                     field(incomeAmount), field(typed));
        QTEST(s.visible, "visible");
        QTEST(s.editable, "editable");
        QCOMPARE(s.amount.has_value(), !expected.isEmpty());
        if (s.amount)
            QCOMPARE(s.amount->toString(), expected);
    }
};

QTEST_GUILESS_MAIN(TestIncomeDict)
#include "test_income_dict.moc"
