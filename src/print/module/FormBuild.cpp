#include "FormSheets.h"

#include <QXmlStreamReader>

QString TXmlNode::attr(const QString& n) const {
    for (const auto& [name, value] : attributes)
        if (name == n)
            return value;
    return QString();
}

const TXmlNode* TXmlNode::child(const QString& n) const {
    for (const TXmlNode& c : children)
        if (c.name == n)
            return &c;
    return nullptr;
}

const TXmlNode* TXmlNode::find(const QString& n) const {
    for (const TXmlNode& c : children) {
        if (c.name == n)
            return &c;
        if (const TXmlNode* below = c.find(n))
            return below;
    }
    return nullptr;
}

namespace {

const QString kNoDeclaration = QStringLiteral("Модуль печати: текст не содержит декларации");

bool parse(const QString& text, TXmlNode& root, QString* error) {
    // The text is already decoded: the declaration's windows-1251 no longer applies.
    qsizetype start = 0;
    if (text.startsWith(QLatin1String("<?xml"))) {
        start = text.indexOf(QLatin1String("?>"));
        start = start < 0 ? text.size() : start + 2;
    }
    QXmlStreamReader reader(QStringView(text).mid(start).toString());
    std::vector<TXmlNode*> path;
    bool haveRoot = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            TXmlNode* node;
            if (path.empty()) {
                if (haveRoot)
                    break;
                haveRoot = true;
                node = &root;
            } else {
                path.back()->children.emplace_back();
                node = &path.back()->children.back();
            }
            node->name = reader.name().toString();
            for (const QXmlStreamAttribute& a : reader.attributes())
                node->attributes.emplace_back(a.qualifiedName().toString(), a.value().toString());
            path.push_back(node);
        } else if (token == QXmlStreamReader::EndElement) {
            path.pop_back();
        }
    }
    if (reader.hasError() || !haveRoot) {
        if (error)
            *error =
                kNoDeclaration +
                (reader.hasError() ? QStringLiteral(" (") + reader.errorString() + QLatin1Char(')')
                                   : QString());
        return false;
    }
    return true;
}

QString initial(const QString& name) {
    return name.trimmed().isEmpty() ? QString() : name.trimmed().left(1) + QLatin1Char('.');
}

} // namespace

TForm BuildForm(const QString& text, const QString& inspectionName, QString* error) {
    TForm form;
    TXmlNode root;
    if (!parse(text, root, error))
        return form;
    const TXmlNode* document =
        root.name == QStringLiteral("Документ") ? &root : root.child("Документ");
    if (!document) {
        if (error)
            *error = kNoDeclaration;
        return form;
    }
    if (const TXmlNode* name = document->find("ФИОФЛ")  ? document->find("ФИОФЛ")
                               : document->find("НПФЛ") ? document->find("НПФЛ")->child("ФИО")
                                                        : nullptr) {
        QStringList parts{name->attr("Фамилия").trimmed()};
        const QString initials =
            initial(name->attr("Имя")) + QLatin1Char(' ') + initial(name->attr("Отчество"));
        if (!initials.trimmed().isEmpty())
            parts << initials.trimmed();
        form.initials = parts.join(QLatin1Char(' '));
    }
    if (const TXmlNode* inn = document->find("СведФЛ1"))
        form.inn = inn->attr("ИННФЛ");
    else if (const TXmlNode* person = document->find("НПФЛ"))
        form.inn = person->attr("ИННФЛ");
    form.title = (document->attr("КНД") == QLatin1String("1151021") ? QStringLiteral("4-НДФЛ ")
                                                                    : QStringLiteral("3-НДФЛ ")) +
                 form.initials;
    form.sheets.push_back(BuildTitlePage(*document, inspectionName));
    form.sheets.push_back(BuildDeclarantPage(*document));
    AddSections(form.sheets, *document);
    AddSheets(form.sheets, *document);
    return form;
}
