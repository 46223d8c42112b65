#include "PdfCommand.h"

#include "CheckCommand.h"
#include "DocumentCommands.h"
#include "checks/DocumentCheck.h"
#include "export/DOMXML_unit.h"
#include "model/DeclClasses.h"
#include "print/PageSource.h"
#include "print/PrintModuleLoader.h"

#include <QDir>
#include <QGuiApplication>
#include <stdexcept>

namespace {

const QString kUsage =
    QStringLiteral("usage: qarv-cli pdf IN OUT.pdf [--date YYYY-MM-DD] [--no-check]");

struct PdfArgs {
    QString in, out;
    bool check = true;
    QDate today;
};

bool parse(const QStringList& args, PdfArgs& a, QTextStream& err) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--date") && i + 1 < args.size()) {
            a.today = QDate::fromString(args[++i], QStringLiteral("yyyy-MM-dd"));
            if (!a.today.isValid()) {
                err << "--date: expected YYYY-MM-DD" << Qt::endl;
                return false;
            }
        } else if (arg == QLatin1String("--no-check")) {
            a.check = false;
        } else if (!arg.startsWith(QLatin1String("--")) && a.in.isEmpty()) {
            a.in = arg;
        } else if (!arg.startsWith(QLatin1String("--")) && a.out.isEmpty()) {
            a.out = arg;
        } else {
            err << kUsage << Qt::endl;
            return false;
        }
    }
    if (a.in.isEmpty() || a.out.isEmpty()) {
        err << kUsage << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int RunPdf(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        out << kUsage << Qt::endl;
        return 0;
    }
    PdfArgs a;
    if (!parse(args, a, err))
        return 2;
    return RunGuarded(err, [&] {
        mTDeclaration declaration;
        declaration.LoadFromFile(a.in);
        if (a.check) {
            const CheckResult finding = FirstFinding(declaration);
            if (!finding.passed()) {
                out << FindingLine(finding) << Qt::endl;
                return 1;
            }
        }
        QString why;
        TPrintModuleFactory* module = LoadPrintModuleFactory(PrintModuleFolders(), &why);
        if (!module) {
            err << kNoPrintModule << Qt::endl << why << Qt::endl;
            return 2;
        }
        XmlExportOptions options;
        options.today = a.today;
        QStringList messages;
        options.showMessage = [&messages](const QString& m) { messages << m; };
        QString folder = QDir::fromNativeSeparators(QCoreApplication::applicationDirPath());
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        const QString text = BuildDeclarationXml(folder, declaration, ReturnText, options);
        for (const QString& m : messages)
            err << m << Qt::endl;
        QString error;
        const std::unique_ptr<TPageSource> pages =
            module->layOut(text, declaration.inspectionName, &error);
        if (!pages) {
            err << error << Qt::endl;
            return 2;
        }
        error = WritePdf(*pages, a.out);
        if (!error.isEmpty()) {
            err << error << Qt::endl;
            return 2;
        }
        out << pages->pageCount() << " pages" << Qt::endl;
        return 0;
    });
}

int RunPdfMain(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunPdf(app.arguments().mid(2), out, err);
}
