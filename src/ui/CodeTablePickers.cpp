#include "CodeTablePickers.h"

#include "model/ProgrammDef.h"

namespace {
QList<TPickRow> rowsOf(const QList<CodeName>& table) {
    QList<TPickRow> rows;
    rows.reserve(table.size());
    for (const CodeName& c : table)
        rows.append({c.code, c.name});
    return rows;
}
} // namespace

TfmDocType::TfmDocType(QWidget* parent)
    : TfmCodePicker(parent, QStringLiteral("Справочник видов документов"),
                    QStringLiteral("lvDocType"), QStringLiteral("Код"),
                    QStringLiteral("Наименование документа"), rowsOf(IdDocKinds())) {}

TfmRegionName::TfmRegionName(QWidget* parent)
    : TfmCodePicker(parent, QStringLiteral("Справочник регионов"), QStringLiteral("lvRegionName"),
                    QStringLiteral("Код"), QStringLiteral("Наименование региона"),
                    rowsOf(Regions())) {}

std::optional<TPickRow> PickDocKind(QWidget* parent, int currentKind) {
    TfmDocType picker(parent);
    picker.preselect(PreselectedRow(IdDocKinds(), currentKind));
    return RunPicker(picker);
}

std::optional<TPickRow> PickRegion(QWidget* parent, int currentRegion) {
    TfmRegionName picker(parent);
    picker.preselect(PreselectedRow(Regions(), currentRegion));
    return RunPicker(picker);
}
