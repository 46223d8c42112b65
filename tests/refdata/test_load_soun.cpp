#include "TestKit.h"
#include "cli/RefdataCommands.h"
#include "refdata/Directories.h"
#include "refdata/LoadSoun.h"
#include "storage/Cp1251.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestKit;

namespace {

constexpr int kRecord = 1194;
constexpr int kHeader = 97; // 32 bytes, two field descriptors, the terminator

struct Row {
    Row(const char* c, const char* n, char a = '1', const char* f7 = "", const char* f934 = "")
        : code(c), name(QString::fromUtf8(n)), active(a), field7(f7), field934(f934) {}
    QByteArray code;
    QString name;
    char active;
    QByteArray field7;   // must be blank
    QByteArray field934; // must be blank
};

void put(QByteArray& record, int offset, const QByteArray& bytes) {
    record.replace(offset, bytes.size(), bytes);
}

QByteArray makeRecord(const Row& row) {
    QByteArray r(kRecord, ' ');
    put(r, 1, row.code);
    put(r, 7, row.field7);
    QStringEncoder oem("IBM866");
    put(r, 161, oem.encode(row.name));
    r[411] = row.active;
    put(r, 934, row.field934);
    return r;
}

QByteArray makeTable(const QList<Row>& rows, quint32 count, bool endMark = true) {
    QByteArray t(kHeader, '\0');
    t[0] = 0x03;
    for (int i = 0; i < 4; ++i)
        t[4 + i] = char((count >> (8 * i)) & 0xFF);
    t[8] = char(kHeader & 0xFF);
    t[9] = char(kHeader >> 8);
    t[10] = char(kRecord & 0xFF);
    t[11] = char(kRecord >> 8);
    t[kHeader - 1] = 0x0D;
    for (const Row& row : rows)
        t.append(makeRecord(row));
    if (endMark)
        t.append(char(0x1A));
    return t;
}

QString writeTable(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath("soun1.dbf");
    writeAll(path, bytes);
    return path;
}

const QList<Row> kRows{
    {"7700", "Управление ФНС по г.Москве"},
    {"7701", "Инспекция № 1 по г.Москве"},
    {"7702", "Закрытая инспекция", '0'},
    {"7703", "Переименованная", '1', "7704"},
    {"7705", "Ликвидированная", '1', "", "01.01.2010"},
    {"5406", "Инспекция по Новосибирску"},
    {"7799", "Последняя запись таблицы"},
};

} // namespace

class TestLoadSoun : public QObject {
    Q_OBJECT

private slots:
    void importsTakenRecords() {
        QTemporaryDir dir;
        const QString dbf = writeTable(dir, makeTable(kRows, kRows.size()));
        const QString xml = dir.filePath("InspectionNumbers.xml");
        const SounImportResult r = ImportSounDbf(dbf, xml, QStringLiteral("00"), "09.12.2026");
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.imported, 3);

        const QByteArray bytes = readAll(xml);
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"));
        QVERIFY(bytes.contains(*Cp1251::encode(u"Инспекция № 1 по г.Москве")));

        const RefDirectories dirs = RefDirectories::load(dir.path());
        QVERIFY(dirs.inspections);
        QCOMPARE(dirs.inspections->size(), 3);
        QCOMPARE(dirs.inspections->at(0).code, QStringLiteral("7701"));
        QCOMPARE(dirs.inspections->at(0).name, QStringLiteral("Инспекция № 1 по г.Москве"));
        QCOMPARE(dirs.inspections->at(1).code, QStringLiteral("5406"));
        QCOMPARE(dirs.inspections->at(2).code, QStringLiteral("7799"));

        QVERIFY(bytes.contains("Version=\"00\""));
        QVERIFY(bytes.contains("Date=\"09.12.2026\""));
    }

    void endsWithoutMarkOrShortOfCount() {
        QTemporaryDir dir;
        const QList<Row> rows{{"7701", "А"}, {"7710", "Б"}};
        // No end mark, and a count beyond the records present: stop at the end.
        const QString dbf = writeTable(dir, makeTable(rows, 5, false));
        const SounImportResult r = ImportSounDbf(dbf, dir.filePath("out.xml"), "00", "d");
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.imported, 2);
    }

    // Every failure leaves the existing file untouched and creates none.
    void failures_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("error"); // %1 stands for the table's path
        QByteArray truncated = makeTable(kRows.mid(0, 2), 3, false);
        truncated.append(QByteArray(500, ' '));
        QTest::newRow("short record") << truncated << "Error read file:%1";
        QTest::newRow("short header") << QByteArray(20, '\0') << "Error read file:%1";
        QByteArray otherLayout = makeTable(kRows, kRows.size());
        otherLayout[10] = char(100);
        QTest::newRow("other record size") << otherLayout << "Неизвестный формат файла %1";
        QTest::newRow("nothing taken")
            << makeTable({{"7700", "Управление"}}, 1) << "В файле %1 не найдено ни одной инспекции";
    }
    void failures() {
        QFETCH(QByteArray, table);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString dbf = writeTable(dir, table);
        const QString existing = dir.filePath("InspectionNumbers.xml");
        const QString fresh = dir.filePath("fresh.xml");
        writeAll(existing, "<Inspections/>");

        const SounImportResult r = ImportSounDbf(dbf, existing, "00", "d");
        QVERIFY(!r.ok);
        QCOMPARE(r.error, error.arg(dbf));
        QCOMPARE(readAll(existing), QByteArray("<Inspections/>"));
        QVERIFY(!ImportSounDbf(dbf, fresh, "00", "d").ok);
        QVERIFY(!QFile::exists(fresh));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }

    void missingTable() {
        QTemporaryDir dir;
        const SounImportResult r =
            ImportSounDbf(dir.filePath("none.dbf"), dir.filePath("out.xml"), "00", "d");
        QVERIFY(!r.ok);
        QVERIFY(!QFile::exists(dir.filePath("out.xml")));
    }

    void commandLine() {
        QTemporaryDir dir;
        const QString dbf = writeTable(dir, makeTable(kRows, kRows.size()));
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(RunImportSoun("  " + dbf + " ", dir.path(), out, err), 0);
        out.flush();
        QVERIFY(outText.contains(QStringLiteral("3 inspections")));
        const RefDirectories dirs = RefDirectories::load(dir.path());
        QCOMPARE(dirs.inspections->size(), 3);
        const QByteArray written = readAll(dir.filePath("InspectionNumbers.xml"));
        QVERIFY(written.contains(
            ("Date=\"" + QDate::currentDate().toString("dd.MM.yyyy") + "\"").toLatin1()));

        QCOMPARE(RunImportSoun(dir.filePath("none.dbf"), dir.path(), out, err), 2);
        err.flush();
        QVERIFY(errText.startsWith(QStringLiteral("Error read file:")));
    }
};

QTEST_GUILESS_MAIN(TestLoadSoun)
#include "test_load_soun.moc"
