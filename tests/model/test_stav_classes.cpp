#include "TestKit.h"
#include "model/JsonIO.h"
#include "model/StavClasses.h"
#include "storage/Cp1251.h"
#include "storage/StgClasses.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using Storage = mTDocumentStorage;
using Row = mTThirteenPercent::IncomeRow;
using StorageOp = std::function<void(Storage&)>;
using JsonApply = std::function<void(const QJsonObject&)>;
Q_DECLARE_METATYPE(StorageOp)
Q_DECLARE_METATYPE(JsonApply)

using namespace TestKit;

namespace {

Money m(const char* text) {
    return *Money::parse(QString::fromLatin1(text));
}

Row row(qint32 code, const QString& name, const char* amount, qint16 month) {
    Row r;
    r.incomeCode = code;
    r.incomeName = name;
    r.amount = m(amount);
    r.deductionCode = 403;
    r.deductionAmount = m("1000.25");
    r.deductionRate = 20;
    r.month = month;
    return r;
}

mTThirteenPercent samplePayer(const QString& name) {
    mTThirteenPercent p;
    p.sourceInn = QStringLiteral("7707083893");
    p.sourceKpp = QStringLiteral("773601001");
    p.sourceOkato = QStringLiteral("45293554000");
    p.sourceName = name;
    p.taxWithheld = m("39.07");
    p.taxableIncome = m("300.5");
    p.taxComputed = m("39");
    p.reservedAmount = m("-1.5");
    p.stdDeductionsHere = 1;
    p.SetMonthValue(0, m("400"));
    p.SetMonthValue(11, m("0"));
    p.AddRow(row(2000, QStringLiteral("Заработная плата «премия»"), "100.5", 1));
    p.AddRow(row(2010, QString(), "200", 12));
    return p;
}

mTCurrencyIncome sampleCurrency() {
    mTCurrencyIncome c;
    c.incomeRate = 13;
    c.incomeCode = 1010;
    c.incomeName = QStringLiteral("Дивиденды");
    c.sourceName = QStringLiteral("Deutsche Bank AG");
    c.countryCode = QStringLiteral("250");
    c.incomeDate = TDateTime::fromYmd(2011, 3, 15);
    c.taxPaidDate = TDateTime::fromYmd(2011, 4, 1);
    c.autoRate = 1;
    c.currencyCode = QStringLiteral("978");
    c.currencyName = QStringLiteral("Евро");
    c.SetRateOnIncomeDate(m("40.1234"), 1);
    c.SetRateOnTaxDate(m("39.87"), 1);
    c.SetIncomeInCurrency(m("1000.5"));
    c.SetTaxInCurrency(m("150"));
    c.deductionCode = 601;
    c.deductionAmount = m("12.34");
    c.deductionRate = 30;
    return c;
}

mTBusinessNew sampleBusiness(quint8 confirmed) {
    mTBusinessNew b;
    b.activityKind = QStringLiteral("1");
    b.activityCode = QStringLiteral("52.48.39");
    b.income = m("1500000");
    b.hasConfirmedExpenses = confirmed;
    b.expensesTotal = m("800000");
    b.materialExpenses = m("300000");
    b.depreciation = m("1234.56");
    b.labourExpenses = m("200000");
    b.labourContractExpenses = m("150000");
    b.otherExpenses = m("91");
    for (int i = 0; i < 13; ++i)
        b.otherExpenseParts[std::size_t(i)] = Money::fromRoubles(i + 1);
    b.unconfirmedExpenses = m("300000");
    return b;
}

} // namespace

