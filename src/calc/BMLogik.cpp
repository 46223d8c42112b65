#include "BMLogik.h"

#include "model/DeclClasses.h"

void kTSvodSum::Reset() {
    for (kTSvodSumItem* item : std::initializer_list<kTSvodSumItem*>{
             &list1,   &list2,   &list3,    &list4,  &list5,   &list6,  &prilA6, &prilA13, &prilA15,
             &prilA30, &prilA35, &prilB13,  &prilB9, &prilB35, &prilV1, &prilV2, &prilM,   &prilM2,
             &prilM3,  &prilG,   &prilG_In, &prilE1, &prilE2,  &prilE3, &prilH1, &prilZ,   &prilJ})
        item->Reset();
    okato9.clear();
    okato13.clear();
    okato35.clear();
    okato15.clear();
}

bool kTSvodSum::Calculate(const mTDeclaration& d) {
    Reset();
    constexpr quint8 kForm4Ndfl = 2;
    if (d.formKind == kForm4Ndfl)
        return true;
    // The sheets, each after the ones it reads.
    const bool sheets =
        prilA6.Compute(d, *this) && prilA13.Compute(d, *this) && prilA15.Compute(d, *this) &&
        prilA30.Compute(d, *this) && prilM.Compute(d) && prilM2.Compute(d) && prilM3.Compute(d) &&
        prilA35.Compute(d, *this, prilM2) && prilV1.Compute(d) && prilV2.Compute(d) &&
        prilG.Compute(d) && prilG_In.Compute(d) && prilH1.Compute(d) && prilJ.Compute(d) &&
        prilB13.Compute(d, 13) && prilB9.Compute(d, 9) && prilB35.Compute(d, 35) &&
        prilE1.Compute(d) && prilE2.Compute(d, *this) && prilZ.Compute(d, *this);
    if (!sheets)
        return false;
    for (QString* okato : {&okato9, &okato13, &okato35, &okato15})
        if (okato->isEmpty())
            *okato = d.person.okato;
    return list1.Compute(d, *this) && list2.Compute(d, *this) && list3.Compute(d, *this) &&
           list4.Compute(d, *this) && list5.Compute(d, *this) && list6.Compute(d, *this);
}

CalcJson kTSvodSum::ToJson() const {
    return CalcJson()
        .object(QStringLiteral("kTSvodSumList1"), list1.ToJson())
        .object(QStringLiteral("kTSvodSumList2"), list2.ToJson())
        .object(QStringLiteral("kTSvodSumList3"), list3.ToJson())
        .object(QStringLiteral("kTSvodSumList4"), list4.ToJson())
        .object(QStringLiteral("kTSvodSumList5"), list5.ToJson())
        .list(QStringLiteral("kTSvodSumList6"), list6.LinesJson())
        .object(QStringLiteral("kTSvodSumPrilA6"), prilA6.ToJson())
        .object(QStringLiteral("kTSvodSumPrilA13"), prilA13.ToJson())
        .object(QStringLiteral("kTSvodSumPrilA15"), prilA15.ToJson())
        .object(QStringLiteral("kTSvodSumPrilA30"), prilA30.ToJson())
        .object(QStringLiteral("kTSvodSumPrilA35"), prilA35.ToJson())
        .object(QStringLiteral("kTSvodSumPrilB"),
                CalcJson()
                    .object(QStringLiteral("13"), prilB13.ToJson())
                    .object(QStringLiteral("9"), prilB9.ToJson())
                    .object(QStringLiteral("35"), prilB35.ToJson()))
        .object(QStringLiteral("kTSvodSumPrilV1"), prilV1.ToJson())
        .object(QStringLiteral("kTSvodSumPrilV2"), prilV2.ToJson())
        .object(QStringLiteral("kTSvodSumPrilM"), prilM.ToJson())
        .object(QStringLiteral("kTSvodSumPrilM2"), prilM2.ToJson())
        .object(QStringLiteral("kTSvodSumPrilM3"), prilM3.ToJson())
        .object(QStringLiteral("kTSvodSumPrilG"), prilG.ToJson())
        .object(QStringLiteral("kTSvodSumPrilG_In"), prilG_In.ToJson())
        .object(QStringLiteral("kTSvodSumPrilE1"), prilE1.ToJson())
        .object(QStringLiteral("kTSvodSumPrilE2"), prilE2.ToJson())
        .object(QStringLiteral("kTSvodSumPrilE3"), prilE3.ToJson())
        .object(QStringLiteral("kTSvodSumPrilH1"), prilH1.ToJson())
        .object(QStringLiteral("kTSvodSumPrilZ"), prilZ.ToJson())
        .object(QStringLiteral("kTSvodSumPrilJ"), prilJ.ToJson())
        .text(QStringLiteral("okato9"), okato9)
        .text(QStringLiteral("okato13"), okato13)
        .text(QStringLiteral("okato35"), okato35)
        .text(QStringLiteral("okato15"), okato15);
}
