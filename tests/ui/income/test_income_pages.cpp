#include "IncomeTestKit.h"
#include "ui/income/FrameThirteenPercent.h"
#include "ui/income/FrameThirteenPercentNR.h"
#include "ui/income/FrameThirtyFivePercent.h"
#include "ui/income/FrameThirtyPercent.h"
#include "ui/income/Input13Income.h"
#include "ui/income/Input13SourseIncome.h"
#include "ui/income/Input30SourseIncome.h"
#include "ui/income/Input35SourseIncome.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

using namespace IncomeTestKit;

namespace {

const QString kWithheldAbove =
    QStringLiteral("Проверка: Доходы, облагаемые ставкой 13%|По данному источнику выплаты общая "
                   "сумма дохода меньше удержанной суммы");

void payerWithRows(mTDeclaration& d, const QString& name, std::initializer_list<int> months,
                   qint64 withheld = 0) {
    mTThirteenPercent& p = d.thirteenSources.Get(d.thirteenSources.Add());
    p.sourceName = name;
    p.sourceOkato = QStringLiteral("45286555000");
    for (int m : months)
        p.AddRow(row(qint16(m), 2000, 1000 * m));
    p.taxWithheld = Money::fromRoubles(withheld);
}

} // namespace

class TestIncomePages : public QObject {
    Q_OBJECT

private slots:
    // The sub-page buttons by form kind, and the page a 4-NDFL declaration gets.
    void buttonsByForm_data() {
        QTest::addColumn<int>("formKind");
        QTest::addColumn<QList<bool>>("shown");
        QTest::addColumn<bool>("foreignerGroup");
        QTest::newRow("resident") << 0 << QList<bool>{true, true, true, false} << true;
        QTest::newRow("non-resident") << 1 << QList<bool>{true, true, false, true} << false;
    }
    void buttonsByForm() {
        QFETCH(int, formKind);
        QFETCH(QList<bool>, shown);
        QFETCH(bool, foreignerGroup);
        IncomePage page{quint8(formKind)};
        TfrRussianIncome* c = page.page();
        QVERIFY(c);
        const QList<bool> actual{c->FlashButton1->isVisibleTo(c), c->FlashButton2->isVisibleTo(c),
                                 c->FlashButton3->isVisibleTo(c), c->FlashButton6->isVisibleTo(c)};
        QCOMPARE(actual, shown);
        QCOMPARE(c->currentIndex(), 0);
        auto* t = page.sub<TfrThirteenPercent>();
        QVERIFY(t);
        QCOMPARE(t->gbForeigner->isVisibleTo(t), foreignerGroup);
        QVERIFY(!t->bnAddIncome->isEnabled());
        if (formKind == 1) {
            c->FlashButton6->click();
            auto* nr = page.sub<TTfrThirteenPercentNR>();
            QVERIFY(nr);
            QVERIFY(nr->gbForeigner->isVisibleTo(nr));
        }
    }

