#include "ExportRun.h"

#include <QtTest>

// Each row exports a small declaration with the fixed date and GUID, reads the
// file back and looks at one place in it. A path names elements from "Файл" down
// ("a/b[2]" is the second b); the expected text is the element's attributes in
// file order ("name=value ..."), or with "/*" after the path its children's names,
// with "@name" one attribute's value, and "-" for an element or attribute that
// must not be there.
class TestXmlStructure : public QObject {
    Q_OBJECT

private slots:
    void header_data();
    void header() { check(); }
    void taxpayer_data();
    void taxpayer() { check(); }
    void signer_data();
    void signer() { check(); }
    void totalsAndSheetA_data();
    void totalsAndSheetA() { check(); }
    void incomeSheets_data();
    void incomeSheets() { check(); }
    void deductionSheets_data();
    void deductionSheets() { check(); }
    void paymentLines_data();
    void paymentLines() { check(); }

private:
    static void columns();
    static void row(const char* name, const QByteArray& json, const char* path,
                    const QString& expected);
    void check();
};

namespace {

// A resident declarant of inspection 7701; rows add or override keys.
QByteArray decl(const char* keys = "") {
    QByteArray json = R"({"inspectionCode": "7701",
        "person": {"surname": "Иванов", "firstName": "Иван", "okato": "45293554000",
                   "citizenshipKind": "1"})";
    if (*keys)
        json += QByteArray(", ") + keys;
    return json + "}";
}

// The same with the declarant's fields replaced by personJson.
QByteArray declPerson(const char* personJson, const char* keys = "") {
    QByteArray json = QByteArray(R"({"inspectionCode": "7701", "person": )") + personJson;
    if (*keys)
        json += QByteArray(", ") + keys;
    return json + "}";
}

const char kNoStandard[] = R"("standardDeduction": {"granted": false})";

} // namespace

void TestXmlStructure::columns() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
}

void TestXmlStructure::row(const char* name, const QByteArray& json, const char* path,
                           const QString& expected) {
    QTest::newRow(name) << json << QString::fromUtf8(path) << expected;
}

void TestXmlStructure::check() {
    QFETCH(QByteArray, json);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    const std::unique_ptr<mTDeclaration> d = ReadBack::declaration(json);
    const ExportRun::Result r = ExportRun::toTempFolder(*d);
    QVERIFY2(r.name != XmlExport::kErrorResult, qPrintable(r.detail));
    QVERIFY2(r.parsed.error.isEmpty(), qPrintable(r.parsed.error));

    QString elementPath = path;
    QString attribute;
    bool childList = false;
    if (const qsizetype at = path.indexOf(QLatin1Char('@')); at >= 0) {
        elementPath = path.left(at);
        attribute = path.mid(at + 1);
    } else if (path.endsWith(QLatin1String("/*"))) {
        elementPath.chop(2);
        childList = true;
    }
    const XmlElement* e = ReadBack::find(*r.parsed.root, elementPath);
    if (expected == QLatin1String("-") && attribute.isEmpty()) {
        QVERIFY2(!e, qPrintable(elementPath + QStringLiteral(" is there")));
        return;
    }
    QVERIFY2(e, qPrintable(elementPath + QStringLiteral(" is missing")));
    if (!attribute.isEmpty()) {
        const QString* value = e->attribute(attribute);
        QCOMPARE(value ? *value : QStringLiteral("-"), expected);
    } else if (childList) {
        QCOMPARE(ReadBack::children(*e), expected);
    } else {
        QCOMPARE(ReadBack::attributes(*e), expected);
    }
}

void TestXmlStructure::header_data() {
    columns();
    const QString guid = ExportRun::kGuidText;
    row("3-NDFL file element without INN", decl(), "",
        "ИдФайл=NO_NDFL3_7701_7701_000000000000_20120315_" + guid +
            " ВерсПрог=1.4.0 ВерсФорм=5.07");
    row("4-NDFL file element",
        declPerson(R"({"inn": "500100732259", "surname": "Иванов"})", R"("formKind": 2)"), "",
        "ИдФайл=NO_NDFL4_7701_7701_500100732259_20120315_" + guid +
            " ВерсПрог=1.4.0 ВерсФорм=5.01");
    row("3-NDFL document with today's date, not the signing date",
        decl(R"("correctionNumber": 2, "signDate": "2012-02-01")"), "Документ",
        "КНД=1151020 ДатаДок=15.03.2012 Период=34 ОтчетГод=2011 КодНО=7701 НомКорр=2");
    row("4-NDFL document has no period", decl(R"("formKind": 2)"), "Документ",
        "КНД=1151021 ДатаДок=15.03.2012 ОтчетГод=2012 КодНО=7701 НомКорр=0");
    row("3-NDFL document parts", decl(), "Документ/*", "СвНП Подписант НДФЛ3");
    row("4-NDFL document parts", decl(R"("formKind": 2)"), "Документ/*", "СвНП Подписант НДФЛ4");
    row("non-resident is 3-NDFL", decl(R"("formKind": 1)"), "Документ/*", "СвНП Подписант НДФЛ3");
    row("4-NDFL expected income whole", decl(R"("formKind": 2, "expectedIncome": "150000")"),
        "Документ/НДФЛ4", "ПредДоход=150000");
    row("4-NDFL expected income with a half",
        decl(R"("formKind": 2, "expectedIncome": "150000.5")"), "Документ/НДФЛ4",
        "ПредДоход=150000.5");
    row("4-NDFL expected income too long for the form",
        decl(R"("formKind": 2, "expectedIncome": "100000000000000.5")"), "Документ/НДФЛ4",
        "ПредДоход=999999999999999");
}

