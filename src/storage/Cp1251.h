#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The document file and the exchange file hold single-byte windows-1251 text;
// in memory texts are QString. These are the only crossings.
namespace Cp1251 {
// Nothing when a character has no windows-1251 form.
std::optional<QByteArray> encode(QStringView text);
// Writes text.size() bytes to out; false (with out partly written) when a character
// has no windows-1251 form.
bool encodeInto(QStringView text, char* out);
QString decode(QByteArrayView bytes);
bool canEncode(QStringView text);
// The first character of text without a windows-1251 form, or a null QChar.
QChar firstUnencodable(QStringView text);
// Its index, or -1 when every character has a form (the zero character has none).
qsizetype firstUnencodableAt(QStringView text);
} // namespace Cp1251
