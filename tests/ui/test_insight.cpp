#include "AccessKit.h"
#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "checks/DocumentCheck.h"
#include "income/IncomeTestKit.h"
#include "print/PrintPreview.h"

#include "ui/CalcReportWindow.h"
#include "ui/FindingsPanel.h"
#include "ui/FrameInitialData.h"
#include "ui/Insight.h"
#include "ui/MaskedEdit.h"
#include "ui/TextConventions.h"
#include "ui/income/FrameThirteenPercent.h"
#include <QPrintPreviewWidget>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

using Fill = std::function<void(mTDeclaration&)>;
Q_DECLARE_METATYPE(Fill)

namespace {

// "_" marks the no-break space between thousands.
QString u(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x00A0));
}

mTThirteenPercent& addPayer(mTDeclaration& d, const char* income, const char* withheld) {
    mTThirteenPercent& s = d.thirteenSources.Get(d.thirteenSources.Add());
    s.sourceName = QStringLiteral("ООО Ромашка");
    s.sourceOkato = QStringLiteral("45286555000");
    mTThirteenPercent::IncomeRow row;
    row.incomeCode = 2000;
    row.amount = *Money::parse(QString::fromLatin1(income));
    row.month = 1;
    s.AddRow(row);
    s.taxWithheld = *Money::parse(QString::fromLatin1(withheld));
    return s;
}

QString resultLine(TFormMain& f) {
    return f.insight()->resultLine()->text();
}

} // namespace

class TestInsight : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TextConventions::apply(); }
    void resultLineOfTheOpenDocument_data();
    void resultLineOfTheOpenDocument();
    void typingWaitsForThePause();
    void restingOnAPageKeepsTheDocumentSaved();
    void storedPageMovesTheResult();
    void withheldTaxTypedOnThePayerPage();
    void findingsOfFiveGroups();
    void calculationReportWindow();
};

void TestInsight::resultLineOfTheOpenDocument_data() {
    QTest::addColumn<Fill>("fill");
    QTest::addColumn<QString>("line");
    QTest::newRow("refund") << Fill([](mTDeclaration& d) {
        WindowTestKit::makePassing(d);
        addPayer(d, "100000", "13000");
        d.socialDeduction.granted = 1;
        d.socialDeduction.treatment = *Money::parse(QStringLiteral("50000"));
    }) << u("К возврату: 6_500 руб.");
    QTest::newRow("payment") << Fill([](mTDeclaration& d) {
        WindowTestKit::makePassing(d);
        addPayer(d, "1234567", "0");
    }) << u("К уплате: 160_494 руб.");
    QTest::newRow("zero") << Fill([](mTDeclaration& d) {
        WindowTestKit::makePassing(d);
        addPayer(d, "100000", "13000");
    }) << u("К уплате: 0 руб.");
    QTest::newRow("4-NDFL") << Fill([](mTDeclaration& d) {
        WindowTestKit::makePassing(d);
        d.formKind = 2;
        d.expectedIncome = *Money::parse(QStringLiteral("480000"));
    }) << u("Налог не исчислен; предполагаемый доход: 480_000 руб.");
}

void TestInsight::resultLineOfTheOpenDocument() {
    QFETCH(Fill, fill);
    QFETCH(QString, line);
    Program p;
    const QString file =
        WindowTestKit::writeDocument(p.folder.path() + QStringLiteral("/d.dc1"), fill);
    TFormMain& f = p.start({file});
    QLabel* label = f.insight()->resultLine();
    QCOMPARE(AccessKit::accessibleName(label), QStringLiteral("Итог расчета"));
    // It appears by itself once the window has settled.
    QTRY_COMPARE(label->text(), line);
    QVERIFY(p.dialogs.shown.isEmpty());
}

// A keystroke only restarts the pause: the figures follow once the user stops.
void TestInsight::typingWaitsForThePause() {
    Program p;
    const QString file =
        WindowTestKit::writeDocument(p.folder.path() + QStringLiteral("/d.dc1"), [](auto& d) {
            WindowTestKit::makePassing(d);
            d.formKind = 2;
            d.expectedIncome = *Money::parse(QStringLiteral("100000"));
        });
    TFormMain& f = p.start({file});
    f.insight()->refresh();
    QCOMPARE(resultLine(f), u("Налог не исчислен; предполагаемый доход: 100_000 руб."));
    TMaskedEdit* income = p.conditions()->meSupposeIncome;
    income->selectAll();
    UiTestKit::typeText(income, QStringLiteral("250000"));
    QVERIFY(f.insight()->pending());
    QCOMPARE(resultLine(f), u("Налог не исчислен; предполагаемый доход: 100_000 руб."));
    QTRY_COMPARE(resultLine(f), u("Налог не исчислен; предполагаемый доход: 250_000 руб."));
    QVERIFY(!f.insight()->pending());
    // The pause stored the page: the model holds what was typed.
    QCOMPARE(f.declaration().expectedIncome, Money::fromRoubles(250000));
}

