#include "StavClasses.h"

#include "JsonIO.h"

#include <QJsonArray>
#include <algorithm>
#include <limits>

namespace {

// What a month without a value reads as ("a" in the file).
constexpr Money kAbsent = Money::fromRaw(-Money::kScale);

// Context codes: where a storage failure happened, for diagnosis.
constexpr quint16 kCtxThirteen = 372;
constexpr quint16 kCtxThirtyFiveSave = 373;
constexpr quint16 kCtxThirtyFiveLoad = 374;
constexpr quint16 kCtxThirtySave = 375;
constexpr quint16 kCtxThirtyLoad = 376;
constexpr quint16 kCtxCurrencySave = 377;
constexpr quint16 kCtxCurrencyLoad = 378;
constexpr quint16 kCtxBusinessSave = 379;
constexpr quint16 kCtxBusinessLoad = 380;
constexpr quint16 kCtxRepetitSave = 393;
constexpr quint16 kCtxRepetitLoad = 394;
// The notified payments share the 30 percent payer's codes.
constexpr quint16 kCtxNalogSave = 375;
constexpr quint16 kCtxNalogLoad = 376;

template <typename F> void withContext(quint16 code, F&& body) {
    try {
        body();
    } catch (mEPrivBase& e) {
        e.setContextCode(code);
        throw;
    }
}

QString numbered(const char* prefix, int number) {
    return mTDocumentStorage::StreamName(prefix, number);
}

QString itemPath(const QString& listPath, qsizetype i) {
    return QStringLiteral("%1[%2]").arg(listPath).arg(i);
}

} // namespace

// ------------------------------------------------------------ mTSourseIncomeInfo

qint64 mTSourseIncomeInfo::StorageSize(int number, bool nonResident) const {
    return mTDocumentStorage::SizeOf(
        [&](mTDocumentStorage& s) { SaveToStorage(s, number, nonResident); });
}

void mTSourseIncomeInfo::writeSourceTexts(mTDocumentStorage& s) const {
    s.WriteText(sourceInn);
    s.WriteText(sourceKpp);
    s.WriteText(sourceOkato);
    s.WriteText(sourceName);
}

void mTSourseIncomeInfo::readSourceTexts(mTDocumentStorage& s) {
    sourceInn = s.ReadText();
    sourceKpp = s.ReadText();
    sourceOkato = s.ReadText();
    sourceName = s.ReadText();
}

void mTSourseIncomeInfo::sourceToJson(QJsonObject& o) const {
    o.insert(QStringLiteral("sourceInn"), sourceInn);
    o.insert(QStringLiteral("sourceKpp"), sourceKpp);
    o.insert(QStringLiteral("sourceOkato"), sourceOkato);
    o.insert(QStringLiteral("sourceName"), sourceName);
    o.insert(QStringLiteral("totalIncome"), JsonIO::money(totalIncome));
    o.insert(QStringLiteral("taxWithheld"), JsonIO::money(taxWithheld));
}

namespace {
void readSourceJson(JsonIO::Reader& r, mTSourseIncomeInfo& p) {
    r.text("sourceInn", p.sourceInn);
    r.text("sourceKpp", p.sourceKpp);
    r.text("sourceOkato", p.sourceOkato);
    r.text("sourceName", p.sourceName);
    r.money("taxWithheld", p.taxWithheld);
}
} // namespace

// ------------------------------------------------------------- mTThirteenPercent

QString mTThirteenPercent::PayerStreamName(int number, bool nonResident) {
    return numbered(nonResident ? "@ThirteenPerceNR" : "@ThirteenPercent", number);
}

QString mTThirteenPercent::RowStreamName(int number, int row, bool nonResident) {
    return mTDocumentStorage::StreamName(nonResident ? "@SourseIncoNR" : "@SourseIncome", number,
                                         row);
}

int mTThirteenPercent::AddRow(const IncomeRow& row) {
    rows_.push_back(row);
    totalIncome += row.amount;
    return int(rows_.size()) - 1;
}

