#include "DeductionClasses.h"

#include "JsonIO.h"
#include "storage/DateTime.h"
#include "storage/StgClasses.h"

namespace {

// Context codes of the storage failures that pass through each object.
constexpr quint16 kStandardSave = 381;
constexpr quint16 kStandardLoad = 382;
constexpr quint16 kSocialSave = 383;
constexpr quint16 kSocialLoad = 384;
constexpr quint16 kPensSave = 375;
constexpr quint16 kPensLoad = 376;
constexpr quint16 kPropertySave = 385;
constexpr quint16 kPropertyLoad = 386;
constexpr quint16 kSecuritiesSave = 395;
constexpr quint16 kSecuritiesLoad = 396;

// An index with no entry behind it.
constexpr quint16 kBadIndex = 0;

const QString kStandardStream = QStringLiteral("@StandartDeduct");
const QString kSocialStream = QStringLiteral("@SocialDeduct");
const QString kPensStream = QStringLiteral("@Pens");
const QString kPropertyStream = QStringLiteral("@ConstructionDeduct");
const QString kSecuritiesStream = QStringLiteral("@CBDeduct");

template <typename F> void withContext(quint16 code, F&& f) {
    try {
        f();
    } catch (mEPrivBase& e) {
        e.setContextCode(code);
        throw;
    }
}

// The three late switches of the standard deduction came in after files with other
// values in their place were already around; such a value just means "not given".
quint8 readTolerantFlag(mTDocumentStorage& s) {
    try {
        return s.ReadByte();
    } catch (const EConvertError&) {
        return 0;
    } catch (const mEPrivBase&) {
        return 0;
    }
}

void writeInts(mTDocumentStorage& s, const std::array<qint32, 12>& a) {
    for (const qint32 v : a)
        s.WriteInt32(v);
}

void readInts(mTDocumentStorage& s, std::array<qint32, 12>& a) {
    for (qint32& v : a)
        v = s.ReadInt32();
}

} // namespace

// ------------------------------------------------------------ mTStandartDeduct

mTStandartDeduct::mTStandartDeduct()
    : granted(1), personalCode(103), childMode(101), childrenConst(1),
      childrenCount(0), childrenByMonth{}, disabledConst(1), disabledCount(0), disabledByMonth{},
      ownMonthlyData(0), monthIncome{}, monthExpense{}, monthTicked{},
      combinationGiven(0), monthCombination{}, singleParentGiven(0), monthSingleParent{},
      thirdConst(1), thirdCount(0), thirdByMonth{} {}

void mTStandartDeduct::checkMonth(int month) {
    if (month < 1 || month > 12)
        throw mEMemoryAllocate(StorageMessages::kNoMemory, kBadIndex);
}

void mTStandartDeduct::save(mTDocumentStorage& s) const {
    s.BeginStream(kStandardStream);
    s.WriteByte(granted);
    if (granted == 0)
        return;
    s.WriteInt32(personalCode);
    s.WriteInt32(childMode);
    s.WriteByte(childrenConst);
    if (childrenConst == 1)
        s.WriteInt32(childrenCount);
    else
        writeInts(s, childrenByMonth);
    s.WriteByte(disabledConst);
    if (disabledConst == 1)
        s.WriteInt32(disabledCount);
    else
        writeInts(s, disabledByMonth);
    s.WriteByte(ownMonthlyData);
    if (ownMonthlyData == 1) {
        for (const Money m : monthIncome)
            s.WriteMoney(m);
        for (const Money m : monthExpense)
            s.WriteMoney(m);
        for (const quint8 t : monthTicked)
            s.WriteByte(t);
    }
    s.WriteByte(combinationGiven);
    if (combinationGiven == 1)
        writeInts(s, monthCombination);
    s.WriteByte(singleParentGiven);
    if (singleParentGiven == 1)
        writeInts(s, monthSingleParent);
    s.WriteByte(thirdConst);
    if (thirdConst == 1)
        s.WriteInt32(thirdCount);
    else
        writeInts(s, thirdByMonth);
}

