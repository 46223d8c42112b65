#include "RefdataCommands.h"

#include "refdata/Directories.h"
#include "refdata/LoadSoun.h"
#include "refdata/RateImport.h"

#include <QCoreApplication>
#include <QDir>

int RunImportRates(const QStringList& files, QTextStream& out, QTextStream& err) {
    return RunImportRates(files, QCoreApplication::applicationDirPath(), out, err);
}

int RunImportSoun(const QString& dbf, QTextStream& out, QTextStream& err) {
    return RunImportSoun(dbf, QCoreApplication::applicationDirPath(), out, err);
}

int RunImportRates(const QStringList& files, const QString& folder, QTextStream& out,
                   QTextStream& err) {
    if (files.isEmpty()) {
        err << "usage: qarv-cli import-rates FILE...\n";
        return 2;
    }
    const QString target = QDir(folder).filePath(QString::fromUtf16(kCurrencyRatesFile));
    const RateImportResult r = ImportRateFiles(files, target);
    if (!r.ok) {
        err << r.error << "\n";
        return 2;
    }
    for (const QString& note : r.notes)
        out << "replaced " << note << "\n";
    out << target << ": " << r.added << " added, " << r.replaced << " replaced, " << r.unchanged
        << " unchanged, " << r.newCurrencies << " new currencies\n";
    return 0;
}

int RunImportSoun(const QString& dbf, const QString& folder, QTextStream& out, QTextStream& err) {
    if (dbf.trimmed().isEmpty()) {
        err << "usage: qarv-cli import-soun FILE.dbf\n";
        return 2;
    }
    const SounImportResult r = ImportSounToFolder(dbf, folder);
    if (!r.ok) {
        err << r.error << "\n";
        return 2;
    }
    out << QDir(folder).filePath(QString::fromUtf16(kInspectionsFile)) << ": " << r.imported
        << " inspections\n";
    return 0;
}
