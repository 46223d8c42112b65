// The JSON form of a declaration, as qarv-cli build reads it.

#include "FuzzKit.h"
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
        d.ComputeFileSize();
        d.ToJson();
    });
    return 0;
}