class TestStavClasses : public QObject {
    Q_OBJECT

private slots:
    void thirteenRoundTrip_data();
    void thirteenRoundTrip();
    void thirteenWithoutRows();
    void thirteenRowOperations();
    void thirteenOlderFormats_data();
    void thirteenOlderFormats();
    void thirteenMissingRowStream();
    void otherRatesRoundTrip();
    void currencyRubles_data();
    void currencyRubles();
    void currencyRoundTrip();
    void businessRoundTrip_data();
    void businessRoundTrip();
    void repetitAndNalogRoundTrip();
    void contextCodes_data();
    void contextCodes();
    void jsonRoundTrip();
    void jsonErrors_data();
    void jsonErrors();

private:
    QString file(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

void TestStavClasses::thirteenRoundTrip_data() {
    QTest::addColumn<bool>("nonResident");
    QTest::addColumn<QByteArray>("firstRowMarker");
    QTest::addColumn<QByteArray>("secondPayerMarker");
    QTest::newRow("resident") << false << QByteArray("0019@SourseIncome000000")
                              << QByteArray("0019@ThirteenPercent001");
    QTest::newRow("non-resident") << true << QByteArray("0019@SourseIncoNR000000")
                                  << QByteArray("0019@ThirteenPerceNR001");
}

// Two payers in one file, so each must find its own rows by name.
void TestStavClasses::thirteenRoundTrip() {
    QFETCH(bool, nonResident);
    QFETCH(QByteArray, firstRowMarker);
    QFETCH(QByteArray, secondPayerMarker);

    const mTThirteenPercent first = samplePayer(QStringLiteral("ООО \"Ромашка\" №1"));
    mTThirteenPercent second = samplePayer(QStringLiteral("ЗАО Ёлка"));
    second.DeleteRow(0);
    second.AddRow(row(1400, QStringLiteral("Аренда"), "7777.7777", 6));
    second.stdDeductionsHere = 0;

    const qint64 size = first.StorageSize(0, nonResident) + second.StorageSize(1, nonResident);
    const QString path = file(nonResident ? "nr13.dc1" : "r13.dc1");
    const Written w = writeDocument(path, size, [&](Storage& s) {
        first.SaveToStorage(s, 0, nonResident);
        second.SaveToStorage(s, 1, nonResident);
    });
    QCOMPARE(w.position, Storage::kHeaderSize + size);
    QCOMPARE(qint64(w.bytes.size()), Storage::kHeaderSize + size);
    QVERIFY(w.bytes.contains(firstRowMarker));
    QVERIFY(w.bytes.contains(secondPayerMarker));

    mTThirteenPercent a, b;
    readDocument(path, [&](Storage& s) {
        b.LoadFromStorage(s, 1, nonResident);
        a.LoadFromStorage(s, 0, nonResident);
    });
    QCOMPARE(a.ToJson(), first.ToJson());
    QCOMPARE(b.ToJson(), second.ToJson());
    QCOMPARE(a.rows(), first.rows());
    QCOMPARE(a.totalIncome, m("300.5"));
    QCOMPARE(b.totalIncome, m("7977.7777"));
    QVERIFY(a.monthlyStdDeduction[11].present);
    QVERIFY(!a.monthlyStdDeduction[5].present);
}

void TestStavClasses::thirteenWithoutRows() {
    const mTThirteenPercent p;
    const QString path = file("norows.dc1");
    const Written w = writeDocument(path, p.StorageSize(0, false),
                                    [&](Storage& s) { p.SaveToStorage(s, 0, false); });
    QByteArray expected = header() + frame("@ThirteenPercent000") + frame("0");
    expected += frame("") + frame("") + frame("") + frame("");
    for (int i = 0; i < 4; ++i)
        expected += frame("0");
    for (int i = 0; i < 12; ++i)
        expected += frame("a");
    expected += frame("0");
    QCOMPARE(w.bytes, expected);

    mTThirteenPercent back;
    back.SetMonthValue(3, m("5")); // loading must replace what was there
    back.AddRow(row(2000, QString(), "1", 1));
    readDocument(path, [&](Storage& s) { back.LoadFromStorage(s, 0, false); });
    QCOMPARE(back.RowCount(), 0);
    QCOMPARE(back.totalIncome, Money());
    for (const auto& month : back.monthlyStdDeduction) {
        QVERIFY(!month.present);
        QCOMPARE(month.amount, Money());
    }
}

void TestStavClasses::thirteenRowOperations() {
    mTThirteenPercent p;
    QCOMPARE(p.AddRow(row(2000, QString(), "100.50", 1)), 0);
    QCOMPARE(p.AddRow(row(2000, QString(), "200", 2)), 1);
    QCOMPARE(p.totalIncome, m("300.5"));
    p.ReplaceRow(0, row(2010, QStringLiteral("x"), "50", 3));
    QCOMPARE(p.totalIncome, m("250"));
    QCOMPARE(p.GetRow(0).incomeCode, 2010);
    p.DeleteRow(1);
    QCOMPARE(p.totalIncome, m("50"));
    QCOMPARE(p.RowCount(), 1);

    // A wrong index changes nothing.
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, p.DeleteRow(1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, p.ReplaceRow(-1, row(1, QString(), "9", 1)));
    QCOMPARE(p.totalIncome, m("50"));
    QCOMPARE(p.RowCount(), 1);

    p.SetMonthValue(4, m("1400"));
    QVERIFY(p.monthlyStdDeduction[4].present);
    p.SetMonthValue(4, m("-1"));
    QVERIFY(!p.monthlyStdDeduction[4].present);
    QCOMPARE(p.monthlyStdDeduction[4].amount, Money());
}

void TestStavClasses::thirteenOlderFormats_data() {
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("leading");
    QTest::addColumn<int>("stdDeductionsHere");
    QTest::newRow("1.0 has no leading byte") << QByteArray("0100") << QByteArray() << 0;
    QTest::newRow("1.1 has it") << QByteArray("0101") << frame("1") << 1;
}

// Files by hand, as older editions wrote them; the month slots hold "a", "-1" and
// a comma-decimal amount.
void TestStavClasses::thirteenOlderFormats() {
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, leading);
    QFETCH(int, stdDeductionsHere);

    const QByteArray name = *Cp1251::encode(QStringLiteral("ООО Ромашка"));
    QByteArray bytes = header(version) + frame("@ThirteenPercent000") + leading;
    bytes += frame("7707083893") + frame("773601001") + frame("45293554000") + frame(name);
    bytes += frame("26") + frame("200") + frame("26") + frame("0");
    bytes += frame("-1") + frame("12,5");
    for (int i = 2; i < 12; ++i)
        bytes += frame("a");
    bytes += frame("1") + frame("@SourseIncome000000");
    bytes += frame("2000") + frame(name) + frame("200") + frame("0") + frame("0") + frame("0") +
             frame("3");
    const QString path = file(version == "0100" ? "v10.dc1" : "v11.dc1");
    writeAll(path, bytes);

    mTThirteenPercent p;
    p.stdDeductionsHere = 1;
    readDocument(path, [&](Storage& s) { p.LoadFromStorage(s, 0, false); });
    QCOMPARE(int(p.stdDeductionsHere), stdDeductionsHere);
    QCOMPARE(p.sourceName, QStringLiteral("ООО Ромашка"));
    QCOMPARE(p.taxWithheld, m("26"));
    QCOMPARE(p.taxableIncome, m("200"));
    QVERIFY(!p.monthlyStdDeduction[0].present);
    QVERIFY(p.monthlyStdDeduction[1].present);
    QCOMPARE(p.monthlyStdDeduction[1].amount, m("12.5"));
    QCOMPARE(p.RowCount(), 1);
    QCOMPARE(p.GetRow(0).incomeName, QStringLiteral("ООО Ромашка"));
    QCOMPARE(p.GetRow(0).month, qint16(3));
    QCOMPARE(p.totalIncome, m("200"));
}

void TestStavClasses::thirteenMissingRowStream() {
    mTThirteenPercent p = samplePayer(QStringLiteral("Ромашка"));
    const QString path = file("missingrow.dc1");
    // Claims two rows but only the first row stream follows.
    const qint64 size = p.StorageSize(0, false);
    const Written w = writeDocument(path, size, [&](Storage& s) { p.SaveToStorage(s, 0, false); });
    QByteArray bytes = w.bytes;
    const qsizetype second = bytes.indexOf("0019@SourseIncome000001");
    QVERIFY(second > 0);
    bytes.truncate(second);
    writeAll(path, bytes);

    mTThirteenPercent back = samplePayer(QStringLiteral("прежний"));
    try {
        readDocument(path, [&](Storage& s) { back.LoadFromStorage(s, 0, false); });
        QFAIL("a missing row stream must fail the load");
    } catch (const mEOpenStream& e) {
        QCOMPARE(e.contextCode(), quint16(372));
        QCOMPARE(e.message(), QStringLiteral("Попытка открытия несуществующего потока"));
    }
    QCOMPARE(back.sourceName, QStringLiteral("прежний"));
    QCOMPARE(back.RowCount(), 2);
}

void TestStavClasses::otherRatesRoundTrip() {
    mTThirtyPercent fresh30;
    QCOMPARE(fresh30.incomeCode, 1010);

    mTThirtyFivePercent p35;
    p35.incomeCode = 2740;
    p35.sourceInn = QStringLiteral("500100732259");
    p35.sourceName = QStringLiteral("ОАО «Выигрыш»");
    p35.totalIncome = m("15000.01");
    p35.deductionCode = 501;
    p35.deductionAmount = m("4000");
    p35.taxWithheld = m("3850");
    mTThirtyPercent p30;
    p30.sourceKpp = QStringLiteral("773601001");
    p30.sourceOkato = QStringLiteral("45293554000");
    p30.sourceName = QStringLiteral("ЗАО Дивиденд");
    p30.totalIncome = m("1000");
    p30.taxComputed = m("90");
    p30.taxableAmount = m("999.9999");
    p30.taxWithheld = m("90");

    // The non-resident flag means nothing to these payers.
    const qint64 size = p35.StorageSize(2, true) + p30.StorageSize(0, false);
    QCOMPARE(p35.StorageSize(2, true), p35.StorageSize(2, false));
    const QString path = file("rates.dc1");
    const Written w = writeDocument(path, size, [&](Storage& s) {
        p35.SaveToStorage(s, 2, true);
        p30.SaveToStorage(s, 0, false);
    });
    QCOMPARE(w.position, Storage::kHeaderSize + size);
    QVERIFY(w.bytes.contains("0021@ThirtyFivePercent0020004274"));
    QVERIFY(w.bytes.contains("0017@ThirtyPercent00000041010"));

    mTThirtyFivePercent b35;
    mTThirtyPercent b30;
    b30.incomeCode = 0;
    readDocument(path, [&](Storage& s) {
        b30.LoadFromStorage(s, 0, false);
        b35.LoadFromStorage(s, 2, false);
    });
    QCOMPARE(b35.ToJson(), p35.ToJson());
    QCOMPARE(b30.ToJson(), p30.ToJson());
}

void TestStavClasses::currencyRubles_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("rubles");
    QTest::newRow("100 at 30.5 per unit") << "100" << 1 << "30.5"
                                          << "3050";
    QTest::newRow("1 at 40.1234 per 100") << "1" << 100 << "40.1234"
                                          << "0.4";
    QTest::newRow("half kopeck rounds up") << "1" << 1 << "0.125"
                                           << "0.13";
    QTest::newRow("no units") << "100" << 0 << "30.5"
                              << "0";
    QTest::newRow("fraction of a unit") << "0.5" << 10 << "3.4"
                                        << "0.17";
    // Exact half kopecks that binary floating point sees just below the half.
    QTest::newRow("0.29 at 30.5 is 8.845") << "0.29" << 1 << "30.5"
                                           << "8.85";
    QTest::newRow("0.45 at 30.3 is 13.635") << "0.45" << 1 << "30.3"
                                            << "13.64";
}

