#include "TestKit.h"
#include "model/DeductionClasses.h"
#include "model/JsonIO.h"
#include "storage/DateTime.h"
#include "storage/StgClasses.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace TestKit;

namespace {

using SaveFn = std::function<void(mTDocumentStorage&)>;
using LoadFn = std::function<void(mTDocumentStorage&)>;

QByteArray months(int first) {
    QByteArray out;
    for (int i = 0; i < 12; ++i)
        out += frame(QByteArray::number(first + i));
    return out;
}

std::array<qint32, 12> monthValues(int first) {
    std::array<qint32, 12> a{};
    for (int i = 0; i < 12; ++i)
        a[std::size_t(i)] = first + i;
    return a;
}

QString pretty(const QJsonObject& o) {
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}

mTStandartDeduct fullStandard() {
    mTStandartDeduct d;
    d.personalCode = 110;
    d.childMode = 103;
    d.childrenConst = 0;
    d.childrenByMonth = monthValues(1);
    d.disabledConst = 0;
    d.disabledByMonth = monthValues(20);
    d.ownMonthlyData = 1;
    for (int i = 0; i < 12; ++i) {
        d.monthIncome[std::size_t(i)] = Money::fromRaw(100000 * (i + 1) + 5000);
        d.monthExpense[std::size_t(i)] = Money::fromRaw(1234 * i);
        d.monthTicked[std::size_t(i)] = quint8(i % 2);
    }
    d.combinationGiven = 1;
    d.monthCombination = {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2};
    d.singleParentGiven = 1;
    d.monthSingleParent = {0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1};
    d.thirdConst = 0;
    d.thirdByMonth = monthValues(40);
    return d;
}

mTPens samplePens(int n) {
    mTPens p;
    p.contractKind = 1 + n % 4;
    p.orgName = QStringLiteral("НПФ «Благосостояние» №%1").arg(n);
    p.orgInn = QStringLiteral("77012345%1").arg(n, 2, 10, QLatin1Char('0'));
    p.orgKpp = QStringLiteral("770101001");
    p.contractNumber = QStringLiteral("Д-%1/2011").arg(n);
    p.contractDate = TDateTime::fromYmd(2010, 3, 1 + n);
    p.contributionPaid = Money::fromRaw(120000000 + n);
    p.contributionClaimed = Money::fromRoubles(12000);
    p.agentDeduction = Money::fromRaw(-5000);
    return p;
}

void addContract(mTSocialDeduct& d, const mTPens& p) {
    d.GetPensionContract(d.AddPensionContract()) = p;
}

mTSocialDeduct fullSocial() {
    mTSocialDeduct d;
    d.granted = 1;
    d.charity = Money::fromRaw(15000);
    d.ownEducation = Money::fromRoubles(50000);
    d.AddChildEducation(Money::fromRoubles(1000));
    d.AddChildEducation(Money::fromRaw(20000001));
    d.treatment = Money::fromRaw(7);
    d.expensiveTreatment = Money::fromRoubles(300000);
    d.voluntaryInsurance = Money::fromRaw(-10000);
    d.extraPensionContributions = Money::fromRoubles(999999999);
    for (int i = 0; i < 3; ++i)
        addContract(d, samplePens(i));
    return d;
}

mTConstructionDeduct fullProperty() {
    mTConstructionDeduct d;
    d.granted = 1;
    d.objectKind = 2;
    d.ownershipKind = 3;
    d.taxpayerSign = 1;
    d.objectPostIndex = QStringLiteral("125009");
    d.objectRegionCode = QStringLiteral("07");
    d.objectRegionName = QStringLiteral("Кабардино-Балкарская Республика");
    d.objectDistrict = QStringLiteral("Эльбрусский р-н");
    d.objectCity = QStringLiteral("Тырныауз");
    d.objectLocality = QStringLiteral("пос. Ёлкино");
    d.objectStreet = QStringLiteral("ул. Мира \"Новая\"");
    d.objectHouse = QStringLiteral("12а");
    d.objectBuilding = QStringLiteral("корп. 2");
    d.objectFlat = QString();
    d.rightRegDate = TDateTime::fromYmd(2011, 5, 17);
    d.landRegDate = TDateTime::fromYmd(2011, 6, 1);
    d.actDate = TDateTime::fromYmd(2010, 12, 31);
    d.applicationDate = TDateTime::fromYmd(2012, 2, 29);
    d.firstUseYear = TDateTime::fromYmd(2011, 1, 1);
    Money* amounts[] = {&d.carriedExpenses,   &d.carriedInterest, &d.prevDeclExpenses,
                        &d.prevDeclInterest,  &d.partValue,       &d.prevAgentExpenses,
                        &d.prevAgentInterest, &d.objectCost,      &d.interestPaid,
                        &d.agentExpenses,     &d.agentInterest};
    qint64 raw = 12345;
    for (Money* m : amounts)
        *m = Money::fromRaw(raw *= 7);
    d.shareNumerator = 1;
    d.shareDenominator = 3;
    d.byInvestment = 1;
    return d;
}

mTCBDeduct fullSecurities() {
    mTCBDeduct d;
    d.prevSecuritiesLoss = Money::fromRaw(123456789);
    d.prevDerivativesLoss = Money::fromRaw(-1);
    return d;
}

} // namespace

