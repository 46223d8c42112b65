#pragma once

#include "TestKit.h"
#include "XmlReadBack.h"
#include "export/DOMXML_unit.h"

#include <QDir>
#include <QTemporaryDir>

// One export with the fixed date and GUID the golden files are made with.
namespace ExportRun {

inline const QDate kDate(2012, 3, 15);
inline const QUuid kGuid(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
inline const QString kGuidText = QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E");

struct Result {
    QString name;       // the result of BuildDeclarationXml
    QByteArray bytes;   // the file written
    QStringList folder; // everything in the folder afterwards
    QStringList messages;
    QString detail;
    ReadBack::Parsed parsed;
};

inline XmlExportOptions options(QStringList& messages, QString& detail) {
    XmlExportOptions o;
    o.today = kDate;
    o.guid = kGuid;
    o.showMessage = [&messages](const QString& m) { messages << m; };
    o.failureDetail = &detail;
    return o;
}

inline Result toFolder(const mTDeclaration& d, const QString& folder) {
    Result r;
    r.name = BuildDeclarationXml(folder, d, SaveToFolder, options(r.messages, r.detail));
    r.folder = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (r.name != XmlExport::kErrorResult) {
        r.bytes = TestKit::readAll(QDir(folder).filePath(r.name));
        r.parsed = ReadBack::parse(r.bytes);
    }
    return r;
}

// A declaration from the JSON file of that name in the data folder.
inline std::unique_ptr<mTDeclaration> fromData(const QString& jsonName) {
    return ReadBack::declaration(TestKit::readAll(TestKit::dataPath(jsonName)));
}

inline Result toTempFolder(const mTDeclaration& d) {
    QTemporaryDir dir;
    return toFolder(d, dir.path());
}

} // namespace ExportRun
