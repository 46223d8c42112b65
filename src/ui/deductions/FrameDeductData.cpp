#include "FrameDeductData.h"

#include "FrameCB.h"
#include "FrameConstructionDeduct.h"
#include "FramePensDeduct.h"
#include "FrameStandartDeduct.h"
#include "checks/CheckAsk.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

TfrFrameDeductData::TfrFrameDeductData(TPageHost& host, QWidget* parent)
    : TThinkingFrame(host, parent) {
    auto make = [this](const char* name, const QString& text, const QString& hint) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setCheckable(true);
        b->setMinimumWidth(130);
        return b;
    };
    fbStandartDeduct = make("fbStandartDeduct", QStringLiteral("&Стандартные"),
                            QStringLiteral("Стандартные налоговые вычеты"));
    fbConstructionDeduct = make("fbConstructionDeduct", QStringLiteral("&Имущественный"),
                                QStringLiteral("Имущественный налоговый вычет на строительство"));
    fbPensDeduct = make("fbPensDeduct", QStringLiteral("С&оциальные"),
                        QStringLiteral("Социальные налоговые вычеты"));
    fbCB = make("fbCB", QStringLiteral("Убытки по &ЦБ"),
                QStringLiteral("Убытки прошлых налоговых периодов по операциям с ЦБ"));
    buttons_ = {fbStandartDeduct, fbConstructionDeduct, fbPensDeduct, fbCB};
    auto* group = new QButtonGroup(this);
    auto* bar = new QHBoxLayout;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        group->addButton(buttons_[i], int(i));
        bar->addWidget(buttons_[i]);
        const auto page = SubPage(i);
        connect(buttons_[i], &QToolButton::clicked, this, [this, page] { subPageClicked(page); });
    }
    bar->addStretch();
    area_ = new QWidget(this);
    auto* areaLayout = new QVBoxLayout(area_);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(area_, 1);
    showSubPage(Standard);
}

void TfrFrameDeductData::showSubPage(SubPage page) {
    if (sub_ && page == index_)
        return;
    TThinkingFrame* next = nullptr;
    {
        TPageBuilding building(host());
        switch (page) {
        case Standard:
            next = new TfrFrameStandartDeduct(host(), area_);
            break;
        case Property:
            next = new TfrConstructionDeduct(host(), area_);
            break;
        case Social:
            next = new TfrFramePensDeduct(host(), area_);
            break;
        case Securities:
            next = new TfrCB(host(), area_);
            break;
        }
    }
    delete sub_;
    sub_ = next;
    area_->layout()->addWidget(sub_);
    sub_->show();
    index_ = page;
    button(page)->setChecked(true);
}

void TfrFrameDeductData::subPageClicked(SubPage page) {
    if (page == index_) {
        button(page)->setChecked(true);
        return;
    }
    sub_->StoreToModel();
    const int position = sub_->CheckPage();
    if (position != 0) {
        button(index_)->setChecked(true);
        sub_->FocusField(position);
        return;
    }
    showSubPage(page);
}

void TfrFrameDeductData::StoreToModel() {
    sub_->StoreToModel();
}

int TfrFrameDeductData::CheckPage() {
    return sub_->CheckPage();
}

void TfrFrameDeductData::FocusField(int position) {
    sub_->FocusField(position);
}

// The whole-document check reports the property findings under their own
// code and the social and standard ones under the standard code; the social
// finding is the only one at position 1 there, and is mended on its own sub-page.
void TfrFrameDeductData::ShowFinding(int pageCode, int position) {
    if (pageCode == ::CheckPage::kProperty)
        showSubPage(Property);
    else if (position == 1)
        showSubPage(Social);
    else
        showSubPage(Standard);
    sub_->FocusField(position);
}
