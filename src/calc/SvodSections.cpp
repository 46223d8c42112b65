#include "SvodSections.h"

#include "BMLogik.h"
#include "RateMath.h"
#include "model/DeclClasses.h"

#include <initializer_list>

namespace {

constexpr quint8 kResident = 0;
constexpr quint8 kNonResident = 1;

// The notified payments made under one of the codes.
Money notified(const mTDeclaration& d, std::initializer_list<QString> codes) {
    Money total;
    for (const mTNalog& p : d.notifiedPayments)
        for (const QString& code : codes)
            if (p.budgetCode == code) {
                total += p.paymentAmount;
                break;
            }
    return total;
}

Money positive(Money v) {
    return qMax(v, Money());
}

// Refund when more was credited than computed, else nothing.
Money refundOf(Money computed, Money credited) {
    return computed < credited ? credited - computed : Money();
}

// The zero line of a declaration with nothing to pay: entrepreneurs, heads of a
// farm, notaries and lawyers use the business code.
const QString& nothingCode(const mTDeclaration& d) {
    return d.taxpayerKind <= 3 ? BudgetCode::kBusiness : BudgetCode::kPayable;
}

} // namespace

bool kTSvodSumList1::Compute(const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.formKind == kNonResident) {
        ДоходОбщ = sum.prilA13.ДоходОбщ;
        ДоходОбщНал = ДоходОбщ;
        РасхВычОбщ = sum.prilH1.ВычетОбщ + sum.prilG.РасходОбщИт + sum.prilG_In.РасходОбщИт;
    } else {
        ДоходОбщ = sum.prilA13.ДоходОбщ + sum.prilV1.ДоходИт + sum.prilV2.ДоходИт +
                   sum.prilB13.ДоходИноРубОбщ;
        ДоходОбщНеНал = sum.prilM.ДохНеНалОбщ;
        // Kept negative when the exempt income exceeds the income.
        ДоходОбщНал = ДоходОбщ - ДоходОбщНеНал;
        const kTSvodSumPrilZ& z = sum.prilZ;
        РасхВычОбщ = sum.prilE1.ИтогВычСтанд + sum.prilE2.ИтогВычСоциал + sum.prilE3.СумВычОбщ +
                     sum.prilH1.ВычетОбщ + z.РасхНовВычНД + z.ПроцВычНД + z.ПроцНАУвед +
                     z.ВычНАУвед + sum.prilJ.ИтогСовОпер.РасхПрмВыч + sum.prilV1.ВычПрофИт +
                     sum.prilV2.ВычПрофИт + sum.prilG.РасходОбщИт + sum.prilG_In.РасходОбщИт;
        УплФактАв = sum.prilV1.УплАванИт + sum.prilV2.УплАванИт;
        УплИно = sum.prilB13.НалЗачРФОбщ;
    }
    НалБаза = positive(ДоходОбщНал - РасхВычОбщ);
    Исчисл = TaxAt(НалБаза, 13);
    УдержОбщ = sum.prilA13.НалУдержИт;
    УплФиксирАв = sum.prilA13.НалУплФАП;
    payments13 = notified(d, {BudgetCode::kPayable13b, BudgetCode::kPayable13a});
    const Money credited = УдержОбщ + УплФактАв + УплФиксирАв + payments13;
    ПодлВозв = refundOf(Исчисл, credited);
    // Tax paid abroad lowers what is payable but never makes a refund.
    ПодлУпл = Исчисл > credited ? positive(Исчисл - credited - УплИно) : Money();
    return true;
}

