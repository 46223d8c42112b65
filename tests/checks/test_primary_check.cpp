#include "ScriptedAsker.h"
#include "checks/PrimaryCheck.h"

#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(InnKind)
Q_DECLARE_METATYPE(InnOutcome)
Q_DECLARE_METATYPE(KppOutcome)

namespace {

const QString kTitle = QStringLiteral("Доходы, облагаемые по ставке 13%");
const QString kNoName = QStringLiteral("Не заполненно поле \"Наименование источника выплаты\"");
const QString kOkatoLong = QStringLiteral(
    "Не введен код ОКАТО (11 символов). (При продаже имущества физ.лицу - не нужен)");
const QString kOkatoShort = QStringLiteral("Не введен код ОКАТО (11 символов)");
const QString kBadDigits = QStringLiteral("Номер ИНН введен неверно");
const QString kNoKpp = QStringLiteral("Отсутствует КПП");
const QString kKppLength = QStringLiteral("Длинна КПП должна быть равна 9 цифрам");
const QString kEnterInn = QStringLiteral("Введите ИНН");
const QString kOrgInnLength = QStringLiteral("Длинна ИНН для юрлиц должна быть равна 10 цифрам");

QString skippable(const QString& message) {
    return message + QStringLiteral(" [S]");
}

// The published control rule, written independently of the check:
// weighted sum, modulo 11, modulo 10.
int controlDigit(const QString& digits, std::initializer_list<int> weights) {
    int sum = 0, i = 0;
    for (const int w : weights)
        sum += digits.at(i++).digitValue() * w;
    return sum % 11 % 10;
}

QString randomDigits(int n) {
    QString s;
    for (int i = 0; i < n; ++i)
        s += QChar(QLatin1Char(char('0' + QRandomGenerator::global()->bounded(10))));
    return s;
}

} // namespace

class TestPrimaryCheck : public QObject {
    Q_OBJECT
private slots:
    void checkInn_data();
    void checkInn();
    void innAgreesWithPublishedRule();
    void checkKpp_data();
    void checkKpp();
    void paymentSource_data();
    void paymentSource();
    void organisationSource_data();
    void organisationSource();
    void titleNamesTheCaller();
};

void TestPrimaryCheck::checkInn_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<InnKind>("kind");
    QTest::addColumn<InnOutcome>("outcome");
    const auto any = InnKind::AnyInn, org = InnKind::OrganisationInn, person = InnKind::PersonInn;
    QTest::newRow("ten digits valid") << "1234567894" << any << InnOutcome::Valid;
    QTest::newRow("ten digits valid as organisation") << "1234567894" << org << InnOutcome::Valid;
    QTest::newRow("ten digits wrong check digit") << "1234567890" << any << InnOutcome::WrongDigits;
    QTest::newRow("twelve digits valid") << "123456789047" << any << InnOutcome::Valid;
    QTest::newRow("twelve digits valid as person") << "123456789047" << person << InnOutcome::Valid;
    QTest::newRow("wrong twelfth digit") << "123456789048" << any << InnOutcome::WrongDigits;
    QTest::newRow("wrong eleventh digit") << "123456789057" << person << InnOutcome::WrongDigits;
    QTest::newRow("blanks around are trimmed") << " 1234567894 " << any << InnOutcome::Valid;
    QTest::newRow("ten digits as person")
        << "1234567894" << person << InnOutcome::WrongLengthPerson;
    QTest::newRow("twelve digits as organisation")
        << "123456789047" << org << InnOutcome::WrongLengthOrganisation;
    QTest::newRow("eleven digits as any") << "12345678904" << any << InnOutcome::WrongLengthAny;
    QTest::newRow("empty") << "" << any << InnOutcome::Empty;
    QTest::newRow("only blanks") << "   " << person << InnOutcome::Empty;
    QTest::newRow("remainder ten gives zero") << "0010000000" << any << InnOutcome::Valid;
    QTest::newRow("remainder eleven gives zero") << "0000000000" << any << InnOutcome::Valid;
    QTest::newRow("letter where the check digit is")
        << "123456789A" << any << InnOutcome::WrongDigits;
    QTest::newRow("letter among the digits") << "12345A7894" << org << InnOutcome::WrongDigits;
    QTest::newRow("non-ASCII digits")
        << QStringLiteral("١٢٣٤٥٦٧٨٩٤") << any << InnOutcome::WrongDigits;
}

void TestPrimaryCheck::checkInn() {
    QFETCH(QString, text);
    QFETCH(InnKind, kind);
    QFETCH(InnOutcome, outcome);
    QCOMPARE(CheckInn(text, kind), outcome);
}

