#include "CalcTestKit.h"
#include "TestKit.h"
#include "cli/CalcCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace kit;

namespace {

// An entrepreneur who is also employed, with foreign income, a prize, dividends
// and standard and social deductions.
std::unique_ptr<mTDeclaration> Entrepreneur() {
    auto d = std::make_unique<mTDeclaration>();
    d->person.okato = kOwn;
    d->taxpayerKind = 0;
    mTThirteenPercent& employer = AddThirteen(*d, kX, "78000", {});
    employer.stdDeductionsHere = 1;
    for (qint16 m = 1; m <= 12; ++m)
        employer.AddRow(Row(2000, "50000", m));
    AddBusiness(*d, "300000", "100000");
    d->actualAdvancePayments = M("20000");
    AddCurrency(*d, 13, 1010, "100000", "10000");
    AddThirtyFive(*d, 2740, "10000", "2100", 1, "4000", kY);
    AddDividends(*d, "20000", "20000", "1800", "1800", kZ);
    mTStandartDeduct& sd = d->standardDeduction;
    sd.granted = 1;
    sd.personalCode = 103;
    sd.childMode = 101;
    sd.childrenConst = 1;
    sd.childrenCount = 1;
    sd.thirdCount = sd.disabledCount = 0;
    mTSocialDeduct& social = d->socialDeduction;
    social.granted = 1;
    social.treatment = M("40000");
    social.charity = M("10000");
    return d;
}

// Every part the calculation reads, with the values that once tempted it to
// write back: a child's education above its limit, a zero share denominator.
std::unique_ptr<mTDeclaration> Everything() {
    auto d = Entrepreneur();
    d->SetIncomeFlags(0x0f);
    mTRepetitNew& r = d->repetitIncomes.Get(d->repetitIncomes.Add());
    r.repetitAmounts[0] = M("1000");
    AddThirteen(*d, kY, "0", {Row(2791, "3000", 3), Row(1530, "100", 4, 201, "500")});
    AddThirtyFive(*d, 2620, "5000", "1750", 0, "0", kZ);
    d->socialDeduction.AddChildEducation(M("60000"));
    d->socialDeduction.AddChildEducation(M("40000"));
    mTPens& p = d->socialDeduction.GetPensionContract(d->socialDeduction.AddPensionContract());
    p.contractKind = 3;
    p.contributionPaid = M("20000");
    p.agentDeduction = M("25000");
    mTConstructionDeduct& h = d->propertyDeduction;
    h.granted = 1;
    h.objectCost = M("3000000");
    h.shareNumerator = 1;
    h.shareDenominator = 0;
    d->securitiesDeduction.prevSecuritiesLoss = M("700");
    AddPayment(*d, BudgetCode::kPayable13b, "100");
    return d;
}

QByteArray SavedBytes(const mTDeclaration& d, const QString& file) {
    d.SaveToFile(file);
    return TestKit::readAll(file);
}

} // namespace

class TestCalcWhole : public QObject {
    Q_OBJECT
private slots:
    void entrepreneurWithEverySheet();
    void nonResident();
    void calculationLeavesDeclarationUnchanged();
    void cliPrintsEveryResultObject();
    void cliRefusesABadFile();
};

void TestCalcWhole::entrepreneurWithEverySheet() {
    const auto d = Entrepreneur();
    const auto sum = Calc(*d);
    // Standard: above 40000 from January, above 280000 from June: 5 child months.
    QCOMPARE(sum->prilE1.ИтогВычСтанд, M("5000"));
    QCOMPARE(sum->prilE2.ИтогВычСоциал, M("50000"));
    QCOMPARE(sum->prilB13.НалЗачРФОбщ, M("10000"));
    const kTSvodSumList1& s13 = sum->list1;
    QCOMPARE(s13.ДоходОбщ, M("1000000"));
    QCOMPARE(s13.РасхВычОбщ, M("155000"));
    QCOMPARE(s13.НалБаза, M("845000"));
    QCOMPARE(s13.Исчисл, M("109850"));
    QCOMPARE(s13.УплФактАв, M("20000"));
    QCOMPARE(s13.УплИно, M("10000"));
    QCOMPARE(s13.ПодлУпл, M("1850"));
    QCOMPARE(sum->list3.НалБаза, M("6000"));
    QCOMPARE(sum->list3.Исчисл, M("2100"));
    QCOMPARE(sum->list4.Исчисл, M("1800"));
    QCOMPARE(sum->okato13, kX);
    QCOMPARE(sum->okato35, kY);
    QCOMPARE(sum->okato9, kZ);
    QCOMPARE(Lines(*sum), (QStringList{Line(BudgetCode::kBusiness, kOwn, "1", "1850"),
                                       Line(BudgetCode::kPayable, kOwn, "3", "0"),
                                       Line(BudgetCode::kPayable, kOwn, "3", "0")}));
}

