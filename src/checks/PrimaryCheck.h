#pragma once

#include "CheckAsk.h"

#include <QString>

// Identity checks of taxpayer numbers (INN), registration reason codes (KPP) and
// the payment sources the income pages and the pension-contract dialog enter.

enum class InnKind {
    AnyInn,          // an organisation's 10 digits or a person's 12
    OrganisationInn, // 10 digits
    PersonInn,       // 12 digits
};

enum class InnOutcome {
    Valid = 0,
    Empty = 1,
    WrongLengthAny = 2,
    WrongLengthOrganisation = 3,
    WrongLengthPerson = 4,
    WrongDigits = 5,
};

enum class KppOutcome {
    Valid = 0, // nine characters; the characters themselves are not checked
    Empty = 1,
    WrongLength = 2,
};

// Position of the source field the user chose to fix.
namespace SourceField {
constexpr int kNone = 0;
constexpr int kName = 1;
constexpr int kInn = 2;
constexpr int kKpp = 3;
constexpr int kOkato = 4;
} // namespace SourceField

// Blanks around the text do not count.
InnOutcome CheckInn(const QString& text, InnKind kind);
KppOutcome CheckKpp(const QString& text);

// A source that may be an organisation or a person. Asks through the page-check
// dialog titled "Проверка: " + title; returns the SourceField position to fix,
// kNone when every problem was skipped or there was none.
int CheckPaymentSource(CheckAsker& asker, const QString& title, const QString& sourceName,
                       const QString& okato, const QString& kpp, const QString& inn);
// A source that must be an organisation: nothing can be skipped, only closed.
int CheckOrganisationSource(CheckAsker& asker, const QString& title, const QString& sourceName,
                            const QString& okato, const QString& kpp, const QString& inn);
