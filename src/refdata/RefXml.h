#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QString>
#include <optional>

// The directory files are windows-1251 XML. Decoding and encoding happen here so
// that the rest of the reference code sees only QString.
namespace RefXml {

// Parses XML bytes. A windows-1251 declaration is honoured whether or not the Qt
// build carries that codec. Nothing, with the reason in error, when not well-formed.
std::optional<QDomDocument> parse(const QByteArray& bytes, QString* error = nullptr);

// The file at path parsed; nothing when it cannot be read or parsed.
std::optional<QDomDocument> load(const QString& path, QString* error = nullptr);

// The document as windows-1251 text with its declaration; characters without a
// windows-1251 form become character references.
QByteArray toWindows1251(const QDomDocument& doc);

// Writes beside the target and renames, so a failure leaves the old file as it was.
bool save(const QDomDocument& doc, const QString& path, QString* error = nullptr);

} // namespace RefXml
