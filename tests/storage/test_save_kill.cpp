#include "SaveKillKit.h"
#include "TestKit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

// A save killed at any moment leaves the document as it was or as it was saved,
// never lost or half-written.
class TestSaveKill : public QObject {
    Q_OBJECT

private slots:
    void killedSavesLoseNothing() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("декларация.dc1"));
        // Each version's file as a save writes it: a rename puts one or the other in place.
        const std::unique_ptr<mTDeclaration> d = MakeLargeDeclaration();
        QByteArray versions[2];
        for (int which : {0, 1}) {
            SaveKillKit::makeVersion(*d, which);
            d->SaveToFile(file);
            versions[which] = TestKit::readAll(file);
        }

        // How long one save takes here, so the kills spread over whole saves.
        QElapsedTimer clock;
        clock.start();
        d->SaveToFile(file);
        const qint64 saveMs = qMax<qint64>(clock.elapsed(), 5);

        QRandomGenerator random(20111231);
        const int kills = qEnvironmentVariableIntValue("QARV_KILLS") > 0
                              ? qEnvironmentVariableIntValue("QARV_KILLS")
                              : 100;
        int seenOld = 0, seenNew = 0;
        for (int k = 0; k < kills; ++k) {
            QProcess saver;
            saver.start(QStringLiteral(QARV_SAVE_LOOP), {file});
            QVERIFY2(saver.waitForStarted(), qPrintable(saver.errorString()));
            // The first save has begun once the declaration is built: wait for a
            // save to finish, then kill somewhere within the next two.
            QVERIFY(saver.waitForReadyRead(30000));
            QThread::usleep(random.bounded(quint32(2 * saveMs * 1000)));
            saver.kill();
            QVERIFY(saver.waitForFinished(10000));

            mTDeclaration loaded;
            try {
                loaded.LoadFromFile(file);
            } catch (const std::exception& e) {
                QFAIL(qPrintable(
                    QStringLiteral("kill %1: %2").arg(k).arg(QString::fromUtf8(e.what()))));
            }
            const QByteArray bytes = TestKit::readAll(file);
            if (bytes == versions[0])
                ++seenOld;
            else if (bytes == versions[1])
                ++seenNew;
            else
                QFAIL(qPrintable(QStringLiteral("kill %1: neither version").arg(k)));
        }
        // Both outcomes occur, so the kills did land at different moments.
        if (kills >= 20) {
            QVERIFY(seenOld > 0);
            QVERIFY(seenNew > 0);
        }

        // Whatever a killed save left beside the document is gone after the next save.
        d->SaveToFile(file);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("декларация.dc1")});
    }
};

QTEST_GUILESS_MAIN(TestSaveKill)
#include "test_save_kill.moc"
