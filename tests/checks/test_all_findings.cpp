#include "SampleDeclaration.h"
#include "ScriptedAsker.h"
#include "TestKit.h"
#include "checks/DocumentCheck.h"
#include "cli/CheckCommand.h"
#include "export/XmlReadBack.h"

#include <QTemporaryDir>
#include <QtTest>
#include <random>

namespace {

QString line(const CheckResult& r) {
    return FindingLine(r);
}

// A declaration with a little of everything, some of it wrong: each choice is
// a coin toss, so that the findings land in every group and in any mixture.
void randomDeclaration(mTDeclaration& d, std::mt19937& rng) {
    const auto coin = [&rng](int percent = 50) { return int(rng() % 100) < percent; };
    const auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    fillValid(d);
    d.formKind = quint8(pick(3));
    d.signerKind = quint8(pick(3));
    d.taxpayerKind = coin(20) ? 0 : 5;
    d.isPensioner = coin(20);
    if (coin(20))
        d.inspectionCode.clear();
    if (coin())
        d.representativeName = coin() ? QStringLiteral("  ") : QStringLiteral("Петров");
    if (coin())
        d.representativeDocument = QStringLiteral("Доверенность");
    if (coin())
        d.representativeOrgName = QStringLiteral("ООО Право");
    mTPersonInformation& p = d.person;
    if (coin(20))
        p.surname.clear();
    if (coin(20))
        p.firstName.clear();
    p.inn = QStringList{QString(), QStringLiteral("123"), QStringLiteral("123456789012"),
                        QStringLiteral("123456789047")}
                .at(pick(4));
    if (coin(30))
        p.birthPlace = QStringLiteral(" ");
    p.idDocKind = qint16(QList<int>{0, 10, 21, 7}.at(pick(4)));
    if (coin(20))
        p.idDocSeriesNumber.clear();
    p.idDocIssueDate = ymd(1977 + pick(30), 1 + pick(12), 1 + pick(28));
    if (coin(20))
        p.idDocIssuer.clear();
    if (coin(20))
        p.regionCode = 0;
    if (coin(20))
        p.street.clear();
    if (coin(20))
        p.okato = QStringLiteral("4528");
    d.SetIncomeFlags(quint8(pick(16)));

    for (int i = pick(4); i > 0; --i)
        addSource(d, m("1000"), coin(30) ? m("2000") : m("100"), !coin(30))
            .monthlyStdDeduction[std::size_t(pick(12))]
            .present = coin();
    for (int i = pick(4); i > 0; --i) {
        mTCurrencyIncome& c = d.currencyIncomes.Get(d.currencyIncomes.Add());
        c.currencyCode = coin(80) ? QStringLiteral("840") : QString();
        c.unitsOnIncomeDate = coin(80) ? 1 : 0;
        c.rateOnIncomeDate = coin(80) ? m("30.5") : Money();
        c.incomeCode = coin(80) ? (coin() ? 1530 : 1010) : 0;
        c.incomeInCurrency = coin(80) ? m("100") : Money();
        c.deductionCode = coin() ? 201 : 0;
        c.deductionAmount = coin() ? m("10") : Money();
    }
    for (int i = pick(4); i > 0; --i) {
        mTBusinessNew& b = d.businessActivities.Get(d.businessActivities.Add());
        b.hasConfirmedExpenses = coin(80);
        b.activityKind = QString::number(1 + pick(4));
        b.activityCode = coin() ? QStringLiteral("52.1") : QStringLiteral("52");
        b.labourExpenses = m("100");
        b.labourContractExpenses = coin(30) ? m("200") : m("50");
        b.otherExpenses = m("100");
        b.otherExpenseParts[std::size_t(pick(13))] = coin(30) ? m("150") : m("10");
        b.materialExpenses = m("100");
        b.expensesTotal = coin(30) ? m("100") : m("1000");
    }
    for (int i = pick(3); i > 0; --i) {
        auto& a = d.repetitIncomes.Get(d.repetitIncomes.Add()).repetitAmounts;
        for (std::size_t k = 1; k < a.size(); ++k)
            a[k] = coin(15) ? m("500") : m("1");
        a[1] = coin() ? m("1000") : m("2");
    }
    d.socialDeduction.granted = coin(30);
    if (coin())
        d.socialDeduction.charity = m("100");
    d.standardDeduction.granted = coin();
    d.standardDeduction.ownMonthlyData = coin(20);
    mTConstructionDeduct& h = d.propertyDeduction;
    h.granted = coin();
    h.objectKind = pick(3);
    h.ownershipKind = pick(3);
    h.taxpayerSign = pick(3);
    h.objectRegionCode = coin(20) ? QStringLiteral("0") : QStringLiteral("77");
    h.byInvestment = coin();
    h.actDate = ymd(2005 + pick(10), 5, 5);
    h.rightRegDate = ymd(2005 + pick(10), 5, 5);
    h.firstUseYear = ymd(2005 + pick(10), 1, 1);
    h.prevDeclExpenses = coin(30) ? m("1500000") : m("1000");
    h.carriedExpenses = coin(30) ? m("1500000") : m("0");
    h.shareNumerator = 1;
    h.shareDenominator = 1 + pick(2);
}

// The message the dialog pass shows first, as "Исправить" on it leaves the
// result; passed() when it shows none.
CheckResult firstShown(const mTDeclaration& d) {
    // Answering "Отмена" keeps the conditions group going; only the first
    // message matters here.
    ScriptedAsker asker;
    const CheckResult last = CheckWholeDocument(d, asker);
    if (asker.asked.isEmpty())
        return last;
    CheckResult first;
    first.targetField = 1; // any position: a message was shown
    first.message = asker.asked.first();
    first.caption = asker.titles.first().mid(QStringLiteral("Проверка: ").size());
    return first;
}

} // namespace

