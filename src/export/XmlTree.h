#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

// Why the exchange document could not be made; the user sees only the export's
// own message, this text is for qarv-cli and the tests.
class EXmlExport : public std::runtime_error {
public:
    explicit EXmlExport(const QString& detail)
        : std::runtime_error(detail.toStdString()), detail_(detail) {}
    const QString& detail() const noexcept { return detail_; }

private:
    QString detail_;
};

// One element of the exchange document. Attributes keep the order of their first
// setting and children the order of adding: the published format fixes both, and
// Qt's DOM keeps neither reliably.
class XmlElement {
public:
    explicit XmlElement(QString name) : name_(std::move(name)) {}
    XmlElement(const XmlElement&) = delete;
    XmlElement& operator=(const XmlElement&) = delete;

    const QString& name() const { return name_; }
    // Setting an attribute again keeps its place and replaces the value.
    void setAttribute(const QString& name, const QString& value);
    XmlElement& appendChild(const QString& name);

    const QList<std::pair<QString, QString>>& attributes() const { return attributes_; }
    // Null when absent.
    const QString* attribute(const QString& name) const;
    int childCount() const { return int(children_.size()); }
    const XmlElement& child(int index) const { return *children_.at(std::size_t(index)); }

private:
    QString name_;
    QList<std::pair<QString, QString>> attributes_;
    std::vector<std::unique_ptr<XmlElement>> children_;
};

// Appends a new last child of parent and returns it.
XmlElement& AddXmlElement(XmlElement& parent, const QString& name);
// Every attribute below "Файл" goes through here, so values reach the file in
// capitals.
void SetXmlAttribute(XmlElement& element, const QString& name, const QString& value);
// Only when the value is not empty once the blanks around are gone; the value
// itself is written as stored.
void SetXmlAttributeIfNotBlank(XmlElement& element, const QString& name, const QString& value);

// The exchange file: the declaration naming windows-1251 and the document without
// whitespace between elements. A character with no windows-1251 form, or one XML
// cannot carry, raises EXmlExport.
QByteArray XmlFileBytes(const XmlElement& root);
// The same document as text, as handed to printing; its declaration names no
// encoding because the text is no longer in one.
QString XmlDocumentText(const XmlElement& root);
