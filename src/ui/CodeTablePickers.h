#pragma once

#include "CodePicker.h"

// The pickers of the fixed code tables: identity document kinds and regions.

class TfmDocType : public TfmCodePicker {
    Q_OBJECT
public:
    explicit TfmDocType(QWidget* parent);
};

class TfmRegionName : public TfmCodePicker {
    Q_OBJECT
public:
    explicit TfmRegionName(QWidget* parent);
};

// With the current kind (0: none) preselected; the chosen code and name.
std::optional<TPickRow> PickDocKind(QWidget* parent, int currentKind);
// With the current region preselected ("01" for none).
std::optional<TPickRow> PickRegion(QWidget* parent, int currentRegion);
