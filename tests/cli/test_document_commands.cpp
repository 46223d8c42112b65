#include "cli/DocumentCommands.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int code = 0;
    QString out;
    QString err;
};

Run run(int (*command)(const QStringList&, QTextStream&, QTextStream&), const QStringList& args) {
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = command(args, out, err);
    out.flush();
    err.flush();
    return r;
}

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class TestDocumentCommands : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

private slots:
    void newDocumentAsTheNewCommandMakesIt() {
        const Run r = run(RunNew, {path("new.dc1"), QStringLiteral("--date"), "2011-01-01"});
        QCOMPARE(r.code, 0);
        mTDeclaration d;
        d.LoadFromFile(path("new.dc1"));
        QCOMPARE(d.incomeFlags(), quint8(1));
        QCOMPARE(d.autoCountSheets, quint8(1));
        QCOMPARE(TDateTime::toDate(d.signDate), QDate(2011, 1, 1));
        QVERIFY(d.inspectionCode.isEmpty());

        const Run json = run(RunJson, {path("new.dc1")});
        QCOMPARE(json.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o.value("signDate").toString(), QStringLiteral("2011-01-01"));
        QCOMPARE(o.value("incomeFlags").toInt(), 1);
        QCOMPARE(o.value("autoCountSheets").toBool(), true);
    }

    void buildSaveAndJsonAgree() {
        writeText(path("in.json"), R"({
            "inspectionCode": "7701", "incomeFlags": 3, "signDate": "2012-03-15",
            "person": {"surname": "Иванов", "inn": "500100732259"},
            "thirteenSources": [{"sourceName": "ООО Ромашка", "taxWithheld": "13000",
                "rows": [{"incomeCode": 2000, "amount": "100000.5", "month": 1}]}],
            "currencyIncomes": [{"sourceName": "Acme"}]
        })");
        QCOMPARE(run(RunBuild, {path("in.json"), path("built.dc1")}).code, 0);
        QCOMPARE(run(RunSave, {path("built.dc1"), path("again.dc1")}).code, 0);
        QFile a(path("built.dc1")), b(path("again.dc1"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());

        const Run json = run(RunJson, {path("again.dc1")});
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o.value("person").toObject().value("surname").toString(),
                 QStringLiteral("Иванов"));
        const QJsonObject payer = o.value("thirteenSources").toArray().at(0).toObject();
        QCOMPARE(payer.value("totalIncome").toString(), QStringLiteral("100000.5"));
        // Keys not given keep what a new document has.
        QCOMPARE(o.value("autoCountSheets").toBool(), true);

        // The printed JSON builds the same document again.
        writeText(path("out.json"), json.out.toUtf8());
        QCOMPARE(run(RunBuild, {path("out.json"), path("third.dc1")}).code, 0);
        QFile c(path("third.dc1"));
        QVERIFY(c.open(QIODevice::ReadOnly));
        a.seek(0);
        QCOMPARE(c.readAll(), a.readAll());
    }

    void failuresNameTheProblem_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown key") << QByteArray(R"({"surname": "x"})") << "surname: unknown key";
        QTest::newRow("nested unknown key")
            << QByteArray(R"({"person": {"name": "x"}})") << "person.name: unknown key";
        QTest::newRow("wrong type") << QByteArray(R"({"correctionNumber": "1"})")
                                    << "correctionNumber: expected an integer";
        QTest::newRow("money as number")
            << QByteArray(R"({"incomeFlags": 1, "thirteenSources": [{"rows": [{"amount": 5}]}]})")
            << "thirteenSources[0].rows[0].amount: expected an amount";
        QTest::newRow("list of a section not present")
            << QByteArray(R"({"incomeFlags": 0, "currencyIncomes": [{}]})") << "currencyIncomes";
        QTest::newRow("text the file cannot hold")
            << QByteArray(R"({"person": {"surname": "日本"}})") << "日本";
        QTest::newRow("not JSON") << QByteArray("{") << "in.json";
    }
    void failuresNameTheProblem() {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        writeText(path("in.json"), json);
        QFile::remove(path("bad.dc1"));
        const Run r = run(RunBuild, {path("in.json"), path("bad.dc1")});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(path("bad.dc1")));
    }

    void loadFailuresShowTheUsersMessage() {
        const Run missing = run(RunJson, {path("absent.dc1")});
        QCOMPARE(missing.code, 2);
        QCOMPARE(missing.err.trimmed(),
                 QStringLiteral("Ошибка чтения файла: ") + path("absent.dc1"));
        writeText(path("junk.dc1"), "this is not a declaration file at all, not even close....");
        const Run junk = run(RunSave, {path("junk.dc1"), path("out.dc1")});
        QCOMPARE(junk.code, 2);
        QCOMPARE(junk.err.trimmed(),
                 QStringLiteral("Неправильный формат файла декларации, возможно он поврежден."));
        QCOMPARE(run(RunNew, {path("x.dc1"), QStringLiteral("--date"), "2011-02-30"}).code, 2);
        QCOMPARE(run(RunSave, {path("x.dc1")}).code, 2);
    }

    void initTestCase() { QVERIFY(dir.isValid()); }
};

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "test_document_commands.moc"
