#include "TestKit.h"
#include "refdata/Directories.h"
#include "refdata/OkvedChooser.h"
#include "refdata/RefXml.h"
#include "storage/Cp1251.h"

#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QString& text) {
    TestKit::writeAll(path, *Cp1251::encode(text));
}

QString xml1251(const QString& body) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n") + body;
}

RefDirectories withRates(const QList<QPair<QString, QString>>& entries) {
    RefDirectories dirs;
    Currency usd{QStringLiteral("840"), QStringLiteral("Доллар США"), QStringLiteral("1"), {}};
    for (const auto& e : entries)
        usd.rates.append({e.first, e.second});
    dirs.currencies = QList<Currency>{usd};
    return dirs;
}

} // namespace

class TestDirectories : public QObject {
    Q_OBJECT

private slots:
    void findRate_data() {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QString>("lookup");
        QTest::addColumn<QString>("expected"); // empty: none
        const QStringList up{"10.01.2011", "12.01.2011", "15.01.2011"};
        const QStringList down{"15.01.2011", "12.01.2011", "10.01.2011"};
        QTest::newRow("between entries") << up << "13.01.2011"
                                         << "12.01.2011";
        QTest::newRow("exact date") << up << "12.01.2011"
                                    << "12.01.2011";
        QTest::newRow("before all") << up << "09.01.2011"
                                    << "";
        QTest::newRow("after all") << up << "20.01.2011"
                                   << "15.01.2011";
        QTest::newRow("descending, after all gives the last") << down << "20.01.2011"
                                                              << "10.01.2011";
        QTest::newRow("descending, between gives the last earlier") << down << "13.01.2011"
                                                                    << "10.01.2011";
        QTest::newRow("descending, exact date") << down << "15.01.2011"
                                                << "15.01.2011";
        QTest::newRow("unpadded date text still exact")
            << QStringList{"1.1.2011", "5.1.2011"} << "05.01.2011"
            << "5.1.2011";
        QTest::newRow("unreadable date never chosen")
            << QStringList{"10.01.2011", "xx"} << "13.01.2011"
            << "10.01.2011";
    }
    void findRate() {
        QFETCH(QStringList, dates);
        QFETCH(QString, lookup);
        QFETCH(QString, expected);
        QList<QPair<QString, QString>> entries;
        for (int i = 0; i < dates.size(); ++i)
            entries.append({dates.at(i), QString::number(30 + i)});
        const RefDirectories dirs = withRates(entries);
        const auto found = dirs.FindRate(QStringLiteral("840"), ParseRuDate(lookup));
        QCOMPARE(found.has_value(), !expected.isEmpty());
        if (found) {
            QCOMPARE(found->date, expected);
            QCOMPARE(found->rate, QString::number(30 + dates.indexOf(expected)));
        }
    }

    void findCurrency() {
        RefDirectories dirs;
        QVERIFY(!dirs.FindCurrency(QStringLiteral("840")));
        dirs.currencies = QList<Currency>{
            {"978", "Евро", "1", {}}, {"840", "Доллар США", "1", {}}, {"840", "второй", "1", {}}};
        QVERIFY(!dirs.FindCurrency(QString()));
        QVERIFY(!dirs.FindCurrency(QStringLiteral("036")));
        QCOMPARE(dirs.FindCurrency(QStringLiteral("840"))->name, QStringLiteral("Доллар США"));
        QVERIFY(!dirs.FindRate(QStringLiteral("840"), QDate(2011, 1, 1)));
    }

