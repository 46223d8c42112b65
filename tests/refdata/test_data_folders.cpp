#include "TestKit.h"
#include "cli/RefdataCommands.h"
#include "refdata/DataFolders.h"
#include "refdata/Directories.h"
#include "storage/Cp1251.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestKit;

namespace {

QByteArray xml1251(const QString& body) {
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?>" + *Cp1251::encode(body);
}

// The countries file naming where it lies.
QByteArray countries(const QString& where) {
    return xml1251(QStringLiteral("<Oksm><Country Code=\"643\">%1</Country></Oksm>").arg(where));
}

QByteArray usdRates(const char* date) {
    return xml1251(QStringLiteral("<CurrencyRates><Currency Code=\"840\" Name=\"Доллар США\" "
                                  "Quantity=\"1\"><Rate Date=\"%1\" Rate=\"30,4769\"/>"
                                  "</Currency></CurrencyRates>")
                       .arg(QLatin1String(date)));
}

QByteArray bankDay(const char* date, const char* value) {
    return xml1251(QStringLiteral("<ValCurs Date=\"%1\" name=\"Foreign Currency Market\"><Valute "
                                  "ID=\"R01235\"><NumCode>840</NumCode><CharCode>USD</CharCode>"
                                  "<Nominal>1</Nominal><Name>Доллар США</Name><Value>%2</Value>"
                                  "</Valute></ValCurs>")
                       .arg(QLatin1String(date), QLatin1String(value)));
}

// A SOUN table of one inspection.
QByteArray sounTable(const QByteArray& code) {
    constexpr int kRecord = 1194;
    constexpr int kHeader = 97;
    QByteArray t(kHeader, '\0');
    t[0] = 0x03;
    t[4] = 1;
    t[8] = char(kHeader);
    t[10] = char(kRecord & 0xFF);
    t[11] = char(kRecord >> 8);
    t[kHeader - 1] = 0x0D;
    QByteArray r(kRecord, ' ');
    r.replace(1, code.size(), code);
    r.replace(161, 6, "IFNS 5");
    r[411] = '1';
    return t + r + char(0x1A);
}

// Every file below a folder with its bytes: what "left untouched" compares.
QMap<QString, QByteArray> contents(const QString& folder) {
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files))
        files.insert(name, readAll(dir.filePath(name)));
    return files;
}

QStringList ratesDates(const DataFolders& folders) {
    QStringList dates;
    const RefDirectories dirs = RefDirectories::load(folders);
    if (const Currency* usd = dirs.FindCurrency(QStringLiteral("840"))) {
        for (const RateEntry& e : usd->rates)
            dates.append(e.date);
    }
    return dates;
}

} // namespace

class TestDataFolders : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    DataFolders folders_;

    QString inFolder(const QString& folder, const QString& name) const {
        return QDir(folder).filePath(name);
    }

