#include "DocumentCommands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <functional>
#include <map>

namespace {

const char kHelp[] = "usage: qarv-cli COMMAND ARGS...\n"
                     "  new OUT.dc1 [--date YYYY-MM-DD]   write a new document\n"
                     "  save IN OUT.dc1                   load a document and save it again\n"
                     "  json IN                           print a document as JSON\n"
                     "  build IN.json OUT.dc1             make a document from JSON\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << kHelp;
        return 2;
    }
    using Command = std::function<int(const QStringList&, QTextStream&, QTextStream&)>;
    const std::map<QString, Command> commands = {
        {QStringLiteral("new"), RunNew},
        {QStringLiteral("save"), RunSave},
        {QStringLiteral("json"), RunJson},
        {QStringLiteral("build"), RunBuild},
    };
    const QString name = args.takeFirst();
    const auto it = commands.find(name);
    if (it == commands.end()) {
        err << "unknown command: " << name << "\n" << kHelp;
        return 2;
    }
    return it->second(args, out, err);
}