void TestXmlStructure::taxpayer_data() {
    columns();
    const char* np3 = "Документ/СвНП/НПФЛ3";
    row("4-NDFL other person is 000", decl(R"("formKind": 2, "taxpayerKind": 5)"),
        "Документ/СвНП/НПФЛ@ДокПредст", "000");
    row("3-NDFL other person is 760", decl(R"("taxpayerKind": 5)"), "Документ/СвНП/НПФЛ3@ДокПредст",
        "760");
    row("4-NDFL head of a farm is 770", decl(R"("formKind": 2, "taxpayerKind": 1)"),
        "Документ/СвНП/НПФЛ@ДокПредст", "770");
    row("3-NDFL kind 4 is 750", decl(R"("taxpayerKind": 4)"), "Документ/СвНП/НПФЛ3@ДокПредст",
        "750");
    row("3-NDFL notary is 730", decl(R"("taxpayerKind": 2)"), "Документ/СвНП/НПФЛ3@ДокПредст",
        "730");
    const char* person4 = R"({"inn": "500100732259", "okato": "45293554000",
        "surname": "иванов", "firstName": "иван", "patronymic": "  ", "homePhone": "  "})";
    row("4-NDFL taxpayer, blank phone left out",
        declPerson(person4, R"("formKind": 2, "taxpayerKind": 0)"), "Документ/СвНП/НПФЛ",
        "ДокПредст=720 ИННФЛ=500100732259 ОКАТО=45293554000");
    row("4-NDFL name, blank patronymic left out",
        declPerson(person4, R"("formKind": 2, "taxpayerKind": 0)"), "Документ/СвНП/НПФЛ/ФИО",
        "Фамилия=ИВАНОВ Имя=ИВАН");
    row("4-NDFL phone written when given",
        declPerson(R"({"inn": "500100732259", "homePhone": "8-495-1234567"})", R"("formKind": 2)"),
        "Документ/СвНП/НПФЛ@Тлф", "8-495-1234567");
    row("3-NDFL taxpayer of a resident",
        declPerson(R"({"okato": "45293554000", "homePhone": "8-495-1234567"})"), np3,
        "ОКАТО=45293554000 Тлф=8-495-1234567 ДокПредст=760 Статус=1");
    row("3-NDFL blank phone still written", declPerson(R"({"homePhone": " "})"),
        "Документ/СвНП/НПФЛ3@Тлф", " ");
    row("3-NDFL empty phone left out", declPerson(R"({"homePhone": ""})"),
        "Документ/СвНП/НПФЛ3@Тлф", "-");
    row("non-resident status and foreign address",
        declPerson(R"({"foreignAddress": "Minsk, ul. Lenina 1"})", R"("formKind": 1)"), np3,
        "ОКАТО= ДокПредст=760 Статус=2 АдрИно=MINSK, UL. LENINA 1");
    row("names in capitals",
        declPerson(R"({"surname": "иванов", "firstName": "иван", "patronymic": "иванович"})"),
        "Документ/СвНП/НПФЛ3/ФИОФЛ", "Фамилия=ИВАНОВ Имя=ИВАН Отчество=ИВАНОВИЧ");
    row("taxpayer parts in order", decl(), "Документ/СвНП/НПФЛ3/*", "ФИОФЛ СвАдрРФ СведФЛ2");
    row("address in capitals, region padded",
        declPerson(R"({"regionCode": 7, "postIndex": "360000", "city": "г. Нальчик",
                       "street": "ул. Ленина", "house": "5", "flat": " "})"),
        "Документ/СвНП/НПФЛ3/СвАдрРФ/АдрРФ",
        "Индекс=360000 КодРегион=07 Город=Г. НАЛЬЧИК Улица=УЛ. ЛЕНИНА Дом=5");
    row("every address part in order",
        declPerson(R"({"regionCode": 50, "postIndex": "1", "district": "2", "city": "3",
                       "locality": "4", "street": "5", "house": "6", "building": "7",
                       "flat": "8"})"),
        "Документ/СвНП/НПФЛ3/СвАдрРФ/АдрРФ",
        "Индекс=1 КодРегион=50 Район=2 Город=3 НаселПункт=4 Улица=5 Дом=6 Корпус=7 Кварт=8");
    row("empty region is 00", decl(), "Документ/СвНП/НПФЛ3/СвАдрРФ/АдрРФ", "КодРегион=00");
    row("address of residence", decl(), "Документ/СвНП/НПФЛ3/СвАдрРФ@ПрАдр", "1");
    row("address of stay", declPerson(R"({"addressKind": 1})"), "Документ/СвНП/НПФЛ3/СвАдрРФ@ПрАдр",
        "2");
    row("no INN: СведФЛ2 with an empty birth place", decl(), "Документ/СвНП/НПФЛ3/СведФЛ2",
        "ДатаРожд=01.01.1977 МестоРожд= ПрГражд=1 ОКСМ=643");
    row("no INN: СведФЛ2 with the document even when empty", decl(),
        "Документ/СвНП/НПФЛ3/СведФЛ2/УдЛичн", "КодВидДок=00 СерНомДок= ДатаДок=01.01.1990 ВыдДок=");
    const char* withInn = R"({"inn": "500100732259", "citizenshipKind": "1"})";
    row("INN without document kind: СведФЛ1 without УдЛичн", declPerson(withInn),
        "Документ/СвНП/НПФЛ3/СведФЛ1/*", "");
    row("INN: СведФЛ1 without an empty birth place", declPerson(withInn),
        "Документ/СвНП/НПФЛ3/СведФЛ1", "ИННФЛ=500100732259 ДатаРожд=01.01.1977 ПрГражд=1 ОКСМ=643");
    row("INN: no СведФЛ2", declPerson(withInn), "Документ/СвНП/НПФЛ3/СведФЛ2", "-");
    row("passport code 21 stays 21",
        declPerson(R"({"inn": "500100732259", "idDocKind": 21, "idDocSeriesNumber": "45 01 123456",
                       "idDocIssueDate": "2005-06-07", "idDocIssuer": "ОВД района"})"),
        "Документ/СвНП/НПФЛ3/СведФЛ1/УдЛичн",
        "КодВидДок=21 СерНомДок=45 01 123456 ДатаДок=07.06.2005 ВыдДок=ОВД РАЙОНА");
    row("document code 3 padded", declPerson(R"({"inn": "500100732259", "idDocKind": 3})"),
        "Документ/СвНП/НПФЛ3/СведФЛ1/УдЛичн@КодВидДок", "03");
    row("citizenship 4 padded", declPerson(R"({"citizenshipCode": "4"})"),
        "Документ/СвНП/НПФЛ3/СведФЛ2@ОКСМ", "004");
    row("empty citizenship gives 643", declPerson(R"({"citizenshipCode": ""})"),
        "Документ/СвНП/НПФЛ3/СведФЛ2@ОКСМ", "643");
    row("birth place written when given",
        declPerson(R"({"inn": "500100732259", "birthPlace": "г. Москва"})"),
        "Документ/СвНП/НПФЛ3/СведФЛ1@МестоРожд", "Г. МОСКВА");
}

