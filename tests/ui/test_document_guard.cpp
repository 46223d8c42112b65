#include "ProgramFixture.h"
#include "TestKit.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "ui/FramePersonData.h"
#include "ui/FramePersonName.h"
#include "ui/MaskedEdit.h"
#include "ui/TextConventions.h"
#include "ui/session/DocumentLock.h"
#include "ui/session/RecoveryStore.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <unistd.h>

using namespace WindowTestKit;

namespace {

const QString kCaption = QStringLiteral("Qarv 2011|");

QString document(const QString& path, const QString& surname) {
    return writeDocument(path, [&](mTDeclaration& d) {
        d.inspectionCode = QStringLiteral("7701");
        d.person.surname = surname;
    });
}

QStringList recoveryFiles() {
    return QDir(RecoveryStore::folder()).entryList(QDir::Files, QDir::Name);
}

// The declarant's surname field of a window, its page opened.
TMaskedEdit* surnameField(TFormMain& form) {
    QTest::mouseClick(form.pageButton(TPageId::PersonInfo), Qt::LeftButton);
    auto* person = qobject_cast<TfrPersonData*>(form.currentPage());
    auto* name = person ? qobject_cast<TfrPersonNaim*>(person->currentSubPage()) : nullptr;
    return name ? name->meSurName : nullptr;
}

// The window program of another process (see guard_helper.cpp).
struct Helper {
    QProcess process;
    bool start(const QStringList& args) {
        process.start(QStringLiteral(QARV_GUARD_HELPER),
                      QStringList{QCoreApplication::applicationName()} + args);
        if (!process.waitForStarted(30000))
            return false;
        while (!process.canReadLine())
            if (!process.waitForReadyRead(60000))
                return false;
        return process.readLine().trimmed() == "ready";
    }
    // As a crash or a killed session would end it: nothing cleaned up.
    void kill() {
        process.kill();
        process.waitForFinished();
    }
    ~Helper() {
        if (process.state() != QProcess::NotRunning)
            kill();
    }
};

} // namespace