void TestStavClasses::currencyRubles() {
    QFETCH(QString, amount);
    QFETCH(int, units);
    QFETCH(QString, rate);
    QFETCH(QString, rubles);
    const Money expected = *Money::parse(rubles);

    mTCurrencyIncome income;
    income.rateOnIncomeDate = *Money::parse(rate);
    income.unitsOnIncomeDate = units;
    income.SetIncomeInCurrency(*Money::parse(amount));
    QCOMPARE(income.incomeInRubles.toString(), expected.toString());

    // The tax side follows the same rule, also when the rate comes after the amount.
    mTCurrencyIncome tax;
    tax.SetTaxInCurrency(*Money::parse(amount));
    QCOMPARE(tax.taxInRubles, Money());
    tax.SetRateOnTaxDate(*Money::parse(rate), units);
    QCOMPARE(tax.taxInRubles.toString(), expected.toString());
    QCOMPARE(tax.incomeInRubles, Money());
}

void TestStavClasses::currencyRoundTrip() {
    const mTCurrencyIncome fresh;
    QCOMPARE(fresh.incomeDate, 40544.0);
    QCOMPARE(fresh.taxPaidDate, 40544.0);

    const mTCurrencyIncome c = sampleCurrency();
    QCOMPARE(c.incomeInRubles, m("40143.46"));
    const QString path = file("currency.dc1");
    const Written w = writeDocument(path, fresh.StorageSize(0) + c.StorageSize(1), [&](Storage& s) {
        fresh.SaveToStorage(s, 0);
        c.SaveToStorage(s, 1);
    });
    QCOMPARE(qint64(w.bytes.size()), w.position);
    QVERIFY(w.bytes.contains("0018@CurrencyIncome001"));
    QVERIFY(w.bytes.contains("000540617")); // 15.03.2011 as a float text

    mTCurrencyIncome a, b;
    readDocument(path, [&](Storage& s) {
        b.LoadFromStorage(s, 1);
        a.LoadFromStorage(s, 0);
    });
    QCOMPARE(b.ToJson(), c.ToJson());
    QCOMPARE(b.incomeDate, c.incomeDate);
    QCOMPARE(a.ToJson(), fresh.ToJson());
}

