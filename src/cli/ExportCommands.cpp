#include "ExportCommands.h"

#include "CheckCommand.h"
#include "DocumentCommands.h"
#include "checks/DocumentCheck.h"
#include "export/DOMXML_unit.h"
#include "model/DeclClasses.h"

#include <stdexcept>

namespace {

const QString kExportUsage = QStringLiteral(
    "usage: qarv-cli export IN --out DIR [--date YYYY-MM-DD] [--guid GUID] [--no-check]");
const QString kXmlUsage =
    QStringLiteral("usage: qarv-cli xml IN [--date YYYY-MM-DD] [--guid GUID]");

class EUsage : public std::runtime_error {
public:
    explicit EUsage(const QString& text) : std::runtime_error(text.toStdString()) {}
};

struct ExportArgs {
    QString in;
    QString outDir;
    bool check = true;
    XmlExportOptions options;
};

ExportArgs parse(const QStringList& args, bool withFolder, const QString& usage) {
    ExportArgs a;
    bool haveOut = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--date") && hasValue) {
            a.options.today = QDate::fromString(args[++i], QStringLiteral("yyyy-MM-dd"));
            if (!a.options.today.isValid())
                throw EUsage(QStringLiteral("--date: expected YYYY-MM-DD"));
        } else if (arg == QLatin1String("--guid") && hasValue) {
            a.options.guid = QUuid::fromString(args[++i]);
            if (a.options.guid.isNull())
                throw EUsage(QStringLiteral("--guid: expected a GUID such as "
                                            "6F9619FF-8B86-D011-B42D-00C04FC964FF"));
        } else if (withFolder && arg == QLatin1String("--out") && hasValue) {
            a.outDir = args[++i];
            haveOut = true;
        } else if (withFolder && arg == QLatin1String("--no-check")) {
            a.check = false;
        } else if (a.in.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            a.in = arg;
        } else {
            throw EUsage(usage);
        }
    }
    if (a.in.isEmpty() || (withFolder && !haveOut))
        throw EUsage(usage);
    return a;
}

// Runs the export with the message box replaced by err; 2 on failure.
int build(const QString& folder, const mTDeclaration& d, int mode, ExportArgs& a, QTextStream& out,
          QTextStream& err) {
    QString detail;
    a.options.failureDetail = &detail;
    QStringList messages;
    a.options.showMessage = [&messages](const QString& m) { messages << m; };
    const QString result = BuildDeclarationXml(folder, d, mode, a.options);
    const bool failed = result == XmlExport::kErrorResult;
    for (const QString& m : messages)
        err << m << Qt::endl;
    if (failed) {
        if (!detail.isEmpty())
            err << detail << Qt::endl;
        return 2;
    }
    out << result;
    if (mode == SaveToFolder)
        out << Qt::endl;
    return 0;
}

} // namespace

int RunExport(const QStringList& args, QTextStream& out, QTextStream& err) {
    return RunGuarded(err, [&] {
        ExportArgs a = parse(args, true, kExportUsage);
        mTDeclaration declaration;
        declaration.LoadFromFile(a.in);
        if (a.check) {
            const CheckResult finding = FirstFinding(declaration);
            if (!finding.passed()) {
                out << FindingLine(finding) << Qt::endl;
                return 1;
            }
        }
        return build(a.outDir, declaration, SaveToFolder, a, out, err);
    });
}

int RunXml(const QStringList& args, QTextStream& out, QTextStream& err) {
    return RunGuarded(err, [&] {
        ExportArgs a = parse(args, false, kXmlUsage);
        mTDeclaration declaration;
        declaration.LoadFromFile(a.in);
        return build(QString(), declaration, ReturnText, a, out, err);
    });
}
