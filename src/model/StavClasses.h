#pragma once

#include "storage/DateTime.h"
#include "storage/Money.h"
#include "storage/StgClasses.h"

#include <QJsonObject>
#include <QString>
#include <array>
#include <vector>

// Income by payment source and the other income elements of the declaration.
// Each element writes and reads its own streams, named with its index in its list.

// A payer (tax agent) in the country; the rate classes below share these fields.
class mTSourseIncomeInfo {
public:
    virtual ~mTSourseIncomeInfo() = default;

    QString sourceInn, sourceKpp, sourceOkato, sourceName;
    Money totalIncome, taxWithheld;

    // number: the payer's index in its list; nonResident picks the non-resident
    // stream names (only the 13 percent payer has them).
    virtual void SaveToStorage(mTDocumentStorage& s, int number, bool nonResident) const = 0;
    virtual void LoadFromStorage(mTDocumentStorage& s, int number, bool nonResident) = 0;
    // Exactly the bytes SaveToStorage writes.
    qint64 StorageSize(int number, bool nonResident) const;

    virtual QJsonObject ToJson() const = 0;
    // path names this object in error messages ("thirteenSources[0]").
    virtual void FromJson(const QJsonObject& o, const QString& path) = 0;

protected:
    mTSourseIncomeInfo() = default;
    mTSourseIncomeInfo(const mTSourseIncomeInfo&) = default;
    mTSourseIncomeInfo& operator=(const mTSourseIncomeInfo&) = default;
    mTSourseIncomeInfo(mTSourseIncomeInfo&&) = default;
    mTSourseIncomeInfo& operator=(mTSourseIncomeInfo&&) = default;

    void writeSourceTexts(mTDocumentStorage& s) const;
    void readSourceTexts(mTDocumentStorage& s);
    void sourceToJson(QJsonObject& o) const;
};

// A payer of income at 13 percent, resident or non-resident. totalIncome is not
// stored: it is the sum of the rows and only the row operations change it.
class mTThirteenPercent : public mTSourseIncomeInfo {
public:
    struct IncomeRow {
        qint32 incomeCode = 0;
        QString incomeName;
        Money amount;
        qint32 deductionCode = 0; // 0 = none
        Money deductionAmount;
        qint32 deductionRate = 0; // normative percent of the deduction code, 0 when blank
        qint16 month = 0;         // 1..12

        bool operator==(const IncomeRow&) const = default;
    };
    struct MonthValue {
        bool present = false;
        Money amount; // 0 when absent

        bool operator==(const MonthValue&) const = default;
    };

    std::array<MonthValue, 12> monthlyStdDeduction{};
    Money taxComputed;
    Money taxableIncome;
    Money reservedAmount;
    quint8 stdDeductionsHere = 0;

    int AddRow(const IncomeRow& row);
    void ReplaceRow(int index, const IncomeRow& row);
    void DeleteRow(int index);
    int RowCount() const { return int(rows_.size()); }
    const IncomeRow& GetRow(int index) const { return rows_.at(std::size_t(index)); }
    const std::vector<IncomeRow>& rows() const { return rows_; }

    // month 0..11; the absent marker (-1) makes the month absent.
    void SetMonthValue(int month, Money value);

    void SaveToStorage(mTDocumentStorage& s, int number, bool nonResident) const override;
    void LoadFromStorage(mTDocumentStorage& s, int number, bool nonResident) override;
    QJsonObject ToJson() const override;
    void FromJson(const QJsonObject& o, const QString& path) override;

    static QString PayerStreamName(int number, bool nonResident);
    static QString RowStreamName(int number, int row, bool nonResident);

private:
    std::vector<IncomeRow> rows_;
};

// A payer of income at 35 percent: one income code, one deduction.
class mTThirtyFivePercent : public mTSourseIncomeInfo {
public:
    qint32 incomeCode = 0;
    qint32 deductionCode = 0;
    Money deductionAmount;

    void SaveToStorage(mTDocumentStorage& s, int number, bool nonResident) const override;
    void LoadFromStorage(mTDocumentStorage& s, int number, bool nonResident) override;
    QJsonObject ToJson() const override;
    void FromJson(const QJsonObject& o, const QString& path) override;

