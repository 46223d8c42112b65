#include "SampleDeclaration.h"
#include "ScriptedAsker.h"
#include "checks/DocumentCheck.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

#include <QtTest>
#include <functional>
#include <limits>

using Mutate = std::function<void(mTDeclaration&)>;
Q_DECLARE_METATYPE(Mutate)

namespace {

mTCurrencyIncome& addCurrency(mTDeclaration& d) {
    mTCurrencyIncome& c = d.currencyIncomes.Get(d.currencyIncomes.Add());
    c.currencyCode = QStringLiteral("840");
    c.unitsOnIncomeDate = 1;
    c.rateOnIncomeDate = m("30.5");
    c.incomeCode = 1010;
    c.incomeInCurrency = m("100");
    return c;
}

mTBusinessNew& addActivity(mTDeclaration& d) {
    mTBusinessNew& b = d.businessActivities.Get(d.businessActivities.Add());
    b.activityKind = QStringLiteral("1");
    b.activityCode = QStringLiteral("01.11");
    b.hasConfirmedExpenses = 1;
    b.expensesTotal = m("1000");
    b.materialExpenses = m("300");
    b.depreciation = m("100");
    b.labourExpenses = m("400");
    b.labourContractExpenses = m("200");
    b.otherExpenses = m("200");
    return b;
}

// Amount n of a private-practice activity, counted from 1.
Money& repetit(mTDeclaration& d, int n) {
    return d.repetitIncomes.Get(0).repetitAmounts[std::size_t(n - 1)];
}

void addRepetit(mTDeclaration& d) {
    d.repetitIncomes.Add();
    repetit(d, 2) = m("1000");
    repetit(d, 3) = m("300");
    repetit(d, 4) = m("100");
    repetit(d, 5) = m("100");
    repetit(d, 6) = m("100");
    repetit(d, 7) = m("400");
    repetit(d, 8) = m("200");
    repetit(d, 9) = m("200");
}

void grantProperty(mTDeclaration& d) {
    mTConstructionDeduct& p = d.propertyDeduction;
    p.granted = 1;
    p.objectKind = 2;
    p.ownershipKind = 1;
    p.taxpayerSign = 1;
    p.objectRegionCode = QStringLiteral("77");
    p.rightRegDate = ymd(2011, 3, 1);
    p.firstUseYear = ymd(2011, 1, 1);
    p.shareNumerator = 1;
    p.shareDenominator = 1;
}

void setFlags(mTDeclaration& d, quint8 extra) {
    d.SetIncomeFlags(d.incomeFlags() | extra);
}

const QString kConditions = QStringLiteral("Задание условий");
const QString kDeclarant = QStringLiteral("Сведения о декларанте");
const QString kThirteen = QStringLiteral("Доходы, облагаемые ставкой 13%");
const QString kCurrency = QStringLiteral("Доходы в валюте");
const QString kBusiness = QStringLiteral("Доходы от предпринимательской деятельности");
const QString kRepetit = QStringLiteral("Доходы от частной практики");
const QString kProperty = QStringLiteral("Имущественный налоговый вычет");

const QString kNoInspection = QStringLiteral("Не введен номер инспекции");
const QString kNoRepName = QStringLiteral("Не указаны ФИО подписанта-представителя");
const QString kNoRepDoc =
    QStringLiteral("Не указан документ, подтверждающий полномочия представителя");
const QString kNoRepOrg = QStringLiteral("Не указано наименование Юр.лица-представителя");
const QString kBusinessInn = QStringLiteral(
    "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН");
const QString kFourteen =
    QStringLiteral("Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет");
const QString kTaxAbove =
    QStringLiteral("По данному источнику выплаты общая сумма дохода меньше удержанной суммы");
const QString kNoRows = QStringLiteral("По данному источнику не указаны доходы");
const QString kNoRate = QStringLiteral("По данному источнику выплаты не указан курс валюты");
const QString kNoDeduction = QStringLiteral("По данному источнику выплаты не указана сумма вычета");
const QString kMixedExpenses = QStringLiteral(
    "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.");
const QString kCarry = QStringLiteral("Перейти с прошлого года может не более 2000000 рублей * "
                                      "долю собственности (за вычетом уже зачтенных сумм)");

} // namespace

