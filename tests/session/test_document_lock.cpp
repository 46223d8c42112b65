#include "TestKit.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"
#include "ui/session/DocumentLock.h"
#include "ui/session/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

using Result = TDocumentLock::Result;

QString lockText(const QString& user, const QString& host, const QString& pid) {
    return QStringLiteral("user=%1\nhost=%2\npid=%3\ntime=2012-03-01T09:30:00Z\n")
        .arg(user, host, pid);
}

QString newDocument(const QString& path) {
    mTDeclaration d;
    d.InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
    d.SaveToFile(path);
    return path;
}

} // namespace

class TestDocumentLock : public QObject {
    Q_OBJECT

    QProcess sleeper_;   // a live process of this host that is not this one
    qint64 deadPid_ = 0; // a process that has ended

private slots:
    void initTestCase() {
        sleeper_.start(QStringLiteral("sleep"), {QStringLiteral("300")});
        QVERIFY(sleeper_.waitForStarted());
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        deadPid_ = ended.processId();
        QVERIFY(ended.waitForFinished());
    }
    void cleanupTestCase() {
        sleeper_.kill();
        sleeper_.waitForFinished();
    }

    // What a lock file already beside the document means to the next opener.
    void existingLock_data() {
        QTest::addColumn<QString>("existing"); // "%live", "%dead", "%self" for pids
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("message");
        const QString host = QSysInfo::machineHostName();
        QTest::newRow("none") << QString() << int(Result::Taken) << QString();
        QTest::newRow("a live process of this host")
            << lockText(QStringLiteral("ivanov"), host, QStringLiteral("%live"))
            << int(Result::HeldByOther)
            << QStringLiteral("Документ открыт в другом окне программы (ivanov, %1, ").arg(host);
        QTest::newRow("a process that no longer exists is stale")
            << lockText(QStringLiteral("ivanov"), host, QStringLiteral("%dead"))
            << int(Result::Taken) << QString();
        QTest::newRow("this process's id, left by an earlier one")
            << lockText(QStringLiteral("ivanov"), host, QStringLiteral("%self"))
            << int(Result::Taken) << QString();
        QTest::newRow("another host cannot be checked")
            << lockText(QStringLiteral("petrov"), QStringLiteral("elsewhere"), QStringLiteral("1"))
            << int(Result::HeldByOther)
            << QStringLiteral("Документ открыт в другом окне программы (petrov, elsewhere, ");
        QTest::newRow("a live process's id, but of an earlier boot, is stale")
            << lockText(QStringLiteral("ivanov"), host, QStringLiteral("%live")) +
                   QStringLiteral("boot=an-earlier-boot\n")
            << int(Result::Taken) << QString();
        QTest::newRow("unreadable contents are stale")
            << QStringLiteral("\x01\x02 not a lock") << int(Result::Taken) << QString();
    }
    void existingLock() {
        QFETCH(QString, existing);
        QFETCH(int, expected);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString doc = newDocument(dir.filePath(QStringLiteral("Иванов.dc1")));
        const QString lockFile = dir.filePath(QStringLiteral(".Иванов.dc1.lock"));
        QCOMPARE(TDocumentLock::lockFileName(doc), lockFile);
        existing.replace(QStringLiteral("%live"), QString::number(sleeper_.processId()))
            .replace(QStringLiteral("%dead"), QString::number(deadPid_))
            .replace(QStringLiteral("%self"), QString::number(::getpid()));
        if (!existing.isNull())
            TestKit::writeAll(lockFile, existing.toUtf8());

        TDocumentLock lock;
        QCOMPARE(int(lock.acquire(doc)), expected);
        if (expected == int(Result::HeldByOther)) {
            QVERIFY(!lock.held());
            QVERIFY2(TDocumentLock::lockedMessage(lock.other()).startsWith(message),
                     qPrintable(TDocumentLock::lockedMessage(lock.other())));
            QVERIFY(TDocumentLock::openQuestion(lock.other())
                        .endsWith(QStringLiteral("). Открыть только для просмотра?")));
            // Nothing of the other's is touched.
            QCOMPARE(TestKit::readAll(lockFile), existing.toUtf8());
            return;
        }
        QVERIFY(lock.holds(doc));
        const QByteArray mine = TestKit::readAll(lockFile);
        QVERIFY2(mine.contains("\npid=" + QByteArray::number(::getpid()) + "\n"), mine.constData());
        QVERIFY(mine.startsWith("user="));
        // A second window of this process is another holder, not a stale lock.
        TDocumentLock second;
        QCOMPARE(second.acquire(doc), Result::HeldByOther);
        QCOMPARE(TDocumentLock::liveOwner(doc)->pid, qint64(::getpid()));
        // Moved, the lock stays held once and goes once.
        TDocumentLock moved = std::move(lock);
        QVERIFY(!lock.held());
        lock.release();
        QVERIFY(QFile::exists(lockFile));
        moved.release();
        QVERIFY(!QFile::exists(lockFile));
        QCOMPARE(second.acquire(doc), Result::Taken);
    }

    // A lock file that cannot be written (here a folder in its place, which no
    // user can write over) leaves the document to be opened for viewing.
    void lockThatCannotBeWritten() {
        QTemporaryDir dir;
        const QString doc = newDocument(dir.filePath(QStringLiteral("a.dc1")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral(".a.dc1.lock/x")));
        TDocumentLock lock;
        QCOMPARE(lock.acquire(doc), Result::CannotWrite);
        QVERIFY(!lock.held());
        QVERIFY(!lock.reason().isEmpty());
        QVERIFY(TDocumentLock::noLockMessage(lock.reason()).contains(lock.reason()));
        // A document in a folder that does not exist cannot be locked either.
        QCOMPARE(lock.acquire(dir.filePath(QStringLiteral("gone/b.dc1"))), Result::CannotWrite);
    }