void TestStavClasses::businessRoundTrip_data() {
    QTest::addColumn<int>("confirmed");
    QTest::newRow("confirmed expenses") << 1;
    QTest::newRow("without documents") << 0;
}

void TestStavClasses::businessRoundTrip() {
    QFETCH(int, confirmed);
    const mTBusinessNew fresh;
    QCOMPARE(fresh.activityCode, QStringLiteral(".."));
    QCOMPARE(int(fresh.hasConfirmedExpenses), 1);

    const mTBusinessNew b = sampleBusiness(quint8(confirmed));
    const QString path = file(confirmed ? "business1.dc1" : "business0.dc1");
    const Written w =
        writeDocument(path, b.StorageSize(4), [&](Storage& s) { b.SaveToStorage(s, 4); });
    QCOMPARE(w.position, qint64(w.bytes.size()));
    QVERIFY(w.bytes.contains("0018@BusinessIncome004"));
    QCOMPARE(w.bytes.contains("@BusinessExpense"), confirmed == 1);

    mTBusinessNew back = sampleBusiness(quint8(1 - confirmed));
    readDocument(path, [&](Storage& s) { back.LoadFromStorage(s, 4); });
    QCOMPARE(back.activityCode, b.activityCode);
    QCOMPARE(back.income, b.income);
    QCOMPARE(int(back.hasConfirmedExpenses), confirmed);
    if (confirmed) {
        QCOMPARE(back.ToJson().value("otherExpenseParts"), b.ToJson().value("otherExpenseParts"));
        QCOMPARE(back.depreciation, b.depreciation);
        QCOMPARE(back.labourContractExpenses, b.labourContractExpenses);
        QCOMPARE(back.unconfirmedExpenses, Money());
    } else {
        QCOMPARE(back.unconfirmedExpenses, b.unconfirmedExpenses);
        QCOMPARE(back.ToJson(), [] {
            mTBusinessNew e = sampleBusiness(0);
            e.expensesTotal = e.materialExpenses = e.depreciation = e.labourExpenses =
                e.labourContractExpenses = e.otherExpenses = Money();
            e.otherExpenseParts = {};
            return e.ToJson();
        }());
    }
}

