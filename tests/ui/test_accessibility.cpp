#include "AccessKit.h"
#include "ProgramFixture.h"
#include "WindowTestKit.h"
#include "checks/CheckAsk.h"
#include "ui/AboutForm.h"
#include "ui/CheckError.h"
#include "ui/CodeTablePickers.h"
#include "ui/DirectoryPickers.h"
#include "ui/FramePersonAddress.h"
#include "ui/FramePersonData.h"
#include "ui/FramePersonName.h"
#include "ui/HelpWindow.h"
#include "ui/LoadSounForm.h"
#include "ui/MaskedEdit.h"
#include "ui/OkvedPicker.h"
#include "ui/TextConventions.h"
#include "ui/Translations.h"

#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

// What assistive technology meets: the names of every field and button of the
// pages and dialogs, the page buttons' actions, and Qt's own dialogs in Russian.
class TestAccessibility : public QObject {
    Q_OBJECT

    // A document that passes every page check; formKind as given.
    static QStringList passingArgs(Program& p, int formKind) {
        const QString file = WindowTestKit::writeDocument(p.folder.file(QStringLiteral("doc.dc1")),
                                                          [formKind](mTDeclaration& d) {
                                                              WindowTestKit::makePassing(d);
                                                              d.formKind = formKind;
                                                          });
        return {file};
    }

    static QChar mnemonic(const QString& text) {
        const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&(?!&)")));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
    }

    static void doAction(QWidget* w, const QString& action) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY(iface && iface->actionInterface());
        QVERIFY2(iface->actionInterface()->actionNames().contains(action) || !w->isEnabled(),
                 qPrintable(iface->actionInterface()->actionNames().join(',')));
        iface->actionInterface()->doAction(action);
    }

