#include "CalcCommand.h"
#include "CheckCommand.h"
#include "DocumentCommands.h"
#include "ExportCommands.h"
#ifdef QARV_PDF_COMMAND
#include "PdfCommand.h"
#endif
#include "RefdataCommands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <map>

namespace {

const char kHelp[] =
    "usage: qarv-cli COMMAND ARGS...\n"
    "  new OUT.dc1 [--date YYYY-MM-DD]   write a new document\n"
    "  save IN OUT.dc1                   load a document and save it again\n"
    "  json IN                           print a document as JSON\n"
    "  build IN.json OUT.dc1             make a document from JSON\n"
    "  calc [--report] IN                print every computed value as JSON (--report: as\n"
    "                                    captioned text with the terms of each sum)\n"
    "  check [--all] IN                  check the whole declaration (--all: every finding)\n"
    "  export IN --out DIR [--date YYYY-MM-DD] [--guid GUID] [--no-check]\n"
    "                                    write the XML exchange file into DIR\n"
    "  xml IN [--date YYYY-MM-DD] [--guid GUID]\n"
    "                                    print the XML exchange document\n"
    "  pdf IN OUT.pdf [--date YYYY-MM-DD] [--no-check]\n"
    "                                    write the printed form as PDF\n"
    "  import-rates FILE...              merge bank rate files into CurrencyRates.xml\n"
    "  import-soun FILE.dbf              rebuild InspectionNumbers.xml from a SOUN table\n"
    "\n"
    "qarv-cli COMMAND --help prints the usage of one command, qarv-cli --version the version.\n"
    "Imports write into the user's data folder. Exit code 0 on success, 1 for a check\n"
    "finding, 2 on failure with the message on standard error.\n";

// One command's entry of the help: its line and the lines indented under it.
QString commandHelp(const QString& name) {
    QString entry;
    for (const QString& line : QString::fromUtf8(kHelp).split(u'\n')) {
        if (!entry.isEmpty()) {
            if (!line.startsWith(QLatin1String("   ")))
                break;
            entry += u'\n' + line;
        } else if (line.startsWith(QLatin1String("  ")) && line.at(2) != u' ' &&
                   line.mid(2).section(u' ', 0, 0) == name) {
            entry = line.mid(2);
        }
    }
    return entry;
}

bool isHelp(const QString& arg) {
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

// Commands that take exactly one file.
int oneFile(const QStringList& args, QTextStream& err, const char* usage,
            const std::function<int(const QString&)>& run) {
    if (args.size() != 1) {
        err << "usage: qarv-cli " << usage << "\n";
        return 2;
    }
    return run(args.first());
}

} // namespace

int main(int argc, char** argv) {
#ifdef QARV_PDF_COMMAND
    if (argc > 1 && qstrcmp(argv[1], "pdf") == 0)
        return RunPdfMain(argc, argv);
#endif
    QCoreApplication app(argc, argv);
    // The same names as the window's, so both find the same user data folder.
    QCoreApplication::setApplicationName(QStringLiteral("Qarv 2011"));
    QCoreApplication::setOrganizationName(QStringLiteral("Ортикс"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QARV_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << kHelp;
        return 2;
    }
    if (isHelp(args.first()) || args.first() == QLatin1String("help")) {
        out << kHelp;
        return 0;
    }
    if (args.first() == QLatin1String("--version")) {
        out << "qarv-cli " << QARV_VERSION << "\n";
        return 0;
    }
    using Command = std::function<int(const QStringList&, QTextStream&, QTextStream&)>;
    const std::map<QString, Command> commands = {
        {QStringLiteral("new"), RunNew},
        {QStringLiteral("save"), RunSave},
        {QStringLiteral("json"), RunJson},
        {QStringLiteral("build"), RunBuild},
        {QStringLiteral("calc"),
         [](const QStringList& a, QTextStream& o, QTextStream& e) {
             if (a.size() == 2 && a.first() == QLatin1String("--report"))
                 return RunCalc(a.at(1), o, e, true);
             return oneFile(a, e, "calc [--report] IN",
                            [&](const QString& f) { return RunCalc(f, o, e); });
         }},
        {QStringLiteral("check"),
         [](const QStringList& a, QTextStream& o, QTextStream& e) {
             if (a.size() == 2 && a.first() == QLatin1String("--all"))
                 return RunCheckAll(a.at(1), o, e);
             return oneFile(a, e, "check [--all] IN",
                            [&](const QString& f) { return RunCheck(f, o, e); });
         }},
        {QStringLiteral("export"), RunExport},
        {QStringLiteral("xml"), RunXml},
        {QStringLiteral("import-rates"),
         [](const QStringList& a, QTextStream& o, QTextStream& e) {
             if (a.isEmpty()) {
                 e << "usage: qarv-cli import-rates FILE...\n";
                 return 2;
             }
             return RunImportRates(a, o, e);
         }},
        {QStringLiteral("import-soun"),
         [](const QStringList& a, QTextStream& o, QTextStream& e) {
             return oneFile(a, e, "import-soun FILE.dbf",
                            [&](const QString& f) { return RunImportSoun(f, o, e); });
         }},
    };
    const QString name = args.takeFirst();
    const auto it = commands.find(name);
    if (it == commands.end()) {
        err << "unknown command: " << name << "\n" << kHelp;
        return 2;
    }
    // Asking for help never runs the command.
    if (std::any_of(args.cbegin(), args.cend(), isHelp)) {
        const QString entry = commandHelp(name);
        out << "usage: qarv-cli " << (entry.isEmpty() ? name : entry) << "\n";
        return 0;
    }
    return it->second(args, out, err);
}
