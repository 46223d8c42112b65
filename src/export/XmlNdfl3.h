#pragma once

#include "storage/Money.h"

#include <QString>

class XmlElement;
class mTDeclaration;
class kTSvodSum;

// The 3-NDFL body ("НДФЛ3") from the declaration and its finished calculation:
// the totals by rate, the sheets inside "СведДохВыч" when there is anything to
// show, and the payment lines.
void AppendNdfl3(XmlElement& document, const mTDeclaration& d, const kTSvodSum& sum);

// The pieces, in the order of the document.
void AppendTotals(XmlElement& ndfl3, const kTSvodSum& sum);
// Whether "СведДохВыч" is written at all: a granted standard deduction alone is
// not enough.
bool HasSheets(const mTDeclaration& d, const kTSvodSum& sum);
void AppendSheetA(XmlElement& sheets, const mTDeclaration& d, const kTSvodSum& sum);
void AppendIncomeSheets(XmlElement& sheets, const mTDeclaration& d, const kTSvodSum& sum);
void AppendDeductionSheets(XmlElement& sheets, const mTDeclaration& d, const kTSvodSum& sum);
void AppendPaymentLines(XmlElement& ndfl3, const kTSvodSum& sum);

// A payment source: "ИстФЛИн" (a private person: INN not of ten characters and no
// KPP) or "ИстЮЛ" (an organisation).
void AppendSourceIdentity(XmlElement& parent, const QString& inn, const QString& kpp,
                          const QString& name);

// Attribute setters in the two money forms: K kopecks, R roubles.
void SetK(XmlElement& e, const QString& name, Money value);
void SetR(XmlElement& e, const QString& name, Money value);
void SetKIfPositive(XmlElement& e, const QString& name, Money value);
void SetRIfPositive(XmlElement& e, const QString& name, Money value);
