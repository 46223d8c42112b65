#include "DeclClasses.h"

#include "JsonIO.h"
#include "storage/DateTime.h"
#include "storage/StgClasses.h"

#include <QJsonArray>

using namespace StorageMessages;

namespace {

constexpr quint16 kSaveOpenContext = 389;
constexpr quint16 kLoadOpenContext = 390;
constexpr quint16 kLoadHeaderContext = 391;
constexpr quint16 kDamagedHeaderCode = 392;
constexpr quint16 kDamagedValueCode = 397;

template <typename List, typename Save>
void saveList(mTDocumentStorage& s, const List& list, Save save) {
    s.WriteInt16(qint16(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        save(list.Get(i), i);
}

template <typename List, typename Load> void loadList(mTDocumentStorage& s, List& list, Load load) {
    const int count = quint16(s.ReadInt16());
    for (int i = 0; i < count; ++i)
        load(list.Get(list.Add()), i);
}

} // namespace

mTDeclaration::mTDeclaration()
    : signDate(TDateTime::today()), farmFoundedDate(TDateTime::fromYmd(2000, 1, 1)) {}

void mTDeclaration::SetIncomeFlags(quint8 flags) {
    const quint8 cleared = incomeFlags_ & ~flags;
    if (cleared & kFlagAgents) {
        thirteenSources.Clear();
        thirteenNrSources.Clear();
        thirtyFiveSources.Clear();
        thirtySources.Clear();
    }
    if (cleared & kFlagCurrency)
        currencyIncomes.Clear();
    if (cleared & kFlagBusiness)
        businessActivities.Clear();
    if (cleared & kFlagRepetit)
        repetitIncomes.Clear();
    incomeFlags_ = flags;
}

void mTDeclaration::SetAttachmentSheets(qint32 n) {
    if (autoCountSheets == 0)
        attachmentSheets = n;
}

void mTDeclaration::UpdateAutoSheets(qint32 n) {
    if (autoCountSheets == 1)
        attachmentSheets += n - autoCountedSheets;
    autoCountedSheets = n;
}

void mTDeclaration::InitAsNewDocument(double signDateValue) {
    SetIncomeFlags(kFlagAgents);
    autoCountSheets = 1;
    signerKind = 0;
    signDate = signDateValue;
}

void mTDeclaration::SaveToStorage(mTDocumentStorage& s) const {
    s.CreateDocument(kSignature);
    s.BeginStream(QStringLiteral("@DeclInfo"));
    s.WriteText(inspectionCode);
    s.WriteText(inspectionName);
    s.WriteByte(isPensioner);
    s.WriteInt32(correctionNumber);
    s.WriteReal(signDate);
    s.WriteInt16(signerKind);
    s.WriteInt16(taxpayerKind);
    s.WriteInt16(formKind);
    s.WriteInt16(incomeFlags_);
    s.WriteByte(autoCountSheets);
    s.WriteInt32(attachmentSheets);
    s.WriteInt32(autoCountedSheets);
    for (const qint32 c : reservedCounts)
        s.WriteInt32(c);
    s.WriteText(representativeDocument);
    s.WriteMoney(expectedIncome);
    s.WriteText(representativeName);
    s.WriteText(representativeOrgName);
    s.WriteMoney(foreignerFixedPayments);

    person.SaveToStorage(s);

    if (incomeFlags_ & kFlagAgents) {
        s.BeginStream(QStringLiteral("@DeclInquiry"));
        saveList(s, thirteenSources,
                 [&](const mTThirteenPercent& p, int i) { p.SaveToStorage(s, i, false); });
        saveList(s, thirteenNrSources,
                 [&](const mTThirteenPercent& p, int i) { p.SaveToStorage(s, i, true); });
        saveList(s, thirtyFiveSources,
                 [&](const mTThirtyFivePercent& p, int i) { p.SaveToStorage(s, i, false); });
        saveList(s, thirtySources,
                 [&](const mTThirtyPercent& p, int i) { p.SaveToStorage(s, i, false); });
    }
    if (incomeFlags_ & kFlagCurrency) {
        s.BeginStream(QStringLiteral("@DeclForeign"));
        saveList(s, currencyIncomes,
                 [&](const mTCurrencyIncome& c, int i) { c.SaveToStorage(s, i); });
    }
    if (incomeFlags_ & kFlagBusiness) {
        s.BeginStream(QStringLiteral("@DeclBusiness"));
        saveList(s, businessActivities,
                 [&](const mTBusinessNew& b, int i) { b.SaveToStorage(s, i); });
        s.WriteMoney(actualAdvancePayments);
        s.WriteMoney(expectedIncome);
        s.WriteMoney(businessReserved);
        s.WriteMoney(accruedAdvancePayments);
        s.WriteText(representativeDocument);
        s.WriteByte(isFarm);
        s.WriteReal(farmFoundedDate);
        s.WriteMoney(farmExemptIncome);
    }
    if (incomeFlags_ & kFlagRepetit) {
        s.BeginStream(QStringLiteral("@DeclRepetit"));
        saveList(s, repetitIncomes, [&](const mTRepetitNew& r, int i) { r.SaveToStorage(s, i); });
        s.WriteMoney(repetitTotalA);
        s.WriteMoney(repetitTotalB);
    }
    if (incomeFlags_ != 0) {
        standardDeduction.SaveToStorage(s);
        socialDeduction.SaveToStorage(s);
        propertyDeduction.SaveToStorage(s);
        securitiesDeduction.SaveToStorage(s);
    }
    s.BeginStream(QStringLiteral("@Nalog"));
    saveList(s, notifiedPayments, [&](const mTNalog& n, int i) { n.SaveToStorage(s, i); });
}

qint64 mTDeclaration::ComputeFileSize() const {
    mTDocumentStorage m = mTDocumentStorage::Measuring();
    SaveToStorage(m);
    return m.position();
}

void mTDeclaration::SaveToFile(const QString& fileName) const {
    // Sizing formats every value first, so a text the file cannot hold is refused
    // before the file is touched.
    const qint64 size = ComputeFileSize();
    std::optional<mTFileLoader> loader;
    try {
        loader.emplace(fileName, size, false);
    } catch (mEBadStorage& e) {
        e.setContextCode(kSaveOpenContext);
        throw;
    }
    mTDocumentStorage storage(*loader);
    SaveToStorage(storage);
    if (storage.position() != size)
        throw mEBadStorage(kWriteFile + fileName, 29);
    loader->Commit();
}

void mTDeclaration::LoadFromStorage(mTDocumentStorage& s) {
    s.OpenStream(QStringLiteral("@DeclInfo"));
    if (s.signature() != kSignature) {
        // Older editions give the declarant only.
        person.LoadFromStorage(s);
        return;
    }
    inspectionCode = s.ReadText();
    inspectionName = s.ReadText();
    isPensioner = s.ReadByte();
    correctionNumber = s.ReadInt32();
    signDate = s.ReadReal();
    signerKind = quint8(s.ReadInt16());
    taxpayerKind = quint8(s.ReadInt16());
    formKind = quint8(s.ReadInt16());
    // Only three forms exist; any other value would pass as one form on the pages
    // and as another in the calculation and the export.
    if (formKind > 2)
        throw EConvertError(QStringLiteral("form kind %1").arg(formKind));
    SetIncomeFlags(quint8(s.ReadInt16()));
    autoCountSheets = s.ReadByte();
    attachmentSheets = s.ReadInt32();
    autoCountedSheets = s.ReadInt32();
    for (qint32& c : reservedCounts)
        c = s.ReadInt32();
    representativeDocument = s.ReadText();
    expectedIncome = s.ReadMoney();
    representativeName = s.ReadText();
    representativeOrgName = s.ReadText();
    foreignerFixedPayments = s.ReadMoney();

    person.LoadFromStorage(s);

    if (incomeFlags_ & kFlagAgents) {
        s.OpenStream(QStringLiteral("@DeclInquiry"));
        loadList(s, thirteenSources,
                 [&](mTThirteenPercent& p, int i) { p.LoadFromStorage(s, i, false); });
        loadList(s, thirteenNrSources,
                 [&](mTThirteenPercent& p, int i) { p.LoadFromStorage(s, i, true); });
        loadList(s, thirtyFiveSources,
                 [&](mTThirtyFivePercent& p, int i) { p.LoadFromStorage(s, i, false); });
        loadList(s, thirtySources,
                 [&](mTThirtyPercent& p, int i) { p.LoadFromStorage(s, i, false); });
    }
    if (incomeFlags_ & kFlagCurrency) {
        s.OpenStream(QStringLiteral("@DeclForeign"));
        loadList(s, currencyIncomes, [&](mTCurrencyIncome& c, int i) { c.LoadFromStorage(s, i); });
    }
    if (incomeFlags_ & kFlagBusiness) {
        s.OpenStream(QStringLiteral("@DeclBusiness"));
        loadList(s, businessActivities, [&](mTBusinessNew& b, int i) { b.LoadFromStorage(s, i); });
        actualAdvancePayments = s.ReadMoney();
        expectedIncome = s.ReadMoney();
        businessReserved = s.ReadMoney();
        accruedAdvancePayments = s.ReadMoney();
        representativeDocument = s.ReadText();
        isFarm = s.ReadByte();
        farmFoundedDate = s.ReadReal();
        farmExemptIncome = s.ReadMoney();
    }
    if (incomeFlags_ & kFlagRepetit) {
        s.OpenStream(QStringLiteral("@DeclRepetit"));
        loadList(s, repetitIncomes, [&](mTRepetitNew& r, int i) { r.LoadFromStorage(s, i); });
        repetitTotalA = s.ReadMoney();
        repetitTotalB = s.ReadMoney();
    }
    if (incomeFlags_ != 0) {
        standardDeduction.LoadFromStorage(s);
        socialDeduction.LoadFromStorage(s);
        propertyDeduction.LoadFromStorage(s);
        securitiesDeduction.LoadFromStorage(s);
    }
    s.OpenStream(QStringLiteral("@Nalog"));
    loadList(s, notifiedPayments, [&](mTNalog& n, int i) { n.LoadFromStorage(s, i); });
}

void mTDeclaration::LoadFromFile(const QString& fileName) {
    std::optional<mTFileLoader> loader;
    try {
        loader.emplace(fileName, 0, true);
    } catch (mEBadStorage& e) {
        e.setContextCode(kLoadOpenContext);
        throw;
    }
    mTDocumentStorage storage(*loader);
    loadOpened(storage);
}

void mTDeclaration::LoadFromBlock(QByteArrayView block) {
    mTDocumentStorage storage = mTDocumentStorage::OverBlock(block);
    loadOpened(storage);
}

void mTDeclaration::loadOpened(mTDocumentStorage& storage) {
    try {
        storage.OpenDocument();
    } catch (mEBadStorage& e) {
        e.setContextCode(kLoadHeaderContext);
        throw;
    } catch (const EConvertError&) {
        throw mEBadStorage(kBadFormat, kDamagedHeaderCode);
    }
    try {
        LoadFromStorage(storage);
    } catch (const EConvertError&) {
        // A value that is not of its kind: the file is damaged.
        throw mEBadStorage(kBadFormat, kDamagedValueCode);
    }
}

// ------------------------------------------------------------------------ JSON

namespace {

template <typename List> QJsonArray listToJson(const List& list) {
    QJsonArray a;
    for (const auto& item : list)
        a.append(item.ToJson());
    return a;
}

template <typename List>
void listFromJson(JsonIO::Reader& r, const char* key, List& list, bool sectionPresent,
                  const char* flagName) {
    const std::optional<QJsonArray> a = r.list(key);
    if (!a)
        return;
    if (!a->isEmpty() && !sectionPresent)
        throw EJsonError(QStringLiteral("%1: needs %2 in incomeFlags")
                             .arg(r.path(key), QLatin1String(flagName)));
    list.Clear();
    for (qsizetype i = 0; i < a->size(); ++i) {
        const QString path = r.path(key) + QStringLiteral("[%1]").arg(i);
        list.Get(list.Add()).FromJson(JsonIO::Reader::objectValue(a->at(i), path), path);
    }
}

} // namespace

QJsonObject mTDeclaration::ToJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("inspectionCode"), inspectionCode);
    o.insert(QStringLiteral("inspectionName"), inspectionName);
    o.insert(QStringLiteral("isPensioner"), JsonIO::flag(isPensioner));
    o.insert(QStringLiteral("correctionNumber"), correctionNumber);
    o.insert(QStringLiteral("signDate"), JsonIO::date(signDate));
    o.insert(QStringLiteral("signerKind"), signerKind);
    o.insert(QStringLiteral("taxpayerKind"), taxpayerKind);
    o.insert(QStringLiteral("formKind"), formKind);
    o.insert(QStringLiteral("incomeFlags"), incomeFlags_);
    o.insert(QStringLiteral("autoCountSheets"), JsonIO::flag(autoCountSheets));
    o.insert(QStringLiteral("attachmentSheets"), attachmentSheets);
    o.insert(QStringLiteral("autoCountedSheets"), autoCountedSheets);
    o.insert(QStringLiteral("reservedCounts"), JsonIO::intArray(reservedCounts));
    o.insert(QStringLiteral("representativeDocument"), representativeDocument);
    o.insert(QStringLiteral("expectedIncome"), JsonIO::money(expectedIncome));
    o.insert(QStringLiteral("representativeName"), representativeName);
    o.insert(QStringLiteral("representativeOrgName"), representativeOrgName);
    o.insert(QStringLiteral("foreignerFixedPayments"), JsonIO::money(foreignerFixedPayments));
    o.insert(QStringLiteral("actualAdvancePayments"), JsonIO::money(actualAdvancePayments));
    o.insert(QStringLiteral("businessReserved"), JsonIO::money(businessReserved));
    o.insert(QStringLiteral("accruedAdvancePayments"), JsonIO::money(accruedAdvancePayments));
    o.insert(QStringLiteral("isFarm"), JsonIO::flag(isFarm));
    o.insert(QStringLiteral("farmFoundedDate"), JsonIO::date(farmFoundedDate));
    o.insert(QStringLiteral("farmExemptIncome"), JsonIO::money(farmExemptIncome));
    o.insert(QStringLiteral("repetitTotalA"), JsonIO::money(repetitTotalA));
    o.insert(QStringLiteral("repetitTotalB"), JsonIO::money(repetitTotalB));
    o.insert(QStringLiteral("person"), person.ToJson());
    o.insert(QStringLiteral("thirteenSources"), listToJson(thirteenSources));
    o.insert(QStringLiteral("thirteenNrSources"), listToJson(thirteenNrSources));
    o.insert(QStringLiteral("thirtyFiveSources"), listToJson(thirtyFiveSources));
    o.insert(QStringLiteral("thirtySources"), listToJson(thirtySources));
    o.insert(QStringLiteral("currencyIncomes"), listToJson(currencyIncomes));
    o.insert(QStringLiteral("businessActivities"), listToJson(businessActivities));
    o.insert(QStringLiteral("repetitIncomes"), listToJson(repetitIncomes));
    o.insert(QStringLiteral("notifiedPayments"), listToJson(notifiedPayments));
    o.insert(QStringLiteral("standardDeduction"), standardDeduction.ToJson());
    o.insert(QStringLiteral("socialDeduction"), socialDeduction.ToJson());
    o.insert(QStringLiteral("propertyDeduction"), propertyDeduction.ToJson());
    o.insert(QStringLiteral("securitiesDeduction"), securitiesDeduction.ToJson());
    return o;
}

