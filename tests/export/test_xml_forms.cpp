#include "export/DOMXML_unit.h"
#include "export/XmlForms.h"
#include "export/XmlTree.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

#include <QtTest>

class TestXmlForms : public QObject {
    Q_OBJECT

private slots:
    void kopecksForm_data();
    void kopecksForm();
    void roublesForm_data();
    void roublesForm();
    void dates_data();
    void dates();
    void impossibleDatesAreRefused_data();
    void impossibleDatesAreRefused();
    void padding_data();
    void padding();
    void dottedNumber_data();
    void dottedNumber();
    void upperCase_data();
    void upperCase();
    void attributesGoInCapitalsInSettingOrder();
    void representativeName_data();
    void representativeName();
    void fileIdentifier_data();
    void fileIdentifier();
    void guidText();
    void digitsOnly_data();
    void digitsOnly();
};

// Amounts as ten-thousandths, so the largest amounts the type holds can be rows.
void TestXmlForms::kopecksForm_data() {
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one kopeck digit gets a zero") << qint64(12345000) << "1234.50";
    QTest::newRow("kopecks truncated, not rounded") << qint64(100789) << "10.07";
    QTest::newRow("negative written as zero") << qint64(-50000) << "0.00";
    QTest::newRow("zero") << qint64(0) << "0.00";
    QTest::newRow("five kopecks") << qint64(500) << "0.05";
    QTest::newRow("fifteen characters still fit") << qint64(9999999999999900) << "999999999999.99";
    QTest::newRow("10^12 roubles overflow") << qint64(10000000000000000) << "999999999999.99";
    QTest::newRow("largest amount overflows")
        << std::numeric_limits<qint64>::max() << "999999999999.99";
}

void TestXmlForms::kopecksForm() {
    QFETCH(qint64, raw);
    QFETCH(QString, expected);
    QCOMPARE(KopText(Money::fromRaw(raw)), expected);
}

void TestXmlForms::roublesForm_data() {
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole tax") << qint64(45200000) << "4520";
    QTest::newRow("expected income whole") << qint64(1500000000) << "150000";
    QTest::newRow("expected income with a half") << qint64(1500005000) << "150000.5";
    QTest::newRow("no trailing zeros") << qint64(123400) << "12.34";
    QTest::newRow("negative keeps its sign") << qint64(-30000) << "-3";
    QTest::newRow("fifteen digits fit") << qint64(123456789012345) * 10000 << "123456789012345";
    QTest::newRow("sixteen characters overflow") << qint64(1234567890123456) << "999999999999999";
    // 10^15 roubles is beyond the money type; its largest value stands in.
    QTest::newRow("largest amount overflows")
        << std::numeric_limits<qint64>::max() << "999999999999999";
}

void TestXmlForms::roublesForm() {
    QFETCH(qint64, raw);
    QFETCH(QString, expected);
    QCOMPARE(RubText(Money::fromRaw(raw)), expected);
}

void TestXmlForms::dates_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("year");
    QTest::newRow("day and month padded") << TDateTime::fromYmd(2011, 3, 5) << "05.03.2011"
                                          << "2011";
    QTest::newRow("farm founded 2005") << TDateTime::fromYmd(2005, 1, 1) << "01.01.2005"
                                       << "2005";
    QTest::newRow("zero is the epoch") << 0.0 << "30.12.1899"
                                       << "1899";
    QTest::newRow("time of day ignored") << TDateTime::fromYmd(2012, 2, 29) + 0.75 << "29.02.2012"
                                         << "2012";
    QTest::newRow("year padded to four digits") << TDateTime::fromYmd(5, 6, 7) << "07.06.0005"
                                                << "0005";
    QTest::newRow("last day of 9999") << TDateTime::fromYmd(9999, 12, 31) << "31.12.9999"
                                      << "9999";
}

void TestXmlForms::dates() {
    QFETCH(double, value);
    QFETCH(QString, date);
    QFETCH(QString, year);
    QCOMPARE(DateText(value), date);
    QCOMPARE(YearText(value), year);
}

