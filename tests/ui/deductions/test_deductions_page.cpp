#include "AccessKit.h"
#include "DeductPageKit.h"
#include "UiTestKit.h"
#include "storage/DateTime.h"
#include "ui/DateEdit.h"
#include "ui/MaskedEdit.h"
#include "ui/TextConventions.h"
#include "ui/deductions/FormChildEduSum.h"
#include "ui/deductions/FormDif.h"
#include "ui/deductions/FormInputSoursePens.h"
#include "ui/deductions/FrameCB.h"
#include "ui/deductions/FrameConstructionDeduct.h"
#include "ui/deductions/FramePensDeduct.h"
#include "ui/deductions/FrameStandartDeduct.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

using Sub = TfrFrameDeductData;

namespace {

const QString kSocialCheck = QStringLiteral("Проверка: Социальные вычеты|Не введены данные по "
                                            "социальным налоговым вычетам");
const QString kPensCheck = QStringLiteral("Проверка: Пенсионные договоры|");

QStringList texts(const std::array<TMaskedEdit*, 12>& fields) {
    QStringList out;
    for (TMaskedEdit* e : fields)
        out << e->text();
    return out;
}

std::array<qint32, 12> months(std::initializer_list<qint32> v) {
    std::array<qint32, 12> a{};
    std::copy(v.begin(), v.end(), a.begin());
    return a;
}

void fillContract(TfmInputSoursePens& c, const QString& name, const char* paid, const char* agent) {
    c.meSourseName->setText(name);
    QTest::keyClicks(c.meINN, "7707083893");
    QTest::keyClicks(c.meKPP, "773601001");
    UiTestKit::typeText(c.meNomDog, QStringLiteral("Д-1"));
    QTest::keyClicks(c.meVZSum, paid);
    QTest::keyClicks(c.meNA, agent);
}

} // namespace

class TestDeductionsPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TextConventions::apply(); }

    // The failing social sub-page keeps itself and its own button; "Пропустить" lets go.
    void leavingAnEmptySocialGrant() {
        DeductPage dp;
        auto* social = dp.go<TfrFramePensDeduct>(Sub::Social);
        QVERIFY(social && dp.page->fbPensDeduct->isChecked());
        QVERIFY(QTest::qWaitForWindowActive(&dp.form()));
        tick(social->chbGrantingSocDeduct);
        dp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QTest::mouseClick(dp.page->fbCB, Qt::LeftButton);
        QCOMPARE(dp.p.dialogs.shown, QStringList{kSocialCheck});
        QCOMPARE(dp.page->currentIndex(), Sub::Social);
        QVERIFY(dp.page->fbPensDeduct->isChecked());
        QVERIFY(!dp.page->fbCB->isChecked());
        QVERIFY(social->meCharitySum->hasFocus());

        dp.p.dialogs.thenCheck(TfmCheckError::Skip);
        QTest::mouseClick(dp.page->fbCB, Qt::LeftButton);
        QVERIFY(dp.sub<TfrCB>());
        QVERIFY(dp.page->fbCB->isChecked());
        QVERIFY(dp.d().socialDeduction.granted);
        QVERIFY(dp.p.dialogs.unexpected.isEmpty());
    }

    // Constant first and second children with per-month third ones: the page
    // shows both and stores them back as they were; unticking the grant keeps
    // them and ticking it again, even after another sub-page, shows them.
    void childrenRowsSurviveLoadAndUngrant() {
        const auto third = months({1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3});
        DeductPage dp([&](mTDeclaration& d) {
            mTStandartDeduct& s = d.standardDeduction;
            s.personalCode = 104;
            s.childMode = 102;
            s.childrenConst = 1;
            s.childrenCount = 2;
            s.thirdConst = 0;
            s.thirdByMonth = third;
        });
        auto* st = dp.sub<TfrFrameStandartDeduct>();
        QVERIFY(st);
        const auto& children = st->rows[0];
        const auto& thirds = st->rows[1];
        QCOMPARE(children.count->text(), QStringLiteral("2"));
        QCOMPARE(children.spin->value(), 2);
        QVERIFY(children.count->isEnabled() && !children.months[0]->isEnabled());
        QCOMPARE(texts(thirds.months).join(QLatin1Char(',')),
                 QStringLiteral("1,1,1,2,2,2,2,2,2,3,3,3"));
        QVERIFY(!thirds.count->isEnabled() && thirds.months[5]->isEnabled());
        QVERIFY(st->rb104->isChecked() && st->rbOneParent->isChecked());
        QVERIFY(dp.form().isSaved());

        tick(st->chbGrantingStanDeduct);
        QVERIFY(!st->rb104->isEnabled() && !children.count->isEnabled());
        dp.go<TfrCB>(Sub::Securities);
        const mTStandartDeduct& s = dp.d().standardDeduction;
        QCOMPARE(s.granted, quint8(0));
        QCOMPARE(s.personalCode, 104);
        st = dp.go<TfrFrameStandartDeduct>(Sub::Standard);
        tick(st->chbGrantingStanDeduct);
        dp.go<TfrCB>(Sub::Securities);
        QCOMPARE(s.granted, quint8(1));
        QCOMPARE(s.personalCode, 104);
        QCOMPARE(s.childMode, 102);
        QCOMPARE(s.childrenConst, quint8(1));
        QCOMPARE(s.childrenCount, 2);
        QCOMPARE(s.thirdConst, quint8(0));
        QVERIFY(s.thirdByMonth == third);
        QCOMPARE(s.thirdCount, 1);
    }

    // Ticking a constant count copies it into the months; the spin and the
    // Up key step it within its range.
    void constantCountDrivesTheMonths() {
        DeductPage dp([](mTDeclaration& d) {
            d.standardDeduction.childrenConst = 0;
            d.standardDeduction.childrenByMonth = months({1, 1, 1});
        });
        auto* st = dp.sub<TfrFrameStandartDeduct>();
        auto& row = st->rows[0];
        QVERIFY(!row.spin->isEnabled());
        tick(row.constBox);
        QVERIFY(row.spin->isEnabled() && !row.months[0]->isEnabled());
        row.count->setFocus();
        QTest::keyClick(row.count, Qt::Key_Up);
        QTest::keyClick(row.count, Qt::Key_Up);
        QTest::keyClick(row.count, Qt::Key_Up);
        QCOMPARE(row.count->text(), QStringLiteral("2"));
        QCOMPARE(texts(row.months), QStringList(12, QStringLiteral("2")));
        QVERIFY(!dp.form().isSaved());
        dp.go<TfrCB>(Sub::Securities);
        QCOMPARE(dp.d().standardDeduction.childrenConst, quint8(1));
        QCOMPARE(dp.d().standardDeduction.childrenCount, 2);
    }

    void monthlyPanel_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("agents only") << 1 << false;
        QTest::newRow("business") << 5 << true;
    }
    // Open only with business or private practice income; an amount typed
    // ticks its month, unticking the month empties it.
    void monthlyPanel() {
        QFETCH(int, flags);
        QFETCH(bool, enabled);
        DeductPage dp([&](mTDeclaration& d) {
            d.SetIncomeFlags(quint8(flags));
            d.standardDeduction.ownMonthlyData = 1;
            d.standardDeduction.monthTicked[2] = 1;
            d.standardDeduction.monthIncome[2] = Money::fromRoubles(700);
        });
        auto* st = dp.sub<TfrFrameStandartDeduct>();
        QCOMPARE(st->gbMonthly->isEnabled(), enabled);
        QCOMPARE(st->meIncome[2]->text(), enabled ? QStringLiteral("700") : QString());
        if (enabled) {
            QTest::keyClicks(st->meExpense[4], "250");
            QVERIFY(st->cbMonths[4]->isChecked());
            tick(st->cbMonths[2]);
            QVERIFY(st->meIncome[2]->text().isEmpty());
        }
        dp.go<TfrCB>(Sub::Securities);
        const mTStandartDeduct& s = dp.d().standardDeduction;
        QCOMPARE(s.ownMonthlyData, quint8(enabled));
        QCOMPARE(s.monthTicked[4], quint8(enabled));
        QCOMPARE(s.monthTicked[2], quint8(0));
        QCOMPARE(s.monthIncome[2], Money());
        QCOMPARE(s.monthExpense[4], enabled ? Money::fromRoubles(250) : Money());
    }

    void monthDialogs_data() {
        QTest::addColumn<bool>("personal");
        QTest::addColumn<bool>("accept");
        QTest::newRow("codes cancelled") << true << false;
        QTest::newRow("codes accepted") << true << true;
        QTest::newRow("single parent cancelled") << false << false;
        QTest::newRow("single parent accepted") << false << true;
    }
    // "?" opens the month dialog with the stored choices; "Нет" stores nothing
    // and leaves "?" selected, "Да" stores the choices at once.
    void monthDialogs() {
        QFETCH(bool, personal);
        QFETCH(bool, accept);
        DeductPage dp([](mTDeclaration& d) {
            d.standardDeduction.singleParentGiven = 1;
            d.standardDeduction.monthSingleParent[0] = 1;
        });
        auto* st = dp.sub<TfrFrameStandartDeduct>();
        QStringList seen;
        dp.p.dialogs.then([&](QDialog& d) {
            auto* dif = qobject_cast<TfmDifBase*>(&d);
            if (!dif)
                return int(QDialog::Rejected);
            for (QComboBox* box : dif->months)
                seen << box->currentText();
            dif->months[11]->setCurrentIndex(1);
            if (accept)
                dif->bnYes->click();
            else
                QTest::keyClick(&d, Qt::Key_Escape);
            return d.result();
        });
        QRadioButton* q = personal ? st->rbQ : st->rbQ2;
        tick(q);
        QCOMPARE(dp.p.dialogs.shown, QStringList{QStringLiteral("Комбинация стандартных вычетов")});
        QCOMPARE(seen.first(), personal ? QStringLiteral("103") : QStringLiteral("нет"));
        QCOMPARE(seen.last(), personal ? QStringLiteral("103") : QStringLiteral("да "));
        QVERIFY(q->isChecked());
        const mTStandartDeduct& s = dp.d().standardDeduction;
        QCOMPARE(personal ? s.combinationGiven : s.singleParentGiven, quint8(accept || !personal));
        QCOMPARE((personal ? s.monthCombination : s.monthSingleParent)[11], accept ? 1 : 0);
        dp.go<TfrCB>(Sub::Securities);
        QCOMPARE(personal ? s.personalCode : s.childMode, personal ? 110 : 103);
    }

    void childAmount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::newRow("an amount") << "1500" << 2;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("empty") << "" << 1;
    }
    // Only a non-zero amount is added, selected and scrolled to; a double
    // click on a line opens the dialog with its amount.
    void childAmount() {
        QFETCH(QString, typed);
        QFETCH(int, count);
        DeductPage dp([](mTDeclaration& d) {
            d.socialDeduction.granted = 1;
            d.socialDeduction.AddChildEducation(Money::fromRoubles(900));
        });
        auto* social = dp.go<TfrFramePensDeduct>(Sub::Social);
        dp.p.dialogs.then(accepting<TfmChildEduSum>(
            [&](TfmChildEduSum& c) { QTest::keyClicks(c.meChildEduSum, typed.toLatin1()); }));
        QTest::mouseClick(social->fbAddSum, Qt::LeftButton);
        QCOMPARE(dp.d().socialDeduction.ChildEducationCount(), count);
        QCOMPARE(social->lvSumList->topLevelItemCount(), count);
        QCOMPARE(social->lvSumList->currentIndex().row(), count - 1);

        QString opened;
        dp.p.dialogs.then(accepting<TfmChildEduSum>([&](TfmChildEduSum& c) {
            opened = c.meChildEduSum->text();
            c.meChildEduSum->setText(QStringLiteral("950"));
        }));
        QTreeWidget* l = social->lvSumList;
        const QRect first = l->visualItemRect(l->topLevelItem(0));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
        QCOMPARE(dp.p.dialogs.shown.size(), 2);
        QCOMPARE(opened, QStringLiteral("900"));
        QCOMPARE(dp.d().socialDeduction.GetChildEducation(0), Money::fromRoubles(950));
        QCOMPARE(l->topLevelItem(0)->text(0), QStringLiteral("950"));
        // Enter edits the current line as well; "Нет" changes nothing.
        dp.p.dialogs.thenReject();
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Return);
        QCOMPARE(dp.p.dialogs.shown.size(), 3);
        QCOMPARE(dp.d().socialDeduction.GetChildEducation(0), Money::fromRoubles(950));
        QVERIFY(dp.p.dialogs.unexpected.isEmpty());
    }

    // A name of blanks is not added even when the dialog was closed as accepted.
    void blankContractNameNotAdded() {
        DeductPage dp([](mTDeclaration& d) { d.socialDeduction.granted = 1; });
        auto* social = dp.go<TfrFramePensDeduct>(Sub::Social);
        dp.p.dialogs.then([](QDialog& d) {
            auto& c = static_cast<TfmInputSoursePens&>(d);
            fillContract(c, QStringLiteral("   "), "100", "");
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(social->fbAddPens, Qt::LeftButton);
        QCOMPARE(dp.d().socialDeduction.PensionContractCount(), 0);
        QCOMPARE(social->lvPensInfo->topLevelItemCount(), 0);
    }

    void contractChecks_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Да") << false;
        QTest::newRow("Enter") << true;
    }
    // 20000 paid with 25000 by the agent: "Исправить" keeps the dialog open on
    // the contribution; closing the message lets the contract in. Enter runs
    // the same checks as "Да".
    void contractChecks() {
        QFETCH(bool, byEnter);
        DeductPage dp([](mTDeclaration& d) { d.socialDeduction.granted = 1; });
        auto* social = dp.go<TfrFramePensDeduct>(Sub::Social);
        QVERIFY(QTest::qWaitForWindowActive(&dp.form()));
        bool keptOnPaid = false;
        dp.p.dialogs.then([&](QDialog& d) {
            auto& c = static_cast<TfmInputSoursePens&>(d);
            d.show();
            fillContract(c, QStringLiteral("НПФ Благо"), "20000", "25000");
            dp.p.dialogs.thenCheck(TfmCheckError::Fix);
            dp.p.dialogs.thenCheck(TfmCheckError::Closed);
            auto press = [&] {
                if (byEnter)
                    QTest::keyClick(c.meNA, Qt::Key_Return);
                else
                    c.bnYes->click();
            };
            press();
            keptOnPaid = c.isVisible() && c.focusWidget() == c.meVZSum;
            press();
            return d.result();
        });
        QTest::mouseClick(social->fbAddPens, Qt::LeftButton);
        const QString message = kPensCheck + "Сумма взносов меньше суммы предоставленного вычета";
        QCOMPARE(dp.p.dialogs.shown,
                 (QStringList{QStringLiteral("Данные договора"), message, message}));
        QVERIFY(keptOnPaid);
        QCOMPARE(dp.d().socialDeduction.PensionContractCount(), 1);
        const mTPens& c = dp.d().socialDeduction.GetPensionContract(0);
        QCOMPARE(c.agentDeduction, Money::fromRoubles(25000));
        QCOMPARE(c.contractKind, 1);
        QCOMPARE(social->lvPensInfo->currentItem()->text(0), QStringLiteral("НПФ Благо"));
    }

    void ungrantSocial_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Нет") << int(QMessageBox::No);
        QTest::newRow("Да") << int(QMessageBox::Yes);
    }
    // Unticking asks first: "Нет" keeps everything, "Да" empties the record.
    void ungrantSocial() {
        QFETCH(int, answer);
        const bool yes = answer == QMessageBox::Yes;
        DeductPage dp([](mTDeclaration& d) {
            mTSocialDeduct& s = d.socialDeduction;
            s.granted = 1;
            s.treatment = Money::fromRoubles(3000);
            s.AddChildEducation(Money::fromRoubles(5000));
            s.GetPensionContract(s.AddPensionContract()).orgName = QStringLiteral("НПФ");
        });
        auto* social = dp.go<TfrFramePensDeduct>(Sub::Social);
        dp.p.dialogs.thenButton(QMessageBox::StandardButton(answer));
        tick(social->chbGrantingSocDeduct);
        QCOMPARE(dp.p.dialogs.shown,
                 QStringList{kProgramCaption + "|" + TfrFramePensDeduct::kUngrantQuestion});
        QCOMPARE(social->chbGrantingSocDeduct->isChecked(), !yes);
        const mTSocialDeduct& s = dp.d().socialDeduction;
        QCOMPARE(s.PensionContractCount(), yes ? 0 : 1);
        QCOMPARE(s.ChildEducationCount(), yes ? 0 : 1);
        QCOMPARE(social->meMedicalSum->text(), yes ? QString() : QStringLiteral("3000"));
        QCOMPARE(social->fbAddPens->isEnabled(), !yes);
        QCOMPARE(dp.form().isSaved(), !yes);
        dp.go<TfrCB>(Sub::Securities);
        QCOMPARE(s.granted, quint8(!yes));
        QCOMPARE(s.treatment, yes ? Money() : Money::fromRoubles(3000));
    }

    // Investment offers four kinds and drops a land kind; purchase gives eight back.
    void objectKindsFollowTheAcquisition() {
        DeductPage dp([](mTDeclaration& d) {
            d.propertyDeduction.granted = 1;
            d.propertyDeduction.objectKind = 6;
        });
        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        QCOMPARE(pr->cbObjectNaim->count(), 8);
        QVERIFY(pr->dtpRegZemDate->isEnabled() && !pr->dtpBayDate->isEnabled());
        tick(pr->rbInvest);
        QCOMPARE(pr->cbObjectNaim->count(), 4);
        QCOMPARE(pr->cbObjectNaim->currentIndex(), -1);
        QVERIFY(!pr->dtpRegZemDate->isEnabled() && !pr->dtpRegRightDate->isEnabled());
        QVERIFY(pr->dtpBayDate->isEnabled());
        pr->cbObjectNaim->setCurrentIndex(1);
        tick(pr->rbBay);
        QCOMPARE(pr->cbObjectNaim->count(), 8);
        QCOMPARE(pr->cbObjectNaim->currentText(), QStringLiteral("Квартира"));
        QVERIFY(!pr->dtpRegZemDate->isEnabled() && pr->dtpRegRightDate->isEnabled());
    }

    void shares_data() {
        QTest::addColumn<QString>("numerator");
        QTest::addColumn<QString>("denominator");
        QTest::addColumn<int>("storedNumerator");
        QTest::addColumn<int>("storedDenominator");
        QTest::newRow("empty") << ""
                               << "" << 1 << 1;
        QTest::newRow("zero") << "0"
                              << "0" << 1 << 1;
        QTest::newRow("above one") << "3"
                                   << "2" << 2 << 2;
        QTest::newRow("a half") << "1"
                                << "2" << 1 << 2;
    }
    void shares() {
        QFETCH(QString, numerator);
        QFETCH(QString, denominator);
        DeductPage dp([](mTDeclaration& d) { d.propertyDeduction.granted = 1; });
        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        pr->meDol1->clear();
        pr->meDol2->clear();
        QTest::keyClicks(pr->meDol1, numerator.toLatin1());
        QTest::keyClicks(pr->meDol2, denominator.toLatin1());
        pr->StoreToModel();
        QTEST(dp.d().propertyDeduction.shareNumerator, "storedNumerator");
        QTEST(dp.d().propertyDeduction.shareDenominator, "storedDenominator");
    }

    void firstUseYear_data() {
        QTest::addColumn<bool>("invest");
        QTest::addColumn<bool>("pensioner");
        QTest::addColumn<int>("dateYear");
        QTest::addColumn<int>("firstYear");
        QTest::addColumn<QString>("message");
        const QString reg = QStringLiteral(
            "Год начала пользования льготой меньше даты регистрации прав собственности");
        QTest::newRow("registered 2010, used 2009") << false << false << 2010 << 2009 << reg;
        QTest::newRow("registered 2008, used 2007") << false << false << 2008 << 2007 << "";
        QTest::newRow("registered 2010, used 2010") << false << false << 2010 << 2010 << "";
        QTest::newRow("pensioner, registered 2010") << false << true << 2010 << 2009 << "";
        QTest::newRow("act 2010, used 2009")
            << true << false << 2010 << 2009
            << QStringLiteral("Год начала пользования льготой меньше даты акта о передаче");
    }
    // The year against the registration (or the act); a pensioner is spared.
    void firstUseYear() {
        QFETCH(bool, invest);
        QFETCH(bool, pensioner);
        QFETCH(int, dateYear);
        QFETCH(int, firstYear);
        QFETCH(QString, message);
        DeductPage dp([&](mTDeclaration& d) {
            mTConstructionDeduct& p = d.propertyDeduction;
            p.granted = 1;
            p.objectKind = 2;
            p.ownershipKind = 1;
            p.taxpayerSign = 1;
            p.objectPostIndex = QStringLiteral("101000");
            p.objectRegionCode = QStringLiteral("77");
            p.byInvestment = invest;
            (invest ? p.actDate : p.rightRegDate) = TDateTime::fromYmd(dateYear, 6, 1);
            p.firstUseYear = TDateTime::fromYmd(firstYear, 1, 1);
            d.isPensioner = pensioner;
        });
        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        QVERIFY(QTest::qWaitForWindowActive(&dp.form()));
        QCOMPARE(pr->meBeginningUsePrivilegeDate->value(), firstYear);
        dp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QTest::mouseClick(dp.page->fbCB, Qt::LeftButton);
        QCOMPARE(dp.p.dialogs.shown,
                 message.isEmpty()
                     ? QStringList()
                     : QStringList{"Проверка: Имущественный налоговый вычет|" + message});
        QCOMPARE(dp.page->currentIndex(), message.isEmpty() ? Sub::Securities : Sub::Property);
        if (!message.isEmpty())
            QVERIFY(pr->meBeginningUsePrivilegeDate->hasFocus());
    }

    // Typed digits do not change the year; the spin stops at 2011 for a
    // non-pensioner and at 2014 for a pensioner, and unticking lowers it again.
    void firstUseYearOnlyBySpin() {
        DeductPage dp([](mTDeclaration& d) { d.propertyDeduction.granted = 1; });
        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        TYearSpin* year = pr->meBeginningUsePrivilegeDate;
        QCOMPARE(year->value(), 2003);
        year->setFocus();
        QTest::keyClicks(year, "1999");
        QCOMPARE(year->value(), 2003);
        year->setValue(2011);
        QTest::keyClick(year, Qt::Key_Up);
        QCOMPARE(year->value(), 2011);
        tick(pr->chbPensioner);
        QTest::keyClick(year, Qt::Key_Up);
        QCOMPARE(year->value(), 2012);
        QCOMPARE(pr->dtpAppDate->maximumDate(), QDate(2015, 12, 31));
        tick(pr->chbPensioner);
        QCOMPARE(year->value(), 2011);
        QCOMPARE(pr->dtpRegRightDate->maximumDate(), QDate(2011, 12, 31));
    }

    // Granted and empty: the object name first; "Пропустить все" lets the user go.
    void emptyPropertyGrant() {
        DeductPage dp;
        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        tick(pr->chbGrantingDeduct);
        QVERIFY(QTest::qWaitForWindowActive(&dp.form()));
        pr->showPane(1);
        dp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QTest::mouseClick(dp.page->fbCB, Qt::LeftButton);
        QCOMPARE(dp.p.dialogs.shown,
                 QStringList{QStringLiteral("Проверка: Имущественный налоговый вычет|Не введено "
                                            "наименование объекта")});
        QCOMPARE(pr->currentPane(), 0);
        QVERIFY(pr->cbObjectNaim->hasFocus());
        dp.p.dialogs.thenCheck(TfmCheckError::SkipAll);
        QTest::mouseClick(dp.page->fbCB, Qt::LeftButton);
        QVERIFY(dp.sub<TfrCB>());
    }

    // Unticking the grant keeps what was typed, still stores the eight
    // earlier-years and agent amounts, and shows it all again later.
    void ungrantPropertyKeepsValues() {
        DeductPage dp([](mTDeclaration& d) {
            d.propertyDeduction.granted = 1;
            d.propertyDeduction.objectKind = 2;
        });
        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        UiTestKit::typeText(pr->meCity, QStringLiteral("Тверь"));
        QTest::keyClicks(pr->meObsch, "2500000");
        QTest::keyClicks(pr->mePostYears, "100000");
        tick(pr->chbGrantingDeduct);
        QVERIFY(!pr->meCity->isEnabled() && !pr->mePostYears->isEnabled());
        QCOMPARE(pr->meCity->text(), QStringLiteral("Тверь"));
        dp.go<TfrCB>(Sub::Securities);
        const mTConstructionDeduct& p = dp.d().propertyDeduction;
        QCOMPARE(p.granted, quint8(0));
        QCOMPARE(p.prevDeclExpenses, Money::fromRoubles(100000));
        QCOMPARE(p.objectCost, Money());
        pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        QCOMPARE(pr->cbObjectNaim->currentText(), QStringLiteral("Квартира"));
        QCOMPARE(pr->mePostYears->text(), QStringLiteral("100000"));
    }

    // Every field of every sub-page and dialog is named as its caption reads.
    void accessibleNames() {
        DeductPage dp([](mTDeclaration& d) {
            d.SetIncomeFlags(5);
            d.socialDeduction.granted = 1;
            d.propertyDeduction.granted = 1;
        });
        for (Sub::SubPage s : {Sub::Standard, Sub::Property, Sub::Social, Sub::Securities}) {
            QTest::mouseClick(dp.page->button(s), Qt::LeftButton);
            const QStringList faults = AccessKit::namingFaults(dp.page);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        }
        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        pr->showPane(1);
        QVERIFY2(AccessKit::namingFaults(pr).isEmpty(),
                 qPrintable(AccessKit::namingFaults(pr).join(QLatin1Char('\n'))));
        TfmDif dif(nullptr);
        TfmChildEduSum sum(nullptr);
        TfmInputSoursePens pens(nullptr, dp.form().checkAsker());
        for (QDialog* d : std::initializer_list<QDialog*>{&dif, &sum, &pens}) {
            d->show();
            const QStringList faults = AccessKit::namingFaults(d);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        }
    }
};

QTEST_MAIN(TestDeductionsPage)
#include "test_deductions_page.moc"
