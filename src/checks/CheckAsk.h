#pragma once

#include <QString>
#include <QtGlobal>

// How the checks talk to the user. The checks never open a window themselves:
// the program's window implements CheckAsker with its two check dialogs, the
// tests with scripted answers, the command-line tool by answering "Исправить".

enum class CheckAnswer {
    Fix,     // "Исправить"
    Skip,    // "Пропустить"
    SkipAll, // "Пропустить все"
    Cancel,  // "Отмена", or the window closed by its frame
};

class CheckAsker {
public:
    virtual ~CheckAsker() = default;

    // The three-button page-check dialog (TfmCheckError). title is the whole
    // window title, already "Проверка: " followed by the caller's page name.
    // "Исправить" is always offered; "Пропустить" and "Пропустить все" only
    // when their flag is set; the checks already keep a button disabled for
    // the rest of their run once it was, so each call can build a fresh dialog.
    // Closing the window answers Cancel, which the checks treat like
    // "Пропустить" — even when that button is not offered.
    virtual CheckAnswer AskPage(const QString& title, const QString& message, bool skipOffered,
                                bool skipAllOffered) = 0;

    // The whole-document dialog (TfmCheckAllError): "Исправить" or "Отмена".
    // title is "Проверка: " followed by the group caption. Any answer other
    // than Fix counts as "Отмена".
    virtual CheckAnswer AskDocument(const QString& title, const QString& message) = 0;
};

// Which page the whole-document check wants opened after "Исправить".
namespace CheckPage {
constexpr quint16 kConditions = 1;       // conditions page
constexpr quint16 kDeclarantName = 2;    // declarant page, name and identity document
constexpr quint16 kDeclarantAddress = 3; // declarant page, place of residence
constexpr quint16 kThirteen = 4;         // income in the country, 13 % sources
constexpr quint16 kDividends = 5;        // income in the country, dividends
constexpr quint16 kThirtyFive = 6;       // income in the country, 35 % sources
constexpr quint16 kCurrency = 7;         // foreign-currency income page
constexpr quint16 kBusiness = 8;         // business income page
constexpr quint16 kStandard = 9;         // deductions page, standard deductions
constexpr quint16 kProperty = 10;        // deductions page, property deduction
constexpr quint16 kRepetit = 11;         // private practice: no page to open
} // namespace CheckPage

// Outcome of the whole-document check.
struct CheckResult {
    // Page code (CheckPage) of the group of the last message shown.
    quint16 targetPage = 0;
    // 0: no message shown, the declaration passed. -1: the last message was
    // answered "Отмена". Otherwise the field to focus on targetPage: a 1-based
    // list index on the income pages, else the page's own field position.
    qint16 targetField = 0;
    // The group caption and message of the last message shown, for reports.
    QString caption;
    QString message;

    bool passed() const { return targetField == 0; }
    bool cancelled() const { return targetField == -1; }
};