class TestAllFindings : public QObject {
    Q_OBJECT
private slots:
    void firstListedIsFirstShown();
    void everyGroupInOrder();
    void commandListsEvery_data();
    void commandListsEvery();
};

// Over the held test declarations and random ones: the list starts with the
// message the dialog shows first, is empty exactly when the dialog pass
// passes, and holds the finding the command-line check reports.
void TestAllFindings::firstListedIsFirstShown() {
    std::vector<std::unique_ptr<mTDeclaration>> declarations;
    for (const QString& name : {QStringLiteral("new_document"), QStringLiteral("resident_full"),
                                QStringLiteral("nonresident"), QStringLiteral("ndfl4")}) {
        declarations.push_back(ReadBack::declaration(
            TestKit::readAll(QStringLiteral(QARV_SOURCE_DIR "/tests/export/data/") + name +
                             QStringLiteral(".json"))));
    }
    declarations.push_back(std::make_unique<mTDeclaration>());
    fillValid(*declarations.back());
    std::mt19937 rng(2011);
    for (int i = 0; i < 200; ++i) {
        declarations.push_back(std::make_unique<mTDeclaration>());
        randomDeclaration(*declarations.back(), rng);
    }
    int withFindings = 0;
    for (std::size_t i = 0; i < declarations.size(); ++i) {
        const mTDeclaration& d = *declarations[i];
        const std::vector<CheckResult> all = AllFindings(d);
        const CheckResult shown = firstShown(d);
        const CheckResult reported = FirstFinding(d);
        const QByteArray where = "declaration " + QByteArray::number(qulonglong(i));
        QVERIFY2(all.empty() == shown.passed(), where);
        QVERIFY2(all.empty() == reported.passed(), where);
        if (all.empty())
            continue;
        ++withFindings;
        QVERIFY2(all.front().caption == shown.caption, where);
        QVERIFY2(all.front().message == shown.message, where);
        const bool listed = std::any_of(all.begin(), all.end(), [&](const CheckResult& f) {
            return line(f) == line(reported);
        });
        QVERIFY2(listed, where + ": " + line(reported).toUtf8());
        for (const CheckResult& f : all)
            QVERIFY2(f.targetField > 0 && !f.cancelled(), where);
    }
    // The random declarations must exercise the property, not pass vacuously.
    QVERIFY(withFindings > 150);
}

