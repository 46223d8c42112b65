#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "ui/CodeTablePickers.h"
#include "ui/DirectoryPickers.h"
#include "ui/OkvedPicker.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <memory>

// The search field of every picker: what it leaves in the list and what Enter
// takes.
class TestPickers : public QObject {
    Q_OBJECT

    static std::unique_ptr<TfmCodePicker> make(const QString& kind) {
        if (kind == QLatin1String("documents"))
            return std::make_unique<TfmDocType>(nullptr);
        if (kind == QLatin1String("regions"))
            return std::make_unique<TfmRegionName>(nullptr);
        if (kind == QLatin1String("inspections"))
            return std::make_unique<TfmInputInspectionNumber>(
                nullptr, QList<TPickRow>{{"7701", "ИФНС России № 1 по г.Москве"},
                                         {"7717", "ИФНС России № 17 по г.Москве"},
                                         {"5018", "ИФНС по г.Королёву"}});
        if (kind == QLatin1String("countries"))
            return std::make_unique<TfmGrazhd>(
                nullptr,
                QList<TPickRow>{{"112", "БЕЛАРУСЬ"}, {"643", "РОССИЯ"}, {"804", "УКРАИНА"}});
        return std::make_unique<TfmInputCurrencyCode>(
            nullptr,
            QList<TPickRow>{{"124", "Канадский доллар"}, {"840", "Доллар США"}, {"978", "Евро"}});
    }

private slots:
    void search_data() {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<int>("preselected"); // -1: none
        QTest::addColumn<bool>("inList");     // typed with the list focused
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("down"); // Down before Enter
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("taken"); // empty: Enter leaves the picker open
        QTest::newRow("region code, one match")
            << "regions" << -1 << false << "77" << false << 1 << "77";
        QTest::newRow("region code prefix") << "regions" << -1 << false << "7" << false << 10 << "";
        QTest::newRow("region name part, two matches")
            << "regions" << -1 << false << "моск" << false << 2 << "";
        QTest::newRow("capitals as small letters")
            << "regions" << -1 << false << "МОСК" << false << 2 << "";
        QTest::newRow("Down takes the first match into the list")
            << "regions" << -1 << false << "моск" << true << 2 << "50";
        QTest::newRow("a selected row still shown is taken")
            << "regions" << 76 << false << "моск" << false << 2 << "77";
        QTest::newRow("typing in the list searches")
            << "regions" << 0 << true << "77" << false << 1 << "77";
        QTest::newRow("spaces around are ignored")
            << "regions" << -1 << false << " тульская " << false << 1 << "71";
        QTest::newRow("nothing found") << "regions" << -1 << false << "xyz" << false << 0 << "";
        QTest::newRow("document name")
            << "documents" << -1 << false << "паспорт гр" << false << 1 << "21";
        QTest::newRow("inspection code prefix and name number")
            << "inspections" << -1 << false << "17" << false << 1 << "7717";
        QTest::newRow("inspection name typed with е for ё")
            << "inspections" << -1 << false << "королев" << false << 1 << "5018";
        QTest::newRow("country name") << "countries" << -1 << false << "бел" << false << 1 << "112";
        QTest::newRow("currency name, two")
            << "currencies" << -1 << false << "доллар" << false << 2 << "";
        QTest::newRow("currency code")
            << "currencies" << -1 << false << "840" << false << 1 << "840";
    }
    void search() {
        QFETCH(QString, picker);
        QFETCH(int, preselected);
        QFETCH(bool, inList);
        QFETCH(QString, typed);
        QFETCH(bool, down);
        QFETCH(int, shown);
        QFETCH(QString, taken);
        auto p = make(picker);
        p->show();
        QVERIFY(QTest::qWaitForWindowActive(p.get()));
        if (preselected >= 0)
            p->preselect(preselected);
        else
            p->meSearch->setFocus();
        UiTestKit::typeText(inList ? static_cast<QWidget*>(p->list) : p->meSearch, typed);
        QCOMPARE(p->meSearch->text(), typed);
        QCOMPARE(p->shownRowCount(), shown);
        if (down) {
            QTest::keyClick(p->meSearch, Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), p->list);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (taken.isEmpty()) {
            QVERIFY(p->isVisible());
            return;
        }
        QVERIFY(!p->isVisible());
        QCOMPARE(p->result(), int(QDialog::Accepted));
        QCOMPARE(p->chosen()->code, taken);
    }

    // The activity picker: a match taken sets every level down to it.
    void okvedSearch_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("code"); // shown after Enter
        QTest::addColumn<QString>("level1");
        QTest::newRow("a name part, one match, four levels down") << "пшен" << false << 1 << "01.11"
                                                                  << "Сельское хозяйство";
        QTest::newRow("a code prefix, two matches, the first by Down")
            << "01.1" << true << 2 << "01.1"
            << "Сельское хозяйство";
        QTest::newRow("two matches, none taken by Enter alone") << "01.1" << false << 2 << "нет"
                                                                << "нет";
        QTest::newRow("a class of the first level") << "рыбол" << false << 1 << "B"
                                                    << "Рыболовство";
    }
    void okvedSearch() {
        QFETCH(QString, typed);
        QFETCH(bool, down);
        QFETCH(int, found);
        QFETCH(QString, code);
        QFETCH(QString, level1);
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
        TFormOKVED picker(nullptr, f);
        picker.show();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QVERIFY(!picker.lvFound->isVisible());
        picker.meSearch->setFocus();
        UiTestKit::typeText(picker.meSearch, typed);
        QVERIFY(picker.lvFound->isVisible());
        QCOMPARE(picker.lvFound->topLevelItemCount(), found);
        if (down)
            QTest::keyClick(picker.meSearch, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(picker.isVisible());
        QCOMPARE(picker.meCode->text(), code);
        QCOMPARE(picker.shownCode(), code);
        QCOMPARE(picker.levels[0]->currentText(), level1);
        if (code != QStringLiteral("нет")) {
            // Taken, "Да" is next: a second Enter closes with the code.
            QCOMPARE(QApplication::focusWidget(), picker.bnYes);
            if (code == QLatin1String("01.11"))
                QCOMPARE(picker.levels[3]->currentText(), QStringLiteral("Пшеница"));
        }
    }

    // Tab walks the picker as it stands on screen.
    void tabOrder() {
        auto p = make(QStringLiteral("inspections"));
        auto* picker = static_cast<TfmInputInspectionNumber*>(p.get());
        picker->show();
        QVERIFY(QTest::qWaitForWindowActive(picker));
        picker->meSearch->setFocus();
        QList<QWidget*> walked;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget();
        }
        QCOMPARE(walked, (QList<QWidget*>{picker->list, picker->bnMissing, picker->bnYes,
                                          picker->bnNo, picker->meSearch}));
    }

    // Clearing the search shows every row again, the chosen one still selected.
    void clearingShowsAll() {
        TfmRegionName p(nullptr);
        p.setSearchText(QStringLiteral("77"));
        QCOMPARE(p.selectedRow(), 76);
        p.setSearchText(QString());
        QCOMPARE(p.shownRowCount(), p.list->topLevelItemCount());
        QCOMPARE(p.selectedRow(), 76);
        QCOMPARE(p.lbSearch->buddy(), p.meSearch);
    }
};

QTEST_MAIN(TestPickers)
#include "test_pickers.moc"