void mTThirteenPercent::ReplaceRow(int index, const IncomeRow& row) {
    IncomeRow& target = rows_.at(std::size_t(index));
    totalIncome -= target.amount;
    target = row;
    totalIncome += row.amount;
}

void mTThirteenPercent::DeleteRow(int index) {
    const Money amount = rows_.at(std::size_t(index)).amount;
    rows_.erase(rows_.begin() + index);
    totalIncome -= amount;
}

void mTThirteenPercent::SetMonthValue(int month, Money value) {
    MonthValue& m = monthlyStdDeduction.at(std::size_t(month));
    if (value == kAbsent)
        m = MonthValue{};
    else
        m = MonthValue{true, value};
}

void mTThirteenPercent::SaveToStorage(mTDocumentStorage& s, int number, bool nonResident) const {
    withContext(kCtxThirteen, [&] {
        s.BeginStream(PayerStreamName(number, nonResident));
        s.WriteByte(stdDeductionsHere);
        writeSourceTexts(s);
        s.WriteMoney(taxWithheld);
        s.WriteMoney(taxableIncome);
        s.WriteMoney(taxComputed);
        s.WriteMoney(reservedAmount);
        for (const MonthValue& m : monthlyStdDeduction) {
            if (m.present)
                s.WriteMoney(m.amount);
            else
                s.WriteText(QStringLiteral("a"));
        }
        s.WriteInt32(qint32(rows_.size()));
        for (int r = 0; r < int(rows_.size()); ++r) {
            const IncomeRow& row = rows_[std::size_t(r)];
            s.BeginStream(RowStreamName(number, r, nonResident));
            s.WriteInt32(row.incomeCode);
            s.WriteText(row.incomeName);
            s.WriteMoney(row.amount);
            s.WriteInt32(row.deductionCode);
            s.WriteMoney(row.deductionAmount);
            s.WriteInt32(row.deductionRate);
            s.WriteInt16(row.month);
        }
    });
}

void mTThirteenPercent::LoadFromStorage(mTDocumentStorage& s, int number, bool nonResident) {
    // Read into a fresh payer so that a failed load leaves this one as it was.
    mTThirteenPercent p;
    withContext(kCtxThirteen, [&] {
        s.OpenStream(PayerStreamName(number, nonResident));
        if (s.version() >= mTDocumentStorage::kVersion11)
            p.stdDeductionsHere = s.ReadByte();
        p.readSourceTexts(s);
        p.taxWithheld = s.ReadMoney();
        p.taxableIncome = s.ReadMoney();
        p.taxComputed = s.ReadMoney();
        p.reservedAmount = s.ReadMoney();
        for (int m = 0; m < 12; ++m)
            p.SetMonthValue(m, s.ReadMoney());
        const qint32 n = s.ReadInt32();
        for (qint32 r = 0; r < n; ++r) {
            IncomeRow row;
            s.OpenStream(RowStreamName(number, r, nonResident));
            row.incomeCode = s.ReadInt32();
            row.incomeName = s.ReadText();
            row.amount = s.ReadMoney();
            row.deductionCode = s.ReadInt32();
            row.deductionAmount = s.ReadMoney();
            row.deductionRate = s.ReadInt32();
            row.month = s.ReadInt16();
            p.AddRow(row);
        }
    });
    *this = std::move(p);
}

