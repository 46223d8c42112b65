#include "ExportRun.h"
#include "cli/ExportCommands.h"

#include <QtTest>

// qarv-cli export and xml, driven through their entry functions.
class TestExportCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exportWritesTheGoldenFile();
    void exportStopsAtTheFirstFinding();
    void noCheckExportsAnyway();
    void xmlPrintsTheDocument();
    void failures_data();
    void failures();

private:
    struct Run {
        int code = 0;
        QString out, err;
    };
    static Run runExport(const QStringList& args);
    static Run runXml(const QStringList& args);
    QString document(const QString& jsonName, const char* name);

    QTemporaryDir dir_;
    QString full_;
    QString findings_;
};

namespace {

const QStringList kFixed = {QStringLiteral("--date"), QStringLiteral("2012-03-15"),
                            QStringLiteral("--guid"),
                            QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e")};

} // namespace

TestExportCommands::Run TestExportCommands::runExport(const QStringList& args) {
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.code = RunExport(args, out, err);
    return r;
}

TestExportCommands::Run TestExportCommands::runXml(const QStringList& args) {
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.code = RunXml(args, out, err);
    return r;
}

QString TestExportCommands::document(const QString& jsonName, const char* name) {
    const auto d = ExportRun::fromData(jsonName);
    const QString path = dir_.filePath(QString::fromLatin1(name));
    d->SaveToFile(path);
    return path;
}

void TestExportCommands::initTestCase() {
    QVERIFY(dir_.isValid());
    full_ = document(QStringLiteral("resident_full.json"), "full.dc1");
    QVERIFY(!full_.isEmpty());
    // A declaration the whole-document check stops: no inspection code.
    mTDeclaration d;
    d.InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
    findings_ = dir_.filePath(QStringLiteral("findings.dc1"));
    d.SaveToFile(findings_);
}

void TestExportCommands::exportWritesTheGoldenFile() {
    QTemporaryDir out;
    const Run r = runExport(QStringList{full_, QStringLiteral("--out"), out.path()} + kFixed);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.code, 0);
    const QString name = QStringLiteral("NO_NDFL3_7701_7701_500100732259_20120315_") +
                         ExportRun::kGuidText + QStringLiteral(".xml");
    QCOMPARE(r.out, name + QLatin1Char('\n'));
    // Through the document file and back, the export is the same.
    QCOMPARE(TestKit::readAll(QDir(out.path()).filePath(name)),
             TestKit::readAll(TestKit::dataPath(QStringLiteral("golden/resident_full.xml"))));
}

void TestExportCommands::exportStopsAtTheFirstFinding() {
    QTemporaryDir out;
    const Run r = runExport(QStringList{findings_, QStringLiteral("--out"), out.path()} + kFixed);
    QCOMPARE(r.code, 1);
    QCOMPARE(r.err, QString());
    const QStringList fields = r.out.trimmed().split(QLatin1Char('\t'));
    QCOMPARE(fields.size(), 4);
    QVERIFY(!fields[3].isEmpty());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
}

void TestExportCommands::noCheckExportsAnyway() {
    QTemporaryDir out;
    const Run r = runExport(
        QStringList{findings_, QStringLiteral("--no-check"), QStringLiteral("--out"), out.path()} +
        kFixed);
    QCOMPARE(r.code, 0);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{r.out.trimmed()});
    QVERIFY(r.out.startsWith(QLatin1String("NO_NDFL3___000000000000_20120315_")));
}

void TestExportCommands::xmlPrintsTheDocument() {
    const Run r = runXml(QStringList{full_} + kFixed);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.startsWith(QLatin1String("<?xml version=\"1.0\"?>")));
    const ReadBack::Parsed parsed = ReadBack::parseText(r.out);
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    QCOMPARE(*parsed.root->attribute(QStringLiteral("ИдФайл")),
             QStringLiteral("NO_NDFL3_7701_7701_500100732259_20120315_") + ExportRun::kGuidText);
    // Without a date and GUID the clock and a fresh GUID are used.
    const Run fresh = runXml(QStringList{full_});
    QCOMPARE(fresh.code, 0);
    QVERIFY(!fresh.out.contains(ExportRun::kGuidText));
    QVERIFY(fresh.out.contains(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
}

void TestExportCommands::failures_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QString missing = QStringLiteral("/nonexistent/file.dc1");
    QTest::newRow("export without --out")
        << "export" << QStringList{QStringLiteral("x.dc1")} << "usage: qarv-cli export";
    QTest::newRow("export without a document")
        << "export" << QStringList{QStringLiteral("--out"), QStringLiteral("/tmp")}
        << "usage: qarv-cli export";
    QTest::newRow("xml with --out")
        << "xml"
        << QStringList{QStringLiteral("x.dc1"), QStringLiteral("--out"), QStringLiteral("/tmp")}
        << "usage: qarv-cli xml";
    QTest::newRow("bad date") << "xml"
                              << QStringList{QStringLiteral("x.dc1"), QStringLiteral("--date"),
                                             QStringLiteral("15.03.2012")}
                              << "--date: expected YYYY-MM-DD";
    QTest::newRow("bad GUID") << "xml"
                              << QStringList{QStringLiteral("x.dc1"), QStringLiteral("--guid"),
                                             QStringLiteral("not-a-guid")}
                              << "--guid: expected a GUID";
    QTest::newRow("missing document") << "xml" << QStringList{missing} << "Ошибка чтения файла";
    QTest::newRow("folder that does not exist")
        << "export"
        << QStringList{QStringLiteral("FULL"), QStringLiteral("--no-check"),
                       QStringLiteral("--out"), QStringLiteral("/nonexistent/folder")}
        << XmlExport::kExportFailed;
}

void TestExportCommands::failures() {
    QFETCH(QString, command);
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    args.replaceInStrings(QStringLiteral("FULL"), full_);
    const Run r = command == QLatin1String("xml") ? runXml(args) : runExport(args);
    QCOMPARE(r.code, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TestExportCommands)
#include "test_export_commands.moc"
