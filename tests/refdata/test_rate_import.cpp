#include "TestKit.h"
#include "cli/RefdataCommands.h"
#include "refdata/Directories.h"
#include "refdata/RateImport.h"
#include "storage/Cp1251.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace TestKit;

namespace {

// A bank file or the rates directory: the body in windows-1251 behind its prolog.
void writeRates(const QString& path, const QString& body) {
    writeAll(path, "<?xml version=\"1.0\" encoding=\"windows-1251\"?>" + *Cp1251::encode(body));
}

QString writeBankFile(const QTemporaryDir& dir, const QString& name, const QString& body) {
    const QString path = dir.filePath(name);
    writeRates(path, body);
    return path;
}

QString valute(const char* id, const char* num, int nominal, const char* name, const char* value) {
    return QStringLiteral("<Valute ID=\"%1\"><NumCode>%2</NumCode><CharCode>XXX</CharCode>"
                          "<Nominal>%3</Nominal><Name>%4</Name><Value>%5</Value></Valute>")
        .arg(QString::fromLatin1(id), QString::fromLatin1(num))
        .arg(nominal)
        .arg(QString::fromUtf8(name), QString::fromLatin1(value));
}

QString daily(const char* date, const QString& items) {
    return QStringLiteral("<ValCurs Date=\"%1\" name=\"Foreign Currency Market\">%2</ValCurs>")
        .arg(QString::fromLatin1(date), items);
}

QString record(const char* date, int nominal, const char* value) {
    return QStringLiteral("<Record Date=\"%1\" Id=\"R01235\"><Nominal>%2</Nominal><Value>%3</Value>"
                          "</Record>")
        .arg(QString::fromLatin1(date))
        .arg(nominal)
        .arg(QString::fromLatin1(value));
}

QString period(const QString& records) {
    return QStringLiteral(
               "<ValCurs ID=\"R01235\" DateRange1=\"01.01.2011\" DateRange2=\"31.01.2011\" "
               "name=\"Foreign Currency Market Dynamic\">%1</ValCurs>")
        .arg(records);
}

QStringList datesOf(const Currency& c) {
    QStringList dates;
    for (const RateEntry& e : c.rates)
        dates.append(e.date);
    return dates;
}

} // namespace

class TestRateImport : public QObject {
    Q_OBJECT

private slots:
    void mergesDailyAndPeriodFiles() {
        QTemporaryDir dir;
        const QString rates = dir.filePath("CurrencyRates.xml");
        writeRates(rates, "<CurrencyRates Made=\"x\">"
                          "<Currency Code=\"840\" Name=\"Доллар США\" Quantity=\"1\">"
                          "<Rate Date=\"01.01.2011\" Rate=\"30,4769\"/>"
                          "<Rate Date=\"13.01.2011\" Rate=\"30,1\"/></Currency>"
                          "<Currency Code=\"978\" Name=\"Евро\" Quantity=\"1\"/></CurrencyRates>");
        const QString day = writeBankFile(
            dir, "daily.xml",
            daily("11.01.2011", valute("R01235", "840", 1, "Доллар США", "30,3505") +
                                    valute("R01820", "392", 100, "Японских иен", "36,6700")));
        // Out of order, with one day that the daily file already gives.
        const QString dyn = writeBankFile(dir, "dynamic.xml",
                                          period(record("12.01.2011", 1, "30,2000") +
                                                 record("10.01.2011", 1, "30,4000") +
                                                 record("11.01.2011", 1, "30,3505")));
        const RateImportResult r = ImportRateFiles({day, dyn}, rates);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.added, 4);
        QCOMPARE(r.unchanged, 1);
        QCOMPARE(r.replaced, 0);
        QCOMPARE(r.newCurrencies, 1);

        const RefDirectories dirs = RefDirectories::load(dir.path());
        const Currency* usd = dirs.FindCurrency(QStringLiteral("840"));
        QCOMPARE(datesOf(*usd), (QStringList{"01.01.2011", "10.01.2011", "11.01.2011", "12.01.2011",
                                             "13.01.2011"}));
        QCOMPARE(dirs.FindRate("840", QDate(2011, 1, 11))->rateValue()->raw(), qint64(303505));
        QCOMPARE(dirs.FindRate("840", QDate(2011, 1, 13))->rate, QStringLiteral("30,1"));
        const Currency* jpy = dirs.FindCurrency(QStringLiteral("392"));
        QVERIFY(jpy);
        QCOMPARE(jpy->name, QStringLiteral("Японских иен"));
        QCOMPARE(jpy->quantityValue(), 100);
        QCOMPARE(jpy->rates.first().rateValue()->raw(), qint64(366700));
        QVERIFY(dirs.FindCurrency(QStringLiteral("978")));
        QVERIFY(readAll(rates).contains("Made=\"x\""));

