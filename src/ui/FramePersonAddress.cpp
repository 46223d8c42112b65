#include "FramePersonAddress.h"

#include "CodeTablePickers.h"
#include "MaskedEdit.h"
#include "PageCheck.h"
#include "model/DeclClasses.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
TMaskedEdit* edit(QWidget* parent, const char* name, TEditTypeControlEnum type, int length) {
    auto* e = new TMaskedEdit(type, length, 0, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}
} // namespace

TfrPersonAddress::TfrPersonAddress(TPageHost& host, QWidget* parent)
    : TThinkingFrame(host, parent) {
    buildLayout();
    TPageBuilding building(host);
    loadFromModel();
}

void TfrPersonAddress::buildLayout() {
    auto* gbAddress = new QGroupBox(QStringLiteral("Адрес в Российской Федерации"), this);
    rbReg = new QRadioButton(QStringLiteral("ж&ительства"), gbAddress);
    rbReg->setObjectName(QStringLiteral("rbReg"));
    rbPreb = new QRadioButton(QStringLiteral("&пребывания"), gbAddress);
    rbPreb->setObjectName(QStringLiteral("rbPreb"));
    mePostIndex = edit(gbAddress, "mePostIndex", edtDigital, 6);
    mePostIndex->setFixedWidth(80);
    pnlRegion = new QLabel(gbAddress);
    pnlRegion->setObjectName(QStringLiteral("pnlRegion"));
    pnlRegion->setFrameShape(QFrame::StyledPanel);
    pnlRegion->setFrameShadow(QFrame::Sunken);
    pnlRegion->setMinimumHeight(24);
    bnRegion = new QPushButton(QStringLiteral("..."), gbAddress);
    bnRegion->setObjectName(QStringLiteral("bnRegion"));
    bnRegion->setFixedWidth(30);
    bnRegion->setToolTip(QStringLiteral("Выбрать регион из справочника"));
    // The region is shown in a panel; its caption leads to the button that picks it.
    bnRegion->setAccessibleName(QStringLiteral("Регион"));
    meDistrict = edit(gbAddress, "meDistrict", edtNone, 40);
    meCity = edit(gbAddress, "meCity", edtNone, 40);
    meArea = edit(gbAddress, "meArea", edtNone, 40);
    meStreet = edit(gbAddress, "meStreet", edtNone, 40);
    meHouse = edit(gbAddress, "meHouse", edtNone, 7);
    meBuilding = edit(gbAddress, "meBuilding", edtNone, 7);
    meFlat = edit(gbAddress, "meFlat", edtNone, 7);
    meOKATO = edit(gbAddress, "meOKATO", edtDigital, 11);
    for (TMaskedEdit* e : {meHouse, meBuilding, meFlat})
        e->setFixedWidth(80);
    meOKATO->setFixedWidth(120);

    auto* g = new QGridLayout(gbAddress);
    auto* kind = new QHBoxLayout;
    kind->addWidget(rbReg);
    kind->addWidget(rbPreb);
    kind->addStretch();
    g->addLayout(kind, 0, 0, 1, 3);
    int row = 1;
    auto add = [&](const QString& caption, QWidget* field, QWidget* button = nullptr) {
        auto* label = new QLabel(caption, gbAddress);
        label->setBuddy(button ? button : field);
        g->addWidget(label, row, 0);
        g->addWidget(field, row, 1, button ? Qt::Alignment() : Qt::AlignLeft);
        if (button)
            g->addWidget(button, row, 2);
        ++row;
    };
    add(QStringLiteral("Почтовый и&ндекс"), mePostIndex);
    add(QStringLiteral("&Регион"), pnlRegion, bnRegion);
    add(QStringLiteral("Р&айон"), meDistrict, nullptr);
    add(QStringLiteral("&Город"), meCity, nullptr);
    add(QStringLiteral("Населенный пун&кт"), meArea, nullptr);
    add(QStringLiteral("&Улица"), meStreet, nullptr);
    add(QStringLiteral("&Дом"), meHouse);
    add(QStringLiteral("Корпу&с"), meBuilding);
    add(QStringLiteral("Квар&тира"), meFlat);
    add(QStringLiteral("&ОКАТО"), meOKATO);
    for (TMaskedEdit* e : {meDistrict, meCity, meArea, meStreet})
        g->setAlignment(e, Qt::Alignment());

    gbPhone = new QGroupBox(QStringLiteral("Контактный телефон"), this);
    meHomePhone = edit(gbPhone, "meHomePhone", edtDigital, 20);
    meHomePhone->setAccessibleName(QStringLiteral("Контактный телефон"));
    auto* phone = new QHBoxLayout(gbPhone);
    phone->addWidget(meHomePhone);
    phone->addStretch();

    auto* gbAbroad = new QGroupBox(QStringLiteral("Адрес за пределами РФ"), this);
    meAdr = edit(gbAbroad, "meAdr", edtNone, 140);
    meAdr->setAccessibleName(QStringLiteral("Адрес за пределами РФ"));
    auto* abroad = new QHBoxLayout(gbAbroad);
    abroad->addWidget(meAdr);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbAddress);
    layout->addWidget(gbPhone);
    layout->addWidget(gbAbroad);
    layout->addStretch();

    connect(bnRegion, &QPushButton::clicked, this, &TfrPersonAddress::pickRegion);
    for (QRadioButton* r : {rbReg, rbPreb})
        connect(r, &QRadioButton::clicked, this, [this] { contentChanged(); });
}