    // A payer and its rows entered through the dialogs: what the lists show,
    // what the model keeps, and that the document is marked changed.
    void enterPayerAndRows() {
        IncomePage page(0);
        auto* t = page.sub<TfrThirteenPercent>();
        ScriptedDialogs& s = page.dialogs();
        s.then(on<TfmInput13SourseIncome>([](TfmInput13SourseIncome& d) {
            UiTestKit::typeText(d.meSourseName, QStringLiteral("ООО Ромашка"));
            QTest::keyClicks(d.meOKATO, "45286555000");
            d.chbPrimaryWorkplase->setChecked(true);
            d.bnYes->click();
        }));
        t->bnAddSourse->click();
        QCOMPARE(t->lvSourseIncomeInfo->topLevelItemCount(), 1);
        QCOMPARE(t->selectedPayer(), 0);
        QVERIFY(t->bnAddIncome->isEnabled());
        QVERIFY(!page.form().isSaved());
        auto addRow = [&](const QString& code, const QString& amount, const QString& month) {
            s.then(on<TfmInput13Income>([&, code, amount, month](TfmInput13Income& d) {
                s.then(pickCode(code));
                d.bnIncomeCod->click();
                typeAmount(d.meIncomeSum, amount);
                if (code == QLatin1String("2720")) {
                    s.then(pickCode("0"));
                    d.bnSubtractCod->click();
                }
                QTest::keyClicks(d.mePropSale, month);
                d.bnYes->click();
            }));
            t->bnAddIncome->click();
        };
        addRow("2000", "50000", "3");
        addRow("2720", "1000.5", "12");
        QCOMPARE(t->lvIncome->topLevelItemCount(), 2);
        QCOMPARE(t->selectedRow(), 1);
        // A row just entered shows "Нет" for a missing code; read back, "0".
        QCOMPARE(texts(t->lvIncome->topLevelItem(1)),
                 (QStringList{"12", "2720", shown("1000.5"), "Нет", "-"}));
        QCOMPARE(t->meItogIncome->text(), shown("51000.5"));
        const mTThirteenPercent& p = page.form().declaration().thirteenSources.Get(0);
        QCOMPARE(p.stdDeductionsHere, quint8(1));
        QCOMPARE(p.RowCount(), 2);
        QCOMPARE(p.GetRow(1).month, qint16(12));
        QVERIFY(!p.GetRow(0).incomeName.isEmpty());

        // Enter on the payer list edits the payer.
        s.then(on<TfmInput13SourseIncome>([](TfmInput13SourseIncome& d) {
            QCOMPARE(d.meSourseName->text(), QStringLiteral("ООО Ромашка"));
            UiTestKit::typeText(d.meSourseName, QStringLiteral(" 2"));
            d.bnYes->click();
        }));
        t->lvSourseIncomeInfo->setFocus();
        QTest::keyClick(t->lvSourseIncomeInfo, Qt::Key_Return);
        QCOMPARE(t->lvSourseIncomeInfo->topLevelItem(0)->text(0), QStringLiteral("ООО Ромашка 2"));
        QCOMPARE(s.unexpected, QStringList());
        QVERIFY(s.script.empty());
    }

