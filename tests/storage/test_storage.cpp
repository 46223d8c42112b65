#include "TestKit.h"
#include "storage/DateTime.h"
#include "storage/StgClasses.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <sys/file.h>

using namespace StorageMessages;
using namespace TestKit;

class TestStorage : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

private slots:
    void headerAndFirstMarker() {
        const QByteArray bytes = writeMeasured(path("h.dc1"), [](mTDocumentStorage& s) {
            s.BeginStream(QStringLiteral("@DeclInfo"));
        });
        QCOMPARE(bytes, "DLSG            Qarv2011"
                        "0102" +
                            QByteArray(32, 'F') + "0009@DeclInfo");
    }

    void writtenForms_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty text") << 0 << QByteArray("0000");
        QTest::newRow("money 1234.50") << 1 << QByteArray("00061234.5");
        QTest::newRow("money zero") << 2 << QByteArray("00010");
        QTest::newRow("int16 -1") << 3 << QByteArray("000565535");
        QTest::newRow("date 01.01.2011") << 4 << QByteArray("000540544");
        QTest::newRow("cyrillic text") << 5 << QByteArray("0003\xc0\xe1\xe2");
        QTest::newRow("negative money") << 6 << QByteArray("0002-1");
        QTest::newRow("int32 as unsigned") << 7
                                           << QByteArray("0010"
                                                         "4294967295"
                                                         "0001"
                                                         "0");
    }
    void writtenForms() {
        QFETCH(int, kind);
        QFETCH(QByteArray, expected);
        const QByteArray bytes = writeMeasured(path("v.dc1"), [kind](mTDocumentStorage& s) {
            switch (kind) {
            case 0:
                s.WriteText(QString());
                break;
            case 1:
                s.WriteMoney(Money::fromRaw(12345000));
                break;
            case 2:
                s.WriteMoney(Money());
                break;
            case 3:
                s.WriteInt16(-1);
                break;
            case 4:
                s.WriteReal(TDateTime::fromYmd(2011, 1, 1));
                break;
            case 5:
                s.WriteText(QStringLiteral("Абв"));
                break;
            case 6:
                s.WriteMoney(Money::fromRoubles(-1));
                break;
            case 7:
                s.WriteInt32(-1);
                s.WriteInt32(0);
                break;
            }
        });
        QCOMPARE(bytes.mid(60), expected);
    }

    void roundTripOfEveryKind() {
        const QString file = path("rt.dc1");
        writeMeasured(file, [](mTDocumentStorage& s) {
            s.BeginStream(QStringLiteral("@A"));
            s.WriteText(QStringLiteral("Иванов Иван"));
            s.WriteText(QString());
            s.WriteInt32(123456789);
            s.WriteInt16(-1);
            s.WriteByte(255);
            s.WriteMoney(Money::fromRaw(-123456789));
            s.WriteReal(40544.5);
        });
        mTFileLoader loader(file, 0, true);
        mTDocumentStorage s(loader);
        s.OpenDocument();
        QCOMPARE(s.signature(), QStringLiteral("Qarv2011"));
        QCOMPARE(s.version(), mTDocumentStorage::kVersion12);
        QCOMPARE(s.trailer(), QString(32, QLatin1Char('F')));
        s.OpenStream(QStringLiteral("@A"));
        QCOMPARE(s.currentStream(), QStringLiteral("@A"));
        QCOMPARE(s.ReadText(), QStringLiteral("Иванов Иван"));
        QCOMPARE(s.ReadText(), QString());
        QCOMPARE(s.ReadInt32(), 123456789);
        QCOMPARE(s.ReadInt16(), qint16(-1));
        QCOMPARE(s.ReadByte(), quint8(255));
        QCOMPARE(s.ReadMoney(), Money::fromRaw(-123456789));
        QCOMPARE(s.ReadReal(), 40544.5);
    }

    void readsOfHandMadeValues() {
        const QString file = path("hand.dc1");
        writeAll(file, header("0101") + frame("@S") + frame("12,5") + frame("a") +
                           frame("01.01.2005") +
                           "0000"
                           "7" +
                           frame("5") + QByteArray(16, '\0'));
        mTFileLoader loader(file, 0, true);
        mTDocumentStorage s(loader);
        s.OpenDocument();
        QCOMPARE(s.version(), mTDocumentStorage::kVersion11);
        s.OpenStream(QStringLiteral("@S"));
        QCOMPARE(s.ReadMoney(), Money::fromRaw(125000));
        QCOMPARE(s.ReadMoney(), Money::fromRoubles(-1));
        QCOMPARE(TDateTime::toDate(s.ReadReal()), QDate(2005, 1, 1));
        // A numeric value with a stored length of 0 still takes one character.
        QCOMPARE(s.ReadInt32(), 7);
        QCOMPARE(s.ReadByte(), quint8(5));
    }

    void refusesBadFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("code");
        QTest::newRow("wrong magic") << QByteArray("XLSG" + header().mid(4)) << kBadFormat << 68;
        QTest::newRow("short header") << QByteArray("DLSG   Qarv") << kBadFormat << 68;
        QTest::newRow("empty file") << QByteArray() << kZeroLength << 25;
    }
    void refusesBadFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, code);
        const QString file = path("bad.dc1");
        writeAll(file, bytes);
        try {
            mTFileLoader loader(file, 0, true);
            mTDocumentStorage s(loader);
            s.OpenDocument();
            QFAIL("no failure");
        } catch (const mEPrivBase& e) {
            QCOMPARE(e.message(), message);
            QCOMPARE(int(e.errorCode()), code);
        }
    }

    void readsBeyondTheEndAreRefused() {
        const QString file = path("trunc.dc1");
        writeAll(file, header() + frame("@S") + "0009abc");
        mTFileLoader loader(file, 0, true);
        mTDocumentStorage s(loader);
        s.OpenDocument();
        s.OpenStream(QStringLiteral("@S"));
        try {
            s.ReadText();
            QFAIL("read past the end");
        } catch (const mEBadStorage& e) {
            QCOMPARE(e.message(), kBadFormat);
        }
        QVERIFY_THROWS_EXCEPTION(mEBadStorage, s.ReadText());
    }

    void nonNumericValuesAreConversionErrors() {
        const QString file = path("nan.dc1");
        writeAll(file, header() + frame("@S") + frame("x1") + "00z1" + frame("1"));
        mTFileLoader loader(file, 0, true);
        mTDocumentStorage s(loader);
        s.OpenDocument();
        s.OpenStream(QStringLiteral("@S"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, s.ReadInt32());
        QVERIFY_THROWS_EXCEPTION(EConvertError, s.ReadText());
    }

    void markersAreFoundByWholeFramesAhead() {
        const QString file = path("m.dc1");
        // The user typed marker names into texts that come before the real markers.
        writeMeasured(file, [](mTDocumentStorage& s) {
            s.BeginStream(QStringLiteral("@PersonName"));
            s.WriteText(QStringLiteral("@PersonAddress"));
            s.WriteText(QStringLiteral("x@Nalogy"));
            s.BeginStream(QStringLiteral("@PersonAddress"));
            s.WriteText(QStringLiteral("адрес"));
            s.BeginStream(QStringLiteral("@NalogSub000"));
            s.WriteText(QStringLiteral("sub"));
            s.BeginStream(QStringLiteral("@Nalog"));
            s.WriteInt16(3);
        });
        mTFileLoader loader(file, 0, true);
        mTDocumentStorage s(loader);
        s.OpenDocument();
        s.OpenStream(QStringLiteral("@PersonName"));
        QCOMPARE(s.ReadText(), QStringLiteral("@PersonAddress"));
        QCOMPARE(s.ReadText(), QStringLiteral("x@Nalogy"));
        s.OpenStream(QStringLiteral("@PersonAddress"));
        QCOMPARE(s.ReadText(), QStringLiteral("адрес"));
        // Not inside the longer name written before it.
        s.OpenStream(QStringLiteral("@Nalog"));
        QCOMPARE(s.ReadInt16(), qint16(3));
        // Behind the position, the first one in the file is taken.
        s.OpenStream(QStringLiteral("@NalogSub000"));
        QCOMPARE(s.ReadText(), QStringLiteral("sub"));
        try {
            s.OpenStream(QStringLiteral("@Missing"));
            QFAIL("found a missing stream");
        } catch (const mEOpenStream& e) {
            QCOMPARE(e.message(), kNoStream);
            QCOMPARE(int(e.errorCode()), 210);
        }
    }

    void damagedFramesFallBackToPlainSearch() {
        const QString file = path("odd.dc1");
        writeAll(file, header() + "zz" + frame("@S") + frame("v"));
        mTFileLoader loader(file, 0, true);
        mTDocumentStorage s(loader);
        s.OpenDocument();
        s.OpenStream(QStringLiteral("@S"));
        QCOMPARE(s.ReadText(), QStringLiteral("v"));
    }

    void operationsNeedTheRightState() {
        mTDocumentStorage m = mTDocumentStorage::Measuring();
        try {
            m.WriteText(QStringLiteral("x"));
            QFAIL("write before the header");
        } catch (const mEObjectAccess& e) {
            QCOMPARE(int(e.errorCode()), 151);
            QCOMPARE(e.message(), kNotInitialised);
        }
        QVERIFY_THROWS_EXCEPTION(mEObjectAccess, m.BeginStream(QStringLiteral("@X")));
        m.CreateDocument(QStringLiteral("Qarv2011"));
        QVERIFY_THROWS_EXCEPTION(mEAlreadyCreated, m.CreateDocument(QStringLiteral("Qarv2011")));

        const QString file = path("ro.dc1");
        writeAll(file, header() + frame("@S"));
        mTFileLoader loader(file, 0, true);
        mTDocumentStorage s(loader);
        QVERIFY_THROWS_EXCEPTION(mEObjectAccess, s.ReadText());
        QVERIFY_THROWS_EXCEPTION(mEObjectAccess, s.OpenStream(QStringLiteral("@S")));
        s.OpenDocument();
        QVERIFY_THROWS_EXCEPTION(mEAlreadyCreated, s.OpenDocument());
        try {
            s.WriteText(QStringLiteral("x"));
            QFAIL("write on a read-only storage");
        } catch (const mEWriteStorage& e) {
            QCOMPARE(int(e.errorCode()), 150);
            QCOMPARE(e.message(), kReadOnly);
        }
        s.Reset();
        QVERIFY(!s.initialised());
    }

    void textsTheFileCannotHoldAreRefused() {
        mTDocumentStorage m = mTDocumentStorage::Measuring();
        m.CreateDocument(QStringLiteral("Qarv2011"));
        QVERIFY_THROWS_EXCEPTION(mEBadText, m.WriteText(QStringLiteral("日本")));
        // A zero character and the code page's undefined byte would make the file unreadable.
        QVERIFY_THROWS_EXCEPTION(mEBadText, m.WriteText(QStringLiteral("Ив") + QChar(0)));
        QVERIFY_THROWS_EXCEPTION(mEBadText, m.WriteText(QStringLiteral("И") + QChar(0x98)));
        QVERIFY_THROWS_EXCEPTION(mEBadText, m.WriteText(QString(10000, QLatin1Char('x'))));
        m.WriteText(QString(9999, QLatin1Char('x')));
        m.WriteText(QStringLiteral("№ Ёё «»"));
        QCOMPARE(m.position(), 60 + 4 + 9999 + 4 + 7);
    }

    void aLoaderHoldsTheFileExclusively() {
        const QString file = path("lock.dc1");
        writeAll(file, header());
        mTFileLoader first(file, 0, true);
        for (const bool readOnly : {true, false}) {
            try {
                mTFileLoader second(file, readOnly ? 0 : 100, readOnly);
                QFAIL("second opener succeeded");
            } catch (const mEBadStorage& e) {
                QCOMPARE(int(e.errorCode()), 21);
                QCOMPARE(e.message(), kReadFile + file + QLatin1Char('\r') + kBusy);
            }
        }
        // Another process is refused as well.
        const QString flock = QStandardPaths::findExecutable(QStringLiteral("flock"));
        if (!flock.isEmpty())
            QCOMPARE(QProcess::execute(flock, {QStringLiteral("-n"), file, QStringLiteral("true")}),
                     1);
    }

    void aFailedWriteLeavesTheOldFile() {
        const QString file = path("keep.dc1");
        writeAll(file, "old contents");
        try {
            mTFileLoader loader(file, 100, false);
            mTDocumentStorage s(loader);
            s.CreateDocument(QStringLiteral("Qarv2011"));
            s.WriteText(QStringLiteral("партия"));
            throw std::runtime_error("failure while writing");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(readAll(file), QByteArray("old contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("keep").size(), 1);
    }

    // A save touches only the document and its own saving file: what a cut-short save
    // left is taken over, the user's own files beside it stay, and so do the old
    // file's permissions and a link the user opened it through.
    void aSaveKeepsWhatLiesBesideTheDocument() {
        const QString file = path("beside.dc1");
        const QString saving = path(".beside.dc1.saving");
        const QString link = path("link.dc1");
        const auto text = [](const QString& t) {
            return [t](mTDocumentStorage& s) { s.WriteText(t); };
        };
        writeMeasured(file, text(QStringLiteral("старое")));
        QVERIFY(
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        writeAll(path("beside.dc1.backup"), "the user's copy");
        writeAll(saving, "what a killed save left");
        QVERIFY(QFile::link(file, link));

        const QByteArray saved = writeMeasured(link, text(QStringLiteral("новое")));
        QCOMPARE(readAll(file), saved);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFile::permissions(file) & 0x0fff,
                 QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
        QCOMPARE(readAll(path("beside.dc1.backup")), QByteArray("the user's copy"));
        QVERIFY(!QFile::exists(saving));

        // A save running elsewhere holds the saving file: this one is busy and
        // leaves both files as they are.
        writeAll(saving, "another save's bytes");
        QFile other(saving);
        QVERIFY(other.open(QIODevice::ReadWrite));
        QCOMPARE(::flock(other.handle(), LOCK_EX | LOCK_NB), 0);
        try {
            mTFileLoader loader(file, 100, false);
            QFAIL("a second save went ahead");
        } catch (const mEBadStorage& e) {
            QCOMPARE(int(e.errorCode()), 21);
        }
        QCOMPARE(readAll(saving), QByteArray("another save's bytes"));
        QCOMPARE(readAll(file), saved);
    }

    void writingPastTheComputedSizeIsRefused() {
        mTFileLoader loader(path("small.dc1"), 62, false);
        mTDocumentStorage s(loader);
        s.CreateDocument(QStringLiteral("Qarv2011"));
        QVERIFY_THROWS_EXCEPTION(mEBadStorage, s.WriteText(QStringLiteral("abc")));
    }

    void openingAMissingFileCreatesNothing() {
        const QString file = path("absent.dc1");
        QVERIFY_THROWS_EXCEPTION(mEBadStorage, mTFileLoader(file, 0, true));
        QVERIFY(!QFile::exists(file));
    }

    void remainingFailureMessages() {
        const QString file = path("small.dc1");
        writeAll(file, header());
        auto expectFailure = [](const std::function<void()>& action, const QString& message,
                                int code) {
            try {
                action();
                QFAIL("no failure");
            } catch (const mEPrivBase& e) {
                QCOMPARE(e.message(), message);
                QCOMPARE(int(e.errorCode()), code);
            }
        };
        // A view larger than the file cannot be made.
        expectFailure([&] { mTFileLoader(file, 1000, true); }, kMapping, 26);
        // A storage with no block under it.
        expectFailure([] { mTDocumentStorage::Measuring().OpenDocument(); }, kNoMemory, 50);
        // A header written on a read-only storage.
        expectFailure(
            [&] {
                mTFileLoader loader(file, 0, true);
                mTDocumentStorage(loader).CreateDocument(QStringLiteral("Qarv2011"));
            },
            kReadOnly, 51);
        // A block far beyond any declaration is refused before memory is taken.
        expectFailure([&] { mTFileLoader(path("huge.dc1"), qint64(1) << 40, false); }, kOutOfMemory,
                      60);
        QVERIFY(!QFile::exists(path("huge.dc1")));
    }

    void initTestCase() { QVERIFY(dir.isValid()); }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "test_storage.moc"