void mTDeclaration::FromJson(const QJsonObject& o) {
    JsonIO::Reader r(o, QString());
    quint8 flags = incomeFlags_;
    r.byte("incomeFlags", flags);
    if (flags > 15)
        throw EJsonError(QStringLiteral("incomeFlags: expected an integer from 0 to 15"));
    SetIncomeFlags(flags);

    r.text("inspectionCode", inspectionCode);
    r.text("inspectionName", inspectionName);
    r.flag("isPensioner", isPensioner);
    r.int32("correctionNumber", correctionNumber);
    r.date("signDate", signDate);
    r.byte("signerKind", signerKind);
    r.byte("taxpayerKind", taxpayerKind);
    r.byte("formKind", formKind);
    if (formKind > 2)
        throw EJsonError(QStringLiteral("formKind: expected an integer from 0 to 2"));
    r.flag("autoCountSheets", autoCountSheets);
    r.int32("attachmentSheets", attachmentSheets);
    r.int32("autoCountedSheets", autoCountedSheets);
    r.int32Array("reservedCounts", reservedCounts);
    r.text("representativeDocument", representativeDocument);
    r.money("expectedIncome", expectedIncome);
    r.text("representativeName", representativeName);
    r.text("representativeOrgName", representativeOrgName);
    r.money("foreignerFixedPayments", foreignerFixedPayments);
    r.money("actualAdvancePayments", actualAdvancePayments);
    r.money("businessReserved", businessReserved);
    r.money("accruedAdvancePayments", accruedAdvancePayments);
    r.flag("isFarm", isFarm);
    r.date("farmFoundedDate", farmFoundedDate);
    r.money("farmExemptIncome", farmExemptIncome);
    r.money("repetitTotalA", repetitTotalA);
    r.money("repetitTotalB", repetitTotalB);

    if (const auto p = r.object("person"))
        person.FromJson(*p, QStringLiteral("person"));
    const bool agents = flags & kFlagAgents;
    listFromJson(r, "thirteenSources", thirteenSources, agents, "bit 0");
    listFromJson(r, "thirteenNrSources", thirteenNrSources, agents, "bit 0");
    listFromJson(r, "thirtyFiveSources", thirtyFiveSources, agents, "bit 0");
    listFromJson(r, "thirtySources", thirtySources, agents, "bit 0");
    listFromJson(r, "currencyIncomes", currencyIncomes, flags & kFlagCurrency, "bit 1");
    listFromJson(r, "businessActivities", businessActivities, flags & kFlagBusiness, "bit 2");
    listFromJson(r, "repetitIncomes", repetitIncomes, flags & kFlagRepetit, "bit 3");
    listFromJson(r, "notifiedPayments", notifiedPayments, true, "");
    if (const auto d = r.object("standardDeduction"))
        standardDeduction.FromJson(*d, QStringLiteral("standardDeduction"));
    if (const auto d = r.object("socialDeduction"))
        socialDeduction.FromJson(*d, QStringLiteral("socialDeduction"));
    if (const auto d = r.object("propertyDeduction"))
        propertyDeduction.FromJson(*d, QStringLiteral("propertyDeduction"));
    if (const auto d = r.object("securitiesDeduction"))
        securitiesDeduction.FromJson(*d, QStringLiteral("securitiesDeduction"));
    r.finish();
}