void mTStandartDeduct::load(mTDocumentStorage& s) {
    s.OpenStream(kStandardStream);
    granted = s.ReadByte();
    if (granted == 0)
        return;
    personalCode = s.ReadInt32();
    childMode = s.ReadInt32();
    childrenConst = s.ReadByte();
    if (childrenConst == 1)
        childrenCount = s.ReadInt32();
    else
        readInts(s, childrenByMonth);
    disabledConst = s.ReadByte();
    if (disabledConst == 1)
        disabledCount = s.ReadInt32();
    else
        readInts(s, disabledByMonth);
    ownMonthlyData = readTolerantFlag(s);
    if (ownMonthlyData == 1) {
        for (Money& m : monthIncome)
            m = s.ReadMoney();
        for (Money& m : monthExpense)
            m = s.ReadMoney();
        for (quint8& t : monthTicked)
            t = s.ReadByte();
    }
    combinationGiven = readTolerantFlag(s);
    if (combinationGiven == 1)
        readInts(s, monthCombination);
    singleParentGiven = readTolerantFlag(s);
    if (singleParentGiven == 1)
        readInts(s, monthSingleParent);
    thirdConst = s.ReadByte();
    if (thirdConst == 1)
        thirdCount = s.ReadInt32();
    else
        readInts(s, thirdByMonth);
}

void mTStandartDeduct::SaveToStorage(mTDocumentStorage& s) const {
    withContext(kStandardSave, [&] { save(s); });
}

void mTStandartDeduct::LoadFromStorage(mTDocumentStorage& s) {
    // What the file does not hold keeps its default.
    *this = mTStandartDeduct();
    withContext(kStandardLoad, [&] { load(s); });
}

qint64 mTStandartDeduct::StorageSize() const {
    return mTDocumentStorage::SizeOf([this](mTDocumentStorage& m) { save(m); });
}

QJsonObject mTStandartDeduct::ToJson() const {
    using namespace JsonIO;
    return QJsonObject{
        {"granted", flag(granted)},
        {"personalCode", personalCode},
        {"childMode", childMode},
        {"childrenConst", flag(childrenConst)},
        {"childrenCount", childrenCount},
        {"childrenByMonth", intArray(childrenByMonth)},
        {"disabledConst", flag(disabledConst)},
        {"disabledCount", disabledCount},
        {"disabledByMonth", intArray(disabledByMonth)},
        {"ownMonthlyData", flag(ownMonthlyData)},
        {"monthIncome", moneyArray(monthIncome)},
        {"monthExpense", moneyArray(monthExpense)},
        {"monthTicked", flagArray(monthTicked)},
        {"combinationGiven", flag(combinationGiven)},
        {"monthCombination", intArray(monthCombination)},
        {"singleParentGiven", flag(singleParentGiven)},
        {"monthSingleParent", intArray(monthSingleParent)},
        {"thirdConst", flag(thirdConst)},
        {"thirdCount", thirdCount},
        {"thirdByMonth", intArray(thirdByMonth)},
    };
}

void mTStandartDeduct::FromJson(const QJsonObject& o, const QString& path) {
    JsonIO::Reader r(o, path);
    r.flag("granted", granted);
    r.int32("personalCode", personalCode);
    r.int32("childMode", childMode);
    r.flag("childrenConst", childrenConst);
    r.int32("childrenCount", childrenCount);
    r.int32Array("childrenByMonth", childrenByMonth);
    r.flag("disabledConst", disabledConst);
    r.int32("disabledCount", disabledCount);
    r.int32Array("disabledByMonth", disabledByMonth);
    r.flag("ownMonthlyData", ownMonthlyData);
    r.moneyArray("monthIncome", monthIncome);
    r.moneyArray("monthExpense", monthExpense);
    r.flagArray("monthTicked", monthTicked);
    r.flag("combinationGiven", combinationGiven);
    r.int32Array("monthCombination", monthCombination);
    r.flag("singleParentGiven", singleParentGiven);
    r.int32Array("monthSingleParent", monthSingleParent);
    r.flag("thirdConst", thirdConst);
    r.int32("thirdCount", thirdCount);
    r.int32Array("thirdByMonth", thirdByMonth);
    r.finish();
}

// ---------------------------------------------------------------------- mTPens

mTPens::mTPens() : contractKind(0), contractDate(0) {}