void TfrPersonAddress::loadFromModel() {
    const mTDeclaration& d = declaration();
    const mTPersonInformation& p = d.person;
    (p.addressKind == 1 ? rbPreb : rbReg)->setChecked(true);
    mePostIndex->loadText(p.postIndex);
    regionCode_ = p.regionCode;
    pnlRegion->setText(p.regionName);
    meDistrict->loadText(p.district);
    meCity->loadText(p.city);
    meArea->loadText(p.locality);
    meStreet->loadText(p.street);
    meHouse->loadText(p.house);
    meBuilding->loadText(p.building);
    meFlat->loadText(p.flat);
    meOKATO->loadText(p.okato);
    meHomePhone->loadText(p.homePhone);
    meAdr->loadText(p.foreignAddress);
    gbPhone->setVisible(d.formKind != 2);
}

void TfrPersonAddress::pickRegion() {
    const auto chosen = PickRegion(this, regionCode_);
    if (!chosen || chosen->name == pnlRegion->text())
        return;
    regionCode_ = chosen->code.toInt();
    pnlRegion->setText(chosen->name);
    contentChanged();
}

void TfrPersonAddress::StoreToModel() {
    mTPersonInformation& p = declaration().person;
    p.postIndex = mePostIndex->text();
    p.regionCode = qint16(regionCode_);
    p.regionName = pnlRegion->text();
    p.district = meDistrict->text();
    p.city = meCity->text();
    p.locality = meArea->text();
    p.street = meStreet->text();
    p.house = meHouse->text();
    p.building = meBuilding->text();
    p.flat = meFlat->text();
    p.okato = meOKATO->text();
    p.homePhone = meHomePhone->text();
    p.addressKind = rbPreb->isChecked() ? 1 : 0;
    p.foreignAddress = meAdr->text();
}

int TfrPersonAddress::CheckPage() {
    const mTDeclaration& d = declaration();
    const mTPersonInformation& p = d.person;
    TPageCheckRun run(host().checkAsker(), kPageName);
    run.step(p.regionCode == 0, QStringLiteral("Не указан регион постоянного местожительства"), 2);
    run.step(p.locality.isEmpty() && p.street.isEmpty(),
             QStringLiteral("Не указан населенный пункт (село, поселок) или улица (проспект, "
                            "переулок)"),
             5);
    run.step(d.formKind != 2 && p.okato.trimmed().size() < 11,
             QStringLiteral("Не введен код ОКАТО (11 символов)"), 4);
    return run.result();
}

void TfrPersonAddress::FocusField(int position) {
    switch (position) {
    case 2:
        bnRegion->setFocus();
        pickRegion();
        break;
    case 4:
        meOKATO->setFocus();
        break;
    case 5:
        meArea->setFocus();
        break;
    default:
        break;
    }
}
