#include "ProgramFixture.h"
#include "ui/CheckError.h"
#include "ui/CodeTablePickers.h"
#include "ui/DirectoryPickers.h"
#include "ui/HelpWindow.h"
#include "ui/LoadSounForm.h"
#include "ui/OkvedPicker.h"
#include "ui/StartForm.h"
#include "ui/TextConventions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Runs the dialog for real and does something inside its event loop, once the
// dialog is on screen. A dialog still open after ten seconds is closed, so a
// failing step cannot hang the run.
int execWith(QDialog& dialog, const std::function<void()>& inside) {
    QTimer::singleShot(0, &dialog, [&dialog, inside] {
        if (QTest::qWaitForWindowExposed(&dialog))
            inside();
    });
    QTimer::singleShot(10000, &dialog, [&dialog] {
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return dialog.exec();
}

QByteArray sounTable(const QByteArray& code, const QByteArray& name) {
    constexpr int kRecord = 1194;
    constexpr int kHeader = 97;
    QByteArray t(kHeader, '\0');
    t[0] = 0x03;
    t[4] = 2; // two records: the last one may be left unread
    t[8] = char(kHeader);
    t[10] = char(kRecord & 0xFF);
    t[11] = char(kRecord >> 8);
    t[kHeader - 1] = 0x0D;
    for (int i = 0; i < 2; ++i) {
        QByteArray r(kRecord, ' ');
        r.replace(1, code.size(), code);
        r.replace(161, name.size(), name);
        r[411] = '1';
        t.append(r);
    }
    t.append(char(0x1A));
    return t;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TextConventions::apply(); }

    void pageCheckDialog() {
        TfmCheckError d;
        d.setMessage(QStringLiteral("Проверка: Задание условий"),
                     QStringLiteral("Не введен номер инспекции"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Проверка: Задание условий"));
        QCOMPARE(d.lbMessage->text(), QStringLiteral("Не введен номер инспекции"));
        QCOMPARE(d.bnFix->text(), QStringLiteral("Исправить"));
        QCOMPARE(d.bnSkip->text(), QStringLiteral("Пропустить"));
        QCOMPARE(d.bnSkipAll->text(), QStringLiteral("Пропустить все"));
        QCOMPARE(execWith(d, [&] { QTest::mouseClick(d.bnSkipAll, Qt::LeftButton); }),
                 int(TfmCheckError::SkipAll));
        QCOMPARE(execWith(d, [&] { QTest::mouseClick(d.bnSkip, Qt::LeftButton); }),
                 int(TfmCheckError::Skip));
        QCOMPARE(execWith(d, [&] { d.close(); }), int(TfmCheckError::Closed));
        // A new dialog answers Enter with "Исправить".
        TfmCheckError fresh;
        QCOMPARE(execWith(fresh, [&] { QTest::keyClick(&fresh, Qt::Key_Return); }),
                 int(TfmCheckError::Fix));
        d.offer(false, false);
        QVERIFY(!d.bnSkip->isEnabled());
        QVERIFY(!d.bnSkipAll->isEnabled());
    }

    void documentCheckDialog() {
        TfmCheckAllError d;
        QCOMPARE(d.bnFix->text(), QStringLiteral("Исправить"));
        QCOMPARE(d.bnCancel->text(), QStringLiteral("Отмена"));
        QCOMPARE(execWith(d, [&] { QTest::mouseClick(d.bnFix, Qt::LeftButton); }),
                 int(TfmCheckAllError::Fix));
        QCOMPARE(execWith(d, [&] { QTest::keyClick(&d, Qt::Key_Escape); }),
                 int(TfmCheckAllError::Cancel));
    }

    void askerMapsTheAnswers() {
        ScriptedDialogs dialogs;
        TWindowCheckAsker asker(nullptr);
        bool skipOffered = true;
        bool skipAllOffered = true;
        dialogs.then([&](QDialog& d) {
            auto* c = qobject_cast<TfmCheckError*>(&d);
            skipOffered = c->bnSkip->isEnabled();
            skipAllOffered = c->bnSkipAll->isEnabled();
            return int(TfmCheckError::Skip);
        });
        QCOMPARE(asker.AskPage("Проверка: X", "M", true, false), CheckAnswer::Skip);
        QVERIFY(skipOffered);
        QVERIFY(!skipAllOffered);
        dialogs.thenCheck(TfmCheckError::Closed);
        QCOMPARE(asker.AskPage("Проверка: X", "M", false, false), CheckAnswer::Cancel);
        dialogs.thenCheck(TfmCheckError::SkipAll);
        QCOMPARE(asker.AskPage("Проверка: X", "M", true, true), CheckAnswer::SkipAll);
        dialogs.thenCheck(TfmCheckAllError::Fix);
        QCOMPARE(asker.AskDocument("Проверка: Y", "N"), CheckAnswer::Fix);
        dialogs.thenCheck(TfmCheckAllError::Cancel);
        QCOMPARE(asker.AskDocument("Проверка: Y", "N"), CheckAnswer::Cancel);
        QCOMPARE(dialogs.shown.value(0), QStringLiteral("Проверка: X|M"));
        QCOMPARE(dialogs.shown.value(3), QStringLiteral("Проверка: Y|N"));
    }

    void pickerKeys() {
        TfmDocType picker(nullptr);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Справочник видов документов"));
        QCOMPARE(picker.list->objectName(), QStringLiteral("lvDocType"));
        QCOMPARE(picker.list->topLevelItemCount(), 14);
        QCOMPARE(picker.list->headerItem()->text(1), QStringLiteral("Наименование документа"));
        picker.preselect(10);
        QCOMPARE(execWith(picker, [&] { QTest::keyClick(picker.list, Qt::Key_Return); }),
                 int(QDialog::Accepted));
        QCOMPARE(picker.chosen()->code, QStringLiteral("21"));
        QCOMPARE(execWith(picker, [&] { QTest::keyClick(picker.list, Qt::Key_Escape); }),
                 int(QDialog::Rejected));
        QCOMPARE(execWith(picker,
                          [&] {
                              QTreeWidgetItem* item = picker.list->topLevelItem(2);
                              const QRect r = picker.list->visualItemRect(item);
                              // The view takes a double click only on the item pressed.
                              QTest::mousePress(picker.list->viewport(), Qt::LeftButton,
                                                Qt::NoModifier, r.center());
                              QTest::mouseDClick(picker.list->viewport(), Qt::LeftButton,
                                                 Qt::NoModifier, r.center());
                          }),
                 int(QDialog::Accepted));
        QCOMPARE(picker.chosen()->code, QStringLiteral("08"));
        QCOMPARE(execWith(picker, [&] { QTest::mouseClick(picker.bnNo, Qt::LeftButton); }),
                 int(QDialog::Rejected));
    }

    void acceptingWithoutASelectionIsACancel() {
        ScriptedDialogs dialogs;
        dialogs.thenPick(-1);
        QVERIFY(!PickDocKind(nullptr, 0));
        // No kind yet: nothing preselected in the document kinds.
        int selected = 0;
        dialogs.then([&](QDialog& d) {
            selected = qobject_cast<TfmCodePicker*>(&d)->selectedRow();
            return int(QDialog::Rejected);
        });
        PickDocKind(nullptr, 0);
        QCOMPARE(selected, -1);
    }

    void regionPicker() {
        ScriptedDialogs dialogs;
        int selected = -1;
        int rows = 0;
        dialogs.then([&](QDialog& d) {
            auto* picker = qobject_cast<TfmCodePicker*>(&d);
            selected = picker->selectedRow();
            rows = picker->list->topLevelItemCount();
            return int(QDialog::Accepted);
        });
        const auto chosen = PickRegion(nullptr, 7);
        QCOMPARE(rows, 83);
        QCOMPARE(selected, 6);
        QCOMPARE(chosen->code, QStringLiteral("07"));
        QCOMPARE(dialogs.shown, QStringList{"Справочник регионов"});
    }

    void inspectionPickerOpensTheSounWindow() {
        Program p;
        TFormMain& f = p.start();
        p.dialogs.then([](QDialog& d) {
            auto* picker = qobject_cast<TfmInputInspectionNumber*>(&d);
            QTest::mouseClick(picker->bnMissing, Qt::LeftButton);
            return int(QDialog::Rejected);
        });
        p.dialogs.then([](QDialog& d) { return int(d.windowTitle() == "Загрузка СОУН"); });
        QVERIFY(!PickInspection(&f, f, QString()));
        QCOMPARE(p.dialogs.shown, (QStringList{"Справочник инспекций", "Загрузка СОУН"}));
        QCOMPARE(p.dialogs.unexpected, QStringList());
    }

    void currencyPicker() {
        Program p;
        p.folder.write(QStringLiteral("CurrencyRates.xml"),
                       QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Rates>"
                                      "<Currency Code=\"840\" Name=\"Доллар США\" Quantity=\"1\"/>"
                                      "<Currency Code=\"978\" Name=\"Евро\" Quantity=\"1\"/>"
                                      "</Rates>"));
        TFormMain& f = p.start();
        int selected = -1;
        p.dialogs.then([&](QDialog& d) {
            selected = qobject_cast<TfmCodePicker*>(&d)->selectedRow();
            return int(QDialog::Accepted);
        });
        QCOMPARE(PickCurrency(&f, f, QString())->code, QStringLiteral("840"));
        QCOMPARE(selected, 0);
        p.dialogs.then([&](QDialog& d) {
            selected = qobject_cast<TfmCodePicker*>(&d)->selectedRow();
            return int(QDialog::Accepted);
        });
        QCOMPARE(PickCurrency(&f, f, QStringLiteral("978"))->name, QStringLiteral("Евро"));
        QCOMPARE(selected, 1);
        QCOMPARE(p.dialogs.shown.value(0), QStringLiteral("Справочник валют"));
    }

    void okvedPicker() {
        Program p;
        p.folder.write(
            QStringLiteral("Sp_OKVED2.xml"),
            QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?><OKVED>"
                           "<E GRUP=\"1\" Kod=\"A\" Name=\"Сельское хозяйство\" OKVED=\"A\"/>"
                           "<E GRUP=\"2\" Kod=\"A01\" Name=\"Растениеводство\" OKVED=\"01\"/>"
                           "<E GRUP=\"3\" Kod=\"A011\" Name=\"Зерновые\" OKVED=\"01.1\"/>"
                           "<E GRUP=\"4\" Kod=\"A0111\" Name=\"Пшеница\" OKVED=\"01.11\"/>"
                           "<E GRUP=\"1\" Kod=\"B\" Name=\"Рыболовство\" OKVED=\"B\"/>"
                           "</OKVED>"));
        TFormMain& f = p.start();
        TFormOKVED picker(&f, f);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Код по ОКВЭД"));
        QCOMPARE(picker.levels[0]->count(), 3);
        QCOMPARE(picker.meCode->text(), QStringLiteral("нет"));
        // "Да" with nothing chosen asks; "Исправить" stays in the picker.
        bool skipAllOffered = true;
        p.dialogs.then([&](QDialog& d) {
            skipAllOffered = qobject_cast<TfmCheckError*>(&d)->bnSkipAll->isEnabled();
            return int(TfmCheckError::Fix);
        });
        QTest::mouseClick(picker.bnYes, Qt::LeftButton);
        QCOMPARE(p.dialogs.shown,
                 QStringList{"Проверка: ОКВЭД|Длина кода ОКВЭД должна быть не меньше 4 знаков "
                             "вклячая точку"});
        QVERIFY(!skipAllOffered);
        QCOMPARE(picker.result(), int(QDialog::Rejected));

        picker.levels[0]->setFocus();
        QTest::keyClick(picker.levels[0], Qt::Key_Down);
        QCOMPARE(picker.meCode->text(), QStringLiteral("A"));
        QCOMPARE(picker.levels[1]->count(), 2);
        QCOMPARE(picker.levels[2]->count(), 2);
        QCOMPARE(picker.levels[3]->count(), 2);
        QTest::keyClick(picker.levels[1], Qt::Key_Down);
        QCOMPARE(picker.meCode->text(), QStringLiteral("01"));
        QTest::keyClick(picker.levels[2], Qt::Key_Down);
        QCOMPARE(picker.meCode->text(), QStringLiteral("01.1"));
        QTest::mouseClick(picker.bnYes, Qt::LeftButton);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(picker.shownCode(), QStringLiteral("01.1"));
        QCOMPARE(p.dialogs.shown.size(), 1);
    }

    void okvedSkipGivesNone() {
        Program p;
        p.folder.write(QStringLiteral("Sp_OKVED2.xml"),
                       QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?><OKVED>"
                                      "<E GRUP=\"1\" Kod=\"A\" Name=\"Сельское\" OKVED=\"A\"/>"
                                      "</OKVED>"));
        TFormMain& f = p.start();
        p.dialogs.then([&](QDialog& d) {
            auto* picker = qobject_cast<TFormOKVED*>(&d);
            QTest::mouseClick(picker->bnYes, Qt::LeftButton);
            return picker->result();
        });
        p.dialogs.thenCheck(TfmCheckError::Skip);
        QCOMPARE(PickOkved(&f, f), std::optional<QString>(QStringLiteral("нет")));
    }

    void sounWindow() {
        Program p;
        TFormMain& f = p.start();
        TfmLoadSoun* w = f.loadSounWindow();
        QVERIFY(w);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Загрузка СОУН"));
        QVERIFY(!w->bnImport->isEnabled());

        QTemporaryDir tables;
        const QString bad = tables.filePath("broken.dbf");
        {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a table");
        }
        p.dialogs.openFile = bad;
        QTest::mouseClick(w->bnBrowse, Qt::LeftButton);
        QCOMPARE(w->mePath->text(), bad);
        QVERIFY(w->bnImport->isEnabled());
        QVERIFY(!w->bnOk->isEnabled());
        p.dialogs.thenButton(QMessageBox::Ok);
        QTest::mouseClick(w->bnImport, Qt::LeftButton);
        QCOMPARE(p.dialogs.shown, QStringList{"Qarv 2011|Импортировать данные не удалось"});
        QVERIFY(w->bnOk->isEnabled());

        const QString good = tables.filePath("soun1.dbf");
        {
            QFile file(good);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(sounTable("7705", "IFNS 5"));
        }
        p.dialogs.openFile = good;
        QTest::mouseClick(w->bnBrowse, Qt::LeftButton);
        p.dialogs.thenButton(QMessageBox::Ok);
        QTest::mouseClick(w->bnImport, Qt::LeftButton);
        QCOMPARE(p.dialogs.shown.last(),
                 QStringLiteral("Qarv 2011|Данные успешно импортированы. Не забудьте "
                                "перезапустить программу."));
        // Into the user's data folder; the program's own file stays as it was.
        QFile written(QDir(p.folder.userFolder()).filePath("InspectionNumbers.xml"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains("Code=\"7705\""));
        QFile own(p.folder.file("InspectionNumbers.xml"));
        QVERIFY(own.open(QIODevice::ReadOnly));
        QVERIFY(!own.readAll().contains("Code=\"7705\""));
    }

    void sounWindowLinks() {
        Program p;
        TFormMain& f = p.start();
        TfmLoadSoun* w = f.loadSounWindow();
        p.dialogs.thenButton(QMessageBox::Ok);
        emit w->lbHelpLink->linkActivated(QStringLiteral("#"));
        QCOMPARE(p.dialogs.shown, QStringList{"Qarv 2011|Не найден файл справки Qarv2011.chm"});
        p.folder.writeHelp();
        emit w->lbHelpLink->linkActivated(QStringLiteral("#"));
        QCOMPARE(f.helpWindow()->currentTopic(), QStringLiteral("EditSOUN.htm"));
        p.dialogs.urlOpens = false;
        p.dialogs.thenButton(QMessageBox::Ok);
        emit w->lbSiteLink->linkActivated(QStringLiteral("#"));
        QCOMPARE(p.dialogs.shown.last(), QStringLiteral("Qarv 2011|Не удалось запустить браузер"));
        QCOMPARE(p.dialogs.urls.size(), 1);
    }

    void splash() {
        TfmStart start(50);
        QCOMPARE(start.size(), QSize(460, 104));
        QVERIFY(!start.timerFired());
        QTRY_VERIFY(start.timerFired());
        QCOMPARE(StartPicture().size(), QSize(460, 104));
    }

    void messageBoxes() {
        ScriptedDialogs dialogs;
        QString yes, cancel;
        dialogs.then([&](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            yes = box->button(QMessageBox::Yes)->text();
            cancel = box->button(QMessageBox::Cancel)->text();
            return int(QMessageBox::No);
        });
        QCOMPARE(ShowMessage(nullptr, "?", QMessageBox::Question,
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
                 QMessageBox::No);
        QCOMPARE(yes, QStringLiteral("Да"));
        QCOMPARE(cancel, QStringLiteral("Отмена"));
        QCOMPARE(dialogs.shown, QStringList{"Qarv 2011|?"});
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
