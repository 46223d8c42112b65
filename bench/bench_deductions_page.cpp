// The deductions page with the large declaration open (100 pension contracts):
// opening it from the conditions page and switching between its sub-pages, each
// step with the store and check of the page or sub-page left, and the paint of
// the new one.

#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"
#include "ui/ProgramSettings.h"
#include "ui/TextConventions.h"
#include "ui/deductions/FrameDeductData.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <vector>

namespace {

// Any dialog a check opens is closed at once, and counted.
class CountingDialogs : public TDialogs {
public:
    int exec(QDialog&) override {
        ++shown;
        return 0;
    }
    int shown = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TextConventions::apply();
    QTextStream out(stdout);
    CountingDialogs dialogs;
    SetDialogs(&dialogs);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("large.dc1"));
    {
        auto d = MakeLargeDeclaration();
        GrantEverything(*d);
        d->propertyDeduction.objectPostIndex = QStringLiteral("170000");
        d->propertyDeduction.objectRegionCode = QStringLiteral("69");
        d->SaveToFile(file);
    }
    TProgramSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    TFormMain form(settings, dir.path(), {file});
    form.resize(1100, 760);
    form.show();
    QApplication::processEvents();

    constexpr int kRuns = 20;
    // One timed step: the call and the events it leaves (layout, paint). The
    // thread's processor time is kept beside the clock: on a machine shared with
    // other builds it shows what the step itself costs.
    struct Times {
        std::vector<double> wall, cpu;
    };
    auto cpuNow = [] {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    };
    auto timed = [&](Times& times, auto&& body) {
        QElapsedTimer t;
        const double cpu = cpuNow();
        t.start();
        body();
        QApplication::processEvents();
        times.wall.push_back(double(t.nsecsElapsed()) / 1e6);
        times.cpu.push_back(cpuNow() - cpu);
    };
    auto report = [&](const QString& what, Times& times) {
        std::sort(times.wall.begin(), times.wall.end());
        std::sort(times.cpu.begin(), times.cpu.end());
        bench::Report(out, what, {times.wall.front(), times.wall[times.wall.size() / 2]}, 2);
        out << "    processor time: median "
            << QString::number(times.cpu[times.cpu.size() / 2], 'f', 2) << " ms" << Qt::endl;
    };

    Times open;
    for (int i = 0; i < kRuns; ++i) {
        form.pageButtonClicked(TPageId::InitialData);
        QApplication::processEvents();
        timed(open, [&] { form.pageButtonClicked(TPageId::Deduction); });
    }
    report(QStringLiteral("deductions page opened from the conditions page"), open);
    // The share of leaving the conditions page and painting the window, for comparison.
    Times reference;
    for (int i = 0; i < kRuns; ++i) {
        form.pageButtonClicked(TPageId::InitialData);
        QApplication::processEvents();
        timed(reference, [&] { form.pageButtonClicked(TPageId::PersonInfo); });
    }
    report(QStringLiteral("for comparison: declarant page opened from the conditions page"),
           reference);
    form.pageButtonClicked(TPageId::Deduction);

    auto* page = qobject_cast<TfrFrameDeductData*>(form.currentPage());
    if (!page) {
        out << "the deductions page did not open" << Qt::endl;
        return 1;
    }
    using Sub = TfrFrameDeductData;
    const struct {
        Sub::SubPage from, to;
        const char* name;
    } steps[] = {{Sub::Standard, Sub::Social, "standard -> social (100 contracts)"},
                 {Sub::Social, Sub::Property, "social -> property"},
                 {Sub::Property, Sub::Securities, "property -> securities losses"},
                 {Sub::Securities, Sub::Standard, "securities losses -> standard"}};
    for (const auto& st : steps) {
        Times ms;
        for (int i = 0; i < kRuns; ++i) {
            page->showSubPage(st.from);
            QApplication::processEvents();
            timed(ms, [&] { page->subPageClicked(st.to); });
        }
        report(QString::fromLatin1(st.name), ms);
    }
    out << "dialogs opened by the checks: " << dialogs.shown << Qt::endl;
    SetDialogs(nullptr);
    return 0;
}