class TestDocumentGuard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TextConventions::apply();
        QStandardPaths::setTestModeEnabled(true);
        QDir(RecoveryStore::folder()).removeRecursively();
    }
    void cleanup() { QDir(RecoveryStore::folder()).removeRecursively(); }

    // Two windows of one process on one document: the second is asked.
    void secondWindowOnAnOpenDocument_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes opens it for viewing") << int(QMessageBox::Yes);
        QTest::newRow("No opens nothing") << int(QMessageBox::No);
    }
    void secondWindowOnAnOpenDocument() {
        QFETCH(int, answer);
        Program a;
        const QString doc =
            document(a.folder.file(QStringLiteral("Иванов.dc1")), QStringLiteral("Иванов"));
        const QString lockFile = TDocumentLock::lockFileName(doc);
        a.start({doc});
        QVERIFY(!a.form->isReadOnly());
        QVERIFY(QFile::exists(lockFile));
        const QByteArray saved = TestKit::readAll(doc);

        Program b;
        b.start();
        b.dialogs.openFile = doc;
        b.dialogs.thenButton(QMessageBox::StandardButton(answer));
        b.form->OpenDoc();
        const TLockOwner owner = *TDocumentLock::liveOwner(doc);
        QCOMPARE(owner.pid, qint64(::getpid()));
        QCOMPARE(b.dialogs.shown, QStringList{kCaption + TDocumentLock::openQuestion(owner)});
        const QString copy = a.folder.file(QStringLiteral("copy.dc1"));
        if (answer == QMessageBox::No) {
            QCOMPARE(b.form->fileName(), QString());
            QCOMPARE(b.form->windowTitle(), QStringLiteral("Без имени - Qarv 2011"));
            QVERIFY(b.form->declaration().person.surname.isEmpty());
            QVERIFY(!b.form->isReadOnly());
            QVERIFY(b.form->acSave->isEnabled());
        } else {
            QCOMPARE(b.form->fileName(), doc);
            QCOMPARE(b.form->declaration().person.surname, QStringLiteral("Иванов"));
            QVERIFY(b.form->isReadOnly());
            QVERIFY(!b.form->acSave->isEnabled());
            QCOMPARE(b.form->windowTitle(),
                     QStringLiteral("Иванов.dc1 (только для просмотра) - Qarv 2011"));
            // Saving onto the other window's document is refused, even by name.
            b.dialogs.saveFile = doc;
            b.dialogs.thenButton(QMessageBox::Ok);
            QVERIFY(!b.form->SaveAsDoc());
            QCOMPARE(b.dialogs.shown.last(), kCaption + TDocumentLock::lockedMessage(owner));
            QCOMPARE(TestKit::readAll(doc), saved);
            // Under a name of its own it is the window's document again.
            b.dialogs.saveFile = copy;
            QVERIFY(b.form->SaveAsDoc());
            QVERIFY(!b.form->isReadOnly());
            QVERIFY(b.form->acSave->isEnabled());
            QCOMPARE(b.form->windowTitle(), QStringLiteral("copy.dc1 - Qarv 2011"));
            QVERIFY(TDocumentLock::liveOwner(copy));
        }
        QCOMPARE(TestKit::readAll(doc), saved);
        a.close();
        QVERIFY(!QFile::exists(lockFile));
        b.close();
        QVERIFY(!QFile::exists(TDocumentLock::lockFileName(copy)));
        QVERIFY(a.dialogs.unexpected.isEmpty());
        QVERIFY(b.dialogs.unexpected.isEmpty());
    }

    // Another process holds the document; once it is killed its lock is stale.
    void documentHeldByAnotherProcess() {
        Program w;
        const QString doc = document(w.folder.file(QStringLiteral("a.dc1")), QStringLiteral("А"));
        Helper other;
        QVERIFY(other.start({QStringLiteral("hold"), doc}));
        const std::optional<TLockOwner> owner = TDocumentLock::liveOwner(doc);
        QVERIFY(owner);
        QCOMPARE(owner->pid, other.process.processId());

        w.dialogs.thenButton(QMessageBox::No);
        w.start({doc});
        QCOMPARE(w.dialogs.shown, QStringList{kCaption + TDocumentLock::openQuestion(*owner)});
        QCOMPARE(w.form->fileName(), QString());

        other.kill();
        QVERIFY(QFile::exists(TDocumentLock::lockFileName(doc)));
        w.dialogs.openFile = doc;
        w.form->OpenDoc();
        QCOMPARE(w.dialogs.shown.size(), 1); // taken over without a word
        QCOMPARE(w.form->fileName(), doc);
        QVERIFY(!w.form->isReadOnly());
        QCOMPARE(TDocumentLock::liveOwner(doc)->pid, qint64(::getpid()));
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    // No lock can be written beside the document (a folder stands in its
    // place): it opens for viewing, and says why.
    void folderWithoutRoomForALock() {
        Program w;
        const QString doc = document(w.folder.file(QStringLiteral("a.dc1")), QStringLiteral("А"));
        QVERIFY(QDir().mkpath(TDocumentLock::lockFileName(doc) + QStringLiteral("/x")));
        w.dialogs.thenButton(QMessageBox::Ok);
        w.start({doc});
        QCOMPARE(w.dialogs.shown.size(), 1);
        QVERIFY(w.dialogs.shown[0].startsWith(
            kCaption + QStringLiteral("В папке документа нельзя создать файл блокировки (")));
        QCOMPARE(w.form->fileName(), doc);
        QVERIFY(w.form->isReadOnly());
        QVERIFY(!w.form->acSave->isEnabled());
        // Save asks for another name rather than failing.
        w.dialogs.saveFile = w.folder.file(QStringLiteral("b.dc1"));
        QVERIFY(w.form->SaveDoc());
        QCOMPARE(w.form->fileName(), w.dialogs.saveFile);
        QVERIFY(!w.form->isReadOnly());
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    // Unsaved typing is copied on focus loss and after the interval, never
    // beside the document; save and New remove the copy.
    void unsavedChangesAreCopied() {
        Program w;
        const QString doc = document(w.folder.file(QStringLiteral("a.dc1")), QString());
        TFormMain& form = w.start({doc});
        form.show();
        form.setRecoveryInterval(3600 * 1000);
        TMaskedEdit* surname = surnameField(form);
        QVERIFY(surname);
        UiTestKit::typeText(surname, QStringLiteral("Петров"));
        QEvent deactivated(QEvent::ActivationChange);
        QApplication::sendEvent(&form, &deactivated);
        form.recoveryWriter().waitForIdle();
        QCOMPARE(form.recoveryWriter().completed(), 1);
        const QString id = form.recoveryWriter().id();
        QCOMPARE(recoveryFiles(), (QStringList{id + QStringLiteral(".dc1"), id + ".json"}));
        {
            mTDeclaration copy;
            copy.LoadFromFile(QDir(RecoveryStore::folder()).filePath(id + ".dc1"));
            QCOMPARE(copy.person.surname, QStringLiteral("Петров"));
        }
        // Nothing new to copy: the timer writes nothing.
        form.setRecoveryInterval(10);
        QTest::qWait(100);
        QCOMPARE(form.recoveryWriter().completed(), 1);
        // Not while typing: the timer's copy waits for a pause.
        UiTestKit::typeText(surname, QStringLiteral("а"));
        QTest::qWait(100);
        QCOMPARE(form.recoveryWriter().completed(), 1);
        QTRY_COMPARE(form.recoveryWriter().completed(), 2);
        QCOMPARE(form.recoveryWriter().lastError(), QString());
        // Not beside the document, never over it.
        QCOMPARE(QDir(w.folder.path()).entryList({QStringLiteral("*.dc1")}, QDir::Files),
                 QStringList{QStringLiteral("a.dc1")});
        QVERIFY(TestKit::readAll(doc) !=
                TestKit::readAll(QDir(RecoveryStore::folder()).filePath(id + ".dc1")));

        QVERIFY(form.SaveDoc());
        form.recoveryWriter().waitForIdle();
        QCOMPARE(recoveryFiles(), QStringList());
        surname = surnameField(form);
        UiTestKit::typeText(surname, QStringLiteral("в"));
        QTRY_COMPARE(form.recoveryWriter().completed(), 3);
        w.dialogs.thenButton(QMessageBox::No);
        form.CreateDoc();
        form.recoveryWriter().waitForIdle();
        QCOMPARE(recoveryFiles(), QStringList());
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    // Two programs die with unsaved typing; the next start offers their copies
    // newest first: No deletes one, Yes restores the other as the modified
    // document under its own name, and its save is the file the dead program
    // would have written.
    void copiesOfKilledProgramsAreOffered() {
        Program w;
        const QString first = document(w.folder.file(QStringLiteral("Петров.dc1")), QString());
        const QString second = document(w.folder.file(QStringLiteral("Сидоров.dc1")), QString());
        const QByteArray secondBefore = TestKit::readAll(second);
        const QString firstRef = w.folder.file(QStringLiteral("first.ref"));
        Helper a, b;
        QVERIFY(a.start({QStringLiteral("type"), first, QStringLiteral("Петров"), firstRef}));
        QTest::qWait(20);
        QVERIFY(b.start({QStringLiteral("type"), second, QStringLiteral("Сидоров"),
                         w.folder.file(QStringLiteral("second.ref"))}));
        QCOMPARE(recoveryFiles().size(), 4);           // each program its own copy
        QVERIFY(RecoveryStore::leftovers().isEmpty()); // their programs still run
        a.kill();
        b.kill();
        QCOMPARE(RecoveryStore::leftovers().size(), 2);

        w.dialogs.thenButton(QMessageBox::No);
        w.dialogs.thenButton(QMessageBox::Yes);
        TFormMain& form = w.start();
        form.offerRecovery();
        QCOMPARE(w.dialogs.shown.size(), 2);
        const QString offer = QStringLiteral("^Qarv 2011\\|Найдена несохраненная декларация от "
                                             "\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d \\(%1\\)\\. "
                                             "Восстановить\\?$");
        QVERIFY2(QRegularExpression(offer.arg(QStringLiteral("Сидоров\\.dc1")))
                     .match(w.dialogs.shown[0])
                     .hasMatch(),
                 qPrintable(w.dialogs.shown[0]));
        QVERIFY2(QRegularExpression(offer.arg(QStringLiteral("Петров\\.dc1")))
                     .match(w.dialogs.shown[1])
                     .hasMatch(),
                 qPrintable(w.dialogs.shown[1]));
        QVERIFY(!form.isSaved());
        QCOMPARE(form.fileName(), first);
        QCOMPARE(form.windowTitle(), QStringLiteral("Петров.dc1 - Qarv 2011"));
        QVERIFY(!form.isReadOnly()); // the dead program's lock was taken over
        QCOMPARE(form.declaration().person.surname, QStringLiteral("Петров"));
        // Both leftovers are gone; the restored document has this window's copy.
        QVERIFY(RecoveryStore::leftovers().isEmpty());
        const QString id = form.recoveryWriter().id();
        QCOMPARE(recoveryFiles(), (QStringList{id + QStringLiteral(".dc1"), id + ".json"}));

        QVERIFY(form.SaveDoc());
        QCOMPARE(TestKit::readAll(first), TestKit::readAll(firstRef));
        QCOMPARE(TestKit::readAll(second), secondBefore);
        form.recoveryWriter().waitForIdle();
        QCOMPARE(recoveryFiles(), QStringList());
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }
};

QTEST_MAIN(TestDocumentGuard)
#include "test_document_guard.moc"
