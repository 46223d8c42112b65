#include "CalcReport.h"

#include "BMLogik.h"
#include "model/DeclClasses.h"

#include <QHash>
#include <QStringList>

namespace {

constexpr quint8 kResident = 1;    // form kind 0
constexpr quint8 kNonResident = 2; // form kind 1
constexpr quint8 kEveryForm = kResident | kNonResident;

// ---- The table: captions, parts and formulas ----

// Captions of values and of the groups and lists that hold them, by XML name.
// Where a name means different things in different places, the longer path
// ("object/name") is listed as well and wins.
const std::pair<const char16_t*, const char16_t*> kCaptions[] = {
    // rate sections
    {u"ДоходОбщ", u"Общая сумма дохода"},
    {u"ДоходОбщНеНал", u"Доходы, не подлежащие налогообложению"},
    {u"РасхВычОбщ", u"Вычеты и расходы, уменьшающие доход"},
    {u"РасхОбщ", u"Расходы, уменьшающие доход"},
    {u"ДоходОбщНал", u"Доход, подлежащий налогообложению"},
    {u"НалБаза", u"Налоговая база"},
    {u"Исчисл", u"Сумма налога исчисленная"},
    {u"УдержОбщ", u"Сумма налога, удержанная налоговыми агентами"},
    {u"УдержОбщЛиш", u"Налог, удержанный с материальной выгоды, не подлежащей обложению"},
    {u"УплФактАв", u"Авансовые платежи, уплаченные предпринимателем"},
    {u"УплФиксирАв", u"Фиксированные авансовые платежи иностранца"},
    {u"payments13", u"Уплачено по уведомлениям (13%)"},
    {u"payments30", u"Уплачено по уведомлениям (30%)"},
    {u"payments35", u"Уплачено по уведомлениям (35%)"},
    {u"payments9", u"Уплачено по уведомлениям (9%)"},
    {u"payments15", u"Уплачено по уведомлениям (15%)"},
    {u"УплИно", u"Налог, уплаченный за рубежом, к зачету"},
    {u"ПодлВозв", u"Сумма налога к возврату"},
    {u"ПодлУпл", u"Сумма налога к уплате (доплате)"},
    // sheet A
    {u"ДоходОблОбщ", u"Облагаемая сумма дохода"},
    {u"НалИсчислИт", u"Сумма налога исчисленная"},
    {u"НалУдержИт", u"Сумма налога удержанная"},
    {u"НалУплФАП", u"Фиксированные авансовые платежи"},
    {u"РасчДохНал", u"Источник выплаты"},
    {u"Доход", u"Сумма дохода"},
    {u"ДоходОбл", u"Облагаемая сумма дохода"},
    {u"НалИсчисл", u"Сумма налога исчисленная"},
    {u"НалУдерж", u"Сумма налога удержанная"},
    // sheet B
    {u"ДоходИноРубОбщ", u"Доход в рублях"},
    {u"НалУплИноРубОбщ", u"Налог, уплаченный за рубежом, в рублях"},
    {u"НалИсчислРФОбщ", u"Налог, исчисленный в РФ"},
    {u"kTSvodSumPrilB/НалЗачРФОбщ", u"Налог к зачету"},
    {u"РасчДохНалИно", u"Доход за рубежом"},
    {u"ДоходИноРуб", u"Доход в рублях"},
    {u"НалУплИноРуб", u"Налог, уплаченный за рубежом, в рублях"},
    {u"НалЗачРФОбщ", u"Налог, исчисленный в РФ"},
    {u"НалогЗачРФОбщ", u"Налог к зачету"},
    {u"deductionAmount", u"Сумма вычета"},
    // sheet V
    {u"ДоходИт", u"Сумма дохода"},
    {u"ВычПрофИт", u"Профессиональный налоговый вычет"},
    {u"УплАванИт", u"Авансовые платежи уплаченные"},
    {u"НачислАванИт", u"Авансовые платежи начисленные"},
    // exempt income
    {u"ДохНеНалОбщ", u"Доходы, не подлежащие налогообложению, всего"},
    {u"ДохНеНалОплСХ", u"Оплата труда в крестьянском (фермерском) хозяйстве"},
    {u"МатПомРожд", u"Материальная помощь при рождении ребенка"},
    {u"МатПомРаб", u"Материальная помощь работникам"},
    {u"МатПомИнв", u"Материальная помощь инвалидам"},
    {u"ПодарНП", u"Подарки"},
    {u"ПризНП", u"Призы в конкурсах и соревнованиях"},
    {u"ВозмМед", u"Возмещение стоимости медикаментов"},
    {u"ПомПодар", u"Помощь и подарки ветеранам"},
    {u"ДоходВсИст", u"Доход от всех источников"},
    {u"ДоходНеНал", u"Не подлежит налогообложению"},
    {u"ДохОплСХ", u"Хозяйство"},
    {u"СумДохМес", u"Месяц"},
    {u"ОплТрудОбщ", u"Оплата труда"},
    {u"ОплТрудНатур", u"Оплата труда в натуральной форме"},
    {u"ДохНеНалПред", u"Не облагалось с начала года"},
    {u"ДоходНеНалМ", u"Не облагается в месяце"},
    {u"ДохНеНалПослед", u"Не облагается с начала года"},
    {u"ДоходНеНалОбщ", u"Не подлежит налогообложению, всего"},
    {u"СвДоход", u"Приз"},
    {u"НалогУдЛОбщ", u"Налог удержанный, к возврату, всего"},
    {u"РасчНалогУдЛ", u"Материальная выгода"},
    {u"НалогУдЛ", u"Налог удержанный"},
    // professional deductions
    {u"РасходОбщИт", u"Профессиональные вычеты, всего"},
    {u"РасхФактДогГПХ", u"Договоры гражданско-правового характера"},
    {u"РасхФактАвтВозн", u"Авторские вознаграждения, фактические расходы"},
    {u"РасхНормАвтВозн", u"Авторские вознаграждения, по нормативу"},
    {u"РасхФактУстКап", u"Продажа доли в уставном капитале"},
    {u"РасхФактДолСтр", u"Уступка прав в долевом строительстве"},
    {u"СумДохДогГПХ", u"Сумма дохода"},
    {u"СумАвторВозн", u"Сумма дохода"},
    {u"СумДохУстКап", u"Сумма дохода"},
    {u"СумДохДолСтр", u"Сумма дохода"},
    {u"СумРасхВыч", u"Сумма вычета"},
    // standard deductions
    {u"ИтогВычСтанд", u"Стандартные вычеты, всего"},
    {u"ИтогЯнв", u"Доход нарастающим итогом за январь"},
    {u"ИтогЯнвФевр", u"Доход нарастающим итогом по февраль"},
    {u"ИтогЯнвМарт", u"Доход нарастающим итогом по март"},
    {u"ИтогЯнвАпр", u"Доход нарастающим итогом по апрель"},
    {u"ИтогЯнвМай", u"Доход нарастающим итогом по май"},
    {u"ИтогЯнвИюн", u"Доход нарастающим итогом по июнь"},
    {u"ИтогЯнвИюл", u"Доход нарастающим итогом по июль"},
    {u"ИтогЯнвАвг", u"Доход нарастающим итогом по август"},
    {u"ИтогЯнвСент", u"Доход нарастающим итогом по сентябрь"},
    {u"ИтогЯнвОкт", u"Доход нарастающим итогом по октябрь"},
    {u"ИтогЯнвНояб", u"Доход нарастающим итогом по ноябрь"},
    {u"ИтогЯнвДек", u"Доход нарастающим итогом по декабрь"},
    {u"ВычСтанд218.1.1", u"Вычет 3000 руб. в месяц"},
    {u"ВычСтанд218.1.2", u"Вычет 500 руб. в месяц"},
    {u"ВычСтанд218.1.3", u"Вычет 400 руб. в месяц"},
    {u"ВычСтандРеб", u"Вычеты на детей"},
    {u"ВычСтРебОпек", u"Вычеты на детей опекунам и попечителям"},
    {u"ВычСтРебИнв", u"Вычеты на детей-инвалидов"},
    {u"ВычСтРебИнвОпек", u"Вычеты на детей-инвалидов опекунам и попечителям"},
    {u"months", u"Месяц"},
    {u"income", u"Доход"},
    {u"expense", u"Расходы"},
    // social deductions
    {u"ИтогВычСоциал", u"Социальные вычеты, всего"},
    {u"РасчВычСоцБез219.2", u"Без ограничения суммой 120 000 руб."},
    {u"РасчВычСоц219.2", u"В пределах 120 000 руб."},
    {u"СумБлагЦел", u"Благотворительность"},
    {u"СумОбуч", u"Обучение"},
    {u"СумЛечен", u"Лечение"},
    {u"СумЛичСтрах", u"Добровольное страхование"},
    {u"СумПенсСтрахДр", u"Пенсионные взносы по договорам НПО"},
    {u"СумНгПенсСтрахДр", u"Взносы по договорам добровольного пенсионного страхования"},
    {u"СумДопСтрахФЗ", u"Дополнительные страховые взносы на накопительную пенсию"},
    {u"СумВычОбщ", u"Вычеты по пенсионным договорам, всего"},
    {u"РасчВычДогНПО", u"Договоры негосударственного пенсионного обеспечения"},
    {u"РасчВычДогДПС", u"Договоры добровольного пенсионного страхования"},
    {u"СумПВВычОбщ", u"Взносы к вычету"},
    {u"СумСВВычОбщ", u"Взносы к вычету"},
    {u"agentTotal", u"Предоставлено налоговыми агентами"},
    {u"РасчСумПВВыч", u"Договор"},
    {u"РасчСумСВВыч", u"Договор"},
    {u"СумПВОбщПер", u"Взносы уплаченные"},
    {u"СумПВВыч", u"Взносы к вычету"},
    {u"СумВычПВПерНА", u"Предоставлено налоговым агентом"},
    {u"СумСВОбщПер", u"Взносы уплаченные"},
    {u"СумСВВыч", u"Взносы к вычету"},
    {u"СумВычСВПерНА", u"Предоставлено налоговым агентом"},
    // property sale
    {u"ВычетОбщ", u"Вычеты при продаже имущества, всего"},
    {u"ВычЖилИмущ", u"Жилое имущество"},
    {u"ВычИноеИмущ", u"Иное имущество"},
    {u"ВычИзтИмущ", u"Изъятое имущество"},
    {u"ДохИстИтог", u"Доход от продажи"},
    {u"ВычИмущИтог", u"Вычет"},
    {u"ВычИнИмущИтог", u"Вычет"},
    {u"СумИмущ", u"В собственности менее трех лет"},
    {u"СумДолИмущ", u"Доли в праве собственности"},
    {u"СумИмущОбщ", u"В общей совместной собственности"},
    {u"СумИмущДок", u"По фактическим расходам"},
    {u"СумИнИмущ", u"В собственности менее трех лет"},
    {u"СумИнИмущДок", u"По фактическим расходам"},
    {u"СумИзтИмущ", u"Выкуп для государственных нужд"},
    {u"ДохВсехИст", u"Доход"},
    {u"НалВычет", u"Вычет"},
    {u"РасхДок", u"Подтвержденные расходы"},
    // housing
    {u"СумРасхФакт", u"Расходы на новое строительство или приобретение"},
    {u"СумФактУплПроц", u"Уплаченные проценты"},
    {u"ВычНовЗачПред", u"Вычет по расходам, зачтенный в прошлые годы"},
    {u"ВычНовЗачПредНД", u"Вычет по расходам, зачтенный в прошлые годы по декларациям"},
    {u"ВычНовЗачПредУп", u"Вычет по расходам, предоставленный налоговыми агентами"},
    {u"ВычПроцЗачПред", u"Вычет по процентам, зачтенный в прошлые годы"},
    {u"ВычПроцЗачПредНД", u"Вычет по процентам, зачтенный в прошлые годы по декларациям"},
    {u"ВычПроцЗачПредУп", u"Вычет по процентам, предоставленный налоговыми агентами"},
    {u"ОстВычПршПред", u"Остаток вычета по расходам с прошлого года"},
    {u"ПроцПршПред", u"Остаток вычета по процентам с прошлого года"},
    {u"ВычНАУвед", u"Вычет по расходам по уведомлению налоговым агентом"},
    {u"ПроцНАУвед", u"Вычет по процентам по уведомлению налоговым агентом"},
    {u"НалБаз13БезВыч", u"Налоговая база 13% до имущественного вычета"},
    {u"РасхНовВычНД", u"Вычет по расходам за этот год"},
    {u"ПроцВычНД", u"Вычет по процентам за этот год"},
    {u"ОстВычПрхСлед", u"Остаток вычета по расходам на следующий год"},
    {u"ПроцПрхСлед", u"Остаток вычета по процентам на следующий год"},
    // securities
    {u"ДохОперЦБОрг", u"Ценные бумаги, обращающиеся на рынке"},
    {u"ДохОперЦБОргНеОрг", u"Ценные бумаги, обращающиеся и не обращающиеся на рынке"},
    {u"ДохОперЦБНеОрг", u"Ценные бумаги, не обращающиеся на рынке"},
    {u"ДохФИССОргЦБ", u"Срочные сделки на рынке, базовый актив — ценные бумаги"},
    {u"ДохФИССОргНеЦБ", u"Срочные сделки на рынке, прочий базовый актив"},
    {u"ДохФИССНеОрг", u"Срочные сделки вне рынка"},
    {u"ДохРЕПО", u"Операции РЕПО"},
    {u"ДохЗаймЦБ", u"Займы ценными бумагами"},
    {u"УбытПредПер", u"Убытки прошлых лет"},
    {u"УбытПрхПер", u"Убытки, переносимые на будущее"},
    {u"ИтогСовОпер", u"Итог по всем операциям"},
    {u"ДохСовОпер", u"Доходы"},
    {u"РасхСовОпер", u"Расходы"},
    {u"НалДохРезОпер", u"Облагаемый доход по операциям"},
    {u"УбытОперЦБ", u"Убыток по ценным бумагам"},
    {u"УбытФинИнсСС", u"Убыток по срочным сделкам"},
    {u"УбытРезСовОпер", u"Убыток по операциям"},
    {u"УбытУчРасчДох", u"Убыток, учтенный в облагаемом доходе"},
    {u"УбытУчРасчДохФИ", u"Убыток по срочным сделкам, учтенный в облагаемом доходе"},
    {u"УбытУчРасчДохЦБ", u"Убыток по ценным бумагам, учтенный в облагаемом доходе"},
    {u"УбытСовОперВыч", u"Убыток по операциям, уменьшающий доход"},
    {u"УбытОперЦБВыч", u"Убыток по ценным бумагам, уменьшающий доход"},
    {u"УбытПрмВыч", u"Убыток, уменьшающий доход"},
    {u"ОбщПолучДох", u"Доходы, всего"},
    {u"ОбщНалогДох", u"Облагаемый доход, всего"},
    {u"РасхПрмВыч", u"Расходы и убытки, уменьшающие доход"},
};

// The parts in the order of the report: the rate sections, then the sheets.
struct PartRow {
    const char16_t* object; // path of the object in the calculation
    const char16_t* title;
    bool section;
};
const PartRow kParts[] = {
    {u"kTSvodSumList1", u"Доходы, облагаемые по ставке 13%", true},
    {u"kTSvodSumList2", u"Доходы, облагаемые по ставке 30%", true},
    {u"kTSvodSumList3", u"Доходы, облагаемые по ставке 35%", true},
    {u"kTSvodSumList4", u"Доходы, облагаемые по ставке 9%", true},
    {u"kTSvodSumList5", u"Доходы, облагаемые по ставке 15%", true},
    {u"kTSvodSumPrilA13", u"Доходы от источников в РФ по ставке 13%", false},
    {u"kTSvodSumPrilA30", u"Доходы от источников в РФ по ставке 30%", false},
    {u"kTSvodSumPrilA35", u"Доходы от источников в РФ по ставке 35%", false},
    {u"kTSvodSumPrilA6", u"Дивиденды от источников в РФ по ставке 9%", false},
    {u"kTSvodSumPrilA15", u"Дивиденды от источников в РФ по ставке 15%", false},
    {u"kTSvodSumPrilB/13", u"Доходы от источников за пределами РФ по ставке 13%", false},
    {u"kTSvodSumPrilB/9", u"Доходы от источников за пределами РФ по ставке 9%", false},
    {u"kTSvodSumPrilB/35", u"Доходы от источников за пределами РФ по ставке 35%", false},
    {u"kTSvodSumPrilV1", u"Доходы от предпринимательской деятельности", false},
    {u"kTSvodSumPrilV2", u"Доходы от частной практики", false},
    {u"kTSvodSumPrilM", u"Доходы, не подлежащие налогообложению", false},
    {u"kTSvodSumPrilM2", u"Призы, не подлежащие налогообложению", false},
    {u"kTSvodSumPrilM3", u"Налог, удержанный с необлагаемой материальной выгоды", false},
    {u"kTSvodSumPrilG", u"Профессиональные налоговые вычеты", false},
    {u"kTSvodSumPrilG_In", u"Профессиональные налоговые вычеты по доходам за рубежом", false},
    {u"kTSvodSumPrilE1", u"Стандартные налоговые вычеты", false},
    {u"kTSvodSumPrilE2", u"Социальные налоговые вычеты", false},
    {u"kTSvodSumPrilE3", u"Вычеты по договорам пенсионного обеспечения и страхования", false},
    {u"kTSvodSumPrilH1", u"Имущественные вычеты при продаже имущества", false},
    {u"kTSvodSumPrilZ", u"Имущественный вычет на строительство или приобретение жилья", false},
    {u"kTSvodSumPrilJ", u"Операции с ценными бумагами и срочные сделки", false},
};

// A value formed as a sum or difference of others. Terms are "+path" or
// "-path"; a path without an object is in the result's own object; "*" in a
// path stands for every row of a list.
struct FormulaRow {
    const char16_t* result;
    quint8 forms;
    bool floored; // a negative total gives zero
    const char16_t* terms;
};

#define L1 u"kTSvodSumList1/"
const FormulaRow kFormulas[] = {
    {L1 u"ДоходОбщ", kResident, false,
     u"+kTSvodSumPrilA13/ДоходОбщ +kTSvodSumPrilV1/ДоходИт +kTSvodSumPrilV2/ДоходИт "
     u"+kTSvodSumPrilB/13/ДоходИноРубОбщ"},
    {L1 u"ДоходОбщ", kNonResident, false, u"+kTSvodSumPrilA13/ДоходОбщ"},
    {L1 u"ДоходОбщНеНал", kResident, false, u"+kTSvodSumPrilM/ДохНеНалОбщ"},
    {L1 u"ДоходОбщНал", kEveryForm, false, u"+ДоходОбщ -ДоходОбщНеНал"},
    {L1 u"РасхВычОбщ", kResident, false,
     u"+kTSvodSumPrilV1/ВычПрофИт +kTSvodSumPrilV2/ВычПрофИт +kTSvodSumPrilG/РасходОбщИт "
     u"+kTSvodSumPrilG_In/РасходОбщИт +kTSvodSumPrilE1/ИтогВычСтанд "
     u"+kTSvodSumPrilE2/ИтогВычСоциал +kTSvodSumPrilE3/СумВычОбщ +kTSvodSumPrilH1/ВычетОбщ "
     u"+kTSvodSumPrilZ/РасхНовВычНД +kTSvodSumPrilZ/ПроцВычНД +kTSvodSumPrilZ/ВычНАУвед "
     u"+kTSvodSumPrilZ/ПроцНАУвед +kTSvodSumPrilJ/ИтогСовОпер/РасхПрмВыч"},
    {L1 u"РасхВычОбщ", kNonResident, false,
     u"+kTSvodSumPrilH1/ВычетОбщ +kTSvodSumPrilG/РасходОбщИт +kTSvodSumPrilG_In/РасходОбщИт"},
    // The base spelled out down to each deduction, as the user asks about it.
    {L1 u"НалБаза", kResident, true,
     u"+ДоходОбщ -ДоходОбщНеНал -kTSvodSumPrilV1/ВычПрофИт -kTSvodSumPrilV2/ВычПрофИт "
     u"-kTSvodSumPrilG/РасходОбщИт -kTSvodSumPrilG_In/РасходОбщИт "
     u"-kTSvodSumPrilE1/ИтогВычСтанд -kTSvodSumPrilE2/ИтогВычСоциал "
     u"-kTSvodSumPrilE3/СумВычОбщ -kTSvodSumPrilH1/ВычетОбщ -kTSvodSumPrilZ/РасхНовВычНД "
     u"-kTSvodSumPrilZ/ПроцВычНД -kTSvodSumPrilZ/ВычНАУвед -kTSvodSumPrilZ/ПроцНАУвед "
     u"-kTSvodSumPrilJ/ИтогСовОпер/РасхПрмВыч"},
    {L1 u"НалБаза", kNonResident, true, u"+ДоходОбщНал -РасхВычОбщ"},
    {L1 u"УдержОбщ", kEveryForm, false, u"+kTSvodSumPrilA13/НалУдержИт"},
    {L1 u"УплФиксирАв", kEveryForm, false, u"+kTSvodSumPrilA13/НалУплФАП"},
    {L1 u"УплФактАв", kResident, false, u"+kTSvodSumPrilV1/УплАванИт +kTSvodSumPrilV2/УплАванИт"},
    {L1 u"УплИно", kResident, false, u"+kTSvodSumPrilB/13/НалЗачРФОбщ"},
    {L1 u"ПодлВозв", kEveryForm, true, u"+УдержОбщ +УплФактАв +УплФиксирАв +payments13 -Исчисл"},
    {L1 u"ПодлУпл", kEveryForm, true,
     u"+Исчисл -УдержОбщ -УплФактАв -УплФиксирАв -payments13 -УплИно"},

    {u"kTSvodSumList2/ДоходОбщ", kNonResident, false, u"+kTSvodSumPrilA30/ДоходОбщ"},
    {u"kTSvodSumList2/ДоходОбщНеНал", kNonResident, false,
     u"+kTSvodSumPrilM/ДохНеНалОбщ +kTSvodSumPrilM2/ДоходНеНалОбщ"},
    {u"kTSvodSumList2/ДоходОбщНал", kNonResident, false, u"+ДоходОбщ -ДоходОбщНеНал"},
    {u"kTSvodSumList2/РасхОбщ", kNonResident, false, u"+kTSvodSumPrilJ/ИтогСовОпер/РасхПрмВыч"},
    {u"kTSvodSumList2/НалБаза", kNonResident, true, u"+ДоходОбщНал -РасхОбщ"},
    {u"kTSvodSumList2/УдержОбщ", kNonResident, false, u"+kTSvodSumPrilA30/НалУдержИт"},
    {u"kTSvodSumList2/ПодлВозв", kEveryForm, true, u"+УдержОбщ +payments30 -Исчисл"},
    {u"kTSvodSumList2/ПодлУпл", kEveryForm, true, u"+Исчисл -УдержОбщ -payments30"},

    {u"kTSvodSumList3/ДоходОбщ", kResident, false,
     u"+kTSvodSumPrilA35/ДоходОбщ +kTSvodSumPrilB/35/ДоходИноРубОбщ"},
    {u"kTSvodSumList3/ДоходОбщНеНал", kResident, false, u"+kTSvodSumPrilM2/ДоходНеНалОбщ"},
    {u"kTSvodSumList3/НалБаза", kResident, true, u"+ДоходОбщ -ДоходОбщНеНал"},
    {u"kTSvodSumList3/УдержОбщ", kResident, false, u"+kTSvodSumPrilA35/НалУдержИт"},
    {u"kTSvodSumList3/УдержОбщЛиш", kResident, false, u"+kTSvodSumPrilM3/НалогУдЛОбщ"},
    {u"kTSvodSumList3/УплИно", kResident, false, u"+kTSvodSumPrilB/35/НалЗачРФОбщ"},
    {u"kTSvodSumList3/ПодлВозв", kResident, true, u"+УдержОбщ +УдержОбщЛиш +payments35 -Исчисл"},
    {u"kTSvodSumList3/ПодлУпл", kResident, true,
     u"+Исчисл -УплИно -УдержОбщ -УдержОбщЛиш -payments35"},

    {u"kTSvodSumList4/ДоходОбщ", kResident, false,
     u"+kTSvodSumPrilA6/ДоходОбщ +kTSvodSumPrilB/9/ДоходИноРубОбщ"},
    {u"kTSvodSumList4/НалБаза", kResident, false,
     u"+kTSvodSumPrilA6/ДоходОблОбщ +kTSvodSumPrilB/9/ДоходИноРубОбщ"},
    {u"kTSvodSumList4/Исчисл", kResident, false,
     u"+kTSvodSumPrilA6/НалИсчислИт +kTSvodSumPrilB/9/НалИсчислРФОбщ"},
    {u"kTSvodSumList4/УдержОбщ", kResident, false, u"+kTSvodSumPrilA6/НалУдержИт"},
    {u"kTSvodSumList4/УплИно", kResident, false, u"+kTSvodSumPrilB/9/НалЗачРФОбщ"},
    {u"kTSvodSumList4/ПодлВозв", kResident, true, u"+УдержОбщ +payments9 -Исчисл"},
    {u"kTSvodSumList4/ПодлУпл", kResident, true, u"+Исчисл -УдержОбщ -payments9 -УплИно"},

    {u"kTSvodSumList5/ДоходОбщ", kNonResident, false, u"+kTSvodSumPrilA15/ДоходОбщ"},
    {u"kTSvodSumList5/НалБаза", kNonResident, false, u"+kTSvodSumPrilA15/ДоходОблОбщ"},
    {u"kTSvodSumList5/УдержОбщ", kNonResident, false, u"+kTSvodSumPrilA15/НалУдержИт"},
    {u"kTSvodSumList5/ПодлВозв", kNonResident, true, u"+УдержОбщ +payments15 -Исчисл"},
    {u"kTSvodSumList5/ПодлУпл", kNonResident, true, u"+Исчисл -УдержОбщ -payments15"},

    // Sheet totals over their rows.
    {u"kTSvodSumPrilB/*/ДоходИноРубОбщ", kEveryForm, false, u"+РасчДохНалИно/*/ДоходИноРуб"},
    {u"kTSvodSumPrilB/*/НалУплИноРубОбщ", kEveryForm, false, u"+РасчДохНалИно/*/НалУплИноРуб"},
    {u"kTSvodSumPrilB/*/НалИсчислРФОбщ", kEveryForm, false, u"+РасчДохНалИно/*/НалЗачРФОбщ"},
    {u"kTSvodSumPrilB/*/НалЗачРФОбщ", kEveryForm, false, u"+РасчДохНалИно/*/НалогЗачРФОбщ"},
    {u"kTSvodSumPrilA*/ДоходОбщ", kEveryForm, false, u"+РасчДохНал/*/Доход"},
    {u"kTSvodSumPrilA*/ДоходОблОбщ", kEveryForm, false, u"+РасчДохНал/*/ДоходОбл"},
    {u"kTSvodSumPrilA*/НалИсчислИт", kEveryForm, false, u"+РасчДохНал/*/НалИсчисл"},
    {u"kTSvodSumPrilA*/НалУдержИт", kEveryForm, false, u"+РасчДохНал/*/НалУдерж"},
    {u"kTSvodSumPrilM3/НалогУдЛОбщ", kEveryForm, false, u"+РасчНалогУдЛ/*/НалогУдЛ"},
    {u"kTSvodSumPrilE2/ИтогВычСоциал", kEveryForm, false,
     u"+РасчВычСоцБез219.2/ИтогВычСоциал +РасчВычСоц219.2/ИтогВычСоциал"},
    {u"kTSvodSumPrilE2/РасчВычСоцБез219.2/ИтогВычСоциал", kEveryForm, false,
     u"+СумБлагЦел +СумОбуч +СумЛечен"},
    {u"kTSvodSumPrilH1/ВычетОбщ", kEveryForm, false,
     u"+ВычЖилИмущ/ВычИмущИтог +ВычИноеИмущ/ВычИнИмущИтог +ВычИзтИмущ/СумИзтИмущ/НалВычет"},
};
#undef L1

// ---- Reading the calculation ----

struct Flat {
    QString path; // "kTSvodSumPrilA13/РасчДохНал/2/Доход"
    Money amount;
};

void flatten(const CalcJson& json, const QString& prefix, std::vector<Flat>& out) {
    for (const CalcJson::Entry& e : json.entries()) {
        const QString path = prefix + e.key;
        if (e.isMoney) {
            out.push_back({path, e.amount});
        } else if (e.isList) {
            for (std::size_t i = 0; i < e.objects.size(); ++i)
                flatten(e.objects[i],
                        path + QLatin1Char('/') + QString::number(i + 1) + QLatin1Char('/'), out);
        } else if (!e.objects.empty()) {
            flatten(e.objects.front(), path + QLatin1Char('/'), out);
        }
    }
}

// A path against a pattern in which "*" stands for any one segment.
bool matches(const QString& pattern, const QString& path) {
    const QStringList p = pattern.split(QLatin1Char('/'));
    const QStringList s = path.split(QLatin1Char('/'));
    if (p.size() != s.size())
        return false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QString& seg = p[i];
        if (seg == QLatin1String("*"))
            continue;
        // "kTSvodSumPrilA*": every sheet A
        if (seg.endsWith(QLatin1Char('*')) ? !s[i].startsWith(seg.chopped(1)) : seg != s[i])
            return false;
    }
    return true;
}