// A payer's withheld tax changed and the page stored: the line follows.
void TestInsight::storedPageMovesTheResult() {
    Program p;
    const QString file =
        WindowTestKit::writeDocument(p.folder.path() + QStringLiteral("/d.dc1"), [](auto& d) {
            WindowTestKit::makePassing(d);
            addPayer(d, "100000", "13000");
        });
    TFormMain& f = p.start({file});
    f.insight()->refresh();
    QCOMPARE(resultLine(f), u("К уплате: 0 руб."));
    f.declaration().thirteenSources.Get(0).taxWithheld = Money::fromRoubles(10000);
    f.pageButtonClicked(TPageId::PersonInfo);
    QTRY_COMPARE(resultLine(f), u("К уплате: 3_000 руб."));
    f.declaration().thirteenSources.Get(0).taxWithheld = Money::fromRoubles(14000);
    f.pageButtonClicked(TPageId::InitialData);
    QTRY_COMPARE(resultLine(f), u("К возврату: 1_000 руб."));
}

// The pause stores the page on screen; a store that only repeats what the page
// loaded is no edit, on any page.
void TestInsight::restingOnAPageKeepsTheDocumentSaved() {
    Program p;
    const QString file =
        WindowTestKit::writeDocument(p.folder.path() + QStringLiteral("/d.dc1"), [](auto& d) {
            WindowTestKit::makePassing(d);
            d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagCurrency |
                             mTDeclaration::kFlagBusiness);
            addPayer(d, "100000", "13000");
            d.currencyIncomes.Add();
            d.businessActivities.Add();
        });
    TFormMain& f = p.start({file});
    f.show();
    // Opened as a finding would open them, so that no page check stands between.
    const std::pair<int, TPageId> pages[] = {{CheckPage::kConditions, TPageId::InitialData},
                                             {CheckPage::kDeclarantName, TPageId::PersonInfo},
                                             {CheckPage::kDeclarantAddress, TPageId::PersonInfo},
                                             {CheckPage::kThirteen, TPageId::RussianIncome},
                                             {CheckPage::kCurrency, TPageId::ForeignIncome},
                                             {CheckPage::kBusiness, TPageId::Business},
                                             {CheckPage::kStandard, TPageId::Deduction},
                                             {CheckPage::kProperty, TPageId::Deduction}};
    for (const auto& [code, page] : pages) {
        f.showCheckFinding(code, 0);
        QCOMPARE(f.currentPageId(), page);
        f.insight()->refresh();
        QVERIFY2(f.isSaved(), qPrintable(QString::number(code)));
    }
    QVERIFY(p.dialogs.shown.isEmpty());
}

// The payer's withheld tax typed on the 13 % page: the line follows after the
// pause, and again after the page is left.
void TestInsight::withheldTaxTypedOnThePayerPage() {
    IncomeTestKit::IncomePage page(0, [](mTDeclaration& d) { addPayer(d, "100000", "13000"); });
    TFormMain& f = page.form();
    auto* t = page.sub<TfrThirteenPercent>();
    QVERIFY(t);
    QCOMPARE(t->selectedPayer(), 0);
    QTRY_COMPARE(resultLine(f), u("К уплате: 0 руб."));
    IncomeTestKit::typeAmount(t->meHoldSum, QStringLiteral("9000"));
    QVERIFY(f.insight()->pending());
    QTRY_COMPARE(resultLine(f), u("К уплате: 4_000 руб."));
    IncomeTestKit::typeAmount(t->meHoldSum, QStringLiteral("15000"));
    QTest::mouseClick(f.pageButton(TPageId::InitialData), Qt::LeftButton);
    QCOMPARE(f.currentPageId(), TPageId::InitialData);
    QTRY_COMPARE(resultLine(f), u("К возврату: 2_000 руб."));
}

