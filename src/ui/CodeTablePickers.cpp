#include "CodeTablePickers.h"

#include "model/ProgrammDef.h"

TfmDocType::TfmDocType(QWidget* parent)
    : TfmCodePicker(parent, QStringLiteral("Справочник видов документов"),
                    QStringLiteral("lvDocType"), QStringLiteral("Код"),
                    QStringLiteral("Наименование документа"), IdDocKinds()) {}

TfmRegionName::TfmRegionName(QWidget* parent)
    : TfmCodePicker(parent, QStringLiteral("Справочник регионов"), QStringLiteral("lvRegionName"),
                    QStringLiteral("Код"), QStringLiteral("Наименование региона"), Regions()) {}

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
