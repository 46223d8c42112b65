#include "TestKit.h"
#include "model/DeclClasses.h"
#include "model/JsonIO.h"
#include "storage/DateTime.h"
#include "storage/StgClasses.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace StorageMessages;
using namespace TestKit;

namespace {

// Writes a file of another edition: the signature and version it had, then the
// values body writes.
void writeEdition(const QString& path, const QString& signature, const QByteArray& version,
                  const StorageBody& body) {
    QByteArray bytes = writeMeasured(path, body, signature);
    bytes.replace(24, 4, version);
    writeAll(path, bytes);
}

// Yes/no fields that decide which other fields the file holds.
const QStringList kSwitches = {"granted",          "hasConfirmedExpenses", "childrenConst",
                               "disabledConst",    "thirdConst",           "ownMonthlyData",
                               "combinationGiven", "singleParentGiven"};
// The fields those switches leave out of the file, one way or the other.
const QStringList kSwitchedFields = {
    "unconfirmedExpenses", "depreciation",     "expensesTotal",    "labourContractExpenses",
    "labourExpenses",      "materialExpenses", "otherExpenses",    "otherExpenseParts",
    "childrenCount",       "childrenByMonth",  "disabledCount",    "disabledByMonth",
    "thirdCount",          "thirdByMonth",     "monthIncome",      "monthExpense",
    "monthTicked",         "monthCombination", "monthSingleParent"};

// The tree with edit applied to every object in it, outer ones first.
QJsonValue editObjects(const QJsonValue& v, const std::function<void(QJsonObject&)>& edit) {
    if (v.isObject()) {
        QJsonObject o = v.toObject();
        edit(o);
        for (auto it = o.begin(); it != o.end(); ++it)
            it.value() = editObjects(it.value(), edit);
        return o;
    }
    if (v.isArray()) {
        QJsonArray a = v.toArray();
        for (auto it = a.begin(); it != a.end(); ++it)
            *it = editObjects(*it, edit);
        return a;
    }
    return v;
}

// Every switch on, or every switch but the deductions' "granted" off.
QJsonValue withSwitches(const QJsonValue& v, bool on) {
    return editObjects(v, [on](QJsonObject& o) {
        for (auto it = o.begin(); it != o.end(); ++it)
            if (kSwitches.contains(it.key()) && it.value().isBool())
                it.value() = on || it.key() == QLatin1String("granted");
    });
}

// Gives every leaf of a JSON tree a value unlike its default. Strings become a date,
// an amount or a Cyrillic text, whichever the model takes for that key.
class Mutator {
public:
    explicit Mutator(std::function<bool(const QJsonObject&)> accepts) : accepts_(accepts) {}

    QJsonObject run(QJsonObject root) {
        root_ = root;
        mutate(QStringList());
        return root_;
    }

private:
    static QJsonValue get(const QJsonValue& v, const QStringList& path, int i = 0) {
        if (i == path.size())
            return v;
        bool isIndex = false;
        const int index = path[i].toInt(&isIndex);
        return get(isIndex ? v.toArray().at(index) : v.toObject().value(path[i]), path, i + 1);
    }
    static QJsonValue set(const QJsonValue& v, const QStringList& path, const QJsonValue& leaf,
                          int i = 0) {
        if (i == path.size())
            return leaf;
        bool isIndex = false;
        const int index = path[i].toInt(&isIndex);
        if (isIndex) {
            QJsonArray a = v.toArray();
            a[index] = set(a.at(index), path, leaf, i + 1);
            return a;
        }
        QJsonObject o = v.toObject();
        o[path[i]] = set(o.value(path[i]), path, leaf, i + 1);
        return o;
    }

    bool tryLeaf(const QStringList& path, const QJsonValue& leaf) {
        const QJsonObject candidate = set(root_, path, leaf).toObject();
        if (!accepts_(candidate))
            return false;
        root_ = candidate;
        return true;
    }