QString objectOf(const QString& path) {
    return path.left(path.lastIndexOf(QLatin1Char('/')));
}

const QHash<QString, QString>& captions() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        for (const auto& [key, caption] : kCaptions)
            t.insert(QString::fromUtf16(key), QString::fromUtf16(caption));
        return t;
    }();
    return table;
}

// The formulas split once, found by the name of the value they form.
struct Formula {
    QString result;
    quint8 forms;
    bool floored;
    QStringList terms;
};

const QHash<QString, std::vector<Formula>>& formulasByName() {
    static const QHash<QString, std::vector<Formula>> table = [] {
        QHash<QString, std::vector<Formula>> t;
        for (const FormulaRow& f : kFormulas) {
            const QString result = QString::fromUtf16(f.result);
            t[result.section(QLatin1Char('/'), -1)].push_back(
                {result, f.forms, f.floored,
                 QString::fromUtf16(f.terms).split(QLatin1Char(' '), Qt::SkipEmptyParts)});
        }
        return t;
    }();
    return table;
}

class Builder {
public:
    Builder(const mTDeclaration& d, const kTSvodSum& sum)
        : form_(d.formKind == 1 ? kNonResident : kResident) {
        for (const PartRow& p : kParts) {
            partIndex_.insert(QString::fromUtf16(p.object), parts_.size());
            parts_.push_back({QString::fromUtf16(p.object), QString::fromUtf16(p.title)});
        }
        flatten(sum.ToJson(), QString(), values_);
        byPart_.resize(parts_.size());
        for (std::size_t i = 0; i < values_.size(); ++i) {
            index_.insert(values_[i].path, i);
            const std::size_t owner = ownerPart(values_[i].path);
            if (owner < parts_.size())
                byPart_[owner].push_back(i);
        }
    }