    void repeatRow_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("copied");
        QTest::newRow("March gives April") << 3 << 4;
        QTest::newRow("December stays December") << 12 << 12;
    }
    void repeatRow() {
        QFETCH(int, month);
        QFETCH(int, copied);
        IncomePage page(0, [&](mTDeclaration& d) { payerWithRows(d, "Работодатель", {month}); });
        auto* t = page.sub<TfrThirteenPercent>();
        QCOMPARE(t->selectedPayer(), 0); // the first payer is selected when the page opens
        t->bnRepeatIncome->click();
        const mTThirteenPercent& p = page.form().declaration().thirteenSources.Get(0);
        QCOMPARE(p.RowCount(), 2);
        mTThirteenPercent::IncomeRow expected = p.GetRow(0);
        expected.month = qint16(copied);
        QCOMPARE(p.GetRow(1), expected);
        QCOMPARE(t->selectedRow(), 1);
        QCOMPARE(p.totalIncome, Money::fromRoubles(2000 * month));
        // A repeated row is a change the save prompt must know about.
        QVERIFY(!page.form().isSaved());
    }

    // Totals typed for one payer reach it when another is selected; deleting
    // payers selects the previous one and, with none left, disables the rows.
    void totalsAndDeleting() {
        IncomePage page(0, [](mTDeclaration& d) {
            payerWithRows(d, "Первый", {1, 2});
            payerWithRows(d, "Второй", {5}, 300);
        });
        auto* t = page.sub<TfrThirteenPercent>();
        // Rows read back show numbers.
        QCOMPARE(texts(t->lvIncome->topLevelItem(0)), (QStringList{"1", "2000", "1000", "0", "0"}));
        QTest::keyClicks(t->meHoldSum, "390");
        typeAmount(t->meOblSum, "3000.25");
        selectItem(t, 1);
        mTDeclaration& d = page.form().declaration();
        QCOMPARE(d.thirteenSources.Get(0).taxWithheld, Money::fromRoubles(390));
        QCOMPARE(d.thirteenSources.Get(0).taxableIncome, Money::parse("3000.25").value());
        QCOMPARE(t->meHoldSum->text(), QStringLiteral("300"));
        QCOMPARE(t->lvIncome->topLevelItemCount(), 1);

        t->bnDelSourse->click();
        QCOMPARE(d.thirteenSources.Count(), 1);
        QCOMPARE(t->selectedPayer(), 0);
        QCOMPARE(t->meHoldSum->text(), QStringLiteral("390"));
        t->bnDelIncome->click();
        QCOMPARE(d.thirteenSources.Get(0).RowCount(), 1);
        QCOMPARE(t->selectedRow(), 0);
        t->bnDelSourse->click();
        QCOMPARE(d.thirteenSources.Count(), 0);
        QCOMPARE(t->selectedPayer(), -1);
        for (QWidget* w : std::initializer_list<QWidget*>{t->bnAddIncome, t->bnDelIncome,
                                                          t->bnEditIncome, t->bnRepeatIncome,
                                                          t->meHoldSum, t->meOblSum, t->meTaxSum})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QCOMPARE(t->meHoldSum->text(), QString());
        QCOMPARE(t->meItogIncome->text(), QString());
        QCOMPARE(t->lvIncome->topLevelItemCount(), 0);
        t->StoreToModel(); // nothing selected: nothing to write, nothing to break
    }

    // Leaving the 13 % page for another sub-page or page while a payer's
    // income is below its withheld tax keeps the page and selects that payer.
    void withheldAboveIncome_data() {
        QTest::addColumn<bool>("subPage");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("kept");
        QTest::newRow("sub-page, Исправить") << true << int(TfmCheckError::Fix) << true;
        QTest::newRow("sub-page, Пропустить") << true << int(TfmCheckError::Skip) << false;
        QTest::newRow("page button, Исправить") << false << int(TfmCheckError::Fix) << true;
    }
    void withheldAboveIncome() {
        QFETCH(bool, subPage);
        QFETCH(int, answer);
        QFETCH(bool, kept);
        IncomePage page(0, [](mTDeclaration& d) {
            payerWithRows(d, "Первый", {1});
            payerWithRows(d, "Второй", {1, 3}, 5000); // 4 000 of income
        });
        page.dialogs().thenCheck(answer);
        TfrRussianIncome* c = page.page();
        if (subPage)
            c->FlashButton2->click();
        else
            QTest::mouseClick(page.form().pageButton(TPageId::PersonInfo), Qt::LeftButton);
        QCOMPARE(page.dialogs().shown, QStringList{kWithheldAbove});
        QCOMPARE(page.form().currentPageId() == TPageId::RussianIncome, kept || subPage);
        if (!kept) {
            QCOMPARE(c->currentIndex(), int(TfrRussianIncome::Dividends));
            QVERIFY(c->FlashButton2->isChecked());
            return;
        }
        QCOMPARE(page.page()->currentIndex(), 0);
        QVERIFY(page.page()->FlashButton1->isChecked());
        QCOMPARE(page.sub<TfrThirteenPercent>()->selectedPayer(), 1);
    }

    // The whole-document check leads to the right sub-page and payer.
    void documentFinding_data() {
        QTest::addColumn<int>("formKind");
        QTest::newRow("resident") << 0;
        QTest::newRow("non-resident") << 1;
    }
    void documentFinding() {
        QFETCH(int, formKind);
        IncomePage page(quint8(formKind), [](mTDeclaration& d) {
            payerWithRows(d, "Первый", {1});
            payerWithRows(d, "Без доходов", {});
            mTThirtyPercent& div = d.thirtySources.Get(d.thirtySources.Add());
            div.sourceName = QStringLiteral("АО");
        });
        page.page()->FlashButton2->click();
        QCOMPARE(page.page()->currentIndex(), int(TfrRussianIncome::Dividends));
        QCOMPARE(page.sub<TfrThirtyPercent>()->selectedPayer(), 0);
        page.dialogs().thenCheck(TfmCheckAllError::Fix);
        page.form().CheckDoc();
        QCOMPARE(page.dialogs().shown.value(0),
                 QStringLiteral("Проверка: Доходы, облагаемые ставкой 13%|По данному источнику не "
                                "указаны доходы"));
        QCOMPARE(page.form().currentPageId(), TPageId::RussianIncome);
        QCOMPARE(page.page()->currentIndex(), 0);
        QCOMPARE(page.sub<TfrThirteenPercent>()->selectedPayer(), 1);
    }

    // The dividend and 35 % pages: adding through the dialog, the result
    // panel, deleting.
    void payerListPages() {
        IncomePage page(0);
        ScriptedDialogs& s = page.dialogs();
        page.page()->FlashButton2->click();
        auto* div = page.sub<TfrThirtyPercent>();
        QVERIFY(div);
        s.then(on<TfmInput30SourseIncome>([](TfmInput30SourseIncome& d) {
            UiTestKit::typeText(d.meSourseName, QStringLiteral("АО Дивиденд"));
            QTest::keyClicks(d.meOKATO, "45286555000");
            typeAmount(d.meItogIncomeSum, "10000");
            typeAmount(d.meOblSum, "10000");
            QTest::keyClicks(d.meHoldSum, "900");
            QTest::keyClick(d.meHoldSum, Qt::Key_Return);
        }));
        div->bnAddSourse->click();
        mTDeclaration& d = page.form().declaration();
        QCOMPARE(d.thirtySources.Count(), 1);
        QCOMPARE(d.thirtySources.Get(0).incomeCode, 1010);
        QCOMPARE(d.thirtySources.Get(0).taxComputed, Money::fromRoubles(900));
        QCOMPARE(div->selectedPayer(), 0);
        QCOMPARE(div->meItogIncomeSum->text(), QStringLiteral("10000"));

        page.page()->FlashButton3->click();
        auto* f = page.sub<TfrThirtyFivePercent>();
        QVERIFY(f);
        s.then(on<TfmInput35SourseIncome>([&](TfmInput35SourseIncome& dlg) {
            UiTestKit::typeText(dlg.meSourseName, QStringLiteral("Банк"));
            QTest::keyClicks(dlg.meOKATO, "45286555000");
            s.then(pickCode("3020"));
            dlg.bnIncomeCod->click();
            typeAmount(dlg.meItogIncomeSum, "700");
            dlg.bnYes->click();
        }));
        f->bnAddSourse->click();
        QCOMPARE(d.thirtyFiveSources.Count(), 1);
        QCOMPARE(f->meIncomeCod->text(), QStringLiteral("3020"));
        QCOMPARE(f->meSubtractCod->text(), QStringLiteral("Нет"));
        f->bnDelSourse->click();
        QCOMPARE(d.thirtyFiveSources.Count(), 0);
        QCOMPARE(f->meIncomeCod->text(), QString());
        QVERIFY(!f->bnEditSourse->isEnabled());
        QCOMPARE(s.unexpected, QStringList());
    }

    // Every field of every sub-page is named by its caption for a screen reader.
    void pagesNamed_data() {
        QTest::addColumn<int>("formKind");
        QTest::addColumn<int>("index");
        QTest::newRow("13 %") << 0 << 0;
        QTest::newRow("dividends") << 0 << 1;
        QTest::newRow("35 %") << 0 << 2;
        QTest::newRow("non-resident 30 %") << 1 << 0;
        QTest::newRow("specialists 13 %") << 1 << 3;
    }
    void pagesNamed() {
        QFETCH(int, formKind);
        QFETCH(int, index);
        IncomePage page(quint8(formKind),
                        [](mTDeclaration& d) { payerWithRows(d, "Первый", {1}); });
        page.page()->showSubPage(index, 0);
        QCOMPARE(AccessKit::namingFaults(page.page()), QStringList());
        for (QPushButton* b : page.page()->findChildren<QPushButton*>())
            QVERIFY2(b->text().contains(QLatin1Char('&')), qPrintable(b->text()));
    }

private:
    static void selectItem(TfrThirteenPercent* t, int index) {
        QTreeWidget* l = t->lvSourseIncomeInfo;
        l->setCurrentItem(l->topLevelItem(index));
    }
};

QTEST_MAIN(TestIncomePages)
#include "test_income_pages.moc"