void TestXmlForms::impossibleDatesAreRefused_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
    QTest::newRow("after 9999") << TDateTime::fromYmd(9999, 12, 31) + 1;
    QTest::newRow("before year 1") << -693594.0;
    QTest::newRow("beyond any integer") << 1e300;
}

void TestXmlForms::impossibleDatesAreRefused() {
    QFETCH(double, value);
    QVERIFY_THROWS_EXCEPTION(EXmlExport, DateText(value));
    QVERIFY_THROWS_EXCEPTION(EXmlExport, YearText(value));
}

void TestXmlForms::padding_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("region 7") << "7" << 2 << "07";
    QTest::newRow("citizenship 4") << "4" << 3 << "004";
    QTest::newRow("document code 21 stays") << "21" << 2 << "21";
    QTest::newRow("document code 3") << "3" << 2 << "03";
    QTest::newRow("empty region") << "" << 2 << "00";
    QTest::newRow("currency 36") << "36" << 3 << "036";
    QTest::newRow("longer text untouched") << "1234" << 2 << "1234";
}

void TestXmlForms::padding() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(PadCode(text, width), expected);
    bool isNumber = false;
    const int n = text.toInt(&isNumber);
    if (isNumber)
        QCOMPARE(PadCode(n, width), expected);
}

void TestXmlForms::dottedNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma becomes dot") << "1500,75"
                                       << "1500.75";
    QTest::newRow("already dotted") << "1500.75"
                                    << "1500.75";
    QTest::newRow("replacement trims") << " 1,5 "
                                       << "1.5";
    QTest::newRow("no comma, nothing trimmed") << " 12 "
                                               << " 12 ";
    QTest::newRow("every comma") << "1,2,3"
                                 << "1.2.3";
}

void TestXmlForms::dottedNumber() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(DotDecimal(text), expected);
}

void TestXmlForms::upperCase_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("surname") << "иванов"
                             << "ИВАНОВ";
    QTest::newRow("street with punctuation") << "ул. Ленина"
                                             << "УЛ. ЛЕНИНА";
    QTest::newRow("yo") << "ёлкин"
                        << "ЁЛКИН";
    QTest::newRow("latin") << "ooo Alpha-2"
                           << "OOO ALPHA-2";
    QTest::newRow("other cyrillic of windows-1251") << "ђ ѓ ў ґ"
                                                    << "Ђ Ѓ Ў Ґ";
    QTest::newRow("micro sign stays in windows-1251") << "5 µg"
                                                      << "5 µG";
    QTest::newRow("digits and signs unchanged") << "№ 12/3-а"
                                                << "№ 12/3-А";
}

void TestXmlForms::upperCase() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(UpperCaseText(text), expected);
}

void TestXmlForms::attributesGoInCapitalsInSettingOrder() {
    XmlElement e(QStringLiteral("Адр"));
    SetXmlAttribute(e, QStringLiteral("Улица"), QStringLiteral("ул. Ленина"));
    SetXmlAttribute(e, QStringLiteral("Дом"), QStringLiteral("5а"));
    SetXmlAttributeIfNotBlank(e, QStringLiteral("Корпус"), QStringLiteral("   "));
    SetXmlAttributeIfNotBlank(e, QStringLiteral("Кварт"), QStringLiteral(" 7 "));
    SetXmlAttribute(e, QStringLiteral("Улица"), QStringLiteral("пр. Мира"));
    QCOMPARE(e.attributes().size(), 3);
    QCOMPARE(e.attributes()[0],
             std::make_pair(QStringLiteral("Улица"), QStringLiteral("ПР. МИРА")));
    QCOMPARE(e.attributes()[1], std::make_pair(QStringLiteral("Дом"), QStringLiteral("5А")));
    // Presence is judged trimmed, the value is written as stored.
    QCOMPARE(e.attributes()[2], std::make_pair(QStringLiteral("Кварт"), QStringLiteral(" 7 ")));
}