void TestCalcWhole::nonResident() {
    mTDeclaration d;
    d.person.okato = kOwn;
    d.formKind = 1;
    AddThirteen(d, kX, "20000", {Row(2000, "100000")}, true);
    AddThirteen(d, kY, "20000", {Row(2000, "50000")}, false);
    AddDividends(d, "12000", "10000", "0", "1000", kZ);
    d.standardDeduction.granted = 1;
    d.socialDeduction.granted = 1;
    d.socialDeduction.treatment = M("50000");
    const auto sum = Calc(d);
    QCOMPARE(sum->list1.Исчисл, M("13000"));
    QCOMPARE(sum->list1.ПодлВозв, M("7000"));
    QCOMPARE(sum->list2.Исчисл, M("15000"));
    QCOMPARE(sum->list2.ПодлВозв, M("5000"));
    QCOMPARE(sum->list5.Исчисл, M("1500"));
    QCOMPARE(sum->list5.ПодлУпл, M("500"));
    QCOMPARE(sum->prilE1.ИтогВычСтанд + sum->prilE2.ИтогВычСоциал, M("0"));
    QCOMPARE(Lines(*sum), (QStringList{Line(BudgetCode::kRefund, kX, "2", "7000"),
                                       Line(BudgetCode::kRefund, kX, "2", "5000"),
                                       Line(BudgetCode::kPayable, kOwn, "1", "500")}));
}

void TestCalcWhole::calculationLeavesDeclarationUnchanged() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto d = Everything();
    const QJsonObject before = d->ToJson();
    const QByteArray bytesBefore = SavedBytes(*d, dir.filePath(QStringLiteral("before.dc1")));
    const auto sum = Calc(*d);
    QCOMPARE(sum->prilE2.РасчВычСоцБез219_2.СумОбуч, M("90000"));
    QCOMPARE(sum->prilZ.share, 1.0);
    QCOMPARE(d->ToJson(), before);
    QCOMPARE(SavedBytes(*d, dir.filePath(QStringLiteral("after.dc1"))), bytesBefore);

    // The same through the file: load, compute, save, compare bytes.
    mTDeclaration loaded;
    loaded.LoadFromFile(dir.filePath(QStringLiteral("before.dc1")));
    const auto fromFile = Calc(loaded);
    QCOMPARE(fromFile->ToJson().toJson(), sum->ToJson().toJson());
    QCOMPARE(SavedBytes(loaded, dir.filePath(QStringLiteral("again.dc1"))), bytesBefore);
}

void TestCalcWhole::cliPrintsEveryResultObject() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("decl.dc1"));
    Entrepreneur()->SaveToFile(file);
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    QCOMPARE(RunCalc(file, out, err), 0);
    QVERIFY(errText.isEmpty());
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(outText.toUtf8(), &parseError);
    QCOMPARE(parseError.error, QJsonParseError::NoError);
    const QJsonObject root = doc.object();
    for (const char* name :
         {"kTSvodSumList1", "kTSvodSumList5", "kTSvodSumPrilA13", "kTSvodSumPrilB",
          "kTSvodSumPrilE1", "kTSvodSumPrilJ", "kTSvodSumPrilZ"})
        QVERIFY2(root.value(QLatin1String(name)).isObject(), name);
    const QJsonObject s13 = root.value(QStringLiteral("kTSvodSumList1")).toObject();
    QCOMPARE(s13.value(QStringLiteral("Исчисл")).toString(), QStringLiteral("109850"));
    QCOMPARE(s13.value(QStringLiteral("ПодлУпл")).toString(), QStringLiteral("1850"));
    const QJsonObject e1 = root.value(QStringLiteral("kTSvodSumPrilE1")).toObject();
    QCOMPARE(e1.value(QStringLiteral("ВычСтандРеб")).toString(), QStringLiteral("5000"));
    QCOMPARE(e1.value(QStringLiteral("ИтогЯнвДек")).toString(), QStringLiteral("600000"));
    QCOMPARE(e1.value(QStringLiteral("КолМес280000")).toInt(), 5);
    const QJsonObject b13 = root.value(QStringLiteral("kTSvodSumPrilB"))
                                .toObject()
                                .value(QStringLiteral("13"))
                                .toObject();
    QCOMPARE(b13.value(QStringLiteral("НалЗачРФОбщ")).toString(), QStringLiteral("10000"));
    const QJsonArray lines = root.value(QStringLiteral("kTSvodSumList6")).toArray();
    QCOMPARE(lines.size(), 3);
    const QJsonObject first = lines.at(0).toObject();
    QCOMPARE(first.value(QStringLiteral("ПрУплВозв")).toString(), QStringLiteral("1"));
    QCOMPARE(first.value(QStringLiteral("КБК")).toString(), BudgetCode::kBusiness);
    QCOMPARE(first.value(QStringLiteral("ОКАТО")).toString(), kOwn);
    QCOMPARE(first.value(QStringLiteral("ПодлУпл")).toString(), QStringLiteral("1850"));
    QCOMPARE(first.value(QStringLiteral("ПодлВозв")).toString(), QStringLiteral("0"));
    QCOMPARE(root.value(QStringLiteral("okato35")).toString(), kY);
    // Keys keep the order of the form.
    QVERIFY(outText.indexOf(QStringLiteral("\"ДоходОбщ\"")) <
            outText.indexOf(QStringLiteral("\"ПодлУпл\"")));
}

void TestCalcWhole::cliRefusesABadFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bad.dc1"));
    TestKit::writeAll(file, QByteArray(200, 'x'));
    for (const QString& name : {file, dir.filePath(QStringLiteral("missing.dc1"))}) {
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(RunCalc(name, out, err), 2);
        QVERIFY(outText.isEmpty());
        QVERIFY(!errText.trimmed().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCalcWhole)
#include "test_calc_whole.moc"
