#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "ui/CodePicker.h"
#include "ui/MaskedEdit.h"
#include "ui/TextConventions.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace WindowTestKit;

namespace {

void click(QAbstractButton* b) {
    // On the indicator, which every check and radio button has at its left.
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(8, b->height() / 2));
}

const QString kCheckTitle = QStringLiteral("Проверка: Задание условий|");

} // namespace

class TestFrameInitialData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TextConventions::apply(); }

    void newDocument() {
        Program p;
        TFormMain& f = p.start();
        TfrInitialData* c = p.conditions();
        QVERIFY(c->rbSimple->isChecked());
        QVERIFY(c->rbFLProch->isChecked());
        QVERIFY(c->rbGiveSelf->isChecked());
        // New documents declare income from tax agents.
        QVERIFY(c->chbIncomeInquiry->isChecked());
        QVERIFY(!c->chbIncomeCurrency->isChecked());
        QVERIFY(!c->chbIncomeBusiness->isChecked());
        QVERIFY(f.pageButtonEnabled(TPageId::Deduction));
        QVERIFY(c->meInspection->isReadOnly());
        QVERIFY(c->meInspection->text().isEmpty());
        QCOMPARE(c->meNumVer->text(), QStringLiteral("0"));
        QVERIFY(!c->meFIO->isEnabled());
        QVERIFY(!c->meOsn->isEnabled());
        QVERIFY(!c->meUL->isEnabled());
        QVERIFY(c->meSupposeIncome->isHidden());
        QCOMPARE(c->chbIncomeInquiry->text(),
                 QStringLiteral(
                     "Учитываемые \"справками о доходах физического лица\", доходы по договорам"));
        QVERIFY(f.isSaved());
    }

    void declarationWithoutIncome() {
        Program p;
        const QString file =
            writeDocument(p.folder.file("none.dc1"), [](mTDeclaration& d) { d.SetIncomeFlags(0); });
        TFormMain& f = p.start({file});
        TfrInitialData* c = p.conditions();
        QVERIFY(!c->chbIncomeInquiry->isChecked());
        QVERIFY(!f.pageButtonEnabled(TPageId::Deduction));
        QVERIFY(!f.pageButtonEnabled(TPageId::RussianIncome));
        p.dialogs.thenCheck(TfmCheckError::Fix);
        p.dialogs.thenReject();
        f.pageButtonClicked(TPageId::PersonInfo);
        QCOMPARE(p.dialogs.shown.value(0), kCheckTitle + "Не введен номер инспекции");
    }

    void fourNdflSelectsTheEntrepreneur() {
        Program p;
        const QString file = writeDocument(p.folder.file("with13.dc1"),
                                           [](mTDeclaration& d) { d.thirteenSources.Add(); });
        TFormMain& f = p.start({file});
        f.show();
        TfrInitialData* c = p.conditions();
        click(c->rb4ndfl);
        QVERIFY(c->rb4ndfl->isChecked());
        QVERIFY(c->rbPredp->isChecked());
        QVERIFY(!c->rbFLProch->isEnabled());
        for (QCheckBox* b : {c->chbIncomeInquiry, c->chbIncomeCurrency, c->chbIncomeBusiness}) {
            QVERIFY(!b->isChecked());
            QVERIFY(!b->isEnabled());
        }
        QVERIFY(!c->lbIncomeComment->isEnabled());
        QVERIFY(!f.pageButtonEnabled(TPageId::RussianIncome));
        QVERIFY(!f.pageButtonEnabled(TPageId::Deduction));
        QVERIFY(c->meSupposeIncome->isVisible());
        QVERIFY(c->meSupposeIncome->isEnabled());
        QVERIFY(!f.isSaved());
        UiTestKit::typeText(c->meSupposeIncome, "150000");
        c->StoreToModel();
        const mTDeclaration& d = f.declaration();
        QCOMPARE(d.formKind, quint8(2));
        QCOMPARE(d.taxpayerKind, quint8(0));
        QCOMPARE(d.incomeFlags(), quint8(0));
        QCOMPARE(d.thirteenSources.Count(), 0);
        QCOMPARE(d.expectedIncome, Money::fromRoubles(150000));
    }

    // A 4-NDFL document whose business bit is still set (written by the
    // command-line tool, say): filling the page unticks the box, but the
    // expected income, the one figure of that form, is shown and kept.
    void openingFourNdflKeepsTheExpectedIncome() {
        Program p;
        const QString file = writeDocument(p.folder.file("four.dc1"), [](mTDeclaration& d) {
            d.formKind = 2;
            d.taxpayerKind = 0;
            d.SetIncomeFlags(mTDeclaration::kFlagBusiness);
            d.expectedIncome = Money::fromRoubles(480000);
        });
        TFormMain& f = p.start({file});
        f.show();
        TfrInitialData* c = p.conditions();
        QVERIFY(c->rb4ndfl->isChecked());
        QVERIFY(!c->chbIncomeBusiness->isChecked());
        QVERIFY(!c->chbIncomeBusiness->isEnabled());
        QVERIFY(c->meSupposeIncome->isVisible());
        QVERIFY(c->meSupposeIncome->isEnabled());
        QCOMPARE(c->meSupposeIncome->text(), QStringLiteral("480000"));
        QVERIFY(f.isSaved());
        c->StoreToModel();
        QCOMPARE(f.declaration().expectedIncome, Money::fromRoubles(480000));
        QCOMPARE(f.declaration().incomeFlags(), quint8(0));
    }

    void otherKindsStayWithFourNdfl() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        TfrInitialData* c = p.conditions();
        click(c->rbAdvokat);
        click(c->rb4ndfl);
        QVERIFY(c->rbAdvokat->isChecked());
        click(c->rbSimple);
        QVERIFY(c->rbFLProch->isEnabled());
        QVERIFY(c->meSupposeIncome->isHidden());
        for (QCheckBox* b : {c->chbIncomeInquiry, c->chbIncomeCurrency, c->chbIncomeBusiness})
            QVERIFY(b->isEnabled());
        c->StoreToModel();
        QCOMPARE(f.declaration().taxpayerKind, quint8(3));
    }

    void nonResidentUnticksTheCurrency() {
        Program p;
        const QString file = writeDocument(p.folder.file("cur.dc1"), [](mTDeclaration& d) {
            d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagCurrency);
            d.currencyIncomes.Add();
        });
        TFormMain& f = p.start({file});
        f.show();
        TfrInitialData* c = p.conditions();
        QVERIFY(c->chbIncomeCurrency->isChecked());
        QVERIFY(f.pageButtonEnabled(TPageId::ForeignIncome));
        click(c->rbNeRez);
        QVERIFY(!c->chbIncomeCurrency->isChecked());
        QVERIFY(!c->chbIncomeCurrency->isEnabled());
        QVERIFY(!c->chbIncomeBusiness->isEnabled());
        QVERIFY(c->chbIncomeInquiry->isEnabled());
        QVERIFY(!f.pageButtonEnabled(TPageId::ForeignIncome));
        QVERIFY(!f.pageButtonEnabled(TPageId::Deduction));
        c->StoreToModel();
        QCOMPARE(f.declaration().currencyIncomes.Count(), 0);
        QCOMPARE(f.declaration().incomeFlags(), quint8(1));
        QCOMPARE(f.declaration().formKind, quint8(1));
        // The first box of a non-resident does not bring "Вычеты" back.
        click(c->chbIncomeInquiry);
        click(c->chbIncomeInquiry);
        QVERIFY(c->chbIncomeInquiry->isChecked());
        QVERIFY(!f.pageButtonEnabled(TPageId::Deduction));
    }

    // Choosing the form alone is a change: closing must not lose it.
    void formChoiceMarksTheDocumentModified() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        click(p.conditions()->rbNeRez);
        QVERIFY(!f.isSaved());
    }

    void incomeBoxesDriveThePageButtons() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        TfrInitialData* c = p.conditions();
        click(c->chbIncomeInquiry);
        QVERIFY(!f.pageButtonEnabled(TPageId::RussianIncome));
        QVERIFY(!f.pageButtonEnabled(TPageId::Deduction));
        QVERIFY(!f.isSaved());
        click(c->chbIncomeCurrency);
        QVERIFY(f.pageButtonEnabled(TPageId::ForeignIncome));
        QVERIFY(f.pageButtonEnabled(TPageId::Deduction));
        click(c->chbIncomeBusiness);
        QVERIFY(f.pageButtonEnabled(TPageId::Business));
        QVERIFY(c->meSupposeIncome->isEnabled());
        c->meSupposeIncome->setText(QStringLiteral("5000"));
        click(c->chbIncomeBusiness);
        QVERIFY(!f.pageButtonEnabled(TPageId::Business));
        QVERIFY(!c->meSupposeIncome->isEnabled());
        QVERIFY(c->meSupposeIncome->text().isEmpty());
        c->StoreToModel();
        QCOMPARE(f.declaration().incomeFlags(), quint8(mTDeclaration::kFlagCurrency));
        QCOMPARE(f.declaration().expectedIncome, Money());
    }

    void privatePracticeIsSwitchedOffByTheStore() {
        Program p;
        const QString file = writeDocument(p.folder.file("tutor.dc1"), [](mTDeclaration& d) {
            d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagRepetit);
            d.repetitIncomes.Add();
        });
        TFormMain& f = p.start({file});
        p.conditions()->StoreToModel();
        QCOMPARE(f.declaration().incomeFlags(), quint8(1));
        QCOMPARE(f.declaration().repetitIncomes.Count(), 0);
    }

    void representativeFields() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        TfrInitialData* c = p.conditions();
        click(c->rbGiveTrustFase);
        QVERIFY(c->meFIO->isEnabled());
        QVERIFY(c->meOsn->isEnabled());
        QVERIFY(!c->meUL->isEnabled());
        QVERIFY(!c->lbUL->isEnabled());
        QVERIFY(!f.isSaved());
        UiTestKit::typeText(c->meFIO, QStringLiteral("Петров Петр Петрович"));
        UiTestKit::typeText(c->meOsn, QStringLiteral("Доверенность № 5"));
        c->StoreToModel();
        QCOMPARE(f.declaration().signerKind, quint8(1));
        QCOMPARE(f.declaration().representativeName, QStringLiteral("Петров Петр Петрович"));
        QCOMPARE(f.declaration().representativeDocument, QStringLiteral("Доверенность № 5"));
        click(c->rbGiveByMail);
        QVERIFY(c->meUL->isEnabled());
        QVERIFY(c->lbUL->isEnabled());
        click(c->rbGiveSelf);
        QVERIFY(!c->meFIO->isEnabled());
        QVERIFY(!c->lbFIO->isEnabled());
        QCOMPARE(c->meFIO->text(), QStringLiteral("Петров Петр Петрович"));
        c->StoreToModel();
        QCOMPARE(f.declaration().signerKind, quint8(0));
        QVERIFY(f.declaration().representativeName.isEmpty());
        QVERIFY(f.declaration().representativeDocument.isEmpty());
    }

    void pickingTheInspection() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        TfrInitialData* c = p.conditions();
        QVERIFY(c->bnInspection->isEnabled());
        p.dialogs.thenPick(1);
        QTest::mouseClick(c->bnInspection, Qt::LeftButton);
        QCOMPARE(p.dialogs.shown, QStringList{"Справочник инспекций"});
        QCOMPARE(c->meInspection->text(), QStringLiteral("7702"));
        QVERIFY(!f.isSaved());
        // Opened again, the current inspection is selected.
        int selected = -1;
        p.dialogs.then([&](QDialog& d) {
            selected = qobject_cast<TfmCodePicker*>(&d)->selectedRow();
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(c->bnInspection, Qt::LeftButton);
        QCOMPARE(selected, 1);
        QCOMPARE(c->meInspection->text(), QStringLiteral("7702"));
        c->StoreToModel();
        QCOMPARE(f.declaration().inspectionCode, QStringLiteral("7702"));
        // The code itself takes no typing: a digit typed into it opens the
        // directory searching for it, and nothing changes when that is cancelled.
        QString search;
        p.dialogs.then([&](QDialog& d) {
            search = qobject_cast<TfmCodePicker*>(&d)->meSearch->text();
            return int(QDialog::Rejected);
        });
        UiTestKit::typeText(c->meInspection, "5");
        QCOMPARE(search, QStringLiteral("5"));
        QCOMPARE(c->meInspection->text(), QStringLiteral("7702"));
        p.dialogs.thenPick(0);
        QTest::keyClick(c->meInspection, Qt::Key_Space);
        QCOMPARE(c->meInspection->text(), QStringLiteral("7701"));
        QCOMPARE(p.dialogs.shown.size(), qsizetype(4));
    }

    void withoutTheDirectoryTheInspectionCannotBeSet() {
        Program p(false);
        p.start();
        QVERIFY(!p.conditions()->bnInspection->isEnabled());
    }

    void correctionNumber() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        TfrInitialData* c = p.conditions();
        QTest::mouseClick(c->updCorrDown, Qt::LeftButton);
        QCOMPARE(c->meNumVer->text(), QStringLiteral("0"));
        QTest::mouseClick(c->updCorrUp, Qt::LeftButton);
        QTest::mouseClick(c->updCorrUp, Qt::LeftButton);
        QCOMPARE(c->meNumVer->text(), QStringLiteral("2"));
        c->meNumVer->selectAll();
        QTest::keyClick(c->meNumVer, Qt::Key_Backspace);
        c->StoreToModel();
        QCOMPARE(f.declaration().correctionNumber, 0);
        UiTestKit::typeText(c->meNumVer, "1234");
        QCOMPARE(c->meNumVer->text(), QStringLiteral("123"));
        QTest::mouseClick(c->updCorrUp, Qt::LeftButton);
        c->StoreToModel();
        QCOMPARE(f.declaration().correctionNumber, 124);
    }

    // The correction number is reached in screen order and stepped by the arrow
    // keys; its up-down buttons are not stops of their own at the end of the page.
    void correctionNumberFromTheKeyboard() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        TfrInitialData* c = p.conditions();
        c->bnInspection->setFocus();
        QTest::keyClick(c->bnInspection, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), c->meNumVer);
        QTest::keyClick(c->meNumVer, Qt::Key_Up);
        QTest::keyClick(c->meNumVer, Qt::Key_Up);
        QCOMPARE(c->meNumVer->text(), QStringLiteral("2"));
        QVERIFY(!f.isSaved());
        QTest::keyClick(c->meNumVer, Qt::Key_Down);
        QTest::keyClick(c->meNumVer, Qt::Key_Down);
        QTest::keyClick(c->meNumVer, Qt::Key_Down);
        QCOMPARE(c->meNumVer->text(), QStringLiteral("0"));
        QTest::keyClick(c->meNumVer, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->parentWidget(), c->rbPredp->parentWidget());
        // From the last field the focus leaves the page's fields, never lands on
        // the up-down buttons.
        c->meUL->setFocus();
        QTest::keyClick(c->meUL, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != c->updCorrUp);
        QVERIFY(QApplication::focusWidget() != c->updCorrDown);
    }

    void hiddenFieldsKeepTheirValues() {
        Program p;
        const QString file = writeDocument(p.folder.file("sheets.dc1"), [](mTDeclaration& d) {
            d.signDate = TDateTime::fromYmd(2012, 4, 2);
            d.autoCountSheets = 0;
            d.attachmentSheets = 17;
        });
        TFormMain& f = p.start({file});
        p.conditions()->StoreToModel();
        QCOMPARE(f.declaration().signDate, TDateTime::fromYmd(2012, 4, 2));
        QCOMPARE(f.declaration().attachmentSheets, 17);
        QCOMPARE(f.declaration().autoCountSheets, quint8(0));
    }

    void checkRepresentativeMessages() {
        Program p;
        const QString file = writeDocument(p.folder.file("rep.dc1"), [](mTDeclaration& d) {
            d.inspectionCode = QStringLiteral("7701");
            d.signerKind = 2;
        });
        TFormMain& f = p.start({file});
        TfrInitialData* c = p.conditions();
        c->StoreToModel();
        p.dialogs.thenCheck(TfmCheckError::Skip);
        p.dialogs.thenCheck(TfmCheckError::Skip);
        p.dialogs.thenCheck(TfmCheckError::Skip);
        QCOMPARE(c->CheckPage(), 0);
        QCOMPARE(p.dialogs.shown,
                 (QStringList{kCheckTitle + "Не указаны ФИО подписанта-представителя",
                              kCheckTitle +
                                  "Не указан документ, подтверждающий полномочия представителя",
                              kCheckTitle + "Не указано наименование Юр.лица-представителя"}));
        p.dialogs.shown.clear();
        p.dialogs.thenCheck(TfmCheckError::Skip);
        p.dialogs.thenCheck(TfmCheckError::Fix);
        QCOMPARE(c->CheckPage(), 4);
        QCOMPARE(p.dialogs.shown.size(), 2);
        p.dialogs.shown.clear();
        p.dialogs.thenCheck(TfmCheckError::SkipAll);
        QCOMPARE(c->CheckPage(), 0);
        QCOMPARE(p.dialogs.shown.size(), 1);
        p.dialogs.shown.clear();
        // Closing the dialog is a skip.
        p.dialogs.thenCheck(TfmCheckError::Closed);
        p.dialogs.thenCheck(TfmCheckError::Fix);
        QCOMPARE(c->CheckPage(), 4);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        c->FocusField(4);
        QVERIFY(c->meOsn->hasFocus());
        c->FocusField(5);
        QVERIFY(c->meUL->hasFocus());
        QVERIFY(p.dialogs.unexpected.isEmpty());
    }
};

QTEST_MAIN(TestFrameInitialData)
#include "test_frame_initial_data.moc"
