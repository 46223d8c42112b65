// Times the printed form: a typical declaration from the command to its first
// preview page on screen, and the PDF of the large declaration (time, memory,
// pages), in this process and through qarv-cli pdf.

#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "export/DOMXML_unit.h"
#include "model/DeclClasses.h"
#include "print/PageSource.h"
#include "print/PrintModuleLoader.h"
#include "print/PrintPreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

namespace {

double peakMegabytes(int who) {
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_maxrss) / 1024.0;
}

// User and system time of the process (or its finished children), in ms.
double cpuMs(int who) {
    rusage u{};
    getrusage(who, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QString why;
    TPrintModuleFactory* module = LoadPrintModuleFactory(PrintModuleFolders(), &why);
    if (!module) {
        out << "no print module: " << why << Qt::endl;
        return 2;
    }

    // A typical declaration: the export tests' resident with every sheet.
    QFile json(QStringLiteral(QARV_SOURCE_DIR "/tests/export/data/resident_full.json"));
    if (!json.open(QIODevice::ReadOnly))
        return 2;
    mTDeclaration typical;
    typical.FromJson(QJsonDocument::fromJson(json.readAll()).object());
    int typicalPages = 0;
    const bench::Figures preview = bench::Time(20, [&] {
        const QString text = BuildDeclarationXml(QString(), typical, ReturnText);
        QString error;
        const auto pages = module->layOut(text, QStringLiteral("ИФНС России № 1"), &error);
        TPrintPreview window(*pages, QStringLiteral("3-НДФЛ"));
        window.show();
        window.grab(); // the first page painted
        typicalPages = window.pageCount();
    });
    bench::Report(out,
                  QStringLiteral("typical declaration (%1 pages), command to the first "
                                 "preview page")
                      .arg(typicalPages),
                  preview, 1);

    // The large declaration, every sheet busy.
    std::unique_ptr<mTDeclaration> large = MakeLargeDeclaration();
    GrantEverything(*large);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("large.pdf"));
    QElapsedTimer t;
    const double cpuBefore = cpuMs(RUSAGE_SELF);
    t.start();
    const QString text = BuildDeclarationXml(QString(), *large, ReturnText);
    const qint64 xmlMs = t.elapsed();
    QString error;
    const auto pages = module->layOut(text, QStringLiteral("ИФНС России № 1"), &error);
    const qint64 layoutMs = t.elapsed() - xmlMs;
    error = WritePdf(*pages, pdf);
    const qint64 totalMs = t.elapsed();
    const double cpu = cpuMs(RUSAGE_SELF) - cpuBefore;
    if (!error.isEmpty()) {
        out << error << Qt::endl;
        return 2;
    }
    out << "large declaration PDF: " << pages->pageCount() << " pages, "
        << QFileInfo(pdf).size() / 1024 << " KB, " << totalMs << " ms (document " << xmlMs
        << " ms, layout " << layoutMs << " ms, PDF " << totalMs - xmlMs - layoutMs << " ms), CPU "
        << QString::number(cpu, 'f', 0) << " ms, peak memory of this process "
        << QString::number(peakMegabytes(RUSAGE_SELF), 'f', 0) << " MB" << Qt::endl;

    // The same through qarv-cli pdf, as a user runs it.
    const QString doc = dir.filePath(QStringLiteral("large.dc1"));
    large->SaveToFile(doc);
    QProcess cli;
    t.restart();
    cli.start(QDir(app.applicationDirPath()).filePath(QStringLiteral("qarv-cli")),
              {QStringLiteral("pdf"), doc, pdf, QStringLiteral("--no-check")});
    cli.waitForFinished(600000);
    out << "qarv-cli pdf, large declaration: " << t.elapsed() << " ms, exit code " << cli.exitCode()
        << ", " << QString::fromUtf8(cli.readAllStandardOutput()).trimmed() << ", CPU "
        << QString::number(cpuMs(RUSAGE_CHILDREN), 'f', 0) << " ms, peak memory "
        << QString::number(peakMegabytes(RUSAGE_CHILDREN), 'f', 0) << " MB" << Qt::endl;
    return 0;
}
