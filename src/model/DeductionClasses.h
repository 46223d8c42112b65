#pragma once

#include "storage/Money.h"
#include "storage/StreamDef.h"

#include <QJsonObject>
#include <QString>
#include <array>
#include <memory>
#include <vector>

class mTDocumentStorage;

// The four deduction objects of the declaration. Their streams are written and read
// by the declaration only when it has income at all; each object writes only what
// its switches make meaningful, and reads back the same.

// Standard deductions for oneself and for children, with monthly detail.
class mTStandartDeduct {
public:
    mTStandartDeduct();

    // Element of a monthly array by month number 1..12.
    template <typename T> static T& monthAt(std::array<T, 12>& months, int month) {
        checkMonth(month);
        return months[std::size_t(month - 1)];
    }
    template <typename T> static const T& monthAt(const std::array<T, 12>& months, int month) {
        checkMonth(month);
        return months[std::size_t(month - 1)];
    }

    void SaveToStorage(mTDocumentStorage& s) const;
    void LoadFromStorage(mTDocumentStorage& s);
    qint64 StorageSize() const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    quint8 granted;
    qint32 personalCode;
    qint32 childMode;
    quint8 childrenConst;
    qint32 childrenCount;
    std::array<qint32, 12> childrenByMonth;
    quint8 disabledConst;
    qint32 disabledCount;
    std::array<qint32, 12> disabledByMonth;
    quint8 ownMonthlyData;
    std::array<Money, 12> monthIncome;
    std::array<Money, 12> monthExpense;
    std::array<quint8, 12> monthTicked;
    quint8 combinationGiven;
    std::array<qint32, 12> monthCombination;
    quint8 singleParentGiven;
    std::array<qint32, 12> monthSingleParent;
    quint8 thirdConst;
    qint32 thirdCount;
    std::array<qint32, 12> thirdByMonth;

private:
    static void checkMonth(int month);
    void save(mTDocumentStorage& s) const;
    void load(mTDocumentStorage& s);
};

// One pension contract of the social deduction; stored in a stream of its own
// named by its number.
class mTPens {
public:
    mTPens();

    void SaveToStorage(mTDocumentStorage& s, int number) const;
    void LoadFromStorage(mTDocumentStorage& s, int number);
    qint64 StorageSize(int number) const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    static QString StreamName(int number);

    qint32 contractKind;
    QString orgName;
    QString orgInn;
    QString orgKpp;
    QString contractNumber;
    double contractDate;
    Money contributionPaid;
    Money contributionClaimed;
    Money agentDeduction;
};

// Social deductions with the list of children's education payments and the
// pension contracts it owns.
class mTSocialDeduct {
public:
    mTSocialDeduct();
    mTSocialDeduct(mTSocialDeduct&&) noexcept = default;
    mTSocialDeduct& operator=(mTSocialDeduct&&) noexcept = default;

    int AddChildEducation(Money amount);
    Money GetChildEducation(int index) const;
    void SetChildEducation(int index, Money amount);
    void DeleteChildEducation(int index);
    int ChildEducationCount() const { return int(childEducation.size()); }

    int AddPensionContract();
    mTPens& GetPensionContract(int index);
    const mTPens& GetPensionContract(int index) const;
    int PensionContractCount() const { return int(pensionContracts.size()); }
    void RemovePensionContract(int index);

    void SaveToStorage(mTDocumentStorage& s) const;
    void LoadFromStorage(mTDocumentStorage& s);
    qint64 StorageSize() const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    quint8 granted;
    Money charity;
    Money ownEducation;
    std::vector<Money> childEducation;
    Money treatment;
    Money expensiveTreatment;
    Money voluntaryInsurance;
    Money extraPensionContributions;
    std::vector<std::unique_ptr<mTPens>> pensionContracts;

private:
    void checkChildEducation(int index) const;
    void checkPensionContract(int index) const;
};

// Property deduction for housing.
class mTConstructionDeduct {
public:
    mTConstructionDeduct();

    void SaveToStorage(mTDocumentStorage& s) const;
    void LoadFromStorage(mTDocumentStorage& s);
    qint64 StorageSize() const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    quint8 granted;
    qint32 objectKind;
    qint32 ownershipKind;
    qint32 taxpayerSign;
    QString objectPostIndex;
    QString objectRegionCode;
    QString objectRegionName;
    QString objectDistrict;
    QString objectCity;
    QString objectLocality;
    QString objectStreet;
    QString objectHouse;
    QString objectBuilding;
    QString objectFlat;
    double rightRegDate;
    double landRegDate;
    double actDate;
    double applicationDate;
    double firstUseYear;
    Money carriedExpenses;
    Money carriedInterest;
    Money prevDeclExpenses;
    Money prevDeclInterest;
    Money partValue;
    Money prevAgentExpenses;
    Money prevAgentInterest;
    Money objectCost;
    Money interestPaid;
    Money agentExpenses;
    Money agentInterest;
    qint32 shareNumerator;
    qint32 shareDenominator;
    quint8 byInvestment;

private:
    void save(mTDocumentStorage& s) const;
    void load(mTDocumentStorage& s);
};

// Losses of earlier years on securities and on derivatives.
class mTCBDeduct {
public:
    mTCBDeduct() = default;

    void SaveToStorage(mTDocumentStorage& s) const;
    void LoadFromStorage(mTDocumentStorage& s);
    qint64 StorageSize() const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    Money prevSecuritiesLoss;
    Money prevDerivativesLoss;
};
