#include "DocumentLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {

// Lock files this process holds: a lock with this process's id that is not in
// here was left by an earlier process that had the same id.
QMutex heldMutex;
QSet<QString>& heldFiles() {
    static QSet<QString> files;
    return files;
}

bool heldHere(const QString& lockFile) {
    QMutexLocker locker(&heldMutex);
    return heldFiles().contains(lockFile);
}

void setHeldHere(const QString& lockFile, bool held) {
    QMutexLocker locker(&heldMutex);
    if (held)
        heldFiles().insert(lockFile);
    else
        heldFiles().remove(lockFile);
}

QString userName() {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QByteArray ownerText(const TLockOwner& o) {
    return QStringLiteral("user=%1\nhost=%2\npid=%3\ntime=%4\nboot=%5\n")
        .arg(o.user, o.host)
        .arg(o.pid)
        .arg(o.time.toString(Qt::ISODate), o.boot)
        .toUtf8();
}

// A lock file that cannot be read as ours says nothing about its owner: it is
// taken as stale rather than locking the document for good.
std::optional<TLockOwner> readOwner(const QString& lockFile) {
    QFile f(lockFile);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    TLockOwner o;
    bool pidOk = false;
    const QList<QByteArray> lines = f.read(4096).split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QString value = QString::fromUtf8(line.mid(eq + 1)).trimmed();
        if (key == "user")
            o.user = value;
        else if (key == "host")
            o.host = value;
        else if (key == "pid")
            o.pid = value.toLongLong(&pidOk);
        else if (key == "time")
            o.time = QDateTime::fromString(value, Qt::ISODate);
        else if (key == "boot")
            o.boot = value;
    }
    if (!pidOk || o.pid <= 0 || o.host.isEmpty())
        return std::nullopt;
    return o;
}

QString absoluteName(const QString& document) {
    return QFileInfo(document).absoluteFilePath();
}

bool ownerIsLive(const TLockOwner& o, const QString& lockFile) {
    if (!o.alive())
        return false;
    const TLockOwner me = TLockOwner::current();
    if (o.host == me.host && o.pid == me.pid)
        return heldHere(lockFile);
    return true;
}

} // namespace

TLockOwner TLockOwner::current() {
    TLockOwner o;
    o.user = userName();
    o.host = QSysInfo::machineHostName();
    o.pid = QCoreApplication::applicationPid();
    o.time = QDateTime::currentDateTimeUtc();
    o.boot = currentBoot();
    return o;
}

QString TLockOwner::currentBoot() {
    static const QString boot = [] {
        QFile f(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).trimmed() : QString();
    }();
    return boot;
}

bool TLockOwner::alive() const {
    if (host != QSysInfo::machineHostName())
        return true;
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    if (!boot.isEmpty() && boot != currentBoot())
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

TDocumentLock::~TDocumentLock() {
    release();
}

TDocumentLock::TDocumentLock(TDocumentLock&& other) noexcept {
    *this = std::move(other);
}

TDocumentLock& TDocumentLock::operator=(TDocumentLock&& other) noexcept {
    if (this != &other) {
        release();
        document_ = std::move(other.document_);
        lockFile_ = std::move(other.lockFile_);
        other_ = other.other_;
        reason_ = other.reason_;
        other.document_.clear();
        other.lockFile_.clear();
    }
    return *this;
}

QString TDocumentLock::lockFileName(const QString& document) {
    const QFileInfo info(absoluteName(document));
    return info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() +
                                       QStringLiteral(".lock"));
}

bool TDocumentLock::holds(const QString& document) const {
    return held() && document_ == absoluteName(document);
}

std::optional<TLockOwner> TDocumentLock::liveOwner(const QString& document) {
    const QString lockFile = lockFileName(document);
    std::optional<TLockOwner> o = readOwner(lockFile);
    if (o && ownerIsLive(*o, lockFile))
        return o;
    return std::nullopt;
}

TDocumentLock::Result TDocumentLock::acquire(const QString& document) {
    const QString name = absoluteName(document);
    if (holds(name))
        return Result::Taken;
    const QString lockFile = lockFileName(name);
    reason_.clear();
    // Twice at most: the second time after a stale lock was removed.
    for (int attempt = 0; attempt < 2; ++attempt) {
        QFile f(lockFile);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const QByteArray text = ownerText(TLockOwner::current());
            if (f.write(text) != text.size() || !f.flush()) {
                reason_ = f.errorString();
                f.close();
                f.remove();
                return Result::CannotWrite;
            }
            f.close();
            release();
            document_ = name;
            lockFile_ = lockFile;
            setHeldHere(lockFile, true);
            return Result::Taken;
        }
        if (!QFileInfo::exists(lockFile)) {
            reason_ = f.errorString();
            return Result::CannotWrite;
        }
        if (std::optional<TLockOwner> o = liveOwner(name)) {
            other_ = *o;
            return Result::HeldByOther;
        }
        if (!QFile::remove(lockFile)) {
            reason_ = QFile(lockFile).errorString();
            return Result::CannotWrite;
        }
    }
    // Another window took the lock between our removing the stale one and
    // creating ours.
    if (std::optional<TLockOwner> o = liveOwner(name)) {
        other_ = *o;
        return Result::HeldByOther;
    }
    reason_ = QStringLiteral("файл блокировки занят");
    return Result::CannotWrite;
}

void TDocumentLock::release() {
    if (lockFile_.isEmpty())
        return;
    // Only our own lock file goes: one taken over meanwhile is someone else's.
    const std::optional<TLockOwner> o = readOwner(lockFile_);
    const TLockOwner me = TLockOwner::current();
    if (o && o->pid == me.pid && o->host == me.host)
        QFile::remove(lockFile_);
    setHeldHere(lockFile_, false);
    lockFile_.clear();
    document_.clear();
}

QString TDocumentLock::lockedMessage(const TLockOwner& owner) {
    const QString time = owner.time.isValid()
                             ? owner.time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                             : QStringLiteral("время неизвестно");
    return QStringLiteral("Документ открыт в другом окне программы (%1, %2, %3).")
        .arg(owner.user, owner.host, time);
}

QString TDocumentLock::openQuestion(const TLockOwner& owner) {
    return lockedMessage(owner) + QStringLiteral(" Открыть только для просмотра?");
}

QString TDocumentLock::noLockMessage(const QString& reason) {
    return QStringLiteral("В папке документа нельзя создать файл блокировки (%1), поэтому "
                          "документ открыт только для просмотра. Сохранить его можно "
                          "командой \"Сохранить как...\" в другую папку.")
        .arg(reason);
}
