#pragma once

#include "DataFolders.h"
#include "model/ProgrammDef.h"
#include "storage/Money.h"

#include <QDate>
#include <QDomElement>
#include <QList>
#include <QString>
#include <optional>

// The directory files, read once at start-up. Each is optional: a missing one
// leaves its picker or lookup out.

inline constexpr char16_t kInspectionsFile[] = u"InspectionNumbers.xml";
inline constexpr char16_t kCountriesFile[] = u"Oksm.xml";
inline constexpr char16_t kOkvedFile[] = u"Sp_OKVED2.xml";
inline constexpr char16_t kCurrencyRatesFile[] = u"CurrencyRates.xml";

// Where the user is sent when the inspections file does not parse.
inline constexpr char16_t kSupportEmail[] = u"support@qarv.example";
QString InspectionsLanguageMessage();

struct OkvedEntry {
    QString grup; // level "1" to "6"
    QString kod;  // a child's Kod begins with its parent's
    QString name;
    QString okved; // what the declaration receives
};

struct RateEntry {
    QString date; // "DD.MM.YYYY" as written
    QString rate; // roubles for the currency's Quantity units, decimal text
    QDate dateValue() const;
    // Either decimal separator; nothing when not a number of up to four decimals.
    std::optional<Money> rateValue() const;
};

struct Currency {
    QString code; // three digits
    QString name;
    QString quantity;          // units the rate is quoted for
    QList<RateEntry> rates;    // file order
    int quantityValue() const; // 0 when missing
};

struct RefDirectories {
    std::optional<QList<CodeName>> inspections;
    std::optional<QList<CodeName>> countries;
    std::optional<QList<OkvedEntry>> okved;
    std::optional<QList<Currency>> currencies;
    // Set when the inspections file exists but does not parse: the caller shows
    // it and ends the program.
    QString fatalMessage;

    // In this order: inspections, countries, OKVED, currency rates. Files other
    // than the inspections that do not parse count as absent.
    static RefDirectories load(const QString& folder);
    // Each file from the first of the folders that has it.
    static RefDirectories load(const DataFolders& folders);

    // The first currency with the code; nothing for an empty code or no file.
    const Currency* FindCurrency(const QString& code) const;
    // The entry of the date itself, else the last entry in file order dated
    // before it; never one dated after it.
    std::optional<RateEntry> FindRate(const QString& code, QDate date) const;
};

// Row lists of the code pickers, read from a root's children in file order.
QList<CodeName> ReadCodeNames(const QDomElement& root);
QList<OkvedEntry> ReadOkved(const QDomElement& root);
QList<Currency> ReadCurrencies(const QDomElement& root);

// The first row whose code equals code, or -1.
int FindCodeRow(const QList<CodeName>& rows, const QString& code);
// The currency picker's choice on opening: an empty code looks for "0", and with
// no match the first row is taken; -1 for an empty list.
int CurrencyPreselectRow(const QList<Currency>& rows, const QString& code);

// A rate in roubles with either decimal separator and at most four decimals.
std::optional<Money> ParseRate(const QString& text);

// "DD.MM.YYYY"; one-digit day and month are read too.
QDate ParseRuDate(const QString& text);
