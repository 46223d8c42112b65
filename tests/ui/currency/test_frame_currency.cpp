#include "AccessKit.h"
#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "model/DeclClasses.h"
#include "refdata/IncomeDict.h"
#include "storage/DateTime.h"
#include "ui/DateEdit.h"
#include "ui/MaskedEdit.h"
#include "ui/currency/FrameCurrency.h"
#include "ui/currency/InputCurrencySourseIncome.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kRates = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?><CurrencyRates>"
    "<Currency Code=\"840\" Name=\"Доллар США\" Quantity=\"1\">"
    "<Rate Date=\"30.12.2010\" Rate=\"30,4769\"/><Rate Date=\"11.01.2011\" Rate=\"30,5\"/>"
    "<Rate Date=\"01.02.2011\" Rate=\"29\"/></Currency>"
    "<Currency Code=\"392\" Name=\"Японская иена\" Quantity=\"100\">"
    "<Rate Date=\"30.12.2010\" Rate=\"37,4\"/></Currency></CurrencyRates>");

QString dec(QString text) {
    return text.replace(u'.', TMaskedEdit::decimalSeparator());
}

void click(QAbstractButton* b) {
    // Check boxes on their indicator, at the left.
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier,
                      qobject_cast<QCheckBox*>(b) ? QPoint(8, b->height() / 2) : QPoint());
}

// Replaces a field's text the way the user does: select all, type.
void retype(QLineEdit* e, const QString& text) {
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    UiTestKit::typeText(e, dec(text));
}

int incomeRow(const QString& code) {
    const QDomDocument dict = LoadIncomeDict();
    return PreselectRow(IncomeCodeList(dict.documentElement(), QString(), false), code);
}

int deductRow(const QString& income, const QString& code) {
    const QDomDocument dict = LoadIncomeDict();
    return PreselectRow(DeductCodeList(dict.documentElement(), income, true), code);
}

// The window with the currency page on screen.
struct CurrencyWindow {
    Program p;
    TFormMain* f = nullptr;

    explicit CurrencyWindow(const QStringList& args = {}, bool rates = true) {
        if (rates)
            p.folder.write(QStringLiteral("CurrencyRates.xml"), kRates);
        f = &p.start(args);
        f->show();
        if (args.isEmpty())
            click(p.conditions()->chbIncomeCurrency);
        // The conditions page finds no inspection number: skipped.
        p.dialogs.thenCheck(TfmCheckError::Skip);
        f->pageButtonClicked(TPageId::ForeignIncome);
        p.dialogs.shown.clear();
    }
    TfrCurrency* page() const { return qobject_cast<TfrCurrency*>(f->currentPage()); }

    void addSource(const QString& name, const QString& country) {
        p.dialogs.then([name, country](QDialog& d) {
            auto& s = dynamic_cast<TfmInputCurrencySourseIncome&>(d);
            s.meSourseName->setText(name);
            s.meGos->setText(country);
            return int(QDialog::Accepted);
        });
        click(page()->bnAdd);
    }
    void pickIncome(const QString& code) {
        p.dialogs.thenPick(incomeRow(code));
        click(page()->bnIncomeCod);
    }
    void pickDeduction(const QString& income, const QString& code) {
        p.dialogs.thenPick(deductRow(income, code));
        click(page()->bnSubtractCod);
    }
};

} // namespace

