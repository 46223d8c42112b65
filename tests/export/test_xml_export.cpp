#include "ExportRun.h"
#include "storage/Cp1251.h"

#include <QtTest>

// Whole files against golden copies, and the ways an export must fail without
// leaving anything behind.
class TestXmlExport : public QObject {
    Q_OBJECT

private slots:
    void goldenFiles_data();
    void goldenFiles();
    void textModeIsTheSameDocument_data() { goldenFiles_data(); }
    void textModeIsTheSameDocument();
    void escapedValuesReadBackUnchanged_data();
    void escapedValuesReadBackUnchanged();
    void refusedWithNothingWritten_data();
    void refusedWithNothingWritten();
    void textModeRefusesTheSameCharacters();
    void folderThatCannotTakeTheFile();
    void eachExportHasItsOwnName();
    void commandMessages();
};

using namespace TestKit;
using ExportRun::fromData;

void TestXmlExport::goldenFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("resident with every sheet") << "resident_full";
    QTest::newRow("non-resident at 13, 15 and 30 percent") << "nonresident";
    QTest::newRow("4-NDFL by a representative organisation") << "ndfl4";
    QTest::newRow("new document, no income") << "new_document";
}

void TestXmlExport::goldenFiles() {
    QFETCH(QString, name);
    const auto d = fromData(name + QStringLiteral(".json"));
    const ExportRun::Result first = ExportRun::toTempFolder(*d);
    QVERIFY2(first.name != XmlExport::kErrorResult, qPrintable(first.detail));
    QVERIFY2(first.parsed.error.isEmpty(), qPrintable(first.parsed.error));
    QVERIFY(first.messages.isEmpty());
    QCOMPARE(first.folder, QStringList{first.name});
    QVERIFY(first.name.endsWith(QLatin1String("_20120315_") + ExportRun::kGuidText +
                                QLatin1String(".xml")));

    const QString golden = QStringLiteral("golden/") + name + QStringLiteral(".xml");
    if (qEnvironmentVariableIsSet("QARV_UPDATE_GOLDEN"))
        writeAll(dataPath(golden), first.bytes);
    const QByteArray expected = readAll(dataPath(golden));
    QVERIFY2(!expected.isEmpty(), qPrintable(golden + QStringLiteral(" is missing")));
    QCOMPARE(first.bytes, expected);

    // A second export of the same declaration gives the same bytes: nothing of
    // the first run is kept.
    const ExportRun::Result second = ExportRun::toTempFolder(*d);
    QCOMPARE(second.bytes, first.bytes);
}

void TestXmlExport::textModeIsTheSameDocument() {
    QFETCH(QString, name);
    const auto d = fromData(name + QStringLiteral(".json"));
    QStringList messages;
    QString detail;
    const QString text =
        BuildDeclarationXml(QString(), *d, ReturnText, ExportRun::options(messages, detail));
    QVERIFY2(text != XmlExport::kErrorResult, qPrintable(detail));
    QVERIFY(text.startsWith(QLatin1String("<?xml version=\"1.0\"?>")));
    const ReadBack::Parsed parsed = ReadBack::parseText(text);
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));

    const ExportRun::Result file = ExportRun::toTempFolder(*d);
    const QString fileText = Cp1251::decode(file.bytes);
    const QString fileBody = fileText.mid(fileText.indexOf(QStringLiteral("<Файл")));
    const QString textBody = text.mid(text.indexOf(QStringLiteral("<Файл")));
    QCOMPARE(textBody, fileBody);
}

void TestXmlExport::escapedValuesReadBackUnchanged_data() {
    QTest::addColumn<QString>("street");
    QTest::addColumn<QString>("written");
    QTest::newRow("markup characters") << "<ул. \"Мира\" & 'Труда'>"
                                       << "<УЛ. \"МИРА\" & 'ТРУДА'>";
    QTest::newRow("tab and line breaks") << "ул.\tМира\nд.\r5"
                                         << "УЛ.\tМИРА\nД.\r5";
    QTest::newRow("windows-1251 signs") << "№ 5 — «Мир» € ‰"
                                        << "№ 5 — «МИР» € ‰";
}

void TestXmlExport::escapedValuesReadBackUnchanged() {
    QFETCH(QString, street);
    QFETCH(QString, written);
    mTDeclaration d;
    d.inspectionCode = QStringLiteral("7701");
    d.person.street = street;
    const ExportRun::Result r = ExportRun::toTempFolder(d);
    QVERIFY2(r.name != XmlExport::kErrorResult, qPrintable(r.detail));
    QVERIFY2(r.parsed.error.isEmpty(), qPrintable(r.parsed.error));
    const XmlElement* address =
        ReadBack::find(*r.parsed.root, QStringLiteral("Документ/СвНП/НПФЛ3/СвАдрРФ/АдрРФ"));
    QVERIFY(address);
    QVERIFY(address->attribute(QStringLiteral("Улица")));
    QCOMPARE(*address->attribute(QStringLiteral("Улица")), written);
}