// Findings in five groups, each group's in its order, every list walked to
// its end, each with the page code and position "Исправить" gives.
void TestAllFindings::everyGroupInOrder() {
    mTDeclaration d;
    fillValid(d);
    d.inspectionCode.clear();
    d.signerKind = 1;
    d.person.surname.clear();
    d.person.firstName.clear();
    d.SetIncomeFlags(mTDeclaration::kFlagAgents | mTDeclaration::kFlagCurrency |
                     mTDeclaration::kFlagBusiness);
    d.thirteenSources.Get(0).taxWithheld = m("100001");
    addSource(d, m("5"), m("6"));
    addSource(d, Money(), Money(), false);
    for (int i = 0; i < 2; ++i) {
        mTCurrencyIncome& c = d.currencyIncomes.Get(d.currencyIncomes.Add());
        c.currencyCode = QStringLiteral("840");
        c.unitsOnIncomeDate = 1;
        c.rateOnIncomeDate = m("30");
        c.incomeCode = i == 0 ? 0 : 1010;
        c.incomeInCurrency = i == 0 ? m("1") : Money();
    }
    for (int i = 0; i < 2; ++i) {
        mTBusinessNew& b = d.businessActivities.Get(d.businessActivities.Add());
        b.activityKind = QStringLiteral("1");
        b.activityCode = QStringLiteral("52.11");
        b.hasConfirmedExpenses = i == 0;
    }
    d.propertyDeduction.granted = 1;
    d.propertyDeduction.objectKind = 1;
    d.propertyDeduction.ownershipKind = 1;
    d.propertyDeduction.taxpayerSign = 1;
    d.propertyDeduction.objectRegionCode = QStringLiteral("77");
    d.propertyDeduction.rightRegDate = ymd(2010, 1, 1);
    d.propertyDeduction.firstUseYear = ymd(2010, 1, 1);
    d.propertyDeduction.prevDeclExpenses = m("2000000.01");
    d.person.okato = QStringLiteral("45");

    QStringList lines;
    for (const CheckResult& f : AllFindings(d))
        lines << line(f);
    const QString conditions = QStringLiteral("1\t%1\tЗадание условий\t%2");
    const QString declarant = QStringLiteral("2\t%1\tСведения о декларанте\t%2");
    const QString thirteen = QStringLiteral("4\t%1\tДоходы, облагаемые ставкой 13%\t%2");
    const QString currency = QStringLiteral("7\t%1\tДоходы в валюте\t%2");
    const QString withheld =
        QStringLiteral("По данному источнику выплаты общая сумма дохода меньше удержанной суммы");
    const QStringList expected{
        conditions.arg(1).arg(QStringLiteral("Не введен номер инспекции")),
        conditions.arg(3).arg(QStringLiteral("Не указаны ФИО подписанта-представителя")),
        conditions.arg(4).arg(
            QStringLiteral("Не указан документ, подтверждающий полномочия представителя")),
        declarant.arg(1).arg(QStringLiteral("Не введена фамилия")),
        declarant.arg(2).arg(QStringLiteral("Не введено имя")),
        thirteen.arg(1).arg(withheld),
        thirteen.arg(2).arg(withheld),
        thirteen.arg(3).arg(QStringLiteral("По данному источнику не указаны доходы")),
        currency.arg(1).arg(QStringLiteral("По данному источнику выплаты не указан код дохода")),
        currency.arg(2).arg(QStringLiteral("По данному источнику выплаты не указана сумма дохода")),
        QStringLiteral("8\t2\tДоходы от предпринимательской деятельности\tНельзя одновременно "
                       "пользоваться и подтвержденными расходами и нормативом 20%."),
        QStringLiteral("10\t8\tИмущественный налоговый вычет\tВ предыдущие отчетные годы не могли "
                       "зачесть более 2000000 рублей"),
        QStringLiteral("10\t6\tИмущественный налоговый вычет\tПерейти с прошлого года может не "
                       "более 2000000 рублей * долю собственности (за вычетом уже зачтенных сумм)"),
        QStringLiteral(
            "3\t4\tСведения о декларанте\tНе введен код ОКАТО(11 симв.) по месту жительства"),
    };
    QCOMPARE(lines, expected);
}

void TestAllFindings::commandListsEvery_data() {
    QTest::addColumn<bool>("broken");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("lines");
    QTest::newRow("passing declaration") << false << 0 << 1;
    QTest::newRow("three findings") << true << 1 << 3;
}

void TestAllFindings::commandListsEvery() {
    QFETCH(bool, broken);
    QFETCH(int, exitCode);
    QFETCH(int, lines);
    QTemporaryDir dir;
    mTDeclaration d;
    fillValid(d);
    if (broken) {
        d.inspectionCode.clear();
        d.person.firstName.clear();
        d.person.okato.clear();
    }
    const QString file = dir.filePath(QStringLiteral("d.dc1"));
    d.SaveToFile(file);
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(RunCheckAll(file, o, e), exitCode);
    const QStringList got = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(got.size(), lines);
    if (broken) {
        QCOMPARE(got.first(), line(AllFindings(d).front()));
        QCOMPARE(got.last(), QStringLiteral("3\t4\tСведения о декларанте\t"
                                            "Не введен код ОКАТО(11 симв.) по месту жительства"));
    }
    QVERIFY(err.isEmpty());
}

QTEST_GUILESS_MAIN(TestAllFindings)
#include "test_all_findings.moc"
