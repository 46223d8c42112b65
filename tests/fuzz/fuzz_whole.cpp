// A declaration from the fuzzer's bytes (through the JSON form), then all the
// program does with it: calculation, the whole-document check with answers taken
// from the bytes, every finding, and the export as text.

#include "FuzzKit.h"
#include "calc/BMLogik.h"
#include "checks/DocumentCheck.h"
#include "export/DOMXML_unit.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

#include <QJsonDocument>
#include <QJsonObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzKit::app();
    FuzzKit::refusalsAllowed([&] {
        const QJsonDocument doc = QJsonDocument::fromJson(
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
        if (!doc.isObject())
            return;
        mTDeclaration d;
        d.InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
        d.FromJson(doc.object());
        kTSvodSum sum;
        sum.Calculate(d);
        FuzzKit::BytesAsker asker(data, size);
        CheckWholeDocument(d, asker);
        AllFindings(d);
        XmlExportOptions options;
        options.today = QDate(2012, 3, 15);
        options.guid = QUuid(QStringLiteral("{01234567-89ab-cdef-0123-456789abcdef}"));
        BuildDeclarationXml(QString(), d, ReturnText, options);
    });
    return 0;
}