void TestStavClasses::repetitAndNalogRoundTrip() {
    mTRepetitNew t;
    t.repetitName = QStringLiteral("Репетиторство по математике");
    for (int i = 0; i < 21; ++i)
        t.repetitAmounts[std::size_t(i)] = Money::fromRaw(i * 12345);
    mTNalog n;
    n.paymentLabel = QStringLiteral("Уведомление №7");
    n.budgetCode = QStringLiteral("18210102020011000110");
    n.paymentAmount = m("1234.5");

    const QString path = file("repetit.dc1");
    const Written w = writeDocument(path, t.StorageSize(0) + n.StorageSize(1), [&](Storage& s) {
        t.SaveToStorage(s, 0);
        n.SaveToStorage(s, 1);
    });
    QCOMPARE(w.position, qint64(w.bytes.size()));
    QVERIFY(w.bytes.contains("0017@RepetitIncome000"));
    QVERIFY(w.bytes.contains("0012@NalogSub001"));
    QVERIFY(w.bytes.endsWith("00061234.5"));

    mTRepetitNew t2;
    mTNalog n2;
    readDocument(path, [&](Storage& s) {
        n2.LoadFromStorage(s, 1);
        t2.LoadFromStorage(s, 0);
    });
    QCOMPARE(t2.ToJson(), t.ToJson());
    QCOMPARE(n2.ToJson(), n.ToJson());
}

