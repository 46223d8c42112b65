#include "FramePersonData.h"

#include "FramePersonAddress.h"
#include "FramePersonName.h"
#include "PageButton.h"
#include "checks/CheckAsk.h"
#include "model/DeclClasses.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

TfrPersonData::TfrPersonData(TPageHost& host, QWidget* parent) : TThinkingFrame(host, parent) {
    auto make = [this](const char* name, const QString& text, const QString& hint) {
        auto* b = new TSubPageButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setMinimumWidth(150);
        return b;
    };
    fbPersonNaim = make("fbPersonNaim", QStringLiteral("ФИО и докум&ент"),
                        QStringLiteral("Сведения о ФИО и документе, удостоверяющем личность"));
    fbPersonAddress = make("fbPersonAddress", QStringLiteral("Место &жительства"),
                           QStringLiteral("Сведения о месте жительства"));
    auto* group = new QButtonGroup(this);
    group->addButton(fbPersonNaim, 0);
    group->addButton(fbPersonAddress, 1);
    fbPersonAddress->setVisible(declaration().formKind != 2);
    connect(fbPersonNaim, &QToolButton::clicked, this, [this] { subPageClicked(0); });
    connect(fbPersonAddress, &QToolButton::clicked, this, [this] { subPageClicked(1); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(fbPersonNaim);
    bar->addWidget(fbPersonAddress);
    bar->addStretch();
    area_ = new QWidget(this);
    auto* areaLayout = new QVBoxLayout(area_);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(area_, 1);
    showSubPage(0);
}

void TfrPersonData::showSubPage(int index) {
    if (sub_ && index == index_)
        return;
    delete sub_;
    sub_ = nullptr;
    if (index == 0)
        sub_ = new TfrPersonNaim(host(), area_);
    else
        sub_ = new TfrPersonAddress(host(), area_);
    area_->layout()->addWidget(sub_);
    index_ = index;
    (index == 0 ? fbPersonNaim : fbPersonAddress)->setChecked(true);
}

void TfrPersonData::subPageClicked(int index) {
    if (index == index_) {
        (index == 0 ? fbPersonNaim : fbPersonAddress)->setChecked(true);
        return;
    }
    sub_->StoreToModel();
    const int position = sub_->CheckPage();
    if (position != 0) {
        (index_ == 0 ? fbPersonNaim : fbPersonAddress)->setChecked(true);
        sub_->FocusField(position);
        return;
    }
    showSubPage(index);
}

void TfrPersonData::StoreToModel() {
    sub_->StoreToModel();
}

int TfrPersonData::CheckPage() {
    return sub_->CheckPage();
}

void TfrPersonData::FocusField(int position) {
    sub_->FocusField(position);
}

void TfrPersonData::ShowFinding(int pageCode, int position) {
    showSubPage(pageCode == ::CheckPage::kDeclarantAddress ? 1 : 0);
    sub_->FocusField(position);
}
