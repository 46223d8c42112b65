#include "XmlTree.h"

#include "XmlForms.h"
#include "storage/Cp1251.h"

#include <QXmlStreamWriter>

void XmlElement::setAttribute(const QString& name, const QString& value) {
    for (auto& a : attributes_) {
        if (a.first == name) {
            a.second = value;
            return;
        }
    }
    attributes_.append({name, value});
}

XmlElement& XmlElement::appendChild(const QString& name) {
    children_.push_back(std::make_unique<XmlElement>(name));
    return *children_.back();
}

const QString* XmlElement::attribute(const QString& name) const {
    for (const auto& a : attributes_) {
        if (a.first == name)
            return &a.second;
    }
    return nullptr;
}

XmlElement& AddXmlElement(XmlElement& parent, const QString& name) {
    return parent.appendChild(name);
}

void SetXmlAttribute(XmlElement& element, const QString& name, const QString& value) {
    element.setAttribute(name, UpperCaseText(value));
}

void SetXmlAttributeIfNotBlank(XmlElement& element, const QString& name, const QString& value) {
    if (!IsBlank(value))
        SetXmlAttribute(element, name, value);
}

namespace {

const QString kFileDeclaration =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>");
const QString kTextDeclaration = QStringLiteral("<?xml version=\"1.0\"?>");
const QString kLineBreak = QStringLiteral("\r\n");

QString codePoint(char32_t u) {
    return QStringLiteral("U+%1").arg(qulonglong(u), 4, 16, QLatin1Char('0')).toUpper();
}

// XML 1.0 has no form for the other control characters, not even as a reference,
// and the writer would let them through into a file no reader accepts. A character
// beyond windows-1251 must not turn into a question mark either.
void requireWritable(const XmlElement& e, const QString& name, const QString& value) {
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D)
            throw EXmlExport(QStringLiteral("%1.%2: the character %3 cannot stand in an XML file")
                                 .arg(e.name(), name, codePoint(u)));
    }
    const QChar c = Cp1251::firstUnencodable(value);
    if (c.isNull())
        return;
    const qsizetype at = value.indexOf(c);
    const char32_t u = c.isHighSurrogate() && at + 1 < value.size()
                           ? QChar::surrogateToUcs4(c, value[at + 1])
                           : char32_t(c.unicode());
    throw EXmlExport(QStringLiteral("%1.%2: the character %3 has no windows-1251 form")
                         .arg(e.name(), name, codePoint(u)));
}

void writeElement(QXmlStreamWriter& w, const XmlElement& e) {
    w.writeStartElement(e.name());
    for (const auto& [name, value] : e.attributes()) {
        requireWritable(e, name, value);
        w.writeAttribute(name, value);
    }
    for (int i = 0; i < e.childCount(); ++i)
        writeElement(w, e.child(i));
    w.writeEndElement();
}

QString serialise(const XmlElement& root) {
    QString body;
    QXmlStreamWriter w(&body);
    w.setAutoFormatting(false);
    writeElement(w, root);
    return body;
}

} // namespace

QByteArray XmlFileBytes(const XmlElement& root) {
    const QString text = kFileDeclaration + kLineBreak + serialise(root) + kLineBreak;
    const std::optional<QByteArray> bytes = Cp1251::encode(text);
    if (!bytes)
        throw EXmlExport(QStringLiteral("the document has no windows-1251 form"));
    return *bytes;
}

QString XmlDocumentText(const XmlElement& root) {
    // Checked as for the file: print must not show what export cannot write.
    return kTextDeclaration + kLineBreak + serialise(root) + kLineBreak;
}
