#include "XmlForms.h"
#include "XmlNdfl3.h"
#include "XmlTree.h"
#include "calc/BMLogik.h"
#include "model/DeclClasses.h"

namespace {

void appendForeignRow(XmlElement& parent, const ForeignIncomeRow& row) {
    XmlElement& e = AddXmlElement(parent, QStringLiteral("РасчДохНалИно"));
    SetXmlAttribute(e, QStringLiteral("ОКСМ"), PadCode(row.countryCode.trimmed(), 3));
    SetXmlAttribute(e, QStringLiteral("НаимИстДох"), row.sourceName);
    SetXmlAttribute(e, QStringLiteral("КодВалют"), PadCode(row.currencyCode, 3));
    SetXmlAttribute(e, QStringLiteral("ДатаДох"), DateText(row.incomeDate));
    SetXmlAttribute(e, QStringLiteral("КурсВалютДох"), row.rateOnIncomeDate);
    SetXmlAttribute(e, QStringLiteral("ДоходИноВал"), DotDecimal(row.incomeInCurrency));
    SetK(e, QStringLiteral("ДоходИноРуб"), row.incomeInRubles);
    if (row.taxInRubles > Money()) {
        SetXmlAttribute(e, QStringLiteral("ДатаУплНал"), DateText(row.taxPaidDate));
        SetXmlAttribute(e, QStringLiteral("КурсВалютНал"), row.rateOnTaxDate);
        SetXmlAttribute(e, QStringLiteral("НалУплИноВал"), DotDecimal(row.taxInCurrency));
        SetK(e, QStringLiteral("НалУплИноРуб"), row.taxInRubles);
    }
    // The row's own "НалЗачРФОбщ" is its Russian tax; what is credited goes apart.
    SetR(e, QStringLiteral("НалЗачРФОбщ"), row.russianTax);
    SetRIfPositive(e, QStringLiteral("НалогЗачРФОбщ"), row.credit);
}

void appendForeign(XmlElement& sheets, const QString& rate, const kTSvodSumPrilB& b) {
    if (b.ДоходИноРубОбщ <= Money())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ДоходИстИно"));
    SetXmlAttribute(e, QStringLiteral("Ставка"), rate);
    SetK(e, QStringLiteral("ДоходИноРубОбщ"), b.ДоходИноРубОбщ);
    SetK(e, QStringLiteral("НалУплИноРубОбщ"), b.НалУплИноРубОбщ);
    SetR(e, QStringLiteral("НалИсчислРФОбщ"), b.НалИсчислРФОбщ);
    SetR(e, QStringLiteral("НалЗачРФОбщ"), b.НалЗачРФОбщ);
    for (const ForeignIncomeRow& row : b.РасчДохНалИно)
        appendForeignRow(e, row);
}

void setKIfNotZero(XmlElement& e, const QString& name, Money value) {
    if (!value.isZero())
        SetK(e, name, value);
}

void appendBusiness(XmlElement& sheets, const mTDeclaration& d, const kTSvodSumPrilV1& v) {
    if (!(d.incomeFlags() & mTDeclaration::kFlagBusiness) || d.businessActivities.Count() == 0)
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ДоходПредпр"));
    SetK(e, QStringLiteral("ДоходИт"), v.ДоходИт);
    SetK(e, QStringLiteral("ВычПрофИт"), v.ВычПрофИт);
    SetR(e, QStringLiteral("НачислАванИт"), v.НачислАванИт);
    SetRIfPositive(e, QStringLiteral("УплАванИт"), v.УплАванИт);
    for (const mTBusinessNew& a : d.businessActivities) {
        XmlElement& r = AddXmlElement(e, QStringLiteral("РасчВидДеят"));
        SetXmlAttribute(r, QStringLiteral("КодВД"), a.activityKind);
        // Only an entrepreneur's activity has an economic activity code.
        if (a.activityKind == QLatin1String("1"))
            SetXmlAttribute(r, QStringLiteral("ОКВЭД"), a.activityCode);
        SetK(r, QStringLiteral("Доход"), a.income);
        if (a.hasConfirmedExpenses) {
            setKIfNotZero(r, QStringLiteral("РасхФакт"), a.expensesTotal);
            setKIfNotZero(r, QStringLiteral("РасхФМат"), a.materialExpenses);
            setKIfNotZero(r, QStringLiteral("РасхФАмНач"), a.depreciation);
            setKIfNotZero(r, QStringLiteral("РасхФОплТруд"), a.labourExpenses);
            setKIfNotZero(r, QStringLiteral("РасхФТрДог"), a.labourContractExpenses);
            setKIfNotZero(r, QStringLiteral("РасхФПроч"), a.otherExpenses);
        } else {
            setKIfNotZero(r, QStringLiteral("РасхПредНорм"), a.unconfirmedExpenses);
        }
    }
    if (d.isFarm) {
        XmlElement& farm = AddXmlElement(e, QStringLiteral("СведКФХ"));
        SetXmlAttribute(farm, QStringLiteral("ГодРегКФХ"), YearText(d.farmFoundedDate));
        SetK(farm, QStringLiteral("ДоходНеНал"), d.farmExemptIncome);
    }
}

void appendExemptGroup(XmlElement& parent, const QString& name, const ExemptGroup& g) {
    if (g.ДоходНеНал <= Money())
        return;
    XmlElement& e = AddXmlElement(parent, name);
    SetK(e, QStringLiteral("ДоходВсИст"), g.ДоходВсИст);
    SetK(e, QStringLiteral("ДоходНеНал"), g.ДоходНеНал);
}

void appendProducerRow(XmlElement& parent, const ProducerPayRow& row) {
    XmlElement& e = AddXmlElement(parent, QStringLiteral("ДохОплСХ"));
    SetK(e, QStringLiteral("ДоходНеНал"), row.ДоходНеНал);
    for (int m = 1; m <= 12; ++m) {
        const ProducerMonth& month = row.months[std::size_t(m - 1)];
        XmlElement& me = AddXmlElement(e, QStringLiteral("СумДохМес"));
        SetXmlAttribute(me, QStringLiteral("Месяц"), PadCode(m, 2));
        SetK(me, QStringLiteral("ОплТрудОбщ"), month.ОплТрудОбщ);
        SetK(me, QStringLiteral("ОплТрудНатур"), month.ОплТрудНатур);
        // Nothing is carried into January or out of December.
        if (m > 1)
            SetK(me, QStringLiteral("ДохНеНалПред"), month.ДохНеНалПред);
        SetK(me, QStringLiteral("ДоходНеНалМ"), month.ДоходНеНалМ);
        if (m < 12)
            SetK(me, QStringLiteral("ДохНеНалПослед"), month.ДохНеНалПослед);
    }
    if (row.sourceInn.size() != 10 && IsBlank(row.sourceKpp)) {
        XmlElement& fl = AddXmlElement(e, QStringLiteral("СвФЛ"));
        SetXmlAttribute(fl, QStringLiteral("ИННФЛ"), row.sourceInn);
    } else {
        XmlElement& org = AddXmlElement(e, QStringLiteral("СвОрг"));
        SetXmlAttribute(org, QStringLiteral("ИННЮЛ"), row.sourceInn);
        SetXmlAttribute(org, QStringLiteral("КПП"), row.sourceKpp);
    }
}

void appendExempt(XmlElement& sheets, const kTSvodSumPrilM& m) {
    if (m.ДохНеНалОбщ <= Money())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ДоходОсвПрев"));
    SetK(e, QStringLiteral("ДохНеНалОбщ"), m.ДохНеНалОбщ);
    SetK(e, QStringLiteral("ДохНеНалОплСХ"), m.ДохНеНалОплСХ);
    appendExemptGroup(e, QStringLiteral("МатПомРожд"), m.МатПомРожд);
    appendExemptGroup(e, QStringLiteral("МатПомРаб"), m.МатПомРаб);
    appendExemptGroup(e, QStringLiteral("МатПомИнв"), m.МатПомИнв);
    appendExemptGroup(e, QStringLiteral("ПодарНП"), m.ПодарНП);
    appendExemptGroup(e, QStringLiteral("ПризНП"), m.ПризНП);
    appendExemptGroup(e, QStringLiteral("ВозмМед"), m.ВозмМед);
    appendExemptGroup(e, QStringLiteral("ПомПодар"), m.ПомПодар);
    if (m.ДохНеНалОплСХ > Money()) {
        for (const ProducerPayRow& row : m.ДохОплСХ)
            appendProducerRow(e, row);
    }
}

void appendPrizes(XmlElement& sheets, const kTSvodSumPrilM2& m2) {
    if (m2.ДоходНеНалОбщ <= Money())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ДоходИгрПриз"));
    SetK(e, QStringLiteral("ДоходНеНалОбщ"), m2.ДоходНеНалОбщ);
    for (const PrizeRow& row : m2.СвДоход) {
        XmlElement& r = AddXmlElement(e, QStringLiteral("СвДоход"));
        SetK(r, QStringLiteral("Доход"), row.Доход);
        SetK(r, QStringLiteral("ДоходНеНал"), row.ДоходНеНал);
        AppendSourceIdentity(r, row.sourceInn, row.sourceKpp, row.sourceName);
    }
}

void appendBenefit(XmlElement& sheets, const kTSvodSumPrilM3& m3) {
    if (m3.НалогУдЛОбщ <= Money())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ДоходМатВыг"));
    SetR(e, QStringLiteral("НалогУдЛОбщ"), m3.НалогУдЛОбщ);
    for (const BenefitRow& row : m3.РасчНалогУдЛ) {
        XmlElement& r = AddXmlElement(e, QStringLiteral("РасчНалогУдЛ"));
        SetK(r, QStringLiteral("Доход"), row.Доход);
        SetR(r, QStringLiteral("НалогУдЛ"), row.НалогУдЛ);
        if (row.sourceOkato.size() == 11)
            SetXmlAttribute(r, QStringLiteral("ОКАТО"), row.sourceOkato);
        AppendSourceIdentity(r, row.sourceInn, row.sourceKpp, row.sourceName);
    }
}

void appendProfPair(XmlElement& parent, const QString& name, const QString& incomeName,
                    const ProfPair& pair) {
    if (pair.СумРасхВыч <= Money())
        return;
    XmlElement& e = AddXmlElement(parent, name);
    SetK(e, incomeName, pair.income);
    SetK(e, QStringLiteral("СумРасхВыч"), pair.СумРасхВыч);
}

void appendProfessional(XmlElement& sheets, const QString& source, const kTSvodSumPrilGBase& g) {
    if (g.РасходОбщИт <= Money())
        return;
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ВычПрофВозн"));
    SetXmlAttribute(e, QStringLiteral("ПрИст"), source);
    SetK(e, QStringLiteral("РасходОбщИт"), g.РасходОбщИт);
    appendProfPair(e, QStringLiteral("РасхФактДогГПХ"), QStringLiteral("СумДохДогГПХ"),
                   g.РасхФактДогГПХ);
    appendProfPair(e, QStringLiteral("РасхФактАвтВозн"), QStringLiteral("СумАвторВозн"),
                   g.РасхФактАвтВозн);
    appendProfPair(e, QStringLiteral("РасхНормАвтВозн"), QStringLiteral("СумАвторВозн"),
                   g.РасхНормАвтВозн);
    appendProfPair(e, QStringLiteral("РасхФактУстКап"), QStringLiteral("СумДохУстКап"),
                   g.РасхФактУстКап);
    appendProfPair(e, QStringLiteral("РасхФактДолСтр"), QStringLiteral("СумДохДолСтр"),
                   g.РасхФактДолСтр);
}

} // namespace

void AppendIncomeSheets(XmlElement& sheets, const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.incomeFlags() & mTDeclaration::kFlagCurrency) {
        appendForeign(sheets, QStringLiteral("09"), sum.prilB9);
        appendForeign(sheets, QStringLiteral("13"), sum.prilB13);
        appendForeign(sheets, QStringLiteral("35"), sum.prilB35);
    }
    appendBusiness(sheets, d, sum.prilV1);
    appendExempt(sheets, sum.prilM);
    appendPrizes(sheets, sum.prilM2);
    appendBenefit(sheets, sum.prilM3);
    appendProfessional(sheets, QStringLiteral("1"), sum.prilG);
    appendProfessional(sheets, QStringLiteral("2"), sum.prilG_In);
}