    CalcReport build(const kTSvodSum& sum) {
        CalcReport report;
        for (std::size_t i = 0; i < std::size(kParts); ++i)
            if (kParts[i].section)
                addPart(report, i, true);
        report.parts.push_back(paymentLines(sum));
        for (std::size_t i = 0; i < std::size(kParts); ++i)
            if (!kParts[i].section)
                addPart(report, i, false);
        return report;
    }

private:
    // A section shows all its values once it holds any; a sheet only those
    // that are not zero.
    void addPart(CalcReport& report, std::size_t part, bool section) {
        ReportPart out{parts_[part].second, {}};
        bool any = false;
        for (const std::size_t i : byPart_[part]) {
            const Flat& v = values_[i];
            any = any || !v.amount.isZero();
            if (section || !v.amount.isZero())
                out.values.push_back(value(v, part));
        }
        if (any)
            report.parts.push_back(std::move(out));
    }

    // The part a value belongs to: the longest object path that holds it
    // (sheet B's rates are objects within one).
    std::size_t ownerPart(const QString& path) const {
        const auto two = partIndex_.find(path.section(QLatin1Char('/'), 0, 1));
        if (two != partIndex_.end())
            return *two;
        return partIndex_.value(path.section(QLatin1Char('/'), 0, 0), parts_.size());
    }

