#include "ProgramFixture.h"
#include "ScriptedDialogs.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "ui/FrameInitialData.h"
#include "ui/FramePersonAddress.h"
#include "ui/FramePersonData.h"
#include "ui/FramePersonName.h"
#include "ui/HelpWindow.h"
#include "ui/Main.h"
#include "ui/MaskedEdit.h"
#include "ui/PageButton.h"
#include "ui/PlaceholderPage.h"
#include "ui/ProgramSettings.h"
#include "ui/TextConventions.h"
#include "ui/WindowPlacement.h"
#include "ui/deductions/FrameDeductData.h"
#include "ui/income/RussianIncome.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace WindowTestKit;

Q_DECLARE_METATYPE(TStoredPlacement)

namespace {

const QString kTitle = QStringLiteral("Qarv 2011|");
const QString kBadFormat =
    QStringLiteral("Неправильный формат файла декларации, возможно он поврежден.");

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TextConventions::apply(); }

    void startsWithANewDocumentOnTheConditionsPage() {
        Program p;
        TFormMain& f = p.start();
        QCOMPARE(f.windowTitle(), QStringLiteral("Без имени - Qarv 2011"));
        QVERIFY(p.conditions());
        QCOMPARE(f.currentPageId(), TPageId::InitialData);
        QVERIFY(f.pageButton(TPageId::InitialData)->isChecked());
        QVERIFY(f.isSaved());
        QVERIFY(f.fileName().isEmpty());
        QCOMPARE(f.declaration().incomeFlags(), quint8(1));
        QCOMPARE(f.declaration().autoCountSheets, quint8(1));
        QVERIFY(f.inspectionPickerReady());
        QVERIFY(f.countryPickerReady());
        QVERIFY(p.dialogs.shown.isEmpty());
    }

    void pageButtons() {
        Program p;
        TFormMain& f = p.start();
        const struct {
            TPageId id;
            const char* name;
            QString caption;
            bool enabled;
        } rows[] = {
            {TPageId::InitialData, "fbInitialData", QStringLiteral("Задание условий"), true},
            {TPageId::PersonInfo, "fbPrsonInfo", QStringLiteral("Сведения о декларанте"), true},
            {TPageId::RussianIncome, "fbRussianIncome", QStringLiteral("Доходы, полученные в РФ"),
             true},
            {TPageId::ForeignIncome, "fbForeignIncome", QStringLiteral("Доходы за пределами РФ"),
             false},
            {TPageId::Business, "fbBusinessIncome", QStringLiteral("Предприниматели"), false},
            {TPageId::Deduction, "fbDeduction", QStringLiteral("Вычеты"), true},
        };
        for (const auto& r : rows) {
            QToolButton* b = f.pageButton(r.id);
            QCOMPARE(b->objectName(), QString::fromLatin1(r.name));
            QCOMPARE(b->text(), r.caption);
            QCOMPARE(b->isEnabled(), r.enabled);
            QCOMPARE(b->height(), 75);
            QCOMPARE(b->y(), 75 * int(r.id));
            // The open page's caption is bold and still shows every letter.
            auto* pb = qobject_cast<TPageButton*>(b);
            QVERIFY(pb);
            const QFont bold =
                TPageButton::CaptionFont(b->font(), true, pb->CaptionArea(), r.caption);
            QVERIFY(bold.bold());
            QVERIFY2(QFontMetrics(bold)
                             .boundingRect(pb->CaptionArea(), TPageButton::kCaptionFlags, r.caption)
                             .width() <= pb->CaptionArea().width(),
                     qPrintable(r.caption));
        }
        QCOMPARE(f.pageButton(TPageId::InitialData)->toolTip(),
                 QStringLiteral("Выбор режима ввода"));
        QCOMPARE(f.pageButton(TPageId::Business)->toolTip(),
                 QStringLiteral("Доходы, полученные от проедпринимательской деятельности без "
                                "образования юридического лица и частной практики"));
    }

    void enablingRuleFollowsTheOpenedDocument() {
        Program p;
        const QString file = writeDocument(p.folder.file("nonres.dc1"), [](mTDeclaration& d) {
            d.formKind = 1;
            d.SetIncomeFlags(1);
        });
        TFormMain& f = p.start({file});
        QVERIFY(!f.pageButtonEnabled(TPageId::Deduction));
        QVERIFY(f.pageButtonEnabled(TPageId::RussianIncome));
        // A new document has form 0 and income flag 1: "Вычеты" comes back.
        f.CreateDoc();
        QVERIFY(f.pageButtonEnabled(TPageId::Deduction));
        QCOMPARE(f.declaration().formKind, quint8(0));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("prefix");
        QTest::newRow("the document alone") << QStringList();
        QTest::newRow("after -p") << QStringList{QStringLiteral("-p")};
        QTest::newRow("after -P") << QStringList{QStringLiteral("-P")};
    }
    void commandLine() {
        QFETCH(QStringList, prefix);
        Program p;
        const QString file = writeDocument(p.folder.file("ivanov.dc1"), [](mTDeclaration& d) {
            d.inspectionCode = QStringLiteral("7702");
        });
        TFormMain& f = p.start(prefix + QStringList{file});
        QCOMPARE(f.windowTitle(), QStringLiteral("ivanov.dc1 - Qarv 2011"));
        QCOMPARE(f.declaration().inspectionCode, QStringLiteral("7702"));
        QCOMPARE(p.conditions()->meInspection->text(), QStringLiteral("7702"));
        QCOMPARE(QFileInfo(f.fileName()).fileName(), QStringLiteral("ivanov.dc1"));
        QVERIFY(f.isSaved());
    }

    void threeArgumentsOpenNothing() {
        Program p;
        const QString file = writeDocument(p.folder.file("a.dc1"), [](mTDeclaration&) {});
        TFormMain& f = p.start({file, file, file});
        QVERIFY(f.fileName().isEmpty());
        QVERIFY(p.dialogs.shown.isEmpty());
    }

    // Whatever way a load fails, the user gets a fresh document and a message;
    // never a half-read declaration.
    void loadFailureAtStartEndsInAFreshDocument_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a document") << "garbage" << kBadFormat;
        QTest::newRow("missing declarant streams") << "nostream" << kBadFormat;
        QTest::newRow("no such file") << "absent" << QString();
    }
    void loadFailureAtStartEndsInAFreshDocument() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        Program p;
        const QString file = p.folder.file("broken.dc1");
        if (kind == QLatin1String("garbage")) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(200, 'x'));
        } else if (kind == QLatin1String("nostream")) {
            writeWithoutDeclarant(file);
        }
        TFormMain& f = p.start({file});
        QCOMPARE(p.dialogs.shown.size(), 1);
        if (!message.isEmpty())
            QCOMPARE(p.dialogs.shown.at(0), kTitle + message);
        QCOMPARE(f.windowTitle(), QStringLiteral("Без имени - Qarv 2011"));
        QVERIFY(f.fileName().isEmpty());
        // Fresh: the half-read inspection code of the damaged file is not there.
        QVERIFY(f.declaration().inspectionCode.isEmpty());
        QCOMPARE(f.declaration().incomeFlags(), quint8(1));
        QCOMPARE(f.declaration().autoCountSheets, quint8(1));
    }

    void openFailureEndsInAFreshDocument() {
        Program p;
        TFormMain& f = p.start();
        const QString file = p.folder.file("half.dc1");
        writeWithoutDeclarant(file);
        p.dialogs.openFile = file;
        p.dialogs.thenButton(QMessageBox::Ok);
        f.OpenDoc();
        QCOMPARE(p.dialogs.shown, QStringList{kTitle + kBadFormat});
        QVERIFY(f.declaration().inspectionCode.isEmpty());
        QVERIFY(f.fileName().isEmpty());
        QCOMPARE(f.windowTitle(), QStringLiteral("Без имени - Qarv 2011"));
        QVERIFY(p.conditions());
    }

    void openOffersEveryEdition() {
        Program p;
        TFormMain& f = p.start();
        const QString file = writeDocument(p.folder.file("b.dc1"), [](mTDeclaration& d) {
            d.person.surname = QStringLiteral("Петров");
        });
        p.dialogs.openFile = file;
        f.OpenDoc();
        QCOMPARE(p.dialogs.lastOpenFilters,
                 QStringLiteral("Qarv 2011 (*.dc1);;Qarv 2010 (*.dc0);;Qarv 2009 (*.dc9);;"
                                "Qarv 2008 (*.dc8);;Qarv 2007 (*.dc7);;Qarv 2006 (*.dc6);;"
                                "Qarv 2005 (*.dc5);;Qarv 200* (*.dcl)"));
        QCOMPARE(f.declaration().person.surname, QStringLiteral("Петров"));
        QCOMPARE(f.windowTitle(), QStringLiteral("b.dc1 - Qarv 2011"));
        // Cancelling the dialog leaves a new document.
        p.dialogs.openFile.clear();
        f.OpenDoc();
        QVERIFY(f.declaration().person.surname.isEmpty());
        QCOMPARE(f.windowTitle(), QStringLiteral("Без имени - Qarv 2011"));
    }

    void buildingAPageLeavesTheDocumentSavedAndTypingChangesIt() {
        Program p;
        TFormMain& f = p.start();
        QTest::mouseClick(f.pageButton(TPageId::RussianIncome), Qt::LeftButton);
        // The conditions page stops us: no inspection.
        QVERIFY(f.isSaved());
        f.show();
        p.dialogs.thenCheck(TfmCheckError::Skip);
        QTest::mouseClick(f.pageButton(TPageId::PersonInfo), Qt::LeftButton);
        QCOMPARE(f.currentPageId(), TPageId::PersonInfo);
        QVERIFY(f.isSaved());
        auto* person = qobject_cast<TfrPersonData*>(f.currentPage());
        auto* name = qobject_cast<TfrPersonNaim*>(person->currentSubPage());
        UiTestKit::typeText(name->meSurName, QStringLiteral("Ж"));
        QVERIFY(!f.isSaved());
    }

    void savePrompt_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("written");
        QTest::newRow("Cancel: nothing changes")
            << int(QMessageBox::Cancel) << "" << false << false;
        QTest::newRow("No: on without saving") << int(QMessageBox::No) << "" << true << false;
        QTest::newRow("Yes, save dialog cancelled: on without saving")
            << int(QMessageBox::Yes) << "" << true << false;
        QTest::newRow("Yes, a name chosen: saved, then on")
            << int(QMessageBox::Yes) << "prompt.dc1" << true << true;
    }
    void savePrompt() {
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, goesOn);
        QFETCH(bool, written);
        Program p;
        TFormMain& f = p.start();
        UiTestKit::typeText(p.conditions()->meNumVer, "7");
        QVERIFY(!f.isSaved());
        if (!saveAs.isEmpty())
            p.dialogs.saveFile = p.folder.file(saveAs);
        p.dialogs.thenButton(QMessageBox::StandardButton(answer));
        f.CreateDoc();
        QCOMPARE(p.dialogs.shown, QStringList{kTitle + "Вы хотите сохранить декларацию?"});
        QCOMPARE(f.isSaved(), goesOn);
        QCOMPARE(f.declaration().correctionNumber, goesOn ? 0 : 0);
        QCOMPARE(p.conditions()->meNumVer->text(), goesOn ? QStringLiteral("0") : "07");
        QCOMPARE(p.dialogs.fileDialogs, answer == QMessageBox::Yes ? 1 : 0);
        QCOMPARE(QFileInfo::exists(p.folder.file("prompt.dc1")), written);
        if (written) {
            mTDeclaration d;
            d.LoadFromFile(p.folder.file("prompt.dc1"));
            QCOMPARE(d.correctionNumber, 7);
        }
        QVERIFY(p.dialogs.unexpected.isEmpty());
    }

    void savedDocumentAsksNothing() {
        Program p;
        TFormMain& f = p.start();
        f.CreateDoc();
        f.OpenDoc();
        QVERIFY(p.dialogs.shown.isEmpty());
        QVERIFY(f.close());
    }

    void closeQuery() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        UiTestKit::typeText(p.conditions()->meNumVer, "1");
        p.dialogs.thenButton(QMessageBox::Cancel);
        QVERIFY(!f.close());
        QVERIFY(f.isVisible());
        p.dialogs.thenButton(QMessageBox::No);
        QVERIFY(f.close());
    }

    void saveAsksForANameAndKeepsIt() {
        Program p;
        TFormMain& f = p.start();
        UiTestKit::typeText(p.conditions()->meNumVer, "3");
        p.dialogs.saveFile = p.folder.file("first.dc1");
        QVERIFY(f.SaveDoc());
        QCOMPARE(p.dialogs.lastSaveFilters, QStringLiteral("Qarv 2011 (*.dc1)"));
        QCOMPARE(p.dialogs.lastSaveSuffix, QStringLiteral("dc1"));
        QVERIFY(QFileInfo(p.dialogs.lastSaveFolder).isDir());
        QVERIFY(f.isSaved());
        QCOMPARE(f.windowTitle(), QStringLiteral("first.dc1 - Qarv 2011"));
        // The second save asks nothing.
        UiTestKit::typeText(p.conditions()->meNumVer, "4");
        QVERIFY(f.SaveDoc());
        QCOMPARE(p.dialogs.fileDialogs, 1);
        mTDeclaration d;
        d.LoadFromFile(p.folder.file("first.dc1"));
        QCOMPARE(d.correctionNumber, 34);
    }

    // A new document's save dialog starts in the documents folder, or at home
    // where there is none: a missing folder would be offered as the file name.
    void saveDialogStartsInAFolderThatExists() {
        Program p;
        TFormMain& f = p.start();
        const QString home = QFileInfo(p.folder.file("x")).absolutePath();
        const QByteArray oldHome = qgetenv("HOME");
        const auto restore = qScopeGuard([&] { qputenv("HOME", oldHome); });
        qputenv("HOME", QFile::encodeName(home));
        QVERIFY(!f.SaveDoc());
        QCOMPARE(p.dialogs.lastSaveFolder, home);
        QVERIFY(QDir(home).mkdir(QStringLiteral("Documents")));
        QVERIFY(!f.SaveDoc());
        QCOMPARE(p.dialogs.lastSaveFolder, home + QStringLiteral("/Documents"));
    }

    void olderEditionIsSavedUnderADc1Name() {
        Program p;
        const QString old = writeDocument(p.folder.file("old.dc0"), [](mTDeclaration& d) {
            d.person.surname = QStringLiteral("Сидоров");
        });
        const QByteArray before = [&] {
            QFile f(old);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        TFormMain& f = p.start({old});
        UiTestKit::typeText(p.conditions()->meNumVer, "2");
        QVERIFY(f.SaveDoc());
        QCOMPARE(QFileInfo(f.fileName()).fileName(), QStringLiteral("old.dc1"));
        QVERIFY(QFileInfo::exists(p.folder.file("old.dc1")));
        QFile again(old);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), before);
    }

    // The save prompt writes an older edition's document under the .dc1 name too,
    // or "Yes" would write over the old file.
    void savePromptLeavesTheOlderEditionsFileAlone() {
        Program p;
        const QString old = writeDocument(p.folder.file("old.dcl"), [](mTDeclaration&) {});
        const qint64 before = QFileInfo(old).size();
        TFormMain& f = p.start({old});
        UiTestKit::typeText(p.conditions()->meNumVer, "5");
        p.dialogs.thenButton(QMessageBox::Yes);
        f.CreateDoc();
        QCOMPARE(QFileInfo(old).size(), before);
        mTDeclaration d;
        d.LoadFromFile(p.folder.file("old.dc1"));
        QCOMPARE(d.correctionNumber, 5);
    }

    void saveAsWritesTheNameAsChosen() {
        Program p;
        TFormMain& f = p.start();
        p.dialogs.saveFile = p.folder.file("copy.dc5");
        QVERIFY(f.SaveAsDoc());
        QVERIFY(QFileInfo::exists(p.folder.file("copy.dc5")));
        QCOMPARE(f.windowTitle(), QStringLiteral("copy.dc5 - Qarv 2011"));
        p.dialogs.saveFile.clear();
        QVERIFY(!f.SaveAsDoc());
    }

    void failedSaveChangesNothing() {
        Program p;
        TFormMain& f = p.start();
        UiTestKit::typeText(p.conditions()->meNumVer, "1");
        p.dialogs.saveFile = p.folder.file("no/such/folder/x.dc1");
        p.dialogs.thenButton(QMessageBox::Ok);
        QVERIFY(!f.SaveDoc());
        QCOMPARE(p.dialogs.shown.size(), 1);
        QVERIFY(!f.isSaved());
        QCOMPARE(f.windowTitle(), QStringLiteral("Без имени - Qarv 2011"));
        // Inside the save prompt a failed save stops the command.
        p.dialogs.thenButton(QMessageBox::Yes);
        p.dialogs.thenButton(QMessageBox::Ok);
        f.CreateDoc();
        QCOMPARE(p.conditions()->meNumVer->text(), QStringLiteral("01"));
        QVERIFY(!f.isSaved());
    }

    void failingPageCheckKeepsThePageAndFocusesTheField() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        p.dialogs.thenCheck(TfmCheckError::Fix);
        p.dialogs.thenReject(); // the inspection picker opened by the focus
        QTest::mouseClick(f.pageButton(TPageId::PersonInfo), Qt::LeftButton);
        QCOMPARE(p.dialogs.shown,
                 (QStringList{"Проверка: Задание условий|Не введен номер инспекции",
                              "Справочник инспекций"}));
        QCOMPARE(f.currentPageId(), TPageId::InitialData);
        QVERIFY(f.pageButton(TPageId::InitialData)->isChecked());
        QVERIFY(!f.pageButton(TPageId::PersonInfo)->isChecked());
        QVERIFY(p.conditions()->bnInspection->hasFocus());
    }

    void failingPageCheckWithoutDirectoryFocusesTheCode() {
        Program p(false);
        TFormMain& f = p.start();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QVERIFY(!p.conditions()->bnInspection->isEnabled());
        p.dialogs.thenCheck(TfmCheckError::Fix);
        QTest::mouseClick(f.pageButton(TPageId::PersonInfo), Qt::LeftButton);
        QCOMPARE(f.currentPageId(), TPageId::InitialData);
        QVERIFY(p.conditions()->meInspection->hasFocus());
        QVERIFY(p.dialogs.unexpected.isEmpty());
    }

    void pageButtonsFromTheKeyboard() {
        Program p;
        const QString file = writeDocument(p.folder.file("ok.dc1"), makePassing);
        TFormMain& f = p.start({file});
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(&f, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(f.currentPageId(), TPageId::PersonInfo);
        // A disabled page stays closed.
        QTest::keyClick(&f, Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(f.currentPageId(), TPageId::PersonInfo);
        QTest::keyClick(&f, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(f.currentPageId(), TPageId::InitialData);
    }

    // In the smallest window these pages need no sideways scrolling.
    void pagesFitTheSmallestWindow() {
        Program p;
        const QString file = writeDocument(p.folder.file("ok.dc1"), [](mTDeclaration& d) {
            makePassing(d);
            d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagCurrency |
                             mTDeclaration::kFlagBusiness);
        });
        TFormMain& f = p.start({file});
        f.resize(kMinWindowWidth, kMinWindowHeight);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QScrollBar* sideways = f.findChild<QScrollArea*>()->horizontalScrollBar();
        auto fits = [&](const char* what) {
            QApplication::processEvents();
            QVERIFY2(sideways->maximum() == 0, what);
        };
        fits("conditions");
        const std::pair<TPageId, const char*> pages[] = {
            {TPageId::PersonInfo, "declarant"},
            {TPageId::RussianIncome, "income in the country"},
            {TPageId::ForeignIncome, "foreign income"},
            {TPageId::Business, "business"},
        };
        for (const auto& [page, what] : pages) {
            f.pageButton(page)->click();
            fits(what);
        }
        f.pageButton(TPageId::Deduction)->click();
        auto* deductions = qobject_cast<TfrFrameDeductData*>(f.currentPage());
        QVERIFY(deductions);
        const std::pair<QToolButton*, const char*> subPages[] = {
            {deductions->fbStandartDeduct, "standard deductions"},
            {deductions->fbConstructionDeduct, "property deduction"},
            {deductions->fbPensDeduct, "social deductions"},
            {deductions->fbCB, "securities"},
        };
        for (const auto& [button, what] : subPages) {
            button->click();
            fits(what);
        }
        QVERIFY(p.dialogs.unexpected.isEmpty());
    }

    void placeholderPagesOpenAndCheckNothing() {
        Program p;
        const QString file = writeDocument(p.folder.file("ok.dc1"), makePassing);
        TFormMain& f = p.start({file});
        QTest::mouseClick(f.pageButton(TPageId::RussianIncome), Qt::LeftButton);
        QVERIFY(qobject_cast<TfrRussianIncome*>(f.currentPage()));
        QTest::mouseClick(f.pageButton(TPageId::Deduction), Qt::LeftButton);
        QVERIFY(qobject_cast<TfrFrameDeductData*>(f.currentPage()));
        QCOMPARE(f.currentPageId(), TPageId::Deduction);
        QVERIFY(p.dialogs.shown.isEmpty());
        QVERIFY(f.isSaved());
    }

    void documentCheckOpensThePageAndFieldOfAFinding() {
        Program p;
        const QString file = writeDocument(p.folder.file("nosurname.dc1"), [](mTDeclaration& d) {
            makePassing(d);
            d.person.surname.clear();
        });
        TFormMain& f = p.start({file});
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        p.dialogs.thenCheck(TfmCheckAllError::Fix);
        QCOMPARE(f.RunDocumentCheck(), 1);
        QCOMPARE(p.dialogs.shown,
                 QStringList{"Проверка: Сведения о декларанте|Не введена фамилия"});
        QCOMPARE(f.currentPageId(), TPageId::PersonInfo);
        QVERIFY(f.pageButton(TPageId::PersonInfo)->isChecked());
        auto* person = qobject_cast<TfrPersonData*>(f.currentPage());
        QVERIFY(person);
        QCOMPARE(person->currentIndex(), 0);
        auto* name = qobject_cast<TfrPersonNaim*>(person->currentSubPage());
        QVERIFY(name->meSurName->hasFocus());
    }

    void documentCheckOpensTheAddressSubPage() {
        Program p;
        const QString file = writeDocument(p.folder.file("noplace.dc1"), [](mTDeclaration& d) {
            makePassing(d);
            d.person.locality.clear();
            d.person.street.clear();
        });
        TFormMain& f = p.start({file});
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        p.dialogs.thenCheck(TfmCheckAllError::Fix);
        f.CheckDoc();
        auto* person = qobject_cast<TfrPersonData*>(f.currentPage());
        QVERIFY(person);
        QCOMPARE(person->currentIndex(), 1);
        QVERIFY(person->fbPersonAddress->isChecked());
        QVERIFY(f.focusWidget() && f.focusWidget()->objectName() == QLatin1String("meArea"));
    }

    void documentCheckStoresThePageFirstAndCancelStops() {
        Program p;
        TFormMain& f = p.start();
        // The inspection typed nowhere else: the check sees what the page holds.
        p.dialogs.thenCheck(TfmCheckAllError::Cancel);
        QCOMPARE(f.RunDocumentCheck(), 2);
        QCOMPARE(p.dialogs.shown,
                 QStringList{"Проверка: Задание условий|Не введен номер инспекции"});
        QCOMPARE(f.currentPageId(), TPageId::InitialData);
    }

    void checkCommandReportsSuccess() {
        Program p;
        const QString file = writeDocument(p.folder.file("ok.dc1"), makePassing);
        TFormMain& f = p.start({file});
        p.dialogs.thenButton(QMessageBox::Ok);
        f.CheckDoc();
        QCOMPARE(p.dialogs.shown, QStringList{kTitle + "Проверка декларации завершена успешно"});
    }

    void previewAndPrintCheckFirst() {
        Program p;
        TFormMain& f = p.start();
        p.dialogs.thenCheck(TfmCheckAllError::Cancel);
        f.PreviewDoc();
        QCOMPARE(p.dialogs.shown.size(), 1);
        QVERIFY(p.dialogs.shown.at(0).startsWith(QStringLiteral("Проверка: ")));
        QVERIFY(f.isEnabled());

        Program q;
        const QString file = writeDocument(q.folder.file("ok.dc1"), makePassing);
        TFormMain& g = q.start({file});
        bool enabledMeanwhile = true;
        q.dialogs.then([&](QDialog&) {
            enabledMeanwhile = g.isEnabled();
            return int(QMessageBox::Ok);
        });
        g.PrintDoc();
        QCOMPARE(q.dialogs.shown.size(), 1);
        QVERIFY(q.dialogs.shown.at(0).contains(QStringLiteral("Не найден модуль печати")));
        QVERIFY(!enabledMeanwhile);
        QVERIFY(g.isEnabled());
    }

    void exportWritesTheFileIntoTheChosenFolder() {
        Program p;
        const QString file = writeDocument(p.folder.file("ok.dc1"), makePassing);
        TFormMain& f = p.start({file});
        QTemporaryDir out;
        p.dialogs.folder = out.path();
        bool enabledMeanwhile = true;
        p.dialogs.then([&](QDialog&) {
            enabledMeanwhile = f.isEnabled();
            return int(QMessageBox::Ok);
        });
        f.ExportDoc();
        QCOMPARE(p.dialogs.shown.size(), 1);
        const QString shown = p.dialogs.shown.at(0);
        QVERIFY2(shown.startsWith(kTitle + QStringLiteral("Сформирован файл NO_NDFL3_")),
                 qPrintable(shown));
        const QString name = shown.mid((kTitle + QStringLiteral("Сформирован файл ")).size());
        QVERIFY(name.endsWith(QStringLiteral(".xml")));
        QVERIFY(QFileInfo::exists(QDir(out.path()).filePath(name)));
        QVERIFY(!enabledMeanwhile);
        QVERIFY(f.isEnabled());
    }

    void exportCancelledWritesNothing() {
        Program p;
        const QString file = writeDocument(p.folder.file("ok.dc1"), makePassing);
        TFormMain& f = p.start({file});
        f.ExportDoc();
        QCOMPARE(p.dialogs.fileDialogs, 1);
        QVERIFY(p.dialogs.shown.isEmpty());
        QVERIFY(f.isEnabled());
    }

    void exportIntoAReadOnlyFolderFails() {
        Program p;
        const QString file = writeDocument(p.folder.file("ok.dc1"), makePassing);
        TFormMain& f = p.start({file});
        p.dialogs.folder = p.folder.file("missing-folder");
        for (int i = 0; i < 3; ++i)
            p.dialogs.thenButton(QMessageBox::Ok);
        f.ExportDoc();
        QVERIFY(!p.dialogs.shown.isEmpty());
        QCOMPARE(p.dialogs.shown.last(), kTitle + "Ошибка записи. Файл не сформирован.");
    }

    void help() {
        Program p;
        TFormMain& f = p.start();
        p.dialogs.thenButton(QMessageBox::Ok);
        f.Help();
        QCOMPARE(p.dialogs.shown, QStringList{kTitle + "Не найден файл справки Qarv2011.chm"});
        p.folder.writeHelp();
        f.Help();
        QVERIFY(f.helpWindow());
        QVERIFY(f.helpWindow()->isVisible());
        QCOMPARE(f.helpWindow()->currentTopic(), QStringLiteral("runprogramm.htm"));
        f.helpWindow()->hide();
        // F1 anywhere in the window.
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(p.conditions()->meFIO, Qt::Key_F1);
        QVERIFY(f.helpWindow()->isVisible());
    }

    // The shipped topics: every link reaches a topic, and each topic can be
    // reached from the main one.
    void helpTopicsLinkToTopicsThatExist() {
        const QDir help(QStringLiteral(QARV_SOURCE_DIR "/data/help"));
        const QStringList topics = help.entryList({QStringLiteral("*.htm")}, QDir::Files);
        const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
        QHash<QString, QStringList> links;
        for (const QString& topic : topics) {
            QFile f(help.filePath(topic));
            QVERIFY(f.open(QIODevice::ReadOnly));
            for (const QRegularExpressionMatch& m :
                 link.globalMatch(QString::fromUtf8(f.readAll()))) {
                QVERIFY2(topics.contains(m.captured(1)), qPrintable(topic + ": " + m.captured(1)));
                links[topic] << m.captured(1);
            }
        }
        QSet<QString> reached{THelpWindow::kMainTopic};
        QStringList todo{THelpWindow::kMainTopic};
        while (!todo.isEmpty())
            for (const QString& next : links.value(todo.takeLast()))
                if (!reached.contains(next)) {
                    reached.insert(next);
                    todo << next;
                }
        QCOMPARE(reached, QSet<QString>(topics.begin(), topics.end()));
    }

    void about() {
        Program p;
        TFormMain& f = p.start();
        p.dialogs.thenReject();
        f.About();
        QCOMPARE(p.dialogs.shown, QStringList{"О программе"});
    }

    void menusAndToolbar() {
        Program p;
        TFormMain& f = p.start();
        QCOMPARE(f.acExport->text(), QStringLiteral("Экспорт в xml"));
        QCOMPARE(f.acSaveAs->text(), QStringLiteral("Сохранить как..."));
        auto* exportButton = f.findChild<QToolButton*>(QStringLiteral("fbExsport"));
        QVERIFY(exportButton);
        QCOMPARE(exportButton->text(), QStringLiteral("Файл xml"));
        for (const char* name : {"fbCreate", "fbOpen", "fbSave", "fbView", "fbPrint", "fbCheck"})
            QVERIFY2(f.findChild<QToolButton*>(QLatin1String(name)), name);
        QCOMPARE(exportButton->size(), QSize(80, 47));
        f.acTextLabels->trigger();
        QCOMPARE(exportButton->size(), QSize(35, 35));
        QCOMPARE(exportButton->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }

    void toolbarSettingsAreWrittenAndRead() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        QVERIFY(f.standardPanel()->isVisible());
        f.acStdToolbar->trigger();
        f.acTextLabels->trigger();
        QVERIFY(!f.standardPanel()->isVisible());
        p.close();
        QSettings ini(p.folder.settingsFile(), QSettings::IniFormat);
        QCOMPARE(ini.value("ShowStdToolbar").toBool(), false);
        QCOMPARE(ini.value("TextLabels").toBool(), false);
        TFormMain& g = p.start();
        g.show();
        QVERIFY(!g.acStdToolbar->isChecked());
        QVERIFY(!g.acTextLabels->isChecked());
        QVERIFY(!g.standardPanel()->isVisible());
    }

    void settingsNamesIgnoreCase() {
        Program p;
        {
            QSettings ini(p.folder.settingsFile(), QSettings::IniFormat);
            ini.setValue("showstdtoolbar", false);
            ini.setValue("WLEFT", 12);
        }
        p.settings = std::make_unique<TProgramSettings>(p.folder.settingsFile());
        QCOMPARE(p.settings->readBool(TProgramSettings::kShowStdToolbar),
                 std::optional<bool>(false));
        QCOMPARE(p.settings->readInt(TProgramSettings::kLeft), std::optional<int>(12));
        QCOMPARE(p.settings->readBool(TProgramSettings::kTextLabels), std::optional<bool>());
        p.settings->write(TProgramSettings::kLeft, 40);
        p.settings->sync();
        QSettings ini(p.folder.settingsFile(), QSettings::IniFormat);
        QCOMPARE(ini.value("WLEFT").toInt(), 40);
        QVERIFY(!ini.contains("wLeft"));
    }

    void placementIsWrittenOnCloseAndReadBack() {
        Program p;
        {
            TFormMain& f = p.start();
            f.move(20, 30);
            f.resize(850, 600);
            p.close();
        }
        QSettings ini(p.folder.settingsFile(), QSettings::IniFormat);
        QCOMPARE(ini.value("wWidth").toInt(), 850);
        QCOMPARE(ini.value("wHeight").toInt(), 600);
        QCOMPARE(ini.value("wLeft").toInt(), 20);
        QCOMPARE(ini.value("wTop").toInt(), 30);
        QCOMPARE(ini.value("FullScreen").toBool(), false);
        TFormMain& g = p.start();
        const QRect expected =
            PlaceMainWindow({true, false, 20, 30, 850, 600}, g.screen()->geometry().width(),
                            g.screen()->availableGeometry().height());
        QCOMPARE(QRect(g.pos(), g.size()), expected);
    }

    void fullScreenIsRestored() {
        Program p;
        {
            QSettings ini(p.folder.settingsFile(), QSettings::IniFormat);
            ini.setValue("FullScreen", true);
            ini.setValue("wLeft", 5);
            ini.setValue("wTop", 5);
            ini.setValue("wWidth", 900);
            ini.setValue("wHeight", 650);
        }
        TFormMain& f = p.start();
        f.showPlaced();
        QVERIFY(f.isMaximized());
        p.close();
        QSettings ini(p.folder.settingsFile(), QSettings::IniFormat);
        QCOMPARE(ini.value("FullScreen").toBool(), true);
    }

    void noSettingsOpensCentredAtTheMinimum() {
        Program p;
        TFormMain& f = p.start();
        QCOMPARE(f.size(), QSize(800, 571));
        QCOMPARE(f.minimumSize(), QSize(800, 571));
        QCOMPARE(f.x(), (f.screen()->geometry().width() - 800) / 2);
    }

    void placement_data() {
        QTest::addColumn<TStoredPlacement>("stored");
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("workHeight");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("nothing stored: 800 x 571 centred")
            << TStoredPlacement{} << 1280 << 994 << QRect(240, 211, 800, 571);
        QTest::newRow("900 x 700 at 5000,10 on a 1280 screen")
            << TStoredPlacement{true, false, 5000, 10, 900, 700} << 1280 << 994
            << QRect(480, 10, 800, 700);
        QTest::newRow("full screen ignores the bounds")
            << TStoredPlacement{true, true, 100, 100, 900, 700} << 1280 << 994
            << QRect(240, 211, 800, 571);
        QTest::newRow("negative left and top become 0")
            << TStoredPlacement{true, false, -40, -5, 900, 700} << 1280 << 994
            << QRect(0, 0, 900, 700);
        QTest::newRow("too low: back against the bottom")
            << TStoredPlacement{true, false, 10, 600, 900, 700} << 1280 << 994
            << QRect(10, 423, 900, 571);
        QTest::newRow("a screen smaller than the window")
            << TStoredPlacement{true, false, 0, 0, 0, 0} << 640 << 480 << QRect(0, 0, 800, 571);
        QTest::newRow("stored as is when it fits")
            << TStoredPlacement{true, false, 100, 50, 1000, 800} << 1280 << 994
            << QRect(100, 50, 1000, 800);
    }
    void placement() {
        QFETCH(TStoredPlacement, stored);
        QFETCH(int, screenWidth);
        QFETCH(int, workHeight);
        QFETCH(QRect, placed);
        QCOMPARE(PlaceMainWindow(stored, screenWidth, workHeight), placed);
    }

    // What a person does with the program: new document, conditions, declarant,
    // save, reopen, check, export.
    void aPersonFillsInSavesReopensChecksAndExports() {
        Program p;
        TFormMain& f = p.start();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        p.dialogs.thenPick(0);
        QTest::mouseClick(p.conditions()->bnInspection, Qt::LeftButton);
        QCOMPARE(p.conditions()->meInspection->text(), QStringLiteral("7701"));

        QTest::mouseClick(f.pageButton(TPageId::PersonInfo), Qt::LeftButton);
        auto* person = qobject_cast<TfrPersonData*>(f.currentPage());
        QVERIFY(person);
        auto* name = qobject_cast<TfrPersonNaim*>(person->currentSubPage());
        UiTestKit::typeText(name->meSurName, QStringLiteral("Иванов"));
        UiTestKit::typeText(name->meName, QStringLiteral("Иван"));
        UiTestKit::typeText(name->meINN, QStringLiteral("500100732259"));
        QTest::mouseClick(person->fbPersonAddress, Qt::LeftButton);
        auto* address = qobject_cast<TfrPersonAddress*>(person->currentSubPage());
        QVERIFY(address);
        p.dialogs.thenPick(76);
        QTest::mouseClick(address->bnRegion, Qt::LeftButton);
        UiTestKit::typeText(address->meArea, QStringLiteral("Москва"));
        UiTestKit::typeText(address->meOKATO, QStringLiteral("45286555000"));
        QVERIFY(p.dialogs.unexpected.isEmpty());

        p.dialogs.saveFile = p.folder.file("ivanov.dc1");
        f.acSave->trigger();
        QCOMPARE(f.windowTitle(), QStringLiteral("ivanov.dc1 - Qarv 2011"));
        f.acCreate->trigger();
        QVERIFY(f.declaration().person.surname.isEmpty());
        p.dialogs.openFile = p.folder.file("ivanov.dc1");
        f.acOpen->trigger();
        QCOMPARE(p.conditions()->meInspection->text(), QStringLiteral("7701"));
        QCOMPARE(f.declaration().person.regionCode, qint16(77));

        p.dialogs.shown.clear();
        p.dialogs.thenButton(QMessageBox::Ok);
        f.acCheck->trigger();
        QCOMPARE(p.dialogs.shown, QStringList{kTitle + "Проверка декларации завершена успешно"});
        QTemporaryDir out;
        p.dialogs.folder = out.path();
        p.dialogs.thenButton(QMessageBox::Ok);
        f.acExport->trigger();
        QVERIFY(p.dialogs.shown.last().startsWith(kTitle + "Сформирован файл NO_NDFL3_7701"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), 1);
        QVERIFY(p.dialogs.unexpected.isEmpty());
        QVERIFY(f.isSaved());
    }

    void unreadableInspectionsStopTheProgram() {
        Program p(false);
        p.folder.write(QStringLiteral("InspectionNumbers.xml"), QStringLiteral("<Inspections><"));
        TFormMain& f = p.start();
        QVERIFY(f.fatalMessage().startsWith(
            QStringLiteral("Поменяйте язык и региональные стандарты ОС на русские.")));
        p.close();
        QVERIFY(!QFileInfo::exists(p.folder.settingsFile()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
