#include "IncomeTestKit.h"
#include "ScriptedDialogs.h"
#include "ui/income/Input13Income.h"
#include "ui/income/Input13NRIncome.h"
#include "ui/income/Input13SourseIncome.h"
#include "ui/income/Input30SourseIncome.h"
#include "ui/income/Input35SourseIncome.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace IncomeTestKit;
using Mode = TfmInput13Income::Mode;

namespace {

// Answers the checks from a list (then "Пропустить") and records what was asked:
// "message" with "!" appended when "Пропустить" was withheld.
class Asker : public CheckAsker {
public:
    QList<CheckAnswer> answers;
    QStringList asked;
    QString lastTitle;

    CheckAnswer AskPage(const QString& title, const QString& message, bool skip, bool) override {
        lastTitle = title;
        asked << message + (skip ? QString() : QStringLiteral("!"));
        return answers.isEmpty() ? CheckAnswer::Skip : answers.takeFirst();
    }
    CheckAnswer AskDocument(const QString&, const QString&) override { return CheckAnswer::Cancel; }
};

// A row dialog with a code picked and amounts typed; empty texts are left alone.
void enterRow(ScriptedDialogs& dialogs, TfmInput13Income& d, const QString& code,
              const QString& amount, const QString& deduction, const QString& typed) {
    if (!code.isEmpty()) {
        dialogs.then(pickCode(code));
        d.bnIncomeCod->click();
    }
    if (!amount.isEmpty())
        typeAmount(d.meIncomeSum, amount);
    if (!deduction.isEmpty()) {
        dialogs.then(pickCode(deduction));
        d.bnSubtractCod->click();
    }
    if (!typed.isEmpty())
        typeAmount(d.meSubtractSum, typed);
}

// Focus and focus-out need the dialog to be the active window.
void showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

QString focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

} // namespace