    void mutate(const QStringList& path) {
        const QJsonValue v = get(root_, path);
        if (!path.isEmpty() && kSwitches.contains(path.last()))
            return;
        if (v.isObject()) {
            const QStringList keys = v.toObject().keys();
            for (const QString& k : keys)
                mutate(path + QStringList{k});
        } else if (v.isArray()) {
            for (int i = 0; i < v.toArray().size(); ++i)
                mutate(path + QStringList{QString::number(i)});
        } else if (v.isBool()) {
            tryLeaf(path, !v.toBool());
        } else if (v.isNull()) {
            tryLeaf(path, QStringLiteral("12.5"));
        } else if (v.isDouble()) {
            const double d = v.toDouble();
            for (const double candidate : {d + 1, d - 1, 1.0, 2.0})
                if (tryLeaf(path, candidate))
                    return;
        } else if (v.isString()) {
            ++counter_;
            static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d$"));
            if (date.match(v.toString()).hasMatch()) {
                tryLeaf(path, QDate(2010, 1 + counter_ % 12, 1 + counter_ % 28)
                                  .toString(QStringLiteral("yyyy-MM-dd")));
                return;
            }
            if (tryLeaf(path, QStringLiteral("Текст №%1 «ё»").arg(counter_)))
                return;
            tryLeaf(path, QStringLiteral("%1.%2").arg(1000 + counter_).arg(counter_ % 9 + 1));
        }
    }

    std::function<bool(const QJsonObject&)> accepts_;
    QJsonObject root_;
    int counter_ = 0;
};

// Leaves of b equal to those of a at the same place, named by path.
void collectUnchanged(const QJsonValue& a, const QJsonValue& b, const QString& path,
                      QStringList& out) {
    if (a.isObject()) {
        const QJsonObject ao = a.toObject();
        for (auto it = ao.begin(); it != ao.end(); ++it)
            collectUnchanged(it.value(), b.toObject().value(it.key()), path + '.' + it.key(), out);
    } else if (a.isArray()) {
        for (int i = 0; i < a.toArray().size(); ++i)
            collectUnchanged(a.toArray().at(i), b.toArray().at(i),
                             path + QStringLiteral("[%1]").arg(i), out);
    } else if (a == b) {
        out << path;
    }
}

// Paths of the leaves where a and b differ.
void differingPaths(const QJsonValue& a, const QJsonValue& b, const QString& path,
                    QStringList& out) {
    if (a.isObject() && b.isObject()) {
        QStringList keys = a.toObject().keys() + b.toObject().keys();
        keys.removeDuplicates();
        for (const QString& k : keys)
            differingPaths(a.toObject().value(k), b.toObject().value(k), path + '.' + k, out);
    } else if (a.isArray() && b.isArray() && a.toArray().size() == b.toArray().size()) {
        for (int i = 0; i < a.toArray().size(); ++i)
            differingPaths(a.toArray().at(i), b.toArray().at(i),
                           path + QStringLiteral("[%1]").arg(i), out);
    } else if (a != b) {
        out << path;
    }
}

QString differences(const QJsonValue& a, const QJsonValue& b) {
    QStringList out;
    differingPaths(a, b, QString(), out);
    return out.join(QStringLiteral(", "));
}

#define COMPARE_JSON(actual, expected)                                                             \
    do {                                                                                           \
        const QString diff = differences(QJsonValue(actual), QJsonValue(expected));                \
        QVERIFY2(diff.isEmpty(), qPrintable(diff));                                                \
    } while (false)

// Removes the values the model derives from others, so the rest can vary freely.
QJsonValue withoutDerived(const QJsonValue& v) {
    return editObjects(v, [](QJsonObject& o) {
        o.remove(QStringLiteral("incomeInRubles"));
        o.remove(QStringLiteral("taxInRubles"));
        // A 13 percent payer's total is the sum of its rows; elsewhere it is entered.
        if (o.contains(QStringLiteral("rows")))
            o.remove(QStringLiteral("totalIncome"));
    });
}

std::unique_ptr<mTDeclaration> declarationWithEverySection() {
    auto d = std::make_unique<mTDeclaration>();
    d->InitAsNewDocument(TDateTime::fromYmd(2012, 2, 1));
    d->SetIncomeFlags(15);
    for (auto* list : {&d->thirteenSources, &d->thirteenNrSources}) {
        mTThirteenPercent& p = list->Get(list->Add());
        p.AddRow(mTThirteenPercent::IncomeRow{});
        p.AddRow(mTThirteenPercent::IncomeRow{});
        for (int m = 0; m < 12; m += 2)
            p.SetMonthValue(m, Money::fromRoubles(m));
    }
    d->thirtyFiveSources.Add();
    d->thirtySources.Add();
    d->currencyIncomes.Add();
    d->businessActivities.Add();
    d->businessActivities.Add();
    d->businessActivities.Get(1).hasConfirmedExpenses = 0;
    d->repetitIncomes.Add();
    d->notifiedPayments.Add();
    d->socialDeduction.FromJson(
        QJsonObject{{"granted", true},
                    {"childEducation", QJsonArray{"1", "2"}},
                    {"pensionContracts", QJsonArray{QJsonObject{}, QJsonObject{}}}},
        QStringLiteral("socialDeduction"));
    return d;
}

} // namespace

