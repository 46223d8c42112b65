#pragma once

// Declarations written as document files for the window tests.

#include "model/DeclClasses.h"
#include "storage/DateTime.h"
#include "storage/StgClasses.h"

#include <functional>

namespace WindowTestKit {

// A declaration that passes the whole-document check.
inline void makePassing(mTDeclaration& d) {
    d.InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
    d.inspectionCode = QStringLiteral("7701");
    mTPersonInformation& p = d.person;
    p.surname = QStringLiteral("Иванов");
    p.firstName = QStringLiteral("Иван");
    p.patronymic = QStringLiteral("Иванович");
    p.inn = QStringLiteral("500100732259");
    p.regionCode = 77;
    p.regionName = QStringLiteral("г. Москва");
    p.locality = QStringLiteral("Москва");
    p.street = QStringLiteral("Тверская");
    p.okato = QStringLiteral("45286555000");
}

inline QString writeDocument(const QString& path, const std::function<void(mTDeclaration&)>& fill) {
    mTDeclaration d;
    d.InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
    fill(d);
    d.SaveToFile(path);
    return path;
}

// A document of this edition whose declarant streams are missing.
inline void writeWithoutDeclarant(const QString& path) {
    auto write = [](mTDocumentStorage& s) {
        s.CreateDocument(mTDeclaration::kSignature);
        s.BeginStream(QStringLiteral("@DeclInfo"));
        s.WriteText(QStringLiteral("7701"));
        s.WriteText(QString());
        s.WriteByte(0);
        s.WriteInt32(0);
        s.WriteReal(TDateTime::fromYmd(2012, 3, 1));
        for (int i = 0; i < 4; ++i)
            s.WriteInt16(i == 1 ? 5 : 0);
        s.WriteByte(1);
        for (int i = 0; i < 10; ++i)
            s.WriteInt32(0);
        s.WriteText(QString());
        s.WriteMoney(Money());
        s.WriteText(QString());
        s.WriteText(QString());
        s.WriteMoney(Money());
    };
    mTDocumentStorage measure = mTDocumentStorage::Measuring();
    write(measure);
    mTFileLoader loader(path, measure.position(), false);
    mTDocumentStorage s(loader);
    write(s);
    loader.Commit();
}

} // namespace WindowTestKit
