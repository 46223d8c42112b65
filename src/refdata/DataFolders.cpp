#include "DataFolders.h"

#include "Directories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef QARV_DATA_FROM_BIN
#define QARV_DATA_FROM_BIN "../share/qarv"
#endif

DataFolders DataFolders::forProgram(const QString& programFolder) {
    DataFolders f;
    f.user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    f.program = QDir::cleanPath(QDir::fromNativeSeparators(programFolder));
    f.installed = QDir::cleanPath(QDir(f.program).filePath(QStringLiteral(QARV_DATA_FROM_BIN)));
    return f;
}

QStringList DataFolders::searchOrder() const {
    QStringList order;
    for (const QString& folder : {user, program, installed}) {
        if (!folder.isEmpty() && !order.contains(folder))
            order.append(folder);
    }
    return order;
}

QString DataFolders::find(const QString& name) const {
    for (const QString& folder : searchOrder()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString DataFolders::makeUserFolder(QString* error) const {
    if (user.isEmpty() || !QDir().mkpath(user)) {
        if (error)
            *error = QStringLiteral("Не удалось создать папку данных пользователя %1").arg(user);
        return {};
    }
    return user;
}

RateImportResult ImportRatesForUser(const QStringList& files, const DataFolders& folders,
                                    QString* target, const RateImportProgress& progress) {
    const QString name = QString::fromUtf16(kCurrencyRatesFile);
    const QString path = QDir(folders.user).filePath(name);
    if (target)
        *target = path;
    RateImportResult result;
    if (folders.makeUserFolder(&result.error).isEmpty())
        return result;
    const QString current = folders.find(name);
    const bool seeded = current != path && !current.isEmpty();
    if (seeded) {
        if (!QFile::copy(current, path)) {
            result.error = QStringLiteral("Не удалось записать %1").arg(path);
            return result;
        }
        // An installed file may be read-only; the user's copy is the user's.
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    }
    result = ImportRateFiles(files, path, progress);
    // Nothing written means nothing written: a failed import leaves no copy
    // that would hide later updates of the shipped directory.
    if (!result.ok && seeded)
        QFile::remove(path);
    return result;
}

SounImportResult ImportSounForUser(const QString& dbfPath, const DataFolders& folders,
                                   QString* target) {
    if (target)
        *target = QDir(folders.user).filePath(QString::fromUtf16(kInspectionsFile));
    SounImportResult result;
    const QString folder = folders.makeUserFolder(&result.error);
    if (folder.isEmpty())
        return result;
    return ImportSounToFolder(dbfPath, folder);
}