class TestFrameCurrency : public QObject {
    Q_OBJECT private slots : void roubles_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("roubles");
        QTest::newRow("1 unit") << "1000"
                                << "30.50"
                                << "1"
                                << "30500";
        QTest::newRow("100 units") << "1000"
                                   << "3050.00"
                                   << "100"
                                   << "30500";
        QTest::newRow("units 0") << "1000"
                                 << "30.5"
                                 << "0"
                                 << "0";
        QTest::newRow("no rate") << "1000"
                                 << ""
                                 << "1"
                                 << "0";
        QTest::newRow("no amount") << ""
                                   << "30.5"
                                   << "1"
                                   << "0";
        QTest::newRow("half kopeck up") << "0.29"
                                        << "30.5"
                                        << "1"
                                        << "8.85";
        QTest::newRow("per 100 kopecks") << "123.45"
                                         << "37.4"
                                         << "100"
                                         << "46.17";
    }
    // Typed rates: the income by the income-date pair, the tax by the tax-date pair.
    void roubles() {
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(QString, units);
        QFETCH(QString, roubles);
        CurrencyWindow w;
        w.addSource(QStringLiteral("Банк"), QStringLiteral("840"));
        TfrCurrency* c = w.page();
        w.pickIncome(QStringLiteral("1010"));
        retype(c->meCurrencyExchange, rate);
        retype(c->meCurrencyUnits, units);
        retype(c->meIncomeCurrencySum, amount);
        QCOMPARE(c->pnlIncomeRublSum->text(), dec(roubles));
        retype(c->meCurrencyExchange2, rate);
        retype(c->meCurrencyUnits2, units);
        retype(c->meTaxCurrencySum, amount);
        QCOMPARE(c->pnlTaxRoubleSum->text(), dec(roubles));
        c->StoreToModel();
        const mTCurrencyIncome& r = w.f->declaration().currencyIncomes.Get(0);
        QCOMPARE(r.incomeInRubles.toString(), roubles);
        QCOMPARE(r.taxInRubles.toString(), roubles);
    }

    void automaticRates() {
        CurrencyWindow w;
        w.addSource(QStringLiteral("Банк"), QStringLiteral("840"));
        TfrCurrency* c = w.page();
        QVERIFY(!c->chbAutoExchange->isChecked());
        UiTestKit::typeText(c->meCurrencyCode, QStringLiteral("840"));
        QCOMPARE(c->meCurrencyName->text(), QStringLiteral("Доллар США"));
        QVERIFY(c->meCurrencyName->isReadOnly());
        QVERIFY(c->chbAutoExchange->isEnabled());
        click(c->chbAutoExchange);
        QVERIFY(c->meCurrencyExchange->isReadOnly());
        // 01.01.2011 has no entry of its own: the last earlier one.
        QCOMPARE(c->meCurrencyExchange->text(), dec("30.4769"));
        QCOMPARE(c->meCurrencyUnits->text(), QStringLiteral("1"));
        c->dtIncomeGetDate->setDate(QDate(2011, 1, 15));
        QCOMPARE(c->meCurrencyExchange->text(), dec("30.5"));
        c->dtSubtractDate->setDate(QDate(2011, 2, 1));
        QCOMPARE(c->meCurrencyExchange2->text(), dec("29"));
        w.pickIncome(QStringLiteral("1010"));
        retype(c->meIncomeCurrencySum, "100");
        QCOMPARE(c->pnlIncomeRublSum->text(), dec("3050"));
        c->StoreToModel();
        const mTCurrencyIncome& r = w.f->declaration().currencyIncomes.Get(0);
        QCOMPARE(r.autoRate, quint8(1));
        QCOMPARE(r.rateOnIncomeDate.toString(), QStringLiteral("30.5"));
        QCOMPARE(r.rateOnTaxDate.toString(), QStringLiteral("29"));
        QCOMPARE(r.incomeDate, TDateTime::fromYmd(2011, 1, 15));

        // Another listed currency takes its own quantity and rate.
        c->meCurrencyCode->selectAll();
        UiTestKit::paste(c->meCurrencyCode, QStringLiteral("392"));
        QCOMPARE(c->meCurrencyUnits->text(), QStringLiteral("100"));
        QCOMPARE(c->meCurrencyExchange->text(), dec("37.4"));
        // A code the directory lacks: the name is the user's, no automatic rates.
        retype(c->meCurrencyCode, "999");
        QVERIFY(!c->meCurrencyName->isReadOnly());
        QVERIFY(c->meCurrencyName->text().isEmpty());
        QVERIFY(!c->chbAutoExchange->isEnabled());
        QVERIFY(!c->chbAutoExchange->isChecked());
        QVERIFY(c->meCurrencyExchange->text().isEmpty());
        QVERIFY(!c->meCurrencyExchange->isReadOnly());

        // Unticked: a date change empties that date's pair only.
        retype(c->meCurrencyCode, "840");
        QVERIFY(c->chbAutoExchange->isEnabled());
        retype(c->meCurrencyExchange, "31");
        retype(c->meCurrencyUnits, "1");
        retype(c->meCurrencyExchange2, "32");
        retype(c->meCurrencyUnits2, "1");
        c->dtSubtractDate->setDate(QDate(2011, 3, 1));
        QVERIFY(c->meCurrencyExchange2->text().isEmpty());
        QVERIFY(c->meCurrencyUnits2->text().isEmpty());
        QCOMPARE(c->meCurrencyExchange->text(), QStringLiteral("31"));
    }

    void deductions_data() {
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("deduction");
        QTest::addColumn<QStringList>("steps"); // "=N" chooses the deduction, else income typed
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("gift under its limit, then above")
            << "2720"
            << "501" << QStringList{"3000", "=", "9000"} << QStringList{"", "3000", "4000"}
            << false;
        QTest::newRow("gift chosen above its limit")
            << "2720"
            << "501" << QStringList{"9000", "="} << QStringList{"", "4000"} << false;
        QTest::newRow("author's norm 20 %")
            << "2201"
            << "405" << QStringList{"100000", "="} << QStringList{"", "20000"} << true;
        QTest::newRow("norm on kopecks")
            << "2201"
            << "405" << QStringList{"=", "100000.03"} << QStringList{"0", "20000.01"} << true;
        QTest::newRow("typed expenses reset by the income")
            << "1510"
            << "903" << QStringList{"1000", "=", "+5000", "2000"}
            << QStringList{"", "", "5000", "0"} << false;
    }
    // Rate 1 for 1 unit, so roubles equal the amount in currency.
    void deductions() {
        QFETCH(QString, income);
        QFETCH(QString, deduction);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, amounts);
        QFETCH(bool, readOnly);
        CurrencyWindow w;
        w.addSource(QStringLiteral("Банк"), QStringLiteral("840"));
        TfrCurrency* c = w.page();
        retype(c->meCurrencyExchange, "1");
        retype(c->meCurrencyUnits, "1");
        w.pickIncome(income);
        QVERIFY(c->bnSubtractCod->isEnabled());
        for (int i = 0; i < steps.size(); ++i) {
            const QString& s = steps[i];
            if (s == u"=")
                w.pickDeduction(income, deduction);
            else if (s.startsWith(u'+'))
                retype(c->meSubtractSum, s.mid(1));
            else
                retype(c->meIncomeCurrencySum, s);
            QCOMPARE(c->meSubtractSum->text(), dec(amounts[i]));
        }
        QCOMPARE(c->meSubtractSum->isReadOnly(), readOnly);
        QCOMPARE(c->pnlSubtractCod->text(), deduction);
        // Stored, then read back on selection as it was.
        c->StoreToModel();
        const mTCurrencyIncome& r = w.f->declaration().currencyIncomes.Get(0);
        QCOMPARE(r.deductionAmount.toString(), amounts.last());
        w.addSource(QStringLiteral("Второй"), QStringLiteral("112"));
        c->selectRecord(0);
        QCOMPARE(c->meSubtractSum->money().toString(), amounts.last());
    }

    // A typed amount of a deduction that does not follow the income is the
    // user's: selecting the record again keeps it.
    void typedDeductionSurvivesSelection() {
        CurrencyWindow w;
        w.addSource(QStringLiteral("Банк"), QStringLiteral("840"));
        TfrCurrency* c = w.page();
        retype(c->meCurrencyExchange, "1");
        retype(c->meCurrencyUnits, "1");
        w.pickIncome(QStringLiteral("1510"));
        retype(c->meIncomeCurrencySum, "10000");
        w.pickDeduction(QStringLiteral("1510"), QStringLiteral("903"));
        retype(c->meSubtractSum, "7000");
        w.addSource(QStringLiteral("Второй"), QStringLiteral("112"));
        c->selectRecord(0);
        QCOMPARE(c->meSubtractSum->text(), QStringLiteral("7000"));
        c->StoreToModel();
        QCOMPARE(w.f->declaration().currencyIncomes.Get(0).deductionAmount,
                 Money::fromRoubles(7000));
    }

    void listKeepsTheRecords() {
        CurrencyWindow w;
        TfrCurrency* c = w.page();
        QVERIFY(!c->meCurrencyCode->isEnabled());
        w.addSource(QStringLiteral("Первый"), QStringLiteral("840"));
        w.addSource(QStringLiteral("Второй"), QStringLiteral("112"));
        QCOMPARE(c->selectedIndex(), 1);
        QCOMPARE(c->lvSourseIncomeInfo->currentItem()->text(0), QStringLiteral("Второй"));
        QVERIFY(c->meCurrencyCode->isEnabled());
        // Enter on the list edits the selected source.
        QString shownName;
        w.p.dialogs.then([&shownName](QDialog& d) {
            auto& s = dynamic_cast<TfmInputCurrencySourseIncome&>(d);
            shownName = s.meSourseName->text();
            s.meSourseName->setText(QStringLiteral("Третий"));
            return int(QDialog::Accepted);
        });
        c->lvSourseIncomeInfo->setFocus();
        QTest::keyClick(c->lvSourseIncomeInfo, Qt::Key_Return);
        QCOMPARE(shownName, QStringLiteral("Второй"));
        QCOMPARE(c->lvSourseIncomeInfo->topLevelItem(1)->text(0), QStringLiteral("Третий"));
        QCOMPARE(w.f->declaration().currencyIncomes.Get(1).sourceName, QStringLiteral("Третий"));
        // A blank name adds nothing.
        w.addSource(QStringLiteral("   "), QStringLiteral("840"));
        QCOMPARE(w.f->declaration().currencyIncomes.Count(), 2);

        click(c->bnDelete);
        QCOMPARE(c->selectedIndex(), 0);
        QCOMPARE(w.f->declaration().currencyIncomes.Get(0).sourceName, QStringLiteral("Первый"));
        click(c->bnDelete);
        QCOMPARE(w.f->declaration().currencyIncomes.Count(), 0);
        QCOMPARE(c->selectedIndex(), -1);
        for (QWidget* field : std::initializer_list<QWidget*>{
                 c->dtIncomeGetDate, c->meCurrencyCode, c->chbAutoExchange, c->meCurrencyExchange,
                 c->meIncomeCurrencySum, c->bnIncomeCod, c->meTaxCurrencySum, c->bnSubtractCod,
                 c->meSubtractSum, c->bnCurrencyCode})
            QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
        QCOMPARE(c->dtIncomeGetDate->value(), TDateTime::today());
        QCOMPARE(c->dtSubtractDate->value(), TDateTime::today());
        QVERIFY(w.p.dialogs.unexpected.isEmpty());
        QVERIFY(!w.f->isSaved());
        QVERIFY(AccessKit::namingFaults(c).isEmpty());
    }

    void sourceDialogAsksForTheCountry() {
        CurrencyWindow w;
        TfmInputCurrencySourseIncome d(w.f, *w.f);
        QVERIFY(AccessKit::namingFaults(&d).isEmpty());
        d.meSourseName->setText(QStringLiteral("Банк"));
        // "Исправить" after Enter keeps the dialog open; closing the check accepts.
        w.p.dialogs.thenCheck(TfmCheckError::Fix);
        w.p.dialogs.thenCheck(TfmCheckError::Closed);
        d.show();
        QTest::keyClick(d.meSourseName, Qt::Key_Return);
        QCOMPARE(d.result(), 0);
        QVERIFY(d.isVisible());
        QTest::keyClick(d.meSourseName, Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(w.p.dialogs.shown.size(), 2);
        QCOMPARE(w.p.dialogs.shown[0],
                 QStringLiteral("Проверка: Источник дохода|Не выбран код страны"));
    }

    void check_data() {
        QTest::addColumn<int>("fault"); // which record field is left out
        QTest::addColumn<QString>("message");
        QTest::newRow("currency") << 1 << "По данному источнику выплаты не указан код валюты";
        QTest::newRow("units") << 2 << "По данному источнику выплаты не указан курс валюты";
        QTest::newRow("rate") << 3 << "По данному источнику выплаты не указан курс валюты";
        QTest::newRow("income code") << 4 << "По данному источнику выплаты не указан код дохода";
        QTest::newRow("income") << 5 << "По данному источнику выплаты не указана сумма дохода";
        QTest::newRow("deduction") << 6 << "По данному источнику выплаты не указана сумма вычета";
        QTest::newRow("sale of securities without amount") << 7 << "";
    }
    // The second record is faulty; "Исправить" gives its position.
    void check() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        Program p;
        auto fill = [](mTCurrencyIncome& c) {
            c.currencyCode = QStringLiteral("840");
            c.SetRateOnIncomeDate(Money::fromRoubles(30), 1);
            c.incomeCode = 1010;
            c.SetIncomeInCurrency(Money::fromRoubles(100));
        };
        const QString file =
            WindowTestKit::writeDocument(p.folder.file("c.dc1"), [&](mTDeclaration& d) {
                d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagCurrency);
                fill(d.currencyIncomes.Get(d.currencyIncomes.Add()));
                mTCurrencyIncome& c = d.currencyIncomes.Get(d.currencyIncomes.Add());
                fill(c);
                switch (fault) {
                case 1:
                    c.currencyCode.clear();
                    break;
                case 2:
                    c.unitsOnIncomeDate = 0;
                    break;
                case 3:
                    c.rateOnIncomeDate = Money();
                    break;
                case 4:
                    c.incomeCode = 0;
                    break;
                case 5:
                    c.SetIncomeInCurrency(Money());
                    break;
                case 6:
                    c.deductionCode = 601;
                    break;
                case 7:
                    c.incomeCode = 1530;
                    c.deductionCode = 201;
                    break;
                }
            });
        TFormMain& f = p.start({file});
        f.show();
        p.dialogs.thenCheck(TfmCheckError::Skip);
        f.pageButtonClicked(TPageId::ForeignIncome);
        p.dialogs.shown.clear();
        auto* c = qobject_cast<TfrCurrency*>(f.currentPage());
        p.dialogs.thenCheck(TfmCheckError::Fix);
        const int result = c->CheckPage();
        if (message.isEmpty()) {
            QCOMPARE(result, 0);
            QVERIFY(p.dialogs.shown.isEmpty());
            return;
        }
        QCOMPARE(result, 2);
        QCOMPARE(p.dialogs.shown,
                 QStringList{QStringLiteral("Проверка: Доходы в валюте|") + message});
        c->FocusField(result);
        QCOMPARE(c->selectedIndex(), 1);
    }

    // Entered through the widgets only, saved, and byte for byte what the
    // command line builds from the same content.
    void wholeSession() {
        CurrencyWindow w;
        TfrCurrency* c = w.page();
        w.addSource(QStringLiteral("Bank of America"), QStringLiteral("840"));
        UiTestKit::typeText(c->meCurrencyCode, QStringLiteral("840"));
        click(c->chbAutoExchange);
        c->dtIncomeGetDate->setDate(QDate(2011, 1, 11));
        c->dtSubtractDate->setDate(QDate(2011, 2, 1));
        w.pickIncome(QStringLiteral("2720"));
        retype(c->meIncomeCurrencySum, "300");
        w.pickDeduction(QStringLiteral("2720"), QStringLiteral("501"));
        retype(c->meTaxCurrencySum, "30");
        QCOMPARE(c->meSubtractSum->text(), QStringLiteral("4000"));

        w.addSource(QStringLiteral("Минский завод"), QStringLiteral("112"));
        UiTestKit::typeText(c->meCurrencyCode, QStringLiteral("974"));
        UiTestKit::typeText(c->meCurrencyName, QStringLiteral("Белорусский рубль"));
        retype(c->meCurrencyExchange, "0.36");
        retype(c->meCurrencyUnits, "100");
        retype(c->meCurrencyExchange2, "0.35");
        retype(c->meCurrencyUnits2, "100");
        w.pickIncome(QStringLiteral("2201"));
        retype(c->meIncomeCurrencySum, "1000000");
        w.pickDeduction(QStringLiteral("2201"), QStringLiteral("405"));
        retype(c->meTaxCurrencySum, "130000");
        QCOMPARE(c->pnlIncomeRublSum->text(), QStringLiteral("3600"));
        QCOMPARE(c->meSubtractSum->text(), QStringLiteral("720"));

        const QString saved = w.p.folder.file("session.dc1");
        w.p.dialogs.saveFile = saved;
        QVERIFY(w.f->SaveAsDoc());

        const QJsonObject json = QJsonDocument::fromJson(R"json({
          "incomeFlags": 3, "autoCountSheets": false,
          "currencyIncomes": [
            {"sourceName": "Bank of America", "countryCode": "840", "incomeDate": "2011-01-11",
             "taxPaidDate": "2011-02-01", "autoRate": true, "currencyCode": "840",
             "currencyName": "Доллар США", "rateOnIncomeDate": "30.5", "unitsOnIncomeDate": 1,
             "rateOnTaxDate": "29", "unitsOnTaxDate": 1, "incomeCode": 2720, "incomeRate": 13,
             "incomeName": "Подарки от организаций или индивидуальных предпринимателей (п.28 ст.217 НК)",
             "incomeInCurrency": "300", "taxInCurrency": "30", "deductionCode": 501,
             "deductionAmount": "4000", "deductionRate": 0
},
            {"sourceName": "Минский завод", "countryCode": "112", "incomeDate": "2011-01-01",
             "taxPaidDate": "2011-01-01", "autoRate": false, "currencyCode": "974",
             "currencyName": "Белорусский рубль", "rateOnIncomeDate": "0.36",
             "unitsOnIncomeDate": 100, "rateOnTaxDate": "0.35", "unitsOnTaxDate": 100,
             "incomeCode": 2201, "incomeRate": 13,
             "incomeName": "Авторские вознаграждения за создание литературных произведений",
             "incomeInCurrency": "1000000", "taxInCurrency": "130000", "deductionCode": 405,
             "deductionAmount": "720", "deductionRate": 20}
          ]
})json")
                                     .object();
        mTDeclaration built;
        built.InitAsNewDocument(TDateTime::today());
        built.FromJson(json);
        const QString expected = w.p.folder.file("built.dc1");
        built.SaveToFile(expected);
        mTDeclaration back;
        back.LoadFromFile(saved);
        QCOMPARE(QJsonDocument(back.ToJson()).toJson(), QJsonDocument(built.ToJson()).toJson());
        QFile a(saved), b(expected);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
        QVERIFY(w.p.dialogs.unexpected.isEmpty());
    }

    // Two of the bank's files through the window's command; the open page then
    // fills the rate of a date from them.
    void importedRatesReachTheOpenPage() {
        CurrencyWindow w({}, false);
        TfrCurrency* c = w.page();
        w.addSource(QStringLiteral("Банк"), QStringLiteral("978"));
        UiTestKit::typeText(c->meCurrencyCode, QStringLiteral("978"));
        QVERIFY(!c->chbAutoExchange->isEnabled());
        auto bank = [&w](const char* name, const char* date, const char* value) {
            w.p.folder.write(QString::fromLatin1(name),
                             QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                                            "<ValCurs Date=\"%1\" name=\"Foreign Currency Market\">"
                                            "<Valute ID=\"R01239\"><NumCode>978</NumCode>"
                                            "<CharCode>EUR</CharCode><Nominal>1</Nominal>"
                                            "<Name>Евро</Name><Value>%2</Value></Valute></ValCurs>")
                                 .arg(QString::fromLatin1(date), QString::fromLatin1(value)));
            return w.p.folder.file(QString::fromLatin1(name));
        };
        w.p.dialogs.openFiles = {bank("a.xml", "31.12.2010", "40,3331"),
                                 bank("b.xml", "12.01.2011", "39,9225")};
        w.p.dialogs.thenButton(QMessageBox::Ok);
        w.f->acLoadRates->trigger();
        w.p.dialogs.shown.removeFirst(); // the source dialog
        QCOMPARE(w.p.dialogs.shown.size(), 1);
        QVERIFY2(w.p.dialogs.shown[0].contains(QStringLiteral("Добавлено: 2")),
                 qPrintable(w.p.dialogs.shown[0]));
        QVERIFY(c->chbAutoExchange->isEnabled());
        QCOMPARE(c->meCurrencyName->text(), QStringLiteral("Евро"));
        click(c->chbAutoExchange);
        QCOMPARE(c->meCurrencyExchange->text(), dec("40.3331"));
        c->dtIncomeGetDate->setDate(QDate(2011, 1, 20));
        QCOMPARE(c->meCurrencyExchange->text(), dec("39.9225"));

        // A file that is not a rate file: a message and the directory as it was.
        const QByteArray before = [&] {
            QFile f(ProgramFolder::userFolder() + QStringLiteral("/CurrencyRates.xml"));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(!before.isEmpty());
        w.p.folder.write(QStringLiteral("bad.xml"), QStringLiteral("<html/>"));
        w.p.dialogs.openFiles = {w.p.folder.file("bad.xml")};
        w.p.dialogs.thenButton(QMessageBox::Ok);
        w.f->acLoadRates->trigger();
        QVERIFY(w.p.dialogs.shown.last().contains(QStringLiteral("bad.xml")));
        QFile after(ProgramFolder::userFolder() + QStringLiteral("/CurrencyRates.xml"));
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
        QVERIFY(w.p.dialogs.unexpected.isEmpty());
    }
};

QTEST_MAIN(TestFrameCurrency)
#include "test_frame_currency.moc"
