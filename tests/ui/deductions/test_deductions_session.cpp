#include "DeductPageKit.h"
#include "TestKit.h"
#include "UiTestKit.h"
#include "export/DOMXML_unit.h"
#include "model/ProgrammDef.h"
#include "ui/DateEdit.h"
#include "ui/MaskedEdit.h"
#include "ui/TextConventions.h"
#include "ui/deductions/FormChildEduSum.h"
#include "ui/deductions/FormDif.h"
#include "ui/deductions/FormInputSoursePens.h"
#include "ui/deductions/FrameCB.h"
#include "ui/deductions/FrameConstructionDeduct.h"
#include "ui/deductions/FramePensDeduct.h"
#include "ui/deductions/FrameStandartDeduct.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

using Sub = TfrFrameDeductData;

namespace {

// The same declaration as the session below types, in the JSON form.
const char* const kJson = R"({
    "inspectionCode": "7701",
    "signDate": "2012-03-01",
    "autoCountSheets": false,
    "standardDeduction": {
        "personalCode": 110, "childMode": 103,
        "childrenConst": false,
        "childrenByMonth": [1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2],
        "combinationGiven": true, "monthCombination": [1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2],
        "singleParentGiven": true, "monthSingleParent": [0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1],
        "thirdConst": true, "thirdCount": 1
    },
    "socialDeduction": {
        "granted": true, "charity": "1000", "ownEducation": "50000", "treatment": "30000",
        "expensiveTreatment": "150000", "voluntaryInsurance": "12000",
        "extraPensionContributions": "6000.5", "childEducation": ["50000", "45000.5"],
        "pensionContracts": [
            { "contractKind": 1, "orgName": "НПФ Благосостояние", "orgInn": "7707083893",
              "orgKpp": "773601001", "contractNumber": "12/45", "contractDate": "2011-02-10",
              "contributionPaid": "20000", "contributionClaimed": "20000",
              "agentDeduction": "5000" },
            { "contractKind": 4, "orgName": "СК Надежда", "orgInn": "7702070139",
              "orgKpp": "770201001", "contractNumber": "Н-7", "contractDate": "2010-11-01",
              "contributionPaid": "8000", "contributionClaimed": "7000",
              "agentDeduction": "0" }
        ]
    },
    "propertyDeduction": {
        "granted": true, "objectKind": 2, "ownershipKind": 2, "taxpayerSign": 1,
        "objectPostIndex": "170000", "objectRegionCode": "69",
        "objectRegionName": "%REGION%", "objectCity": "Тверь",
        "objectStreet": "Ленина", "objectHouse": "5", "objectFlat": "12",
        "rightRegDate": "2010-05-20", "firstUseYear": "2010-01-01", "partValue": "1",
        "objectCost": "3000000", "prevDeclExpenses": "120000", "prevAgentExpenses": "30000",
        "interestPaid": "400000", "prevDeclInterest": "50000", "prevAgentInterest": "10000",
        "shareNumerator": 1, "shareDenominator": 2
    },
    "securitiesDeduction": { "prevSecuritiesLoss": "15000", "prevDerivativesLoss": "2500" }
})";

int regionRow(const QString& code) {
    const QList<CodeName>& rows = Regions();
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).code == code)
            return i;
    return -1;
}

void retype(TMaskedEdit* e, const char* text) {
    e->selectAll();
    QTest::keyClicks(e, text);
}

void chooseMonths(ScriptedDialogs& dialogs, std::array<int, 12> choices) {
    dialogs.then(accepting<TfmDifBase>([choices](TfmDifBase& d) {
        for (std::size_t m = 0; m < 12; ++m)
            d.months[m]->setCurrentIndex(choices[m]);
    }));
}

void contract(ScriptedDialogs& dialogs, const QString& name, const char* inn, const char* kpp,
              const QString& number, QDate date, const char* paid, const char* claimed,
              const char* agent, bool relativeInsurance) {
    dialogs.then(accepting<TfmInputSoursePens>([=](TfmInputSoursePens& c) {
        UiTestKit::typeText(c.meSourseName, name);
        QTest::keyClicks(c.meINN, inn);
        QTest::keyClicks(c.meKPP, kpp);
        UiTestKit::typeText(c.meNomDog, number);
        c.dtpDatDog->setDate(date);
        QTest::keyClicks(c.meVZSum, paid);
        QTest::keyClicks(c.meVichSum, claimed);
        QTest::keyClicks(c.meNA, agent);
        if (relativeInsurance)
            c.rbFam4->click();
    }));
}

