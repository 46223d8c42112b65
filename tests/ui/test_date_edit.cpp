#include "storage/DateTime.h"
#include "ui/ContentNotice.h"
#include "ui/DateEdit.h"
#include "ui/TextConventions.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

// A date typed into the field as people type it, after reaching the field by
// Tab or by a click.
class TestDateEdit : public QObject {
    Q_OBJECT
    int notices_ = 0;

    struct Window {
        QWidget top;
        QLineEdit* before;
        TDateEdit* date;
        Window() {
            before = new QLineEdit(&top);
            date = new TDateEdit(QDate(1900, 1, 1), QDate(2011, 12, 31), &top);
            auto* layout = new QVBoxLayout(&top);
            layout->addWidget(before);
            layout->addWidget(date);
            top.show();
            top.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&top));
        }
    };

    // Where a focus step leaves the caret: "tab" from the field before,
    // "click" into the year, "backtab" from the field after.
    static void reach(Window& w, const QString& how) {
        if (how == QLatin1String("click")) {
            QLineEdit* e = w.date->findChild<QLineEdit*>();
            QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() * 3 / 4, e->height() / 2));
        } else if (how == QLatin1String("backtab")) {
            auto* after = new QLineEdit(&w.top);
            w.top.layout()->addWidget(after);
            after->show();
            after->setFocus();
            QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
        } else {
            w.before->setFocus();
            QTest::keyClick(w.before, Qt::Key_Tab);
        }
    }

    static void type(const QString& keys) {
        for (const QChar c : keys) {
            QWidget* f = QApplication::focusWidget();
            if (c == QLatin1Char('<'))
                QTest::keyClick(f, Qt::Key_Backspace);
            else if (c == QLatin1Char('!'))
                QTest::keyClick(f, Qt::Key_Escape);
            else if (c == QLatin1Char('>'))
                QTest::keyClick(f, Qt::Key_Tab);
            else
                QTest::keyClick(f, c.toLatin1());
        }
    }

private slots:
    void initTestCase() {
        TextConventions::apply();
        ContentNotice::setReceiver(this, [this] { ++notices_; });
    }
    void cleanupTestCase() { ContentNotice::clearReceiver(this); }

    void typing_data() {
        QTest::addColumn<QString>("reach");
        QTest::addColumn<QString>("keys"); // "<" backspace, "!" Escape, ">" Tab
        QTest::addColumn<QDate>("expected");
        const QDate typed(1980, 3, 15);
        const QDate kept(1970, 7, 1);
        for (const char* how : {"tab", "click", "backtab"}) {
            const QString h = QString::fromLatin1(how);
            QTest::addRow("%s: points", how) << h << "15.03.1980" << typed;
            QTest::addRow("%s: one-digit month", how) << h << "15.3.1980" << typed;
            QTest::addRow("%s: digits only", how) << h << "15031980" << typed;
        }
        QTest::newRow("one-digit day and month, two-digit year, Tab")
            << "tab"
            << "1.3.80>" << QDate(1980, 3, 1);
        QTest::newRow("two-digit year in this century") << "tab"
                                                        << "1.3.05>" << QDate(2005, 3, 1);
        QTest::newRow("a comma and a slash count as points") << "click"
                                                             << "15,3/1980" << typed;
        QTest::newRow("backspace takes back a digit") << "tab"
                                                      << "15.04<3.1980" << typed;
        QTest::newRow("a second date typed at once replaces the first") << "tab"
                                                                        << "01011990"
                                                                           "15031980"
                                                                        << typed;
        QTest::newRow("31 February is refused") << "tab"
                                                << "31.02.1980" << kept;
        QTest::newRow("after the range is refused") << "tab"
                                                    << "01.01.2012" << kept;
        QTest::newRow("before the range is refused") << "click"
                                                     << "31.12.1899" << kept;
        QTest::newRow("month 13 is refused") << "tab"
                                             << "15.13.1980" << kept;
        QTest::newRow("an unfinished year on leaving is refused") << "tab"
                                                                  << "15.03.198>" << kept;
        QTest::newRow("Escape gives the date back") << "tab"
                                                    << "15.03.19!" << kept;
        QTest::newRow("a doubled point is dropped") << "tab"
                                                    << "15..03.1980" << typed;
    }
    void typing() {
        QFETCH(QString, reach);
        QFETCH(QString, keys);
        QFETCH(QDate, expected);
        Window w;
        w.date->loadValue(TDateTime::fromDate(QDate(1970, 7, 1)));
        notices_ = 0;
        TestDateEdit::reach(w, reach);
        QCOMPARE(w.date->currentSection(), QDateTimeEdit::DaySection);
        type(keys);
        QVERIFY(!w.date->isTyping());
        QCOMPARE(w.date->date(), expected);
        QCOMPARE(w.date->findChild<QLineEdit*>()->text(),
                 expected.toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(notices_ > 0, expected != QDate(1970, 7, 1));
    }

    // Tab and Shift+Tab step over the field as over any other, a typed date
    // taken on the way; the month and year are not stops of their own.
    void tabLeavesTheField() {
        Window w;
        auto* after = new QLineEdit(&w.top);
        w.top.layout()->addWidget(after);
        after->show();
        reach(w, QStringLiteral("tab"));
        type(QStringLiteral("15031980>"));
        QCOMPARE(QApplication::focusWidget(), after);
        QCOMPARE(w.date->date(), QDate(1980, 3, 15));
        QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.date);
        QTest::keyClick(w.date, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.before);
    }

    // Once in the field, a click into the year selects it: digits change it alone.
    void clickIntoASection() {
        Window w;
        w.date->setDate(QDate(1980, 3, 15));
        reach(w, QStringLiteral("tab"));
        QLineEdit* e = w.date->findChild<QLineEdit*>();
        QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() * 3 / 4, e->height() / 2));
        QCOMPARE(w.date->currentSection(), QDateTimeEdit::YearSection);
        type(QStringLiteral("1985"));
        QCOMPARE(w.date->date(), QDate(1985, 3, 15));
    }

    // A stored date the range cannot show is kept until a date is typed, even
    // the one shown in its place.
    void typedOverLoadedOutOfRange() {
        Window w;
        const double old = TDateTime::fromDate(QDate(1890, 5, 5));
        w.date->loadValue(old);
        QCOMPARE(w.date->value(), old);
        reach(w, QStringLiteral("tab"));
        type(QStringLiteral("01.01.1900"));
        QCOMPARE(w.date->value(), TDateTime::fromDate(QDate(1900, 1, 1)));
    }
};

QTEST_MAIN(TestDateEdit)
#include "test_date_edit.moc"
