#include "XmlForms.h"
#include "XmlNdfl3.h"
#include "XmlTree.h"
#include "calc/BMLogik.h"
#include "model/DeclClasses.h"

namespace {

const QString kZero = QStringLiteral("0");

void appendBase13(XmlElement& totals, const kTSvodSumList1& s) {
    XmlElement& e = AddXmlElement(totals, QStringLiteral("НалБаза13"));
    SetK(e, QStringLiteral("ДоходОбщ"), s.ДоходОбщ);
    SetK(e, QStringLiteral("ДоходОбщНеНал"), s.ДоходОбщНеНал);
    SetK(e, QStringLiteral("ДоходОбщНал"), s.ДоходОбщНал);
    SetK(e, QStringLiteral("РасхВычОбщ"), s.РасхВычОбщ);
    SetK(e, QStringLiteral("НалБаза"), s.НалБаза);
    SetR(e, QStringLiteral("Исчисл"), s.Исчисл);
    SetR(e, QStringLiteral("УдержОбщ"), s.УдержОбщ);
    SetR(e, QStringLiteral("УплФактАв"), s.УплФактАв);
    SetR(e, QStringLiteral("УплФиксирАв"), s.УплФиксирАв);
    SetR(e, QStringLiteral("УплИно"), s.УплИно);
    SetR(e, QStringLiteral("ПодлВозв"), s.ПодлВозв);
    SetR(e, QStringLiteral("ПодлУпл"), s.ПодлУпл);
}

// Each rate element is written when the sum of its values is positive; the amount
// payable of 13 percent alone does not count.
bool present13(const kTSvodSumList1& s) {
    return s.ДоходОбщ + s.ДоходОбщНеНал + s.РасхВычОбщ + s.ДоходОбщНал + s.НалБаза + s.Исчисл +
               s.УдержОбщ + s.УплФактАв + s.УплФиксирАв + s.payments13 + s.УплИно + s.ПодлВозв >
           Money();
}

bool appendBase30(XmlElement& totals, const kTSvodSumList2& s) {
    if (s.ДоходОбщ + s.ДоходОбщНеНал + s.РасхОбщ + s.ДоходОбщНал + s.НалБаза + s.Исчисл +
            s.УдержОбщ + s.payments30 + s.ПодлВозв + s.ПодлУпл <=
        Money())
        return false;
    XmlElement& e = AddXmlElement(totals, QStringLiteral("НалБаза30"));
    SetK(e, QStringLiteral("ДоходОбщ"), s.ДоходОбщ);
    SetK(e, QStringLiteral("ДоходОбщНеНал"), s.ДоходОбщНеНал);
    SetK(e, QStringLiteral("ДоходОбщНал"), s.ДоходОбщНал);
    SetK(e, QStringLiteral("РасхОбщ"), s.РасхОбщ);
    SetK(e, QStringLiteral("НалБаза"), s.НалБаза);
    SetR(e, QStringLiteral("Исчисл"), s.Исчисл);
    SetR(e, QStringLiteral("УдержОбщ"), s.УдержОбщ);
    SetR(e, QStringLiteral("ПодлВозв"), s.ПодлВозв);
    SetR(e, QStringLiteral("ПодлУпл"), s.ПодлУпл);
    return true;
}

bool appendBase35(XmlElement& totals, const kTSvodSumList3& s) {
    if (s.ДоходОбщ + s.ДоходОбщНеНал + s.Исчисл + s.НалБаза + s.УдержОбщ + s.УплИно + s.payments35 +
            s.ПодлВозв + s.ПодлУпл + s.УдержОбщЛиш <=
        Money())
        return false;
    XmlElement& e = AddXmlElement(totals, QStringLiteral("НалБаза35"));
    SetK(e, QStringLiteral("ДоходОбщ"), s.ДоходОбщ);
    SetK(e, QStringLiteral("ДоходОбщНеНал"), s.ДоходОбщНеНал);
    SetK(e, QStringLiteral("НалБаза"), s.НалБаза);
    SetR(e, QStringLiteral("Исчисл"), s.Исчисл);
    SetR(e, QStringLiteral("УдержОбщ"), s.УдержОбщ);
    SetR(e, QStringLiteral("УдержОбщЛиш"), s.УдержОбщЛиш);
    SetR(e, QStringLiteral("УплИно"), s.УплИно);
    SetR(e, QStringLiteral("ПодлВозв"), s.ПодлВозв);
    SetR(e, QStringLiteral("ПодлУпл"), s.ПодлУпл);
    return true;
}

bool appendBase9(XmlElement& totals, const kTSvodSumList4& s) {
    if (s.ДоходОбщ + s.НалБаза + s.Исчисл + s.УдержОбщ + s.payments9 + s.ПодлВозв + s.УплИно +
            s.ПодлУпл <=
        Money())
        return false;
    XmlElement& e = AddXmlElement(totals, QStringLiteral("НалБаза9"));
    SetK(e, QStringLiteral("ДоходОбщ"), s.ДоходОбщ);
    SetK(e, QStringLiteral("НалБаза"), s.НалБаза);
    SetR(e, QStringLiteral("Исчисл"), s.Исчисл);
    SetR(e, QStringLiteral("УдержОбщ"), s.УдержОбщ);
    SetR(e, QStringLiteral("УплИно"), s.УплИно);
    SetR(e, QStringLiteral("ПодлВозв"), s.ПодлВозв);
    SetR(e, QStringLiteral("ПодлУпл"), s.ПодлУпл);
    return true;
}

bool appendBase15(XmlElement& totals, const kTSvodSumList5& s) {
    if (s.ДоходОбщ + s.НалБаза + s.Исчисл + s.УдержОбщ + s.payments15 + s.ПодлВозв + s.ПодлУпл <=
        Money())
        return false;
    XmlElement& e = AddXmlElement(totals, QStringLiteral("НалБаза15"));
    SetK(e, QStringLiteral("ДоходОбщ"), s.ДоходОбщ);
    SetK(e, QStringLiteral("НалБаза"), s.НалБаза);
    SetR(e, QStringLiteral("Исчисл"), s.Исчисл);
    SetR(e, QStringLiteral("УдержОбщ"), s.УдержОбщ);
    SetR(e, QStringLiteral("ПодлВозв"), s.ПодлВозв);
    SetR(e, QStringLiteral("ПодлУпл"), s.ПодлУпл);
    return true;
}

// The identity of the source behind a sheet A row, from the list the sheet walked.
struct SourceIdentity {
    QString inn, kpp, name;
};

template <typename List> SourceIdentity identityIn(const List& list, int index) {
    const auto& s = list.Get(index);
    return {s.sourceInn, s.sourceKpp, s.sourceName};
}

template <typename List>
void appendIncomeRf(XmlElement& sheets, const QString& rate, const kTSvodSumPrilA& sheet,
                    const QString& fixedAdvance, const List& sources) {
    XmlElement& e = AddXmlElement(sheets, QStringLiteral("ДоходИстРФ"));
    SetXmlAttribute(e, QStringLiteral("Ставка"), rate);
    SetK(e, QStringLiteral("ДоходОбщ"), sheet.ДоходОбщ);
    SetK(e, QStringLiteral("ДоходОблОбщ"), sheet.ДоходОблОбщ);
    SetR(e, QStringLiteral("НалИсчислИт"), sheet.НалИсчислИт);
    SetR(e, QStringLiteral("НалУдержИт"), sheet.НалУдержИт);
    SetXmlAttribute(e, QStringLiteral("НалУплФАП"), fixedAdvance);
    // The sheet's rows follow the walked list in order and carry the per-source
    // taxable amount and tax (after the prize exemption at 35 percent).
    for (const SourceRow& row : sheet.РасчДохНал) {
        XmlElement& r = AddXmlElement(e, QStringLiteral("РасчДохНал"));
        SetK(r, QStringLiteral("Доход"), row.Доход);
        SetK(r, QStringLiteral("ДоходОбл"), row.ДоходОбл);
        SetR(r, QStringLiteral("НалИсчисл"), row.НалИсчисл);
        SetR(r, QStringLiteral("НалУдерж"), row.НалУдерж);
        SetXmlAttributeIfNotBlank(r, QStringLiteral("ОКАТО"), row.ОКАТО);
        const SourceIdentity id = identityIn(sources, row.sourceIndex);
        AppendSourceIdentity(r, id.inn, id.kpp, id.name);
    }
}

} // namespace

