#include "FrameCB.h"

#include "DeductKit.h"
#include "model/DeclClasses.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

TfrCB::TfrCB(TPageHost& host, QWidget* parent) : TThinkingFrame(host, parent) {
    auto* gb = new QGroupBox(QStringLiteral("Убытки предыдущих налоговых периодов"), this);
    meCB = DeductKit::money(gb, "meCB");
    meFinInstr = DeductKit::money(gb, "meFinInstr");
    auto* g = new QGridLayout(gb);
    g->addWidget(
        DeductKit::caption(QStringLiteral("Убыток по операциям с &ценными бумагами"), meCB, gb), 0,
        0);
    g->addWidget(meCB, 0, 1);
    g->addWidget(DeductKit::caption(QStringLiteral("Убыток по операциям с &финансовыми "
                                                   "инструментами срочных сделок"),
                                    meFinInstr, gb),
                 1, 0);
    g->addWidget(meFinInstr, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gb);
    layout->addStretch();

    TPageBuilding building(host);
    const mTCBDeduct& s = declaration().securitiesDeduction;
    meCB->loadMoney(s.prevSecuritiesLoss);
    meFinInstr->loadMoney(s.prevDerivativesLoss);
}

void TfrCB::StoreToModel() {
    mTCBDeduct& s = declaration().securitiesDeduction;
    s.prevSecuritiesLoss = meCB->money();
    s.prevDerivativesLoss = meFinInstr->money();
}
