// Times the exchange file of the large declaration: the export itself (a fresh
// calculation, the document, windows-1251, the file written beside and renamed),
// the steps qarv-cli export adds (loading the document, the whole-document
// check), and the qarv-cli command as a whole.

#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "checks/DocumentCheck.h"
#include "export/DOMXML_unit.h"
#include "storage/DateTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// What the whole-document check asks for and the generated declaration leaves out
// (the declarant's address and document, the foreign income codes), so that the
// check walks everything and qarv-cli export runs it as a user's export would.
void CompleteForTheCheck(mTDeclaration& d) {
    mTPersonInformation& p = d.person;
    p.regionCode = 77;
    p.postIndex = QStringLiteral("119019");
    p.city = QStringLiteral("Москва");
    p.street = QStringLiteral("ул. Арбат");
    p.house = QStringLiteral("10");
    p.okato = QStringLiteral("45286552000");
    p.idDocKind = 21;
    p.idDocSeriesNumber = QStringLiteral("45 01 123456");
    p.idDocIssuer = QStringLiteral("ОВД района Арбат");
    p.birthDate = TDateTime::fromYmd(1970, 8, 25);
    p.idDocIssueDate = TDateTime::fromYmd(2001, 5, 17);
    p.citizenshipKind = QStringLiteral("1");
    for (mTCurrencyIncome& c : d.currencyIncomes)
        c.incomeCode = 1010;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int runs = 20;
    QTemporaryDir dir;
    // --keep leaves the documents and files behind for a look at them.
    if (app.arguments().contains(QStringLiteral("--keep"))) {
        dir.setAutoRemove(false);
        out << "documents in " << dir.path() << Qt::endl;
    }
    const auto report = [&](const QString& what, const bench::Figures& f) {
        bench::Report(out, what, f, 2);
    };
    const QString cli = QDir(app.applicationDirPath()).filePath(QStringLiteral("qarv-cli"));

    for (const bool busy : {false, true}) {
        auto d = MakeLargeDeclaration();
        CompleteForTheCheck(*d);
        if (busy)
            GrantEverything(*d);
        const QString label =
            busy ? QStringLiteral("every sheet busy") : QStringLiteral("as built");
        const QString doc =
            dir.filePath(busy ? QStringLiteral("busy.dc1") : QStringLiteral("plain.dc1"));
        d->SaveToFile(doc);
        const QString folder = dir.filePath(label);
        QDir().mkpath(folder);

        QString name;
        report(QStringLiteral("export to a file, %1").arg(label),
               bench::Time(runs, [&] { name = BuildDeclarationXml(folder, *d, SaveToFolder); }));
        if (name == XmlExport::kErrorResult) {
            out << "the export failed" << Qt::endl;
            return 1;
        }
        out << "  file " << QFileInfo(QDir(folder).filePath(name)).size() << " bytes" << Qt::endl;
        report(QStringLiteral("export as text (print), %1").arg(label),
               bench::Time(runs, [&] { BuildDeclarationXml(QString(), *d, ReturnText); }));
        report(QStringLiteral("load the document, %1").arg(label), bench::Time(runs, [&] {
                   mTDeclaration loaded;
                   loaded.LoadFromFile(doc);
               }));
        CheckResult finding;
        report(QStringLiteral("whole-document check, %1").arg(label),
               bench::Time(runs, [&] { finding = FirstFinding(*d); }));
        if (!finding.passed())
            out << "  the check stops at: " << finding.caption << " / " << finding.message
                << Qt::endl;

        if (QFileInfo::exists(cli)) {
            // The whole command, process start included; --no-check when the check
            // would stop it before the export.
            QStringList args{QStringLiteral("export"), doc, QStringLiteral("--out"), folder};
            if (!finding.passed())
                args << QStringLiteral("--no-check");
            int code = 0;
            report(QStringLiteral("qarv-cli %1, %2")
                       .arg(args.join(QLatin1Char(' ')).replace(dir.path(), QStringLiteral("…")),
                            label),
                   bench::Time(5, [&] {
                       QProcess p;
                       p.setStandardOutputFile(QProcess::nullDevice());
                       p.start(cli, args);
                       p.waitForFinished(-1);
                       code = p.exitCode();
                   }));
            if (code != 0)
                out << "  qarv-cli exit code " << code << Qt::endl;
        }
    }
    return 0;
}