namespace {
QJsonObject rowToJson(const mTThirteenPercent::IncomeRow& row) {
    QJsonObject o;
    o.insert(QStringLiteral("incomeCode"), row.incomeCode);
    o.insert(QStringLiteral("incomeName"), row.incomeName);
    o.insert(QStringLiteral("amount"), JsonIO::money(row.amount));
    o.insert(QStringLiteral("deductionCode"), row.deductionCode);
    o.insert(QStringLiteral("deductionAmount"), JsonIO::money(row.deductionAmount));
    o.insert(QStringLiteral("deductionRate"), row.deductionRate);
    o.insert(QStringLiteral("month"), row.month);
    return o;
}

mTThirteenPercent::IncomeRow rowFromJson(const QJsonValue& v, const QString& path) {
    JsonIO::Reader r(JsonIO::Reader::objectValue(v, path), path);
    mTThirteenPercent::IncomeRow row;
    r.int32("incomeCode", row.incomeCode);
    r.text("incomeName", row.incomeName);
    r.money("amount", row.amount);
    r.int32("deductionCode", row.deductionCode);
    r.money("deductionAmount", row.deductionAmount);
    r.int32("deductionRate", row.deductionRate);
    r.int16("month", row.month);
    r.finish();
    return row;
}
} // namespace

QJsonObject mTThirteenPercent::ToJson() const {
    QJsonObject o;
    sourceToJson(o);
    QJsonArray rows;
    for (const IncomeRow& row : rows_)
        rows.append(rowToJson(row));
    o.insert(QStringLiteral("rows"), rows);
    QJsonArray months;
    for (const MonthValue& m : monthlyStdDeduction)
        months.append(m.present ? JsonIO::money(m.amount) : QJsonValue(QJsonValue::Null));
    o.insert(QStringLiteral("monthlyStdDeduction"), months);
    o.insert(QStringLiteral("taxComputed"), JsonIO::money(taxComputed));
    o.insert(QStringLiteral("taxableIncome"), JsonIO::money(taxableIncome));
    o.insert(QStringLiteral("reservedAmount"), JsonIO::money(reservedAmount));
    o.insert(QStringLiteral("stdDeductionsHere"), JsonIO::flag(stdDeductionsHere));
    return o;
}

void mTThirteenPercent::FromJson(const QJsonObject& o, const QString& path) {
    mTThirteenPercent p = *this;
    JsonIO::Reader r(o, path);
    readSourceJson(r, p);
    r.money("taxComputed", p.taxComputed);
    r.money("taxableIncome", p.taxableIncome);
    r.money("reservedAmount", p.reservedAmount);
    r.flag("stdDeductionsHere", p.stdDeductionsHere);
    if (const auto v = r.value("monthlyStdDeduction")) {
        const QString key = r.path("monthlyStdDeduction");
        if (!v->isArray() || v->toArray().size() != 12)
            throw EJsonError(QStringLiteral("%1: expected an array of 12").arg(key));
        const QJsonArray months = v->toArray();
        for (int m = 0; m < 12; ++m) {
            const QJsonValue item = months.at(m);
            p.SetMonthValue(m, item.isNull() ? kAbsent
                                             : JsonIO::Reader::moneyValue(item, itemPath(key, m)));
        }
    }
    if (const auto list = r.list("rows")) {
        p.rows_.clear();
        for (qsizetype i = 0; i < list->size(); ++i)
            p.rows_.push_back(rowFromJson(list->at(i), itemPath(r.path("rows"), i)));
    }
    // Whatever the total was, it follows from the rows.
    p.totalIncome = Money();
    for (const IncomeRow& row : p.rows_)
        p.totalIncome += row.amount;
    if (r.has("totalIncome")) {
        Money given;
        r.money("totalIncome", given);
        if (given != p.totalIncome)
            throw EJsonError(
                QStringLiteral("%1: %2 is not the sum of the rows, %3")
                    .arg(r.path("totalIncome"), given.toString(), p.totalIncome.toString()));
    }
    r.finish();
    *this = std::move(p);
}

// ----------------------------------------------------------- mTThirtyFivePercent

QString mTThirtyFivePercent::StreamName(int number) {
    return numbered("@ThirtyFivePercent", number);
}

void mTThirtyFivePercent::SaveToStorage(mTDocumentStorage& s, int number, bool) const {
    withContext(kCtxThirtyFiveSave, [&] {
        s.BeginStream(StreamName(number));
        s.WriteInt32(incomeCode);
        writeSourceTexts(s);
        s.WriteMoney(totalIncome);
        s.WriteInt32(deductionCode);
        s.WriteMoney(deductionAmount);
        s.WriteMoney(taxWithheld);
    });
}