void TestStavClasses::contextCodes_data() {
    using Op = StorageOp;
    QTest::addColumn<Op>("save");
    QTest::addColumn<Op>("load");
    QTest::addColumn<int>("saveCode");
    QTest::addColumn<int>("loadCode");
    auto add = [](const char* name, Op save, Op load, int saveCode, int loadCode) {
        QTest::newRow(name) << save << load << saveCode << loadCode;
    };
    add(
        "13", [](Storage& s) { mTThirteenPercent().SaveToStorage(s, 0, false); },
        [](Storage& s) { mTThirteenPercent().LoadFromStorage(s, 0, true); }, 372, 372);
    add(
        "35", [](Storage& s) { mTThirtyFivePercent().SaveToStorage(s, 0, false); },
        [](Storage& s) { mTThirtyFivePercent().LoadFromStorage(s, 0, false); }, 373, 374);
    add(
        "30", [](Storage& s) { mTThirtyPercent().SaveToStorage(s, 0, false); },
        [](Storage& s) { mTThirtyPercent().LoadFromStorage(s, 0, false); }, 375, 376);
    add(
        "currency", [](Storage& s) { mTCurrencyIncome().SaveToStorage(s, 0); },
        [](Storage& s) { mTCurrencyIncome().LoadFromStorage(s, 0); }, 377, 378);
    add(
        "business", [](Storage& s) { mTBusinessNew().SaveToStorage(s, 0); },
        [](Storage& s) { mTBusinessNew().LoadFromStorage(s, 0); }, 379, 380);
    add(
        "repetit", [](Storage& s) { mTRepetitNew().SaveToStorage(s, 0); },
        [](Storage& s) { mTRepetitNew().LoadFromStorage(s, 0); }, 393, 394);
    add(
        "nalog", [](Storage& s) { mTNalog().SaveToStorage(s, 0); },
        [](Storage& s) { mTNalog().LoadFromStorage(s, 0); }, 375, 376);
}

void TestStavClasses::contextCodes() {
    using Op = StorageOp;
    QFETCH(Op, save);
    QFETCH(Op, load);
    QFETCH(int, saveCode);
    QFETCH(int, loadCode);

    // Saving into a storage without a header fails in the storage itself.
    Storage measuring = Storage::Measuring();
    try {
        save(measuring);
        QFAIL("saving without a header must fail");
    } catch (const mEObjectAccess& e) {
        QCOMPARE(int(e.contextCode()), saveCode);
    }

    // A document holding another stream only: the element's stream is missing.
    const QString path = file("other.dc1");
    writeAll(path, header() + frame("@Other") + frame("1"));
    try {
        readDocument(path, load);
        QFAIL("loading a missing stream must fail");
    } catch (const mEOpenStream& e) {
        QCOMPARE(int(e.contextCode()), loadCode);
    }
}

void TestStavClasses::jsonRoundTrip() {
    const mTThirteenPercent p = samplePayer(QStringLiteral("ООО Ромашка"));
    const QJsonObject o = p.ToJson();
    QCOMPARE(o.value("totalIncome").toString(), QStringLiteral("300.5"));
    QCOMPARE(o.value("stdDeductionsHere"), QJsonValue(true));
    const QJsonArray months = o.value("monthlyStdDeduction").toArray();
    QCOMPARE(months.size(), 12);
    QCOMPARE(months.at(0), QJsonValue(QStringLiteral("400")));
    QVERIFY(months.at(1).isNull());
    QCOMPARE(o.value("rows").toArray().at(0).toObject().value("amount"),
             QJsonValue(QStringLiteral("100.5")));

    mTThirteenPercent p2;
    p2.FromJson(o, QStringLiteral("thirteenSources[0]"));
    QCOMPARE(p2.ToJson(), o);
    QCOMPARE(p2.rows(), p.rows());

    // Without the total it follows from the rows.
    QJsonObject noTotal = o;
    noTotal.remove("totalIncome");
    mTThirteenPercent p3;
    p3.FromJson(noTotal, QString());
    QCOMPARE(p3.totalIncome, m("300.5"));

    mTCurrencyIncome c;
    c.FromJson(sampleCurrency().ToJson(), QStringLiteral("currencyIncomes[0]"));
    QCOMPARE(c.ToJson(), sampleCurrency().ToJson());
    QCOMPARE(c.ToJson().value("incomeDate"), QJsonValue(QStringLiteral("2011-03-15")));

    mTBusinessNew b;
    b.FromJson(sampleBusiness(0).ToJson(), QString());
    QCOMPARE(b.ToJson(), sampleBusiness(0).ToJson());
    QCOMPARE(b.ToJson().value("hasConfirmedExpenses"), QJsonValue(false));

    mTThirtyPercent p30;
    p30.FromJson(QJsonObject{{"taxComputed", "9"}}, QString());
    QCOMPARE(p30.incomeCode, 1010); // absent keys keep what was there
    QCOMPARE(p30.taxComputed, m("9"));
}