// The paths of the values two JSON forms disagree on.
QStringList differences(const QJsonValue& a, const QJsonValue& b, const QString& path = {}) {
    if (a.isObject() && b.isObject()) {
        QStringList out;
        const QJsonObject oa = a.toObject(), ob = b.toObject();
        QStringList keys = oa.keys() + ob.keys();
        keys.removeDuplicates();
        for (const QString& k : keys)
            out += differences(oa.value(k), ob.value(k), path + QLatin1Char('.') + k);
        return out;
    }
    if (a == b)
        return {};
    return {path + QStringLiteral(": ") +
            QString::fromUtf8(QJsonDocument(QJsonArray{a}).toJson(QJsonDocument::Compact)) +
            QStringLiteral(" / ") +
            QString::fromUtf8(QJsonDocument(QJsonArray{b}).toJson(QJsonDocument::Compact))};
}

QString exportOf(const QString& file) {
    mTDeclaration d;
    d.LoadFromFile(file);
    XmlExportOptions options;
    options.today = QDate(2012, 3, 15);
    options.guid = QUuid(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
    return BuildDeclarationXml(QString(), d, ReturnText, options);
}

} // namespace

class TestDeductionsSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TextConventions::apply(); }

    // Every deduction typed through the widgets is saved exactly as the JSON
    // form builds it, and exported alike.
    void wholeSession() {
        DeductPage dp;
        ScriptedDialogs& dialogs = dp.p.dialogs;
        QVERIFY(QTest::qWaitForWindowActive(&dp.form()));

        auto* st = dp.sub<TfrFrameStandartDeduct>();
        chooseMonths(dialogs, {1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2});
        tick(st->rbQ);
        chooseMonths(dialogs, {0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        tick(st->rbQ2);
        tick(st->rows[0].constBox);
        for (int m = 0; m < 12; ++m)
            retype(st->rows[0].months[std::size_t(m)], m < 6 ? "1" : "2");
        st->rows[1].count->setFocus();
        QTest::keyClick(st->rows[1].count, Qt::Key_Up);

        auto* social = dp.go<TfrFramePensDeduct>(Sub::Social);
        QVERIFY(social);
        tick(social->chbGrantingSocDeduct);
        QTest::keyClicks(social->meCharitySum, "1000");
        QTest::keyClicks(social->meSelfEducationSum, "50000");
        QTest::keyClicks(social->meMedicalSum, "30000");
        QTest::keyClicks(social->meExpensiveMedicalSum, "150000");
        QTest::keyClicks(social->meStrahovka, "12000");
        QTest::keyClicks(social->meStrahovka2, "6000,50");
        for (const char* amount : {"50000", "45000.5"}) {
            dialogs.then(accepting<TfmChildEduSum>(
                [amount](TfmChildEduSum& c) { QTest::keyClicks(c.meChildEduSum, amount); }));
            QTest::mouseClick(social->fbAddSum, Qt::LeftButton);
        }
        contract(dialogs, QStringLiteral("НПФ Благосостояние"), "7707083893", "773601001",
                 QStringLiteral("12/45"), QDate(2011, 2, 10), "20000", "20000", "5000", false);
        QTest::mouseClick(social->fbAddPens, Qt::LeftButton);
        contract(dialogs, QStringLiteral("СК Надежда"), "7702070139", "770201001",
                 QStringLiteral("Н-7"), QDate(2010, 11, 1), "8000", "7000", "", true);
        QTest::mouseClick(social->fbAddPens, Qt::LeftButton);
        QCOMPARE(social->lvPensInfo->topLevelItemCount(), 2);

        auto* pr = dp.go<TfrConstructionDeduct>(Sub::Property);
        QVERIFY(pr);
        tick(pr->chbGrantingDeduct);
        pr->cbObjectNaim->setFocus();
        QTest::keyClick(pr->cbObjectNaim, Qt::Key_Down);
        QTest::keyClick(pr->cbObjectNaim, Qt::Key_Down);
        pr->cbVidSob->setFocus();
        QTest::keyClick(pr->cbVidSob, Qt::Key_Down);
        QTest::keyClick(pr->cbVidSob, Qt::Key_Down);
        pr->cbPrizNal->setFocus();
        QTest::keyClick(pr->cbPrizNal, Qt::Key_Down);
        QCOMPARE(pr->cbObjectNaim->currentText(), QStringLiteral("Квартира"));
        QVERIFY(!pr->dtpAppDate->isEnabled());
        QTest::keyClicks(pr->mePostIndex, "170000");
        dialogs.thenPick(regionRow(QStringLiteral("69")));
        QTest::mouseClick(pr->bnRegion, Qt::LeftButton);
        QCOMPARE(pr->pnlRegion->text(), QStringLiteral("69"));
        UiTestKit::typeText(pr->meCity, QStringLiteral("Тверь"));
        UiTestKit::typeText(pr->meStreet, QStringLiteral("Ленина"));
        QTest::keyClicks(pr->meHouse, "5");
        QTest::keyClicks(pr->meFlat, "12");
        pr->dtpRegRightDate->setDate(QDate(2010, 5, 20));
        pr->meBeginningUsePrivilegeDate->setFocus();
        QTest::keyClick(pr->meBeginningUsePrivilegeDate, Qt::Key_Down);
        retype(pr->meDol2, "2");
        QTest::mouseClick(pr->bnNext, Qt::LeftButton);
        QCOMPARE(pr->currentPane(), 1);
        QTest::keyClicks(pr->meObsch, "3000000");
        QTest::keyClicks(pr->mePostYears, "120000");
        QTest::keyClicks(pr->mePostYearsNA, "30000");
        QTest::keyClicks(pr->meobschip, "400000");
        QTest::keyClicks(pr->mePostYearsIp, "50000");
        QTest::keyClicks(pr->mePostYearsIpNA, "10000");

        auto* cb = dp.go<TfrCB>(Sub::Securities);
        QVERIFY(cb);
        QTest::keyClicks(cb->meCB, "15000");
        QTest::keyClicks(cb->meFinInstr, "2500");
        QVERIFY(dialogs.script.empty());
        QCOMPARE(dialogs.unexpected, QStringList());

        const QString saved = dp.p.folder.file(QStringLiteral("session.dc1"));
        dialogs.saveFile = saved;
        QVERIFY(dp.form().SaveAsDoc());

        QString json = QString::fromUtf8(kJson);
        json.replace(QStringLiteral("%REGION%"),
                     Regions().at(regionRow(QStringLiteral("69"))).name);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
        QVERIFY2(doc.isObject(), qPrintable(error.errorString()));
        mTDeclaration built;
        built.InitAsNewDocument(TDateTime::today());
        built.FromJson(doc.object());
        const QString builtFile = dp.p.folder.file(QStringLiteral("built.dc1"));
        built.SaveToFile(builtFile);

        mTDeclaration reread;
        reread.LoadFromFile(saved);
        mTDeclaration rebuilt;
        rebuilt.LoadFromFile(builtFile);
        const QStringList diff = differences(reread.ToJson(), rebuilt.ToJson());
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
        QCOMPARE(TestKit::readAll(saved), TestKit::readAll(builtFile));
        const QString xml = exportOf(saved);
        QVERIFY(xml != XmlExport::kErrorResult);
        QCOMPARE(xml, exportOf(builtFile));
    }

    void findingOpensItsSubPage_data() {
        QTest::addColumn<bool>("property");
        QTest::addColumn<QString>("message");
        QTest::newRow("property without a name")
            << true << QStringLiteral("Не введено наименование объекта");
        QTest::newRow("empty social grant")
            << false << QStringLiteral("Не введены данные по социальным налоговым вычетам");
    }
    // "Исправить" on a deduction finding of the whole-document check opens the
    // sub-page that holds the field and focuses it.
    void findingOpensItsSubPage() {
        QFETCH(bool, property);
        QFETCH(QString, message);
        Program p;
        const QString file =
            WindowTestKit::writeDocument(p.folder.file("doc.dc1"), [&](mTDeclaration& d) {
                WindowTestKit::makePassing(d);
                if (property) {
                    mTConstructionDeduct& c = d.propertyDeduction;
                    c.granted = 1;
                    c.ownershipKind = 1;
                    c.taxpayerSign = 1;
                    c.objectRegionCode = QStringLiteral("69");
                    c.objectPostIndex = QStringLiteral("170000");
                } else {
                    d.socialDeduction.granted = 1;
                }
            });
        TFormMain& f = p.start({file});
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        p.dialogs.thenCheck(TfmCheckAllError::Fix);
        QCOMPARE(f.RunDocumentCheck(), 1);
        QCOMPARE(p.dialogs.shown.size(), 1);
        QVERIFY2(p.dialogs.shown.first().endsWith(message), qPrintable(p.dialogs.shown.first()));
        auto* page = qobject_cast<TfrFrameDeductData*>(f.currentPage());
        QVERIFY(page);
        QVERIFY(f.pageButton(TPageId::Deduction)->isChecked());
        if (property) {
            auto* pr = qobject_cast<TfrConstructionDeduct*>(page->currentSubPage());
            QVERIFY(pr && page->fbConstructionDeduct->isChecked());
            QVERIFY(pr->cbObjectNaim->hasFocus());
        } else {
            auto* social = qobject_cast<TfrFramePensDeduct*>(page->currentSubPage());
            QVERIFY(social && page->fbPensDeduct->isChecked());
            QVERIFY(social->meCharitySum->hasFocus());
        }
    }
};

QTEST_MAIN(TestDeductionsSession)
#include "test_deductions_session.moc"
