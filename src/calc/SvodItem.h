#pragma once

#include "CalcJson.h"

class mTDeclaration;
class kTSvodSum;

// One result object of the calculation: a section or a sheet of the form. Each
// value bears the name of the XML element or attribute the export writes it as.
class kTSvodSumItem {
public:
    kTSvodSumItem() = default;
    kTSvodSumItem(const kTSvodSumItem&) = default;
    kTSvodSumItem& operator=(const kTSvodSumItem&) = default;
    virtual ~kTSvodSumItem() = default;

    // Back to the state of a new object: every value zero, every list empty.
    virtual void Reset() = 0;
    // Every value under its XML name, in the order of the form.
    virtual CalcJson ToJson() const = 0;
};

// Reset by assignment from a fresh object, so no field can be forgotten.
template <typename Self> class kTSvodSumResettable : public kTSvodSumItem {
public:
    void Reset() override { static_cast<Self&>(*this) = Self(); }
};
