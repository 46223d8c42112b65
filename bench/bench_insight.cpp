// Times what follows the user's typing: the result line over the large
// declaration, the collect-all check of it, the report, and, with the window,
// the handling of one keystroke and of the pause after it.

#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "calc/BMLogik.h"
#include "calc/CalcReport.h"
#include "checks/DocumentCheck.h"

#include <QTemporaryDir>
#include <QTextStream>

#ifdef QARV_BENCH_WINDOW
#include "ui/FrameInitialData.h"
#include "ui/Insight.h"
#include "ui/Main.h"
#include "ui/MaskedEdit.h"
#include "ui/ProgramSettings.h"

#include <QApplication>
#include <QTest>
#else
#include <QCoreApplication>
#endif

int main(int argc, char** argv) {
#ifdef QARV_BENCH_WINDOW
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    QTextStream out(stdout);
    const int runs = 20;
    auto d = MakeLargeDeclaration();
    GrantEverything(*d);
    const auto report = [&](const char* what, const bench::Figures& f) {
        bench::Report(out, QString::fromLatin1(what), f, 2);
    };
    report("result line: calculate and format, every sheet busy", bench::Time(runs, [&] {
               kTSvodSum sum;
               sum.Calculate(*d);
               ResultLineText(*d, sum);
           }));
    std::size_t findings = 0;
    report("collect-all check", bench::Time(runs, [&] { findings = AllFindings(*d).size(); }));
    out << "  findings: " << findings << Qt::endl;
    kTSvodSum sum;
    sum.Calculate(*d);
    report("calculation report as text",
           bench::Time(runs, [&] { CalcReportText(BuildCalcReport(*d, sum)); }));

#ifdef QARV_BENCH_WINDOW
    // The window with the large declaration open, typing on the conditions page.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("large.dc1"));
    d->signerKind = 1; // so that the representative's name can be typed
    d->SaveToFile(file);
    TProgramSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    TFormMain window(settings, dir.path(), {file});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        out << "the window was not shown" << Qt::endl;
    window.insight()->refresh();
    auto* page = qobject_cast<TfrInitialData*>(window.currentPage());
    QWidget* field = page->meFIO;
    field->setFocus();
    int n = 0;
    report("keystroke in a field, large declaration open",
           bench::Time(200, [&] { QTest::keyClick(field, char('a' + n++ % 26)); }));
    report("after the pause: store the page, result line and open panel",
           bench::Time(runs, [&] { window.insight()->refresh(); }));
    window.insight()->showFindings();
    report("after the pause, findings panel open",
           bench::Time(runs, [&] { window.insight()->refresh(); }));
#endif
    return 0;
}