void mTThirtyFivePercent::LoadFromStorage(mTDocumentStorage& s, int number, bool) {
    mTThirtyFivePercent p;
    withContext(kCtxThirtyFiveLoad, [&] {
        s.OpenStream(StreamName(number));
        p.incomeCode = s.ReadInt32();
        p.readSourceTexts(s);
        p.totalIncome = s.ReadMoney();
        p.deductionCode = s.ReadInt32();
        p.deductionAmount = s.ReadMoney();
        p.taxWithheld = s.ReadMoney();
    });
    *this = std::move(p);
}

QJsonObject mTThirtyFivePercent::ToJson() const {
    QJsonObject o;
    sourceToJson(o);
    o.insert(QStringLiteral("incomeCode"), incomeCode);
    o.insert(QStringLiteral("deductionCode"), deductionCode);
    o.insert(QStringLiteral("deductionAmount"), JsonIO::money(deductionAmount));
    return o;
}

void mTThirtyFivePercent::FromJson(const QJsonObject& o, const QString& path) {
    mTThirtyFivePercent p = *this;
    JsonIO::Reader r(o, path);
    readSourceJson(r, p);
    r.money("totalIncome", p.totalIncome);
    r.int32("incomeCode", p.incomeCode);
    r.int32("deductionCode", p.deductionCode);
    r.money("deductionAmount", p.deductionAmount);
    r.finish();
    *this = std::move(p);
}

// --------------------------------------------------------------- mTThirtyPercent

QString mTThirtyPercent::StreamName(int number) {
    return numbered("@ThirtyPercent", number);
}

void mTThirtyPercent::SaveToStorage(mTDocumentStorage& s, int number, bool) const {
    withContext(kCtxThirtySave, [&] {
        s.BeginStream(StreamName(number));
        s.WriteInt32(incomeCode);
        writeSourceTexts(s);
        s.WriteMoney(totalIncome);
        s.WriteMoney(taxComputed);
        s.WriteMoney(taxableAmount);
        s.WriteMoney(taxWithheld);
    });
}

void mTThirtyPercent::LoadFromStorage(mTDocumentStorage& s, int number, bool) {
    mTThirtyPercent p;
    withContext(kCtxThirtyLoad, [&] {
        s.OpenStream(StreamName(number));
        p.incomeCode = s.ReadInt32();
        p.readSourceTexts(s);
        p.totalIncome = s.ReadMoney();
        p.taxComputed = s.ReadMoney();
        p.taxableAmount = s.ReadMoney();
        p.taxWithheld = s.ReadMoney();
    });
    *this = std::move(p);
}

QJsonObject mTThirtyPercent::ToJson() const {
    QJsonObject o;
    sourceToJson(o);
    o.insert(QStringLiteral("incomeCode"), incomeCode);
    o.insert(QStringLiteral("taxComputed"), JsonIO::money(taxComputed));
    o.insert(QStringLiteral("taxableAmount"), JsonIO::money(taxableAmount));
    return o;
}

void mTThirtyPercent::FromJson(const QJsonObject& o, const QString& path) {
    mTThirtyPercent p = *this;
    JsonIO::Reader r(o, path);
    readSourceJson(r, p);
    r.money("totalIncome", p.totalIncome);
    r.int32("incomeCode", p.incomeCode);
    r.money("taxComputed", p.taxComputed);
    r.money("taxableAmount", p.taxableAmount);
    r.finish();
    *this = std::move(p);
}

// -------------------------------------------------------------- mTCurrencyIncome

QString mTCurrencyIncome::StreamName(int number) {
    return numbered("@CurrencyIncome", number);
}