void SetK(XmlElement& e, const QString& name, Money value) {
    SetXmlAttribute(e, name, KopText(value));
}

void SetR(XmlElement& e, const QString& name, Money value) {
    SetXmlAttribute(e, name, RubText(value));
}

void SetKIfPositive(XmlElement& e, const QString& name, Money value) {
    if (value > Money())
        SetK(e, name, value);
}

void SetRIfPositive(XmlElement& e, const QString& name, Money value) {
    if (value > Money())
        SetR(e, name, value);
}

void AppendSourceIdentity(XmlElement& parent, const QString& inn, const QString& kpp,
                          const QString& name) {
    if (inn.size() != 10 && IsBlank(kpp)) {
        XmlElement& e = AddXmlElement(parent, QStringLiteral("ИстФЛИн"));
        SetXmlAttribute(e, QStringLiteral("ФИОИн"), name);
        SetXmlAttributeIfNotBlank(e, QStringLiteral("ИННФЛ"), inn);
    } else {
        XmlElement& e = AddXmlElement(parent, QStringLiteral("ИстЮЛ"));
        SetXmlAttribute(e, QStringLiteral("Наим"), name);
        SetXmlAttribute(e, QStringLiteral("ИННЮЛ"), inn);
        SetXmlAttribute(e, QStringLiteral("КПП"), kpp);
    }
}

