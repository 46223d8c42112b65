#include "AccessKit.h"
#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"
#include "ui/MaskedEdit.h"
#include "ui/OkvedPicker.h"
#include "ui/business/FrameBusinessNew.h"
#include "ui/business/InputBusinessIncome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

namespace {

QString dec(QString text) {
    return text.replace(u'.', TMaskedEdit::decimalSeparator());
}

void click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier,
                      qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)
                          ? QPoint(8, b->height() / 2)
                          : QPoint());
}

void retype(QLineEdit* e, const QString& text) {
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    UiTestKit::typeText(e, dec(text));
}

const QString kOkved = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?><OKVED>"
    "<Okved GRUP=\"1\" Kod=\"52\" Name=\"Розничная торговля\" OKVED=\"52\"/>"
    "<Okved GRUP=\"2\" Kod=\"52.1\" Name=\"Розничная торговля в неспециализированных магазинах\" "
    "OKVED=\"52.1\"/>"
    "<Okved GRUP=\"3\" Kod=\"52.11\" Name=\"Розничная торговля продуктами\" OKVED=\"52.11\"/>"
    "</OKVED>");

struct BusinessWindow {
    Program p;
    TFormMain* f = nullptr;

    explicit BusinessWindow(const QStringList& args = {}) {
        p.folder.write(QStringLiteral("Sp_OKVED2.xml"), kOkved);
        f = &p.start(args);
        f->show();
        if (args.isEmpty())
            click(p.conditions()->chbIncomeBusiness);
        p.dialogs.thenCheck(TfmCheckError::Skip); // the conditions page: no inspection
        f->pageButtonClicked(TPageId::Business);
        p.dialogs.shown.clear();
    }
    TfrBusinessNew* page() const { return qobject_cast<TfrBusinessNew*>(f->currentPage()); }

    // kind 1 picks the code of the given OKVED level (0: none) through the picker.
    void add(int kind, int okvedLevel = 0) {
        p.dialogs.then([this, kind, okvedLevel](QDialog& d) {
            auto& a = dynamic_cast<TfmInputBusinessIncome&>(d);
            QRadioButton* radios[] = {a.rbBusiness, a.rbNotary, a.rbLawyer, a.rbOther};
            click(radios[kind - 1]);
            if (okvedLevel > 0) {
                p.dialogs.script.push_front([okvedLevel](QDialog& o) {
                    auto& picker = dynamic_cast<TFormOKVED&>(o);
                    for (int level = 1; level <= okvedLevel; ++level) {
                        picker.levels[level - 1]->setCurrentIndex(1);
                        emit picker.levels[level - 1]->activated(1);
                    }
                    return int(QDialog::Accepted);
                });
                click(a.bnIncomeCod);
            }
            return int(QDialog::Accepted);
        });
        click(page()->bnAdd);
    }
};

} // namespace

class TestFrameBusiness : public QObject {
    Q_OBJECT
private slots:
    void norm_data() {
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("norm");
        QTest::newRow("half up on kopecks") << "100000.03"
                                            << "20000.01";
        QTest::newRow("0.6 of a kopeck") << "0.03"
                                         << "0.01";
        QTest::newRow("below half") << "0.02"
                                    << "0";
        QTest::newRow("whole") << "1000"
                               << "200";
        QTest::newRow("empty") << ""
                               << "0";
    }
    void norm() {
        QFETCH(QString, income);
        QFETCH(QString, norm);
        BusinessWindow w;
        w.add(2);
        TfrBusinessNew* b = w.page();
        // A new activity starts with the norm although the model's default is documented.
        QVERIFY(!b->chbIsConfirmedExpensies->isChecked());
        QVERIFY(b->Panel5->isVisible() && !b->MaskedEdit2->isVisible());
        retype(b->MaskedEdit1, "5");
        retype(b->MaskedEdit1, income);
        QCOMPARE(b->Panel5->text(), dec(norm));
        b->StoreToModel();
        const mTBusinessNew& r = w.f->declaration().businessActivities.Get(0);
        QCOMPARE(r.hasConfirmedExpenses, quint8(0));
        QCOMPARE(r.unconfirmedExpenses.toString(), norm);
    }