Money mTCurrencyIncome::ToRubles(Money amount, qint32 units, Money rate) {
    if (units == 0)
        return Money();
    // Both factors are exact decimals, so the product is taken exactly: in binary
    // floating point 0.29 x 30.5 = 8.845 comes out just below and lost its kopeck.
    __int128 num = __int128(amount.raw()) * rate.raw();
    __int128 den = __int128(units) * Money::kScale * 100; // kopecks of the product
    if (den < 0) {
        num = -num;
        den = -den;
    }
    __int128 kopecks = num / den; // toward zero: a negative value is truncated
    if (num > 0 && (num % den) * 2 >= den)
        ++kopecks;
    constexpr __int128 kLimit = std::numeric_limits<qint64>::max() / 100;
    kopecks = std::clamp<__int128>(kopecks, -kLimit, kLimit);
    return Money::fromRaw(qint64(kopecks) * 100);
}

void mTCurrencyIncome::SetIncomeInCurrency(Money amount) {
    incomeInCurrency = amount;
    incomeInRubles = ToRubles(amount, unitsOnIncomeDate, rateOnIncomeDate);
}

void mTCurrencyIncome::SetTaxInCurrency(Money amount) {
    taxInCurrency = amount;
    taxInRubles = ToRubles(amount, unitsOnTaxDate, rateOnTaxDate);
}

void mTCurrencyIncome::SetRateOnIncomeDate(Money rate, qint32 units) {
    rateOnIncomeDate = rate;
    unitsOnIncomeDate = units;
    SetIncomeInCurrency(incomeInCurrency);
}

void mTCurrencyIncome::SetRateOnTaxDate(Money rate, qint32 units) {
    rateOnTaxDate = rate;
    unitsOnTaxDate = units;
    SetTaxInCurrency(taxInCurrency);
}

void mTCurrencyIncome::SaveToStorage(mTDocumentStorage& s, int number) const {
    withContext(kCtxCurrencySave, [&] {
        s.BeginStream(StreamName(number));
        s.WriteInt32(incomeRate);
        s.WriteInt32(incomeCode);
        s.WriteText(incomeName);
        s.WriteText(sourceName);
        s.WriteText(countryCode);
        s.WriteReal(incomeDate);
        s.WriteReal(taxPaidDate);
        s.WriteByte(autoRate);
        s.WriteText(currencyCode);
        s.WriteMoney(rateOnIncomeDate);
        s.WriteInt32(unitsOnIncomeDate);
        s.WriteMoney(rateOnTaxDate);
        s.WriteInt32(unitsOnTaxDate);
        s.WriteText(currencyName);
        s.WriteMoney(incomeInCurrency);
        s.WriteMoney(incomeInRubles);
        s.WriteMoney(taxInCurrency);
        s.WriteMoney(taxInRubles);
        s.WriteInt32(deductionCode);
        s.WriteMoney(deductionAmount);
        s.WriteInt32(deductionRate);
    });
}

void mTCurrencyIncome::LoadFromStorage(mTDocumentStorage& s, int number) {
    mTCurrencyIncome c;
    withContext(kCtxCurrencyLoad, [&] {
        s.OpenStream(StreamName(number));
        c.incomeRate = s.ReadInt32();
        c.incomeCode = s.ReadInt32();
        c.incomeName = s.ReadText();
        c.sourceName = s.ReadText();
        c.countryCode = s.ReadText();
        c.incomeDate = s.ReadReal();
        c.taxPaidDate = s.ReadReal();
        c.autoRate = s.ReadByte();
        c.currencyCode = s.ReadText();
        c.rateOnIncomeDate = s.ReadMoney();
        c.unitsOnIncomeDate = s.ReadInt32();
        c.rateOnTaxDate = s.ReadMoney();
        c.unitsOnTaxDate = s.ReadInt32();
        c.currencyName = s.ReadText();
        // The rouble amounts are taken as stored: they are what was declared.
        c.incomeInCurrency = s.ReadMoney();
        c.incomeInRubles = s.ReadMoney();
        c.taxInCurrency = s.ReadMoney();
        c.taxInRubles = s.ReadMoney();
        c.deductionCode = s.ReadInt32();
        c.deductionAmount = s.ReadMoney();
        c.deductionRate = s.ReadInt32();
    });
    *this = std::move(c);
}