private slots:
    void initTestCase() {
        QCoreApplication::setOrganizationName(QStringLiteral("Ортикс"));
        QCoreApplication::setApplicationName(QStringLiteral("Qarv 2011"));
        QStandardPaths::setTestModeEnabled(true);
    }

    // A program in root/bin with its installed data in root/share/qarv and an
    // empty user folder that does not exist yet.
    void init() {
        QVERIFY(QDir(root_.path()).removeRecursively());
        QVERIFY(QDir().mkpath(root_.filePath("bin")));
        folders_ = DataFolders::forProgram(root_.filePath("bin"));
        QCOMPARE(folders_.installed, root_.filePath("share/qarv"));
        QVERIFY(folders_.user.endsWith(QStringLiteral("Ортикс/Qarv 2011")));
        QVERIFY(QDir(folders_.user).removeRecursively());
        QVERIFY(QDir().mkpath(folders_.installed));
    }

    void cleanupTestCase() { QDir(folders_.user).removeRecursively(); }

    void firstFolderWithTheFileWins_data() {
        QTest::addColumn<QStringList>("holders");
        QTest::addColumn<QString>("winner"); // empty: the file is found nowhere
        QTest::newRow("all three") << QStringList{"user", "program", "installed"} << "user";
        QTest::newRow("user and installed") << QStringList{"user", "installed"} << "user";
        QTest::newRow("program and installed") << QStringList{"program", "installed"} << "program";
        QTest::newRow("installed only") << QStringList{"installed"} << "installed";
        QTest::newRow("nowhere") << QStringList{} << "";
    }
    void firstFolderWithTheFileWins() {
        QFETCH(QStringList, holders);
        QFETCH(QString, winner);
        const QMap<QString, QString> folder{{"user", folders_.user},
                                            {"program", folders_.program},
                                            {"installed", folders_.installed}};
        for (const QString& h : holders) {
            QVERIFY(QDir().mkpath(folder[h]));
            writeAll(inFolder(folder[h], "Oksm.xml"), countries(h));
        }
        QCOMPARE(folders_.find("Oksm.xml"),
                 winner.isEmpty() ? QString() : inFolder(folder[winner], "Oksm.xml"));
        const RefDirectories dirs = RefDirectories::load(folders_);
        QCOMPARE(dirs.countries.has_value(), !winner.isEmpty());
        if (dirs.countries)
            QCOMPARE(dirs.countries->first().name, winner);
    }

    // Each directory file is looked up on its own: a user who imported rates
    // still reads the shipped inspections.
    void eachFileFromItsOwnFolder() {
        QVERIFY(QDir().mkpath(folders_.user));
        writeAll(inFolder(folders_.user, "CurrencyRates.xml"), usdRates("11.01.2011"));
        writeAll(inFolder(folders_.program, "Oksm.xml"), countries("program"));
        writeAll(inFolder(folders_.installed, "InspectionNumbers.xml"),
                 xml1251("<Inspections><Inspection Code=\"7701\">ИФНС 1</Inspection>"
                         "</Inspections>"));
        const RefDirectories dirs = RefDirectories::load(folders_);
        QVERIFY(dirs.fatalMessage.isEmpty());
        QCOMPARE(dirs.inspections->first().code, QStringLiteral("7701"));
        QCOMPARE(dirs.countries->first().name, QStringLiteral("program"));
        QCOMPARE(ratesDates(folders_), QStringList{"11.01.2011"});
        QVERIFY(!dirs.okved);
    }

    // The import starts from the rates the program reads, writes them merged
    // into the user's folder (made on the way) and leaves the program's folder
    // as it was; a failed import leaves no user copy behind.
    void ratesImportWritesIntoTheUserFolder() {
        writeAll(inFolder(folders_.program, "CurrencyRates.xml"), usdRates("10.01.2011"));
        const QMap<QString, QByteArray> program = contents(folders_.program);
        const QString bank = root_.filePath("daily.xml");
        const QString broken = root_.filePath("broken.xml");
        writeAll(bank, bankDay("11.01.2011", "30,3505"));
        writeAll(broken, "<ValCurs");
        const QString target = inFolder(folders_.user, "CurrencyRates.xml");
        QFile::setPermissions(folders_.program, QFile::ReadOwner | QFile::ExeOwner);

        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(RunImportRates({broken}, folders_, out, err), 2);
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(ratesDates(folders_), QStringList{"10.01.2011"});

        QCOMPARE(RunImportRates({bank}, folders_, out, err), 0);
        out.flush();
        QVERIFY2(outText.startsWith(target + QStringLiteral(": 1 added")), qPrintable(outText));
        QCOMPARE(ratesDates(folders_), (QStringList{"10.01.2011", "11.01.2011"}));

        // Once the user has a file of his own, a failure leaves it as it is.
        const QByteArray mine = readAll(target);
        QCOMPARE(RunImportRates({broken}, folders_, out, err), 2);
        QCOMPARE(readAll(target), mine);

        QFile::setPermissions(folders_.program,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(contents(folders_.program), program);
    }

    void sounImportWritesIntoTheUserFolder() {
        writeAll(inFolder(folders_.program, "InspectionNumbers.xml"),
                 xml1251("<Inspections><Inspection Code=\"7701\">ИФНС 1</Inspection>"
                         "</Inspections>"));
        const QMap<QString, QByteArray> program = contents(folders_.program);
        const QString dbf = root_.filePath("soun1.dbf");
        writeAll(dbf, sounTable("7705"));
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(RunImportSoun(dbf, folders_, out, err), 0);
        out.flush();
        const QString target = inFolder(folders_.user, "InspectionNumbers.xml");
        QCOMPARE(outText, target + QStringLiteral(": 1 inspections\n"));
        QCOMPARE(RefDirectories::load(folders_).inspections->first().code, QStringLiteral("7705"));
        QCOMPARE(contents(folders_.program), program);
    }

    // A user folder that cannot be made fails the import with the folder named,
    // and nothing falls back to the program's folder.
    void unmakeableUserFolderFailsTheImport() {
        writeAll(root_.filePath("file"), "x");
        DataFolders folders = folders_;
        folders.user = root_.filePath("file/Qarv 2011");
        writeAll(inFolder(folders.program, "CurrencyRates.xml"), usdRates("10.01.2011"));
        const QMap<QString, QByteArray> program = contents(folders.program);
        const QString bank = root_.filePath("daily.xml");
        writeAll(bank, bankDay("11.01.2011", "30,3505"));
        const QString dbf = root_.filePath("soun1.dbf");
        writeAll(dbf, sounTable("7705"));
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(RunImportRates({bank}, folders, out, err), 2);
        QCOMPARE(RunImportSoun(dbf, folders, out, err), 2);
        err.flush();
        QCOMPARE(errText.count(folders.user), 2);
        QCOMPARE(contents(folders.program), program);
    }
};

QTEST_GUILESS_MAIN(TestDataFolders)
#include "test_data_folders.moc"
