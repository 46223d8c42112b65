#pragma once

#include <QString>
#include <QStringList>

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
    QStringList notes; // one line per replaced entry
};

// Reads every file first; the directory is written completely or not at all.
// Existing entries are kept, one entry per date, in date order.
RateImportResult ImportRateFiles(const QStringList& files, const QString& ratesPath);
