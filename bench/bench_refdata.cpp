// Times the start-up loading of the directory files: the shipped ones, and
// full-sized ones (a whole SOUN table, years of daily rates) made here.
#include "BenchKit.h"
#include "refdata/Directories.h"
#include "refdata/IncomeDict.h"
#include "refdata/RateImport.h"
#include "refdata/RefXml.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void copyShipped(const QString& from, const QString& to) {
    for (const char16_t* name : {kInspectionsFile, kCountriesFile, kOkvedFile, kCurrencyRatesFile})
        QFile::copy(QDir(from).filePath(QString::fromUtf16(name)),
                    QDir(to).filePath(QString::fromUtf16(name)));
}

// As many inspections as the SOUN table holds, with names of its length.
void writeInspections(const QString& folder, int count) {
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("Inspections"));
    doc.appendChild(root);
    for (int i = 0; i < count; ++i) {
        QDomElement e = doc.createElement(QStringLiteral("Inspection"));
        e.setAttribute(QStringLiteral("Code"), QString::number(101 + i).rightJustified(4, u'0'));
        e.appendChild(doc.createTextNode(
            QStringLiteral("Межрайонная инспекция Федеральной налоговой службы № %1 по области")
                .arg(i)));
        root.appendChild(e);
    }
    RefXml::save(doc, QDir(folder).filePath(QString::fromUtf16(kInspectionsFile)));
}

// Daily bank files for every working day of the years, imported the real way.
int importDailyRates(const QString& folder, const QString& scratch, int years, int currencies) {
    QStringList files;
    for (QDate d(2011 - years + 1, 1, 1); d.year() <= 2011; d = d.addDays(1)) {
        if (d.dayOfWeek() > 5)
            continue;
        QString body = QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                                      "<ValCurs Date=\"%1\">")
                           .arg(d.toString(QStringLiteral("dd.MM.yyyy")));
        for (int c = 0; c < currencies; ++c)
            body += QStringLiteral("<Valute ID=\"R%1\"><NumCode>%2</NumCode><Nominal>1</Nominal>"
                                   "<Name>Валюта %1</Name><Value>%3,%4</Value></Valute>")
                        .arg(c)
                        .arg(100 + c)
                        .arg(10 + c)
                        .arg(d.dayOfYear() * 7 % 10000, 4, 10, QLatin1Char('0'));
        body += QStringLiteral("</ValCurs>");
        const QString path =
            QDir(scratch).filePath(d.toString(QStringLiteral("yyyyMMdd")) + ".xml");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(body.toUtf8().replace("windows-1251", "UTF-8"));
        files.append(path);
    }
    const RateImportResult r =
        ImportRateFiles(files, QDir(folder).filePath(QString::fromUtf16(kCurrencyRatesFile)));
    return r.ok ? r.added : -1;
}

} // namespace

int main(int argc, char** argv) {
    const QString shipped =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(QARV_SOURCE_DIR "/data");
    constexpr int kRounds = 20;
    QTemporaryDir dir;
    copyShipped(shipped, dir.path());

    QElapsedTimer first;
    first.start();
    RefDirectories::load(dir.path());
    const double firstMs = first.nsecsElapsed() / 1e6;
    const double shippedMs = bench::Time(kRounds, [&] { RefDirectories::load(dir.path()); }).best;
    std::printf("shipped directories (%s): first load %.2f ms, best of %d %.2f ms\n",
                qPrintable(shipped), firstMs, kRounds, shippedMs);

    const double dictMs = bench::Time(kRounds, [] { LoadIncomeDict(); }).best;
    std::printf("code dictionary parse: best of %d %.2f ms\n", kRounds, dictMs);

    QTemporaryDir scratch;
    writeInspections(dir.path(), 2500);
    QElapsedTimer importTimer;
    importTimer.start();
    const int added = importDailyRates(dir.path(), scratch.path(), 2, 34);
    const double importMs = importTimer.nsecsElapsed() / 1e6;
    const double fullMs = bench::Time(kRounds, [&] { RefDirectories::load(dir.path()); }).best;
    std::printf("import of %d rate entries from daily files: %.0f ms\n", added, importMs);
    std::printf("full-sized directories (2500 inspections, %d rate entries): best of %d %.2f ms\n",
                added, kRounds, fullMs);
    return 0;
}
