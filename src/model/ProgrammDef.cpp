#include "ProgrammDef.h"

namespace {

QList<CodeName> makeIdDocKinds() {
    return {
        {QStringLiteral("03"),
         QStringLiteral(
             "Свидетельство о рождении, оформленное в соответствии с законодательством РФ")},
        {QStringLiteral("07"),
         QStringLiteral("Военный билет солдата (матроса, сержанта, старшины)")},
        {QStringLiteral("08"),
         QStringLiteral("Временное удостоверение, выданное взамен военного билета")},
        {QStringLiteral("10"), QStringLiteral("Паспорт иностранного гражданина")},
        {QStringLiteral("11"),
         QStringLiteral("Свидетельство о регистрации ходатайства иммигранта о признании его "
                        "беженцем на территории РФ по существу")},
        {QStringLiteral("12"), QStringLiteral("Вид на жительство в РФ")},
        {QStringLiteral("13"), QStringLiteral("Удостоверение беженца")},
        {QStringLiteral("14"), QStringLiteral("Временное удостоверение личности гражданина РФ")},
        {QStringLiteral("15"), QStringLiteral("Разрешение на временное проживание в РФ")},
        {QStringLiteral("18"),
         QStringLiteral("Свидетельство о предоставлении временного убежища на территории РФ")},
        {QStringLiteral("21"), QStringLiteral("Паспорт гражданина РФ")},
        {QStringLiteral("23"),
         QStringLiteral(
             "Свидетельство о рождении, выданное уполномоченным органом иностранного государства")},
        {QStringLiteral("24"), QStringLiteral("Удостоверение личности военнослужащего РФ")},
        {QStringLiteral("91"), QStringLiteral("Иные документы")},
    };
}

QList<CodeName> makeRegions() {
    return {
        {QStringLiteral("01"), QStringLiteral("Республика Адыгея (Адыгея)")},
        {QStringLiteral("02"), QStringLiteral("Республика Башкортостан")},
        {QStringLiteral("03"), QStringLiteral("Республика Бурятия")},
        {QStringLiteral("04"), QStringLiteral("Республика Алтай")},
        {QStringLiteral("05"), QStringLiteral("Республика Дагестан")},
        {QStringLiteral("06"), QStringLiteral("Ингушская Республика")},
        {QStringLiteral("07"), QStringLiteral("Кабардино - Балканская Республика")},
        {QStringLiteral("08"), QStringLiteral("Республика Калмыкия")},
        {QStringLiteral("09"), QStringLiteral("Карачаево - Черкесская Республика")},
        {QStringLiteral("10"), QStringLiteral("Республика Карелия")},
        {QStringLiteral("11"), QStringLiteral("Республика Коми")},
        {QStringLiteral("12"), QStringLiteral("Республика Марий Эл")},
        {QStringLiteral("13"), QStringLiteral("Республика Мордовия")},
        {QStringLiteral("14"), QStringLiteral("Республика Саха (Якутия)")},
        {QStringLiteral("15"), QStringLiteral("Республика Северная Осетия")},
        {QStringLiteral("16"), QStringLiteral("Республика Татарстан (Татарстан)")},
        {QStringLiteral("17"), QStringLiteral("Республика Тува")},
        {QStringLiteral("18"), QStringLiteral("Удмуртская Республика")},
        {QStringLiteral("19"), QStringLiteral("Республика Хакасия")},
        {QStringLiteral("20"), QStringLiteral("Чеченсая Республика")},
        {QStringLiteral("21"), QStringLiteral("Чувашская Республика")},
        {QStringLiteral("22"), QStringLiteral("Алтайский край")},
        {QStringLiteral("23"), QStringLiteral("Краснодарский край")},
        {QStringLiteral("24"), QStringLiteral("Красноярский край")},
        {QStringLiteral("25"), QStringLiteral("Приморский край")},
        {QStringLiteral("26"), QStringLiteral("Ставропольский край")},
        {QStringLiteral("27"), QStringLiteral("Хабаровский край")},
        {QStringLiteral("28"), QStringLiteral("Амурская область")},
        {QStringLiteral("29"), QStringLiteral("Архангельская область")},
        {QStringLiteral("30"), QStringLiteral("Астраханская область")},
        {QStringLiteral("31"), QStringLiteral("Белгородская область")},
        {QStringLiteral("32"), QStringLiteral("Брянская область")},
        {QStringLiteral("33"), QStringLiteral("Владимирская область")},
        {QStringLiteral("34"), QStringLiteral("Волгоградская область")},
        {QStringLiteral("35"), QStringLiteral("Вологодская область")},
        {QStringLiteral("36"), QStringLiteral("Воронежская область")},
        {QStringLiteral("37"), QStringLiteral("Ивановская область")},
        {QStringLiteral("38"), QStringLiteral("Иркутская область")},
        {QStringLiteral("39"), QStringLiteral("Калининградская область")},
        {QStringLiteral("40"), QStringLiteral("Калужская область")},
        {QStringLiteral("41"), QStringLiteral("Камчатский край")},
        {QStringLiteral("42"), QStringLiteral("Кемеровская область")},
        {QStringLiteral("43"), QStringLiteral("Кировская область")},
        {QStringLiteral("44"), QStringLiteral("Костромская область")},
        {QStringLiteral("45"), QStringLiteral("Курганская область")},
        {QStringLiteral("46"), QStringLiteral("Курская область")},
        {QStringLiteral("47"), QStringLiteral("Ленинградская область")},
        {QStringLiteral("48"), QStringLiteral("Липецкая область")},
        {QStringLiteral("49"), QStringLiteral("Магаданская область")},
        {QStringLiteral("50"), QStringLiteral("Московская область")},
        {QStringLiteral("51"), QStringLiteral("Мурманская область")},
        {QStringLiteral("52"), QStringLiteral("Нижегородская область")},
        {QStringLiteral("53"), QStringLiteral("Новгородская область")},
        {QStringLiteral("54"), QStringLiteral("Новосибирская область")},
        {QStringLiteral("55"), QStringLiteral("Омская область")},
        {QStringLiteral("56"), QStringLiteral("Оренбургская область")},
        {QStringLiteral("57"), QStringLiteral("Орловская область")},
        {QStringLiteral("58"), QStringLiteral("Пензенская область")},
        {QStringLiteral("59"), QStringLiteral("Пермский край")},
        {QStringLiteral("60"), QStringLiteral("Псковская область")},
        {QStringLiteral("61"), QStringLiteral("Ростовская область")},
        {QStringLiteral("62"), QStringLiteral("Рязанская область")},
        {QStringLiteral("63"), QStringLiteral("Самарская область")},
        {QStringLiteral("64"), QStringLiteral("Саратовская область")},
        {QStringLiteral("65"), QStringLiteral("Сахалинская область")},
        {QStringLiteral("66"), QStringLiteral("Свердловская область")},
        {QStringLiteral("67"), QStringLiteral("Смоленская область")},
        {QStringLiteral("68"), QStringLiteral("Тамбовская область")},
        {QStringLiteral("69"), QStringLiteral("Тверская область")},
        {QStringLiteral("70"), QStringLiteral("Томская область")},
        {QStringLiteral("71"), QStringLiteral("Тульская область")},
        {QStringLiteral("72"), QStringLiteral("Тюменская область")},
        {QStringLiteral("73"), QStringLiteral("Ульяновская область")},
        {QStringLiteral("74"), QStringLiteral("Челябинская область")},
        {QStringLiteral("75"), QStringLiteral("Забайкальский край")},
        {QStringLiteral("76"), QStringLiteral("Ярославская область")},
        {QStringLiteral("77"), QStringLiteral("г. Москва")},
        {QStringLiteral("78"), QStringLiteral("г. Санкт - Петербург")},
        {QStringLiteral("79"), QStringLiteral("Еврейская автономная область")},
        {QStringLiteral("86"), QStringLiteral("Ханты - Мансийский автономный округ")},
        {QStringLiteral("87"), QStringLiteral("Чукотский автономный округ")},
        {QStringLiteral("89"), QStringLiteral("Ямало - Ненецкий автономный округ")},
        {QStringLiteral("99"),
         QStringLiteral("иные территории, включая город и космодром Байконур")},
    };
}

} // namespace

const QList<CodeName>& IdDocKinds() {
    static const QList<CodeName> table = makeIdDocKinds();
    return table;
}

const QList<CodeName>& Regions() {
    static const QList<CodeName> table = makeRegions();
    return table;
}

int PreselectedRow(const QList<CodeName>& table, int currentValue) {
    const QString wanted =
        QStringLiteral("%1").arg(currentValue == 0 ? 1 : currentValue, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < table.size(); ++i) {
        if (table[i].code == wanted)
            return i;
    }
    return -1;
}

QString CodeTableName(const QList<CodeName>& table, int code) {
    const QString wanted = QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    for (const CodeName& row : table) {
        if (row.code == wanted)
            return row.name;
    }
    return QString();
}