void TestPrimaryCheck::innAgreesWithPublishedRule() {
    for (int round = 0; round < 2000; ++round) {
        QString ten = randomDigits(9);
        ten += QString::number(controlDigit(ten, {2, 4, 10, 3, 5, 9, 4, 6, 8}));
        QCOMPARE(CheckInn(ten, InnKind::OrganisationInn), InnOutcome::Valid);
        QString wrong = ten;
        wrong[9] = QChar(QLatin1Char(char('0' + (ten.at(9).digitValue() + 1) % 10)));
        QCOMPARE(CheckInn(wrong, InnKind::OrganisationInn), InnOutcome::WrongDigits);

        QString twelve = randomDigits(10);
        twelve += QString::number(controlDigit(twelve, {7, 2, 4, 10, 3, 5, 9, 4, 6, 8}));
        twelve += QString::number(controlDigit(twelve, {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8}));
        QCOMPARE(CheckInn(twelve, InnKind::PersonInn), InnOutcome::Valid);
        wrong = twelve;
        wrong[10] = QChar(QLatin1Char(char('0' + (twelve.at(10).digitValue() + 1) % 10)));
        QCOMPARE(CheckInn(wrong, InnKind::PersonInn), InnOutcome::WrongDigits);
    }
}

void TestPrimaryCheck::checkKpp_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<KppOutcome>("outcome");
    QTest::newRow("nine characters") << "770101001" << KppOutcome::Valid;
    QTest::newRow("characters are not checked") << "77AB0100X" << KppOutcome::Valid;
    QTest::newRow("blanks around are trimmed") << " 770101001 " << KppOutcome::Valid;
    QTest::newRow("empty") << "" << KppOutcome::Empty;
    QTest::newRow("only blanks") << "  " << KppOutcome::Empty;
    QTest::newRow("eight") << "77010100" << KppOutcome::WrongLength;
    QTest::newRow("ten") << "7701010010" << KppOutcome::WrongLength;
}

void TestPrimaryCheck::checkKpp() {
    QFETCH(QString, text);
    QFETCH(KppOutcome, outcome);
    QCOMPARE(CheckKpp(text), outcome);
}

namespace {

void addSourceColumns() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("okato");
    QTest::addColumn<QString>("kpp");
    QTest::addColumn<QString>("inn");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<int>("position");
}

// Runs check over one row of those columns: the position it returns and the
// messages it asked about.
template <typename Check> void runSourceRow(Check check) {
    QFETCH(QString, name);
    QFETCH(QString, okato);
    QFETCH(QString, kpp);
    QFETCH(QString, inn);
    QFETCH(QString, script);
    QFETCH(QStringList, asked);
    QFETCH(int, position);
    ScriptedAsker asker(script);
    QCOMPARE(check(asker, name, okato, kpp, inn), position);
    QCOMPARE(asker.asked, asked);
}

const char kName[] = "ООО Ромашка";
const char kOkato[] = "45286555000";
const char kKpp[] = "770101001";
const char kOrg[] = "1234567894";
const char kPerson[] = "123456789047";

} // namespace