    static QString StreamName(int number);
};

// A payer of dividends; totalIncome is the amount of dividends.
class mTThirtyPercent : public mTSourseIncomeInfo {
public:
    qint32 incomeCode = 1010;
    Money taxComputed;
    Money taxableAmount;

    void SaveToStorage(mTDocumentStorage& s, int number, bool nonResident) const override;
    void LoadFromStorage(mTDocumentStorage& s, int number, bool nonResident) override;
    QJsonObject ToJson() const override;
    void FromJson(const QJsonObject& o, const QString& path) override;

    static QString StreamName(int number);
};

// One receipt of income abroad in a foreign currency. The rouble amounts follow
// from the currency amounts and the rates; the setters keep them so.
class mTCurrencyIncome {
public:
    qint32 incomeRate = 0;
    qint32 incomeCode = 0;
    QString incomeName;
    QString sourceName;
    QString countryCode;
    double incomeDate = TDateTime::fromYmd(2011, 1, 1);
    double taxPaidDate = TDateTime::fromYmd(2011, 1, 1);
    quint8 autoRate = 0;
    QString currencyCode;
    Money rateOnIncomeDate;
    qint32 unitsOnIncomeDate = 0;
    Money rateOnTaxDate;
    qint32 unitsOnTaxDate = 0;
    QString currencyName;
    Money incomeInCurrency;
    Money incomeInRubles;
    Money taxInCurrency;
    Money taxInRubles;
    qint32 deductionCode = 0;
    Money deductionAmount;
    qint32 deductionRate = 0;

    void SetIncomeInCurrency(Money amount);
    void SetTaxInCurrency(Money amount);
    // A rate change recomputes the rouble amount it governs as well.
    void SetRateOnIncomeDate(Money rate, qint32 units);
    void SetRateOnTaxDate(Money rate, qint32 units);
    // amount ÷ units × rate in kopecks; 0 when units is 0.
    static Money ToRubles(Money amount, qint32 units, Money rate);

    void SaveToStorage(mTDocumentStorage& s, int number) const;
    void LoadFromStorage(mTDocumentStorage& s, int number);
    qint64 StorageSize(int number) const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    static QString StreamName(int number);
};

// One kind of business or professional activity. Expense details are stored only
// when the expenses are confirmed; otherwise only unconfirmedExpenses is.
class mTBusinessNew {
public:
    QString activityKind; // "1".."4"
    QString activityCode = QStringLiteral("..");
    Money income;
    quint8 hasConfirmedExpenses = 1;
    Money expensesTotal;
    Money materialExpenses;
    Money depreciation;
    Money labourExpenses;
    Money labourContractExpenses;
    Money otherExpenses;
    std::array<Money, 13> otherExpenseParts{};
    Money unconfirmedExpenses;

    void SaveToStorage(mTDocumentStorage& s, int number) const;
    void LoadFromStorage(mTDocumentStorage& s, int number);
    qint64 StorageSize(int number) const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    static QString StreamName(int number);
    static QString ExpenseStreamName(int number);
};

// A tutor or private-practice activity; kept for the file format.
class mTRepetitNew {
public:
    QString repetitName;
    // Income, total expenses, material, energy, non-depreciable property,
    // depreciation, labour, of which under labour contracts, other, then twelve
    // components of the other expenses.
    std::array<Money, 21> repetitAmounts{};

    void SaveToStorage(mTDocumentStorage& s, int number) const;
    void LoadFromStorage(mTDocumentStorage& s, int number);
    qint64 StorageSize(int number) const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    static QString StreamName(int number);
};

// A tax payment made on a tax notification.
class mTNalog {
public:
    QString paymentLabel;
    QString budgetCode;
    Money paymentAmount;

    void SaveToStorage(mTDocumentStorage& s, int number) const;
    void LoadFromStorage(mTDocumentStorage& s, int number);
    qint64 StorageSize(int number) const;
    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);

    static QString StreamName(int number);
};
