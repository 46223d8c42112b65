#include "XmlForms.h"
#include "XmlNdfl3.h"
#include "XmlTree.h"
#include "calc/BMLogik.h"
#include "model/DeclClasses.h"

namespace {

void appendByLimit(XmlElement& parent, const QString& name, const SaleByLimit& s) {
    if (s.НалВычет <= Money())
        return;
    XmlElement& e = AddXmlElement(parent, name);
    SetK(e, QStringLiteral("ДохВсехИст"), s.ДохВсехИст);
    SetK(e, QStringLiteral("НалВычет"), s.НалВычет);
}

void appendByExpenses(XmlElement& parent, const QString& name, const SaleByExpenses& s) {
    if (s.РасхДок <= Money())
        return;
    XmlElement& e = AddXmlElement(parent, name);
    SetK(e, QStringLiteral("ДохВсехИст"), s.ДохВсехИст);
    SetK(e, QStringLiteral("РасхДок"), s.РасхДок);
}

void appendPropertySale(XmlElement& sheets, const kTSvodSumPrilH1& h) {
    if (h.ВычетОбщ <= Money())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ВычПродИмущ"));
    SetK(e, QStringLiteral("ВычетОбщ"), h.ВычетОбщ);
    const HousingSale& housing = h.ВычЖилИмущ;
    if (housing.ВычИмущИтог > Money()) {
        XmlElement& g = AddXmlElement(e, QStringLiteral("ВычЖилИмущ"));
        SetK(g, QStringLiteral("ДохИстИтог"), housing.ДохИстИтог);
        SetK(g, QStringLiteral("ВычИмущИтог"), housing.ВычИмущИтог);
        appendByLimit(g, QStringLiteral("СумИмущ"), housing.СумИмущ);
        appendByLimit(g, QStringLiteral("СумДолИмущ"), housing.СумДолИмущ);
        appendByLimit(g, QStringLiteral("СумИмущОбщ"), housing.СумИмущОбщ);
        appendByExpenses(g, QStringLiteral("СумИмущДок"), housing.СумИмущДок);
    }
    const OtherSale& other = h.ВычИноеИмущ;
    if (other.ВычИнИмущИтог > Money()) {
        XmlElement& g = AddXmlElement(e, QStringLiteral("ВычИноеИмущ"));
        SetK(g, QStringLiteral("ДохИстИтог"), other.ДохИстИтог);
        SetK(g, QStringLiteral("ВычИнИмущИтог"), other.ВычИнИмущИтог);
        appendByLimit(g, QStringLiteral("СумИнИмущ"), other.СумИнИмущ);
        appendByExpenses(g, QStringLiteral("СумИнИмущДок"), other.СумИнИмущДок);
    }
    if (h.СумИзтИмущ.НалВычет > Money()) {
        XmlElement& g = AddXmlElement(e, QStringLiteral("ВычИзтИмущ"));
        appendByLimit(g, QStringLiteral("СумИзтИмущ"), h.СумИзтИмущ);
    }
}

void appendStandard(XmlElement& sheets, const kTSvodSumPrilE1& e1) {
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ВычСтанд"));
    SetR(e, QStringLiteral("ИтогВычСтанд"), e1.ИтогВычСтанд);
    XmlElement& months = AddXmlElement(e, QStringLiteral("ДохМес"));
    for (std::size_t m = 0; m < 12; ++m)
        SetK(months, QString::fromUtf16(kTSvodSumPrilE1::kCumulativeNames[m]), e1.cumulative[m]);
    SetXmlAttribute(months, QStringLiteral("КолМес40000"), QString::number(e1.КолМес40000));
    SetXmlAttribute(months, QStringLiteral("КолМес280000"), QString::number(e1.КолМес280000));
    XmlElement& calc = AddXmlElement(e, QStringLiteral("РасчВычСтанд"));
    SetRIfPositive(calc, QStringLiteral("ВычСтанд218.1.1"), e1.ВычСтанд218_1_1);
    SetRIfPositive(calc, QStringLiteral("ВычСтанд218.1.2"), e1.ВычСтанд218_1_2);
    SetRIfPositive(calc, QStringLiteral("ВычСтанд218.1.3"), e1.ВычСтанд218_1_3);
    SetRIfPositive(calc, QStringLiteral("ВычСтандРеб"), e1.ВычСтандРеб);
    SetRIfPositive(calc, QStringLiteral("ВычСтРебОпек"), e1.ВычСтРебОпек);
    SetRIfPositive(calc, QStringLiteral("ВычСтРебИнв"), e1.ВычСтРебИнв);
    SetRIfPositive(calc, QStringLiteral("ВычСтРебИнвОпек"), e1.ВычСтРебИнвОпек);
}

void appendSocial(XmlElement& sheets, const kTSvodSumPrilE2& e2) {
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ВычСоциал"));
    SetK(e, QStringLiteral("ИтогВычСоциал"), e2.ИтогВычСоциал);
    const SocialUnlimited& u = e2.РасчВычСоцБез219_2;
    if (u.ИтогВычСоциал > Money()) {
        XmlElement& g = AddXmlElement(e, QStringLiteral("РасчВычСоцБез219.2"));
        SetKIfPositive(g, QStringLiteral("СумБлагЦел"), u.СумБлагЦел);
        SetKIfPositive(g, QStringLiteral("СумОбуч"), u.СумОбуч);
        SetKIfPositive(g, QStringLiteral("СумЛечен"), u.СумЛечен);
        SetK(g, QStringLiteral("ИтогВычСоциал"), u.ИтогВычСоциал);
    }
    const SocialLimited& l = e2.РасчВычСоц219_2;
    // Contributions for another person's pension show even when nothing of them
    // is deducted.
    if (l.ИтогВычСоциал > Money() || l.СумПенсСтрахДр > Money() || l.СумНгПенсСтрахДр > Money()) {
        XmlElement& g = AddXmlElement(e, QStringLiteral("РасчВычСоц219.2"));
        SetKIfPositive(g, QStringLiteral("СумОбуч"), l.СумОбуч);
        SetKIfPositive(g, QStringLiteral("СумЛечен"), l.СумЛечен);
        SetKIfPositive(g, QStringLiteral("СумЛичСтрах"), l.СумЛичСтрах);
        SetKIfPositive(g, QStringLiteral("СумПенсСтрахДр"), l.СумПенсСтрахДр);
        SetKIfPositive(g, QStringLiteral("СумНгПенсСтрахДр"), l.СумНгПенсСтрахДр);
        SetKIfPositive(g, QStringLiteral("СумДопСтрахФЗ"), l.СумДопСтрахФЗ);
        SetK(g, QStringLiteral("ИтогВычСоциал"), l.ИтогВычСоциал);
    }
}

// Attribute names of one kind of pension contract row.
struct PensionNames {
    const char16_t* row;
    const char16_t* date;
    const char16_t* number;
    const char16_t* paid;
    const char16_t* deduction;
    const char16_t* agent;
};

void appendPensionRows(XmlElement& parent, const std::vector<PensionRow>& rows,
                       const PensionNames& n) {
    for (const PensionRow& row : rows) {
        XmlElement& r = AddXmlElement(parent, QString::fromUtf16(n.row));
        // Both kinds name the contract sign "ПрДогНПО".
        SetXmlAttribute(r, QStringLiteral("ПрДогНПО"), QString::number(row.sign));
        SetXmlAttribute(r, QString::fromUtf16(n.date), DateText(row.contractDate));
        SetXmlAttribute(r, QString::fromUtf16(n.number), row.contractNumber);
        SetK(r, QString::fromUtf16(n.paid), row.contributionPaid);
        SetK(r, QString::fromUtf16(n.deduction), row.forDeduction);
        SetK(r, QString::fromUtf16(n.agent), row.agentDeduction);
        XmlElement& org = AddXmlElement(r, QStringLiteral("СведИст"));
        SetXmlAttribute(org, QStringLiteral("Наим"), row.orgName);
        SetXmlAttribute(org, QStringLiteral("ИННЮЛ"), row.orgInn);
        SetXmlAttribute(org, QStringLiteral("КПП"), row.orgKpp);
    }
}

void appendPension(XmlElement& sheets, const kTSvodSumPrilE3& e3) {
    if (e3.РасчСумПВВыч.empty() && e3.РасчСумСВВыч.empty())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ВычДогНПО_ДПС"));
    SetK(e, QStringLiteral("СумВычОбщ"), e3.СумВычОбщ);
    if (!e3.РасчСумПВВыч.empty()) {
        XmlElement& g = AddXmlElement(e, QStringLiteral("РасчВычДогНПО"));
        SetK(g, QStringLiteral("СумПВВычОбщ"), e3.СумПВВычОбщ);
        appendPensionRows(g, e3.РасчСумПВВыч,
                          {u"РасчСумПВВыч", u"ДатаДогНПО", u"НомДогНПО", u"СумПВОбщПер",
                           u"СумПВВыч", u"СумВычПВПерНА"});
    }
    if (!e3.РасчСумСВВыч.empty()) {
        XmlElement& g = AddXmlElement(e, QStringLiteral("РасчВычДогДПС"));
        SetK(g, QStringLiteral("СумСВВычОбщ"), e3.СумСВВычОбщ);
        appendPensionRows(g, e3.РасчСумСВВыч,
                          {u"РасчСумСВВыч", u"ДатаДогДПС", u"НомДогДПС", u"СумСВОбщПер",
                           u"СумСВВыч", u"СумВычСВПерНА"});
    }
}

// One group of the securities sheet: its amounts in order, written when the first
// two are positive together (the totals: when the first is).
struct Amount {
    const char16_t* name;
    Money value;
};

void appendSecuritiesGroup(XmlElement& parent, const char16_t* name,
                           std::initializer_list<Amount> amounts, bool firstOnly = false) {
    const Amount* a = amounts.begin();
    const Money presence = firstOnly ? a[0].value : a[0].value + a[1].value;
    if (presence <= Money())
        return;
    XmlElement& e = AddXmlElement(parent, QString::fromUtf16(name));
    for (const Amount& amount : amounts)
        SetK(e, QString::fromUtf16(amount.name), amount.value);
}

void appendPlain(XmlElement& parent, const char16_t* name, const PlainOperations& g) {
    appendSecuritiesGroup(parent, name,
                          {{u"ДохСовОпер", g.ДохСовОпер},
                           {u"РасхСовОпер", g.РасхСовОпер},
                           {u"НалДохРезОпер", g.НалДохРезОпер}});
}

void appendLosses(XmlElement& parent, const char16_t* name, const SecuritiesLosses& g) {
    appendSecuritiesGroup(parent, name,
                          {{u"УбытОперЦБ", g.УбытОперЦБ}, {u"УбытФинИнсСС", g.УбытФинИнсСС}});
}

void appendSecurities(XmlElement& sheets, const kTSvodSumPrilJ& j) {
    if (j.ИтогСовОпер.ОбщПолучДох + j.УбытПредПер.УбытОперЦБ + j.УбытПредПер.УбытФинИнсСС <=
        Money())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ДохОперЦБ"));
    const SecuritiesOrg& g1 = j.ДохОперЦБОрг;
    appendSecuritiesGroup(e, u"ДохОперЦБОрг",
                          {{u"ДохСовОпер", g1.ДохСовОпер},
                           {u"РасхСовОпер", g1.РасхСовОпер},
                           {u"УбытРезСовОпер", g1.УбытРезСовОпер},
                           {u"УбытУчРасчДох", g1.УбытУчРасчДох},
                           {u"УбытСовОперВыч", g1.УбытСовОперВыч},
                           {u"УбытОперЦБВыч", g1.УбытОперЦБВыч},
                           {u"НалДохРезОпер", g1.НалДохРезОпер}});
    const SecuritiesOrgAtPurchase& g2 = j.ДохОперЦБОргНеОрг;
    appendSecuritiesGroup(e, u"ДохОперЦБОргНеОрг",
                          {{u"ДохСовОпер", g2.ДохСовОпер},
                           {u"РасхСовОпер", g2.РасхСовОпер},
                           {u"УбытУчРасчДох", g2.УбытУчРасчДох},
                           {u"НалДохРезОпер", g2.НалДохРезОпер}});
    appendPlain(e, u"ДохОперЦБНеОрг", j.ДохОперЦБНеОрг);
    const InstrumentsOnSecurities& g4 = j.ДохФИССОргЦБ;
    appendSecuritiesGroup(e, u"ДохФИССОргЦБ",
                          {{u"ДохСовОпер", g4.ДохСовОпер},
                           {u"РасхСовОпер", g4.РасхСовОпер},
                           {u"УбытРезСовОпер", g4.УбытРезСовОпер},
                           {u"УбытУчРасчДохФИ", g4.УбытУчРасчДохФИ},
                           {u"УбытУчРасчДохЦБ", g4.УбытУчРасчДохЦБ},
                           {u"УбытПрмВыч", g4.УбытПрмВыч},
                           {u"НалДохРезОпер", g4.НалДохРезОпер}});
    const InstrumentsOther& g5 = j.ДохФИССОргНеЦБ;
    appendSecuritiesGroup(e, u"ДохФИССОргНеЦБ",
                          {{u"ДохСовОпер", g5.ДохСовОпер},
                           {u"РасхСовОпер", g5.РасхСовОпер},
                           {u"УбытРезСовОпер", g5.УбытРезСовОпер},
                           {u"УбытУчРасчДох", g5.УбытУчРасчДох},
                           {u"УбытПрмВыч", g5.УбытПрмВыч},
                           {u"НалДохРезОпер", g5.НалДохРезОпер}});
    appendPlain(e, u"ДохФИССНеОрг", j.ДохФИССНеОрг);
    appendPlain(e, u"ДохРЕПО", j.ДохРЕПО);
    appendPlain(e, u"ДохЗаймЦБ", j.ДохЗаймЦБ);
    appendLosses(e, u"УбытПредПер", j.УбытПредПер);
    appendLosses(e, u"УбытПрхПер", j.УбытПрхПер);
    const SecuritiesTotals& t = j.ИтогСовОпер;
    appendSecuritiesGroup(e, u"ИтогСовОпер",
                          {{u"ОбщПолучДох", t.ОбщПолучДох},
                           {u"ОбщНалогДох", t.ОбщНалогДох},
                           {u"РасхПрмВыч", t.РасхПрмВыч}},
                          true);
}

void appendHousing(XmlElement& sheets, const mTConstructionDeduct& p, const kTSvodSumPrilZ& z) {
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ВычИмущНов"));
    XmlElement& obj = AddXmlElement(e, QStringLiteral("СвОбъектРасх"));
    // The share in a house with its land goes under the share code.
    SetXmlAttribute(obj, QStringLiteral("КодНаимОб"),
                    QString::number(p.objectKind == 8 ? 4 : p.objectKind));
    SetXmlAttribute(obj, QStringLiteral("ВидСобствОб"), QString::number(p.ownershipKind));
    SetXmlAttribute(obj, QStringLiteral("ПризнакНП"), QString::number(p.taxpayerSign));
    if (p.byInvestment) {
        SetXmlAttribute(obj, QStringLiteral("ДатаАкт"), DateText(p.actDate));
    } else {
        SetXmlAttribute(obj, QStringLiteral("ДатаРегЖил"), DateText(p.rightRegDate));
        if (p.objectKind > 4)
            SetXmlAttribute(obj, QStringLiteral("ДатаРегЗем"), DateText(p.landRegDate));
    }
    if (p.ownershipKind == 3 || (p.ownershipKind == 1 && p.taxpayerSign == 2))
        SetXmlAttribute(obj, QStringLiteral("ДатаЗаявВыч"), DateText(p.applicationDate));
    SetXmlAttribute(obj, QStringLiteral("ДолСобств"),
                    QStringLiteral("%1/%2").arg(p.shareNumerator).arg(p.shareDenominator));
    SetXmlAttribute(obj, QStringLiteral("ГодНачИспВыч"), YearText(p.firstUseYear));
    SetKIfPositive(obj, QStringLiteral("СумРасхФакт"), z.СумРасхФакт);
    SetKIfPositive(obj, QStringLiteral("СумФактУплПроц"), z.СумФактУплПроц);

    XmlElement& adr = AddXmlElement(obj, QStringLiteral("АдрОбъект"));
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Индекс"), p.objectPostIndex);
    SetXmlAttribute(adr, QStringLiteral("КодРегион"), PadCode(p.objectRegionCode, 2));
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Район"), p.objectDistrict);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Город"), p.objectCity);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("НаселПункт"), p.objectLocality);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Улица"), p.objectStreet);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Дом"), p.objectHouse);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Корпус"), p.objectBuilding);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Кварт"), p.objectFlat);

    XmlElement& calc = AddXmlElement(e, QStringLiteral("РасчИмущВыч"));
    const std::initializer_list<Amount> amounts = {{u"ВычНовЗачПред", z.ВычНовЗачПред},
                                                   {u"ВычНовЗачПредНД", z.ВычНовЗачПредНД},
                                                   {u"ВычНовЗачПредУп", z.ВычНовЗачПредУп},
                                                   {u"ВычПроцЗачПред", z.ВычПроцЗачПред},
                                                   {u"ВычПроцЗачПредНД", z.ВычПроцЗачПредНД},
                                                   {u"ВычПроцЗачПредУп", z.ВычПроцЗачПредУп},
                                                   {u"ОстВычПршПред", z.ОстВычПршПред},
                                                   {u"ПроцПршПред", z.ПроцПршПред},
                                                   {u"ВычНАУвед", z.ВычНАУвед},
                                                   {u"ПроцНАУвед", z.ПроцНАУвед},
                                                   {u"НалБаз13БезВыч", z.НалБаз13БезВыч},
                                                   {u"РасхНовВычНД", z.РасхНовВычНД},
                                                   {u"ПроцВычНД", z.ПроцВычНД},
                                                   {u"ОстВычПрхСлед", z.ОстВычПрхСлед},
                                                   {u"ПроцПрхСлед", z.ПроцПрхСлед}};
    for (const Amount& a : amounts)
        SetK(calc, QString::fromUtf16(a.name), a.value);
}

} // namespace