class TestDeclaration : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void newDocumentFrames() {
        mTDeclaration d;
        d.InitAsNewDocument(TDateTime::fromYmd(2011, 1, 1));
        const QString file = path("new.dc1");
        d.SaveToFile(file);
        const QByteArray bytes = readAll(file);
        QCOMPARE(bytes.size(), d.ComputeFileSize());
        const QByteArray declInfo =
            frames({"@DeclInfo", "",  "",  "0", "0", "40544", "0", "5", "0",
                    "1",         "1", "0", "0", "0", "0",     "0", "0", "0",
                    "0",         "0", "0", "",  "0", "",      "",  "0", "@PersonName"});
        QCOMPARE(bytes.mid(60, declInfo.size()), declInfo);
        // Bit 0 alone: the agents' section with four empty lists, then the deductions.
        QVERIFY(bytes.contains(frames({"@DeclInquiry", "0", "0", "0", "0"})));
        QVERIFY(bytes.indexOf("@DeclInquiry") < bytes.indexOf("@Nalog"));
        QVERIFY(bytes.endsWith(frames({"@Nalog", "0"})));
    }

    void noIncomeMeansNoDeductionStreams() {
        mTDeclaration d;
        const QString file = path("none.dc1");
        d.SaveToFile(file);
        const QByteArray bytes = readAll(file);
        QCOMPARE(bytes.size(), d.ComputeFileSize());
        QVERIFY(bytes.contains("@PersonName"));
        QVERIFY(bytes.contains("@WorkPhone"));
        QVERIFY(!bytes.contains("@DeclInquiry"));
        QVERIFY(!bytes.contains("@Pens"));
        QVERIFY(bytes.endsWith(frames({"@Nalog", "0"})));
        mTDeclaration back;
        back.LoadFromFile(file);
        QCOMPARE(back.ToJson(), d.ToJson());
    }

    void incomeFlagsRebuildSections() {
        mTDeclaration d;
        d.SetIncomeFlags(15);
        d.thirteenSources.Add();
        d.thirtySources.Add();
        d.currencyIncomes.Add();
        d.SetIncomeFlags(14);
        QCOMPARE(d.thirteenSources.Count(), 0);
        QCOMPARE(d.thirtySources.Count(), 0);
        QCOMPARE(d.currencyIncomes.Count(), 1);
        d.SetIncomeFlags(15);
        QCOMPARE(d.thirteenSources.Count(), 0);
        QCOMPARE(d.currencyIncomes.Count(), 1);
    }

    void removingAWrongIndexChangesNothing() {
        mTDeclaration d;
        d.SetIncomeFlags(mTDeclaration::kFlagCurrency);
        d.currencyIncomes.Get(d.currencyIncomes.Add()).sourceName = QStringLiteral("первый");
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, d.currencyIncomes.Remove(1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, d.currencyIncomes.Remove(-1));
        QCOMPARE(d.currencyIncomes.Count(), 1);
        d.currencyIncomes.Remove(0);
        QCOMPARE(d.currencyIncomes.Count(), 0);
    }

    void sheetCounts() {
        mTDeclaration d;
        d.autoCountSheets = 1;
        d.attachmentSheets = 2;
        d.UpdateAutoSheets(3);
        QCOMPARE(d.attachmentSheets, 5);
        d.UpdateAutoSheets(5);
        QCOMPARE(d.attachmentSheets, 7);
        d.SetAttachmentSheets(10);
        QCOMPARE(d.attachmentSheets, 7);
        d.autoCountSheets = 0;
        d.UpdateAutoSheets(9);
        QCOMPARE(d.attachmentSheets, 7);
        QCOMPARE(d.autoCountedSheets, 9);
        d.SetAttachmentSheets(10);
        QCOMPARE(d.attachmentSheets, 10);
    }

    // Every field given a value of its own survives JSON -> file -> JSON, under one
    // setting of the switches or the other.
    void completeDeclarationRoundTrip() {
        const QJsonObject defaults = declarationWithEverySection()->ToJson();
        Mutator mutator([](const QJsonObject& o) {
            try {
                mTDeclaration probe;
                probe.FromJson(o);
                return true;
            } catch (const EJsonError&) {
                return false;
            }
        });
        QList<QStringList> lostUnder;
        for (const bool on : {true, false}) {
            const QJsonObject start = withSwitches(withoutDerived(defaults), on).toObject();
            mTDeclaration built;
            built.FromJson(mutator.run(start));
            const QJsonObject expected = built.ToJson();

            QStringList unchanged;
            collectUnchanged(withSwitches(defaults, on), expected, QString(), unchanged);
            // incomeFlags stays 15 so that every section exists.
            unchanged.removeAll(QStringLiteral(".incomeFlags"));
            for (const QString& sw : kSwitches)
                unchanged.removeIf([&](const QString& p) { return p.endsWith('.' + sw); });
            QVERIFY2(unchanged.isEmpty(), qPrintable(unchanged.join(", ")));

            const QString file = path(QStringLiteral("complete%1.dc1").arg(on));
            built.SaveToFile(file);
            QCOMPARE(QFileInfo(file).size(), built.ComputeFileSize());
            mTDeclaration loaded;
            loaded.LoadFromFile(file);
            QStringList lost;
            differingPaths(expected, loaded.ToJson(), QString(), lost);
            for (const QString& p : lost) {
                const QString field = p.section('.', -1).section('[', 0, 0);
                QVERIFY2(kSwitchedFields.contains(field), qPrintable(p));
            }
            lostUnder << lost;

            // What was loaded saves to the same bytes.
            const QString again = path(QStringLiteral("again%1.dc1").arg(on));
            loaded.SaveToFile(again);
            QCOMPARE(readAll(again), readAll(file));
        }
        for (const QString& p : lostUnder[0])
            QVERIFY2(!lostUnder[1].contains(p), qPrintable(p + " is never stored"));
    }

    void userTextsThatLookLikeMarkers() {
        auto d = declarationWithEverySection();
        d->person.surname = QStringLiteral("@DeclInfo");
        d->person.city = QStringLiteral("@PersonAddress");
        d->person.firstName = QStringLiteral("@PersonAddress");
        d->thirteenSources.Get(0).sourceName = QStringLiteral("@Nalog");
        d->thirteenSources.Get(0).sourceInn = QStringLiteral("@DeclInquiry");
        d->notifiedPayments.Get(0).paymentLabel = QStringLiteral("@NalogSub000");
        d->currencyIncomes.Get(0).sourceName = QStringLiteral("@Pens");
        const QString file = path("markers.dc1");
        d->SaveToFile(file);
        mTDeclaration loaded;
        loaded.LoadFromFile(file);
        COMPARE_JSON(loaded.ToJson(), d->ToJson());
    }

    void calculationInputsAreNotTouchedBySaving() {
        auto d = declarationWithEverySection();
        const QJsonObject before = d->ToJson();
        d->SaveToFile(path("same.dc1"));
        QCOMPARE(d->ToJson(), before);
    }

    void aFailedSaveKeepsTheOldFile() {
        const QString file = path("keep.dc1");
        auto d = declarationWithEverySection();
        d->SaveToFile(file);
        const QByteArray old = readAll(file);
        d->businessActivities.Get(0).activityCode = QStringLiteral("漢字");
        try {
            d->SaveToFile(file);
            QFAIL("a text without a windows-1251 form was saved");
        } catch (const mEBadText& e) {
            QVERIFY(e.message().contains(QStringLiteral("漢字")));
        }
        QCOMPARE(readAll(file), old);
        QCOMPARE(QDir(dir.path()).entryList({"keep*"}, QDir::Files | QDir::Hidden).size(), 1);
    }

    void loadFailures_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("errorCode");
        QTest::addColumn<int>("contextCode");
        const QByteArray head = header();
        QTest::newRow("not a container") << QByteArray("PK\x03\x04 not a declaration at all, "
                                                       "but long enough for a header.....")
                                         << kBadFormat << 68 << 391;
        QTest::newRow("version not numeric") << QByteArray("DLSG            Qarv2011"
                                                           "0x02" +
                                                           QByteArray(32, 'F'))
                                             << kBadFormat << 392 << 0;
        // Not a storage error of the opening kind, so it keeps no context.
        QTest::newRow("empty file") << QByteArray() << kZeroLength << 25 << 0;
        QTest::newRow("no declaration stream")
            << head + frames({"@Other"}) << kNoStream << 210 << 0;
        QTest::newRow("value not a number")
            << head + frames({"@DeclInfo", "", "", "x"}) << kBadFormat << 397 << 0;
        QTest::newRow("cut short")
            << head + frames({"@DeclInfo", "7701"}) << kBadFormat << 300 << 0;
        QTest::newRow("missing person")
            << head + frames({"@DeclInfo", "",  "",  "0", "0", "40544", "0", "5", "0",
                              "0",         "1", "0", "0", "0", "0",     "0", "0", "0",
                              "0",         "0", "0", "",  "0", "",      "",  "0"})
            << kNoStream << 210 << 371;
    }
    void loadFailures() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, errorCode);
        QFETCH(int, contextCode);
        const QString file = path("fail.dc1");
        writeAll(file, bytes);
        try {
            mTDeclaration d;
            d.LoadFromFile(file);
            QFAIL("a bad file loaded");
        } catch (const mEPrivBase& e) {
            QCOMPARE(e.message(), message);
            QCOMPARE(int(e.errorCode()), errorCode);
            QCOMPARE(int(e.contextCode()), contextCode);
        }
    }

    void aMissingFileAndABusyFile() {
        try {
            mTDeclaration d;
            d.LoadFromFile(path("absent.dc1"));
            QFAIL("loaded a missing file");
        } catch (const mEBadStorage& e) {
            QCOMPARE(int(e.contextCode()), 390);
            QCOMPARE(e.message(), kReadFile + path("absent.dc1"));
        }
        const QString file = path("busy.dc1");
        mTDeclaration().SaveToFile(file);
        mTFileLoader holder(file, 0, true);
        try {
            mTDeclaration().SaveToFile(file);
            QFAIL("saved over a busy file");
        } catch (const mEBadStorage& e) {
            QCOMPARE(int(e.errorCode()), 21);
            QCOMPARE(int(e.contextCode()), 389);
        }
        // A folder that does not exist: the file cannot be created.
        const QString nowhere = path("no such folder/new.dc1");
        try {
            mTDeclaration().SaveToFile(nowhere);
            QFAIL("saved into a missing folder");
        } catch (const mEBadStorage& e) {
            QCOMPARE(int(e.errorCode()), 20);
            QCOMPARE(int(e.contextCode()), 389);
            QCOMPARE(e.message(), kReadFile + nowhere);
        }
    }

    void aCountLargerThanTheStreams() {
        auto d = declarationWithEverySection();
        const QString file = path("count.dc1");
        d->SaveToFile(file);
        QByteArray bytes = readAll(file);
        // Five notified payments announced, one present.
        QVERIFY(bytes.contains(frames({"@Nalog", "1"})));
        bytes.replace(frames({"@Nalog", "1"}), frames({"@Nalog", "5"}));
        writeAll(file, bytes);
        mTDeclaration loaded;
        QVERIFY_THROWS_EXCEPTION(mEOpenStream, loaded.LoadFromFile(file));
    }

    // A damaged file never crashes, hangs or escapes as anything but a storage error.
    void damagedFilesFailCleanly() {
        auto d = declarationWithEverySection();
        const QString good = path("good.dc1");
        d->SaveToFile(good);
        const QByteArray bytes = readAll(good);
        const QString file = path("damaged.dc1");
        int loaded = 0;
        auto attempt = [&](const QByteArray& content) {
            writeAll(file, content);
            try {
                mTDeclaration probe;
                probe.LoadFromFile(file);
                ++loaded;
            } catch (const mEPrivBase&) {
            }
        };
        for (qsizetype cut = 0; cut < bytes.size(); cut += 7)
            attempt(bytes.left(cut));
        QRandomGenerator random(2011);
        for (int i = 0; i < 400; ++i) {
            QByteArray content = bytes;
            for (int k = 0; k < 3; ++k)
                content[random.bounded(int(content.size()))] = char(random.bounded(256));
            attempt(content);
        }
        QVERIFY(loaded < 400);
    }

    void trailingZerosLoad() {
        auto d = declarationWithEverySection();
        const QString file = path("zeros.dc1");
        d->SaveToFile(file);
        writeAll(file, readAll(file) + QByteArray(512, '\0'));
        mTDeclaration loaded;
        loaded.LoadFromFile(file);
        COMPARE_JSON(loaded.ToJson(), d->ToJson());
    }

    void businessSecondCopiesWin() {
        mTDeclaration d;
        d.SetIncomeFlags(mTDeclaration::kFlagBusiness);
        d.expectedIncome = Money::fromRoubles(100);
        d.representativeDocument = QStringLiteral("первая");
        const QString file = path("copies.dc1");
        d.SaveToFile(file);
        QByteArray bytes = readAll(file);
        // Change the copies in the business section only.
        const qsizetype business = bytes.indexOf("@DeclBusiness");
        QVERIFY(business > 0);
        QByteArray tail = bytes.mid(business);
        QVERIFY(tail.contains(frames({"100"})));
        tail.replace(frames({"100"}), frames({"200"}));
        writeAll(file, bytes.left(business) + tail);
        mTDeclaration loaded;
        loaded.LoadFromFile(file);
        QCOMPARE(loaded.expectedIncome, Money::fromRoubles(200));
        QCOMPARE(loaded.representativeDocument, QStringLiteral("первая"));
    }

    // Amounts up to the full range of the money type survive the file.
    void extremeAmountsRoundTrip() {
        for (const qint64 raw : {qint64(1000000000000005000), std::numeric_limits<qint64>::max(),
                                 std::numeric_limits<qint64>::min()}) {
            mTDeclaration d;
            d.expectedIncome = Money::fromRaw(raw);
            const QString file = path("extreme.dc1");
            d.SaveToFile(file);
            mTDeclaration loaded;
            loaded.LoadFromFile(file);
            QCOMPARE(loaded.expectedIncome.raw(), raw);
        }
    }

    // Older editions: what each stored of the declarant, and nothing else is taken.
    void oldestEdition() {
        const QString file = path("2004.dc1");
        writeEdition(file, QStringLiteral("Qarv2004"), "0101", [](mTDocumentStorage& s) {
            s.BeginStream(QStringLiteral("@DeclInfo"));
            s.WriteText(QStringLiteral("7701"));
            s.BeginStream(QStringLiteral("@PersonName"));
            for (const char* t : {"Петров", "Пётр", "Петрович", "770100000000", "r1", "r2"})
                s.WriteText(QString::fromUtf8(t));
            s.BeginStream(QStringLiteral("@PersonDocument"));
            s.WriteInt16(21);
            s.WriteText(QStringLiteral("Паспорт гражданина РФ"));
            s.WriteText(QStringLiteral("45 01 123456"));
            s.WriteText(QStringLiteral("02.03.2001"));
            s.WriteText(QStringLiteral("4.5.1970"));
            s.WriteText(QStringLiteral("ОВД Арбат"));
            s.WriteText(QStringLiteral("Москва"));
            s.BeginStream(QStringLiteral("@Foreigner"));
            for (const char* t : {"1", "РОССИЯ", "", "643"})
                s.WriteText(QString::fromUtf8(t));
            s.BeginStream(QStringLiteral("@PersonAddress"));
            s.WriteText(QStringLiteral("101000"));
            s.WriteInt16(77);
            for (const char* t : {"г. Москва", "", "Москва", "", "Тверская", "1", "", "5"})
                s.WriteText(QString::fromUtf8(t));
        });
        mTDeclaration d;
        d.LoadFromFile(file);
        const mTPersonInformation& p = d.person;
        QCOMPARE(p.surname, QStringLiteral("Петров"));
        QCOMPARE(p.reservedText2, QStringLiteral("r2"));
        QCOMPARE(TDateTime::toDate(p.idDocIssueDate), QDate(2001, 3, 2));
        QCOMPARE(TDateTime::toDate(p.birthDate), QDate(1970, 5, 4));
        QCOMPARE(p.idDocIssuer, QStringLiteral("ОВД Арбат"));
        QCOMPARE(p.birthPlace, QStringLiteral("Москва"));
        QCOMPARE(p.regionCode, qint16(77));
        QCOMPARE(p.street, QStringLiteral("Тверская"));
        QCOMPARE(p.flat, QStringLiteral("5"));
        const mTPersonInformation fresh;
        QCOMPARE(p.addressKind, fresh.addressKind);
        QCOMPARE(p.okato, fresh.okato);
        QCOMPARE(p.homePhone, fresh.homePhone);
        QCOMPARE(p.foreignHomePhone1, fresh.foreignHomePhone1);
        // Nothing but the declarant comes from an older edition.
        QVERIFY(d.inspectionCode.isEmpty());
        QCOMPARE(d.incomeFlags(), quint8(0));
    }

    void recentEditionGivesTheWholeDeclarant() {
        mTPersonInformation person;
        person.surname = QStringLiteral("Сидорова");
        person.addressKind = 1;
        person.okato = QStringLiteral("45286555000");
        person.homePhone = QStringLiteral("+7 495 000-00-00");
        person.foreignWorkPhone2 = QStringLiteral("раб.");
        person.reservedFlag = 1;
        const QString file = path("2009.dc1");
        writeEdition(file, QStringLiteral("Qarv2009"), "0102", [&](mTDocumentStorage& s) {
            s.BeginStream(QStringLiteral("@DeclInfo"));
            s.WriteText(QStringLiteral("7701"));
            s.WriteInt16(15);
            person.SaveToStorage(s);
        });
        mTDeclaration d;
        d.LoadFromFile(file);
        QCOMPARE(d.person.ToJson(), person.ToJson());
        QVERIFY(d.inspectionCode.isEmpty());
        QCOMPARE(d.incomeFlags(), quint8(0));
        QCOMPARE(d.taxpayerKind, quint8(5));
    }

    void otherSignatureReadsTheCommonCore() {
        const QString file = path("other.dc1");
        writeEdition(file, QStringLiteral("Decl2003"), "0101", [](mTDocumentStorage& s) {
            s.BeginStream(QStringLiteral("@DeclInfo"));
            s.BeginStream(QStringLiteral("@PersonName"));
            for (const char* t : {"Орлов", "Олег", "", "123"})
                s.WriteText(QString::fromUtf8(t));
            s.BeginStream(QStringLiteral("@PersonDocument"));
            s.WriteInt16(10);
            s.WriteText(QStringLiteral("Паспорт иностранного гражданина"));
            s.WriteText(QStringLiteral("AB 1"));
            s.WriteText(QStringLiteral("01.01.2000"));
            s.WriteText(QStringLiteral("01.01.1960"));
            s.BeginStream(QStringLiteral("@Foreigner"));
            s.WriteText(QStringLiteral("2"));
            s.WriteText(QStringLiteral(""));
            s.BeginStream(QStringLiteral("@PersonAddress"));
            s.WriteText(QStringLiteral("190000"));
            s.WriteInt16(78);
            for (int i = 0; i < 8; ++i)
                s.WriteText(QStringLiteral("a%1").arg(i));
        });
        mTDeclaration d;
        d.LoadFromFile(file);
        const mTPersonInformation fresh;
        QCOMPARE(d.person.surname, QStringLiteral("Орлов"));
        QCOMPARE(d.person.reservedText2, QStringLiteral("0"));
        QCOMPARE(d.person.idDocKind, qint16(10));
        QCOMPARE(TDateTime::toDate(d.person.birthDate), QDate(1960, 1, 1));
        QCOMPARE(d.person.idDocIssuer, fresh.idDocIssuer);
        QCOMPARE(d.person.citizenshipKind, QStringLiteral("2"));
        QCOMPARE(d.person.citizenshipCode, QStringLiteral("643"));
        QCOMPARE(d.person.regionCode, qint16(78));
        QCOMPARE(d.person.flat, QStringLiteral("a7"));
    }

    void missingForeignBlockKeepsCitizenshipDefaults() {
        const QString file = path("noforeign.dc1");
        mTPersonInformation person;
        person.citizenshipCountry = QStringLiteral("ГЕРМАНИЯ");
        person.city = QStringLiteral("Тула");
        writeEdition(file, QStringLiteral("Qarv2010"), "0102", [&](mTDocumentStorage& s) {
            s.BeginStream(QStringLiteral("@DeclInfo"));
            // The declarant's streams without "@Foreigner".
            s.BeginStream(QStringLiteral("@PersonName"));
            for (int i = 0; i < 6; ++i)
                s.WriteText(QString());
            s.BeginStream(QStringLiteral("@PersonDocument"));
            s.WriteInt16(21);
            for (int i = 0; i < 2; ++i)
                s.WriteText(QString());
            s.WriteReal(40000);
            s.WriteReal(30000);
            s.WriteText(QString());
            s.WriteText(QString());
            s.WriteByte(0);
            s.BeginStream(QStringLiteral("@PersonAddress"));
            s.WriteByte(1);
            s.WriteText(QStringLiteral("300000"));
            s.WriteInt16(71);
            for (const char* t : {"Тульская область", "", "Тула", "", "", "", "", "", "7010"})
                s.WriteText(QString::fromUtf8(t));
            for (const char* stream : {"@HomePhone", "@WorkPhone"}) {
                s.BeginStream(QString::fromLatin1(stream));
                s.WriteText(QString());
                s.WriteText(QString());
            }
        });
        mTDeclaration d;
        d.LoadFromFile(file);
        QCOMPARE(d.person.city, QStringLiteral("Тула"));
        QCOMPARE(d.person.okato, QStringLiteral("7010"));
        QCOMPARE(d.person.citizenshipCountry, QStringLiteral("РОССИЯ"));
        QCOMPARE(d.person.citizenshipCode, QStringLiteral("643"));
    }
};

QTEST_GUILESS_MAIN(TestDeclaration)
#include "test_declaration.moc"