QString mTPens::StreamName(int number) {
    return QStringLiteral("@PensSub%1").arg(number, 3, 10, QLatin1Char('0'));
}

void mTPens::SaveToStorage(mTDocumentStorage& s, int number) const {
    withContext(kPensSave, [&] {
        s.BeginStream(StreamName(number));
        s.WriteInt32(contractKind);
        s.WriteText(orgName);
        s.WriteText(orgInn);
        s.WriteText(orgKpp);
        s.WriteText(contractNumber);
        s.WriteReal(contractDate);
        s.WriteMoney(contributionPaid);
        s.WriteMoney(contributionClaimed);
        s.WriteMoney(agentDeduction);
    });
}

void mTPens::LoadFromStorage(mTDocumentStorage& s, int number) {
    withContext(kPensLoad, [&] {
        s.OpenStream(StreamName(number));
        contractKind = s.ReadInt32();
        orgName = s.ReadText();
        orgInn = s.ReadText();
        orgKpp = s.ReadText();
        contractNumber = s.ReadText();
        contractDate = s.ReadReal();
        contributionPaid = s.ReadMoney();
        contributionClaimed = s.ReadMoney();
        agentDeduction = s.ReadMoney();
    });
}

qint64 mTPens::StorageSize(int number) const {
    return mTDocumentStorage::SizeOf([&](mTDocumentStorage& m) { SaveToStorage(m, number); });
}

QJsonObject mTPens::ToJson() const {
    using namespace JsonIO;
    return QJsonObject{
        {"contractKind", contractKind},
        {"orgName", orgName},
        {"orgInn", orgInn},
        {"orgKpp", orgKpp},
        {"contractNumber", contractNumber},
        {"contractDate", date(contractDate)},
        {"contributionPaid", money(contributionPaid)},
        {"contributionClaimed", money(contributionClaimed)},
        {"agentDeduction", money(agentDeduction)},
    };
}

void mTPens::FromJson(const QJsonObject& o, const QString& path) {
    JsonIO::Reader r(o, path);
    r.int32("contractKind", contractKind);
    r.text("orgName", orgName);
    r.text("orgInn", orgInn);
    r.text("orgKpp", orgKpp);
    r.text("contractNumber", contractNumber);
    r.date("contractDate", contractDate);
    r.money("contributionPaid", contributionPaid);
    r.money("contributionClaimed", contributionClaimed);
    r.money("agentDeduction", agentDeduction);
    r.finish();
}

// -------------------------------------------------------------- mTSocialDeduct

mTSocialDeduct::mTSocialDeduct() : granted(0) {}

void mTSocialDeduct::checkChildEducation(int index) const {
    if (index < 0 || index >= ChildEducationCount())
        throw mEMemoryAllocate(StorageMessages::kNoMemory, kBadIndex);
}

void mTSocialDeduct::checkPensionContract(int index) const {
    if (index < 0 || index >= PensionContractCount())
        throw mEMemoryAllocate(StorageMessages::kNoMemory, kBadIndex);
}

int mTSocialDeduct::AddChildEducation(Money amount) {
    childEducation.push_back(amount);
    return ChildEducationCount() - 1;
}

Money mTSocialDeduct::GetChildEducation(int index) const {
    checkChildEducation(index);
    return childEducation[std::size_t(index)];
}

void mTSocialDeduct::SetChildEducation(int index, Money amount) {
    checkChildEducation(index);
    childEducation[std::size_t(index)] = amount;
}

void mTSocialDeduct::DeleteChildEducation(int index) {
    checkChildEducation(index);
    childEducation.erase(childEducation.begin() + index);
}

int mTSocialDeduct::AddPensionContract() {
    pensionContracts.push_back(std::make_unique<mTPens>());
    return PensionContractCount() - 1;
}

mTPens& mTSocialDeduct::GetPensionContract(int index) {
    checkPensionContract(index);
    return *pensionContracts[std::size_t(index)];
}

const mTPens& mTSocialDeduct::GetPensionContract(int index) const {
    checkPensionContract(index);
    return *pensionContracts[std::size_t(index)];
}

void mTSocialDeduct::RemovePensionContract(int index) {
    checkPensionContract(index);
    pensionContracts.erase(pensionContracts.begin() + index);
}