void TestStavClasses::jsonErrors_data() {
    using Apply = JsonApply;
    QTest::addColumn<Apply>("apply");
    QTest::addColumn<QJsonObject>("json");
    QTest::addColumn<QString>("key");

    const Apply thirteen = [](const QJsonObject& o) {
        mTThirteenPercent().FromJson(o, QStringLiteral("thirteenSources[0]"));
    };
    const Apply currency = [](const QJsonObject& o) {
        mTCurrencyIncome().FromJson(o, QStringLiteral("currencyIncomes[2]"));
    };
    const Apply business = [](const QJsonObject& o) {
        mTBusinessNew().FromJson(o, QStringLiteral("businessActivities[0]"));
    };
    const QJsonObject payer = samplePayer(QStringLiteral("x")).ToJson();
    auto with = [](QJsonObject o, const QString& key, const QJsonValue& v) {
        o.insert(key, v);
        return o;
    };
    QJsonArray rows = payer.value("rows").toArray();
    QJsonObject badRow = rows.at(1).toObject();
    badRow.insert("amount", 200);
    rows.replace(1, badRow);
    QJsonArray months = payer.value("monthlyStdDeduction").toArray();
    months.replace(3, "много");

    QTest::newRow("unknown key") << thirteen << with(payer, "taxRate", 13)
                                 << "thirteenSources[0].taxRate";
    QTest::newRow("total not the sum of the rows")
        << thirteen << with(payer, "totalIncome", "300.49") << "thirteenSources[0].totalIncome";
    QTest::newRow("row amount as a number")
        << thirteen << with(payer, "rows", rows) << "thirteenSources[0].rows[1].amount";
    QTest::newRow("row that is not an object")
        << thirteen << with(payer, "rows", QJsonArray{1}) << "thirteenSources[0].rows[0]";
    QTest::newRow("unknown key in a row")
        << thirteen << with(payer, "rows", QJsonArray{QJsonObject{{"sum", "1"}}})
        << "thirteenSources[0].rows[0].sum";
    QTest::newRow("month not an amount") << thirteen << with(payer, "monthlyStdDeduction", months)
                                         << "thirteenSources[0].monthlyStdDeduction[3]";
    QTest::newRow("eleven months")
        << thirteen
        << with(payer, "monthlyStdDeduction", QJsonArray{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})
        << "thirteenSources[0].monthlyStdDeduction";
    QTest::newRow("flag as a number") << thirteen << with(payer, "stdDeductionsHere", 1)
                                      << "thirteenSources[0].stdDeductionsHere";
    const QJsonObject cur = sampleCurrency().ToJson();
    QTest::newRow("roubles not from the rate")
        << currency << with(cur, "incomeInRubles", "40143.47")
        << "currencyIncomes[2].incomeInRubles";
    QTest::newRow("tax roubles not from the rate")
        << currency << with(cur, "taxInRubles", "1") << "currencyIncomes[2].taxInRubles";
    QTest::newRow("bad date") << currency << with(cur, "incomeDate", "15.03.2011")
                              << "currencyIncomes[2].incomeDate";
    QTest::newRow("expense parts not 13")
        << business << with(sampleBusiness(1).ToJson(), "otherExpenseParts", QJsonArray{})
        << "businessActivities[0].otherExpenseParts";
}

void TestStavClasses::jsonErrors() {
    using Apply = JsonApply;
    QFETCH(Apply, apply);
    QFETCH(QJsonObject, json);
    QFETCH(QString, key);
    try {
        apply(json);
        QFAIL("the object must be refused");
    } catch (const EJsonError& e) {
        QVERIFY2(e.message().startsWith(key + QLatin1Char(':')), qPrintable(e.message()));
    }
}

QTEST_GUILESS_MAIN(TestStavClasses)
#include "test_stav_classes.moc"
