#include "IncomeTestKit.h"
#include "refdata/IncomeDict.h"
#include "storage/DateTime.h"
#include "ui/FrameInitialData.h"
#include "ui/income/FrameThirteenPercent.h"
#include "ui/income/FrameThirteenPercentNR.h"
#include "ui/income/FrameThirtyFivePercent.h"
#include "ui/income/FrameThirtyPercent.h"
#include "ui/income/Input13Income.h"
#include "ui/income/Input13SourseIncome.h"
#include "ui/income/Input30SourseIncome.h"
#include "ui/income/Input35SourseIncome.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace IncomeTestKit;

namespace {

const QString kOkato = QStringLiteral("45286555000");

QString dictName(const QString& code) {
    const QDomDocument dict = LoadIncomeDict();
    for (const IncomeCodeItem& i : IncomeCodeList(dict.documentElement(), QString(), false))
        if (i.code == code)
            return i.name;
    return QString();
}

// What the window session below enters, as the JSON form says it.
struct Payer {
    QString name, inn, kpp;
    bool stdHere = false;
    QJsonArray rows;
    QString withheld, taxable, computed;
};

QJsonObject rowJson(int code, const QString& amount, int deduction, const QString& deducted,
                    int month, bool named = true) {
    return QJsonObject{{"incomeCode", code},
                       {"incomeName", named ? dictName(QString::number(code)) : QString()},
                       {"amount", amount},
                       {"deductionCode", deduction},
                       {"deductionAmount", deducted},
                       {"deductionRate", 0},
                       {"month", month}};
}

QJsonObject payerJson(const Payer& p) {
    return QJsonObject{{"sourceName", p.name},
                       {"sourceInn", p.inn},
                       {"sourceKpp", p.kpp},
                       {"sourceOkato", kOkato},
                       {"stdDeductionsHere", p.stdHere},
                       {"rows", p.rows},
                       {"taxWithheld", p.withheld},
                       {"taxableIncome", p.taxable},
                       {"taxComputed", p.computed}};
}

QJsonObject dividendJson(const QString& name, const QString& amount, const QString& tax,
                         const QString& withheld) {
    return QJsonObject{
        {"sourceName", name},      {"sourceInn", "1234567894"}, {"sourceKpp", "123456789"},
        {"sourceOkato", kOkato},   {"incomeCode", 1010},        {"totalIncome", amount},
        {"taxableAmount", amount}, {"taxComputed", tax},        {"taxWithheld", withheld}};
}

// Drives the page's widgets and dialogs as a user does.
class Session {
public:
    explicit Session(IncomePage& page) : page_(page), s_(page.dialogs()) {}

    void subPage(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    void payer13(TfrThirteenPercent* t, const Payer& p) {
        s_.then(on<TfmInput13SourseIncome>([p](TfmInput13SourseIncome& d) {
            UiTestKit::typeText(d.meSourseName, p.name);
            QTest::keyClicks(d.meINN, p.inn);
            QTest::keyClicks(d.meKPP, p.kpp);
            QTest::keyClicks(d.meOKATO, kOkato);
            if (p.stdHere)
                QTest::mouseClick(d.chbPrimaryWorkplase, Qt::LeftButton);
            QTest::keyClick(d.meOKATO, Qt::Key_Return);
        }));
        QTest::mouseClick(t->bnAddSourse, Qt::LeftButton);
    }

    void row13(TfrThirteenPercent* t, const QString& code, const QString& amount,
               const QString& deduction, const QString& deducted, const QString& month) {
        s_.then(on<TfmInput13Income>([=, this](TfmInput13Income& d) {
            s_.then(pickCode(code));
            QTest::mouseClick(d.bnIncomeCod, Qt::LeftButton);
            typeAmount(d.meIncomeSum, amount);
            if (!deduction.isEmpty()) {
                s_.then(pickCode(deduction));
                QTest::mouseClick(d.bnSubtractCod, Qt::LeftButton);
            }
            if (!deducted.isEmpty())
                typeAmount(d.meSubtractSum, deducted);
            if (d.mePropSale->isEnabled())
                QTest::keyClicks(d.mePropSale, month);
            QTest::mouseClick(d.bnYes, Qt::LeftButton);
        }));
        QTest::mouseClick(t->bnAddIncome, Qt::LeftButton);
    }

    void totals(TfrThirteenPercent* t, const Payer& p) {
        QTest::keyClicks(t->meHoldSum, p.withheld);
        typeAmount(t->meOblSum, p.taxable);
        QTest::keyClicks(t->meTaxSum, p.computed);
    }

    void dividend(TfrThirtyPercent* page, const QString& name, const QString& amount,
                  const QString& withheld) {
        s_.then(on<TfmInput30SourseIncome>([=](TfmInput30SourseIncome& d) {
            UiTestKit::typeText(d.meSourseName, name);
            QTest::keyClicks(d.meINN, "1234567894");
            QTest::keyClicks(d.meKPP, "123456789");
            QTest::keyClicks(d.meOKATO, kOkato);
            typeAmount(d.meItogIncomeSum, amount);
            typeAmount(d.meOblSum, amount);
            QTest::keyClicks(d.meHoldSum, withheld);
            QTest::mouseClick(d.bnYes, Qt::LeftButton);
        }));
        QTest::mouseClick(page->bnAddSourse, Qt::LeftButton);
    }

    // Saves through the window and builds the same content from JSON as
    // qarv-cli build does; both files must be the same bytes.
    void compareWithBuild(const QJsonObject& json) {
        const QString saved = page_.p.folder.file("window.dc1");
        page_.dialogs().saveFile = saved;
        QVERIFY(page_.form().SaveDoc());
        mTDeclaration built;
        built.InitAsNewDocument(TDateTime::today());
        built.FromJson(json);
        const QString fromJson = page_.p.folder.file("built.dc1");
        built.SaveToFile(fromJson);
        QFile a(saved), b(fromJson);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        if (a.readAll() != b.readAll()) {
            // Name the first value that differs.
            mTDeclaration window;
            window.LoadFromFile(saved);
            const QJsonObject w = window.ToJson(), j = built.ToJson();
            for (const QString& key : j.keys())
                QCOMPARE(QJsonDocument(QJsonObject{{key, w.value(key)}}).toJson(),
                         QJsonDocument(QJsonObject{{key, j.value(key)}}).toJson());
            QFAIL("the files differ outside the JSON form");
        }
        QCOMPARE(page_.dialogs().unexpected, QStringList());
        QVERIFY(page_.dialogs().script.empty());
    }

private:
    IncomePage& page_;
    ScriptedDialogs& s_;
};

} // namespace

class TestIncomeSession : public QObject {
    Q_OBJECT

