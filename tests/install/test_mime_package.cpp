#include "TestKit.h"
#include "model/DeclClasses.h"

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QtTest>

// The shipped MIME package as a desktop reads it: the types of the document
// files by name and, for renamed files, by the header the storage writes.
class TestMimePackage : public QObject {
    Q_OBJECT

    QTemporaryDir data_;

private slots:
    void initTestCase() {
        // Before the first database use: the package in a data folder of its
        // own, the system's types behind it.
        QVERIFY(QDir().mkpath(data_.filePath("mime/packages")));
        QVERIFY(QFile::copy(QStringLiteral(QARV_SOURCE_DIR "/packaging/qarv.xml"),
                            data_.filePath("mime/packages/qarv.xml")));
        qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", "/usr/share");
        QVERIFY(QMimeDatabase().mimeTypeForName("application/x-qarv-declaration").isValid());
    }

    void documentTypes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("signature"); // empty: a document of the current writer
        QTest::addColumn<QString>("type");
        const QString current = QStringLiteral("application/x-qarv-declaration");
        QTest::newRow("current edition") << "ivanov.dc1" << QByteArray() << current;
        QTest::newRow("current edition renamed") << "ivanov.copy" << QByteArray() << current;
        QTest::newRow("2010 by name") << "old.dc0" << QByteArray("Qarv2010") << current + "-2010";
        QTest::newRow("2009 renamed") << "old" << QByteArray("Qarv2009") << current + "-2009";
        QTest::newRow("2005 by name") << "old.dc5" << QByteArray("Qarv2005") << current + "-2005";
        QTest::newRow("2004 by name") << "old.dcl" << QByteArray("Qarv2004") << current + "-old";
        QTest::newRow("2004 renamed") << "old.bak2" << QByteArray("Qarv2004") << current + "-old";
    }
    void documentTypes() {
        QFETCH(QString, name);
        QFETCH(QByteArray, signature);
        QFETCH(QString, type);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (signature.isEmpty())
            mTDeclaration().SaveToFile(path);
        else
            TestKit::writeAll(path,
                              TestKit::header("0101", signature) + TestKit::frame("@DeclInfo"));
        const QMimeType found = QMimeDatabase().mimeTypeForFile(path);
        QCOMPARE(found.name(), type);
        // The program opens every edition: each is a kind of the current type.
        QVERIFY(found.inherits(QStringLiteral("application/x-qarv-declaration")));
    }
};

QTEST_GUILESS_MAIN(TestMimePackage)
#include "test_mime_package.moc"