    void check_data() {
        QTest::addColumn<QList<int>>("answers"); // TfmCheckError results, in order
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("result");
        const QString mixed = QStringLiteral(
            "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.");
        const QString labour = QStringLiteral("Расходы по оплате трудовых договоров(1500) "
                                              "превышают сумму расходов на оплату труда (1000)");
        const QString total = QStringLiteral(
            "Общие расходы (5000) не совпадают с суммой расходов материальных, на оплату труда, "
            "прочих и амортизационных отчислений (4000)");
        // Records: 1 documented, all right; 2 the norm; 3 documented with labour
        // contracts above labour; 4 documented with a total not the sum.
        QTest::newRow("skip each") << QList<int>{2, 2, 2} << QStringList{mixed, labour, total} << 0;
        QTest::newRow("after a fix the later records' own checks wait")
            << QList<int>{1} << QStringList{mixed} << 2;
        QTest::newRow("skip all ends") << QList<int>{3} << QStringList{mixed} << 0;
        QTest::newRow("fix on the last")
            << QList<int>{2, 2, 1} << QStringList{mixed, labour, total} << 4;
    }
    void check() {
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, messages);
        QFETCH(int, result);
        Program p;
        const QString file =
            WindowTestKit::writeDocument(p.folder.file("b.dc1"), [](mTDeclaration& d) {
                d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagBusiness);
                auto add = [&d](quint8 confirmed) -> mTBusinessNew& {
                    mTBusinessNew& b = d.businessActivities.Get(d.businessActivities.Add());
                    b.activityKind = QStringLiteral("2");
                    b.hasConfirmedExpenses = confirmed;
                    b.materialExpenses = b.depreciation = b.otherExpenses =
                        Money::fromRoubles(1000);
                    b.labourExpenses = Money::fromRoubles(1000);
                    b.expensesTotal = Money::fromRoubles(4000);
                    return b;
                };
                add(1);
                add(0);
                add(1).labourContractExpenses = Money::fromRoubles(1500);
                add(1).expensesTotal = Money::fromRoubles(5000);
            });
        TFormMain& f = p.start({file});
        f.show();
        p.dialogs.thenCheck(TfmCheckError::Skip);
        f.pageButtonClicked(TPageId::Business);
        p.dialogs.shown.clear();
        auto* b = qobject_cast<TfrBusinessNew*>(f.currentPage());
        for (int a : answers)
            p.dialogs.thenCheck(a);
        QCOMPARE(b->CheckPage(), result);
        QStringList expected;
        for (const QString& m : messages)
            expected << QStringLiteral("Проверка: Доходы от предпринимательской деятельности|") + m;
        QCOMPARE(p.dialogs.shown, expected);
    }

    void addingAndDeleting() {
        BusinessWindow w;
        TfrBusinessNew* b = w.page();
        QVERIFY(!b->MaskedEdit1->isEnabled());
        w.add(1); // a business without its code is not added
        QCOMPARE(w.f->declaration().businessActivities.Count(), 0);
        w.add(1, 3);
        QCOMPARE(b->lvSourseIncomeInfo->topLevelItem(0)->text(0), QStringLiteral("52.11"));
        w.add(3);
        QCOMPARE(b->lvSourseIncomeInfo->topLevelItem(1)->text(0),
                 QStringLiteral("Адвокатская деятельность"));
        QCOMPARE(b->selectedIndex(), 1);
        QVERIFY(b->MaskedEdit1->isEnabled());
        QVERIFY(w.p.dialogs.unexpected.isEmpty());
        QVERIFY(AccessKit::namingFaults(b).isEmpty());

        click(b->cbIsFH);
        QVERIFY(b->meFHSum->isEnabled());
        retype(b->meBeginninFH, "");
        retype(b->meFHSum, "12345.6");
        retype(b->meActualPrepayment, "700");
        b->StoreToModel();
        const mTDeclaration& d = w.f->declaration();
        QCOMPARE(d.farmFoundedDate, TDateTime::fromYmd(2000, 1, 1));
        QCOMPARE(d.farmExemptIncome.toString(), QStringLiteral("12345.6"));
        QCOMPARE(d.isFarm, quint8(1));
        b->updBeginningUsePrivilegeDate->stepBy(-3);
        QCOMPARE(b->meBeginninFH->text(), QStringLiteral("2005")); // the up-down from 2008

        click(b->bnDelete);
        QCOMPARE(b->selectedIndex(), 0);
        click(b->bnDelete);
        QCOMPARE(d.businessActivities.Count(), 0);
        QVERIFY(!b->MaskedEdit1->isEnabled() && !b->cbIsFH->isChecked());
        for (TMaskedEdit* e : {b->meFHSum, b->meNachPrepayment, b->meActualPrepayment})
            QCOMPARE(e->text(), QStringLiteral("0"));
        b->StoreToModel();
        QCOMPARE(d.actualAdvancePayments, Money());
        QCOMPARE(d.farmExemptIncome, Money());
        QCOMPARE(d.isFarm, quint8(0));
    }

    // The activity dialog: only a business takes a code, and the picker's
    // "нет" (nothing chosen) never becomes one.
    void activityDialog() {
        BusinessWindow w;
        TfmInputBusinessIncome d(w.f, *w.f);
        QVERIFY(AccessKit::namingFaults(&d).isEmpty());
        QVERIFY(d.bnIncomeCod->isEnabled());
        w.p.dialogs.thenCheck(TfmCheckError::Skip); // the short-code check of the picker
        w.p.dialogs.then([](QDialog& o) {
            QMetaObject::invokeMethod(&dynamic_cast<TFormOKVED&>(o), "accept");
            return int(QDialog::Accepted);
        });
        click(d.bnIncomeCod);
        QVERIFY(d.me1->text().isEmpty());
        click(d.rbNotary);
        QVERIFY(!d.bnIncomeCod->isEnabled());
        QCOMPARE(d.kind(), QStringLiteral("2"));
    }

    // Entered through the widgets only, saved, and byte for byte what the
    // command line builds from the same content.
    void wholeSession() {
        BusinessWindow w;
        TfrBusinessNew* b = w.page();
        w.add(1, 2);
        retype(b->MaskedEdit1, "500000");
        click(b->chbIsConfirmedExpensies);
        retype(b->MaskedEdit2, "100000");
        retype(b->MaskedEdit3, "40000");
        retype(b->MaskedEdit4, "10000");
        retype(b->MaskedEdit5, "30000");
        retype(b->MaskedEdit6, "20000");
        retype(b->MaskedEdit7, "20000");
        w.add(2);
        retype(b->MaskedEdit1, "100000.03");
        w.add(4);
        retype(b->MaskedEdit1, "1000");
        retype(b->meNachPrepayment, "15000");
        retype(b->meActualPrepayment, "12000");
        click(b->cbIsFH);
        retype(b->meBeginninFH, "2005");
        retype(b->meFHSum, "3000");
        const QString saved = w.p.folder.file("session.dc1");
        w.p.dialogs.saveFile = saved;
        QVERIFY(w.f->SaveAsDoc());

        const QJsonObject json = QJsonDocument::fromJson(R"json({
          "incomeFlags": 5, "autoCountSheets": false,
          "accruedAdvancePayments": "15000", "actualAdvancePayments": "12000",
          "isFarm": true, "farmFoundedDate": "2005-01-01", "farmExemptIncome": "3000",
          "businessActivities": [
            {"activityKind": "1", "activityCode": "52.1", "income": "500000",
             "hasConfirmedExpenses": true, "expensesTotal": "100000", "materialExpenses": "40000",
             "depreciation": "10000", "labourExpenses": "30000", "labourContractExpenses": "20000",
             "otherExpenses": "20000"},
            {"activityKind": "2", "activityCode": "", "income": "100000.03",
             "hasConfirmedExpenses": false, "unconfirmedExpenses": "20000.01"},
            {"activityKind": "4", "activityCode": "", "income": "1000",
             "hasConfirmedExpenses": false, "unconfirmedExpenses": "200"}
          ]})json")
                                     .object();
        mTDeclaration built;
        built.InitAsNewDocument(TDateTime::today());
        built.FromJson(json);
        const QString expected = w.p.folder.file("built.dc1");
        built.SaveToFile(expected);
        mTDeclaration back;
        back.LoadFromFile(saved);
        QCOMPARE(QJsonDocument(back.ToJson()).toJson(), QJsonDocument(built.ToJson()).toJson());
        QFile a(saved), e(expected);
        QVERIFY(a.open(QIODevice::ReadOnly) && e.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), e.readAll());
        QVERIFY(w.p.dialogs.unexpected.isEmpty());
    }
};

QTEST_MAIN(TestFrameBusiness)
#include "test_frame_business.moc"
