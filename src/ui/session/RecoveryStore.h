#pragma once

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThreadPool>

class mTDeclaration;

// One recovery copy in the user's data folder: the document file and a small
// description beside it.
struct TRecoveryCopy {
    QString id;
    QString document; // the name it had in the window; empty for one never saved
    QDateTime saved;  // UTC
    qint64 pid = 0;
    QString host;
    QString boot;

    QString dataPath() const;
    QString infoPath() const;
};

namespace RecoveryStore {

// The folder of the copies, in the user's data folder.
QString folder();
// The copies of programs no longer running on this host, newest first.
QList<TRecoveryCopy> leftovers();
void discard(const TRecoveryCopy& copy);
// "Найдена несохраненная декларация от ДД.ММ.ГГГГ ЧЧ:ММ (ИМЯ). Восстановить?"
QString offerText(const TRecoveryCopy& copy);

} // namespace RecoveryStore

// The recovery copy of one window's document. The document is formed on the
// caller's thread into a staging file in memory-backed storage where there is
// one; putting it into the data folder (with its disk sync) happens on a worker
// thread, so a keystroke never waits for the disk.
class TRecoveryWriter {
public:
    TRecoveryWriter();
    // Waits for the pending work; the copy stays (remove() is the owner's call).
    ~TRecoveryWriter();
    TRecoveryWriter(const TRecoveryWriter&) = delete;
    TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

    // False (see lastError()) when the document could not even be formed.
    bool write(const mTDeclaration& declaration, const QString& document);
    // Removes the copy once the writes queued before have finished.
    void remove();
    void waitForIdle();

    QString id() const { return id_; }
    // Where the copy is formed before the worker stores it.
    QString stagingFolder() const { return stagingFolder_; }
    // Copies completed so far, and the last failure (empty when none).
    int completed() const;
    QString lastError() const;
    // Milliseconds of the last write: on the caller's thread, and on the worker.
    double lastFormMs() const { return formMs_; }
    double lastStoreMs() const;

private:
    QString id_;
    QString stagingFolder_;
    int sequence_ = 0;
    double formMs_ = 0;
    QThreadPool pool_;
    mutable QMutex mutex_;
    int completed_ = 0;
    QString lastError_;
    double storeMs_ = 0;
};