    // Opens a new document's income page; the conditions page's missing
    // tax office is skipped.
    static void openIncome(IncomePage& page, bool nonResident) {
        TfrInitialData* c = page.p.conditions();
        QVERIFY(c);
        if (nonResident)
            QTest::mouseClick(c->rbNeRez, Qt::LeftButton);
        page.dialogs().thenCheck(TfmCheckError::Skip);
        QTest::mouseClick(page.form().pageButton(TPageId::RussianIncome), Qt::LeftButton);
        QVERIFY(page.page());
    }

private slots:
    void resident() {
        IncomePage page(std::nullopt);
        openIncome(page, false);
        Session s(page);
        auto* t = page.sub<TfrThirteenPercent>();
        Payer a{"ООО Альфа", "1234567894", "123456789", true, {}, "13000", "104000.5", "13520"};
        s.payer13(t, a);
        s.row13(t, "2000", "50000", "", "", "1");
        QTest::mouseClick(t->bnRepeatIncome, Qt::LeftButton);
        s.row13(t, "2720", "10000", "501", "", "6");
        s.totals(t, a);
        a.rows = {rowJson(2000, "50000", 0, "0", 1), rowJson(2000, "50000", 0, "0", 2),
                  rowJson(2720, "10000", 501, "4000", 6)};
        Payer b{"ИП Петров", "123456789047", "", false, {}, "3250", "25000", "3250"};
        s.payer13(t, b);
        s.row13(t, "2010", "30000", "403", "5000", "4");
        s.totals(t, b);
        b.rows = {rowJson(2010, "30000", 403, "5000", 4)};
        Payer c{"Сидоров Петр", "", "", false, {}, "0", "0", "0"};
        s.payer13(t, c);
        s.row13(t, "1400", "12000.25", "", "", "11");
        c.rows = {rowJson(1400, "12000.25", 0, "0", 11)};
        QTest::keyClicks(t->meFixedSum, "1200");

        s.subPage(page.page()->FlashButton2);
        auto* div = page.sub<TfrThirtyPercent>();
        s.dividend(div, "АО Первый", "10000", "900");
        s.dividend(div, "АО Второй", "5000.5", "450");

        s.subPage(page.page()->FlashButton3);
        auto* f = page.sub<TfrThirtyFivePercent>();
        ScriptedDialogs& d = page.dialogs();
        d.then(on<TfmInput35SourseIncome>([&](TfmInput35SourseIncome& dlg) {
            UiTestKit::typeText(dlg.meSourseName, QStringLiteral("Рекламное агентство"));
            QTest::keyClicks(dlg.meOKATO, kOkato);
            d.then(pickCode("2740"));
            QTest::mouseClick(dlg.bnIncomeCod, Qt::LeftButton);
            typeAmount(dlg.meItogIncomeSum, "10000");
            d.then(pickCode("505"));
            QTest::mouseClick(dlg.bnSubtractCod, Qt::LeftButton);
            QTest::keyClicks(dlg.meHoldSum, "2100");
            QTest::keyClick(dlg.meHoldSum, Qt::Key_Return);
        }));
        QTest::mouseClick(f->bnAddSourse, Qt::LeftButton);

        const QJsonObject json{
            {"formKind", 0},
            {"autoCountSheets", false}, // the conditions page stores it so
            {"incomeFlags", 1},
            {"foreignerFixedPayments", "1200"},
            {"thirteenSources", QJsonArray{payerJson(a), payerJson(b), payerJson(c)}},
            {"thirtySources", QJsonArray{dividendJson("АО Первый", "10000", "900", "900"),
                                         dividendJson("АО Второй", "5000.5", "450", "450")}},
            {"thirtyFiveSources", QJsonArray{QJsonObject{{"sourceName", "Рекламное агентство"},
                                                         {"sourceOkato", kOkato},
                                                         {"incomeCode", 2740},
                                                         {"totalIncome", "10000"},
                                                         {"deductionCode", 505},
                                                         {"deductionAmount", "4000"},
                                                         {"taxWithheld", "2100"}}}}};
        s.compareWithBuild(json);

        // Reopened, the window shows every payer and row as entered.
        const QString file = page.p.folder.file("window.dc1");
        page.p.close();
        page.p.start({file}).show();
        QTest::mouseClick(page.form().pageButton(TPageId::RussianIncome), Qt::LeftButton);
        t = page.sub<TfrThirteenPercent>();
        QCOMPARE(t->lvSourseIncomeInfo->topLevelItemCount(), 3);
        QCOMPARE(t->lvIncome->topLevelItemCount(), 3);
        QCOMPARE(texts(t->lvIncome->topLevelItem(2)),
                 (QStringList{"6", "2720", "10000", "501", "4000"}));
        QCOMPARE(t->meOblSum->text(), shown("104000.5"));
        QCOMPARE(t->meFixedSum->text(), QStringLiteral("1200"));
        t->lvSourseIncomeInfo->setCurrentItem(t->lvSourseIncomeInfo->topLevelItem(2));
        QCOMPARE(texts(t->lvIncome->topLevelItem(0)),
                 (QStringList{"11", "1400", shown("12000.25"), "0", "0"}));
        s.subPage(page.page()->FlashButton2);
        QCOMPARE(page.sub<TfrThirtyPercent>()->lvSourseIncomeInfo->topLevelItem(1)->text(0),
                 QStringLiteral("АО Второй"));
        s.subPage(page.page()->FlashButton3);
        QCOMPARE(page.sub<TfrThirtyFivePercent>()->meSubtractSum->text(), QStringLiteral("4000"));
    }