CalcJson kTSvodSumList1::ToJson() const {
    return CalcJson()
        .money(QStringLiteral("ДоходОбщ"), ДоходОбщ)
        .money(QStringLiteral("ДоходОбщНеНал"), ДоходОбщНеНал)
        .money(QStringLiteral("РасхВычОбщ"), РасхВычОбщ)
        .money(QStringLiteral("ДоходОбщНал"), ДоходОбщНал)
        .money(QStringLiteral("НалБаза"), НалБаза)
        .money(QStringLiteral("Исчисл"), Исчисл)
        .money(QStringLiteral("УдержОбщ"), УдержОбщ)
        .money(QStringLiteral("УплФактАв"), УплФактАв)
        .money(QStringLiteral("УплФиксирАв"), УплФиксирАв)
        .money(QStringLiteral("payments13"), payments13)
        .money(QStringLiteral("УплИно"), УплИно)
        .money(QStringLiteral("ПодлВозв"), ПодлВозв)
        .money(QStringLiteral("ПодлУпл"), ПодлУпл);
}

bool kTSvodSumList2::Compute(const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.formKind == kNonResident) {
        ДоходОбщ = sum.prilA30.ДоходОбщ;
        ДоходОбщНеНал = sum.prilM.ДохНеНалОбщ + sum.prilM2.ДоходНеНалОбщ;
        ДоходОбщНал = ДоходОбщ - ДоходОбщНеНал;
        РасхОбщ = sum.prilJ.ИтогСовОпер.РасхПрмВыч;
        НалБаза = positive(ДоходОбщНал - РасхОбщ);
        Исчисл = TaxAt(НалБаза, 30);
        УдержОбщ = sum.prilA30.НалУдержИт;
    }
    payments30 = notified(d, {BudgetCode::kPayable});
    ПодлВозв = refundOf(Исчисл, УдержОбщ + payments30);
    ПодлУпл = positive(Исчисл - УдержОбщ - payments30);
    return true;
}

CalcJson kTSvodSumList2::ToJson() const {
    return CalcJson()
        .money(QStringLiteral("ДоходОбщ"), ДоходОбщ)
        .money(QStringLiteral("ДоходОбщНеНал"), ДоходОбщНеНал)
        .money(QStringLiteral("РасхОбщ"), РасхОбщ)
        .money(QStringLiteral("ДоходОбщНал"), ДоходОбщНал)
        .money(QStringLiteral("НалБаза"), НалБаза)
        .money(QStringLiteral("Исчисл"), Исчисл)
        .money(QStringLiteral("УдержОбщ"), УдержОбщ)
        .money(QStringLiteral("payments30"), payments30)
        .money(QStringLiteral("ПодлВозв"), ПодлВозв)
        .money(QStringLiteral("ПодлУпл"), ПодлУпл);
}

bool kTSvodSumList3::Compute(const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.formKind != kResident)
        return true;
    ДоходОбщ = sum.prilA35.ДоходОбщ + sum.prilB35.ДоходИноРубОбщ;
    ДоходОбщНеНал = sum.prilM2.ДоходНеНалОбщ;
    НалБаза = positive(ДоходОбщ - ДоходОбщНеНал);
    // On the total: the per-source taxes of sheet A may round differently.
    Исчисл = TaxAt(НалБаза, 35);
    УдержОбщ = sum.prilA35.НалУдержИт;
    УдержОбщЛиш = sum.prilM3.НалогУдЛОбщ;
    payments35 = notified(d, {BudgetCode::kPayable35});
    УплИно = sum.prilB35.НалЗачРФОбщ;
    const Money credited = УдержОбщ + УдержОбщЛиш + payments35;
    ПодлВозв = refundOf(Исчисл, credited);
    ПодлУпл = positive(Исчисл - УплИно - credited);
    return true;
}

CalcJson kTSvodSumList3::ToJson() const {
    return CalcJson()
        .money(QStringLiteral("ДоходОбщ"), ДоходОбщ)
        .money(QStringLiteral("ДоходОбщНеНал"), ДоходОбщНеНал)
        .money(QStringLiteral("Исчисл"), Исчисл)
        .money(QStringLiteral("НалБаза"), НалБаза)
        .money(QStringLiteral("УдержОбщ"), УдержОбщ)
        .money(QStringLiteral("УплИно"), УплИно)
        .money(QStringLiteral("payments35"), payments35)
        .money(QStringLiteral("ПодлВозв"), ПодлВозв)
        .money(QStringLiteral("ПодлУпл"), ПодлУпл)
        .money(QStringLiteral("УдержОбщЛиш"), УдержОбщЛиш);
}

