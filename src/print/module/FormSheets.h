#pragma once

#include <QString>
#include <utility>
#include <vector>

// An element of the exchange document with its attributes in their order.
struct TXmlNode {
    QString name;
    std::vector<std::pair<QString, QString>> attributes;
    std::vector<TXmlNode> children;

    QString attr(const QString& n) const;
    // The first child of that name, or nullptr.
    const TXmlNode* child(const QString& n) const;
    // The first element of that name anywhere below, or nullptr.
    const TXmlNode* find(const QString& n) const;
};

// The printed form as rows grouped in sheets, built from the exchange
// document alone; the page flow lays the sheets out on A4 pages.
struct TFormRow {
    enum Kind { Field, Group, Note };
    Kind kind = Field;
    QString caption;
    QString value;
    int indent = 0;
};

struct TFormSheet {
    QString title;
    std::vector<TFormRow> rows;
    // The row whose value becomes the total page count, -1 for none.
    int pageCountRow = -1;

    void field(const QString& caption, const QString& value, int indent = 0) {
        rows.push_back({TFormRow::Field, caption, value, indent});
    }
    void group(const QString& caption, int indent = 0) {
        rows.push_back({TFormRow::Group, caption, QString(), indent});
    }
    void note(const QString& text, int indent = 0) {
        rows.push_back({TFormRow::Note, text, QString(), indent});
    }
};

struct TForm {
    QString inn;      // of the declarant, as every page's header shows it
    QString initials; // surname and initials
    QString title;    // for the window and the PDF
    std::vector<TFormSheet> sheets;
};

// Every attribute of element as a field, every child as a group of its own
// (numbered when it repeats), so that nothing the document holds is left out.
void AddElementRows(TFormSheet& sheet, const TXmlNode& element, int indent);
// Captions of a value or a group as the form prints them; the XML name when
// the form has no caption for it.
QString FieldCaption(const QString& attribute);
QString GroupCaption(const QString& element);

// The pieces of the form, in its order.
TFormSheet BuildTitlePage(const TXmlNode& document, const QString& inspectionName);
TFormSheet BuildDeclarantPage(const TXmlNode& document);
void AddSections(std::vector<TFormSheet>& sheets, const TXmlNode& document);
void AddSheets(std::vector<TFormSheet>& sheets, const TXmlNode& document);

// The whole form; empty sheets and error set when the text is not a declaration.
TForm BuildForm(const QString& text, const QString& inspectionName, QString* error);
