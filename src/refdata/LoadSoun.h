#pragma once

#include <QString>

// Rebuilds the inspections file from the published SOUN table ("soun1.dbf").

struct SounImportResult {
    bool ok = false;
    int imported = 0;
    QString error; // why nothing was written
};

// Reads every record of the table and writes xmlPath completely or not at all.
// A short record fails with "Error read file:<dbfPath>".
SounImportResult ImportSounDbf(const QString& dbfPath, const QString& xmlPath,
                               const QString& version, const QString& date);

// What the import dialog passes: version "00" and today's date.
SounImportResult ImportSounToFolder(const QString& dbfPath, const QString& folder);