    ReportValue value(const Flat& v, std::size_t part) const {
        ReportValue out;
        out.path = v.path;
        out.amount = v.amount;
        out.caption = captionOf(v.path, part);
        const auto found = formulasByName().find(v.path.section(QLatin1Char('/'), -1));
        if (found == formulasByName().end())
            return out;
        for (const Formula& f : *found) {
            if (!(f.forms & form_) || !matches(f.result, v.path))
                continue;
            out.floored = f.floored;
            for (const QString& term : f.terms)
                addTerms(out, term, v.path, part);
            break;
        }
        return out;
    }

    void addTerms(ReportValue& out, const QString& term, const QString& resultPath,
                  std::size_t part) const {
        const bool subtracted = term.startsWith(QLatin1Char('-'));
        QString path = term.mid(1);
        if (!path.startsWith(QLatin1String("kTSvodSum")))
            path = objectOf(resultPath) + QLatin1Char('/') + path;
        const auto add = [&](const Flat& v) {
            const std::size_t owner = ownerPart(v.path);
            QString caption = captionOf(v.path, owner);
            if (owner != part && owner < parts_.size())
                caption += QStringLiteral(" (") + parts_[owner].second + QLatin1Char(')');
            out.terms.push_back({caption, v.amount, subtracted});
        };
        if (!path.contains(QLatin1Char('*'))) {
            const auto it = index_.find(path);
            if (it != index_.end())
                add(values_[*it]);
            else // a sheet that made no value, e.g. no rows: it counts as zero
                out.terms.push_back({captionOf(path, ownerPart(path)), Money(), subtracted});
            return;
        }
        // Rows are numbered from 1 without gaps.
        for (int row = 1;; ++row) {
            const auto it =
                index_.find(QString(path).replace(QLatin1Char('*'), QString::number(row)));
            if (it == index_.end())
                break;
            add(values_[*it]);
        }
    }

