#include "RecoveryStore.h"

#include "DocumentLock.h"
#include "model/DeclClasses.h"
#include "storage/StreamDef.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUuid>
#include <algorithm>

namespace {

const QString kDataSuffix = QStringLiteral(".dc1");
const QString kInfoSuffix = QStringLiteral(".json");

QMutex writersMutex;
QSet<QString>& liveWriters() {
    static QSet<QString> ids;
    return ids;
}

bool liveWriter(const QString& id) {
    QMutexLocker locker(&writersMutex);
    return liveWriters().contains(id);
}

std::optional<TRecoveryCopy> readInfo(const QString& infoPath) {
    QFile f(infoPath);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(f.read(65536));
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    TRecoveryCopy c;
    c.id = QFileInfo(infoPath).completeBaseName();
    c.document = o.value(QLatin1String("document")).toString();
    c.saved = QDateTime::fromString(o.value(QLatin1String("saved")).toString(), Qt::ISODate);
    c.pid = qint64(o.value(QLatin1String("pid")).toDouble());
    c.host = o.value(QLatin1String("host")).toString();
    c.boot = o.value(QLatin1String("boot")).toString();
    if (!c.saved.isValid() || c.pid <= 0)
        return std::nullopt;
    return c;
}

bool writeAll(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        error = path + QStringLiteral(": ") + f.errorString();
        return false;
    }
    return true;
}

// A staging folder on memory-backed storage when the system offers one, so
// that forming the copy costs no disk sync on the caller's thread.
QString pickStagingFolder() {
    const QStringList candidates = {qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                    QStringLiteral("/dev/shm")};
    for (const QString& folder : candidates) {
        const QFileInfo info(folder);
        if (!folder.isEmpty() && info.isDir() && info.isWritable())
            return folder;
    }
    return QDir::tempPath();
}

} // namespace

QString TRecoveryCopy::dataPath() const {
    return QDir(RecoveryStore::folder()).filePath(id + kDataSuffix);
}

QString TRecoveryCopy::infoPath() const {
    return QDir(RecoveryStore::folder()).filePath(id + kInfoSuffix);
}

QString RecoveryStore::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QList<TRecoveryCopy> RecoveryStore::leftovers() {
    QList<TRecoveryCopy> result;
    const QDir dir(folder());
    const QString me = QSysInfo::machineHostName();
    const qint64 myPid = QCoreApplication::applicationPid();
    for (const QFileInfo& info :
         dir.entryInfoList({QLatin1Char('*') + kInfoSuffix}, QDir::Files, QDir::Name)) {
        const std::optional<TRecoveryCopy> c = readInfo(info.absoluteFilePath());
        // A copy of another host's program is not ours to judge.
        if (!c || c->host != me || !QFileInfo::exists(c->dataPath()))
            continue;
        TLockOwner owner;
        owner.host = c->host;
        owner.pid = c->pid;
        owner.boot = c->boot;
        // This process's own copies are those of its live writers; any other with
        // its id was left by an earlier process that had the same id.
        if (c->pid == myPid && owner.boot == TLockOwner::currentBoot() ? liveWriter(c->id)
                                                                       : owner.alive())
            continue;
        result << *c;
    }
    std::stable_sort(
        result.begin(), result.end(),
        [](const TRecoveryCopy& a, const TRecoveryCopy& b) { return a.saved > b.saved; });
    return result;
}

void RecoveryStore::discard(const TRecoveryCopy& copy) {
    // The description goes first: a copy without it is never offered.
    QFile::remove(copy.infoPath());
    QFile::remove(copy.dataPath());
}

QString RecoveryStore::offerText(const TRecoveryCopy& copy) {
    const QString name =
        copy.document.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(copy.document).fileName();
    return QStringLiteral("Найдена несохраненная декларация от %1 (%2). Восстановить?")
        .arg(copy.saved.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")), name);
}

TRecoveryWriter::TRecoveryWriter()
    : id_(QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QUuid::createUuid().toString(QUuid::Id128))),
      stagingFolder_(pickStagingFolder()) {
    // One worker: the copies and their removal happen in the order asked.
    pool_.setMaxThreadCount(1);
    QMutexLocker locker(&writersMutex);
    liveWriters().insert(id_);
}

TRecoveryWriter::~TRecoveryWriter() {
    pool_.waitForDone();
    QMutexLocker locker(&writersMutex);
    liveWriters().remove(id_);
}

bool TRecoveryWriter::write(const mTDeclaration& declaration, const QString& document) {
    QElapsedTimer timer;
    timer.start();
    const QString staging =
        QDir(stagingFolder_)
            .filePath(QStringLiteral("qarv-recovery-%1-%2.dc1").arg(id_).arg(++sequence_));
    try {
        declaration.SaveToFile(staging);
    } catch (const mEPrivBase& e) {
        QMutexLocker locker(&mutex_);
        lastError_ = e.message();
        return false;
    }
    formMs_ = double(timer.nsecsElapsed()) / 1e6;

    TRecoveryCopy copy;
    copy.id = id_;
    copy.document = document;
    copy.saved = QDateTime::currentDateTimeUtc();
    copy.pid = QCoreApplication::applicationPid();
    copy.host = QSysInfo::machineHostName();
    QJsonObject info;
    info.insert(QLatin1String("document"), copy.document);
    info.insert(QLatin1String("saved"), copy.saved.toString(Qt::ISODateWithMs));
    info.insert(QLatin1String("pid"), double(copy.pid));
    info.insert(QLatin1String("host"), copy.host);
    info.insert(QLatin1String("boot"), TLockOwner::currentBoot());
    info.insert(QLatin1String("user"), TLockOwner::current().user);
    const QByteArray infoBytes = QJsonDocument(info).toJson(QJsonDocument::Compact);

    pool_.start([this, staging, copy, infoBytes] {
        QElapsedTimer t;
        t.start();
        QString error;
        QFile in(staging);
        QByteArray bytes;
        if (in.open(QIODevice::ReadOnly))
            bytes = in.readAll();
        else
            error = staging + QStringLiteral(": ") + in.errorString();
        in.close();
        QFile::remove(staging);
        bool ok = error.isEmpty();
        if (ok && !QDir().mkpath(RecoveryStore::folder())) {
            ok = false;
            error = RecoveryStore::folder();
        }
        // The description last: a copy is offered only once it is whole.
        if (ok)
            ok = writeAll(copy.dataPath(), bytes, error) &&
                 writeAll(copy.infoPath(), infoBytes, error);
        QMutexLocker locker(&mutex_);
        storeMs_ = double(t.nsecsElapsed()) / 1e6;
        if (ok)
            ++completed_;
        else
            lastError_ = error;
    });
    return true;
}

void TRecoveryWriter::remove() {
    TRecoveryCopy copy;
    copy.id = id_;
    pool_.start([copy] { RecoveryStore::discard(copy); });
}

void TRecoveryWriter::waitForIdle() {
    pool_.waitForDone();
}

int TRecoveryWriter::completed() const {
    QMutexLocker locker(&mutex_);
    return completed_;
}

QString TRecoveryWriter::lastError() const {
    QMutexLocker locker(&mutex_);
    return lastError_;
}

double TRecoveryWriter::lastStoreMs() const {
    QMutexLocker locker(&mutex_);
    return storeMs_;
}