bool kTSvodSumList4::Compute(const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.formKind != kResident)
        return true;
    ДоходОбщ = sum.prilA6.ДоходОбщ + sum.prilB9.ДоходИноРубОбщ;
    НалБаза = sum.prilA6.ДоходОблОбщ + sum.prilB9.ДоходИноРубОбщ;
    // Not recomputed at the rate: the sum of what the payers and the foreign rows
    // computed.
    Исчисл = sum.prilA6.НалИсчислИт + sum.prilB9.НалИсчислРФОбщ;
    УдержОбщ = sum.prilA6.НалУдержИт;
    payments9 = notified(d, {BudgetCode::kPayable9, BudgetCode::kRefund});
    УплИно = sum.prilB9.НалЗачРФОбщ;
    ПодлВозв = refundOf(Исчисл, УдержОбщ + payments9);
    ПодлУпл = positive(Исчисл - УдержОбщ - payments9 - УплИно);
    return true;
}

CalcJson kTSvodSumList4::ToJson() const {
    return CalcJson()
        .money(QStringLiteral("ДоходОбщ"), ДоходОбщ)
        .money(QStringLiteral("НалБаза"), НалБаза)
        .money(QStringLiteral("Исчисл"), Исчисл)
        .money(QStringLiteral("УдержОбщ"), УдержОбщ)
        .money(QStringLiteral("payments9"), payments9)
        .money(QStringLiteral("ПодлВозв"), ПодлВозв)
        .money(QStringLiteral("УплИно"), УплИно)
        .money(QStringLiteral("ПодлУпл"), ПодлУпл);
}

bool kTSvodSumList5::Compute(const mTDeclaration& d, const kTSvodSum& sum) {
    if (d.formKind != kNonResident)
        return true;
    ДоходОбщ = sum.prilA15.ДоходОбщ;
    НалБаза = sum.prilA15.ДоходОблОбщ;
    Исчисл = TaxAt(НалБаза, 15);
    УдержОбщ = sum.prilA15.НалУдержИт;
    payments15 = notified(d, {BudgetCode::kPayable15});
    ПодлВозв = refundOf(Исчисл, УдержОбщ + payments15);
    ПодлУпл = positive(Исчисл - УдержОбщ - payments15);
    return true;
}

CalcJson kTSvodSumList5::ToJson() const {
    return CalcJson()
        .money(QStringLiteral("ДоходОбщ"), ДоходОбщ)
        .money(QStringLiteral("НалБаза"), НалБаза)
        .money(QStringLiteral("Исчисл"), Исчисл)
        .money(QStringLiteral("УдержОбщ"), УдержОбщ)
        .money(QStringLiteral("payments15"), payments15)
        .money(QStringLiteral("ПодлВозв"), ПодлВозв)
        .money(QStringLiteral("ПодлУпл"), ПодлУпл);
}

// ------------------------------------------------------------------ payments

void kTSvodSumList6::add(const QString& code, const QString& okato, const QString& kind,
                         Money amount) {
    lines.push_back({code, okato, kind, amount});
}

void kTSvodSumList6::addRefund(const QString& code, const QString& okato, Money amount) {
    for (PaymentLine& line : lines)
        if (line.budgetCode == code && line.okato == okato && line.lineKind == LineKind::kRefund) {
            line.amount += amount;
            return;
        }
    add(code, okato, LineKind::kRefund, amount);
}

bool kTSvodSumList6::Compute(const mTDeclaration& d, const kTSvodSum& sum) {
    const QString& own = d.person.okato;
    part13(d, sum, own);
    partOther(sum.list3.ПодлВозв, sum.list3.ПодлУпл, sum.list3.ДоходОбщ, sum.okato35, own);
    partOther(sum.list2.ПодлВозв, sum.list2.ПодлУпл, sum.list2.ДоходОбщ, sum.okato13, own);
    partOther(sum.list4.ПодлВозв, sum.list4.ПодлУпл, sum.list4.ДоходОбщ, sum.okato9, own);
    partOther(sum.list5.ПодлВозв, sum.list5.ПодлУпл, sum.list5.ДоходОбщ, sum.okato15, own);
    // A computed declaration always has at least one line.
    if (lines.empty())
        add(nothingCode(d), own, LineKind::kNothing, Money());
    return true;
}

