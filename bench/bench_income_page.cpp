// The income-in-the-country page with the large declaration open (999 payers
// with 50 rows each): opening it from the conditions page, selecting another
// payer (rows refilled, totals shown) and adding a row through the row dialog,
// each step with the events it leaves (layout, paint).

#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"
#include "ui/ProgramSettings.h"
#include "ui/TextConventions.h"
#include "ui/income/FrameThirteenPercent.h"
#include "ui/income/Input13Income.h"
#include "ui/income/RussianIncome.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

namespace {

// The row dialog is filled with one row and accepted; any other dialog (a
// check's message) is closed at once.
class RowDialogs : public TDialogs {
public:
    int exec(QDialog& d) override {
        auto* row = qobject_cast<TfmInput13Income*>(&d);
        if (!row)
            return 0;
        mTThirteenPercent::IncomeRow r;
        r.incomeCode = 2000;
        r.amount = Money::fromRoubles(12345);
        r.month = 3;
        row->load(r);
        return QDialog::Accepted;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TextConventions::apply();
    QTextStream out(stdout);
    RowDialogs dialogs;
    SetDialogs(&dialogs);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("large.dc1"));
    MakeLargeDeclaration()->SaveToFile(file);
    TProgramSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    TFormMain form(settings, dir.path(), {file});
    form.resize(1100, 760);
    form.show();
    QApplication::processEvents();

    constexpr int kRuns = 20;

    std::vector<double> open;
    for (int i = 0; i < kRuns; ++i) {
        form.pageButtonClicked(TPageId::InitialData);
        QApplication::processEvents();
        bench::TimeWithEvents(open, [&] { form.pageButtonClicked(TPageId::RussianIncome); });
    }
    bench::Report(out, QStringLiteral("income page opened from the conditions page"),
                  bench::Summary(open), 2);

    auto* page = qobject_cast<TfrRussianIncome*>(form.currentPage());
    auto* t = page ? qobject_cast<TfrThirteenPercent*>(page->currentSubPage()) : nullptr;
    if (!t) {
        out << "the income page did not open" << Qt::endl;
        return 1;
    }
    QTreeWidget* payers = t->lvSourseIncomeInfo;
    std::vector<double> select;
    for (int i = 1; i <= kRuns * 5; ++i) {
        QTreeWidgetItem* item = payers->topLevelItem((i * 37) % payers->topLevelItemCount());
        bench::TimeWithEvents(select, [&] { payers->setCurrentItem(item); });
    }
    bench::Report(out, QStringLiteral("another payer selected (50 rows refilled)"),
                  bench::Summary(select), 2);

    std::vector<double> add;
    for (int i = 0; i < kRuns * 5; ++i)
        bench::TimeWithEvents(add, [&] { t->addRow(); });
    bench::Report(out, QStringLiteral("a row added through the row dialog"), bench::Summary(add),
                  2);
    out << "rows of the payer now: " << t->lvIncome->topLevelItemCount() << Qt::endl;
    return 0;
}