class TestDocumentCheck : public QObject {
    Q_OBJECT
private slots:
    void newDeclaration();
    void findings_data();
    void findings();
};

void TestDocumentCheck::newDeclaration() {
    mTDeclaration d;
    d.InitAsNewDocument(ymd(2012, 1, 10));
    ScriptedAsker asker;
    const CheckResult r = CheckWholeDocument(d, asker);
    QCOMPARE(asker.asked, QStringList{kNoInspection});
    QCOMPARE(asker.titles, QStringList{QStringLiteral("Проверка: Задание условий")});
    QCOMPARE(r.targetPage, quint16(1));
    QCOMPARE(r.targetField, qint16(1));
}

void TestDocumentCheck::findings_data() {
    QTest::addColumn<Mutate>("mutate");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("caption"); // of the last message
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("field");

    const auto row = [](const char* name, Mutate mutate, const char* script, QStringList asked,
                        const QString& caption, int page, int field) {
        QTest::newRow(name) << mutate << QString::fromLatin1(script) << asked << caption << page
                            << field;
    };
    const auto passes = [&row](const char* name, Mutate mutate) {
        row(name, mutate, "", {}, QString(), 0, 0);
    };
    // One message answered "Исправить".
    const auto finds = [&row](const char* name, Mutate mutate, const QString& message,
                              const QString& caption, int page, int field) {
        row(name, mutate, "F", {message}, caption, page, field);
    };

    passes("valid declaration", [](mTDeclaration&) {});

    // Conditions: only "Исправить" ends the group.
    finds(
        "no inspection code", [](mTDeclaration& d) { d.inspectionCode.clear(); }, kNoInspection,
        kConditions, 1, 1);
    row(
        "cancelled, the next condition still asks",
        [](mTDeclaration& d) {
            d.inspectionCode.clear();
            d.signerKind = 1;
            d.representativeDocument = QStringLiteral("Доверенность");
        },
        "CF", {kNoInspection, kNoRepName}, kConditions, 1, 3);
    row(
        "every condition cancelled",
        [](mTDeclaration& d) {
            d.inspectionCode.clear();
            d.signerKind = 2;
        },
        "CCCC", {kNoInspection, kNoRepName, kNoRepDoc, kNoRepOrg}, kConditions, 1, -1);
    row(
        "fix ends the conditions",
        [](mTDeclaration& d) {
            d.inspectionCode.clear();
            d.signerKind = 2;
        },
        "F", {kNoInspection}, kConditions, 1, 1);
    row(
        "blank representative name, cancelled, then organisation fixed",
        [](mTDeclaration& d) {
            d.signerKind = 2;
            d.representativeName = QStringLiteral("  ");
            d.representativeDocument = QStringLiteral("Доверенность");
        },
        "CF", {kNoRepName, kNoRepOrg}, kConditions, 1, 5);
    row(
        "cancelled conditions stop the pass",
        [](mTDeclaration& d) {
            d.inspectionCode.clear();
            d.person.surname.clear();
        },
        "C", {kNoInspection}, kConditions, 1, -1);
    row(
        "skip in the document dialog counts as cancel",
        [](mTDeclaration& d) { d.inspectionCode.clear(); }, "A", {kNoInspection}, kConditions, 1,
        -1);
    passes("representative person needs no organisation", [](mTDeclaration& d) {
        d.signerKind = 1;
        d.representativeName = QStringLiteral("Петров П.П.");
        d.representativeDocument = QStringLiteral("Доверенность");
    });

    // Declarant: name and identity document.
    finds(
        "no surname", [](mTDeclaration& d) { d.person.surname.clear(); },
        QStringLiteral("Не введена фамилия"), kDeclarant, 2, 1);
    finds(
        "no first name", [](mTDeclaration& d) { d.person.firstName.clear(); },
        QStringLiteral("Не введено имя"), kDeclarant, 2, 2);
    finds(
        "organisation INN for a person",
        [](mTDeclaration& d) { d.person.inn = QStringLiteral("1234567894"); },
        QStringLiteral("Длинна ИНН должна быть равна 12 цифрам"), kDeclarant, 2, 4);
    finds(
        "INN with a wrong check digit",
        [](mTDeclaration& d) { d.person.inn = QStringLiteral("123456789048"); },
        QStringLiteral("Номер ИНН введен неверно"), kDeclarant, 2, 4);
    passes("no INN for another person without business",
           [](mTDeclaration& d) { d.person.inn.clear(); });
    finds(
        "no INN for an entrepreneur",
        [](mTDeclaration& d) {
            d.person.inn.clear();
            d.taxpayerKind = 0;
        },
        kBusinessInn, kDeclarant, 2, 4);
    finds(
        "no INN with business income",
        [](mTDeclaration& d) {
            d.person.inn.clear();
            setFlags(d, mTDeclaration::kFlagBusiness);
            addActivity(d);
        },
        kBusinessInn, kDeclarant, 2, 4);
    finds(
        "no INN in 4-NDFL",
        [](mTDeclaration& d) {
            d.person.inn.clear();
            d.formKind = 2;
        },
        QStringLiteral("Не указан ИНН"), kDeclarant, 2, 4);
    finds(
        "no INN and no birth place",
        [](mTDeclaration& d) {
            d.person.inn.clear();
            d.person.birthPlace = QStringLiteral(" ");
        },
        QStringLiteral("Не указано место рождения"), kDeclarant, 2, 9);
    finds(
        "no INN and no document kind",
        [](mTDeclaration& d) {
            d.person.inn.clear();
            d.person.idDocKind = 0;
        },
        QStringLiteral("Не указан документ, удостоверяющий личность"), kDeclarant, 2, 5);
    passes("valid INN needs neither birth place nor document", [](mTDeclaration& d) {
        d.person.birthPlace.clear();
        d.person.idDocKind = 0;
        d.person.idDocSeriesNumber.clear();
        d.person.idDocIssuer.clear();
    });
    finds(
        "no document number", [](mTDeclaration& d) { d.person.idDocSeriesNumber.clear(); },
        QStringLiteral("Не указаны серия и номер документа, удостоверяющего личность"), kDeclarant,
        2, 6);
    finds(
        "no issuer", [](mTDeclaration& d) { d.person.idDocIssuer.clear(); },
        QStringLiteral("Не указано, кем выдан документ, удостоверяющий личность"), kDeclarant, 2,
        8);
    finds(
        "issued before birth",
        [](mTDeclaration& d) { d.person.idDocIssueDate = d.person.birthDate - 1; },
        QStringLiteral("Дата выдачи документа не может быть меньше даты рождения"), kDeclarant, 2,
        7);
    passes("born 29 February, issued 28 February fourteen years on", [](mTDeclaration& d) {
        d.person.birthDate = ymd(1996, 2, 29);
        d.person.idDocIssueDate = ymd(2010, 2, 28);
    });
    finds(
        "born 29 February, issued a day before",
        [](mTDeclaration& d) {
            d.person.birthDate = ymd(1996, 2, 29);
            d.person.idDocIssueDate = ymd(2010, 2, 27);
        },
        kFourteen, kDeclarant, 2, 7);
    passes("kind 24 issued on the fourteenth birthday", [](mTDeclaration& d) {
        d.person.idDocKind = 24;
        d.person.birthDate = ymd(1990, 6, 15);
        d.person.idDocIssueDate = ymd(2004, 6, 15);
    });
    finds(
        "kind 7 issued at thirteen",
        [](mTDeclaration& d) {
            d.person.idDocKind = 7;
            d.person.birthDate = ymd(1990, 6, 15);
            d.person.idDocIssueDate = ymd(2003, 6, 15);
        },
        kFourteen, kDeclarant, 2, 7);
    passes("kind 10 issued the day after birth", [](mTDeclaration& d) {
        d.person.idDocKind = 10;
        d.person.idDocIssueDate = d.person.birthDate + 1;
    });
    finds(
        "4-NDFL reports a short OKATO on the name page",
        [](mTDeclaration& d) {
            d.formKind = 2;
            d.person.regionCode = 0;
            d.person.street.clear();
            d.person.okato = QStringLiteral("4528655500");
        },
        QStringLiteral("Не введен код ОКАТО (11 символов)"), kDeclarant, 2, 10);
    passes("4-NDFL asks for no address", [](mTDeclaration& d) {
        d.formKind = 2;
        d.person.regionCode = 0;
        d.person.street.clear();
    });

    // Declarant: place of residence.
    finds(
        "no region", [](mTDeclaration& d) { d.person.regionCode = 0; },
        QStringLiteral("Не указан регион постоянного местожительства"), kDeclarant, 3, 2);
    finds(
        "no locality and no street", [](mTDeclaration& d) { d.person.street.clear(); },
        QStringLiteral("Не указан населенный пункт (село, поселок) или улица (проспект, переулок)"),
        kDeclarant, 3, 5);
    passes("locality without street", [](mTDeclaration& d) {
        d.person.street.clear();
        d.person.locality = QStringLiteral("Поселок");
    });
    finds(
        "short OKATO of residence",
        [](mTDeclaration& d) { d.person.okato = QStringLiteral("4528655500"); },
        QStringLiteral("Не введен код ОКАТО(11 симв.) по месту жительства"), kDeclarant, 3, 4);
    finds(
        "OKATO of blanks", [](mTDeclaration& d) { d.person.okato = QString(11, QLatin1Char(' ')); },
        QStringLiteral("Не введен код ОКАТО(11 симв.) по месту жительства"), kDeclarant, 3, 4);

    // Income at 13 %: two messages can follow each other.
    finds(
        "tax withheld above income",
        [](mTDeclaration& d) {
            addSource(d, m("1000"), m("130"));
            addSource(d, m("1000"), m("1000.0001"));
        },
        kTaxAbove, kThirteen, 4, 3);
    passes("tax equal to income", [](mTDeclaration& d) { addSource(d, m("1000"), m("1000")); });
    finds(
        "source without income rows",
        [](mTDeclaration& d) { addSource(d, Money(), Money(), false); }, kNoRows, kThirteen, 4, 2);
    const Mutate twoFindings = [](mTDeclaration& d) {
        d.thirteenSources.Get(0).taxWithheld = m("100000.01");
        addSource(d, Money(), Money(), false);
    };
    row("two messages, both fixed", twoFindings, "FF", {kTaxAbove, kNoRows}, kThirteen, 4, 2);
    row("two messages, second cancelled", twoFindings, "FC", {kTaxAbove, kNoRows}, kThirteen, 4,
        -1);
    row("two messages, first cancelled", twoFindings, "CF", {kTaxAbove, kNoRows}, kThirteen, 4, 2);
    passes("non-resident sources are not checked", [](mTDeclaration& d) {
        d.thirteenNrSources.Get(d.thirteenNrSources.Add()).taxWithheld = m("5");
    });

    // Foreign currency.
    const auto currency = [](std::function<void(mTCurrencyIncome&)> change) -> Mutate {
        return [change](mTDeclaration& d) {
            setFlags(d, mTDeclaration::kFlagCurrency);
            change(addCurrency(d));
        };
    };
    passes("valid currency income", currency([](mTCurrencyIncome&) {}));
    finds("no currency code", currency([](mTCurrencyIncome& c) { c.currencyCode.clear(); }),
          QStringLiteral("По данному источнику выплаты не указан код валюты"), kCurrency, 7, 1);
    finds("no units", currency([](mTCurrencyIncome& c) { c.unitsOnIncomeDate = 0; }), kNoRate,
          kCurrency, 7, 1);
    finds("no rate", currency([](mTCurrencyIncome& c) { c.rateOnIncomeDate = Money(); }), kNoRate,
          kCurrency, 7, 1);
    finds("no income code", currency([](mTCurrencyIncome& c) { c.incomeCode = 0; }),
          QStringLiteral("По данному источнику выплаты не указан код дохода"), kCurrency, 7, 1);
    finds("no income amount", currency([](mTCurrencyIncome& c) { c.incomeInCurrency = Money(); }),
          QStringLiteral("По данному источнику выплаты не указана сумма дохода"), kCurrency, 7, 1);
    finds("deduction code without amount",
          currency([](mTCurrencyIncome& c) { c.deductionCode = 601; }), kNoDeduction, kCurrency, 7,
          1);
    passes("income 1530 needs no deduction amount", currency([](mTCurrencyIncome& c) {
               c.incomeCode = 1530;
               c.deductionCode = 201;
           }));
    finds(
        "loops run one after another",
        [](mTDeclaration& d) {
            setFlags(d, mTDeclaration::kFlagCurrency);
            addCurrency(d).rateOnIncomeDate = Money();
            addCurrency(d).currencyCode.clear();
        },
        QStringLiteral("По данному источнику выплаты не указан код валюты"), kCurrency, 7, 2);

    // Business.
    const auto business = [](std::function<void(mTBusinessNew&)> change) -> Mutate {
        return [change](mTDeclaration& d) {
            setFlags(d, mTDeclaration::kFlagBusiness);
            change(addActivity(d));
        };
    };
    passes("valid activity", business([](mTBusinessNew&) {}));
    finds(
        "confirmed expenses and the 20 % norm",
        [](mTDeclaration& d) {
            setFlags(d, mTDeclaration::kFlagBusiness);
            addActivity(d);
            addActivity(d);
            addActivity(d).hasConfirmedExpenses = 0;
        },
        kMixedExpenses, kBusiness, 8, 3);
    finds(
        "the first activity's choice counts",
        [](mTDeclaration& d) {
            setFlags(d, mTDeclaration::kFlagBusiness);
            addActivity(d).hasConfirmedExpenses = 0;
            addActivity(d);
        },
        kMixedExpenses, kBusiness, 8, 2);
    finds("activity code too short",
          business([](mTBusinessNew& b) { b.activityCode = QStringLiteral(" 01. "); }),
          QStringLiteral("Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку"),
          kBusiness, 8, 1);
    passes("code of a notary is not checked", business([](mTBusinessNew& b) {
               b.activityKind = QStringLiteral("2");
               b.activityCode = QStringLiteral("..");
           }));
    finds("labour contracts above labour", business([](mTBusinessNew& b) {
              b.labourExpenses = m("100");
              b.labourContractExpenses = m("150.5");
          }),
          QStringLiteral("Расходы по оплате трудовых договоров(150,5) превышают сумму расходов на "
                         "оплату труда (100)"),
          kBusiness, 8, 1);
    finds("parts of other expenses above them", business([](mTBusinessNew& b) {
              b.otherExpenses = m("10");
              b.otherExpenseParts[0] = m("10.25");
              b.otherExpenseParts[12] = m("2");
          }),
          QStringLiteral("Сумма прочих расходов (10) меньше суммы ее составляющих (12,25)"),
          kBusiness, 8, 1);
    finds("expenses above their total",
          business([](mTBusinessNew& b) { b.expensesTotal = m("999.99"); }),
          QStringLiteral("Общие расходы (999,99) меньше суммы расходов материальных, на оплату "
                         "труда, прочих и амортизационных отчислений (1000)"),
          kBusiness, 8, 1);
    passes("unconfirmed expenses are not compared", business([](mTBusinessNew& b) {
               b.hasConfirmedExpenses = 0;
               b.labourExpenses = Money();
               b.expensesTotal = Money();
           }));
    finds("huge amounts do not wrap around", business([](mTBusinessNew& b) {
              b.otherExpenses = m("100");
              for (Money& part : b.otherExpenseParts)
                  part = Money::fromRaw(std::numeric_limits<qint64>::max() / 4);
          }),
          QStringLiteral("Сумма прочих расходов (100) меньше суммы ее составляющих "
                         "(922337203685477,5807)"),
          kBusiness, 8, 1);

    // Private practice: no page, but "Исправить" still stops the command.
    const auto practice = [](std::function<void(mTDeclaration&)> change) -> Mutate {
        return [change](mTDeclaration& d) {
            setFlags(d, mTDeclaration::kFlagRepetit);
            addRepetit(d);
            change(d);
        };
    };
    passes("valid private practice", practice([](mTDeclaration&) {}));
    finds("practice: labour contracts above labour",
          practice([](mTDeclaration& d) { repetit(d, 7) = m("100"); }),
          QStringLiteral("Расходы по оплате трудовых договоров(200) превышают сумму расходов на "
                         "оплату труда (100)"),
          kRepetit, 11, 1);
    finds("practice: material parts above material",
          practice([](mTDeclaration& d) { repetit(d, 4) = m("250"); }),
          QStringLiteral("Сумма материальных расходов меньше (300) суммы расходов на энергию и "
                         "неамортизируемое имущество(350)"),
          kRepetit, 11, 1);
    finds(
        "practice: parts of other expenses above them", practice([](mTDeclaration& d) {
            repetit(d, 10) = m("150");
            repetit(d, 21) = m("60.5");
        }),
        QStringLiteral("Сумма прочих расходов (200) не совпадает с суммой ее составляющих (210,5)"),
        kRepetit, 11, 1);
    finds("practice: expenses above their total",
          practice([](mTDeclaration& d) { repetit(d, 2) = m("999"); }),
          QStringLiteral("Общие расходы (999) не совпадают с суммой расходов материальных, на "
                         "оплату труда, прочих и амортизационных отчислений (1000)"),
          kRepetit, 11, 1);

    // Social and standard deductions.
    finds(
        "social deduction without data", [](mTDeclaration& d) { d.socialDeduction.granted = 1; },
        QStringLiteral("Не введены данные по социальным налоговым вычетам"),
        QStringLiteral("Социальные вычеты"), 9, 1);
    passes("social deduction with a child's education", [](mTDeclaration& d) {
        d.socialDeduction.granted = 1;
        d.socialDeduction.AddChildEducation(m("1000"));
    });
    passes("social deduction with a pension contract", [](mTDeclaration& d) {
        d.socialDeduction.granted = 1;
        d.socialDeduction.AddPensionContract();
    });
    passes("no income: deductions are not checked", [](mTDeclaration& d) {
        d.SetIncomeFlags(0);
        d.socialDeduction.granted = 1;
        d.propertyDeduction.granted = 1;
    });
    const auto sameMonthTwice = [](mTDeclaration& d) {
        d.thirteenSources.Get(0).SetMonthValue(2, m("400"));
        addSource(d, m("1000"), m("130")).SetMonthValue(2, m("400"));
    };
    finds("standard deductions at two employers in one month", sameMonthTwice,
          QStringLiteral(
              "Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО."),
          QStringLiteral("Стандартные вычеты"), 9, 2);
    passes("standard deductions at two employers in different months", [](mTDeclaration& d) {
        d.thirteenSources.Get(0).SetMonthValue(2, m("400"));
        addSource(d, m("1000"), m("130")).SetMonthValue(3, m("400"));
    });
    passes("own monthly data: months not compared", [sameMonthTwice](mTDeclaration& d) {
        sameMonthTwice(d);
        d.standardDeduction.ownMonthlyData = 1;
    });
    passes("standard deductions not claimed", [sameMonthTwice](mTDeclaration& d) {
        sameMonthTwice(d);
        d.standardDeduction.granted = 0;
    });
    passes("with business income months are not compared", [sameMonthTwice](mTDeclaration& d) {
        sameMonthTwice(d);
        setFlags(d, mTDeclaration::kFlagBusiness);
        addActivity(d);
    });

    // Property deduction.
    const auto property = [](std::function<void(mTConstructionDeduct&)> change,
                             bool pensioner = false) -> Mutate {
        return [change, pensioner](mTDeclaration& d) {
            grantProperty(d);
            d.isPensioner = pensioner;
            change(d.propertyDeduction);
        };
    };
    using P = mTConstructionDeduct;
    passes("valid property deduction", property([](P&) {}));
    finds("no object", property([](P& p) { p.objectKind = 0; }),
          QStringLiteral("Не введено наименование объекта"), kProperty, 10, 1);
    finds("no kind of ownership", property([](P& p) { p.ownershipKind = 0; }),
          QStringLiteral("Не введен вид собственности"), kProperty, 10, 10);
    finds("no taxpayer sign", property([](P& p) { p.taxpayerSign = 0; }),
          QStringLiteral("Не введен признак налогоплательщика"), kProperty, 10, 11);
    finds("region code 0", property([](P& p) { p.objectRegionCode = QStringLiteral("0"); }),
          QStringLiteral("Не указан код региона"), kProperty, 10, 12);
    finds("first use before registration", property([](P& p) { p.firstUseYear = ymd(2010, 1, 1); }),
          QStringLiteral("Год начала пользования льготой меньше даты регистрации прав "
                         "собственности"),
          kProperty, 10, 5);
    finds("first use before the act of transfer", property([](P& p) {
              p.byInvestment = 1;
              p.actDate = ymd(2011, 5, 1);
              p.firstUseYear = ymd(2010, 1, 1);
          }),
          QStringLiteral("Год начала пользования льготой меньше даты акта о передаче"), kProperty,
          10, 5);
    passes("investment: the act's year counts, not the registration's", property([](P& p) {
               p.byInvestment = 1;
               p.actDate = ymd(2011, 5, 1);
               p.rightRegDate = ymd(2012, 5, 1);
           }));
    passes("pensioner may start before registration",
           property([](P& p) { p.firstUseYear = ymd(2010, 1, 1); }, true));
    passes("registration before 2009 may start earlier", property([](P& p) {
               p.rightRegDate = ymd(2008, 6, 1);
               p.firstUseYear = ymd(2007, 1, 1);
           }));
    passes("2008: one and a half million in previous years", property([](P& p) {
               p.rightRegDate = ymd(2008, 6, 1);
               p.firstUseYear = ymd(2008, 1, 1);
               p.prevDeclExpenses = m("1500000");
           }));
    finds("2007: more than a million in previous years", property([](P& p) {
              p.rightRegDate = ymd(2007, 6, 1);
              p.firstUseYear = ymd(2007, 1, 1);
              p.prevDeclExpenses = m("1500000");
          }),
          QStringLiteral("В предыдущие отчетные годы не могли зачесть более 1000000 рублей"),
          kProperty, 10, 8);
    finds("2011: more than two million in previous years",
          property([](P& p) { p.prevDeclExpenses = m("2000000.01"); }),
          QStringLiteral("В предыдущие отчетные годы не могли зачесть более 2000000 рублей"),
          kProperty, 10, 8);
    const auto halfShare2014 = [](P& p) {
        p.rightRegDate = ymd(2014, 2, 1);
        p.firstUseYear = ymd(2014, 1, 1);
        p.shareDenominator = 2;
        p.carriedExpenses = m("1000000");
        p.prevDeclExpenses = m("500000");
    };
    passes("pensioner from 2014: the share counts as whole", property(halfShare2014, true));
    finds("half share: carried sums above the limit", property(halfShare2014), kCarry, kProperty,
          10, 6);
    passes("third share: limit rounded to kopecks", property([](P& p) {
               p.shareDenominator = 3;
               p.carriedExpenses = m("666666.67");
           }));
    finds("third share: a kopeck above the limit", property([](P& p) {
              p.shareDenominator = 3;
              p.carriedExpenses = m("666666.6701");
          }),
          kCarry, kProperty, 10, 6);
    passes("zero share of a hand-made file means the whole object", property([](P& p) {
               p.shareNumerator = 0;
               p.shareDenominator = 0;
               p.carriedExpenses = m("1500000");
           }));
    finds("zero numerator over a real denominator", property([](P& p) {
              p.shareNumerator = 0;
              p.shareDenominator = 2;
              p.carriedExpenses = m("0.01");
          }),
          kCarry, kProperty, 10, 6);
    passes("huge share does not wrap around", property([](P& p) {
               p.shareNumerator = std::numeric_limits<qint32>::max();
               p.carriedExpenses = m("1500000");
           }));
}

void TestDocumentCheck::findings() {
    QFETCH(Mutate, mutate);
    QFETCH(QString, script);
    QFETCH(QStringList, asked);
    QFETCH(QString, caption);
    QFETCH(int, page);
    QFETCH(int, field);

    mTDeclaration d;
    fillValid(d);
    mutate(d);
    const QJsonObject before = d.ToJson();
    ScriptedAsker asker(script);
    const CheckResult r = CheckWholeDocument(d, asker);

    QCOMPARE(asker.asked, asked);
    if (!asked.isEmpty())
        QCOMPARE(asker.titles.last(), QStringLiteral("Проверка: ") + caption);
    QCOMPARE(r.caption, caption);
    QCOMPARE(int(r.targetPage), page);
    QCOMPARE(int(r.targetField), field);
    QCOMPARE(r.message, asked.isEmpty() ? QString() : asked.last());
    // The check only reads.
    QCOMPARE(d.ToJson(), before);
}

QTEST_GUILESS_MAIN(TestDocumentCheck)
#include "test_document_check.moc"
