#pragma once

#include "storage/Money.h"

#include <QString>
#include <vector>

class kTSvodSum;
class mTDeclaration;

// How each figure of the calculation was reached, for the user to read: the
// rate sections, the payment lines, then every sheet that holds anything, each
// value with a Russian caption and, for a sum or a difference, its terms. The
// values are read from the calculation itself (by their XML names), the
// captions and formulas from one table in CalcReport.cpp.

struct ReportTerm {
    QString caption;
    Money amount;
    bool subtracted = false;
};

struct ReportValue {
    QString path; // object path and XML name, e.g. "kTSvodSumList1/НалБаза"
    QString caption;
    Money amount;
    // Terms of a sum or difference; the result is their total, or zero when
    // floored and the total is negative.
    std::vector<ReportTerm> terms;
    bool floored = false;
};

struct ReportPart {
    QString title;
    std::vector<ReportValue> values;
};

struct CalcReport {
    std::vector<ReportPart> parts;
};

// The report of a calculated declaration. A 4-NDFL declaration has no parts.
CalcReport BuildCalcReport(const mTDeclaration& d, const kTSvodSum& sum);

// Plain text, one value a line with its terms indented below it.
QString CalcReportText(const CalcReport& report);

// The caption the table gives an XML name (or "object/name"); empty when it
// has none.
QString ReportCaption(const QString& key);

// The result line of the main window: "К уплате: 12 345 руб.",
// "К возврату: 6 789 руб." (both, when different budget lines go each way), or
// for 4-NDFL "Налог не исчислен" with the expected income.
QString ResultLineText(const mTDeclaration& d, const kTSvodSum& sum);

// Roubles with a no-break space between thousands, kopecks only when there are any.
QString GroupedRoubles(Money amount);