void mTSocialDeduct::SaveToStorage(mTDocumentStorage& s) const {
    withContext(kSocialSave, [&] {
        s.BeginStream(kSocialStream);
        s.WriteByte(granted);
        if (granted == 0)
            return;
        s.WriteMoney(charity);
        s.WriteMoney(ownEducation);
        s.WriteInt32(qint32(childEducation.size()));
        for (const Money m : childEducation)
            s.WriteMoney(m);
        s.WriteMoney(treatment);
        s.WriteMoney(expensiveTreatment);
        s.WriteMoney(voluntaryInsurance);
        s.WriteMoney(extraPensionContributions);
        // The list marker goes first: searching for it must not land on a contract's name.
        s.BeginStream(kPensStream);
        s.WriteInt16(qint16(pensionContracts.size()));
    });
    if (granted == 0)
        return;
    // A contract's own failure keeps the contract's context code.
    for (std::size_t i = 0; i < pensionContracts.size(); ++i)
        pensionContracts[i]->SaveToStorage(s, int(i));
}

void mTSocialDeduct::LoadFromStorage(mTDocumentStorage& s) {
    *this = mTSocialDeduct();
    quint16 contracts = 0;
    withContext(kSocialLoad, [&] {
        s.OpenStream(kSocialStream);
        granted = s.ReadByte();
        if (granted == 0)
            return;
        charity = s.ReadMoney();
        ownEducation = s.ReadMoney();
        const qint32 payments = s.ReadInt32();
        for (qint32 i = 0; i < payments; ++i)
            childEducation.push_back(s.ReadMoney());
        treatment = s.ReadMoney();
        expensiveTreatment = s.ReadMoney();
        voluntaryInsurance = s.ReadMoney();
        extraPensionContributions = s.ReadMoney();
        s.OpenStream(kPensStream);
        contracts = quint16(s.ReadInt16());
    });
    for (int i = 0; i < int(contracts); ++i)
        GetPensionContract(AddPensionContract()).LoadFromStorage(s, i);
}

qint64 mTSocialDeduct::StorageSize() const {
    return mTDocumentStorage::SizeOf([this](mTDocumentStorage& m) { SaveToStorage(m); });
}

QJsonObject mTSocialDeduct::ToJson() const {
    using namespace JsonIO;
    QJsonArray payments;
    for (const Money m : childEducation)
        payments.append(money(m));
    QJsonArray contracts;
    for (const auto& p : pensionContracts)
        contracts.append(p->ToJson());
    return QJsonObject{
        {"granted", flag(granted)},
        {"charity", money(charity)},
        {"ownEducation", money(ownEducation)},
        {"childEducation", payments},
        {"treatment", money(treatment)},
        {"expensiveTreatment", money(expensiveTreatment)},
        {"voluntaryInsurance", money(voluntaryInsurance)},
        {"extraPensionContributions", money(extraPensionContributions)},
        {"pensionContracts", contracts},
    };
}

void mTSocialDeduct::FromJson(const QJsonObject& o, const QString& path) {
    JsonIO::Reader r(o, path);
    r.flag("granted", granted);
    r.money("charity", charity);
    r.money("ownEducation", ownEducation);
    if (const auto list = r.list("childEducation")) {
        std::vector<Money> payments;
        for (qsizetype i = 0; i < list->size(); ++i)
            payments.push_back(JsonIO::Reader::moneyValue(
                list->at(i), r.path("childEducation") + QStringLiteral("[%1]").arg(i)));
        childEducation = std::move(payments);
    }
    r.money("treatment", treatment);
    r.money("expensiveTreatment", expensiveTreatment);
    r.money("voluntaryInsurance", voluntaryInsurance);
    r.money("extraPensionContributions", extraPensionContributions);
    if (const auto list = r.list("pensionContracts")) {
        std::vector<std::unique_ptr<mTPens>> contracts;
        for (qsizetype i = 0; i < list->size(); ++i) {
            const QString itemPath = r.path("pensionContracts") + QStringLiteral("[%1]").arg(i);
            auto p = std::make_unique<mTPens>();
            p->FromJson(JsonIO::Reader::objectValue(list->at(i), itemPath), itemPath);
            contracts.push_back(std::move(p));
        }
        pensionContracts = std::move(contracts);
    }
    r.finish();
}

