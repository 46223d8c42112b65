#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "ui/CodeTablePickers.h"
#include "ui/DateEdit.h"
#include "ui/FramePersonAddress.h"
#include "ui/FramePersonData.h"
#include "ui/FramePersonName.h"
#include "ui/MaskedEdit.h"
#include "ui/TextConventions.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace WindowTestKit;

namespace {

const QString kCheckTitle = QStringLiteral("Проверка: Сведения о декларанте|");

// The declarant page of a document, opened by its button.
struct PersonPage {
    Program p;
    TfrPersonData* page = nullptr;

    explicit PersonPage(const std::function<void(mTDeclaration&)>& fill, bool directories = true)
        : p(directories) {
        const QString file = writeDocument(p.folder.file("doc.dc1"), [&](mTDeclaration& d) {
            d.inspectionCode = QStringLiteral("7701");
            fill(d);
        });
        TFormMain& f = p.start({file});
        f.show();
        QTest::mouseClick(f.pageButton(TPageId::PersonInfo), Qt::LeftButton);
        page = qobject_cast<TfrPersonData*>(f.currentPage());
    }
    TFormMain& form() { return *p.form; }
    TfrPersonNaim* name() const { return qobject_cast<TfrPersonNaim*>(page->currentSubPage()); }
    TfrPersonAddress* address() const {
        return qobject_cast<TfrPersonAddress*>(page->currentSubPage());
    }
    // Index of a document kind in the picker's list.
    static int docRow(const QString& code) {
        TfmDocType picker(nullptr);
        for (int i = 0; i < picker.list->topLevelItemCount(); ++i)
            if (picker.list->topLevelItem(i)->text(0) == code)
                return i;
        return -1;
    }
};

} // namespace