void AppendDeductionSheets(XmlElement& sheets, const mTDeclaration& d, const kTSvodSum& sum) {
    const bool resident = d.formKind == 0;
    appendPropertySale(sheets, sum.prilH1);
    if (resident && d.standardDeduction.granted)
        appendStandard(sheets, sum.prilE1);
    if (resident && d.socialDeduction.granted)
        appendSocial(sheets, sum.prilE2);
    appendPension(sheets, sum.prilE3);
    appendSecurities(sheets, sum.prilJ);
    if (resident && d.propertyDeduction.granted)
        appendHousing(sheets, d.propertyDeduction, sum.prilZ);
}

void AppendPaymentLines(XmlElement& ndfl3, const kTSvodSum& sum) {
    for (const PaymentLine& line : sum.list6.lines) {
        XmlElement& e = AddXmlElement(ndfl3, QStringLiteral("ПодлУплВозв"));
        SetXmlAttribute(e, QStringLiteral("ПрУплВозв"), line.lineKind);
        SetXmlAttribute(e, QStringLiteral("КБК"), line.budgetCode);
        SetXmlAttribute(e, QStringLiteral("ОКАТО"), line.okato);
        SetXmlAttribute(e, QStringLiteral("ПодлУпл"),
                        line.lineKind == QLatin1String("1") ? RubText(line.amount)
                                                            : QStringLiteral("0"));
        SetXmlAttribute(e, QStringLiteral("ПодлВозв"),
                        line.lineKind == QLatin1String("2") ? RubText(line.amount)
                                                            : QStringLiteral("0"));
    }
}