        // The daily file taught the bank's id, so a period file alone now imports.
        const QString later =
            writeBankFile(dir, "later.xml", period(record("14.01.2011", 1, "30,0")));
        QVERIFY(ImportRateFiles({later}, rates).ok);
        QCOMPARE(RefDirectories::load(dir.path()).FindCurrency("840")->rates.size(), 6);
    }

    void sameDateAnotherRateIsReplaced() {
        QTemporaryDir dir;
        const QString rates = dir.filePath("CurrencyRates.xml");
        writeRates(rates, "<r><Currency Code=\"840\" Name=\"Доллар США\" Quantity=\"1\" "
                          "CbId=\"R01235\"><Rate Date=\"12.01.2011\" Rate=\"1\"/></Currency></r>");
        const QString dyn = writeBankFile(dir, "d.xml", period(record("12.01.2011", 1, "30,2")));
        const RateImportResult r = ImportRateFiles({dyn}, rates);
        QVERIFY(r.ok);
        QCOMPARE(r.replaced, 1);
        QCOMPARE(r.notes, QStringList{"840 12.01.2011: 1 -> 30,2"});
        const auto dirs = RefDirectories::load(dir.path());
        QCOMPARE(dirs.FindCurrency("840")->rates.size(), 1);
        QCOMPARE(dirs.FindCurrency("840")->rates.first().rate, QStringLiteral("30,2"));
    }

    void nominalBroughtToQuantity() {
        QTemporaryDir dir;
        const QString rates = dir.filePath("CurrencyRates.xml");
        writeRates(rates, "<r><Currency Code=\"980\" Name=\"Гривна\" Quantity=\"10\"/></r>");
        const QString day = writeBankFile(
            dir, "d.xml", daily("11.01.2011", valute("R01720", "980", 1, "Гривна", "3,8123")));
        QVERIFY(ImportRateFiles({day}, rates).ok);
        QCOMPARE(RefDirectories::load(dir.path()).FindCurrency("980")->rates.first().rate,
                 QStringLiteral("38,123"));
    }

    // Nothing is written when any file or any quote cannot be taken.
    void failures_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("error");
        QTest::newRow("not xml") << "<ValCurs><"
                                 << "";
        QTest::newRow("other root") << "<Rates/>"
                                    << "f.xml: нет элемента ValCurs";
        QTest::newRow("no quotes") << "<ValCurs Date=\"11.01.2011\"/>"
                                   << "f.xml: курсов в файле нет";
        QTest::newRow("bad value")
            << daily("11.01.2011", valute("R01235", "840", 1, "Доллар США", "abc")) << "";
        QTest::newRow("bad date") << daily("33.01.2011",
                                           valute("R01235", "840", 1, "Доллар США", "30,1"))
                                  << "";
        QTest::newRow("unknown id")
            << period(record("11.01.2011", 1, "30,1")).replace("R01235", "R09999")
            << "Неизвестная валюта R09999: загрузите сначала ежедневный файл "
               "курсов, где она есть";
        QTest::newRow("digits lost")
            << daily("11.01.2011", valute("R01335", "398", 1000, "Тенге", "203,1235"))
            << "Валюта 398 на 11.01.2011: курс за 1000 ед. не приводится к 100 ед. без потери "
               "точности";
    }
    void failures() {
        QFETCH(QString, body);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString rates = dir.filePath("CurrencyRates.xml");
        writeRates(rates, "<r><Currency Code=\"398\" Name=\"Тенге\" Quantity=\"100\"/></r>");
        const QByteArray before = readAll(rates);
        const QString good = writeBankFile(
            dir, "good.xml", daily("11.01.2011", valute("R01235", "840", 1, "Доллар", "30,1")));
        const QString bad = writeBankFile(dir, "f.xml", body);
        const RateImportResult r = ImportRateFiles({good, bad}, rates);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        if (!error.isEmpty())
            QCOMPARE(r.error, error);
        QCOMPARE(readAll(rates), before);
    }

    void brokenDirectoryIsNotOverwritten() {
        QTemporaryDir dir;
        const QString rates = dir.filePath("CurrencyRates.xml");
        writeRates(rates, "<r><Currency");
        const QByteArray before = readAll(rates);
        const QString day = writeBankFile(
            dir, "d.xml", daily("11.01.2011", valute("R01235", "840", 1, "Доллар", "30,1")));
        QVERIFY(!ImportRateFiles({day}, rates).ok);
        QCOMPARE(readAll(rates), before);
    }

    // Stopped after the first of two files: told once, nothing written.
    void cancelledImportWritesNothing() {
        QTemporaryDir dir;
        const QString rates = dir.filePath("CurrencyRates.xml");
        writeRates(rates, "<CurrencyRates/>");
        const QByteArray before = readAll(rates);
        const QStringList files{
            writeBankFile(dir, "a.xml",
                          daily("11.01.2011", valute("R01235", "840", 1, "Доллар", "30,1"))),
            writeBankFile(dir, "b.xml",
                          daily("12.01.2011", valute("R01235", "840", 1, "Доллар", "30,2")))};
        QList<QPair<int, int>> told;
        const RateImportResult r = ImportRateFiles(files, rates, [&told](int done, int total) {
            told.append({done, total});
            return false;
        });
        QVERIFY(!r.ok && r.cancelled && r.error.isEmpty());
        QCOMPARE(told, (QList<QPair<int, int>>{{1, 2}}));
        QCOMPARE(readAll(rates), before);
    }

    void commandLine() {
        QTemporaryDir dir;
        const QString day = writeBankFile(
            dir, "d.xml", daily("11.01.2011", valute("R01235", "840", 1, "Доллар США", "30,3505")));
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(RunImportRates({day}, dir.path(), out, err), 0);
        out.flush();
        QVERIFY(outText.contains(QStringLiteral("1 added")));
        QVERIFY(RefDirectories::load(dir.path()).FindRate("840", QDate(2011, 2, 1)));

        QCOMPARE(RunImportRates({dir.filePath("none.xml")}, dir.path(), out, err), 2);
        QCOMPARE(RunImportRates({}, dir.path(), out, err), 2);
        err.flush();
        QVERIFY(errText.contains(QStringLiteral("none.xml")));
    }
};

QTEST_GUILESS_MAIN(TestRateImport)
#include "test_rate_import.moc"