// -------------------------------------------------------- mTConstructionDeduct

mTConstructionDeduct::mTConstructionDeduct()
    : granted(0), objectKind(0), ownershipKind(0), taxpayerSign(0),
      rightRegDate(TDateTime::fromYmd(2003, 1, 1)), landRegDate(0),
      actDate(TDateTime::fromYmd(2003, 1, 1)), applicationDate(0),
      firstUseYear(TDateTime::fromYmd(2003, 1, 1)), shareNumerator(0), shareDenominator(0),
      byInvestment(0) {}

void mTConstructionDeduct::save(mTDocumentStorage& s) const {
    s.BeginStream(kPropertyStream);
    s.WriteByte(granted);
    if (granted == 0)
        return;
    for (const qint32 v : {objectKind, ownershipKind, taxpayerSign})
        s.WriteInt32(v);
    for (const QString* t :
         {&objectPostIndex, &objectRegionCode, &objectRegionName, &objectDistrict, &objectCity,
          &objectLocality, &objectStreet, &objectHouse, &objectBuilding, &objectFlat})
        s.WriteText(*t);
    for (const double d : {rightRegDate, actDate, firstUseYear, applicationDate})
        s.WriteReal(d);
    for (const Money m : {carriedExpenses, carriedInterest, prevDeclExpenses, prevDeclInterest,
                          partValue, prevAgentExpenses, prevAgentInterest, objectCost, interestPaid,
                          agentExpenses, agentInterest})
        s.WriteMoney(m);
    s.WriteInt32(shareNumerator);
    s.WriteInt32(shareDenominator);
    s.WriteByte(byInvestment);
    s.WriteReal(landRegDate);
}

void mTConstructionDeduct::load(mTDocumentStorage& s) {
    s.OpenStream(kPropertyStream);
    granted = s.ReadByte();
    if (granted == 0)
        return;
    for (qint32* v : {&objectKind, &ownershipKind, &taxpayerSign})
        *v = s.ReadInt32();
    for (QString* t :
         {&objectPostIndex, &objectRegionCode, &objectRegionName, &objectDistrict, &objectCity,
          &objectLocality, &objectStreet, &objectHouse, &objectBuilding, &objectFlat})
        *t = s.ReadText();
    for (double* d : {&rightRegDate, &actDate, &firstUseYear, &applicationDate})
        *d = s.ReadReal();
    for (Money* m : {&carriedExpenses, &carriedInterest, &prevDeclExpenses, &prevDeclInterest,
                     &partValue, &prevAgentExpenses, &prevAgentInterest, &objectCost, &interestPaid,
                     &agentExpenses, &agentInterest})
        *m = s.ReadMoney();
    shareNumerator = s.ReadInt32();
    shareDenominator = s.ReadInt32();
    byInvestment = s.ReadByte();
    landRegDate = s.ReadReal();
}

void mTConstructionDeduct::SaveToStorage(mTDocumentStorage& s) const {
    withContext(kPropertySave, [&] { save(s); });
}

void mTConstructionDeduct::LoadFromStorage(mTDocumentStorage& s) {
    *this = mTConstructionDeduct();
    withContext(kPropertyLoad, [&] { load(s); });
}

qint64 mTConstructionDeduct::StorageSize() const {
    return mTDocumentStorage::SizeOf([this](mTDocumentStorage& m) { save(m); });
}

