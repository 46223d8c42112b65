#pragma once

#include "refdata/DataFolders.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// qarv-cli import-rates FILE...: the bank's rate files into "CurrencyRates.xml".
// qarv-cli import-soun FILE.dbf: "soun1.dbf" into "InspectionNumbers.xml".
// Both write into the user's data folder and print the file written; exit code
// 0, or 2 with the reason on err.
int RunImportRates(const QStringList& files, QTextStream& out, QTextStream& err);
int RunImportSoun(const QString& dbf, QTextStream& out, QTextStream& err);

// The same with the folders given.
int RunImportRates(const QStringList& files, const DataFolders& folders, QTextStream& out,
                   QTextStream& err);
int RunImportSoun(const QString& dbf, const DataFolders& folders, QTextStream& out,
                  QTextStream& err);

// The same on the directory files of folder.
int RunImportRates(const QStringList& files, const QString& folder, QTextStream& out,
                   QTextStream& err);
int RunImportSoun(const QString& dbf, const QString& folder, QTextStream& out, QTextStream& err);