    void rateValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw"); // -1: not a number
        QTest::newRow("comma") << "30,3505" << qint64(303505);
        QTest::newRow("point") << "36.67" << qint64(366700);
        QTest::newRow("too many decimals") << "1,23456" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
    }
    void rateValue() {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        const auto value = RateEntry{QStringLiteral("01.01.2011"), text}.rateValue();
        QCOMPARE(value ? value->raw() : -1, raw);
    }

    void currencyPreselect() {
        QList<Currency> rows{{"036", "A", "1", {}}, {"840", "B", "1", {}}};
        QCOMPARE(CurrencyPreselectRow(rows, QString()), 0);
        QCOMPARE(CurrencyPreselectRow(rows, QStringLiteral("840")), 1);
        QCOMPARE(CurrencyPreselectRow(rows, QStringLiteral("999")), 0);
        rows.append({"0", "zero", "1", {}});
        QCOMPARE(CurrencyPreselectRow(rows, QString()), 2);
        QCOMPARE(CurrencyPreselectRow({}, QString()), -1);
        QCOMPARE(FindCodeRow({{"7701", "x"}, {"7702", "y"}}, QStringLiteral("7702")), 1);
        QCOMPARE(FindCodeRow({{"7701", "x"}}, QStringLiteral("7799")), -1);
    }

    void loadFolder() {
        QTemporaryDir dir;
        writeFile(dir.filePath("InspectionNumbers.xml"),
                  xml1251("<Inspections Version=\"00\" Date=\"01.01.2011\">"
                          "<Inspection Code=\"7701\">ИФНС № 1</Inspection>"
                          "<X Code=\"7702\">вторая</X></Inspections>"));
        writeFile(dir.filePath("Oksm.xml"), xml1251("<a><b Code=\"643\">Россия</b></a>"));
        writeFile(dir.filePath("Sp_OKVED2.xml"),
                  xml1251("<r><e GRUP=\"1\" Kod=\"01\" Name=\"Сельское\" OKVED=\"01\"/></r>"));
        writeFile(dir.filePath("CurrencyRates.xml"),
                  xml1251("<r><c Code=\"840\" Name=\"Доллар\" Quantity=\"1\">"
                          "<d Date=\"11.01.2011\" Rate=\"30,3505\"/></c></r>"));
        const RefDirectories dirs = RefDirectories::load(dir.path());
        QVERIFY(dirs.fatalMessage.isEmpty());
        QCOMPARE(dirs.inspections->size(), 2);
        QCOMPARE(dirs.inspections->at(0).name, QStringLiteral("ИФНС № 1"));
        QCOMPARE(dirs.inspections->at(1).code, QStringLiteral("7702"));
        QCOMPARE(dirs.countries->at(0).name, QStringLiteral("Россия"));
        QCOMPARE(dirs.okved->at(0).name, QStringLiteral("Сельское"));
        const auto rate = dirs.FindRate(QStringLiteral("840"), QDate(2011, 1, 12));
        QVERIFY(rate);
        QCOMPARE(rate->rateValue()->raw(), qint64(303505));
        QCOMPARE(dirs.FindCurrency(QStringLiteral("840"))->quantityValue(), 1);
    }

    void missingAndBrokenFiles() {
        QTemporaryDir dir;
        RefDirectories none = RefDirectories::load(dir.path());
        QVERIFY(!none.inspections && !none.countries && !none.okved && !none.currencies);
        QVERIFY(none.fatalMessage.isEmpty());

        writeFile(dir.filePath("Oksm.xml"), QStringLiteral("<a><b Code=\"643\">"));
        writeFile(dir.filePath("CurrencyRates.xml"), xml1251("<r/>"));
        RefDirectories brokenCountries = RefDirectories::load(dir.path());
        QVERIFY(!brokenCountries.countries);
        QVERIFY(brokenCountries.currencies);
        QVERIFY(brokenCountries.fatalMessage.isEmpty());

        writeFile(dir.filePath("InspectionNumbers.xml"), QStringLiteral("<Inspections><"));
        const RefDirectories brokenInspections = RefDirectories::load(dir.path());
        QCOMPARE(brokenInspections.fatalMessage,
                 QStringLiteral("Поменяйте язык и региональные стандарты ОС на русские. Или "
                                "обратитесь на горячую линию программы: ") +
                     QString::fromUtf16(kSupportEmail));
    }

    // The files shipped beside the program.
    void shippedData() {
        const RefDirectories dirs = RefDirectories::load(QStringLiteral(QARV_SOURCE_DIR "/data"));
        QVERIFY(dirs.fatalMessage.isEmpty());
        QVERIFY(dirs.inspections && dirs.countries && dirs.okved && dirs.currencies);
        auto checkCodes = [](const QStringList& codes, int length) {
            QCOMPARE(QSet<QString>(codes.begin(), codes.end()).size(), codes.size());
            for (const QString& c : codes) {
                QCOMPARE(c.size(), length);
                for (QChar ch : c)
                    QVERIFY2(ch.isDigit(), qPrintable(c));
            }
        };
        QStringList codes;
        for (const auto& r : *dirs.countries) {
            QVERIFY(!r.name.trimmed().isEmpty());
            codes.append(r.code);
        }
        checkCodes(codes, 3);
        QVERIFY(codes.contains(QStringLiteral("643")));
        codes.clear();
        for (const auto& c : *dirs.currencies) {
            QVERIFY(!c.name.trimmed().isEmpty());
            QVERIFY(c.quantity.isEmpty() || c.quantityValue() > 0);
            codes.append(c.code);
        }
        checkCodes(codes, 3);
        QCOMPARE(dirs.FindCurrency(QStringLiteral("840"))->quantityValue(), 1);
        QCOMPARE(dirs.FindCurrency(QStringLiteral("392"))->quantityValue(), 100);
        codes.clear();
        for (const auto& r : *dirs.inspections)
            codes.append(r.code);
        checkCodes(codes, 4);
        for (const auto& e : *dirs.okved) {
            QVERIFY(e.grup.toInt() >= 1 && e.grup.toInt() <= 6);
            QVERIFY(!e.name.isEmpty() && !e.okved.isEmpty());
        }
    }

    // The whole classifier ships: every code is reached through the picker's
    // lists from its class down, and only a class alone fails the length check.
    void shippedOkvedPicksEveryCode() {
        const RefDirectories dirs = RefDirectories::load(QStringLiteral(QARV_SOURCE_DIR "/data"));
        QVERIFY(dirs.okved);
        const QList<OkvedEntry>& all = *dirs.okved;
        QCOMPARE(all.size(), 1842);
        QHash<QString, const OkvedEntry*> byKod;
        for (const OkvedEntry& e : all)
            byKod.insert(e.kod, &e);
        QCOMPARE(byKod.size(), all.size());
        int deepest = 0;
        for (const OkvedEntry& e : all) {
            QCOMPARE(e.okved, e.kod);
            QList<const OkvedEntry*> path{&e};
            while (path.front()->grup != u"1") {
                QString up = path.front()->kod;
                up.chop(1); // one digit up: 01.11.11, 01.11.1, 01.11, 01.1, 01
                if (up.endsWith(u'.'))
                    up.chop(1);
                const OkvedEntry* parent = byKod.value(up);
                QVERIFY2(parent, qPrintable(e.kod));
                QCOMPARE(parent->grup.toInt(), path.front()->grup.toInt() - 1);
                path.prepend(parent);
            }
            deepest = std::max(deepest, int(path.size()));
            OkvedChooser chooser(all);
            for (int level = 1; level <= path.size(); ++level) {
                const int index = chooser.items(level).indexOf(path[level - 1]->name);
                QVERIFY2(index > 0, qPrintable(path[level - 1]->kod));
                chooser.pick(level, index);
            }
            QCOMPARE(chooser.shownCode(), e.okved);
            QCOMPARE(chooser.needsLengthCheck(), path.size() == 1);
        }
        QCOMPARE(deepest, 5);
    }

    void xmlRoundTripOutsideWindows1251() {
        QDomDocument doc;
        QDomElement root = doc.createElement(QStringLiteral("r"));
        doc.appendChild(root);
        const QString text = QStringLiteral("Имя ╔═ Ω \U0001F600 & <");
        root.setAttribute(QStringLiteral("a"), text);
        root.appendChild(doc.createTextNode(text));
        const QByteArray bytes = RefXml::toWindows1251(doc);
        QVERIFY(bytes.contains(*Cp1251::encode(u"Имя")));
        QVERIFY(bytes.contains("&#9556;"));
        const auto back = RefXml::parse(bytes);
        QVERIFY(back);
        QCOMPARE(back->documentElement().attribute(QStringLiteral("a")), text);
        QCOMPARE(back->documentElement().text(), text);
    }

    void okvedLevels() {
        const QList<OkvedEntry> entries{
            {"1", "A", "Раздел А", "нет кода"},
            {"2", "A01", "Класс 01", "01"},
            {"3", "A01.1", "Подкласс 01.1", "01.1"},
            {"4", "A01.11", "Группа 01.11", "01.11"},
            {"5", "A01.11.1", "Подгруппа 01.11.1", "01.11.1"},
            {"3", "A01.2", "Подкласс 01.2", "01.2"},
            {"2", "A02", "Класс 02", "02"},
            {"3", "A02.1", "Подкласс 02.1", "02.1"},
            {"1", "B", "Раздел B", "нет кода"},
            {"2", "B05", "Класс 05", "05"},
        };
        OkvedChooser chooser(entries);
        QCOMPARE(chooser.items(1), (QStringList{"нет", "Раздел А", "Раздел B"}));
        QCOMPARE(chooser.shownCode(), QStringLiteral("нет"));
        QVERIFY(chooser.needsLengthCheck());

        chooser.pick(1, 1);
        QCOMPARE(chooser.items(2), (QStringList{"нет", "Класс 01", "Класс 02"}));
        QCOMPARE(chooser.items(3),
                 (QStringList{"нет", "Подкласс 01.1", "Подкласс 01.2", "Подкласс 02.1"}));

        chooser.pick(2, 1);
        QCOMPARE(chooser.chosenKod(), QStringLiteral("A01"));
        QCOMPARE(chooser.shownCode(), QStringLiteral("01"));
        QVERIFY(chooser.needsLengthCheck());
        QCOMPARE(chooser.items(3), (QStringList{"нет", "Подкласс 01.1", "Подкласс 01.2"}));
        QCOMPARE(chooser.items(4), (QStringList{"нет", "Группа 01.11"}));
        QCOMPARE(chooser.items(5), (QStringList{"нет", "Подгруппа 01.11.1"}));
        QCOMPARE(chooser.items(6), QStringList{"нет"});
        for (int level = 3; level <= 6; ++level)
            QCOMPARE(chooser.currentIndex(level), 0);

        chooser.pick(4, 1);
        QCOMPARE(chooser.shownCode(), QStringLiteral("01.11"));
        QVERIFY(!chooser.needsLengthCheck());
        QCOMPARE(chooser.items(3).size(), 3); // lists above stay as they were

        chooser.pick(2, 0);
        QCOMPARE(chooser.chosenKod(), QStringLiteral("A01.11"));
        QCOMPARE(chooser.shownCode(), QStringLiteral("01.11"));
        for (int level = 3; level <= 6; ++level)
            QCOMPARE(chooser.items(level), QStringList{"нет"});
    }
};

QTEST_GUILESS_MAIN(TestDirectories)
#include "test_directories.moc"
