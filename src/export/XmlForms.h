#pragma once

#include "storage/Money.h"

#include <QDate>
#include <QString>
#include <QUuid>

// The forms in which the exchange file writes values. All numbers use "."
// whatever the program's display convention.

// Kopecks form: whole roubles, ".", two kopeck digits unrounded; negative as 0.00.
QString KopText(Money value);
// Roubles form: shortest decimal form with ".".
QString RubText(Money value);
// "DD.MM.YYYY" and "YYYY" of a TDateTime; a value no calendar date has raises
// EXmlExport.
QString DateText(double tDateTime);
QString YearText(double tDateTime);
// "0" added on the left up to width characters.
QString PadCode(const QString& text, int width);
QString PadCode(qint64 number, int width);
// A number kept as text: every "," becomes "."; a text that had one loses the
// blanks around it.
QString DotDecimal(const QString& text);
// Empty once the blanks around are gone.
bool IsBlank(const QString& text);
// Capitals for Latin and Cyrillic letters; everything else unchanged, so no
// character leaves windows-1251 on the way (the micro sign stays).
QString UpperCaseText(const QString& text);
// 36 upper-case hexadecimal characters with hyphens, no braces.
QString FileGuidText(const QUuid& guid);
QString NewFileGuid();
// Only the ASCII digits 0-9, or empty.
bool IsDigitsOnly(const QString& text);
