#include "RefdataCommands.h"

#include "refdata/DataFolders.h"
#include "refdata/Directories.h"
#include "refdata/LoadSoun.h"
#include "refdata/RateImport.h"

#include <QCoreApplication>
#include <QDir>

namespace {

int reportRates(const RateImportResult& r, const QString& target, QTextStream& out,
                QTextStream& err) {
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

int reportSoun(const SounImportResult& r, const QString& target, QTextStream& out,
               QTextStream& err) {
    if (!r.ok) {
        err << r.error << "\n";
        return 2;
    }
    out << target << ": " << r.imported << " inspections\n";
    return 0;
}

DataFolders programFolders() {
    return DataFolders::forProgram(QCoreApplication::applicationDirPath());
}

} // namespace

int RunImportRates(const QStringList& files, QTextStream& out, QTextStream& err) {
    return RunImportRates(files, programFolders(), out, err);
}

int RunImportSoun(const QString& dbf, QTextStream& out, QTextStream& err) {
    return RunImportSoun(dbf, programFolders(), out, err);
}

int RunImportRates(const QStringList& files, const DataFolders& folders, QTextStream& out,
                   QTextStream& err) {
    if (files.isEmpty()) {
        err << "usage: qarv-cli import-rates FILE...\n";
        return 2;
    }
    QString target;
    const RateImportResult r = ImportRatesForUser(files, folders, &target);
    return reportRates(r, target, out, err);
}

int RunImportSoun(const QString& dbf, const DataFolders& folders, QTextStream& out,
                  QTextStream& err) {
    if (dbf.trimmed().isEmpty()) {
        err << "usage: qarv-cli import-soun FILE.dbf\n";
        return 2;
    }
    QString target;
    const SounImportResult r = ImportSounForUser(dbf, folders, &target);
    return reportSoun(r, target, out, err);
}

int RunImportRates(const QStringList& files, const QString& folder, QTextStream& out,
                   QTextStream& err) {
    if (files.isEmpty()) {
        err << "usage: qarv-cli import-rates FILE...\n";
        return 2;
    }
    return reportRates(ImportRatesToFolder(files, folder), CurrencyRatesPath(folder), out, err);
}

int RunImportSoun(const QString& dbf, const QString& folder, QTextStream& out, QTextStream& err) {
    if (dbf.trimmed().isEmpty()) {
        err << "usage: qarv-cli import-soun FILE.dbf\n";
        return 2;
    }
    return reportSoun(ImportSounToFolder(dbf, folder),
                      QDir(folder).filePath(QString::fromUtf16(kInspectionsFile)), out, err);
}