void TestXmlStructure::signer_data() {
    columns();
    const char* old = R"("signerKind": 0, "representativeName": "Петров Пётр",
        "representativeDocument": "доверенность")";
    row("in person: only ПрПодп", decl(old), "Документ/Подписант", "ПрПодп=1");
    row("in person: no children even with old representative text", decl(old),
        "Документ/Подписант/*", "");
    const char* two = R"("signerKind": 1, "representativeName": "петров пётр",
        "representativeDocument": "доверенность № 5")";
    row("representative", decl(two), "Документ/Подписант", "ПрПодп=2");
    row("representative parts", decl(two), "Документ/Подписант/*", "ФИО СвПред");
    row("two words: no patronymic", decl(two), "Документ/Подписант/ФИО", "Фамилия=ПЕТРОВ Имя=ПЁТР");
    row("authority document", decl(two), "Документ/Подписант/СвПред", "НаимДок=ДОВЕРЕННОСТЬ № 5");
    row("one word: first name a blank", decl(R"("signerKind": 1, "representativeName": "Петров")"),
        "Документ/Подписант/ФИО", "Фамилия=ПЕТРОВ Имя= ");
    row("empty name: both blanks", decl(R"("signerKind": 2)"), "Документ/Подписант/ФИО",
        "Фамилия=  Имя= ");
    row("three words", decl(R"("signerKind": 2, "representativeName": "Петров Пётр Петрович")"),
        "Документ/Подписант/ФИО", "Фамилия=ПЕТРОВ Имя=ПЁТР Отчество=ПЕТРОВИЧ");
    row("organisation name also for a person representative",
        decl(R"("signerKind": 1, "representativeDocument": "доверенность",
                "representativeOrgName": "ООО Ромашка")"),
        "Документ/Подписант/СвПред", "НаимДок=ДОВЕРЕННОСТЬ НаимОрг=ООО РОМАШКА");
    row("blank organisation name left out",
        decl(R"("signerKind": 2, "representativeDocument": "устав",
                "representativeOrgName": "  ")"),
        "Документ/Подписант/СвПред", "НаимДок=УСТАВ");
    row("4-NDFL signer the same way",
        decl(R"("formKind": 2, "signerKind": 1, "representativeName": "Петров Пётр")"),
        "Документ/Подписант/ФИО", "Фамилия=ПЕТРОВ Имя=ПЁТР");
}

namespace {

// Four payers at 13 percent, one for each kind of source identity.
const char kFourSources[] = R"("standardDeduction": {"granted": false}, "thirteenSources": [
    {"sourceInn": "500100732259", "sourceKpp": "", "sourceName": "ИП Петров",
     "sourceOkato": "45293554000", "taxableIncome": "1000", "taxComputed": "130",
     "taxWithheld": "130",
     "rows": [{"incomeCode": 2000, "amount": "1000", "month": 1}]},
    {"sourceInn": "500100732259", "sourceKpp": "773601001", "sourceName": "Ромашка",
     "rows": [{"incomeCode": 2000, "amount": "1000", "month": 1}]},
    {"sourceInn": "7707083893", "sourceKpp": "", "sourceName": "ООО Альфа",
     "rows": [{"incomeCode": 2000, "amount": "1000", "month": 1}]},
    {"sourceInn": "", "sourceKpp": " ", "sourceName": "Сидоров", "sourceOkato": " ",
     "rows": [{"incomeCode": 2000, "amount": "1000", "month": 1}]}],
    "foreignerFixedPayments": "1200")";

const char kSource35[] = R"({"incomeCode": 3020, "sourceInn": "7707083893",
    "sourceKpp": "773601001", "sourceName": "ЗАО Лотерея", "sourceOkato": "45293554000",
    "totalIncome": "10000", "taxWithheld": "3500"})";

} // namespace