    // The captions of the groups below the part's object, then the value's own;
    // a list row adds its number.
    QString captionOf(const QString& path, std::size_t part) const {
        QString rest = path;
        QString object;
        if (part < parts_.size()) {
            object = parts_[part].first;
            rest = path.mid(object.size() + 1);
        }
        const QStringList segments = rest.split(QLatin1Char('/'));
        QStringList words;
        QString within = object.section(QLatin1Char('/'), 0, 0);
        for (qsizetype i = 0; i < segments.size(); ++i) {
            const QString& seg = segments[i];
            bool number = false;
            seg.toInt(&number);
            if (number) {
                if (!words.isEmpty())
                    words.last() += QStringLiteral(" № ") + seg;
                continue;
            }
            const QString longer =
                i == 0 ? captions().value(within + QLatin1Char('/') + seg) : QString();
            const QString caption = longer.isEmpty() ? captions().value(seg) : longer;
            words << (caption.isEmpty() ? seg : caption);
        }
        return words.join(QStringLiteral(": "));
    }

    ReportPart paymentLines(const kTSvodSum& sum) const {
        ReportPart out{QStringLiteral("Суммы налога к уплате (доплате) и к возврату"), {}};
        for (std::size_t i = 0; i < sum.list6.lines.size(); ++i) {
            const PaymentLine& l = sum.list6.lines[i];
            ReportValue v;
            v.path = QStringLiteral("kTSvodSumList6/ПодлУплВозв/") + QString::number(i + 1);
            const QString kind = l.lineKind == LineKind::kPayable ? QStringLiteral("к уплате")
                                 : l.lineKind == LineKind::kRefund ? QStringLiteral("к возврату")
                                                                   : QStringLiteral("нет сумм");
            v.caption = QStringLiteral("КБК %1, ОКАТО %2: %3").arg(l.budgetCode, l.okato, kind);
            v.amount = l.amount;
            out.values.push_back(std::move(v));
        }
        return out;
    }