qint64 mTCurrencyIncome::StorageSize(int number) const {
    return mTDocumentStorage::SizeOf([&](mTDocumentStorage& s) { SaveToStorage(s, number); });
}

QJsonObject mTCurrencyIncome::ToJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("incomeRate"), incomeRate);
    o.insert(QStringLiteral("incomeCode"), incomeCode);
    o.insert(QStringLiteral("incomeName"), incomeName);
    o.insert(QStringLiteral("sourceName"), sourceName);
    o.insert(QStringLiteral("countryCode"), countryCode);
    o.insert(QStringLiteral("incomeDate"), JsonIO::date(incomeDate));
    o.insert(QStringLiteral("taxPaidDate"), JsonIO::date(taxPaidDate));
    o.insert(QStringLiteral("autoRate"), JsonIO::flag(autoRate));
    o.insert(QStringLiteral("currencyCode"), currencyCode);
    o.insert(QStringLiteral("rateOnIncomeDate"), JsonIO::money(rateOnIncomeDate));
    o.insert(QStringLiteral("unitsOnIncomeDate"), unitsOnIncomeDate);
    o.insert(QStringLiteral("rateOnTaxDate"), JsonIO::money(rateOnTaxDate));
    o.insert(QStringLiteral("unitsOnTaxDate"), unitsOnTaxDate);
    o.insert(QStringLiteral("currencyName"), currencyName);
    o.insert(QStringLiteral("incomeInCurrency"), JsonIO::money(incomeInCurrency));
    o.insert(QStringLiteral("incomeInRubles"), JsonIO::money(incomeInRubles));
    o.insert(QStringLiteral("taxInCurrency"), JsonIO::money(taxInCurrency));
    o.insert(QStringLiteral("taxInRubles"), JsonIO::money(taxInRubles));
    o.insert(QStringLiteral("deductionCode"), deductionCode);
    o.insert(QStringLiteral("deductionAmount"), JsonIO::money(deductionAmount));
    o.insert(QStringLiteral("deductionRate"), deductionRate);
    return o;
}

void mTCurrencyIncome::FromJson(const QJsonObject& o, const QString& path) {
    mTCurrencyIncome c = *this;
    JsonIO::Reader r(o, path);
    r.int32("incomeRate", c.incomeRate);
    r.int32("incomeCode", c.incomeCode);
    r.text("incomeName", c.incomeName);
    r.text("sourceName", c.sourceName);
    r.text("countryCode", c.countryCode);
    r.date("incomeDate", c.incomeDate);
    r.date("taxPaidDate", c.taxPaidDate);
    r.flag("autoRate", c.autoRate);
    r.text("currencyCode", c.currencyCode);
    r.money("rateOnIncomeDate", c.rateOnIncomeDate);
    r.int32("unitsOnIncomeDate", c.unitsOnIncomeDate);
    r.money("rateOnTaxDate", c.rateOnTaxDate);
    r.int32("unitsOnTaxDate", c.unitsOnTaxDate);
    r.text("currencyName", c.currencyName);
    r.money("incomeInCurrency", c.incomeInCurrency);
    r.money("taxInCurrency", c.taxInCurrency);
    r.int32("deductionCode", c.deductionCode);
    r.money("deductionAmount", c.deductionAmount);
    r.int32("deductionRate", c.deductionRate);
    c.SetIncomeInCurrency(c.incomeInCurrency);
    c.SetTaxInCurrency(c.taxInCurrency);
    // The rouble amounts are accepted only as the rates give them.
    const auto checkDerived = [&r](const char* key, Money derived) {
        if (!r.has(key))
            return;
        Money given;
        r.money(key, given);
        if (given != derived)
            throw EJsonError(QStringLiteral("%1: %2 does not follow from the amount and the "
                                            "rate, which give %3")
                                 .arg(r.path(key), given.toString(), derived.toString()));
    };
    checkDerived("incomeInRubles", c.incomeInRubles);
    checkDerived("taxInRubles", c.taxInRubles);
    r.finish();
    *this = std::move(c);
}

