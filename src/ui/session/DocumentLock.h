#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Who holds a document open: written into its lock file.
struct TLockOwner {
    QString user;
    QString host;
    qint64 pid = 0;
    QDateTime time; // UTC
    QString boot;   // the host's boot id, where the system gives one

    // This process on this host.
    static TLockOwner current();
    // False only when the owner is known to be gone: a process of this host that
    // no longer exists, or one of an earlier boot (after a power cut its id may
    // belong to another process). Another host's owner cannot be checked and
    // counts as alive.
    bool alive() const;
    static QString currentBoot();
};

// A lock file beside an open document (".NAME.dc1.lock"), held from open (or the
// first save under the name) to close. It keeps a second window, in this
// process or another, from saving over the document unnoticed; the document
// file itself is only locked while it is read or written.
class TDocumentLock {
public:
    enum class Result {
        Taken,       // this window holds the lock now
        HeldByOther, // a live window holds it; see other()
        CannotWrite, // no lock file can be written in the folder; see reason()
    };

    TDocumentLock() = default;
    ~TDocumentLock();
    TDocumentLock(TDocumentLock&& other) noexcept;
    TDocumentLock& operator=(TDocumentLock&& other) noexcept;
    TDocumentLock(const TDocumentLock&) = delete;
    TDocumentLock& operator=(const TDocumentLock&) = delete;

    // Takes the document's lock, silently over a stale one. Releases any lock
    // held before, unless it is the same document's.
    Result acquire(const QString& document);
    void release();

    bool held() const { return !document_.isEmpty(); }
    // The absolute name of the document locked.
    QString document() const { return document_; }
    bool holds(const QString& document) const;
    // After HeldByOther: who holds it.
    const TLockOwner& other() const { return other_; }
    // After CannotWrite: why.
    QString reason() const { return reason_; }

    static QString lockFileName(const QString& document);
    // The live owner of the document's lock, if any (this window's own excepted
    // only through holds()).
    static std::optional<TLockOwner> liveOwner(const QString& document);

    // "Документ открыт в другом окне программы (пользователь, компьютер, время)."
    static QString lockedMessage(const TLockOwner& owner);
    // The same, asking whether to open the document for viewing only.
    static QString openQuestion(const TLockOwner& owner);
    // Shown when a document opens read-only because no lock file can be written.
    static QString noLockMessage(const QString& reason);

private:
    QString document_;
    QString lockFile_;
    TLockOwner other_;
    QString reason_;
};
