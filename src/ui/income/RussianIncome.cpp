#include "RussianIncome.h"

#include "FrameThirteenPercent.h"
#include "FrameThirteenPercentNR.h"
#include "FrameThirtyFivePercent.h"
#include "FrameThirtyPercent.h"
#include "checks/CheckAsk.h"
#include "model/DeclClasses.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

TfrRussianIncome::TfrRussianIncome(TPageHost& host, QWidget* parent)
    : TThinkingFrame(host, parent) {
    const quint8 kind = declaration().formKind;
    const bool resident = kind == 0;
    auto make = [this](const char* name, const QString& text, const QString& hint) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setCheckable(true);
        b->setMinimumWidth(110);
        return b;
    };
    FlashButton1 =
        resident
            ? make("FlashButton1", QStringLiteral("1&3%"),
                   QStringLiteral("Доходы, облагаемые по ставке 13%, полученные от "
                                  "налоговых агентов или иных источников выплаты, в "
                                  "т.ч. от физических лиц"))
            : make("FlashButton1", QStringLiteral("&30%"), QStringLiteral("Доходы нерезидента"));
    FlashButton2 = make("FlashButton2", resident ? QStringLiteral("&9%") : QStringLiteral("1&5%"),
                        QStringLiteral("Доходы в виде дивидендов"));
    FlashButton3 = make("FlashButton3", QStringLiteral("3&5%"),
                        QStringLiteral("Доходы, облагаемые по ставке 35%"));
    FlashButton6 =
        make("FlashButton6", QStringLiteral("1&3% ВКС"),
             QStringLiteral("Доходы нерезидентов, высококвалифицированных специалистов"));
    FlashButton3->setVisible(resident);
    FlashButton6->setVisible(kind == 1);
    auto* group = new QButtonGroup(this);
    auto* bar = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        QToolButton* b = buttonOf(i);
        group->addButton(b, i);
        connect(b, &QToolButton::clicked, this, [this, i] { subPageClicked(i); });
        bar->addWidget(b);
    }
    bar->addStretch();
    area_ = new QWidget(this);
    auto* areaLayout = new QVBoxLayout(area_);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(area_, 1);
    if (kind == 2) {
        // A 4-NDFL declaration has no income by payer.
        for (int i = 0; i < 4; ++i)
            buttonOf(i)->setVisible(false);
        return;
    }
    replaceSubPage(Thirteen);
}

QToolButton* TfrRussianIncome::buttonOf(int index) const {
    switch (index) {
    case Dividends:
        return FlashButton2;
    case ThirtyFive:
        return FlashButton3;
    case ThirteenNr:
        return FlashButton6;
    default:
        return FlashButton1;
    }
}

void TfrRussianIncome::replaceSubPage(int index) {
    TPageBuilding building(host());
    delete sub_;
    sub_ = nullptr;
    switch (index) {
    case Dividends:
        sub_ = new TfrThirtyPercent(host(), area_);
        break;
    case ThirtyFive:
        sub_ = new TfrThirtyFivePercent(host(), area_);
        break;
    case ThirteenNr:
        sub_ = new TTfrThirteenPercentNR(host(), area_);
        break;
    default:
        sub_ = new TfrThirteenPercent(host(), area_);
        break;
    }
    sub_->setObjectName(QStringLiteral("subPage"));
    area_->layout()->addWidget(sub_);
    index_ = index;
    buttonOf(index)->setChecked(true);
}

void TfrRussianIncome::subPageClicked(int index) {
    if (!sub_)
        return;
    if (index == index_) {
        buttonOf(index)->setChecked(true);
        return;
    }
    sub_->StoreToModel();
    const int position = sub_->CheckPage();
    if (position != 0) {
        buttonOf(index_)->setChecked(true);
        sub_->FocusField(position);
        return;
    }
    replaceSubPage(index);
    sub_->PageShown();
}

void TfrRussianIncome::showSubPage(int index, int position) {
    if (declaration().formKind == 2)
        return;
    if (index != index_)
        replaceSubPage(index);
    sub_->FocusField(position);
}

void TfrRussianIncome::StoreToModel() {
    if (sub_)
        sub_->StoreToModel();
}

int TfrRussianIncome::CheckPage() {
    return sub_ ? sub_->CheckPage() : 0;
}

void TfrRussianIncome::FocusField(int position) {
    if (sub_)
        sub_->FocusField(position);
}

void TfrRussianIncome::PageShown() {
    if (sub_)
        sub_->PageShown();
}

void TfrRussianIncome::ShowFinding(int pageCode, int position) {
    switch (pageCode) {
    case ::CheckPage::kDividends:
        showSubPage(Dividends, position);
        break;
    case ::CheckPage::kThirtyFive:
        showSubPage(ThirtyFive, position);
        break;
    default:
        showSubPage(Thirteen, position);
        break;
    }
}