QJsonObject mTConstructionDeduct::ToJson() const {
    using namespace JsonIO;
    return QJsonObject{
        {"granted", flag(granted)},
        {"objectKind", objectKind},
        {"ownershipKind", ownershipKind},
        {"taxpayerSign", taxpayerSign},
        {"objectPostIndex", objectPostIndex},
        {"objectRegionCode", objectRegionCode},
        {"objectRegionName", objectRegionName},
        {"objectDistrict", objectDistrict},
        {"objectCity", objectCity},
        {"objectLocality", objectLocality},
        {"objectStreet", objectStreet},
        {"objectHouse", objectHouse},
        {"objectBuilding", objectBuilding},
        {"objectFlat", objectFlat},
        {"rightRegDate", date(rightRegDate)},
        {"landRegDate", date(landRegDate)},
        {"actDate", date(actDate)},
        {"applicationDate", date(applicationDate)},
        {"firstUseYear", date(firstUseYear)},
        {"carriedExpenses", money(carriedExpenses)},
        {"carriedInterest", money(carriedInterest)},
        {"prevDeclExpenses", money(prevDeclExpenses)},
        {"prevDeclInterest", money(prevDeclInterest)},
        {"partValue", money(partValue)},
        {"prevAgentExpenses", money(prevAgentExpenses)},
        {"prevAgentInterest", money(prevAgentInterest)},
        {"objectCost", money(objectCost)},
        {"interestPaid", money(interestPaid)},
        {"agentExpenses", money(agentExpenses)},
        {"agentInterest", money(agentInterest)},
        {"shareNumerator", shareNumerator},
        {"shareDenominator", shareDenominator},
        {"byInvestment", flag(byInvestment)},
    };
}

void mTConstructionDeduct::FromJson(const QJsonObject& o, const QString& path) {
    JsonIO::Reader r(o, path);
    r.flag("granted", granted);
    r.int32("objectKind", objectKind);
    r.int32("ownershipKind", ownershipKind);
    r.int32("taxpayerSign", taxpayerSign);
    r.text("objectPostIndex", objectPostIndex);
    r.text("objectRegionCode", objectRegionCode);
    r.text("objectRegionName", objectRegionName);
    r.text("objectDistrict", objectDistrict);
    r.text("objectCity", objectCity);
    r.text("objectLocality", objectLocality);
    r.text("objectStreet", objectStreet);
    r.text("objectHouse", objectHouse);
    r.text("objectBuilding", objectBuilding);
    r.text("objectFlat", objectFlat);
    r.date("rightRegDate", rightRegDate);
    r.date("landRegDate", landRegDate);
    r.date("actDate", actDate);
    r.date("applicationDate", applicationDate);
    r.date("firstUseYear", firstUseYear);
    r.money("carriedExpenses", carriedExpenses);
    r.money("carriedInterest", carriedInterest);
    r.money("prevDeclExpenses", prevDeclExpenses);
    r.money("prevDeclInterest", prevDeclInterest);
    r.money("partValue", partValue);
    r.money("prevAgentExpenses", prevAgentExpenses);
    r.money("prevAgentInterest", prevAgentInterest);
    r.money("objectCost", objectCost);
    r.money("interestPaid", interestPaid);
    r.money("agentExpenses", agentExpenses);
    r.money("agentInterest", agentInterest);
    r.int32("shareNumerator", shareNumerator);
    r.int32("shareDenominator", shareDenominator);
    r.flag("byInvestment", byInvestment);
    r.finish();
}

// ------------------------------------------------------------------ mTCBDeduct

void mTCBDeduct::SaveToStorage(mTDocumentStorage& s) const {
    withContext(kSecuritiesSave, [&] {
        s.BeginStream(kSecuritiesStream);
        s.WriteMoney(prevSecuritiesLoss);
        s.WriteMoney(prevDerivativesLoss);
    });
}

void mTCBDeduct::LoadFromStorage(mTDocumentStorage& s) {
    withContext(kSecuritiesLoad, [&] {
        s.OpenStream(kSecuritiesStream);
        prevSecuritiesLoss = s.ReadMoney();
        prevDerivativesLoss = s.ReadMoney();
    });
}

qint64 mTCBDeduct::StorageSize() const {
    return mTDocumentStorage::SizeOf([this](mTDocumentStorage& m) { SaveToStorage(m); });
}

QJsonObject mTCBDeduct::ToJson() const {
    return QJsonObject{
        {"prevSecuritiesLoss", JsonIO::money(prevSecuritiesLoss)},
        {"prevDerivativesLoss", JsonIO::money(prevDerivativesLoss)},
    };
}

void mTCBDeduct::FromJson(const QJsonObject& o, const QString& path) {
    JsonIO::Reader r(o, path);
    r.money("prevSecuritiesLoss", prevSecuritiesLoss);
    r.money("prevDerivativesLoss", prevDerivativesLoss);
    r.finish();
}