class TestIncomeDialogs : public QObject {
    Q_OBJECT

private slots:
    // What each kind of row dialog offers: the income codes, and for one
    // income whether a deduction can be chosen and from which codes.
    void rowPickers_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("incomes");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QStringList>("deductions"); // empty: deduction part disabled
        const QStringList none;
        QTest::newRow("resident: 68 at 13 %, full list")
            << int(Mode::Resident) << 68 << "2201" << QStringList{"404", "405", "0"};
        QTest::newRow("resident: 1510 has its sale deductions")
            << int(Mode::Resident) << 68 << "1510" << QStringList{"901", "903", "0"};
        QTest::newRow("non-resident: all 76, 2720 short list")
            << int(Mode::NonResident) << 76 << "2720" << QStringList{"501", "0"};
        QTest::newRow("non-resident: 1510 offers no deduction")
            << int(Mode::NonResident) << 76 << "1510" << none;
        QTest::newRow("non-resident: 2010 is not in the deductible list")
            << int(Mode::NonResident) << 76 << "2010" << none;
        QTest::newRow("specialists: seven codes, full list")
            << int(Mode::HighlyQualified) << 7 << "2010" << QStringList{"403", "0"};
    }
    void rowPickers() {
        QFETCH(int, mode);
        QFETCH(int, incomes);
        QFETCH(QString, income);
        QFETCH(QStringList, deductions);
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput13Income d(nullptr, asker, Mode(mode));
        int offered = 0;
        dialogs.then(pickCode(income, &offered));
        d.bnIncomeCod->click();
        QCOMPARE(offered, incomes);
        QCOMPARE(d.pnlIncomeCod->text(), income);
        QVERIFY(d.meIncomeSum->isEnabled());
        QCOMPARE(d.bnSubtractCod->isEnabled(), !deductions.isEmpty());
        QCOMPARE(d.mePropSale->isEnabled(), Mode(mode) != Mode::NonResident);
        if (deductions.isEmpty())
            return;
        QStringList listed;
        dialogs.then([&](QDialog& dlg) {
            auto* picker = qobject_cast<TfmCodePicker*>(&dlg);
            for (int i = 0; picker && i < picker->list->topLevelItemCount(); ++i)
                listed << picker->list->topLevelItem(i)->text(0);
            return int(QDialog::Rejected);
        });
        d.bnSubtractCod->click();
        QCOMPARE(listed, deductions);
    }

    // The deduction amount rules as the user sees them, including a change of
    // the income after the deduction was chosen.
    void deductionAmounts_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("deduction");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("incomeAfter");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("editable");
        const int r = int(Mode::Resident);
        QTest::newRow("405 is 25 % of 2206, read-only") << r << "2206"
                                                        << "100000"
                                                        << "405"
                                                        << ""
                                                        << ""
                                                        << "25000" << false;
        QTest::newRow("405 follows the income, half kopeck up") << r << "2206"
                                                                << "100000"
                                                                << "405"
                                                                << ""
                                                                << "10001.01"
                                                                << "2500.25" << false;
        QTest::newRow("501 follows the income") << r << "2720"
                                                << "3000"
                                                << "501"
                                                << ""
                                                << ""
                                                << "3000" << true;
        QTest::newRow("501 stops at 4 000") << r << "2720"
                                            << "3000"
                                            << "501"
                                            << ""
                                            << "9000"
                                            << "4000" << true;
        QTest::newRow("501 typed above the limit") << r << "2720"
                                                   << "3000"
                                                   << "501"
                                                   << "5000"
                                                   << ""
                                                   << "4000" << true;
        QTest::newRow("501 may be lowered") << r << "2720"
                                            << "3000"
                                            << "501"
                                            << "2500"
                                            << ""
                                            << "2500" << true;
        QTest::newRow("901 is the income up to a million") << r << "1510"
                                                           << "2500000"
                                                           << "901"
                                                           << ""
                                                           << ""
                                                           << "1000000" << false;
        QTest::newRow("906 typed above its limit") << r << "1520"
                                                   << "900000"
                                                   << "906"
                                                   << "300000"
                                                   << ""
                                                   << "250000" << true;
        QTest::newRow("specialists: 403 is typed, no fill") << int(Mode::HighlyQualified) << "2010"
                                                            << "100000"
                                                            << "403"
                                                            << ""
                                                            << ""
                                                            << "" << true;
        QTest::newRow("non-resident: 501 follows the income") << int(Mode::NonResident) << "2720"
                                                              << "5000"
                                                              << "501"
                                                              << ""
                                                              << ""
                                                              << "4000" << true;
    }
    void deductionAmounts() {
        QFETCH(int, mode);
        QFETCH(QString, income);
        QFETCH(QString, amount);
        QFETCH(QString, deduction);
        QFETCH(QString, typed);
        QFETCH(QString, incomeAfter);
        QFETCH(QString, expected);
        QFETCH(bool, editable);
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput13Income d(nullptr, asker, Mode(mode));
        enterRow(dialogs, d, income, amount, deduction, typed);
        if (!incomeAfter.isEmpty())
            typeAmount(d.meIncomeSum, incomeAfter);
        QCOMPARE(d.meSubtractSum->text(), shown(expected));
        QCOMPARE(!d.meSubtractSum->isReadOnly(), editable);
        QVERIFY(d.meSubtractSum->isVisibleTo(&d));
        const mTThirteenPercent::IncomeRow row = d.row();
        QCOMPARE(row.deductionCode, deduction.toInt());
        QCOMPARE(row.deductionAmount, Money::parse(expected).value_or(Money()));
        // The specialists' rows keep neither the income name nor the norm.
        QCOMPARE(row.incomeName.isEmpty(), Mode(mode) == Mode::HighlyQualified);
        QCOMPARE(row.deductionRate, deduction == QLatin1String("405") ? 25 : 0);
    }

    void noDeductionHidesTheAmount() {
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput13Income d(nullptr, asker, Mode::Resident);
        enterRow(dialogs, d, "2010", "1000", "0", "");
        QVERIFY(!d.meSubtractSum->isVisibleTo(&d));
        QVERIFY(!d.lbSubtractSum->isEnabled());
        d.bnYes->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.row().deductionCode, 0);
    }

    // The row check: messages in order, which may be skipped, and where "Исправить" leads.
    void rowCheck_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("deduction");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("asked");  // every message skipped
        QTest::addColumn<QString>("focusOnFix"); // the field after "Исправить" on the first
        const int r = int(Mode::Resident);
        const QString exceeds = QStringLiteral("Сумма вычета превышает сумму дохода!");
        QTest::newRow("securities expense above the income") << r << "1530"
                                                             << "100000"
                                                             << "201"
                                                             << "150000" << QStringList() << "";
        QTest::newRow("contract expense above the income")
            << r << "2010"
            << "100000"
            << "403"
            << "150000" << QStringList{exceeds} << "meSubtractSum";
        QTest::newRow("no code") << r << ""
                                 << ""
                                 << ""
                                 << "" << QStringList{"Не выбран доход", "Не указана сумма дохода!"}
                                 << "bnIncomeCod";
        QTest::newRow("no amount")
            << r << "2000"
            << ""
            << ""
            << "" << QStringList{"Не указана сумма дохода!"} << "meIncomeSum";
        QTest::newRow("no deduction chosen")
            << r << "2010"
            << "1000"
            << ""
            << "" << QStringList{"Не выбран вычет"} << "bnSubtractCod";
        QTest::newRow("specialists: same rules")
            << int(Mode::HighlyQualified) << "2010"
            << "100"
            << "403"
            << "200" << QStringList{exceeds} << "meSubtractSum";
    }
    void rowCheck() {
        QFETCH(int, mode);
        QFETCH(QString, income);
        QFETCH(QString, amount);
        QFETCH(QString, deduction);
        QFETCH(QString, typed);
        QFETCH(QStringList, asked);
        QFETCH(QString, focusOnFix);
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput13Income d(nullptr, asker, Mode(mode));
        showActive(d);
        enterRow(dialogs, d, income, amount, deduction, typed);
        d.bnYes->click();
        // Skipping every message accepts the row as it is.
        QCOMPARE(asker.asked, asked);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        if (asked.isEmpty())
            return;
        QCOMPARE(asker.lastTitle,
                 Mode(mode) == Mode::HighlyQualified
                     ? QStringLiteral("Проверка: Доходы нерезедентов, облагаемые "
                                      "по ставке 13%")
                     : QStringLiteral("Проверка: Доходы, облагаемые по ставке 13%"));
        // "Исправить" on the first message; a picker position opens the picker.
        asker.asked.clear();
        asker.answers = {CheckAnswer::Fix};
        d.setResult(0);
        showActive(d); // accepting hid it
        dialogs.shown.clear();
        dialogs.thenReject();
        QTest::keyClick(&d, Qt::Key_Return);
        QCOMPARE(asker.asked.size(), 1);
        QCOMPARE(focused(), focusOnFix);
        QCOMPARE(dialogs.shown.size(), focusOnFix.startsWith(QLatin1String("bn")) ? 1 : 0);
        QVERIFY(d.result() != QDialog::Accepted);
    }

    void month_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("15 is December") << "15"
                                        << "12" << 12;
        QTest::newRow("0 is January") << "0"
                                      << "1" << 1;
        QTest::newRow("05 is May, not December") << "05"
                                                 << "05" << 5;
        QTest::newRow("empty is January") << ""
                                          << "" << 1;
        QTest::newRow("12 stays") << "12"
                                  << "12" << 12;
    }
    void month() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput13Income d(nullptr, asker, Mode::Resident);
        showActive(d);
        enterRow(dialogs, d, "2000", "100", "", "");
        d.mePropSale->setFocus();
        QTest::keyClicks(d.mePropSale, typed);
        d.meIncomeSum->setFocus();
        QCOMPARE(d.mePropSale->text(), shown);
        QCOMPARE(int(d.row().month), stored);
    }

    // An edited row comes back as it was stored.
    void editRow() {
        ScriptedDialogs dialogs;
        Asker asker;
        mTThirteenPercent::IncomeRow r = row(7, 2720, 9000);
        r.incomeName = QStringLiteral("Подарки");
        r.deductionCode = 501;
        r.deductionAmount = Money::fromRoubles(3000);
        TfmInput13Income d(nullptr, asker, Mode::Resident);
        d.load(r);
        QCOMPARE(d.meSubtractSum->text(), QStringLiteral("3000"));
        QVERIFY(!d.meSubtractSum->isReadOnly());
        QCOMPARE(d.row(), r);
    }

    void payerDialog_data() {
        QTest::addColumn<bool>("nonResident");
        QTest::addColumn<QString>("inn");
        QTest::addColumn<QString>("kpp");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("focusOnFix");
        QTest::newRow("organisation without KPP")
            << false << "1234567894"
            << "" << QStringList{"Отсутствует КПП!"} << "meKPP";
        QTest::newRow("person with KPP") << false << "123456789047"
                                         << "123456789"
                                         << QStringList{"Длинна ИНН для юрлиц должна быть равна "
                                                        "10 цифрам!"}
                                         << "meINN";
        QTest::newRow("no INN, no KPP") << true << ""
                                        << "" << QStringList() << "";
    }
    void payerDialog() {
        QFETCH(bool, nonResident);
        QFETCH(QString, inn);
        QFETCH(QString, kpp);
        QFETCH(QStringList, asked);
        QFETCH(QString, focusOnFix);
        Asker asker;
        TfmInput13SourseIncome d(nullptr, asker, nonResident);
        showActive(d);
        QCOMPARE(d.chbPrimaryWorkplase->isVisible(), !nonResident);
        UiTestKit::typeText(d.meSourseName, QStringLiteral("ООО Ромашка"));
        QTest::keyClicks(d.meINN, inn);
        QTest::keyClicks(d.meKPP, kpp);
        QTest::keyClicks(d.meOKATO, "45286555000");
        asker.answers = {CheckAnswer::Fix};
        QTest::keyClick(d.meOKATO, Qt::Key_Return);
        QCOMPARE(asker.asked, asked);
        QCOMPARE(asker.lastTitle.isEmpty() ? QString() : asker.lastTitle,
                 asked.isEmpty() ? QString()
                                 : QStringLiteral("Проверка: Доходы, облагаемые по ставке 13%"));
        QCOMPARE(d.result() == QDialog::Accepted, asked.isEmpty());
        if (!asked.isEmpty())
            QCOMPARE(focused(), focusOnFix);
    }

    // The 35 % dialog: a prize with its deduction, and a code without one.
    void thirtyFivePrize() {
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput35SourseIncome d(nullptr, asker);
        UiTestKit::typeText(d.meSourseName, QStringLiteral("Лотерея"));
        QTest::keyClicks(d.meOKATO, "45286555000");
        int offered = 0;
        dialogs.then(pickCode("2740", &offered));
        d.bnIncomeCod->click();
        QCOMPARE(offered, 5);
        typeAmount(d.meItogIncomeSum, "10000");
        dialogs.then(pickCode("505"));
        d.bnSubtractCod->click();
        QCOMPARE(d.meSubtractSum->text(), QStringLiteral("4000"));
        typeAmount(d.meSubtractSum, "3000");
        QCOMPARE(d.meSubtractSum->text(), QStringLiteral("3000"));
        typeAmount(d.meSubtractSum, "4500");
        QCOMPARE(d.meSubtractSum->text(), QStringLiteral("4000"));
        typeAmount(d.meItogIncomeSum, "20000");
        QCOMPARE(d.meSubtractSum->text(), QStringLiteral("4000"));
        typeAmount(d.meHoldSum, "25000");
        d.bnYes->click();
        QCOMPARE(asker.asked, QStringList{"Удержанная сумма превышает сумму дохода"});
        QCOMPARE(asker.lastTitle, QStringLiteral("Проверка: Доходы, облагаемые по ставке 35%"));
        QCOMPARE(d.result(), int(QDialog::Accepted)); // skipped
        mTThirtyFivePercent p;
        d.store(p);
        QCOMPARE(p.incomeCode, 2740);
        QCOMPARE(p.deductionCode, 505);
        QCOMPARE(p.deductionAmount, Money::fromRoubles(4000));
        QCOMPARE(p.totalIncome, Money::fromRoubles(20000));
        TfmInput35SourseIncome again(nullptr, asker);
        again.load(p);
        mTThirtyFivePercent back;
        again.store(back);
        QCOMPARE(back.deductionAmount, p.deductionAmount);
        QCOMPARE(back.taxWithheld, p.taxWithheld);
    }

    void thirtyFiveWithoutDeduction() {
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput35SourseIncome d(nullptr, asker);
        UiTestKit::typeText(d.meSourseName, QStringLiteral("Банк"));
        QTest::keyClicks(d.meOKATO, "45286555000");
        dialogs.then(pickCode("2610"));
        d.bnIncomeCod->click();
        QVERIFY(!d.bnSubtractCod->isEnabled());
        typeAmount(d.meItogIncomeSum, "100");
        typeAmount(d.meHoldSum, "500");
        d.bnYes->click();
        QCOMPARE(asker.asked, QStringList());
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    // Enter and "Да" both miss the income code; "Исправить" opens the picker.
    void thirtyFiveNoCode_data() {
        QTest::addColumn<bool>("enter");
        QTest::newRow("Да") << false;
        QTest::newRow("Enter") << true;
    }
    void thirtyFiveNoCode() {
        QFETCH(bool, enter);
        ScriptedDialogs dialogs;
        Asker asker;
        TfmInput35SourseIncome d(nullptr, asker);
        showActive(d);
        UiTestKit::typeText(d.meSourseName, QStringLiteral("Банк"));
        QTest::keyClicks(d.meOKATO, "45286555000");
        asker.answers = {CheckAnswer::Fix};
        dialogs.then(pickCode("3020"));
        if (enter)
            QTest::keyClick(d.meSourseName, Qt::Key_Return);
        else
            d.bnYes->click();
        QCOMPARE(asker.asked, QStringList{"Не выбран доход!"});
        QCOMPARE(dialogs.shown, QStringList{"Справочник видов доходов"});
        QCOMPARE(d.pnlIncomeCod->text(), QStringLiteral("3020"));
        QVERIFY(d.result() != QDialog::Accepted);
    }

    void dividendTax_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("taxable");
        QTest::addColumn<QString>("tax");
        QTest::newRow("10 005.60 at 9 %") << 9 << "10005.60"
                                          << "901";
        QTest::newRow("10 000.50 at 9 %") << 9 << "10000.50"
                                          << "900";
        QTest::newRow("non-resident at 15 %") << 15 << "10000.50"
                                              << "1500";
        QTest::newRow("emptied") << 9 << ""
                                 << "";
    }
    void dividendTax() {
        QFETCH(int, rate);
        QFETCH(QString, taxable);
        QFETCH(QString, tax);
        Asker asker;
        TfmInput30SourseIncome d(nullptr, asker, rate);
        typeAmount(d.meOblSum, "123");
        typeAmount(d.meOblSum, taxable);
        QCOMPARE(d.meTaxDiscount->text(), tax);
        QVERIFY(!d.meTaxDiscount->isVisibleTo(&d));
        mTThirtyPercent p;
        d.store(p);
        QCOMPARE(p.taxComputed, Money::parse(tax).value_or(Money()));
    }

    // The dividend checks: the organisation rules on "Да", the source rules on Enter.
    void dividendCheck_data() {
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("inn");
        QTest::addColumn<QString>("kpp");
        QTest::addColumn<QString>("dividends");
        QTest::addColumn<QString>("withheld");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("focusOnFix");
        const QString below = QStringLiteral("Сумма дивидендов меньше суммы удержанного налога");
        QTest::newRow("Да: no KPP") << false << ""
                                    << ""
                                    << "1000"
                                    << "90" << QStringList{"Отсутствует КПП!"} << "meKPP";
        QTest::newRow("Enter: a person may have neither") << true << ""
                                                          << ""
                                                          << "1000"
                                                          << "90" << QStringList() << "";
        QTest::newRow("dividends below the tax") << false << "1234567894"
                                                 << "123456789"
                                                 << "1000"
                                                 << "2000" << QStringList{below} << "meHoldSum";
        QTest::newRow("no dividends") << true << ""
                                      << ""
                                      << ""
                                      << "90" << QStringList{below} << "meItogIncomeSum";
        QTest::newRow("nothing to compare") << true << ""
                                            << ""
                                            << ""
                                            << "" << QStringList() << "";
    }
    void dividendCheck() {
        QFETCH(bool, enter);
        QFETCH(QString, inn);
        QFETCH(QString, kpp);
        QFETCH(QString, dividends);
        QFETCH(QString, withheld);
        QFETCH(QStringList, asked);
        QFETCH(QString, focusOnFix);
        Asker asker;
        TfmInput30SourseIncome d(nullptr, asker, 9);
        showActive(d);
        UiTestKit::typeText(d.meSourseName, QStringLiteral("АО Дивиденд"));
        QTest::keyClicks(d.meINN, inn);
        QTest::keyClicks(d.meKPP, kpp);
        QTest::keyClicks(d.meOKATO, "45286555000");
        typeAmount(d.meItogIncomeSum, dividends);
        typeAmount(d.meHoldSum, withheld);
        asker.answers = {CheckAnswer::Fix};
        if (enter)
            QTest::keyClick(d.meHoldSum, Qt::Key_Return);
        else
            d.bnYes->click();
        QCOMPARE(asker.asked, asked);
        QCOMPARE(d.result() == QDialog::Accepted, asked.isEmpty());
        if (!asked.isEmpty()) {
            QCOMPARE(asker.lastTitle, QStringLiteral("Проверка: Доходы, облагаемые по ставке 30%"));
            QCOMPARE(focused(), focusOnFix);
        }
    }

    // What a screen reader hears in every dialog: each field named by its caption.
    void dialogsNamed() {
        Asker asker;
        std::vector<std::unique_ptr<QDialog>> all;
        all.push_back(std::make_unique<TfmInput13SourseIncome>(nullptr, asker, false));
        all.push_back(std::make_unique<TfmInput13Income>(nullptr, asker, Mode::Resident));
        all.push_back(std::make_unique<TfmInput13NRIncome>(nullptr, asker));
        all.push_back(std::make_unique<TfmInput35SourseIncome>(nullptr, asker));
        all.push_back(std::make_unique<TfmInput30SourseIncome>(nullptr, asker, 9));
        for (const auto& d : all) {
            showActive(*d);
            QCOMPARE(AccessKit::namingFaults(d.get()), QStringList());
            for (QPushButton* b : d->findChildren<QPushButton*>())
                QVERIFY2(b->text() == QLatin1String("...") || b->text().contains(QLatin1Char('&')),
                         qPrintable(b->text()));
        }
    }
};

QTEST_MAIN(TestIncomeDialogs)
#include "test_income_dialogs.moc"
