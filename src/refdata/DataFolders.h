#pragma once

#include "LoadSoun.h"
#include "RateImport.h"

#include <QString>
#include <QStringList>

// Where the directory files and help topics are looked for, first match wins:
// the user's data folder, then the program's own folder (a build folder keeps
// working), then the installed share folder beside the program's bin folder.
// What the user imports goes into the user's data folder only: an installed
// program's folders are not the user's to write.
struct DataFolders {
    QString user;      // QStandardPaths::AppDataLocation; may not exist yet
    QString program;   // the running program's folder
    QString installed; // share/qarv relative to the program's folder

    // The application and organisation names must be set before this.
    static DataFolders forProgram(const QString& programFolder);

    QStringList searchOrder() const;
    // The first existing file of that relative name in search order; empty when none.
    QString find(const QString& name) const;
    // The user's folder, created when missing; empty with the reason in error
    // when it cannot be made.
    QString makeUserFolder(QString* error = nullptr) const;
};

// The rate files merged into the user's currency directory. A user without one
// yet starts from the directory the program reads now, so the shipped rates
// stay. target receives the file written (or meant to be written).
RateImportResult ImportRatesForUser(const QStringList& files, const DataFolders& folders,
                                    QString* target = nullptr,
                                    const RateImportProgress& progress = {});

// The SOUN table into the user's inspections file; target as above.
SounImportResult ImportSounForUser(const QString& dbfPath, const DataFolders& folders,
                                   QString* target = nullptr);
