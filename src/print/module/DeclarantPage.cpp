#include "FormSheets.h"

namespace {

void addressRows(TFormSheet& s, const TXmlNode& address) {
    for (const auto& [name, value] : address.attributes)
        s.field(FieldCaption(name), value, 1);
}

} // namespace

TFormSheet BuildDeclarantPage(const TXmlNode& document) {
    TFormSheet s;
    s.title = QStringLiteral("Сведения о физическом лице");
    const TXmlNode* person = document.find("НПФЛ3");
    if (!person)
        person = document.find("НПФЛ");
    if (!person)
        return s;
    const TXmlNode* details = person->child("СведФЛ1");
    if (!details)
        details = person->child("СведФЛ2");
    s.field(QStringLiteral("ИНН"), details ? details->attr("ИННФЛ") : person->attr("ИННФЛ"));
    if (details) {
        s.field(FieldCaption("ДатаРожд"), details->attr("ДатаРожд"));
        s.field(FieldCaption("МестоРожд"), details->attr("МестоРожд"));
        s.group(QStringLiteral("Сведения о гражданстве"));
        s.field(FieldCaption("ПрГражд"), details->attr("ПрГражд"), 1);
        s.field(FieldCaption("ОКСМ"), details->attr("ОКСМ"), 1);
        if (const TXmlNode* id = details->child("УдЛичн")) {
            s.group(GroupCaption("УдЛичн"));
            s.field(FieldCaption("КодВидДок"), id->attr("КодВидДок"), 1);
            s.field(FieldCaption("СерНомДок"), id->attr("СерНомДок"), 1);
            s.field(QStringLiteral("Дата выдачи"), id->attr("ДатаДок"), 1);
            s.field(FieldCaption("ВыдДок"), id->attr("ВыдДок"), 1);
        }
    }
    if (const TXmlNode* where = person->child("СвАдрРФ")) {
        s.group(where->attr("ПрАдр") == QLatin1String("2")
                    ? QStringLiteral("Адрес места пребывания в Российской Федерации")
                    : QStringLiteral("Адрес места жительства в Российской Федерации"));
        if (const TXmlNode* address = where->child("АдрРФ"))
            addressRows(s, *address);
    }
    if (!person->attr("АдрИно").isEmpty()) {
        s.group(QStringLiteral("Адрес в стране проживания"));
        s.field(QStringLiteral("Адрес"), person->attr("АдрИно"), 1);
    }
    return s;
}