// ----------------------------------------------------------------- mTBusinessNew

QString mTBusinessNew::StreamName(int number) {
    return numbered("@BusinessIncome", number);
}

QString mTBusinessNew::ExpenseStreamName(int number) {
    return numbered("@BusinessExpense", number);
}

void mTBusinessNew::SaveToStorage(mTDocumentStorage& s, int number) const {
    withContext(kCtxBusinessSave, [&] {
        s.BeginStream(StreamName(number));
        s.WriteText(activityKind);
        s.WriteText(activityCode);
        s.WriteMoney(income);
        s.WriteByte(hasConfirmedExpenses);
        if (hasConfirmedExpenses == 0) {
            s.WriteMoney(unconfirmedExpenses);
            return;
        }
        s.BeginStream(ExpenseStreamName(number));
        for (const Money m : {expensesTotal, materialExpenses, depreciation, labourExpenses,
                              labourContractExpenses, otherExpenses})
            s.WriteMoney(m);
        for (const Money m : otherExpenseParts)
            s.WriteMoney(m);
    });
}

void mTBusinessNew::LoadFromStorage(mTDocumentStorage& s, int number) {
    mTBusinessNew b;
    withContext(kCtxBusinessLoad, [&] {
        s.OpenStream(StreamName(number));
        b.activityKind = s.ReadText();
        b.activityCode = s.ReadText();
        b.income = s.ReadMoney();
        b.hasConfirmedExpenses = s.ReadByte();
        if (b.hasConfirmedExpenses == 0) {
            b.unconfirmedExpenses = s.ReadMoney();
            return;
        }
        s.OpenStream(ExpenseStreamName(number));
        for (Money* m : {&b.expensesTotal, &b.materialExpenses, &b.depreciation, &b.labourExpenses,
                         &b.labourContractExpenses, &b.otherExpenses})
            *m = s.ReadMoney();
        for (Money& m : b.otherExpenseParts)
            m = s.ReadMoney();
    });
    *this = std::move(b);
}

qint64 mTBusinessNew::StorageSize(int number) const {
    return mTDocumentStorage::SizeOf([&](mTDocumentStorage& s) { SaveToStorage(s, number); });
}

QJsonObject mTBusinessNew::ToJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("activityKind"), activityKind);
    o.insert(QStringLiteral("activityCode"), activityCode);
    o.insert(QStringLiteral("income"), JsonIO::money(income));
    o.insert(QStringLiteral("hasConfirmedExpenses"), JsonIO::flag(hasConfirmedExpenses));
    o.insert(QStringLiteral("expensesTotal"), JsonIO::money(expensesTotal));
    o.insert(QStringLiteral("materialExpenses"), JsonIO::money(materialExpenses));
    o.insert(QStringLiteral("depreciation"), JsonIO::money(depreciation));
    o.insert(QStringLiteral("labourExpenses"), JsonIO::money(labourExpenses));
    o.insert(QStringLiteral("labourContractExpenses"), JsonIO::money(labourContractExpenses));
    o.insert(QStringLiteral("otherExpenses"), JsonIO::money(otherExpenses));
    o.insert(QStringLiteral("otherExpenseParts"), JsonIO::moneyArray(otherExpenseParts));
    o.insert(QStringLiteral("unconfirmedExpenses"), JsonIO::money(unconfirmedExpenses));
    return o;
}