// Findings in five groups: all listed in check order with page, group and
// message; Enter on each opens its page with its field focused, as
// "Исправить" does.
void TestInsight::findingsOfFiveGroups() {
    Program p;
    const QString file =
        WindowTestKit::writeDocument(p.folder.path() + QStringLiteral("/d.dc1"), [](auto& d) {
            WindowTestKit::makePassing(d);
            d.signerKind = 1;
            d.representativeDocument = QStringLiteral("Доверенность");
            d.person.surname.clear();
            addPayer(d, "100", "200");
            d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagCurrency);
            mTCurrencyIncome& c = d.currencyIncomes.Get(d.currencyIncomes.Add());
            c.unitsOnIncomeDate = 1;
            c.rateOnIncomeDate = Money::fromRoubles(30);
            c.incomeCode = 1010;
            c.incomeInCurrency = Money::fromRoubles(100);
            d.propertyDeduction.granted = 1;
            d.propertyDeduction.objectKind = 0;
            d.propertyDeduction.ownershipKind = 1;
            d.propertyDeduction.taxpayerSign = 1;
            d.person.okato = QStringLiteral("4528");
        });
    TFormMain& f = p.start({file});
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QAction* command = f.insight()->acFindings;
    QCOMPARE(command->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QTest::keyClick(&f, Qt::Key_E, Qt::ControlModifier);
    TFindingsPanel* panel = f.insight()->findingsPanel();
    QVERIFY(panel->isVisible());
    QTreeWidget* list = panel->list();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QVERIFY(AccessKit::namingFaults(panel).isEmpty());

    const struct {
        const char* page;
        const char* group;
        const char* message;
        TPageId opens;
        const char* field; // what a screen reader names the focused field; "" none checked
    } rows[] = {
        {"Задание условий", "Задание условий", "Не указаны ФИО подписанта-представителя",
         TPageId::InitialData, "ФИО"},
        {"Сведения о декларанте", "Сведения о декларанте", "Не введена фамилия",
         TPageId::PersonInfo, "Фамилия"},
        {"Доходы, полученные в РФ", "Доходы, облагаемые ставкой 13%",
         "По данному источнику выплаты общая сумма дохода меньше удержанной суммы",
         TPageId::RussianIncome, ""},
        {"Доходы за пределами РФ", "Доходы в валюте",
         "По данному источнику выплаты не указан код валюты", TPageId::ForeignIncome, ""},
        {"Вычеты", "Имущественный налоговый вычет", "Не введено наименование объекта",
         TPageId::Deduction, ""},
        {"Сведения о декларанте", "Сведения о декларанте",
         "Не введен код ОКАТО(11 симв.) по месту жительства", TPageId::PersonInfo, "ОКАТО"},
    };
    QCOMPARE(list->topLevelItemCount(), int(std::size(rows)));
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const auto& r = rows[i];
        QTreeWidgetItem* item = list->topLevelItem(i);
        QCOMPARE(item->text(0), QString::fromUtf8(r.page));
        QCOMPARE(item->text(1), QString::fromUtf8(r.group));
        QCOMPARE(item->text(2), QString::fromUtf8(r.message));
        list->setFocus();
        list->setCurrentItem(item);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(f.currentPageId(), r.opens);
        if (*r.field) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused && f.currentPage()->isAncestorOf(focused));
            QCOMPARE(AccessKit::spoken(AccessKit::accessibleName(focused)),
                     QString::fromUtf8(r.field));
        }
    }
    QVERIFY(p.dialogs.unexpected.isEmpty());
    // The panel's list is the check's own.
    QCOMPARE(panel->findings().front().message, FirstFinding(f.declaration()).message);
}

void TestInsight::calculationReportWindow() {
    Program p;
    const QString file =
        WindowTestKit::writeDocument(p.folder.path() + QStringLiteral("/d.dc1"), [](auto& d) {
            WindowTestKit::makePassing(d);
            addPayer(d, "100000", "10000");
        });
    TFormMain& f = p.start({file});
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.insight()->acCalcReport->trigger();
    TCalcReportWindow* w = f.insight()->reportWindow();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Расчет налога"));
    QVERIFY(AccessKit::namingFaults(w).isEmpty());
    const QString text = w->view()->toPlainText();
    // The window shows the report's own figures.
    QVERIFY(text.contains(QStringLiteral("Налоговая база")));
    QVERIFY(text.contains(QStringLiteral("100 000 руб.")));
    QVERIFY(w->text().contains(u("  Сумма налога к уплате (доплате): 3_000 руб.")));
    // It follows the document while open.
    f.declaration().thirteenSources.Get(0).taxWithheld = Money::fromRoubles(13000);
    f.pageButtonClicked(TPageId::PersonInfo);
    QTRY_VERIFY(w->text().contains(u("  Сумма налога к уплате (доплате): 0 руб.")));

    // Printed and saved as PDF through the print preview, on A4 pages.
    p.dialogs.saveFile = p.folder.path() + QStringLiteral("/report.pdf");
    int pages = 0;
    bool saved = false;
    p.dialogs.then([&](QDialog& d) {
        auto* preview = qobject_cast<TPrintPreview*>(&d);
        if (!preview)
            return int(QDialog::Rejected);
        preview->view()->updatePreview();
        pages = preview->pageCount();
        saved = preview->savePdf();
        return int(QDialog::Rejected);
    });
    QPushButton* print = w->findChild<QPushButton*>(QStringLiteral("printReport"));
    QVERIFY(print);
    print->click();
    QCOMPARE(p.dialogs.shown, QStringList{QStringLiteral("Просмотр - Расчет налога")});
    QVERIFY(saved);
    QCOMPARE(pages, 1);
    QFile pdf(p.dialogs.saveFile);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

QTEST_MAIN(TestInsight)
#include "test_insight.moc"
