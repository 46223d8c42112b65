#include "UiTestKit.h"
#include "ui/ContentNotice.h"
#include "ui/MaskedDocEdit.h"
#include "ui/MaskedEdit.h"
#include "ui/RomanNumerals.h"
#include "ui/TextConventions.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using UiTestKit::paste;
using UiTestKit::typeText;

class TestMaskedEdit : public QObject {
    Q_OBJECT
    int notices_ = 0;

private slots:
    void initTestCase() {
        TextConventions::apply();
        ContentNotice::setReceiver(this, [this] { ++notices_; });
    }
    void cleanupTestCase() { ContentNotice::clearReceiver(this); }
    void init() { notices_ = 0; }

    void moneyTyping_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("twelve whole digits, separator, two fraction digits") << "123456789012,34"
                                                                             << "123456789012,34";
        QTest::newRow("a thirteenth whole digit is dropped") << "1234567890123"
                                                             << "123456789012";
        QTest::newRow("a third fraction digit is dropped") << "5,678"
                                                           << "5,67";
        QTest::newRow("a point becomes the program's comma") << "7.5"
                                                             << "7,5";
        QTest::newRow("a second separator does nothing") << "1,2.3"
                                                         << "1,23";
        QTest::newRow("letters and signs are dropped") << "-1a2+b"
                                                       << "12";
        QTest::newRow("a lone separator is no amount") << ",5"
                                                       << "5";
    }
    void moneyTyping() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TMaskedEdit e(edtCurrency, 12, 2);
        typeText(&e, typed);
        QCOMPARE(e.text(), shown);
    }

    void moneyValue() {
        TMaskedEdit e(edtCurrency, 12, 2);
        typeText(&e, "1234,5");
        QCOMPARE(e.money(), Money::fromRaw(12345000));
        e.setText(QString());
        QCOMPARE(e.money(), Money());
        e.loadMoney(Money::fromRaw(15000));
        QCOMPARE(e.text(), QStringLiteral("1,5"));
    }

    void moneyPasteRejectedRestoresAndRaisesNothing() {
        TMaskedEdit e(edtCurrency, 12, 2);
        typeText(&e, "45");
        QSignalSpy changed(&e, &TMaskedEdit::changed);
        const int before = notices_;
        e.selectAll();
        paste(&e, "12a");
        QCOMPARE(e.text(), QStringLiteral("45"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(notices_, before);
    }

    void moneyPasteBlankClears() {
        TMaskedEdit e(edtCurrency, 12, 2);
        typeText(&e, "45");
        QSignalSpy changed(&e, &TMaskedEdit::changed);
        e.selectAll();
        paste(&e, "   ");
        QCOMPARE(e.text(), QString());
        QCOMPARE(changed.count(), 1);
    }

    void moneyPasteOverLimitRestores() {
        TMaskedEdit e(edtCurrency, 12, 2);
        paste(&e, "1234567890123");
        QCOMPARE(e.text(), QString());
        paste(&e, "12,345");
        QCOMPARE(e.text(), QString());
        paste(&e, "12,34");
        QCOMPARE(e.text(), QStringLiteral("12,34"));
    }

    // However narrow the window, an amount field keeps room for ten digits and
    // the kopecks; other fields give way as before.
    void amountFieldIsNotSqueezed() {
        QWidget top;
        auto* amount = new TMaskedEdit(edtCurrency, 12, 2);
        auto* digits = new TMaskedEdit(edtDigital, 12);
        auto* layout = new QHBoxLayout(&top);
        layout->addWidget(amount);
        layout->addWidget(digits);
        top.show();
        top.resize(10, top.height());
        QVERIFY(QTest::qWaitForWindowExposed(&top));
        const QFontMetrics fm = amount->fontMetrics();
        QVERIFY(amount->contentsRect().width() >=
                fm.horizontalAdvance(QStringLiteral("9999999999,99")));
        QVERIFY(digits->width() < fm.horizontalAdvance(QStringLiteral("9999999999")));
    }

    void digitsField() {
        TMaskedEdit e(edtDigital, 12);
        typeText(&e, "12345678901a23");
        QCOMPARE(e.text(), QStringLiteral("123456789012"));
        e.clear();
        paste(&e, "12 34");
        QCOMPARE(e.text(), QString());
        paste(&e, "0042");
        QCOMPARE(e.text(), QStringLiteral("0042"));
    }

    void charField() {
        TMaskedEdit e(edtChar, 5);
        typeText(&e, QStringLiteral("Ан1на-Мария"));
        QCOMPARE(e.text(), QStringLiteral("Анна-"));
        QTest::keyClick(&e, Qt::Key_Backspace);
        QCOMPARE(e.text(), QStringLiteral("Анна"));
        paste(&e, "7");
        QCOMPARE(e.text(), QStringLiteral("Анна"));
    }

    void freeTextField() {
        TMaskedEdit e(edtNone, 7);
        typeText(&e, QStringLiteral("12 корп. 3"));
        QCOMPARE(e.text(), QStringLiteral("12 корп"));
        TMaskedEdit unlimited(edtNone, 0);
        typeText(&unlimited, QString(300, QLatin1Char('x')));
        QCOMPARE(unlimited.text().size(), 300);
    }

    // The document file is windows-1251: nothing else may reach the model.
    void onlyWindows1251Characters() {
        TMaskedEdit e(edtNone, 0);
        typeText(&e, QStringLiteral("Ива中н€"));
        QCOMPARE(e.text(), QStringLiteral("Иван€"));
        paste(&e, QStringLiteral("Ñ ü"));
        QCOMPARE(e.text(), QStringLiteral("Иван€"));
        e.setText(QStringLiteral("Ελλάδα"));
        QCOMPARE(e.text(), QStringLiteral("Иван€"));

        TMaskedDocEdit d;
        typeText(&d, QStringLiteral("AБ中"));
        QCOMPARE(d.text(), QStringLiteral("AБ"));
    }

    void programmaticSetIsChecked() {
        TMaskedEdit e(edtDigital, 4);
        e.setText("123");
        QCOMPARE(e.text(), QStringLiteral("123"));
        e.setText("12345");
        QCOMPARE(e.text(), QStringLiteral("123"));
    }

    void enterIsNotTakenByTheField() {
        TMaskedEdit e(edtNone, 0);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(&e, &press);
        QVERIFY(!press.isAccepted());
    }

    void noticesOnlyForAcceptedChanges() {
        TMaskedEdit e(edtDigital, 3);
        QSignalSpy changed(&e, &TMaskedEdit::changed);
        typeText(&e, "12");
        QCOMPARE(notices_, 2);
        typeText(&e, "a");
        QCOMPARE(notices_, 2);
        typeText(&e, "34");
        QCOMPARE(notices_, 3);
        QCOMPARE(changed.count(), 3);
        e.setText("123"); // same text: no change
        QCOMPARE(notices_, 3);
    }

    void loadedTextIsKeptAndSendsNothing() {
        TMaskedDocEdit d;
        d.setEditType(edtR_BB);
        d.loadText(QStringLiteral("XIV АБ 123456"));
        QCOMPARE(d.text(), QStringLiteral("XIV АБ 123456"));
        QCOMPARE(notices_, 0);
        // The user can still correct it step by step.
        d.end(false);
        QTest::keyClick(&d, Qt::Key_Backspace);
        QCOMPARE(d.text(), QStringLiteral("XIV АБ 12345"));
        d.selectAll();
        typeText(&d, QStringLiteral("IX-ЖР123"));
        QCOMPARE(d.text(), QStringLiteral("IX-ЖР 123"));
    }

    void romanValueAndCanonical_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("numeral");
        QTest::newRow("1") << 1 << "I";
        QTest::newRow("4") << 4 << "IV";
        QTest::newRow("9") << 9 << "IX";
        QTest::newRow("14") << 14 << "XIV";
        QTest::newRow("19") << 19 << "XIX";
        QTest::newRow("40") << 40 << "XL";
        QTest::newRow("44") << 44 << "XLIV";
        QTest::newRow("49") << 49 << "XLIX";
        QTest::newRow("90") << 90 << "XC";
        QTest::newRow("99") << 99 << "XCIX";
        QTest::newRow("388") << 388 << "CCCLXXXVIII";
        QTest::newRow("400 has no D") << 400 << "CCCC";
        QTest::newRow("0") << 0 << "";
    }
    void romanValueAndCanonical() {
        QFETCH(int, value);
        QFETCH(QString, numeral);
        QCOMPARE(RomanNumerals::canonical(value), numeral);
        QCOMPARE(RomanNumerals::value(numeral), value);
        QVERIFY(RomanNumerals::isCanonical(numeral));
    }

    void romanNotCanonical() {
        QVERIFY(!RomanNumerals::isCanonical(u"IIII"));
        QVERIFY(!RomanNumerals::isCanonical(u"XXXX"));
        QVERIFY(!RomanNumerals::isCanonical(u"VX"));
        QVERIFY(!RomanNumerals::isCanonical(u"IC"));
        QCOMPARE(RomanNumerals::value(u"IC"), 99);
    }

    void docTyping_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("roman: 1 Х - ж р gives IX-ЖР") << int(edtR_BB) << "1Х-жр"
                                                      << "IX-ЖР";
        QTest::newRow("roman: IIII stops at III") << int(edtR_BB) << "IIII"
                                                  << "III";
        QTest::newRow("roman: XLIV is accepted") << int(edtR_BB) << "XLIV"
                                                 << "XLIV";
        QTest::newRow("roman: XXXX is not") << int(edtR_BB) << "XXXX"
                                            << "XXX";
        QTest::newRow("roman: small Latin letters") << int(edtR_BB) << "xiv"
                                                    << "XIV";
        QTest::newRow("roman: Cyrillic aids Л С У") << int(edtR_BB) << "СЛУ"
                                                    << "CLV";
        QTest::newRow("roman: the digit after two letters brings the space")
            << int(edtR_BB) << "XIV-АБ1"
            << "XIV-АБ 1";
        QTest::newRow("roman: full birth certificate") << int(edtR_BB) << "XIV-аб1234567"
                                                       << "XIV-АБ 123456";
        QTest::newRow("roman: a second dash is dropped") << int(edtR_BB) << "I--А"
                                                         << "I-А";
        QTest::newRow("roman: no digit before the letters") << int(edtR_BB) << "I-5"
                                                            << "I-";
        QTest::newRow("roman: other letters in the series") << int(edtR_BB) << "ЖI"
                                                            << "I";
        QTest::newRow("roman: nine letters at most") << int(edtR_BB) << "CCCLXXXVIII"
                                                     << "CCCLXXXVI";
        QTest::newRow("passport: ten digits") << int(edt99_) << "12345678901"
                                              << "12 34 567890";
        QTest::newRow("passport: typed spaces are dropped") << int(edt99_) << "1 2 3"
                                                            << "12 3";
        QTest::newRow("99: two and seven digits") << int(edt99) << "1234567890"
                                                  << "12 3456789";
        QTest::newRow("BB: а б 1 gives АБ 1") << int(edtBB) << "аб1"
                                              << "АБ 1";
        QTest::newRow("BB: a capital stays") << int(edtBB) << "А"
                                             << "А";
        QTest::newRow("BB: six digits") << int(edtBB) << "ЖЖ12345678"
                                        << "ЖЖ 123456";
        QTest::newRow("BB0: seven digits") << int(edtBB0) << "ЖЖ12345678"
                                           << "ЖЖ 1234567";
        QTest::newRow("BB: Latin letters dropped") << int(edtBB) << "AБ"
                                                   << "Б";
        QTest::newRow("None1: twenty characters") << int(edtNone1) << "123456789012345678901"
                                                  << "12345678901234567890";
        QTest::newRow("None2: fourteen characters") << int(edtNone2) << "123456789012345678901"
                                                    << "12345678901234";
    }
    void docTyping() {
        QFETCH(int, shape);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TMaskedDocEdit d;
        d.setEditType(TDocumentMaskEnum(shape));
        typeText(&d, typed);
        QCOMPARE(d.text(), shown);
    }

    void docDefaultIsNone1AndBackspaceDeletes() {
        TMaskedDocEdit d;
        QCOMPARE(d.EditType(), edtNone1);
        typeText(&d, QString(20, QChar(u'Ж')));
        typeText(&d, QStringLiteral("Ж"));
        QCOMPARE(d.text().size(), 20);
        QTest::keyClick(&d, Qt::Key_Backspace);
        QCOMPARE(d.text().size(), 19);
    }

    void docPaste_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("roman rewritten to capitals and Roman letters")
            << int(edtR_BB) << "х1у-аб 123456"
            << "XIV-АБ 123456";
        QTest::newRow("roman without a dash") << int(edtR_BB) << "xix"
                                              << "XIX";
        QTest::newRow("roman not canonical") << int(edtR_BB) << "IIII-АБ 1"
                                             << "";
        QTest::newRow("roman, seven digits") << int(edtR_BB) << "I-АБ 1234567"
                                             << "";
        QTest::newRow("roman, three letters") << int(edtR_BB) << "I-АБВ"
                                              << "";
        QTest::newRow("99 fits") << int(edt99) << "12 1234567"
                                 << "12 1234567";
        QTest::newRow("99 letters") << int(edt99) << "1a 12"
                                    << "";
        QTest::newRow("99_ fits") << int(edt99_) << "45 01 123456"
                                  << "45 01 123456";
        QTest::newRow("99_ seven last digits") << int(edt99_) << "45 01 1234567"
                                               << "";
        QTest::newRow("99_ no space, three digits") << int(edt99_) << "450"
                                                    << "";
        QTest::newRow("BB capitals") << int(edtBB) << "аб 123"
                                     << "АБ 123";
        QTest::newRow("BB seven digits") << int(edtBB) << "АБ 1234567"
                                         << "";
        QTest::newRow("BB0 seven digits") << int(edtBB0) << "АБ 1234567"
                                          << "АБ 1234567";
        QTest::newRow("None1 twenty-one") << int(edtNone1) << QString(21, QLatin1Char('x')) << "";
        QTest::newRow("None2 fifteen") << int(edtNone2) << QString(15, QLatin1Char('x')) << "";
    }
    void docPaste() {
        QFETCH(int, shape);
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        TMaskedDocEdit d;
        d.setEditType(TDocumentMaskEnum(shape));
        paste(&d, pasted);
        QCOMPARE(d.text(), kept);
    }

    void docShapeChangeAppliesToNextKey() {
        TMaskedDocEdit d;
        typeText(&d, "12");
        d.setEditType(edt99_);
        typeText(&d, "345678901");
        QCOMPARE(d.text(), QStringLiteral("12 34 567890"));
    }
};

QTEST_MAIN(TestMaskedEdit)
#include "test_masked_edit.moc"