    quint8 form_;
    std::vector<Flat> values_;
    QHash<QString, std::size_t> index_;
    QHash<QString, std::size_t> partIndex_;
    std::vector<std::vector<std::size_t>> byPart_;
    std::vector<std::pair<QString, QString>> parts_;
};

} // namespace

CalcReport BuildCalcReport(const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.formKind == 2)
        return {};
    return Builder(d, sum).build(sum);
}

QString CalcReportText(const CalcReport& report) {
    QString out;
    for (const ReportPart& part : report.parts) {
        out += part.title + QLatin1Char('\n');
        for (const ReportValue& v : part.values) {
            out += QStringLiteral("  ") + v.caption + QStringLiteral(": ") +
                   GroupedRoubles(v.amount) + QLatin1Char('\n');
            bool first = true;
            for (const ReportTerm& t : v.terms) {
                // Zero terms say nothing about how the figure came about.
                if (t.amount.isZero())
                    continue;
                const QString sign = t.subtracted ? QStringLiteral("− ")
                                     : first      ? QStringLiteral("  ")
                                                  : QStringLiteral("+ ");
                out += QStringLiteral("      ") + sign + t.caption + QStringLiteral(": ") +
                       GroupedRoubles(t.amount) + QLatin1Char('\n');
                first = false;
            }
            if (v.floored && !v.terms.empty()) {
                Money total;
                for (const ReportTerm& t : v.terms)
                    total += t.subtracted ? -t.amount : t.amount;
                if (total < Money())
                    out += QStringLiteral("      (меньше нуля: принимается равной нулю)\n");
            }
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QString ReportCaption(const QString& key) {
    return captions().value(key);
}

QString GroupedRoubles(Money amount) {
    const QString plain = amount.toString(QLatin1Char(','));
    const qsizetype comma = plain.indexOf(QLatin1Char(','));
    QString whole = comma < 0 ? plain : plain.left(comma);
    const qsizetype firstDigit = whole.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (qsizetype i = whole.size() - 3; i > firstDigit; i -= 3)
        whole.insert(i, QChar(0x00A0));
    QString fraction = comma < 0 ? QString() : plain.mid(comma);
    // Kopecks always in two digits.
    if (fraction.size() == 2)
        fraction += QLatin1Char('0');
    return whole + fraction + QStringLiteral(" руб.");
}

QString ResultLineText(const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.formKind == 2)
        return QStringLiteral("Налог не исчислен; предполагаемый доход: ") +
               GroupedRoubles(d.expectedIncome);
    Money payable, refund;
    for (const PaymentLine& l : sum.list6.lines) {
        if (l.lineKind == LineKind::kPayable)
            payable += l.amount;
        else if (l.lineKind == LineKind::kRefund)
            refund += l.amount;
    }
    const QString pay = QStringLiteral("К уплате: ") + GroupedRoubles(payable);
    const QString back = QStringLiteral("К возврату: ") + GroupedRoubles(refund);
    if (!refund.isZero() && !payable.isZero())
        return pay + QStringLiteral("; ") + back.at(0).toLower() + back.mid(1);
    return refund.isZero() ? pay : back;
}