class TestFramePerson : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TextConventions::apply(); }

    void opensOnTheNameSubPageWithoutChangingTheDocument() {
        PersonPage pp([](mTDeclaration& d) {
            d.person.surname = QStringLiteral("Иванов");
            d.person.idDocKind = 21;
            d.person.idDocName = QStringLiteral("Паспорт гражданина РФ");
            d.person.idDocSeriesNumber = QStringLiteral("45 01 123456");
        });
        QVERIFY(pp.page);
        QCOMPARE(pp.page->currentIndex(), 0);
        QVERIFY(pp.page->fbPersonNaim->isChecked());
        QCOMPARE(pp.page->fbPersonAddress->toolTip(),
                 QStringLiteral("Сведения о месте жительства"));
        TfrPersonNaim* n = pp.name();
        QCOMPARE(n->meSurName->text(), QStringLiteral("Иванов"));
        QCOMPARE(n->pnlDocType->text(), QStringLiteral("Паспорт гражданина РФ"));
        QCOMPARE(n->meSerial->EditType(), edt99_);
        QCOMPARE(n->meSerial->text(), QStringLiteral("45 01 123456"));
        QVERIFY(n->meSerial->isEnabled());
        QVERIFY(n->rbGr->isChecked());
        QCOMPARE(n->meKodGrazhd->text(), QStringLiteral("643"));
        QCOMPARE(n->meCitizenship->text(), QStringLiteral("РОССИЯ"));
        QVERIFY(n->bnGrazhd->isEnabled());
        QVERIFY(pp.form().isSaved());
    }

    void withoutADocumentKindItsFieldsAreClosed() {
        PersonPage pp([](mTDeclaration&) {});
        TfrPersonNaim* n = pp.name();
        QVERIFY(!n->meSerial->isEnabled());
        QVERIFY(!n->dtRegDate->isEnabled());
        QVERIFY(!n->meKem->isEnabled());
        QCOMPARE(n->dtRegDate->maximumDate(), QDate::currentDate());
        QCOMPARE(n->dtBirthDate->maximumDate(), QDate::currentDate());
    }

    void leavingAnEmptyNameSubPage() {
        PersonPage pp([](mTDeclaration&) {});
        QVERIFY(QTest::qWaitForWindowActive(&pp.form()));
        pp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QTest::mouseClick(pp.page->fbPersonAddress, Qt::LeftButton);
        QCOMPARE(pp.p.dialogs.shown, QStringList{kCheckTitle + "Не введена фамилия"});
        QCOMPARE(pp.page->currentIndex(), 0);
        QVERIFY(pp.page->fbPersonNaim->isChecked());
        QVERIFY(pp.name()->meSurName->hasFocus());

        UiTestKit::typeText(pp.name()->meSurName, QStringLiteral("Петров"));
        UiTestKit::typeText(pp.name()->meName, QStringLiteral("Петр"));
        pp.p.dialogs.shown.clear();
        pp.p.dialogs.thenCheck(TfmCheckError::Skip);
        pp.p.dialogs.thenCheck(TfmCheckError::SkipAll);
        QTest::mouseClick(pp.page->fbPersonAddress, Qt::LeftButton);
        QCOMPARE(pp.p.dialogs.shown, (QStringList{kCheckTitle + "Не указан ИНН",
                                                  kCheckTitle + "Не указано место рождения"}));
        QCOMPARE(pp.page->currentIndex(), 1);
        QCOMPARE(pp.form().declaration().person.surname, QStringLiteral("Петров"));
    }

    void innMessages_data() {
        QTest::addColumn<QString>("inn");
        QTest::addColumn<QString>("message");
        QTest::newRow("short") << "50010073225"
                               << "Длинна ИНН должна быть равна 12 цифрам";
        QTest::newRow("wrong check digit") << "500100732258"
                                           << "Номер ИНН введен неверно";
    }
    void innMessages() {
        QFETCH(QString, inn);
        QFETCH(QString, message);
        PersonPage pp([&](mTDeclaration& d) {
            d.person.surname = QStringLiteral("А");
            d.person.firstName = QStringLiteral("Б");
            d.person.inn = inn;
        });
        pp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QCOMPARE(pp.name()->CheckPage(), 4);
        QCOMPARE(pp.p.dialogs.shown, QStringList{kCheckTitle + message});
    }

    void passportPicked() {
        PersonPage pp([](mTDeclaration& d) {
            d.person.idDocKind = 10;
            d.person.idDocName = QStringLiteral("Паспорт иностранного гражданина");
            d.person.idDocSeriesNumber = QStringLiteral("AB123");
            d.person.idDocIssuer = QStringLiteral("Посольство");
            d.person.idDocIssueDate = TDateTime::fromYmd(2005, 5, 5);
        });
        TfrPersonNaim* n = pp.name();
        pp.p.dialogs.thenPick(PersonPage::docRow(QStringLiteral("21")));
        QTest::mouseClick(n->bnDocType, Qt::LeftButton);
        QCOMPARE(pp.p.dialogs.shown, QStringList{"Справочник видов документов"});
        QCOMPARE(n->pnlDocType->text(), QStringLiteral("Паспорт гражданина РФ"));
        QCOMPARE(n->docKind(), 21);
        QCOMPARE(n->meSerial->EditType(), edt99_);
        QVERIFY(n->meSerial->text().isEmpty());
        QVERIFY(n->meKem->text().isEmpty());
        QCOMPARE(n->dtRegDate->date(), QDate(1990, 1, 1));
        QVERIFY(!pp.form().isSaved());
        UiTestKit::typeText(n->meSerial, "4501123456");
        QCOMPARE(n->meSerial->text(), QStringLiteral("45 01 123456"));
        n->StoreToModel();
        const mTPersonInformation& person = pp.form().declaration().person;
        QCOMPARE(person.idDocKind, qint16(21));
        QCOMPARE(person.idDocName, QStringLiteral("Паспорт гражданина РФ"));
        QCOMPARE(person.idDocSeriesNumber, QStringLiteral("45 01 123456"));
        QCOMPARE(person.idDocIssueDate, TDateTime::fromYmd(1990, 1, 1));
    }

    void pickingTheSameKindChangesNothing() {
        PersonPage pp([](mTDeclaration& d) {
            d.person.idDocKind = 21;
            d.person.idDocName = QStringLiteral("Паспорт гражданина РФ");
            d.person.idDocSeriesNumber = QStringLiteral("45 01 123456");
        });
        int preselected = -1;
        pp.p.dialogs.then([&](QDialog& d) {
            preselected = qobject_cast<TfmCodePicker*>(&d)->selectedRow();
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(pp.name()->bnDocType, Qt::LeftButton);
        QCOMPARE(preselected, PersonPage::docRow(QStringLiteral("21")));
        QCOMPARE(pp.name()->meSerial->text(), QStringLiteral("45 01 123456"));
        QVERIFY(pp.form().isSaved());
    }

    void birthCertificateShapes() {
        PersonPage pp([](mTDeclaration& d) {
            d.person.idDocKind = 3;
            d.person.idDocName = QStringLiteral("Свидетельство о рождении");
            d.person.idDocSeriesNumber = QStringLiteral("XIV-АБ 123456");
        });
        TfrPersonNaim* n = pp.name();
        QCOMPARE(n->meSerial->EditType(), edtR_BB);
        pp.p.dialogs.thenPick(PersonPage::docRow(QStringLiteral("03")));
        // The name shown differs from the table's, so the pick counts.
        QTest::mouseClick(n->bnDocType, Qt::LeftButton);
        QCOMPARE(n->meSerial->EditType(), edtNone1);
        UiTestKit::typeText(n->meSerial, QStringLiteral("1234567890123456789012"));
        QCOMPARE(n->meSerial->text().size(), 20);
    }

    // A series typed in the free shape is shown again, not dropped, when the
    // Roman shape comes back with the reopened document.
    void aSeriesOfAnotherShapeSurvivesReopening() {
        PersonPage pp([](mTDeclaration& d) {
            d.person.idDocKind = 3;
            d.person.idDocName = QStringLiteral("Свидетельство о рождении");
            d.person.idDocSeriesNumber = QStringLiteral("XIV АБ 123456");
        });
        QCOMPARE(pp.name()->meSerial->text(), QStringLiteral("XIV АБ 123456"));
        pp.name()->StoreToModel();
        QCOMPARE(pp.form().declaration().person.idDocSeriesNumber, QStringLiteral("XIV АБ 123456"));
    }

    void seriesShapeTables_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("onCreation"); // -1: kept
        QTest::addColumn<int>("onPicking");
        QTest::newRow("1") << 1 << int(edtR_BB) << -1;
        QTest::newRow("2") << 2 << int(edt99) << int(edt99);
        QTest::newRow("3") << 3 << int(edtR_BB) << int(edtNone1);
        QTest::newRow("6") << 6 << int(edtBB) << int(edtBB);
        QTest::newRow("7") << 7 << int(edtBB0) << int(edtBB0);
        QTest::newRow("8") << 8 << -1 << -1;
        QTest::newRow("10") << 10 << int(edtNone1) << int(edtNone1);
        QTest::newRow("12") << 12 << int(edtNone2) << int(edtNone1);
        QTest::newRow("15") << 15 << -1 << int(edtNone1);
        QTest::newRow("21") << 21 << int(edt99_) << int(edt99_);
        QTest::newRow("24") << 24 << -1 << int(edtBB0);
        QTest::newRow("91") << 91 << int(edtNone2) << int(edtNone1);
    }
    void seriesShapeTables() {
        QFETCH(int, kind);
        QFETCH(int, onCreation);
        QFETCH(int, onPicking);
        // -1: the shape is left as it was.
        const auto shape = [](std::optional<TDocumentMaskEnum> s) { return s ? int(*s) : -1; };
        QCOMPARE(shape(SeriesShapeOnCreation(kind)), onCreation);
        QCOMPARE(shape(SeriesShapeOnPicking(kind)), onPicking);
    }

    void fourteenYearRule_data() {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QDate>("issue");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        const QString fourteen = QStringLiteral(
            "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет");
        QTest::newRow("the day before the 14th birthday")
            << QDate(1990, 6, 15) << QDate(2004, 6, 14) << 21 << fourteen;
        QTest::newRow("on the 14th birthday")
            << QDate(1990, 6, 15) << QDate(2004, 6, 15) << 21 << QString();
        QTest::newRow("born 29 February, issued 28 February")
            << QDate(1996, 2, 29) << QDate(2010, 2, 28) << 21 << QString();
        QTest::newRow("born 29 February, issued 27 February")
            << QDate(1996, 2, 29) << QDate(2010, 2, 27) << 21 << fourteen;
        QTest::newRow("foreign passport one day after birth")
            << QDate(2000, 1, 1) << QDate(2000, 1, 2) << 10 << QString();
        QTest::newRow("issued before birth")
            << QDate(2000, 1, 2) << QDate(2000, 1, 1) << 10
            << QStringLiteral("Дата выдачи документа не может быть меньше даты рождения");
    }
    void fourteenYearRule() {
        QFETCH(QDate, birth);
        QFETCH(QDate, issue);
        QFETCH(int, kind);
        QFETCH(QString, message);
        PersonPage pp([&](mTDeclaration& d) {
            makePassing(d);
            d.person.idDocKind = qint16(kind);
            d.person.idDocName = QStringLiteral("Документ");
            d.person.idDocSeriesNumber = QStringLiteral("1");
            d.person.idDocIssuer = QStringLiteral("ОВД");
            d.person.birthDate = TDateTime::fromDate(birth);
            d.person.idDocIssueDate = TDateTime::fromDate(issue);
        });
        pp.p.dialogs.thenCheck(TfmCheckError::Fix);
        const int position = pp.name()->CheckPage();
        if (message.isEmpty()) {
            QCOMPARE(position, 0);
            QVERIFY(pp.p.dialogs.shown.isEmpty());
        } else {
            QCOMPARE(position, 7);
            QCOMPARE(pp.p.dialogs.shown, QStringList{kCheckTitle + message});
        }
    }

    void fourNdfl() {
        PersonPage pp([](mTDeclaration& d) {
            d.formKind = 2;
            d.SetIncomeFlags(0);
            makePassing(d);
            d.formKind = 2;
            d.SetIncomeFlags(0);
            d.person.okato = QStringLiteral("4528655500");
        });
        QVERIFY(pp.page->fbPersonAddress->isHidden());
        TfrPersonNaim* n = pp.name();
        QVERIFY(n->meOKATO->isVisible());
        QVERIFY(n->meHomePhone->isVisible());
        QVERIFY(!n->gbDocument->isVisible());
        QVERIFY(!n->gbCitizenship->isVisible());
        QVERIFY(!n->meMesto->isVisible());
        QVERIFY(!n->dtBirthDate->isVisible());
        pp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QCOMPARE(n->CheckPage(), 10);
        QCOMPARE(pp.p.dialogs.shown,
                 QStringList{kCheckTitle + "Не введен код ОКАТО (11 символов)"});
        // A hidden field asked for is shown first.
        QVERIFY(QTest::qWaitForWindowActive(&pp.form()));
        n->FocusField(9);
        QVERIFY(n->meMesto->isVisible());
        QVERIFY(n->meMesto->hasFocus());
    }

    void okatoIsSharedByBothSubPages() {
        PersonPage pp([](mTDeclaration& d) { makePassing(d); });
        pp.page->showSubPage(1);
        TfrPersonAddress* a = pp.address();
        a->meOKATO->selectAll();
        UiTestKit::typeText(a->meOKATO, "12345678901");
        QTest::mouseClick(pp.page->fbPersonNaim, Qt::LeftButton);
        QCOMPARE(pp.page->currentIndex(), 0);
        TfrPersonNaim* n = pp.name();
        QCOMPARE(n->meOKATO->text(), QStringLiteral("12345678901"));
        n->StoreToModel();
        QCOMPARE(pp.form().declaration().person.okato, QStringLiteral("12345678901"));
    }

    void addressSubPage() {
        PersonPage pp([](mTDeclaration&) {});
        pp.p.dialogs.thenCheck(TfmCheckError::SkipAll);
        QTest::mouseClick(pp.page->fbPersonAddress, Qt::LeftButton);
        TfrPersonAddress* a = pp.address();
        QVERIFY(a);
        QVERIFY(a->rbReg->isChecked());
        // No region: "01" is selected in the picker.
        int preselected = -1;
        pp.p.dialogs.then([&](QDialog& d) {
            preselected = qobject_cast<TfmCodePicker*>(&d)->selectedRow();
            qobject_cast<TfmCodePicker*>(&d)->preselect(76); // 77 г. Москва
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(a->bnRegion, Qt::LeftButton);
        QCOMPARE(preselected, 0);
        QCOMPARE(a->pnlRegion->text(), QStringLiteral("г. Москва"));
        QCOMPARE(a->regionCode(), 77);
        QVERIFY(!pp.form().isSaved());
        QTest::mouseClick(a->rbPreb, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        UiTestKit::typeText(a->mePostIndex, "1234567");
        UiTestKit::typeText(a->meStreet, QStringLiteral("Тверская"));
        UiTestKit::typeText(a->meHouse, QStringLiteral("12корп.3"));
        UiTestKit::typeText(a->meAdr, QStringLiteral("Minsk"));
        a->StoreToModel();
        const mTPersonInformation& person = pp.form().declaration().person;
        QCOMPARE(person.regionCode, qint16(77));
        QCOMPARE(person.regionName, QStringLiteral("г. Москва"));
        QCOMPARE(person.addressKind, quint8(1));
        QCOMPARE(person.postIndex, QStringLiteral("123456"));
        QCOMPARE(person.street, QStringLiteral("Тверская"));
        QCOMPARE(person.house, QStringLiteral("12корп.")); // seven at most
        QCOMPARE(person.foreignAddress, QStringLiteral("Minsk"));
        pp.p.dialogs.shown.clear();
        pp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QCOMPARE(a->CheckPage(), 4);
        QCOMPARE(pp.p.dialogs.shown,
                 QStringList{kCheckTitle + "Не введен код ОКАТО (11 символов)"});
    }

    void addressCheckOrder() {
        PersonPage pp([](mTDeclaration&) {});
        pp.page->showSubPage(1);
        pp.p.dialogs.thenCheck(TfmCheckError::Skip);
        pp.p.dialogs.thenCheck(TfmCheckError::Skip);
        pp.p.dialogs.thenCheck(TfmCheckError::Skip);
        pp.address()->StoreToModel();
        QCOMPARE(pp.address()->CheckPage(), 0);
        QCOMPARE(pp.p.dialogs.shown,
                 (QStringList{kCheckTitle + "Не указан регион постоянного местожительства",
                              kCheckTitle + "Не указан населенный пункт (село, поселок) или улица "
                                            "(проспект, переулок)",
                              kCheckTitle + "Не введен код ОКАТО (11 символов)"}));
    }

    void countryPicker() {
        PersonPage pp([](mTDeclaration&) {});
        TfrPersonNaim* n = pp.name();
        int preselected = -1;
        pp.p.dialogs.then([&](QDialog& d) {
            auto* picker = qobject_cast<TfmCodePicker*>(&d);
            preselected = picker->selectedRow();
            picker->preselect(0);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(n->bnGrazhd, Qt::LeftButton);
        QCOMPARE(pp.p.dialogs.shown, QStringList{"Справочник стран"});
        QCOMPARE(preselected, 1);
        QCOMPARE(n->meKodGrazhd->text(), QStringLiteral("112"));
        QCOMPARE(n->meCitizenship->text(), QStringLiteral("БЕЛАРУСЬ"));
        QVERIFY(!pp.form().isSaved());
        QTest::mouseClick(n->rbBomzh, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        n->StoreToModel();
        const mTPersonInformation& person = pp.form().declaration().person;
        QCOMPARE(person.citizenshipCode, QStringLiteral("112"));
        QCOMPARE(person.citizenshipCountry, QStringLiteral("БЕЛАРУСЬ"));
        QCOMPARE(person.citizenshipKind, QStringLiteral("2"));
    }

    void withoutTheCountryDirectoryTheButtonIsOff() {
        PersonPage pp([](mTDeclaration&) {}, false);
        QVERIFY(!pp.name()->bnGrazhd->isEnabled());
    }

    void nameSubPageStoresEveryField() {
        PersonPage pp([](mTDeclaration&) {});
        TfrPersonNaim* n = pp.name();
        UiTestKit::typeText(n->meSurName, QStringLiteral("Сидорова"));
        UiTestKit::typeText(n->meName, QStringLiteral("Анна"));
        UiTestKit::typeText(n->mePatronymic, QStringLiteral("Сергеевна"));
        UiTestKit::typeText(n->meINN, "500100732259x");
        UiTestKit::typeText(n->meMesto, QStringLiteral("г. Тула"));
        n->dtBirthDate->setDate(QDate(1980, 7, 1));
        n->StoreToModel();
        const mTPersonInformation& person = pp.form().declaration().person;
        QCOMPARE(person.surname, QStringLiteral("Сидорова"));
        QCOMPARE(person.firstName, QStringLiteral("Анна"));
        QCOMPARE(person.patronymic, QStringLiteral("Сергеевна"));
        QCOMPARE(person.inn, QStringLiteral("500100732259"));
        QCOMPARE(person.birthPlace, QStringLiteral("г. Тула"));
        QCOMPARE(person.birthDate, TDateTime::fromYmd(1980, 7, 1));
        QCOMPARE(person.citizenshipKind, QStringLiteral("1"));
        pp.p.dialogs.thenCheck(TfmCheckError::Fix);
        QCOMPARE(n->CheckPage(), 0);
        QVERIFY(pp.p.dialogs.shown.isEmpty());
        QVERIFY(pp.p.dialogs.unexpected.isEmpty());
    }

    void datesOutOfRangeAreKeptUntilChanged() {
        PersonPage pp(
            [](mTDeclaration& d) { d.person.birthDate = TDateTime::fromYmd(1899, 12, 31); });
        pp.name()->StoreToModel();
        QCOMPARE(pp.form().declaration().person.birthDate, TDateTime::fromYmd(1899, 12, 31));
        QVERIFY(pp.form().isSaved());
    }
};

QTEST_MAIN(TestFramePerson)
#include "test_frame_person.moc"