private slots:
    void initTestCase() {
        TextConventions::apply();
        QVERIFY(Translations::install(*QCoreApplication::instance()));
    }

    void pagesNameEveryField_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("formKind");
        for (const char* screen : {"window", "conditions", "name", "address"}) {
            QTest::addRow("%s, 3-НДФЛ", screen) << QString::fromLatin1(screen) << 0;
            QTest::addRow("%s, 4-НДФЛ", screen) << QString::fromLatin1(screen) << 2;
        }
    }
    void pagesNameEveryField() {
        QFETCH(QString, screen);
        QFETCH(int, formKind);
        Program p;
        TFormMain& f = p.start(passingArgs(p, formKind));
        f.show();
        auto* conditions = qobject_cast<TfrInitialData*>(f.currentPage());
        QVERIFY(conditions);
        QWidget* root = &f;
        if (screen == QLatin1String("conditions") || screen == QLatin1String("window")) {
            // Every signer field enabled, so none is skipped for being off.
            conditions->rbGiveByMail->click();
            if (screen == QLatin1String("conditions"))
                root = conditions;
        } else if (screen != QLatin1String("window")) {
            f.pageButton(TPageId::PersonInfo)->click();
            auto* person = qobject_cast<TfrPersonData*>(f.currentPage());
            QVERIFY(person);
            if (screen == QLatin1String("address"))
                person->ShowFinding(CheckPage::kDeclarantAddress, 0);
            root = person->currentSubPage();
            QCOMPARE(QString::fromLatin1(root->metaObject()->className()),
                     QString::fromLatin1(screen == QLatin1String("address") ? "TfrPersonAddress"
                                                                            : "TfrPersonNaim"));
        }
        QCOMPARE(AccessKit::namingFaults(root), QStringList());

        // Alt keys: none used twice in the window, and each caption's reaches its field.
        QHash<QChar, QString> seen;
        QStringList clashes;
        for (QWidget* w : f.findChildren<QWidget*>()) {
            QString text;
            if (auto* l = qobject_cast<QLabel*>(w))
                text = l->text();
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                text = b->text();
            const QChar key = mnemonic(text);
            if (key.isNull() || !w->isVisibleTo(&f))
                continue;
            if (seen.contains(key))
                clashes << seen.value(key) + QStringLiteral(" / ") + text;
            seen.insert(key, text);
        }
        QCOMPARE(clashes, QStringList());
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        for (QLabel* label : root->findChildren<QLabel*>()) {
            QWidget* field = label->buddy();
            if (!field || !field->isVisible() || !field->isEnabled() ||
                mnemonic(label->text()).isNull())
                continue;
            const QChar key = mnemonic(label->text());
            QTest::sendKeyEvent(QTest::Click, &f, Qt::Key(key.unicode()), QString(key.toLower()),
                                Qt::AltModifier);
            QVERIFY2(field->hasFocus(), qPrintable(label->text()));
        }
        QCOMPARE(p.dialogs.unexpected, QStringList());
    }

    void dialogsNameEveryField_data() {
        QTest::addColumn<QString>("dialog");
        for (const char* d : {"documents", "regions", "inspections", "countries", "currencies",
                              "okved", "check", "check all", "soun", "about", "help"})
            QTest::newRow(d) << QString::fromLatin1(d);
    }
    void dialogsNameEveryField() {
        QFETCH(QString, dialog);
        Program p;
        TFormMain& f = p.start();
        const QList<TPickRow> rows{{"7701", "ИФНС России № 1 по г.Москве"}};
        std::unique_ptr<QWidget> w;
        if (dialog == QLatin1String("documents"))
            w = std::make_unique<TfmDocType>(nullptr);
        else if (dialog == QLatin1String("regions"))
            w = std::make_unique<TfmRegionName>(nullptr);
        else if (dialog == QLatin1String("inspections"))
            w = std::make_unique<TfmInputInspectionNumber>(nullptr, rows);
        else if (dialog == QLatin1String("countries"))
            w = std::make_unique<TfmGrazhd>(nullptr, rows);
        else if (dialog == QLatin1String("currencies"))
            w = std::make_unique<TfmInputCurrencyCode>(nullptr, rows);
        else if (dialog == QLatin1String("okved"))
            w = std::make_unique<TFormOKVED>(nullptr, f);
        else if (dialog == QLatin1String("check"))
            w = std::make_unique<TfmCheckError>();
        else if (dialog == QLatin1String("check all"))
            w = std::make_unique<TfmCheckAllError>();
        else if (dialog == QLatin1String("soun"))
            w = std::make_unique<TfmLoadSoun>(nullptr, p.folder.path());
        else if (dialog == QLatin1String("about"))
            w = std::make_unique<TfmAbout>(nullptr);
        else
            w = std::make_unique<THelpWindow>(p.folder.path());
        w->show();
        // The search field's clear button shows once something is typed.
        if (auto* picker = qobject_cast<TfmCodePicker*>(w.get()))
            picker->setSearchText(QStringLiteral("77"));
        QCOMPARE(AccessKit::namingFaults(w.get()), QStringList());
    }

    // Through the accessibility interface a page button's press and toggle both
    // act as a click: the page opens, or its check refuses and the button of
    // the page on screen stays the one pressed.
    void pageButtonActions_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("passing"); // else the conditions page refuses
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("shown");
        const QString press = QAccessibleActionInterface::pressAction();
        const QString toggle = QAccessibleActionInterface::toggleAction();
        const int conditions = int(TPageId::InitialData);
        const int person = int(TPageId::PersonInfo);
        QTest::newRow("toggle opens the page") << toggle << true << person << person;
        QTest::newRow("press opens the page") << press << true << person << person;
        QTest::newRow("toggle refused by the page check")
            << toggle << false << person << conditions;
        QTest::newRow("press refused by the page check") << press << false << person << conditions;
        QTest::newRow("toggle of the page on screen keeps it")
            << toggle << true << conditions << conditions;
        QTest::newRow("toggle of a disabled button does nothing")
            << toggle << true << int(TPageId::ForeignIncome) << conditions;
    }
    void pageButtonActions() {
        QFETCH(QString, action);
        QFETCH(bool, passing);
        QFETCH(int, target);
        QFETCH(int, shown);
        Program p;
        TFormMain& f = p.start(passing ? passingArgs(p, 0) : QStringList());
        f.show();
        if (!passing) {
            // "Исправить" focuses the inspection, whose picker opens.
            p.dialogs.thenCheck(TfmCheckError::Fix);
            p.dialogs.thenReject();
        }
        QToolButton* button = f.pageButton(TPageId(target));
        QCOMPARE(AccessKit::accessibleName(button), button->text());
        doAction(button, action);
        QCOMPARE(int(f.currentPageId()), shown);
        for (int i = 0; i < kPageCount; ++i)
            QCOMPARE(f.pageButton(TPageId(i))->isChecked(), i == shown);
        QCOMPARE(p.dialogs.script.size(), size_t(0));
        QCOMPARE(p.dialogs.unexpected.join('/'), QString());
    }

    // The same for the declarant page's sub-page buttons.
    void subPageButtonActions_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("passing"); // else the name sub-page refuses
        QTest::newRow("toggle opens the address")
            << QAccessibleActionInterface::toggleAction() << true;
        QTest::newRow("toggle refused by the name check")
            << QAccessibleActionInterface::toggleAction() << false;
        QTest::newRow("press refused by the name check")
            << QAccessibleActionInterface::pressAction() << false;
    }
    void subPageButtonActions() {
        QFETCH(QString, action);
        QFETCH(bool, passing);
        Program p;
        TFormMain& f = p.start(passingArgs(p, 0));
        f.show();
        f.pageButton(TPageId::PersonInfo)->click();
        auto* person = qobject_cast<TfrPersonData*>(f.currentPage());
        QVERIFY(person);
        if (!passing) {
            qobject_cast<TfrPersonNaim*>(person->currentSubPage())->meSurName->clear();
            p.dialogs.thenCheck(TfmCheckError::Fix);
        }
        doAction(person->fbPersonAddress, action);
        const bool address = qobject_cast<TfrPersonAddress*>(person->currentSubPage());
        QCOMPARE(address, passing);
        QCOMPARE(person->fbPersonAddress->isChecked(), passing);
        QCOMPARE(person->fbPersonNaim->isChecked(), !passing);
        QCOMPARE(p.dialogs.script.size(), size_t(0));
    }

    // The program's save dialog, as Qt draws it, speaks Russian.
    void saveDialogInRussian() {
        QStringList texts;
        QTimer::singleShot(0, this, [&texts] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
                texts << AccessKit::spoken(b->text());
            dialog->reject();
        });
        SetDialogs(nullptr);
        QCOMPARE(Dialogs().saveFileName(nullptr, QDir::tempPath(),
                                        QStringLiteral("Qarv 2011 (*.dc1)"), QStringLiteral("dc1")),
                 QString());
        texts.sort();
        QCOMPARE(texts, (QStringList{"Отмена", "Сохранить"}));
        // Texts the Russian catalogue of Qt lacks, supplied by the program.
        for (const char* source : {"Folder", "Drive", "Shortcut"})
            QVERIFY2(QCoreApplication::translate("QAbstractFileIconProvider", source) !=
                         QLatin1String(source),
                     source);
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"),
                 QStringLiteral("Папка"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
