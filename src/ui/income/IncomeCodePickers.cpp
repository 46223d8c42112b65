#include "IncomeCodePickers.h"

namespace {

template <class Item> QList<TPickRow> pickRows(const QList<Item>& items) {
    QList<TPickRow> rows;
    rows.reserve(items.size());
    for (const Item& i : items)
        rows.append(TPickRow{i.code, i.name});
    return rows;
}

template <class Item>
std::optional<Item> run(TfmCodePicker& picker, const QList<Item>& items, const QString& current) {
    picker.preselect(PreselectRow(items, current));
    if (!RunPicker(picker))
        return std::nullopt;
    return items.value(picker.selectedRow());
}

} // namespace

TfmInputIncomeCode::TfmInputIncomeCode(QWidget* parent, const QList<IncomeCodeItem>& items)
    : TfmCodePicker(parent, QStringLiteral("Справочник видов доходов"),
                    QStringLiteral("lvIncomeNames"), QStringLiteral("Код"),
                    QStringLiteral("Наименование дохода"), pickRows(items)) {}

TfmInputDeductCode::TfmInputDeductCode(QWidget* parent, const QList<DeductCodeItem>& items)
    : TfmCodePicker(parent, QStringLiteral("Справочник видов вычетов"),
                    QStringLiteral("lvDeductNames"), QStringLiteral("Код"),
                    QStringLiteral("Виды вычетов"), pickRows(items)) {}

std::optional<IncomeCodeItem> PickIncomeCode(QWidget* parent, const QDomElement& root,
                                             const QString& rateFilter, bool nonResident,
                                             const QString& current) {
    const QList<IncomeCodeItem> items = IncomeCodeList(root, rateFilter, nonResident);
    TfmInputIncomeCode picker(parent, items);
    return run(picker, items, current);
}

std::optional<DeductCodeItem> PickDeductCode(QWidget* parent, const QDomElement& root,
                                             const QString& incomeCode, bool fullList,
                                             const QString& current) {
    const QList<DeductCodeItem> items = DeductCodeList(root, incomeCode, fullList);
    TfmInputDeductCode picker(parent, items);
    return run(picker, items, current);
}

std::optional<DeductCodeItem> FindDeduction(const QDomElement& root, const QString& incomeCode,
                                            const QString& code) {
    for (const DeductCodeItem& d : DeductCodeList(root, incomeCode, true))
        if (d.code == code)
            return d;
    return std::nullopt;
}

std::optional<IncomeCodeItem> FindIncome(const QDomElement& root, const QString& code) {
    for (const IncomeCodeItem& i : IncomeCodeList(root, QString(), false))
        if (i.code == code)
            return i;
    return std::nullopt;
}
