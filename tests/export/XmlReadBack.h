#pragma once

#include "export/XmlTree.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

#include <QJsonDocument>
#include <QStringList>
#include <QXmlStreamReader>
#include <memory>
#include <stdexcept>

// Reading an exported document back, the way a receiving program would: the
// file must be well-formed XML that declares windows-1251 and has no text
// between its elements.
namespace ReadBack {

struct Parsed {
    std::unique_ptr<XmlElement> root;
    QString error; // empty when the document is sound
};

inline void fill(QXmlStreamReader& r, XmlElement& e, QString& error) {
    for (const QXmlStreamAttribute& a : r.attributes())
        e.setAttribute(a.qualifiedName().toString(), a.value().toString());
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement:
            fill(r, e.appendChild(r.qualifiedName().toString()), error);
            break;
        case QXmlStreamReader::EndElement:
            return;
        case QXmlStreamReader::Characters:
            error = QStringLiteral("text inside %1: \"%2\"").arg(e.name(), r.text());
            return;
        default:
            break;
        }
        if (!error.isEmpty())
            return;
    }
}

// fileDeclaration: the bytes must start with the windows-1251 declaration.
inline Parsed parse(const QByteArray& bytes, bool fileDeclaration = true) {
    Parsed p;
    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>";
    if (fileDeclaration && !bytes.startsWith(decl)) {
        p.error = QStringLiteral("no windows-1251 declaration");
        return p;
    }
    QXmlStreamReader r(bytes);
    QString encoding;
    while (!r.atEnd() && p.error.isEmpty()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::StartDocument)
            encoding = r.documentEncoding().toString();
        if (token == QXmlStreamReader::StartElement) {
            if (p.root) {
                p.error = QStringLiteral("second document element");
                break;
            }
            p.root = std::make_unique<XmlElement>(r.qualifiedName().toString());
            fill(r, *p.root, p.error);
        }
    }
    if (p.error.isEmpty() && r.hasError())
        p.error = r.errorString();
    if (p.error.isEmpty() && fileDeclaration && encoding != QLatin1String("windows-1251"))
        p.error = QStringLiteral("encoding %1").arg(encoding);
    if (p.error.isEmpty() && !p.root)
        p.error = QStringLiteral("no document element");
    return p;
}

inline Parsed parseText(const QString& text) {
    return parse(text.toUtf8(), false);
}

// "a/b[2]/c": children by name, the n-th (from 1) where an index is given.
inline const XmlElement* find(const XmlElement& root, const QString& path) {
    const XmlElement* e = &root;
    for (const QString& step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QString name = step;
        int wanted = 1;
        if (const qsizetype bracket = step.indexOf(QLatin1Char('[')); bracket > 0) {
            name = step.left(bracket);
            wanted = step.mid(bracket + 1).chopped(1).toInt();
        }
        const XmlElement* next = nullptr;
        for (int i = 0, seen = 0; i < e->childCount() && !next; ++i) {
            if (e->child(i).name() == name && ++seen == wanted)
                next = &e->child(i);
        }
        if (!next)
            return nullptr;
        e = next;
    }
    return e;
}

// The attributes in file order: "a=1 b=2".
inline QString attributes(const XmlElement& e) {
    QStringList parts;
    for (const auto& [name, value] : e.attributes())
        parts << name + QLatin1Char('=') + value;
    return parts.join(QLatin1Char(' '));
}

inline QString children(const XmlElement& e) {
    QStringList names;
    for (int i = 0; i < e.childCount(); ++i)
        names << e.child(i).name();
    return names.join(QLatin1Char(' '));
}

// A declaration as the New command makes it, with the keys of json applied.
inline std::unique_ptr<mTDeclaration> declaration(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (!doc.isObject())
        throw std::runtime_error("test declaration: " + error.errorString().toStdString());
    auto d = std::make_unique<mTDeclaration>();
    d->InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
    d->FromJson(doc.object());
    return d;
}

} // namespace ReadBack