void kTSvodSumList6::part13(const mTDeclaration& d, const kTSvodSum& sum, const QString& own) {
    const kTSvodSumList1& s = sum.list1;
    const quint8 flags = d.incomeFlags();
    if (!s.ПодлВозв.isZero()) {
        Money rest = s.ПодлВозв;
        // Advance payments on business income come back first, under the business code.
        const Money advances = d.actualAdvancePayments;
        if ((flags & mTDeclaration::kFlagBusiness) && d.businessActivities.Count() > 0 &&
            advances > Money()) {
            const Money part = advances < rest ? advances : rest;
            add(BudgetCode::kBusiness, own, LineKind::kRefund, part);
            rest -= part;
        }
        // Then each payer that withheld tax, in list order, up to what it withheld;
        // payers under one OKATO share a line.
        if (rest > Money()) {
            const auto& payers =
                d.formKind == kNonResident ? d.thirteenNrSources : d.thirteenSources;
            for (const mTThirteenPercent& p : payers) {
                if (!(p.taxWithheld > Money()) || !(rest > Money()))
                    continue;
                const Money part = rest > p.taxWithheld ? p.taxWithheld : rest;
                addRefund(BudgetCode::kRefund, p.sourceOkato, part);
                rest -= part;
                if (rest.isZero())
                    break;
            }
        }
        if (rest > Money())
            add(BudgetCode::kRefund, own, LineKind::kRefund, rest);
    }
    if (!s.ПодлУпл.isZero()) {
        Money rest = s.ПодлУпл;
        if (flags & (mTDeclaration::kFlagBusiness | mTDeclaration::kFlagRepetit)) {
            const kTSvodSumPrilV1& v = sum.prilV1;
            const Money business = TaxAt(v.ДоходИт - v.ВычПрофИт, 13) - v.УплАванИт;
            if (business > Money()) {
                const Money part = rest > business ? business : rest;
                add(BudgetCode::kBusiness, own, LineKind::kPayable, part);
                rest -= part;
            }
        }
        if (rest > Money())
            add(BudgetCode::kPayable, own, LineKind::kPayable, rest);
    }
    if (s.ПодлВозв.isZero() && s.ПодлУпл.isZero() && !s.ДоходОбщ.isZero())
        add(nothingCode(d), own, LineKind::kNothing, Money());
}

void kTSvodSumList6::partOther(Money refund, Money payable, Money income,
                               const QString& refundOkato, const QString& own) {
    if (!refund.isZero())
        add(BudgetCode::kRefund, refundOkato, LineKind::kRefund, refund);
    if (!payable.isZero())
        add(BudgetCode::kPayable, own, LineKind::kPayable, payable);
    if (refund.isZero() && payable.isZero() && !income.isZero())
        add(BudgetCode::kPayable, own, LineKind::kNothing, Money());
}

std::vector<CalcJson> kTSvodSumList6::LinesJson() const {
    std::vector<CalcJson> out;
    for (const PaymentLine& l : lines)
        out.push_back(CalcJson()
                          .text(QStringLiteral("ПрУплВозв"), l.lineKind)
                          .text(QStringLiteral("КБК"), l.budgetCode)
                          .text(QStringLiteral("ОКАТО"), l.okato)
                          .money(QStringLiteral("ПодлУпл"),
                                 l.lineKind == LineKind::kPayable ? l.amount : Money())
                          .money(QStringLiteral("ПодлВозв"),
                                 l.lineKind == LineKind::kRefund ? l.amount : Money()));
    return out;
}

CalcJson kTSvodSumList6::ToJson() const {
    return CalcJson().list(QStringLiteral("ПодлУплВозв"), LinesJson());
}