void mTBusinessNew::FromJson(const QJsonObject& o, const QString& path) {
    mTBusinessNew b = *this;
    JsonIO::Reader r(o, path);
    r.text("activityKind", b.activityKind);
    r.text("activityCode", b.activityCode);
    r.money("income", b.income);
    r.flag("hasConfirmedExpenses", b.hasConfirmedExpenses);
    r.money("expensesTotal", b.expensesTotal);
    r.money("materialExpenses", b.materialExpenses);
    r.money("depreciation", b.depreciation);
    r.money("labourExpenses", b.labourExpenses);
    r.money("labourContractExpenses", b.labourContractExpenses);
    r.money("otherExpenses", b.otherExpenses);
    r.moneyArray("otherExpenseParts", b.otherExpenseParts);
    r.money("unconfirmedExpenses", b.unconfirmedExpenses);
    r.finish();
    *this = std::move(b);
}

// ------------------------------------------------------------------ mTRepetitNew

QString mTRepetitNew::StreamName(int number) {
    return numbered("@RepetitIncome", number);
}

void mTRepetitNew::SaveToStorage(mTDocumentStorage& s, int number) const {
    withContext(kCtxRepetitSave, [&] {
        s.BeginStream(StreamName(number));
        s.WriteText(repetitName);
        for (const Money m : repetitAmounts)
            s.WriteMoney(m);
    });
}

void mTRepetitNew::LoadFromStorage(mTDocumentStorage& s, int number) {
    mTRepetitNew t;
    withContext(kCtxRepetitLoad, [&] {
        s.OpenStream(StreamName(number));
        t.repetitName = s.ReadText();
        for (Money& m : t.repetitAmounts)
            m = s.ReadMoney();
    });
    *this = std::move(t);
}

qint64 mTRepetitNew::StorageSize(int number) const {
    return mTDocumentStorage::SizeOf([&](mTDocumentStorage& s) { SaveToStorage(s, number); });
}

QJsonObject mTRepetitNew::ToJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("repetitName"), repetitName);
    o.insert(QStringLiteral("repetitAmounts"), JsonIO::moneyArray(repetitAmounts));
    return o;
}

void mTRepetitNew::FromJson(const QJsonObject& o, const QString& path) {
    mTRepetitNew t = *this;
    JsonIO::Reader r(o, path);
    r.text("repetitName", t.repetitName);
    r.moneyArray("repetitAmounts", t.repetitAmounts);
    r.finish();
    *this = std::move(t);
}

// ----------------------------------------------------------------------- mTNalog

QString mTNalog::StreamName(int number) {
    return numbered("@NalogSub", number);
}

void mTNalog::SaveToStorage(mTDocumentStorage& s, int number) const {
    withContext(kCtxNalogSave, [&] {
        s.BeginStream(StreamName(number));
        s.WriteText(paymentLabel);
        s.WriteText(budgetCode);
        s.WriteMoney(paymentAmount);
    });
}

void mTNalog::LoadFromStorage(mTDocumentStorage& s, int number) {
    mTNalog n;
    withContext(kCtxNalogLoad, [&] {
        s.OpenStream(StreamName(number));
        n.paymentLabel = s.ReadText();
        n.budgetCode = s.ReadText();
        n.paymentAmount = s.ReadMoney();
    });
    *this = std::move(n);
}

qint64 mTNalog::StorageSize(int number) const {
    return mTDocumentStorage::SizeOf([&](mTDocumentStorage& s) { SaveToStorage(s, number); });
}

QJsonObject mTNalog::ToJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("paymentLabel"), paymentLabel);
    o.insert(QStringLiteral("budgetCode"), budgetCode);
    o.insert(QStringLiteral("paymentAmount"), JsonIO::money(paymentAmount));
    return o;
}

void mTNalog::FromJson(const QJsonObject& o, const QString& path) {
    mTNalog n = *this;
    JsonIO::Reader r(o, path);
    r.text("paymentLabel", n.paymentLabel);
    r.text("budgetCode", n.budgetCode);
    r.money("paymentAmount", n.paymentAmount);
    r.finish();
    *this = std::move(n);
}
