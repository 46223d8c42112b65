// The foreign-currency and business pages with the large declaration open (999
// currency incomes, 999 activities): opening each page from the conditions page,
// selecting another record, and a keystroke in the amount in currency (the
// rouble amounts recomputed on the loaded rate directory); then the window's
// rate import of a year of the bank's daily files (250 files of 34 currencies).

#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"
#include "ui/MaskedEdit.h"
#include "ui/ProgramSettings.h"
#include "ui/TextConventions.h"
#include "ui/business/FrameBusinessNew.h"
#include "ui/currency/FrameCurrency.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

// Every dialog is answered at once; the file dialog gives the bank files.
class BenchDialogs : public TDialogs {
public:
    QStringList files;
    int exec(QDialog& d) override { return qobject_cast<QMessageBox*>(&d) ? QMessageBox::Ok : 0; }
    QStringList openFileNames(QWidget*, const QString&, const QString&) override { return files; }
};

QByteArray dailyFile(QDate day, int currencies) {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><ValCurs Date=\"" +
                     day.toString(QStringLiteral("dd.MM.yyyy")).toLatin1() +
                     "\" name=\"Foreign Currency Market\">";
    for (int c = 0; c < currencies; ++c) {
        const QByteArray code = QByteArray::number(100 + c * 7);
        xml += "<Valute ID=\"R0" + code + "\"><NumCode>" + code + "</NumCode><CharCode>C" +
               QByteArray::number(c) + "</CharCode><Nominal>1</Nominal><Name>V" +
               QByteArray::number(c) + "</Name><Value>" + QByteArray::number(30 + c) + "," +
               QByteArray::number(1000 + day.dayOfYear()) + "</Value></Valute>";
    }
    return xml + "</ValCurs>";
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The import writes the user's rate directory: a test one, removed after.
    QStandardPaths::setTestModeEnabled(true);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(user).removeRecursively();
    TextConventions::apply();
    QTextStream out(stdout);
    BenchDialogs dialogs;
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

    for (TPageId page : {TPageId::ForeignIncome, TPageId::Business}) {
        const QString name = page == TPageId::ForeignIncome ? QStringLiteral("currency page")
                                                            : QStringLiteral("business page");
        std::vector<double> open, select;
        for (int i = 0; i < kRuns; ++i) {
            form.pageButtonClicked(TPageId::InitialData);
            QApplication::processEvents();
            bench::TimeWithEvents(open, [&] { form.pageButtonClicked(page); });
            for (int k = 0; k < 5; ++k) {
                const int index = (i * 5 + k) * 37 % 999;
                bench::TimeWithEvents(select, [&] {
                    if (auto* c = qobject_cast<TfrCurrency*>(form.currentPage()))
                        c->selectRecord(index);
                    else if (auto* b = qobject_cast<TfrBusinessNew*>(form.currentPage()))
                        b->selectRecord(index);
                });
            }
        }
        bench::Report(out, name + QStringLiteral(", opening"), bench::Summary(open), 3);
        bench::Report(out, name + QStringLiteral(", selecting another record"),
                      bench::Summary(select), 3);
    }

    form.pageButtonClicked(TPageId::InitialData);
    QApplication::processEvents();
    form.declaration().currencyIncomes.Get(500).incomeCode = 1010;
    form.pageButtonClicked(TPageId::ForeignIncome);
    auto* page = qobject_cast<TfrCurrency*>(form.currentPage());
    page->selectRecord(500);
    QApplication::processEvents();
    std::vector<double> key;
    for (int i = 0; i < 200; ++i) {
        bench::TimeWithEvents(key, [&] {
            QTest::keyClick(page->meIncomeCurrencySum, i % 2 ? Qt::Key_Backspace : Qt::Key_5);
        });
    }
    bench::Report(out, QStringLiteral("currency page, keystroke in the amount (with repaint)"),
                  bench::Summary(key), 3);

    QDir(dir.path()).mkpath(QStringLiteral("bank"));
    QDate day(2011, 1, 11);
    for (int n = 0; n < 250; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        const QString name = dir.filePath(QStringLiteral("bank/%1.xml").arg(n++));
        QFile f(name);
        f.open(QIODevice::WriteOnly);
        f.write(dailyFile(day, 34));
        dialogs.files << name;
    }
    std::vector<double> import;
    for (int i = 0; i < 5; ++i) {
        QDir(user).removeRecursively();
        bench::TimeWithEvents(import, [&] { form.acLoadRates->trigger(); });
    }
    bench::Report(out, QStringLiteral("rate import from the window, 250 daily files"),
                  bench::Summary(import), 3);
    QDir(user).removeRecursively();
    return 0;
}