void TestPrimaryCheck::paymentSource_data() {
    addSourceColumns();
    QTest::newRow("organisation complete")
        << kName << kOkato << kKpp << kOrg << "" << QStringList() << 0;
    QTest::newRow("no INN and no KPP is accepted") << kName << kOkato << ""
                                                   << ""
                                                   << "" << QStringList() << 0;
    QTest::newRow("person INN needs no KPP")
        << kName << kOkato << "" << kPerson << "" << QStringList() << 0;
    QTest::newRow("person INN with a KPP")
        << kName << kOkato << kKpp << kPerson << "" << QStringList{kOrgInnLength} << 2;
    QTest::newRow("KPP without INN") << kName << kOkato << kKpp << ""
                                     << "" << QStringList{kEnterInn} << 2;
    QTest::newRow("ten-digit INN without KPP cannot be skipped")
        << kName << kOkato << "" << kOrg << "" << QStringList{kNoKpp} << 3;
    QTest::newRow("short KPP") << kName << kOkato << "7701" << kOrg << "" << QStringList{kKppLength}
                               << 3;
    QTest::newRow("OKATO of ten characters")
        << kName << "4528655500" << kKpp << kOrg << "" << QStringList{skippable(kOkatoLong)} << 4;
    QTest::newRow("OKATO only its length counts")
        << kName << "abcdefghijk" << kKpp << kOrg << "" << QStringList() << 0;
    QTest::newRow("blank name, not skippable")
        << "   " << kOkato << kKpp << kOrg << "" << QStringList{kNoName} << 1;
    QTest::newRow("INN of wrong length, not skippable")
        << kName << kOkato << ""
        << "12345"
        << "" << QStringList{QStringLiteral("Длинна ИНН должна быть равна 10 или 12 цифрам")} << 2;
    QTest::newRow("wrong check digits can be skipped")
        << kName << kOkato << ""
        << "123456789048"
        << "S" << QStringList{skippable(kBadDigits)} << 0;
    QTest::newRow("fix ends the run") << kName << ""
                                      << ""
                                      << "1234567890"
                                      << "F" << QStringList{skippable(kOkatoLong)} << 4;
    QTest::newRow("skipped then fixed: the fix counts")
        << kName << "" << kKpp << "1234567890"
        << "SF" << QStringList{skippable(kOkatoLong), skippable(kBadDigits)} << 2;
    QTest::newRow("skipped twice gives 0")
        << kName << "" << kKpp << "1234567890"
        << "SS" << QStringList{skippable(kOkatoLong), skippable(kBadDigits)} << 0;
    // Once "Пропустить" is disabled it stays so for the rest of the run.
    QTest::newRow("all closed: skip stays disabled after the name")
        << ""
        << "" << kKpp << "1234567890"
        << "CCC" << QStringList{kNoName, kOkatoLong, kBadDigits} << 0;
    QTest::newRow("skip-all is an answer the check never offers")
        << kName << ""
        << ""
        << "1234567890"
        << "AF" << QStringList{skippable(kOkatoLong), skippable(kBadDigits)} << 2;
}

void TestPrimaryCheck::paymentSource() {
    runSourceRow([](CheckAsker& asker, const QString& name, const QString& okato,
                    const QString& kpp, const QString& inn) {
        return CheckPaymentSource(asker, kTitle, name, okato, kpp, inn);
    });
}

void TestPrimaryCheck::organisationSource_data() {
    addSourceColumns();
    QTest::newRow("complete") << kName << kOkato << kKpp << kOrg << "" << QStringList() << 0;
    QTest::newRow("pension dialog's fixed OKATO passes")
        << kName << "12345678901" << kKpp << kOrg << "" << QStringList() << 0;
    QTest::newRow("blank name") << " " << kOkato << kKpp << kOrg << "" << QStringList{kNoName} << 1;
    QTest::newRow("short OKATO has the short message")
        << kName << "123" << kKpp << kOrg << "" << QStringList{kOkatoShort} << 4;
    QTest::newRow("wrong check digits") << kName << kOkato << kKpp << "1234567890"
                                        << "" << QStringList{kBadDigits} << 2;
    QTest::newRow("missing KPP") << kName << kOkato << "" << kOrg << "" << QStringList{kNoKpp} << 3;
    QTest::newRow("long KPP") << kName << kOkato << "7701010011" << kOrg << ""
                              << QStringList{kKppLength} << 3;
    QTest::newRow("person INN, every message closed")
        << kName << kOkato << "" << kPerson << "CCC"
        << QStringList{QStringLiteral("Длинна ИНН должна быть равна 10 цифрам"), kNoKpp,
                       kOrgInnLength}
        << 0;
    QTest::newRow("no INN, every message closed") << kName << kOkato << ""
                                                  << ""
                                                  << "CC" << QStringList{kNoKpp, kEnterInn} << 0;
    QTest::newRow("no INN, closed then fixed") << kName << kOkato << ""
                                               << ""
                                               << "CF" << QStringList{kNoKpp, kEnterInn} << 2;
}

void TestPrimaryCheck::organisationSource() {
    runSourceRow([](CheckAsker& asker, const QString& name, const QString& okato,
                    const QString& kpp, const QString& inn) {
        return CheckOrganisationSource(asker, QStringLiteral("Пенсионные договоры"), name, okato,
                                       kpp, inn);
    });
}

void TestPrimaryCheck::titleNamesTheCaller() {
    ScriptedAsker asker(QStringLiteral("SF"));
    CheckPaymentSource(asker, QStringLiteral("Доходы, облагаемые по ставке 35%"), kName, "", kKpp,
                       "1234567890");
    QCOMPARE(asker.titles,
             QStringList(2, QStringLiteral("Проверка: Доходы, облагаемые по ставке 35%")));
}

QTEST_GUILESS_MAIN(TestPrimaryCheck)
#include "test_primary_check.moc"