class TestDeductionClasses : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int files_ = 0;
    qint64 lastWritten_ = -1;

    QString nextFile() { return dir_.filePath(QStringLiteral("d%1.dc1").arg(++files_)); }

    // Writes through a real file sized to the announced byte count and returns the
    // bytes behind the header; the load runs over a read-only loader of that file.
    QByteArray throughFile(qint64 size, const SaveFn& save, const LoadFn& load) {
        const QString name = nextFile();
        const Written w = writeDocument(name, size, save);
        lastWritten_ = w.position - mTDocumentStorage::kHeaderSize;
        readDocument(name, load);
        return w.bytes.mid(mTDocumentStorage::kHeaderSize);
    }

    // Loads from a file holding exactly the given content behind a 1.2 header.
    void loadRaw(const QByteArray& content, const LoadFn& load) {
        const QString name = nextFile();
        writeAll(name, header() + content);
        readDocument(name, load);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void defaults() {
        const mTStandartDeduct st;
        QCOMPARE(st.granted, quint8(1));
        QCOMPARE(st.personalCode, 103);
        QCOMPARE(st.childMode, 101);
        QCOMPARE(st.childrenConst, quint8(1));
        QCOMPARE(st.disabledConst, quint8(1));
        QCOMPARE(st.thirdConst, quint8(1));
        QCOMPARE(st.ownMonthlyData + st.combinationGiven + st.singleParentGiven, 0);
        const mTSocialDeduct so;
        QCOMPARE(so.granted, quint8(0));
        QCOMPARE(so.ChildEducationCount() + so.PensionContractCount(), 0);
        const mTConstructionDeduct pr;
        QCOMPARE(pr.granted, quint8(0));
        QCOMPARE(TDateTime::toDate(pr.rightRegDate), QDate(2003, 1, 1));
        QCOMPARE(TDateTime::toDate(pr.actDate), QDate(2003, 1, 1));
        QCOMPARE(TDateTime::toDate(pr.firstUseYear), QDate(2003, 1, 1));
        QCOMPARE(pr.landRegDate, 0.0);
        QCOMPARE(pr.applicationDate, 0.0);
    }

    // Every field survives a real file, and the announced size is what was written.
    void fileRoundTrip_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("variant");
        QTest::newRow("standard defaults") << "standard" << 0;
        QTest::newRow("standard everything monthly") << "standard" << 1;
        QTest::newRow("social off") << "social" << 0;
        QTest::newRow("social with payments and contracts") << "social" << 1;
        QTest::newRow("social on, nothing listed") << "social" << 2;
        QTest::newRow("property off") << "property" << 0;
        QTest::newRow("property with Cyrillic address") << "property" << 1;
        QTest::newRow("securities zero") << "securities" << 0;
        QTest::newRow("securities losses") << "securities" << 1;
    }
    void fileRoundTrip() {
        QFETCH(QString, kind);
        QFETCH(int, variant);
        QJsonObject before, after;
        QByteArray written;
        qint64 size = 0;
        auto run = [&](const auto& d, auto back) {
            size = d.StorageSize();
            written = throughFile(
                size, [&](auto& s) { d.SaveToStorage(s); },
                [&](auto& s) { back.LoadFromStorage(s); });
            before = d.ToJson();
            after = back.ToJson();
        };
        if (kind == "standard") {
            mTStandartDeduct back;
            back.granted = 0; // loading must not depend on what was there
            run(variant ? fullStandard() : mTStandartDeduct(), std::move(back));
        } else if (kind == "social") {
            mTSocialDeduct d = variant == 1 ? fullSocial() : mTSocialDeduct();
            if (variant == 2)
                d.granted = 1;
            run(d, mTSocialDeduct());
        } else if (kind == "property") {
            run(variant ? fullProperty() : mTConstructionDeduct(), mTConstructionDeduct());
        } else {
            run(variant ? fullSecurities() : mTCBDeduct(), mTCBDeduct());
        }
        QCOMPARE(lastWritten_, size);
        QCOMPARE(written.size(), size);
        QCOMPARE(pretty(after), pretty(before));
    }

    // The exact frames of the streams, for the layouts other code relies on.
    void streamBytes_data() {
        QTest::addColumn<int>("example");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray stdHead = frames({"@StandartDeduct", "1", "103", "101"});
        QTest::newRow("standard off: one zero byte") << 0 << frames({"@StandartDeduct", "0"});
        QTest::newRow("standard defaults")
            << 1 << stdHead + frames({"1", "0", "1", "0", "0", "0", "0", "1", "0"});
        QTest::newRow("children by month: twelve counts, no single count")
            << 2 << stdHead + frame("0") + months(1) + frames({"1", "0", "0", "0", "0", "1", "0"});
        QTest::newRow("social off: no pension list") << 3 << frames({"@SocialDeduct", "0"});
        QTest::newRow("social on, no contracts: list marker and zero")
            << 4 << frames({"@SocialDeduct", "1", "0", "0", "0", "0", "0", "0", "0", "@Pens", "0"});
        QTest::newRow("three education payments in order")
            << 5
            << frames({"@SocialDeduct", "1", "0", "0", "3", "1000", "2000", "3000", "0", "0", "0",
                       "0", "@Pens", "0"});
        QTest::newRow("contract stream after the list marker")
            << 6
            << frames({"@SocialDeduct", "1", "0", "0", "0", "0", "0", "0", "0", "@Pens", "1",
                       "@PensSub000", "3"}) +
                   frame("\xD4\xEE\xED\xE4") + // "Фонд" in windows-1251
                   frames({"", "", "N1", "40544", "1234.5", "0", "0"});
        QTest::newRow("property off") << 7 << frames({"@ConstructionDeduct", "0"});
        QTest::newRow("securities") << 8 << frames({"@CBDeduct", "1234.5", "-0.0001"});
    }
    void streamBytes() {
        QFETCH(int, example);
        QFETCH(QByteArray, expected);
        SaveFn save;
        qint64 size = 0;
        mTStandartDeduct st;
        mTSocialDeduct so;
        mTConstructionDeduct pr;
        mTCBDeduct cb;
        if (example <= 2) {
            st.granted = example == 0 ? 0 : 1;
            if (example == 2) {
                st.childrenConst = 0;
                st.childrenCount = 77; // not written when the count varies by month
                st.childrenByMonth = monthValues(1);
            }
            save = [&](auto& s) { st.SaveToStorage(s); };
            size = st.StorageSize();
        } else if (example <= 6) {
            so.granted = example == 3 ? 0 : 1;
            if (example == 3)
                addContract(so, samplePens(0)); // switched off: contracts are not written
            if (example == 5)
                for (const int r : {1000, 2000, 3000})
                    so.AddChildEducation(Money::fromRoubles(r));
            if (example == 6) {
                const int i = so.AddPensionContract();
                so.GetPensionContract(i).contractKind = 3;
                so.GetPensionContract(i).orgName = QStringLiteral("Фонд");
                so.GetPensionContract(i).contractNumber = QStringLiteral("N1");
                so.GetPensionContract(i).contractDate = TDateTime::fromYmd(2011, 1, 1);
                so.GetPensionContract(i).contributionPaid = Money::fromRaw(12345000);
            }
            save = [&](auto& s) { so.SaveToStorage(s); };
            size = so.StorageSize();
        } else if (example == 7) {
            pr.objectCity = QStringLiteral("Москва");
            save = [&](auto& s) { pr.SaveToStorage(s); };
            size = pr.StorageSize();
        } else {
            cb.prevSecuritiesLoss = Money::fromRaw(12345000);
            cb.prevDerivativesLoss = Money::fromRaw(-1);
            save = [&](auto& s) { cb.SaveToStorage(s); };
            size = cb.StorageSize();
        }
        const QByteArray written = throughFile(size, save, [](auto&) {});
        QCOMPARE(lastWritten_, size);
        QCOMPARE(written, expected);
    }

    void standardOffLeavesDefaults() {
        mTStandartDeduct d = fullStandard();
        d.granted = 0;
        mTStandartDeduct back = fullStandard();
        throughFile(
            d.StorageSize(), [&](auto& s) { d.SaveToStorage(s); },
            [&](auto& s) { back.LoadFromStorage(s); });
        mTStandartDeduct expected;
        expected.granted = 0;
        QCOMPARE(pretty(back.ToJson()), pretty(expected.ToJson()));
    }

    // The three late switches of the standard deduction read anything unreadable as
    // "not given" and go on with the next value.
    void tolerantSwitches_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ownMonthlyData");
        QTest::addColumn<int>("combinationGiven");
        QTest::addColumn<int>("singleParentGiven");
        QTest::addColumn<int>("thirdCount");
        const QByteArray head = frames({"@StandartDeduct", "1", "104", "102", "1", "2", "1", "0"});
        const QByteArray tail = frames({"1", "5"});
        QTest::newRow("word in place of the monthly-income switch")
            << head + frame("x") + frame("1") + months(0) + frame("0") + tail << 0 << 1 << 0 << 5;
        QTest::newRow("out-of-range number in place of the combination switch")
            << head + frame("0") + frame("256") + frame("1") + months(0) + tail << 0 << 0 << 1 << 5;
        QTest::newRow("fraction in place of the single-parent switch")
            << head + frame("0") + frame("1") + months(0) + frame("1.5") + tail << 0 << 1 << 0 << 5;
        QTest::newRow("all three unreadable")
            << head + frame("a") + frame("-") + frame("yes") + tail << 0 << 0 << 0 << 5;
        QTest::newRow("readable switches")
            << head + frame("0") + frame("0") + frame("1") + months(0) + tail << 0 << 0 << 1 << 5;
    }
    void tolerantSwitches() {
        QFETCH(QByteArray, content);
        QFETCH(int, ownMonthlyData);
        QFETCH(int, combinationGiven);
        QFETCH(int, singleParentGiven);
        QFETCH(int, thirdCount);
        mTStandartDeduct d;
        loadRaw(content, [&](auto& s) { d.LoadFromStorage(s); });
        QCOMPARE(d.personalCode, 104);
        QCOMPARE(d.childMode, 102);
        QCOMPARE(d.childrenCount, 2);
        QCOMPARE(int(d.ownMonthlyData), ownMonthlyData);
        QCOMPARE(int(d.combinationGiven), combinationGiven);
        QCOMPARE(int(d.singleParentGiven), singleParentGiven);
        QCOMPARE(d.thirdCount, thirdCount);
        if (combinationGiven)
            QCOMPARE(d.monthCombination, monthValues(0));
        if (singleParentGiven)
            QCOMPARE(d.monthSingleParent, monthValues(0));
    }

    // Other values are not tolerant: the conversion error reaches the caller.
    void strictValues_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("granted") << frames({"@StandartDeduct", "x"});
        QTest::newRow("personal code") << frames({"@StandartDeduct", "1", "x"});
        QTest::newRow("third-child switch") << frames(
            {"@StandartDeduct", "1", "103", "101", "1", "0", "1", "0", "0", "0", "0", "x", "0"});
    }
    void strictValues() {
        QFETCH(QByteArray, content);
        mTStandartDeduct d;
        QVERIFY_THROWS_EXCEPTION(EConvertError,
                                 loadRaw(content, [&](auto& s) { d.LoadFromStorage(s); }));
    }

    // Storage failures leave each object carrying its own context code.
    void contextCodes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("contextCode");
        const QByteArray none = frames({"@Other", "0"});
        QTest::newRow("standard load, no stream") << "standard" << false << none << 382;
        QTest::newRow("social load, no stream") << "social" << false << none << 384;
        QTest::newRow("social load, list marker missing")
            << "social" << false
            << frames({"@SocialDeduct", "1", "0", "0", "0", "0", "0", "0", "0"}) << 384;
        QTest::newRow("contract load, its stream missing")
            << "social" << false
            << frames({"@SocialDeduct", "1", "0", "0", "0", "0", "0", "0", "0", "@Pens", "2",
                       "@PensSub000",   "1", "",  "",  "",  "",  "0", "0", "0", "0"})
            << 376;
        QTest::newRow("property load, no stream") << "property" << false << none << 386;
        QTest::newRow("property load, cut short")
            << "property" << false << frames({"@ConstructionDeduct", "1", "2"}) << 386;
        QTest::newRow("securities load, no stream") << "securities" << false << none << 396;
        QTest::newRow("standard save, read-only") << "standard" << true << none << 381;
        QTest::newRow("social save, read-only") << "social" << true << none << 383;
        QTest::newRow("property save, read-only") << "property" << true << none << 385;
        QTest::newRow("securities save, read-only") << "securities" << true << none << 395;
    }
    void contextCodes() {
        QFETCH(QString, kind);
        QFETCH(bool, saving);
        QFETCH(QByteArray, content);
        QFETCH(int, contextCode);
        mTStandartDeduct st;
        mTSocialDeduct so;
        mTConstructionDeduct pr;
        mTCBDeduct cb;
        int caught = -1;
        try {
            loadRaw(content, [&](mTDocumentStorage& s) {
                if (kind == "standard")
                    saving ? st.SaveToStorage(s) : st.LoadFromStorage(s);
                else if (kind == "social")
                    saving ? so.SaveToStorage(s) : so.LoadFromStorage(s);
                else if (kind == "property")
                    saving ? pr.SaveToStorage(s) : pr.LoadFromStorage(s);
                else
                    saving ? cb.SaveToStorage(s) : cb.LoadFromStorage(s);
            });
        } catch (const mEPrivBase& e) {
            caught = e.contextCode();
        }
        QCOMPARE(caught, contextCode);
    }

    void contractSaveFailureKeepsItsCode() {
        mTSocialDeduct d;
        d.granted = 1;
        addContract(d, samplePens(0));
        d.GetPensionContract(0).orgName = QStringLiteral("基金"); // no windows-1251 form
        int caught = -1;
        try {
            d.StorageSize();
        } catch (const mEBadText& e) {
            caught = e.contextCode();
        }
        QCOMPARE(caught, 375);
    }

    void childEducationList() {
        mTSocialDeduct d;
        for (const int r : {1000, 2000, 3000})
            QCOMPARE(d.AddChildEducation(Money::fromRoubles(r)), r / 1000 - 1);
        d.DeleteChildEducation(1);
        QCOMPARE(d.ChildEducationCount(), 2);
        QCOMPARE(d.GetChildEducation(0), Money::fromRoubles(1000));
        QCOMPARE(d.GetChildEducation(1), Money::fromRoubles(3000));
        d.SetChildEducation(1, Money::fromRaw(5));
        QCOMPARE(d.childEducation.back(), Money::fromRaw(5));
    }

    void badIndexes_data() {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("index");
        QTest::newRow("get education 5 of 3") << 0 << 5;
        QTest::newRow("get education 3 of 3") << 0 << 3;
        QTest::newRow("get education -1") << 0 << -1;
        QTest::newRow("set education 3 of 3") << 1 << 3;
        QTest::newRow("delete education 3 of 3") << 2 << 3;
        QTest::newRow("get contract 1 of 1") << 3 << 1;
        QTest::newRow("remove contract -1") << 4 << -1;
        QTest::newRow("month 0") << 5 << 0;
        QTest::newRow("month 13") << 5 << 13;
    }
    void badIndexes() {
        QFETCH(int, operation);
        QFETCH(int, index);
        mTSocialDeduct d;
        for (const int r : {1000, 2000, 3000})
            d.AddChildEducation(Money::fromRoubles(r));
        d.AddPensionContract();
        mTStandartDeduct st;
        QString message;
        try {
            switch (operation) {
            case 0:
                d.GetChildEducation(index);
                break;
            case 1:
                d.SetChildEducation(index, Money());
                break;
            case 2:
                d.DeleteChildEducation(index);
                break;
            case 3:
                d.GetPensionContract(index);
                break;
            case 4:
                d.RemovePensionContract(index);
                break;
            default:
                mTStandartDeduct::monthAt(st.childrenByMonth, index) = 1;
            }
        } catch (const mEMemoryAllocate& e) {
            message = e.message();
        }
        QCOMPARE(message, QStringLiteral("Не выделена память."));
        QCOMPARE(d.ChildEducationCount(), 3);
        QCOMPARE(d.PensionContractCount(), 1);
    }

    void monthsCountFromJanuary() {
        mTStandartDeduct d;
        mTStandartDeduct::monthAt(d.monthIncome, 1) = Money::fromRoubles(1);
        mTStandartDeduct::monthAt(d.monthIncome, 12) = Money::fromRoubles(12);
        QCOMPARE(d.monthIncome.front(), Money::fromRoubles(1));
        QCOMPARE(d.monthIncome.back(), Money::fromRoubles(12));
        QCOMPARE(mTStandartDeduct::monthAt(std::as_const(d.monthIncome), 12),
                 Money::fromRoubles(12));
    }

    void jsonRoundTrip() {
        const mTStandartDeduct st = fullStandard();
        mTStandartDeduct st2;
        st2.FromJson(st.ToJson(), QStringLiteral("standardDeduction"));
        QCOMPARE(pretty(st2.ToJson()), pretty(st.ToJson()));

        const mTSocialDeduct so = fullSocial();
        mTSocialDeduct so2;
        so2.AddChildEducation(Money::fromRoubles(9)); // replaced, not appended to
        so2.FromJson(so.ToJson(), QStringLiteral("socialDeduction"));
        QCOMPARE(pretty(so2.ToJson()), pretty(so.ToJson()));
        QCOMPARE(so2.ChildEducationCount(), 2);

        const mTConstructionDeduct pr = fullProperty();
        mTConstructionDeduct pr2;
        pr2.FromJson(pr.ToJson(), QStringLiteral("propertyDeduction"));
        QCOMPARE(pretty(pr2.ToJson()), pretty(pr.ToJson()));

        const mTCBDeduct cb = fullSecurities();
        mTCBDeduct cb2;
        cb2.FromJson(cb.ToJson(), QStringLiteral("securitiesDeduction"));
        QCOMPARE(pretty(cb2.ToJson()), pretty(cb.ToJson()));
    }

    void jsonForms() {
        const QJsonObject st = fullStandard().ToJson();
        QCOMPARE(st.value("granted"), QJsonValue(true));
        QCOMPARE(st.value("personalCode"), QJsonValue(110));
        QCOMPARE(st.value("monthIncome").toArray().at(0), QJsonValue("10.5"));
        QCOMPARE(st.value("monthTicked").toArray().at(1), QJsonValue(true));
        QCOMPARE(st.value("thirdByMonth").toArray().size(), 12);
        const QJsonObject so = fullSocial().ToJson();
        QCOMPARE(so.value("childEducation").toArray(),
                 QJsonArray({QJsonValue("1000"), QJsonValue("2000.0001")}));
        const QJsonObject pens = so.value("pensionContracts").toArray().at(1).toObject();
        QCOMPARE(pens.value("contractDate"), QJsonValue("2010-03-02"));
        QCOMPARE(pens.value("orgName"), QJsonValue(QStringLiteral("НПФ «Благосостояние» №1")));
        QCOMPARE(pens.value("agentDeduction"), QJsonValue("-0.5"));
        QCOMPARE(fullProperty().ToJson().value("applicationDate"), QJsonValue("2012-02-29"));
    }

    void jsonErrors_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("path");
        QTest::newRow("month array too short") << "standard"
                                               << R"({"childrenByMonth":[1,2,3]})"
                                               << "standardDeduction.childrenByMonth";
        QTest::newRow("amount as a number")
            << "standard"
            << R"({"monthIncome":[1,"0","0","0","0","0","0","0","0","0","0","0"]})"
            << "standardDeduction.monthIncome[0]";
        QTest::newRow("switch as a number") << "standard"
                                            << R"({"childrenConst":1})"
                                            << "standardDeduction.childrenConst";
        QTest::newRow("code with a fraction") << "standard"
                                              << R"({"personalCode":103.5})"
                                              << "standardDeduction.personalCode";
        QTest::newRow("unknown key") << "standard"
                                     << R"({"granted":true,"grantd":false})"
                                     << "standardDeduction.grantd";
        QTest::newRow("education payment not an amount") << "social"
                                                         << R"({"childEducation":["1","x"]})"
                                                         << "socialDeduction.childEducation[1]";
        QTest::newRow("contract not an object") << "social"
                                                << R"({"pensionContracts":[{}, 5]})"
                                                << "socialDeduction.pensionContracts[1]";
        QTest::newRow("contract date") << "social"
                                       << R"({"pensionContracts":[{"contractDate":"2011-02-30"}]})"
                                       << "socialDeduction.pensionContracts[0].contractDate";
        QTest::newRow("unknown key in a contract") << "social"
                                                   << R"({"pensionContracts":[{"orgINN":"1"}]})"
                                                   << "socialDeduction.pensionContracts[0].orgINN";
        QTest::newRow("address not a text") << "property"
                                            << R"({"objectCity":12})"
                                            << "propertyDeduction.objectCity";
        QTest::newRow("loss with a comma") << "securities"
                                           << R"({"prevSecuritiesLoss":"1,5"})"
                                           << "securitiesDeduction.prevSecuritiesLoss";
    }
    void jsonErrors() {
        QFETCH(QString, kind);
        QFETCH(QString, json);
        QFETCH(QString, path);
        const QJsonObject o = QJsonDocument::fromJson(json.toUtf8()).object();
        QVERIFY(!o.isEmpty());
        QString message;
        try {
            if (kind == "standard") {
                mTStandartDeduct d;
                d.FromJson(o, QStringLiteral("standardDeduction"));
            } else if (kind == "social") {
                mTSocialDeduct d;
                d.FromJson(o, QStringLiteral("socialDeduction"));
            } else if (kind == "property") {
                mTConstructionDeduct d;
                d.FromJson(o, QStringLiteral("propertyDeduction"));
            } else {
                mTCBDeduct d;
                d.FromJson(o, QStringLiteral("securitiesDeduction"));
            }
        } catch (const EJsonError& e) {
            message = e.message();
        }
        QVERIFY2(message.startsWith(path + QLatin1Char(':')), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestDeductionClasses)
#include "test_deduction_classes.moc"
