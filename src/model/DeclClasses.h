#pragma once

#include "DeductionClasses.h"
#include "OwnedList.h"
#include "PersonClasses.h"
#include "StavClasses.h"

#include <QJsonObject>
#include <QString>
#include <array>

class mTDocumentStorage;

// The whole declaration: conditions, the declarant, income and deductions.
class mTDeclaration {
public:
    static inline const QString kSignature = QStringLiteral("Qarv2011");

    mTDeclaration();
    mTDeclaration(const mTDeclaration&) = delete;
    mTDeclaration& operator=(const mTDeclaration&) = delete;

    // "@DeclInfo", in stored order.
    QString inspectionCode;
    QString inspectionName;
    quint8 isPensioner = 0;
    qint32 correctionNumber = 0;
    double signDate = 0;
    quint8 signerKind = 0;   // 0 in person, 1 representative person, 2 representative organisation
    quint8 taxpayerKind = 5; // 0 entrepreneur, 1 farm head, 2 notary, 3 lawyer, 5 other
    quint8 formKind = 0;     // 0 3-NDFL, 1 3-NDFL non-resident, 2 4-NDFL
    quint8 autoCountSheets = 0;
    qint32 attachmentSheets = 0;
    qint32 autoCountedSheets = 0;
    std::array<qint32, 8> reservedCounts{};
    QString representativeDocument;
    Money expectedIncome;
    QString representativeName;
    QString representativeOrgName;
    Money foreignerFixedPayments;

    // "@DeclBusiness" scalars.
    Money actualAdvancePayments;
    Money businessReserved;
    Money accruedAdvancePayments;
    quint8 isFarm = 0;
    double farmFoundedDate = 0;
    Money farmExemptIncome;
    // "@DeclRepetit" scalars.
    Money repetitTotalA;
    Money repetitTotalB;

    quint8 incomeFlags() const { return incomeFlags_; }
    void SetIncomeFlags(quint8 flags);
    void SetAttachmentSheets(qint32 n);
    void UpdateAutoSheets(qint32 n);

    static constexpr quint8 kFlagAgents = 1;
    static constexpr quint8 kFlagCurrency = 2;
    static constexpr quint8 kFlagBusiness = 4;
    static constexpr quint8 kFlagRepetit = 8;

    mTPersonInformation person;
    mTOwnedList<mTThirteenPercent> thirteenSources;
    mTOwnedList<mTThirteenPercent> thirteenNrSources;
    mTOwnedList<mTThirtyFivePercent> thirtyFiveSources;
    mTOwnedList<mTThirtyPercent> thirtySources;
    mTOwnedList<mTCurrencyIncome> currencyIncomes;
    mTOwnedList<mTBusinessNew> businessActivities;
    mTOwnedList<mTRepetitNew> repetitIncomes;
    mTOwnedList<mTNalog> notifiedPayments;
    mTStandartDeduct standardDeduction;
    mTSocialDeduct socialDeduction;
    mTConstructionDeduct propertyDeduction;
    mTCBDeduct securitiesDeduction;

    // The whole file is written beside the old one and put in its place only when
    // complete: a failure leaves the old file as it was.
    void SaveToFile(const QString& fileName) const;
    // Into a new declaration. Failures are mEPrivBase; a damaged file gives the
    // bad-format message.
    void LoadFromFile(const QString& fileName);
    // The same from a document file's bytes in memory.
    void LoadFromBlock(QByteArrayView block);
    qint64 ComputeFileSize() const;

    // The new-document state the main window's New command makes.
    void InitAsNewDocument(double signDateValue);

    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o);

private:
    void SaveToStorage(mTDocumentStorage& s) const;
    void LoadFromStorage(mTDocumentStorage& s);
    // Header, then content, with the damaged-file messages of a load.
    void loadOpened(mTDocumentStorage& s);

    quint8 incomeFlags_ = 0;
};