void TestXmlExport::refusedWithNothingWritten_data() {
    QTest::addColumn<QString>("inspectionCode");
    QTest::addColumn<QString>("inn");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("because");
    QTest::newRow("inspection code climbing out of the folder") << "../../x"
                                                                << ""
                                                                << "Иванов"
                                                                << "inspection code";
    QTest::newRow("inspection code with a slash") << "77/01"
                                                  << ""
                                                  << "Иванов"
                                                  << "inspection code";
    QTest::newRow("INN naming another folder") << "7701"
                                               << "/tmp/evil"
                                               << "Иванов"
                                               << "INN";
    QTest::newRow("INN with a backslash") << "7701"
                                          << "..\\..\\x"
                                          << "Иванов"
                                          << "INN";
    QTest::newRow("blank INN is not digits") << "7701"
                                             << " "
                                             << "Иванов"
                                             << "INN";
    QTest::newRow("character beyond windows-1251") << "7701"
                                                   << ""
                                                   << "Ивaнов 漢"
                                                   << "U+6F22";
    QTest::newRow("character outside the basic plane") << "7701"
                                                       << ""
                                                       << "Иванов 😀"
                                                       << "U+1F600";
    QTest::newRow("control character") << "7701"
                                       << "" << QStringLiteral("Иванов\x01") << "U+0001";
}

void TestXmlExport::refusedWithNothingWritten() {
    QFETCH(QString, inspectionCode);
    QFETCH(QString, inn);
    QFETCH(QString, surname);
    QFETCH(QString, because);
    QTemporaryDir outer;
    const QString inner = outer.filePath(QStringLiteral("a/b"));
    QVERIFY(QDir().mkpath(inner));
    mTDeclaration d;
    d.inspectionCode = inspectionCode;
    d.person.inn = inn;
    d.person.surname = surname;
    const ExportRun::Result r = ExportRun::toFolder(d, inner);
    QCOMPARE(r.name, XmlExport::kErrorResult);
    QCOMPARE(r.messages, QStringList{XmlExport::kExportFailed});
    QVERIFY2(r.detail.contains(because), qPrintable(r.detail));
    QCOMPARE(r.folder, QStringList());
    // Nothing anywhere else under the outer folder either.
    QStringList all;
    QDirIterator it(outer.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        all << it.next();
    QCOMPARE(all, QStringList());
}

void TestXmlExport::textModeRefusesTheSameCharacters() {
    mTDeclaration d;
    d.person.surname = QStringLiteral("Иванов 漢");
    QStringList messages;
    QString detail;
    QCOMPARE(BuildDeclarationXml(QString(), d, ReturnText, ExportRun::options(messages, detail)),
             XmlExport::kErrorResult);
    QCOMPARE(messages, QStringList{XmlExport::kExportFailed});
    QVERIFY2(detail.contains(QStringLiteral("ФИОФЛ.Фамилия")), qPrintable(detail));
    // The identifier only becomes a file name in the folder mode.
    d.person.surname = QStringLiteral("Иванов");
    d.inspectionCode = QStringLiteral("../x");
    QVERIFY(BuildDeclarationXml(QString(), d, ReturnText, ExportRun::options(messages, detail)) !=
            XmlExport::kErrorResult);
}

void TestXmlExport::folderThatCannotTakeTheFile() {
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("file"));
    writeAll(notAFolder, "old");
    mTDeclaration d;
    d.inspectionCode = QStringLiteral("7701");
    for (const QString& folder : {notAFolder, dir.filePath(QStringLiteral("missing"))}) {
        const ExportRun::Result r = ExportRun::toFolder(d, folder);
        QCOMPARE(r.name, XmlExport::kErrorResult);
        QCOMPARE(r.messages, QStringList{XmlExport::kExportFailed});
        QVERIFY(!r.detail.isEmpty());
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("file")});
    QCOMPARE(readAll(notAFolder), QByteArray("old"));
}

void TestXmlExport::eachExportHasItsOwnName() {
    mTDeclaration d;
    d.inspectionCode = QStringLiteral("7701");
    QTemporaryDir dir;
    const QString a = BuildDeclarationXml(dir.path(), d, SaveToFolder);
    const QString b = BuildDeclarationXml(dir.path(), d, SaveToFolder);
    QVERIFY(a != XmlExport::kErrorResult && b != XmlExport::kErrorResult);
    QVERIFY(a != b);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    static const QRegularExpression shape(
        QStringLiteral("^NO_NDFL3_7701_7701_000000000000_%1_[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-"
                       "[0-9A-F]{4}-[0-9A-F]{12}\\.xml$")
            .arg(today));
    QVERIFY2(shape.match(a).hasMatch(), qPrintable(a));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void TestXmlExport::commandMessages() {
    QCOMPARE(ExportResultMessage(QStringLiteral("NO_NDFL3_1.xml")),
             QStringLiteral("Сформирован файл NO_NDFL3_1.xml"));
    QCOMPARE(ExportResultMessage(XmlExport::kErrorResult),
             QStringLiteral("Ошибка записи. Файл не сформирован."));
}

QTEST_GUILESS_MAIN(TestXmlExport)
#include "test_xml_export.moc"
