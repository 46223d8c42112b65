#include "FormSheets.h"

namespace {

QString formName(const TXmlNode& document) {
    if (document.attr("КНД") == QLatin1String("1151021"))
        return QStringLiteral("Налоговая декларация о предполагаемом доходе физического лица "
                              "(форма 4-НДФЛ)");
    return QStringLiteral("Налоговая декларация по налогу на доходы физических лиц "
                          "(форма 3-НДФЛ)");
}

QString category(const QString& code) {
    if (code == QLatin1String("720"))
        return QStringLiteral("720 - индивидуальный предприниматель");
    if (code == QLatin1String("730"))
        return QStringLiteral("730 - нотариус, занимающийся частной практикой");
    if (code == QLatin1String("740"))
        return QStringLiteral("740 - адвокат, учредивший адвокатский кабинет");
    if (code == QLatin1String("750"))
        return QStringLiteral("750 - глава крестьянского (фермерского) хозяйства");
    if (code == QLatin1String("760"))
        return QStringLiteral("760 - иное физическое лицо");
    return code;
}

void nameRows(TFormSheet& sheet, const TXmlNode* name, int indent) {
    if (!name)
        return;
    sheet.field(QStringLiteral("Фамилия"), name->attr("Фамилия"), indent);
    sheet.field(QStringLiteral("Имя"), name->attr("Имя"), indent);
    sheet.field(QStringLiteral("Отчество"), name->attr("Отчество"), indent);
}

} // namespace

TFormSheet BuildTitlePage(const TXmlNode& document, const QString& inspectionName) {
    TFormSheet s;
    s.title = formName(document);
    s.field(QStringLiteral("Форма по КНД"), document.attr("КНД"));
    s.field(QStringLiteral("Номер корректировки"), document.attr("НомКорр"));
    if (!document.attr("Период").isEmpty())
        s.field(QStringLiteral("Налоговый период (код)"), document.attr("Период"));
    s.field(QStringLiteral("Отчетный налоговый период"), document.attr("ОтчетГод"));
    s.field(QStringLiteral("Представляется в налоговый орган (код)"), document.attr("КодНО"));
    s.field(QStringLiteral("Наименование налогового органа"), inspectionName);

    const TXmlNode* person = document.find("НПФЛ3");
    if (!person)
        person = document.find("НПФЛ");
    if (person) {
        s.group(QStringLiteral("Сведения о налогоплательщике"));
        nameRows(s, person->child("ФИОФЛ") ? person->child("ФИОФЛ") : person->child("ФИО"), 1);
        s.field(QStringLiteral("Код категории налогоплательщика"),
                category(person->attr("ДокПредст")), 1);
        if (!person->attr("Статус").isEmpty())
            s.field(QStringLiteral("Статус (1 - резидент Российской Федерации, 2 - нерезидент)"),
                    person->attr("Статус"), 1);
        s.field(QStringLiteral("Код по ОКАТО"), person->attr("ОКАТО"), 1);
        s.field(QStringLiteral("Номер контактного телефона"), person->attr("Тлф"), 1);
    }
    s.pageCountRow = int(s.rows.size());
    s.field(QStringLiteral("Декларация составлена на (страниц)"), QStringLiteral("000"));

    s.group(QStringLiteral("Достоверность и полноту сведений, указанных в настоящей декларации, "
                           "подтверждаю"));
    const TXmlNode* signer = document.child("Подписант");
    const bool representative = signer && signer->attr("ПрПодп") == QLatin1String("2");
    s.field(QStringLiteral("Подписывает"),
            representative ? QStringLiteral("2 - представитель налогоплательщика")
                           : QStringLiteral("1 - налогоплательщик"),
            1);
    if (representative) {
        nameRows(s, signer->child("ФИО"), 1);
        if (const TXmlNode* proxy = signer->child("СвПред")) {
            s.field(FieldCaption("НаимДок"), proxy->attr("НаимДок"), 1);
            if (!proxy->attr("НаимОрг").isEmpty())
                s.field(FieldCaption("НаимОрг"), proxy->attr("НаимОрг"), 1);
        }
    }
    s.field(QStringLiteral("Подпись"), QStringLiteral("____________________"), 1);
    s.field(QStringLiteral("Дата"), document.attr("ДатаДок"), 1);
    return s;
}