void AppendTotals(XmlElement& ndfl3, const kTSvodSum& sum) {
    XmlElement& totals = AddXmlElement(ndfl3, QStringLiteral("ИтогУплВозв"));
    bool any = false;
    if (present13(sum.list1)) {
        appendBase13(totals, sum.list1);
        any = true;
    }
    any = appendBase30(totals, sum.list2) || any;
    any = appendBase35(totals, sum.list3) || any;
    any = appendBase9(totals, sum.list4) || any;
    any = appendBase15(totals, sum.list5) || any;
    // The element is never empty: the 13 percent totals stand in, zeros as a rule.
    if (!any)
        appendBase13(totals, sum.list1);
}

bool HasSheets(const mTDeclaration& d, const kTSvodSum& sum) {
    const Money zero;
    return d.propertyDeduction.granted || d.socialDeduction.granted ||
           d.thirteenSources.Count() > 0 || d.thirteenNrSources.Count() > 0 ||
           d.thirtySources.Count() > 0 || d.thirtyFiveSources.Count() > 0 ||
           (d.incomeFlags() & (mTDeclaration::kFlagCurrency | mTDeclaration::kFlagBusiness |
                               mTDeclaration::kFlagRepetit)) != 0 ||
           sum.prilM.ДохНеНалОбщ + sum.prilM2.ДоходНеНалОбщ > zero ||
           sum.prilM3.НалогУдЛОбщ > zero || sum.prilG_In.РасходОбщИт > zero ||
           sum.prilG.РасходОбщИт > zero || sum.prilH1.ВычетОбщ > zero ||
           sum.prilJ.ИтогСовОпер.РасхПрмВыч > zero;
}

void AppendSheetA(XmlElement& sheets, const mTDeclaration& d, const kTSvodSum& sum) {
    const qint64 sources =
        d.thirteenSources.Count() + d.thirteenNrSources.Count() + d.thirtySources.Count();
    if (Money::fromRoubles(sources) + sum.prilA35.ДоходОбщ <= Money())
        return;
    const bool resident = d.formKind == 0;
    const bool nonResident = d.formKind == 1;
    if (resident && d.thirtySources.Count() > 0)
        appendIncomeRf(sheets, QStringLiteral("09"), sum.prilA6, kZero, d.thirtySources);
    if (resident && d.thirteenSources.Count() > 0)
        appendIncomeRf(sheets, QStringLiteral("13"), sum.prilA13, RubText(sum.prilA13.НалУплФАП),
                       d.thirteenSources);
    if (nonResident && d.thirteenNrSources.Count() > 0)
        appendIncomeRf(sheets, QStringLiteral("13"), sum.prilA13, RubText(sum.prilA13.НалУплФАП),
                       d.thirteenNrSources);
    if (nonResident && d.thirtySources.Count() > 0)
        appendIncomeRf(sheets, QStringLiteral("15"), sum.prilA15, kZero, d.thirtySources);
    if (nonResident && d.thirteenSources.Count() > 0)
        appendIncomeRf(sheets, QStringLiteral("30"), sum.prilA30, kZero, d.thirteenSources);
    if (resident && sum.prilA35.ДоходОбщ > Money())
        appendIncomeRf(sheets, QStringLiteral("35"), sum.prilA35, kZero, d.thirtyFiveSources);
}

void AppendNdfl3(XmlElement& document, const mTDeclaration& d, const kTSvodSum& sum) {
    XmlElement& ndfl3 = AddXmlElement(document, QStringLiteral("НДФЛ3"));
    AppendTotals(ndfl3, sum);
    if (HasSheets(d, sum)) {
        XmlElement& sheets = AddXmlElement(ndfl3, QStringLiteral("СведДохВыч"));
        AppendSheetA(sheets, d, sum);
        AppendIncomeSheets(sheets, d, sum);
        AppendDeductionSheets(sheets, d, sum);
    }
    AppendPaymentLines(ndfl3, sum);
}