    // Releasing never removes a lock that another window took over meanwhile.
    void releaseLeavesAnotherOwnersLock() {
        QTemporaryDir dir;
        const QString doc = newDocument(dir.filePath(QStringLiteral("a.dc1")));
        TDocumentLock lock;
        QCOMPARE(lock.acquire(doc), Result::Taken);
        const QByteArray other = lockText(QStringLiteral("petrov"), QSysInfo::machineHostName(),
                                          QString::number(sleeper_.processId()))
                                     .toUtf8();
        TestKit::writeAll(TDocumentLock::lockFileName(doc), other);
        lock.release();
        QCOMPARE(TestKit::readAll(TDocumentLock::lockFileName(doc)), other);
    }

    // Which recovery copies are offered at start-up: those of programs that are
    // gone, however their process id is used now.
    void leftoversAreCopiesOfEndedPrograms_data() {
        QTest::addColumn<QString>("pid"); // as in existingLock
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("boot"); // "%now" for this boot
        QTest::addColumn<bool>("offered");
        const QString host = QSysInfo::machineHostName();
        QTest::newRow("a live program's copy") << "%live" << host << "%now" << false;
        QTest::newRow("an ended program's copy") << "%dead" << host << "%now" << true;
        QTest::newRow("before a power cut, its id now another process's")
            << "%live" << host << "an-earlier-boot" << true;
        QTest::newRow("this process's id, no writer of it") << "%self" << host << "%now" << true;
        QTest::newRow("this process's own writer") << "%writer" << host << "%now" << false;
        QTest::newRow("another host's") << "%dead"
                                        << "elsewhere"
                                        << "%now" << false;
    }
    void leftoversAreCopiesOfEndedPrograms() {
        QFETCH(QString, pid);
        QFETCH(QString, host);
        QFETCH(QString, boot);
        QFETCH(bool, offered);
        QStandardPaths::setTestModeEnabled(true);
        QDir(RecoveryStore::folder()).removeRecursively();
        QVERIFY(QDir().mkpath(RecoveryStore::folder()));
        TRecoveryWriter writer;
        TRecoveryCopy copy;
        copy.id = pid == QLatin1String("%writer") ? writer.id() : QStringLiteral("copy");
        pid.replace(QStringLiteral("%live"), QString::number(sleeper_.processId()))
            .replace(QStringLiteral("%dead"), QString::number(deadPid_))
            .replace(QStringLiteral("%self"), QString::number(::getpid()))
            .replace(QStringLiteral("%writer"), QString::number(::getpid()));
        boot.replace(QStringLiteral("%now"), TLockOwner::currentBoot());
        QJsonObject info{{"document", "/home/a.dc1"},
                         {"saved", "2012-03-01T09:30:00.000Z"},
                         {"pid", pid.toDouble()},
                         {"host", host},
                         {"boot", boot}};
        TestKit::writeAll(copy.infoPath(), QJsonDocument(info).toJson());
        TestKit::writeAll(copy.dataPath(), "document");
        const QList<TRecoveryCopy> found = RecoveryStore::leftovers();
        QCOMPARE(found.size(), offered ? 1 : 0);
        if (offered) {
            QCOMPARE(found[0].document, QStringLiteral("/home/a.dc1"));
            QVERIFY(RecoveryStore::offerText(found[0]).endsWith(
                QStringLiteral(" (a.dc1). Восстановить?")));
        }
        QDir(RecoveryStore::folder()).removeRecursively();
    }

    // The command-line program, another process, honours a window's lock.
    void commandLineSaveOntoALockedDocument() {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("source.dc1"));
        {
            mTDeclaration d;
            d.InitAsNewDocument(TDateTime::fromYmd(2012, 4, 2));
            d.person.surname = QStringLiteral("Петров");
            d.SaveToFile(source);
        }
        const QString target = newDocument(dir.filePath(QStringLiteral("open.dc1")));
        const QByteArray before = TestKit::readAll(target);
        auto runSave = [&](QString& err) {
            QProcess cli;
            cli.start(QStringLiteral(QARV_CLI), {QStringLiteral("save"), source, target});
            if (!cli.waitForFinished(60000))
                return -1;
            err = QString::fromUtf8(cli.readAllStandardError()).trimmed();
            return cli.exitCode();
        };

        TDocumentLock lock;
        QCOMPARE(lock.acquire(target), Result::Taken);
        QString err;
        QCOMPARE(runSave(err), 2);
        QCOMPARE(err, TDocumentLock::lockedMessage(*TDocumentLock::liveOwner(target)));
        QCOMPARE(TestKit::readAll(target), before);
        QVERIFY(lock.holds(target));
        QVERIFY(QFile::exists(TDocumentLock::lockFileName(target)));

        lock.release();
        QCOMPARE(runSave(err), 0);
        QCOMPARE(TestKit::readAll(target), TestKit::readAll(source));
        // The program's own lock while writing is gone with it.
        QVERIFY(!QFile::exists(TDocumentLock::lockFileName(target)));
    }
};

QTEST_GUILESS_MAIN(TestDocumentLock)
#include "test_document_lock.moc"
