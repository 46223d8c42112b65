#pragma once

#include "CalcJson.h"
#include "SvodPrilA.h"
#include "SvodPrilBV.h"
#include "SvodPrilE1.h"
#include "SvodPrilE2.h"
#include "SvodPrilG.h"
#include "SvodPrilH.h"
#include "SvodPrilJ.h"
#include "SvodPrilM.h"
#include "SvodSections.h"

#include <QString>

class mTDeclaration;

// The tax calculation of one declaration: every sheet, the five rate sections and
// the payment lines. Made fresh for every export or print, filled by one
// Calculate, then only read. It only reads the declaration and keeps no
// reference to it.
class kTSvodSum {
public:
    kTSvodSum() = default;
    kTSvodSum(const kTSvodSum&) = delete;
    kTSvodSum& operator=(const kTSvodSum&) = delete;

    // Resets everything, then computes the sheets, the OKATO codes of the refunds,
    // the sections and the payment lines, in that order. A 4-NDFL declaration
    // stays all zero. Returns false when a step reports failure; none does.
    bool Calculate(const mTDeclaration& d);

    // Every result object under its class name, the payment lines as a list.
    CalcJson ToJson() const;

    kTSvodSumList1 list1;
    kTSvodSumList2 list2;
    kTSvodSumList3 list3;
    kTSvodSumList4 list4;
    kTSvodSumList5 list5;
    kTSvodSumList6 list6;
    kTSvodSumPrilA6 prilA6;
    kTSvodSumPrilA13 prilA13;
    kTSvodSumPrilA15 prilA15;
    kTSvodSumPrilA30 prilA30;
    kTSvodSumPrilA35 prilA35;
    kTSvodSumPrilB prilB13;
    kTSvodSumPrilB prilB9;
    kTSvodSumPrilB prilB35;
    kTSvodSumPrilV1 prilV1;
    kTSvodSumPrilV2 prilV2;
    kTSvodSumPrilM prilM;
    kTSvodSumPrilM2 prilM2;
    kTSvodSumPrilM3 prilM3;
    kTSvodSumPrilG prilG;
    kTSvodSumPrilG_In prilG_In;
    kTSvodSumPrilE1 prilE1;
    kTSvodSumPrilE2 prilE2;
    kTSvodSumPrilE3 prilE3;
    kTSvodSumPrilH1 prilH1;
    kTSvodSumPrilZ prilZ;
    kTSvodSumPrilJ prilJ;
    // The OKATO under which a refund at 9, 13 and 30, 35 and 15 percent is listed.
    QString okato9;
    QString okato13;
    QString okato35;
    QString okato15;

private:
    void Reset();
};