    void nonResident() {
        IncomePage page(std::nullopt);
        openIncome(page, true);
        Session s(page);
        auto* t = page.sub<TfrThirteenPercent>();
        QVERIFY(t);
        Payer a{"Работодатель", "1234567894", "123456789", false, {}, "25200", "84000", "25200"};
        s.payer13(t, a);
        s.row13(t, "2000", "80000", "", "", "5"); // no month for a non-resident
        s.row13(t, "2720", "5000", "501", "", "");
        s.totals(t, a);
        a.rows = {rowJson(2000, "80000", 0, "0", 1), rowJson(2720, "5000", 501, "4000", 1)};

        s.subPage(page.page()->FlashButton2);
        s.dividend(page.sub<TfrThirtyPercent>(), "АО Третий", "20000", "3000");

        s.subPage(page.page()->FlashButton6);
        auto* nr = page.sub<TTfrThirteenPercentNR>();
        QVERIFY(nr);
        Payer b{"Компания", "", "", false, {}, "39000", "300000", "39000"};
        s.payer13(nr, b);
        s.row13(nr, "2000", "300000", "", "", "5");
        s.totals(nr, b);
        b.rows = {rowJson(2000, "300000", 0, "0", 5, false)};

        const QJsonObject json{
            {"formKind", 1},
            {"autoCountSheets", false},
            {"incomeFlags", 1},
            {"thirteenSources", QJsonArray{payerJson(a)}},
            {"thirteenNrSources", QJsonArray{payerJson(b)}},
            {"thirtySources", QJsonArray{dividendJson("АО Третий", "20000", "3000", "3000")}}};
        s.compareWithBuild(json);
    }
};

QTEST_MAIN(TestIncomeSession)
#include "test_income_session.moc"