void TestXmlForms::representativeName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("patronymic");
    QTest::newRow("three words") << "Петров Пётр Петрович"
                                 << "Петров"
                                 << "Пётр"
                                 << "Петрович";
    QTest::newRow("two words, no patronymic") << "Петров Пётр"
                                              << "Петров"
                                              << "Пётр"
                                              << "";
    QTest::newRow("one word, first name a blank") << "Петров"
                                                  << "Петров"
                                                  << " "
                                                  << "";
    QTest::newRow("empty, both blanks") << ""
                                        << " "
                                        << " "
                                        << "";
    QTest::newRow("only blanks") << "   "
                                 << " "
                                 << " "
                                 << "";
    QTest::newRow("extra blanks everywhere") << "  Петров   Пётр   Петрович  "
                                             << "Петров"
                                             << "Пётр"
                                             << "Петрович";
    QTest::newRow("rest after the first name is the patronymic") << "Алиев Мамед Али Оглы"
                                                                 << "Алиев"
                                                                 << "Мамед"
                                                                 << "Али Оглы";
    QTest::newRow("surname cut at 60, the rest goes on")
        << QString(65, QChar(u'А')) + QStringLiteral(" Иван") << QString(60, QChar(u'А'))
        << QString(5, QChar(u'А')) << "Иван";
    // The 60 characters are counted from the blank after the first name.
    QTest::newRow("patronymic at most 60")
        << QStringLiteral("Ли Ван ") + QString(70, QChar(u'Б')) << "Ли"
        << "Ван" << QString(59, QChar(u'Б'));
}

void TestXmlForms::representativeName() {
    QFETCH(QString, name);
    QFETCH(QString, surname);
    QFETCH(QString, firstName);
    QFETCH(QString, patronymic);
    const RepresentativeName split = SplitRepresentativeName(name);
    QCOMPARE(split.surname, surname);
    QCOMPARE(split.firstName, firstName);
    QCOMPARE(split.patronymic, patronymic);
}

void TestXmlForms::fileIdentifier_data() {
    QTest::addColumn<int>("formKind");
    QTest::addColumn<QString>("inn");
    QTest::addColumn<QString>("expected");
    const QString guid = QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E");
    QTest::newRow("3-NDFL without INN") << 0 << ""
                                        << "NO_NDFL3_7701_7701_000000000000_20120315_" + guid;
    QTest::newRow("3-NDFL with INN") << 0 << "500100732259"
                                     << "NO_NDFL3_7701_7701_500100732259_20120315_" + guid;
    QTest::newRow("non-resident is 3-NDFL") << 1 << "500100732259"
                                            << "NO_NDFL3_7701_7701_500100732259_20120315_" + guid;
    QTest::newRow("4-NDFL") << 2 << "500100732259"
                            << "NO_NDFL4_7701_7701_500100732259_20120315_" + guid;
}

void TestXmlForms::fileIdentifier() {
    QFETCH(int, formKind);
    QFETCH(QString, inn);
    QFETCH(QString, expected);
    mTDeclaration d;
    d.inspectionCode = QStringLiteral("7701");
    d.formKind = quint8(formKind);
    d.person.inn = inn;
    QCOMPARE(FileIdentifier(
                 d, QDate(2012, 3, 15),
                 FileGuidText(QUuid(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}")))),
             expected);
}

void TestXmlForms::guidText() {
    const QString a = NewFileGuid();
    const QString b = NewFileGuid();
    QVERIFY(a != b);
    static const QRegularExpression shape(
        QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    QVERIFY2(shape.match(a).hasMatch(), qPrintable(a));
}

void TestXmlForms::digitsOnly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("inspection code") << "7701" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("parent folder") << "../7701" << false;
    QTest::newRow("slash") << "77/01" << false;
    QTest::newRow("backslash") << "77\\01" << false;
    QTest::newRow("blank") << "7701 " << false;
    QTest::newRow("arabic-indic digits are not digits here") << "٧٧٠١" << false;
}

void TestXmlForms::digitsOnly() {
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(IsDigitsOnly(text), expected);
}

QTEST_GUILESS_MAIN(TestXmlForms)
#include "test_xml_forms.moc"
