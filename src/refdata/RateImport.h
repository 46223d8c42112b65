#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Merges the central bank's published rate files into the currency directory.
// Two layouts are read: the daily list ("ValCurs" of "Valute" items) and the
// dynamics of one currency over a period ("ValCurs" of "Record" items).

struct RateImportResult {
    bool ok = false;
    QString error; // why nothing was written
    int added = 0;
    int replaced = 0; // same date, another rate: the bank's figure wins
    int unchanged = 0;
    int newCurrencies = 0;
    bool cancelled = false;
    QStringList notes; // one line per replaced entry
};

// Told after each file read (files read so far, all files); false stops the
// import before anything is written.
using RateImportProgress = std::function<bool(int done, int total)>;

// Reads every file first; the directory is written completely or not at all.
// Existing entries are kept, one entry per date, in date order. A stopped import
// gives ok false, cancelled true and no error text.
RateImportResult ImportRateFiles(const QStringList& files, const QString& ratesPath,
                                 const RateImportProgress& progress = {});

// The rate directory the program reads, for a program folder: every import
// writes there, so the place is decided once.
QString CurrencyRatesPath(const QString& folder);
RateImportResult ImportRatesToFolder(const QStringList& files, const QString& folder,
                                     const RateImportProgress& progress = {});