void TestXmlStructure::totalsAndSheetA_data() {
    columns();
    const char* totals = "Документ/НДФЛ3/ИтогУплВозв";
    row("all zero: НалБаза13 stands in", decl(), "Документ/НДФЛ3/ИтогУплВозв/*", "НалБаза13");
    row("all zero: zeros in both forms", decl(), "Документ/НДФЛ3/ИтогУплВозв/НалБаза13",
        "ДоходОбщ=0.00 ДоходОбщНеНал=0.00 ДоходОбщНал=0.00 РасхВычОбщ=0.00 НалБаза=0.00 "
        "Исчисл=0 УдержОбщ=0 УплФактАв=0 УплФиксирАв=0 УплИно=0 ПодлВозв=0 ПодлУпл=0");
    row("standard deduction alone: no СведДохВыч", decl(), "Документ/НДФЛ3/*",
        "ИтогУплВозв ПодлУплВозв");
    const QByteArray only35 = decl(
        (QByteArray(kNoStandard) + ", \"thirtyFiveSources\": [" + kSource35 + "]").constData());
    row("only 35 percent: no НалБаза13", only35, "Документ/НДФЛ3/ИтогУплВозв/*", "НалБаза35");
    row("35 percent totals", only35, "Документ/НДФЛ3/ИтогУплВозв/НалБаза35",
        "ДоходОбщ=10000.00 ДоходОбщНеНал=0.00 НалБаза=10000.00 Исчисл=3500 УдержОбщ=3500 "
        "УдержОбщЛиш=0 УплИно=0 ПодлВозв=0 ПодлУпл=0");
    row("exempt income above income: ДоходОбщНал written 0.00",
        decl(R"("standardDeduction": {"granted": false}, "thirteenSources": [
            {"sourceInn": "7707083893", "sourceKpp": "773601001", "sourceName": "Работодатель",
             "rows": [{"incomeCode": 2762, "amount": "1000", "deductionCode": 508,
                       "deductionAmount": "5000", "month": 1}]}])"),
        "Документ/НДФЛ3/ИтогУплВозв/НалБаза13",
        "ДоходОбщ=1000.00 ДоходОбщНеНал=5000.00 ДоходОбщНал=0.00 РасхВычОбщ=0.00 "
        "НалБаза=0.00 Исчисл=0 УдержОбщ=0 УплФактАв=0 УплФиксирАв=0 УплИно=0 ПодлВозв=0 "
        "ПодлУпл=0");
    Q_UNUSED(totals);

    const char* a = "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ";
    const QByteArray four = decl(kFourSources);
    row("13 percent sheet with the fixed advance payments", four, a,
        "Ставка=13 ДоходОбщ=4000.00 ДоходОблОбщ=1000.00 НалИсчислИт=130 НалУдержИт=130 "
        "НалУплФАП=1200");
    row("one row per source", four, "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/*",
        "РасчДохНал РасчДохНал РасчДохНал РасчДохНал");
    row("source row with OKATO", four, "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[1]",
        "Доход=1000.00 ДоходОбл=1000.00 НалИсчисл=130 НалУдерж=130 ОКАТО=45293554000");
    row("source row with a blank OKATO", four, "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[4]",
        "Доход=1000.00 ДоходОбл=0.00 НалИсчисл=0 НалУдерж=0");
    row("12-digit INN without KPP is a person", four,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[1]/ИстФЛИн",
        "ФИОИн=ИП ПЕТРОВ ИННФЛ=500100732259");
    row("12-digit INN with KPP is an organisation", four,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[2]/ИстЮЛ",
        "Наим=РОМАШКА ИННЮЛ=500100732259 КПП=773601001");
    row("10-digit INN without KPP is an organisation", four,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[3]/ИстЮЛ",
        "Наим=ООО АЛЬФА ИННЮЛ=7707083893 КПП=");
    row("no INN, blank KPP: a person without ИННФЛ", four,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[4]/ИстФЛИн", "ФИОИн=СИДОРОВ");
    row("one identity child per row", four, "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[2]/*",
        "ИстЮЛ");

    const QByteArray dividendsNr = decl(R"("formKind": 1, "thirtySources": [
        {"sourceInn": "7707083893", "sourceKpp": "773601001", "sourceName": "ОАО Дивиденд",
         "sourceOkato": "45293554000", "totalIncome": "1000.5", "taxableAmount": "1000.5",
         "taxComputed": "0", "taxWithheld": "0"}])");
    row("non-resident dividends at 15 percent", dividendsNr, a,
        "Ставка=15 ДоходОбщ=1000.50 ДоходОблОбщ=1000.50 НалИсчислИт=150 НалУдержИт=0 "
        "НалУплФАП=0");
    row("15 percent tax per source rounded half up", dividendsNr,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал",
        "Доход=1000.50 ДоходОбл=1000.50 НалИсчисл=150 НалУдерж=0 ОКАТО=45293554000");

    const QByteArray residentRates = decl((QByteArray(R"("thirtySources": [{"sourceName": "А",
        "totalIncome": "100", "taxableAmount": "100", "taxComputed": "9"}],
        "thirteenSources": [{"sourceName": "Б", "rows": [{"incomeCode": 2000, "amount": "100",
        "month": 1}]}], "thirtyFiveSources": [)") +
                                           kSource35 + "]")
                                              .constData());
    row("resident rates in order: first 09", residentRates,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ[1]",
        "Ставка=09 ДоходОбщ=100.00 ДоходОблОбщ=100.00 "
        "НалИсчислИт=9 НалУдержИт=0 НалУплФАП=0");
    row("resident rates in order: then 13", residentRates,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ[2]@Ставка", "13");
    row("resident rates in order: then 35", residentRates,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ[3]@Ставка", "35");
    const QByteArray nrRates = decl(R"("formKind": 1,
        "thirteenSources": [{"sourceName": "А", "rows": [{"incomeCode": 2000, "amount": "100",
                              "month": 1}]}],
        "thirteenNrSources": [{"sourceName": "Б", "rows": [{"incomeCode": 2000, "amount": "100",
                                "month": 1}]}],
        "thirtySources": [{"sourceName": "В", "totalIncome": "100", "taxableAmount": "100"}],
        "thirtyFiveSources": [{"incomeCode": 3020, "sourceName": "Г", "totalIncome": "100"}])");
    row("non-resident rates in order: 13, 15, 30", nrRates, "Документ/НДФЛ3/СведДохВыч/*",
        "ДоходИстРФ ДоходИстРФ ДоходИстРФ");
    row("non-resident first 13", nrRates, "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ[1]@Ставка", "13");
    row("non-resident then 15", nrRates, "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ[2]@Ставка", "15");
    row("non-resident then 30", nrRates, "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ[3]@Ставка", "30");

    const QByteArray prizes = decl(R"("standardDeduction": {"granted": false},
        "thirtyFiveSources": [
        {"incomeCode": 2740, "deductionCode": 503, "deductionAmount": "3000",
         "sourceInn": "7707083893", "sourceKpp": "773601001", "sourceName": "Магазин",
         "totalIncome": "10000"},
        {"incomeCode": 2740, "deductionCode": 0, "sourceInn": "7707083893",
         "sourceKpp": "773601001", "sourceName": "Магазин", "totalIncome": "5000"}])");
    row("prize with a deduction code: taxable after its exemption", prizes,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[1]",
        "Доход=10000.00 ДоходОбл=7000.00 НалИсчисл=2450 НалУдерж=0");
    row("prize without a deduction code: whole income", prizes,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/РасчДохНал[2]",
        "Доход=5000.00 ДоходОбл=5000.00 НалИсчисл=1750 НалУдерж=0");

    const QByteArray benefit =
        decl((QByteArray(kNoStandard) + R"(, "thirtyFiveSources": [)" + kSource35 + R"(,
        {"incomeCode": 2620, "sourceInn": "7707083893", "sourceKpp": "773601001",
         "sourceName": "Банк", "sourceOkato": "45286560000", "totalIncome": "20000",
         "taxWithheld": "7000"},
        {"incomeCode": 2620, "sourceInn": "500100732259", "sourceName": "Петров",
         "sourceOkato": "4528656000", "totalIncome": "100", "taxWithheld": "35"}])")
                 .constData());
    row("material benefit source gets no sheet A row", benefit,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстРФ/*", "РасчДохНал");
    row("material benefit sheet", benefit, "Документ/НДФЛ3/СведДохВыч/ДоходМатВыг",
        "НалогУдЛОбщ=7035");
    row("benefit row with an 11-character OKATO", benefit,
        "Документ/НДФЛ3/СведДохВыч/ДоходМатВыг/РасчНалогУдЛ[1]",
        "Доход=20000.00 НалогУдЛ=7000 ОКАТО=45286560000");
    row("benefit row with a 10-character OKATO", benefit,
        "Документ/НДФЛ3/СведДохВыч/ДоходМатВыг/РасчНалогУдЛ[2]", "Доход=100.00 НалогУдЛ=35");
    row("benefit source identity", benefit,
        "Документ/НДФЛ3/СведДохВыч/ДоходМатВыг/РасчНалогУдЛ[2]/ИстФЛИн",
        "ФИОИн=ПЕТРОВ ИННФЛ=500100732259");
}

void TestXmlStructure::incomeSheets_data() {
    columns();
    const char* sheets = "Документ/НДФЛ3/СведДохВыч";
    const QByteArray foreign13 = decl(R"("standardDeduction": {"granted": false},
        "incomeFlags": 3, "currencyIncomes": [
        {"incomeRate": 13, "incomeCode": 1010, "sourceName": "Foreign Bank", "countryCode": "4",
         "currencyCode": "36", "incomeDate": "2011-05-10", "rateOnIncomeDate": "30.5",
         "unitsOnIncomeDate": 1, "incomeInCurrency": "100", "currencyName": "AUD"}])");
    row("foreign income at 13 only", foreign13, "Документ/НДФЛ3/СведДохВыч/*", "ДоходИстИно");
    row("foreign sheet totals", foreign13, "Документ/НДФЛ3/СведДохВыч/ДоходИстИно",
        "Ставка=13 ДоходИноРубОбщ=3050.00 НалУплИноРубОбщ=0.00 НалИсчислРФОбщ=397 "
        "НалЗачРФОбщ=0");
    row("foreign row without tax abroad", foreign13,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстИно/РасчДохНалИно",
        "ОКСМ=004 НаимИстДох=FOREIGN BANK КодВалют=036 ДатаДох=10.05.2011 КурсВалютДох=30.5 "
        "ДоходИноВал=100.00 ДоходИноРуб=3050.00 НалЗачРФОбщ=397");
    const QByteArray foreignTax = decl(R"("standardDeduction": {"granted": false},
        "incomeFlags": 3, "currencyIncomes": [
        {"incomeRate": 13, "incomeCode": 1010, "sourceName": "Bank", "countryCode": " 840",
         "currencyCode": "840", "incomeDate": "2011-05-10", "taxPaidDate": "2011-06-01",
         "rateOnIncomeDate": "1", "unitsOnIncomeDate": 1, "rateOnTaxDate": "1",
         "unitsOnTaxDate": 1, "incomeInCurrency": "1000", "taxInCurrency": "100.4"},
        {"incomeRate": 9, "incomeCode": 1010, "sourceName": "Fund", "countryCode": "840",
         "currencyCode": "840", "rateOnIncomeDate": "1", "unitsOnIncomeDate": 1,
         "incomeInCurrency": "1000"}])");
    row("foreign rates in order 09, 13", foreignTax, "Документ/НДФЛ3/СведДохВыч/*",
        "ДоходИстИно ДоходИстИно");
    row("foreign row with tax abroad and its credit", foreignTax,
        "Документ/НДФЛ3/СведДохВыч/ДоходИстИно[2]/РасчДохНалИно",
        "ОКСМ=840 НаимИстДох=BANK КодВалют=840 ДатаДох=10.05.2011 КурсВалютДох=1 "
        "ДоходИноВал=1000.00 ДоходИноРуб=1000.00 ДатаУплНал=01.06.2011 КурсВалютНал=1 "
        "НалУплИноВал=100.40 НалУплИноРуб=100.40 НалЗачРФОбщ=130 НалогЗачРФОбщ=100");
    row("foreign sheet at 9", foreignTax, "Документ/НДФЛ3/СведДохВыч/ДоходИстИно[1]",
        "Ставка=09 ДоходИноРубОбщ=1000.00 НалУплИноРубОбщ=0.00 НалИсчислРФОбщ=90 "
        "НалЗачРФОбщ=0");
    row("foreign income all zero: no ДоходИстИно",
        decl(R"("incomeFlags": 3, "currencyIncomes": [{"incomeRate": 13, "incomeCode": 1010}])"),
        "Документ/НДФЛ3/СведДохВыч/ДоходИстИно", "-");

    const QByteArray business = decl(R"("taxpayerKind": 0, "incomeFlags": 5,
        "standardDeduction": {"granted": false}, "businessActivities": [
        {"activityKind": "1", "activityCode": "52.11", "income": "500000",
         "hasConfirmedExpenses": true, "expensesTotal": "300000", "materialExpenses": "100000"},
        {"activityKind": "2", "activityCode": "69.10", "income": "200000",
         "hasConfirmedExpenses": false, "unconfirmedExpenses": "0"},
        {"activityKind": "1", "income": "100", "hasConfirmedExpenses": false,
         "unconfirmedExpenses": "20"}],
        "isFarm": true, "farmFoundedDate": "2005-01-01", "farmExemptIncome": "15000")");
    row("business sheet without advance payments paid", business,
        "Документ/НДФЛ3/СведДохВыч/ДоходПредпр",
        "ДоходИт=700100.00 ВычПрофИт=300020.00 НачислАванИт=0");
    row("business parts, the farm last", business, "Документ/НДФЛ3/СведДохВыч/ДоходПредпр/*",
        "РасчВидДеят РасчВидДеят РасчВидДеят СведКФХ");
    row("confirmed expenses: only those filled", business,
        "Документ/НДФЛ3/СведДохВыч/ДоходПредпр/РасчВидДеят[1]",
        "КодВД=1 ОКВЭД=52.11 Доход=500000.00 РасхФакт=300000.00 РасхФМат=100000.00");
    row("notary has no ОКВЭД, zero norm left out", business,
        "Документ/НДФЛ3/СведДохВыч/ДоходПредпр/РасчВидДеят[2]", "КодВД=2 Доход=200000.00");
    row("expenses by norm", business, "Документ/НДФЛ3/СведДохВыч/ДоходПредпр/РасчВидДеят[3]",
        "КодВД=1 ОКВЭД=.. Доход=100.00 РасхПредНорм=20.00");
    row("farm founded 2005", business, "Документ/НДФЛ3/СведДохВыч/ДоходПредпр/СведКФХ",
        "ГодРегКФХ=2005 ДоходНеНал=15000.00");
    row("advance payments paid", decl(R"("incomeFlags": 5, "actualAdvancePayments": "5000",
                "accruedAdvancePayments": "7000", "businessActivities": [
                {"activityKind": "3", "income": "1000"}])"),
        "Документ/НДФЛ3/СведДохВыч/ДоходПредпр",
        "ДоходИт=1000.00 ВычПрофИт=0.00 НачислАванИт=7000 УплАванИт=5000");

    const QByteArray gift = decl(R"("standardDeduction": {"granted": false}, "thirteenSources": [
        {"sourceInn": "7707083893", "sourceKpp": "773601001", "sourceName": "Работодатель",
         "rows": [{"incomeCode": 2720, "amount": "10000", "deductionCode": 501,
                   "deductionAmount": "10000", "month": 2},
                  {"incomeCode": 2000, "amount": "50000", "month": 1}]}])");
    row("exempt sheet", gift, "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев",
        "ДохНеНалОбщ=4000.00 ДохНеНалОплСХ=0.00");
    row("only groups with an exempt part", gift, "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/*",
        "ПодарНП");
    row("gift cut to the row limit", gift, "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ПодарНП",
        "ДоходВсИст=10000.00 ДоходНеНал=4000.00");

    const QByteArray producer = decl(R"("standardDeduction": {"granted": false},
        "thirteenSources": [
        {"sourceInn": "7707083893", "sourceKpp": "773601001", "sourceName": "Колхоз",
         "rows": [{"incomeCode": 2791, "amount": "3000", "month": 3},
                  {"incomeCode": 2000, "amount": "20000", "month": 3}]},
        {"sourceInn": "500100732259", "sourceKpp": "", "sourceName": "Фермер",
         "rows": [{"incomeCode": 2791, "amount": "1000", "month": 12},
                  {"incomeCode": 2000, "amount": "9000", "month": 12}]}])");
    const char* oplSh = "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ДохОплСХ";
    row("pay in kind totals", producer, "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев",
        "ДохНеНалОбщ=4000.00 ДохНеНалОплСХ=4000.00");
    row("producer row: twelve months, then the source", producer,
        "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ДохОплСХ[1]/*",
        "СумДохМес СумДохМес СумДохМес СумДохМес СумДохМес СумДохМес СумДохМес СумДохМес "
        "СумДохМес СумДохМес СумДохМес СумДохМес СвОрг");
    row("producer row total", producer, oplSh, "ДоходНеНал=3000.00");
    row("January carries nothing in", producer,
        "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ДохОплСХ[1]/СумДохМес[1]",
        "Месяц=01 ОплТрудОбщ=0.00 ОплТрудНатур=0.00 ДоходНеНалМ=0.00 ДохНеНалПослед=0.00");
    row("month with pay in kind", producer,
        "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ДохОплСХ[1]/СумДохМес[3]",
        "Месяц=03 ОплТрудОбщ=23000.00 ОплТрудНатур=3000.00 ДохНеНалПред=0.00 "
        "ДоходНеНалМ=3000.00 ДохНеНалПослед=1300.00");
    row("December carries nothing out", producer,
        "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ДохОплСХ[1]/СумДохМес[12]",
        "Месяц=12 ОплТрудОбщ=0.00 ОплТрудНатур=0.00 ДохНеНалПред=1300.00 ДоходНеНалМ=0.00");
    row("producer organisation", producer,
        "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ДохОплСХ[1]/СвОрг",
        "ИННЮЛ=7707083893 КПП=773601001");
    row("producer person", producer, "Документ/НДФЛ3/СведДохВыч/ДоходОсвПрев/ДохОплСХ[2]/СвФЛ",
        "ИННФЛ=500100732259");

    const QByteArray prize13 = decl(R"("standardDeduction": {"granted": false},
        "thirteenSources": [
        {"sourceInn": "7707083893", "sourceKpp": "773601001", "sourceName": "ООО Реклама",
         "rows": [{"incomeCode": 2740, "amount": "5000", "deductionCode": 503,
                   "deductionAmount": "4500", "month": 4}]}])");
    row("prize exemption", prize13, "Документ/НДФЛ3/СведДохВыч/ДоходИгрПриз",
        "ДоходНеНалОбщ=4000.00");
    row("prize row", prize13, "Документ/НДФЛ3/СведДохВыч/ДоходИгрПриз/СвДоход",
        "Доход=5000.00 ДоходНеНал=4000.00");
    row("prize source", prize13, "Документ/НДФЛ3/СведДохВыч/ДоходИгрПриз/СвДоход/ИстЮЛ",
        "Наим=ООО РЕКЛАМА ИННЮЛ=7707083893 КПП=773601001");

    const QByteArray prof = decl(R"("standardDeduction": {"granted": false},
        "thirteenSources": [{"sourceName": "Заказчик", "rows": [
            {"incomeCode": 2010, "amount": "40000", "deductionCode": 403,
             "deductionAmount": "50000", "month": 5},
            {"incomeCode": 2201, "amount": "1000", "deductionCode": 404,
             "deductionAmount": "0", "month": 5}]}],
        "incomeFlags": 3, "currencyIncomes": [
        {"incomeRate": 13, "incomeCode": 2010, "deductionCode": 403, "deductionAmount": "300",
         "sourceName": "Client", "countryCode": "840", "currencyCode": "840",
         "rateOnIncomeDate": "1", "unitsOnIncomeDate": 1, "incomeInCurrency": "1000"}])");
    row("professional deductions: from 13 percent, then foreign", prof,
        "Документ/НДФЛ3/СведДохВыч/*", "ДоходИстРФ ДоходИстИно ВычПрофВозн ВычПрофВозн");
    row("deduction cut to the income", prof, "Документ/НДФЛ3/СведДохВыч/ВычПрофВозн[1]",
        "ПрИст=1 РасходОбщИт=40000.00");
    row("pair with zero deduction left out", prof, "Документ/НДФЛ3/СведДохВыч/ВычПрофВозн[1]/*",
        "РасхФактДогГПХ");
    row("pair attributes", prof, "Документ/НДФЛ3/СведДохВыч/ВычПрофВозн[1]/РасхФактДогГПХ",
        "СумДохДогГПХ=40000.00 СумРасхВыч=40000.00");
    row("foreign professional deduction", prof, "Документ/НДФЛ3/СведДохВыч/ВычПрофВозн[2]",
        "ПрИст=2 РасходОбщИт=300.00");
    Q_UNUSED(sheets);
}

void TestXmlStructure::deductionSheets_data() {
    columns();
    const char* emptySource = R"("thirteenSources": [{"sourceName": "Работодатель"}])";
    row("non-resident gets no ВычСтанд", decl(R"("formKind": 1,
        "thirteenNrSources": [{"sourceName": "Работодатель"}])"),
        "Документ/НДФЛ3/СведДохВыч/ВычСтанд", "-");
    const QByteArray standard = decl(emptySource);
    row("resident standard deduction", standard, "Документ/НДФЛ3/СведДохВыч/ВычСтанд",
        "ИтогВычСтанд=0");
    row("all twelve cumulative incomes even when zero", standard,
        "Документ/НДФЛ3/СведДохВыч/ВычСтанд/ДохМес",
        "ИтогЯнв=0.00 ИтогЯнвФевр=0.00 ИтогЯнвМарт=0.00 ИтогЯнвАпр=0.00 ИтогЯнвМай=0.00 "
        "ИтогЯнвИюн=0.00 ИтогЯнвИюл=0.00 ИтогЯнвАвг=0.00 ИтогЯнвСент=0.00 ИтогЯнвОкт=0.00 "
        "ИтогЯнвНояб=0.00 ИтогЯнвДек=0.00 КолМес40000=0 КолМес280000=0");
    row("empty calculation when no kind is positive", standard,
        "Документ/НДФЛ3/СведДохВыч/ВычСтанд/РасчВычСтанд", "");

    const QByteArray pensionOther = decl(R"("standardDeduction": {"granted": false},
        "socialDeduction": {"granted": true, "pensionContracts": [
        {"contractKind": 4, "orgName": "НПФ Надежный", "orgInn": "7707083893",
         "orgKpp": "773601001", "contractNumber": "П-1", "contractDate": "2011-02-01",
         "contributionPaid": "10000", "agentDeduction": "10000"}]})");
    row("social deduction total", pensionOther, "Документ/НДФЛ3/СведДохВыч/ВычСоциал",
        "ИтогВычСоциал=0.00");
    row("pension for another person alone still shows", pensionOther,
        "Документ/НДФЛ3/СведДохВыч/ВычСоциал/*", "РасчВычСоц219.2");
    row("limited group", pensionOther, "Документ/НДФЛ3/СведДохВыч/ВычСоциал/РасчВычСоц219.2",
        "СумПенсСтрахДр=10000.00 ИтогВычСоциал=0.00");
    row("non-resident gets no ВычСоциал", decl(R"("formKind": 1,
        "socialDeduction": {"granted": true, "treatment": "1000"})"),
        "Документ/НДФЛ3/СведДохВыч/ВычСоциал", "-");
    const QByteArray social = decl(R"("standardDeduction": {"granted": false},
        "socialDeduction": {"granted": true, "ownEducation": "20000", "treatment": "5000",
                            "expensiveTreatment": "70000"})");
    row("both social groups", social, "Документ/НДФЛ3/СведДохВыч/ВычСоциал/*",
        "РасчВычСоцБез219.2 РасчВычСоц219.2");
    row("unlimited group", social, "Документ/НДФЛ3/СведДохВыч/ВычСоциал/РасчВычСоцБез219.2",
        "СумЛечен=70000.00 ИтогВычСоциал=70000.00");
    row("limited group, only positive amounts", social,
        "Документ/НДФЛ3/СведДохВыч/ВычСоциал/РасчВычСоц219.2",
        "СумОбуч=20000.00 СумЛечен=5000.00 ИтогВычСоциал=25000.00");

    const QByteArray contracts = decl(R"("standardDeduction": {"granted": false},
        "socialDeduction": {"granted": true, "pensionContracts": [
        {"contractKind": 3, "orgName": "СК Жизнь", "orgInn": "7707083893",
         "orgKpp": "773601001", "contractNumber": "С-2", "contractDate": "2011-02-01",
         "contributionPaid": "8000"},
        {"contractKind": 1, "orgName": "НПФ Надежный", "orgInn": "7702070139",
         "orgKpp": "770201001", "contractNumber": "П-1", "contractDate": "2010-12-31",
         "contributionPaid": "6000", "agentDeduction": "7000"}]})");
    row("pension contract sheet", contracts, "Документ/НДФЛ3/СведДохВыч/ВычДогНПО_ДПС",
        "СумВычОбщ=6000.00");
    row("pension fund list before insurance list", contracts,
        "Документ/НДФЛ3/СведДохВыч/ВычДогНПО_ДПС/*", "РасчВычДогНПО РасчВычДогДПС");
    row("pension fund row", contracts,
        "Документ/НДФЛ3/СведДохВыч/ВычДогНПО_ДПС/РасчВычДогНПО/РасчСумПВВыч",
        "ПрДогНПО=1 ДатаДогНПО=31.12.2010 НомДогНПО=П-1 СумПВОбщПер=6000.00 СумПВВыч=6000.00 "
        "СумВычПВПерНА=6000.00");
    row("insurance row also carries ПрДогНПО", contracts,
        "Документ/НДФЛ3/СведДохВыч/ВычДогНПО_ДПС/РасчВычДогДПС/РасчСумСВВыч",
        "ПрДогНПО=1 ДатаДогДПС=01.02.2011 НомДогДПС=С-2 СумСВОбщПер=8000.00 СумСВВыч=8000.00 "
        "СумВычСВПерНА=0.00");
    row("insurance list total", contracts, "Документ/НДФЛ3/СведДохВыч/ВычДогНПО_ДПС/РасчВычДогДПС",
        "СумСВВычОбщ=8000.00");
    row("contract organisation", contracts,
        "Документ/НДФЛ3/СведДохВыч/ВычДогНПО_ДПС/РасчВычДогДПС/РасчСумСВВыч/СведИст",
        "Наим=СК ЖИЗНЬ ИННЮЛ=7707083893 КПП=773601001");

    const QByteArray oldLoss = decl(R"("standardDeduction": {"granted": false},
        "thirteenSources": [{"sourceName": "Брокер"}],
        "securitiesDeduction": {"prevSecuritiesLoss": "1000"})");
    // The loss of earlier years is carried on whole when there is nothing to set it
    // against, so the carried loss shows as well.
    row("loss of earlier years only", oldLoss, "Документ/НДФЛ3/СведДохВыч/ДохОперЦБ/*",
        "УбытПредПер УбытПрхПер");
    row("loss of earlier years", oldLoss, "Документ/НДФЛ3/СведДохВыч/ДохОперЦБ/УбытПредПер",
        "УбытОперЦБ=1000.00 УбытФинИнсСС=0.00");
    const QByteArray shares = decl(R"("standardDeduction": {"granted": false},
        "thirteenSources": [{"sourceName": "Брокер", "rows": [
            {"incomeCode": 1530, "amount": "100000", "deductionCode": 201,
             "deductionAmount": "120000", "month": 6}]}])");
    row("shares sold at a loss", shares, "Документ/НДФЛ3/СведДохВыч/ДохОперЦБ/*",
        "ДохОперЦБОрг УбытПрхПер ИтогСовОпер");
    row("traded securities group", shares, "Документ/НДФЛ3/СведДохВыч/ДохОперЦБ/ДохОперЦБОрг",
        "ДохСовОпер=100000.00 РасхСовОпер=120000.00 УбытРезСовОпер=20000.00 "
        "УбытУчРасчДох=0.00 УбытСовОперВыч=0.00 УбытОперЦБВыч=0.00 НалДохРезОпер=0.00");
    row("securities totals", shares, "Документ/НДФЛ3/СведДохВыч/ДохОперЦБ/ИтогСовОпер",
        "ОбщПолучДох=100000.00 ОбщНалогДох=0.00 РасхПрмВыч=100000.00");

    const char* object = "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх";
    const QByteArray investment = decl(R"("propertyDeduction": {"granted": true,
        "objectKind": 2, "ownershipKind": 1, "taxpayerSign": 1, "byInvestment": true,
        "actDate": "2010-05-20", "rightRegDate": "2011-01-15", "landRegDate": "2011-01-16",
        "firstUseYear": "2011-01-01", "shareNumerator": 1, "shareDenominator": 1,
        "objectRegionCode": "77", "objectCity": "Москва", "objectStreet": "ул. Тверская",
        "objectHouse": "1", "objectFlat": "10", "objectPostIndex": " "})");
    row("housing deduction parts", investment, "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/*",
        "СвОбъектРасх РасчИмущВыч");
    row("flat by investment: act date only", investment, object,
        "КодНаимОб=2 ВидСобствОб=1 ПризнакНП=1 ДатаАкт=20.05.2010 ДолСобств=1/1 "
        "ГодНачИспВыч=2011");
    row("object address", investment, "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх/АдрОбъект",
        "КодРегион=77 Город=МОСКВА Улица=УЛ. ТВЕРСКАЯ Дом=1 Кварт=10");
    const QByteArray land = decl(R"("propertyDeduction": {"granted": true,
        "objectKind": 5, "ownershipKind": 3, "taxpayerSign": 2, "byInvestment": false,
        "rightRegDate": "2011-01-15", "landRegDate": "2011-01-16",
        "applicationDate": "2011-03-01", "firstUseYear": "2011-01-01",
        "shareNumerator": 1, "shareDenominator": 2, "objectRegionCode": "5",
        "objectCost": "1000000"})");
    row("land by purchase, joint ownership", land, object,
        "КодНаимОб=5 ВидСобствОб=3 ПризнакНП=2 ДатаРегЖил=15.01.2011 ДатаРегЗем=16.01.2011 "
        "ДатаЗаявВыч=01.03.2011 ДолСобств=1/2 ГодНачИспВыч=2011 СумРасхФакт=1000000.00");
    row("object region 5 padded", land,
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх/АдрОбъект", "КодРегион=05");
    row("empty object region is 00",
        decl(R"("propertyDeduction": {"granted": true, "objectRegionCode": ""})"),
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх/АдрОбъект", "КодРегион=00");
    row("share of a house with land goes as kind 4",
        decl(R"("propertyDeduction": {"granted": true, "objectKind": 8})"),
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх@КодНаимОб", "4");
    row("house, no land date", decl(R"("propertyDeduction": {"granted": true, "objectKind": 4})"),
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх@ДатаРегЗем", "-");
    row("spouse's sole ownership: application date",
        decl(R"("propertyDeduction": {"granted": true, "ownershipKind": 1, "taxpayerSign": 2,
                "applicationDate": "2011-04-01"})"),
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх@ДатаЗаявВыч", "01.04.2011");
    row("owner's sole ownership: no application date",
        decl(R"("propertyDeduction": {"granted": true, "ownershipKind": 1, "taxpayerSign": 1,
                "applicationDate": "2011-04-01"})"),
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/СвОбъектРасх@ДатаЗаявВыч", "-");
    row("all fifteen amounts always", investment,
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов/РасчИмущВыч",
        "ВычНовЗачПред=0.00 ВычНовЗачПредНД=0.00 ВычНовЗачПредУп=0.00 ВычПроцЗачПред=0.00 "
        "ВычПроцЗачПредНД=0.00 ВычПроцЗачПредУп=0.00 ОстВычПршПред=0.00 ПроцПршПред=0.00 "
        "ВычНАУвед=0.00 ПроцНАУвед=0.00 НалБаз13БезВыч=0.00 РасхНовВычНД=0.00 ПроцВычНД=0.00 "
        "ОстВычПрхСлед=0.00 ПроцПрхСлед=0.00");
    row("non-resident gets no ВычИмущНов",
        decl(R"("formKind": 1, "propertyDeduction": {"granted": true, "objectKind": 2})"),
        "Документ/НДФЛ3/СведДохВыч/ВычИмущНов", "-");
}

void TestXmlStructure::paymentLines_data() {
    columns();
    row("no sheets still ends with a payment line", decl(), "Документ/НДФЛ3/ПодлУплВозв",
        "ПрУплВозв=3 КБК=18210102030011000110 ОКАТО=45293554000 ПодлУпл=0 ПодлВозв=0");
    const char* refund = R"("standardDeduction": {"granted": false}, "thirteenSources": [
        {"sourceInn": "7707083893", "sourceKpp": "773601001", "sourceName": "Работодатель",
         "sourceOkato": "45286560000", "taxableIncome": "100000", "taxComputed": "13000",
         "taxWithheld": "14234",
         "rows": [{"incomeCode": 2000, "amount": "100000", "month": 1}]}])";
    row("refund of 1234", decl(refund), "Документ/НДФЛ3/ПодлУплВозв",
        "ПрУплВозв=2 КБК=18210102010011000110 ОКАТО=45286560000 ПодлУпл=0 ПодлВозв=1234");
    row("payment lines come last", decl(refund), "Документ/НДФЛ3/*",
        "ИтогУплВозв СведДохВыч ПодлУплВозв");
    row("payable", decl(R"("standardDeduction": {"granted": false}, "thirteenSources": [
            {"sourceName": "Работодатель", "taxWithheld": "12000",
             "rows": [{"incomeCode": 2000, "amount": "100000", "month": 1}]}])"),
        "Документ/НДФЛ3/ПодлУплВозв",
        "ПрУплВозв=1 КБК=18210102030011000110 ОКАТО=45293554000 ПодлУпл=1000 ПодлВозв=0");
    row("one line per rate",
        decl((QByteArray(refund).chopped(1) + R"(, {"sourceName": "Х"}], "thirtyFiveSources": [)" +
              kSource35 + "]")
                 .constData()),
        "Документ/НДФЛ3/*", "ИтогУплВозв СведДохВыч ПодлУплВозв ПодлУплВозв");
}

QTEST_GUILESS_MAIN(TestXmlStructure)
#include "test_xml_structure.moc"
