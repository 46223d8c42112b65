#include "FrameConstructionDeduct.h"

#include "DeductKit.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"
#include "ui/CodeTablePickers.h"
#include "ui/DateEdit.h"
#include "ui/PageCheck.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QStringList kObjectKinds = {QStringLiteral("Жилой дом"),
                                  QStringLiteral("Квартира"),
                                  QStringLiteral("Комната"),
                                  QStringLiteral("Доля в доме, квартире, комнате"),
                                  QStringLiteral("Земельный участок под строительство"),
                                  QStringLiteral("Земельный участок с приобретенным домом"),
                                  QStringLiteral("Дом с земельным участком"),
                                  QStringLiteral("Доля в земле")};
// An investment contract buys only a dwelling: the first four kinds.
constexpr int kDwellingKinds = 4;
constexpr int kFirstYear = 1992;

const QString kPurchaseHint =
    QStringLiteral("указывается при приобретении по договору купли-продажи");

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    c->setCurrentIndex(-1);
    return c;
}

TDateEdit* date(QWidget* parent, const char* name, const QString& hint) {
    auto* d = new TDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setToolTip(hint);
    return d;
}

int yearOf(double dateTime) {
    return TDateTime::toDate(dateTime).year();
}

// A share part: 1 when empty or "0".
int sharePart(const TMaskedEdit* e) {
    const int v = DeductKit::intOf(e);
    return v == 0 ? 1 : v;
}

bool isDefault(const mTConstructionDeduct& p) {
    mTConstructionDeduct fresh;
    fresh.granted = p.granted;
    return fresh.ToJson() == p.ToJson();
}

} // namespace

TYearSpin::TYearSpin(QWidget* parent) : QSpinBox(parent) {
    setRange(kFirstYear, 2011);
    setValue(2011);
}

QValidator::State TYearSpin::validate(QString& input, int&) const {
    return input == textFromValue(value()) ? QValidator::Acceptable : QValidator::Invalid;
}

TfrConstructionDeduct::TfrConstructionDeduct(TPageHost& host, QWidget* parent)
    : TThinkingFrame(host, parent) {
    chbGrantingDeduct =
        new QCheckBox(QStringLiteral("Предоставить имущественный налоговый вычет"), this);
    chbGrantingDeduct->setObjectName(QStringLiteral("chbGrantingDeduct"));
    panes_ = new QStackedWidget(this);
    panes_->addWidget(buildObjectPane());
    panes_->addWidget(buildAmountsPane());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chbGrantingDeduct);
    layout->addWidget(panes_);
    layout->addStretch();

    connect(chbGrantingDeduct, &QCheckBox::clicked, this, [this] {
        contentChanged();
        applyRules();
    });
    TPageBuilding building(host);
    loadFromModel();
}

QWidget* TfrConstructionDeduct::buildObjectPane() {
    auto* pane = new QGroupBox(QStringLiteral("Сведения об объекте"), this);
    chbPensioner = new QCheckBox(QStringLiteral("Являюсь пенсионером"), pane);
    chbPensioner->setObjectName(QStringLiteral("chbPensioner"));
    cbObjectNaim = combo(pane, "cbObjectNaim", kObjectKinds);
    auto* gbWay = new QGroupBox(QStringLiteral("Способ приобретения"), pane);
    rbInvest = new QRadioButton(QStringLiteral("инвестирование"), gbWay);
    rbInvest->setObjectName(QStringLiteral("rbInvest"));
    rbBay = new QRadioButton(QStringLiteral("договор купли-продажи"), gbWay);
    rbBay->setObjectName(QStringLiteral("rbBay"));
    rbBay->setToolTip(QStringLiteral("а также самостоятельное строительство"));
    rbBay->setChecked(true);
    auto* way = new QHBoxLayout(gbWay);
    way->addWidget(rbInvest);
    way->addWidget(rbBay);
    way->addStretch();
    cbVidSob =
        combo(pane, "cbVidSob",
              {QStringLiteral("Собственность"), QStringLiteral("Собственность общая долевая"),
               QStringLiteral("Собственность общая совместная")});
    cbPrizNal = combo(
        pane, "cbPrizNal",
        {QStringLiteral("Собственник объекта"), QStringLiteral("Супруг(а) собственника объекта")});
    mePostIndex = DeductKit::edit(pane, "mePostIndex", edtDigital, 6);
    mePostIndex->setFixedWidth(80);
    pnlRegion = new QLabel(QStringLiteral("0"), pane);
    pnlRegion->setObjectName(QStringLiteral("pnlRegion"));
    pnlRegion->setFrameShape(QFrame::StyledPanel);
    pnlRegion->setFrameShadow(QFrame::Sunken);
    pnlRegion->setMinimumWidth(40);
    bnRegion = DeductKit::button(pane, "bnRegion", QStringLiteral("..."));
    bnRegion->setFixedWidth(30);
    bnRegion->setAccessibleName(QStringLiteral("Выбрать код субъекта РФ"));
    meDistrict = DeductKit::edit(pane, "meDistrict", edtNone, 40);
    meCity = DeductKit::edit(pane, "meCity", edtNone, 40);
    meArea = DeductKit::edit(pane, "meArea", edtNone, 40);
    meStreet = DeductKit::edit(pane, "meStreet", edtNone, 40);
    meHouse = DeductKit::edit(pane, "meHouse", edtNone, 7);
    meBuilding = DeductKit::edit(pane, "meBuilding", edtNone, 7);
    meFlat = DeductKit::edit(pane, "meFlat", edtNone, 7);
    for (TMaskedEdit* e : {meHouse, meBuilding, meFlat})
        e->setFixedWidth(70);
    dtpRegRightDate = date(pane, "dtpRegRightDate", kPurchaseHint);
    dtpRegZemDate = date(pane, "dtpRegZemDate", kPurchaseHint);
    dtpBayDate = date(pane, "dtpBayDate",
                      QStringLiteral("указывается при приобретении по договору инвестирования"));
    dtpAppDate = date(pane, "dtpAppDate", QString());
    meBeginningUsePrivilegeDate = new TYearSpin(pane);
    meBeginningUsePrivilegeDate->setObjectName(QStringLiteral("meBeginningUsePrivilegeDate"));
    meDol1 = DeductKit::edit(pane, "meDol1", edtDigital, 6);
    meDol2 = DeductKit::edit(pane, "meDol2", edtDigital, 6);
    meDol1->loadText(QStringLiteral("1"));
    meDol2->loadText(QStringLiteral("1"));
    meDol2->setAccessibleName(QStringLiteral("Доля, знаменатель"));
    for (TMaskedEdit* e : {meDol1, meDol2})
        e->setFixedWidth(70);
    mePart = DeductKit::edit(pane, "mePart", edtCurrency, 1, 4);
    mePart->hide();
    connect(mePart, &TMaskedEdit::changed, this, [this] {
        if (mePart->money() > Money::fromRoubles(1))
            mePart->setText(QStringLiteral("1"));
    });
    bnNext = DeductKit::button(pane, "bnNext", QStringLiteral("Перейти к вводу &сумм"));

    auto* g = new QGridLayout(pane);
    int row = 0;
    auto add = [&](const QString& caption, QWidget* field, QLayout* rest = nullptr) {
        // The longest captions wrap, so the fields stay in a narrow window.
        QLabel* label = DeductKit::caption(caption, field, pane);
        label->setWordWrap(true);
        g->addWidget(label, row, 0);
        if (rest)
            g->addLayout(rest, row, 1);
        else
            g->addWidget(field, row, 1);
        ++row;
    };
    auto line = [](std::initializer_list<QWidget*> ws) {
        auto* l = new QHBoxLayout;
        for (QWidget* w : ws)
            l->addWidget(w);
        l->addStretch();
        return l;
    };
    g->addWidget(chbPensioner, row++, 0, 1, 2);
    add(QStringLiteral("&Наименование объекта"), cbObjectNaim);
    g->addWidget(gbWay, row++, 0, 1, 2);
    add(QStringLiteral("&Вид собственности"), cbVidSob);
    add(QStringLiteral("П&ризнак налогоплательщика"), cbPrizNal);
    add(QStringLiteral("Почтовый &индекс"), mePostIndex, line({mePostIndex}));
    auto* regionCaption = new QLabel(QStringLiteral("Код субъекта РФ"), pane);
    g->addWidget(regionCaption, row, 0);
    g->addLayout(line({pnlRegion, bnRegion}), row++, 1);
    add(QStringLiteral("Ра&йон"), meDistrict);
    add(QStringLiteral("&Город"), meCity);
    add(QStringLiteral("Населенный п&ункт"), meArea);
    add(QStringLiteral("&Улица"), meStreet);
    auto* houseCaption = DeductKit::caption(QStringLiteral("&Дом"), meHouse, pane);
    auto* buildingCaption = DeductKit::caption(QStringLiteral("&Корпус"), meBuilding, pane);
    auto* flatCaption = DeductKit::caption(QStringLiteral("Кв&артира"), meFlat, pane);
    g->addWidget(houseCaption, row, 0);
    g->addLayout(line({meHouse, buildingCaption, meBuilding, flatCaption, meFlat}), row++, 1);
    add(QStringLiteral("Дата &регистрации права собственности на жилой дом, квартиру, комнату"),
        dtpRegRightDate, line({dtpRegRightDate}));
    add(QStringLiteral("на &земельный участок"), dtpRegZemDate, line({dtpRegZemDate}));
    add(QStringLiteral("Дата &акта о передаче квартиры, комнаты или доли в них"), dtpBayDate,
        line({dtpBayDate}));
    add(QStringLiteral("Дата заявления о распределении имущественного &вычета"), dtpAppDate,
        line({dtpAppDate}));
    add(QStringLiteral("Год начала использования в&ычета"), meBeginningUsePrivilegeDate,
        line({meBeginningUsePrivilegeDate}));
    auto* slash = new QLabel(QStringLiteral("/"), pane);
    add(QStringLiteral("Д&оля"), meDol1, line({meDol1, slash, meDol2}));
    g->addWidget(bnNext, row++, 1, Qt::AlignRight);

    fields_ = {chbPensioner, cbObjectNaim,    rbInvest,
               rbBay,        cbVidSob,        cbPrizNal,
               mePostIndex,  pnlRegion,       bnRegion,
               meDistrict,   meCity,          meArea,
               meStreet,     meHouse,         meBuilding,
               meFlat,       dtpRegRightDate, dtpRegZemDate,
               dtpBayDate,   dtpAppDate,      meBeginningUsePrivilegeDate,
               meDol1,       meDol2,          bnNext,
               regionCaption};

    auto* way2 = new QButtonGroup(this);
    way2->addButton(rbInvest);
    way2->addButton(rbBay);
    for (QRadioButton* r : {rbInvest, rbBay})
        connect(r, &QRadioButton::clicked, this, [this] {
            contentChanged();
            applyAcquisition();
        });
    connect(chbPensioner, &QCheckBox::clicked, this, [this] {
        contentChanged();
        applyPensioner();
    });
    for (QComboBox* c : {cbObjectNaim, cbVidSob, cbPrizNal})
        connect(c, &QComboBox::activated, this, [this] {
            contentChanged();
            applyRules();
        });
    connect(meBeginningUsePrivilegeDate, &QSpinBox::valueChanged, this, [this] {
        if (!loading_)
            contentChanged();
    });
    connect(bnRegion, &QPushButton::clicked, this, &TfrConstructionDeduct::pickRegion);
    connect(bnNext, &QPushButton::clicked, this, [this] { showPane(1); });
    return pane;
}

QWidget* TfrConstructionDeduct::buildAmountsPane() {
    auto* pane = new QGroupBox(QStringLiteral("Расчет имущественного вычета"), this);
    auto* gbCost = new QGroupBox(QStringLiteral("Расходы по покупке (строительству) жилья"), pane);
    auto* gbCredit = new QGroupBox(QStringLiteral("Расходы по погашению кредитов"), pane);
    const QString agentHint = QStringLiteral("т.е. у работодателя");
    auto group = [&](QGroupBox* box, const char* names[5], const QString& first,
                     std::array<TMaskedEdit**, 5> out, const char16_t* keys) {
        const QString captions[5] = {first, QStringLiteral("Сумма, перешедшая с предыдущего года"),
                                     QStringLiteral("Вычет по предыдущим годам по декларации "),
                                     QStringLiteral("Вычет по пред. годам у налогового агента "),
                                     QStringLiteral("Вычет у налогового агента в отчетном году ")};
        auto* g = new QGridLayout(box);
        for (int i = 0; i < 5; ++i) {
            TMaskedEdit* e = DeductKit::money(box, names[i], 8);
            if (i >= 3)
                e->setToolTip(agentHint);
            *out[std::size_t(i)] = e;
            // Each caption's own Alt key, set in front of the letter given for it.
            QString text = captions[i];
            const int at = int(text.indexOf(QChar(keys[i])));
            if (at >= 0)
                text.insert(at, QLatin1Char('&'));
            g->addWidget(DeductKit::caption(text, e, box), i, 0);
            g->addWidget(e, i, 1);
            fields_.push_back(e);
        }
    };
    const char* costNames[5] = {"meObsch", "meTransferringChargeSum", "mePostYears",
                                "mePostYearsNA", "meVychNA"};
    const char* creditNames[5] = {"meobschip", "meTransferringCreditSum", "mePostYearsIp",
                                  "mePostYearsIpNA", "meVychIpNA"};
    group(gbCost, costNames, QStringLiteral("Стоимость объекта (доли)"),
          {&meObsch, &meTransferringChargeSum, &mePostYears, &mePostYearsNA, &meVychNA}, u"Сшдго");
    group(gbCredit, creditNames, QStringLiteral("Проценты по кредитам за все годы"),
          {&meobschip, &meTransferringCreditSum, &mePostYearsIp, &mePostYearsIpNA, &meVychIpNA},
          u"Пекат");
    bnPrev = DeductKit::button(pane, "bnPrev", QStringLiteral("Вернуться к сведениям об &объекте"));
    auto* layout = new QVBoxLayout(pane);
    layout->addWidget(gbCost);
    layout->addWidget(gbCredit);
    layout->addWidget(bnPrev, 0, Qt::AlignRight);
    fields_.push_back(bnPrev);
    connect(bnPrev, &QPushButton::clicked, this, [this] { showPane(0); });
    return pane;
}

int TfrConstructionDeduct::currentPane() const {
    return panes_->currentIndex();
}

void TfrConstructionDeduct::showPane(int pane) {
    panes_->setCurrentIndex(pane);
}

void TfrConstructionDeduct::loadFromModel() {
    loading_ = true;
    const mTDeclaration& d = declaration();
    const mTConstructionDeduct& p = d.propertyDeduction;
    chbGrantingDeduct->setChecked(p.granted);
    // A record with values shows them even when not granted, so that ticking
    // the box again does not store the defaults over them.
    if (p.granted || !isDefault(p)) {
        cbObjectNaim->setCurrentIndex(p.objectKind - 1);
        cbVidSob->setCurrentIndex(p.ownershipKind - 1);
        cbPrizNal->setCurrentIndex(p.taxpayerSign - 1);
        chbPensioner->setChecked(d.isPensioner);
        applyPensioner();
        mePostIndex->loadText(p.objectPostIndex);
        pnlRegion->setText(p.objectRegionCode.isEmpty() ? QStringLiteral("0") : p.objectRegionCode);
        regionName_ = p.objectRegionName;
        meDistrict->loadText(p.objectDistrict);
        meCity->loadText(p.objectCity);
        meArea->loadText(p.objectLocality);
        meStreet->loadText(p.objectStreet);
        meHouse->loadText(p.objectHouse);
        meBuilding->loadText(p.objectBuilding);
        meFlat->loadText(p.objectFlat);
        dtpRegRightDate->loadValue(p.rightRegDate);
        dtpRegZemDate->loadValue(p.landRegDate);
        dtpBayDate->loadValue(p.actDate);
        dtpAppDate->loadValue(p.applicationDate);
        meBeginningUsePrivilegeDate->setValue(yearOf(p.firstUseYear));
        mePart->loadMoney(p.partValue);
        meDol1->loadText(QString::number(p.shareNumerator));
        meDol2->loadText(QString::number(p.shareDenominator));
        const std::array<std::pair<TMaskedEdit*, Money>, 10> amounts = {{
            {meObsch, p.objectCost},
            {meTransferringChargeSum, p.carriedExpenses},
            {mePostYears, p.prevDeclExpenses},
            {mePostYearsNA, p.prevAgentExpenses},
            {meVychNA, p.agentExpenses},
            {meobschip, p.interestPaid},
            {meTransferringCreditSum, p.carriedInterest},
            {mePostYearsIp, p.prevDeclInterest},
            {mePostYearsIpNA, p.prevAgentInterest},
            {meVychIpNA, p.agentInterest},
        }};
        for (const auto& [field, value] : amounts)
            field->loadMoney(value);
        (p.byInvestment ? rbInvest : rbBay)->setChecked(true);
    } else {
        applyPensioner();
        // Untouched dates give back the record's own.
        dtpRegRightDate->loadValue(p.rightRegDate);
        dtpRegZemDate->loadValue(p.landRegDate);
        dtpBayDate->loadValue(p.actDate);
        dtpAppDate->loadValue(p.applicationDate);
    }
    applyAcquisition();
    loading_ = false;
}

void TfrConstructionDeduct::applyAcquisition() {
    const int kind = cbObjectNaim->currentIndex();
    if (rbInvest->isChecked()) {
        while (cbObjectNaim->count() > kDwellingKinds)
            cbObjectNaim->removeItem(cbObjectNaim->count() - 1);
        if (kind >= kDwellingKinds)
            cbObjectNaim->setCurrentIndex(-1);
    } else if (cbObjectNaim->count() < kObjectKinds.size()) {
        for (qsizetype i = cbObjectNaim->count(); i < kObjectKinds.size(); ++i)
            cbObjectNaim->addItem(kObjectKinds.at(i));
        cbObjectNaim->setCurrentIndex(kind);
    }
    applyRules();
}

void TfrConstructionDeduct::applyRules() {
    const bool on = chbGrantingDeduct->isChecked();
    for (QWidget* w : fields_)
        w->setEnabled(on);
    const bool invest = rbInvest->isChecked();
    dtpRegRightDate->setEnabled(on && !invest);
    dtpBayDate->setEnabled(on && invest);
    dtpRegZemDate->setEnabled(on && !invest && cbObjectNaim->currentIndex() >= kDwellingKinds);
    const int ownership = cbVidSob->currentIndex();
    dtpAppDate->setEnabled(on &&
                           (ownership == 2 || (ownership == 0 && cbPrizNal->currentIndex() == 1)));
}

void TfrConstructionDeduct::applyPensioner() {
    const bool pensioner = chbPensioner->isChecked();
    const QDate last(pensioner ? 2014 : 2011, 12, 31);
    for (TDateEdit* d : {dtpRegRightDate, dtpBayDate, dtpRegZemDate})
        d->setMaximumDate(last);
    dtpAppDate->setMaximumDate(QDate(pensioner ? 2015 : 2011, 12, 31));
    meBeginningUsePrivilegeDate->setMaximum(pensioner ? 2014 : 2011);
}

void TfrConstructionDeduct::pickRegion() {
    const QString shown = pnlRegion->text();
    const auto chosen = PickRegion(this, shown.toInt());
    if (!chosen || chosen->code.toInt() == shown.toInt())
        return;
    regionName_ = chosen->name;
    pnlRegion->setText(QStringLiteral("%1").arg(chosen->code.toInt(), 2, 10, QLatin1Char('0')));
    contentChanged();
}

void TfrConstructionDeduct::StoreToModel() {
    mTDeclaration& d = declaration();
    mTConstructionDeduct& p = d.propertyDeduction;
    p.granted = chbGrantingDeduct->isChecked() ? 1 : 0;
    if (p.granted) {
        d.isPensioner = chbPensioner->isChecked() ? 1 : 0;
        p.objectKind = cbObjectNaim->currentIndex() + 1;
        p.ownershipKind = cbVidSob->currentIndex() + 1;
        p.taxpayerSign = cbPrizNal->currentIndex() + 1;
        p.objectPostIndex = mePostIndex->text();
        p.objectRegionCode = pnlRegion->text();
        p.objectRegionName = regionName_;
        p.objectDistrict = meDistrict->text();
        p.objectCity = meCity->text();
        p.objectLocality = meArea->text();
        p.objectStreet = meStreet->text();
        p.objectHouse = meHouse->text();
        p.objectBuilding = meBuilding->text();
        p.objectFlat = meFlat->text();
        p.landRegDate = dtpRegZemDate->value();
        p.rightRegDate = dtpRegRightDate->value();
        p.actDate = dtpBayDate->value();
        p.applicationDate = dtpAppDate->value();
        p.byInvestment = rbInvest->isChecked() ? 1 : 0;
        p.firstUseYear = TDateTime::fromYmd(meBeginningUsePrivilegeDate->value(), 1, 1);
        const Money part = mePart->money();
        p.partValue = part.isZero() || part > Money::fromRoubles(1) ? Money::fromRoubles(1) : part;
        p.shareDenominator = sharePart(meDol2);
        p.shareNumerator = std::min(sharePart(meDol1), p.shareDenominator);
        p.objectCost = meObsch->money();
        p.interestPaid = meobschip->money();
    }
    p.carriedExpenses = meTransferringChargeSum->money();
    p.prevDeclExpenses = mePostYears->money();
    p.prevAgentExpenses = mePostYearsNA->money();
    p.agentExpenses = meVychNA->money();
    p.carriedInterest = meTransferringCreditSum->money();
    p.prevDeclInterest = mePostYearsIp->money();
    p.prevAgentInterest = mePostYearsIpNA->money();
    p.agentInterest = meVychIpNA->money();
}

int TfrConstructionDeduct::CheckPage() {
    const mTConstructionDeduct& p = declaration().propertyDeduction;
    if (!p.granted)
        return 0;
    TPageCheckRun run(host().checkAsker(), kPageName);
    run.step(p.objectKind == 0, QStringLiteral("Не введено наименование объекта"), 1);
    run.step(p.ownershipKind == 0, QStringLiteral("Не введен вид собственности"), 10);
    run.step(p.taxpayerSign == 0, QStringLiteral("Не введен признак налогоплательщика"), 11);
    run.step(p.objectPostIndex.trimmed().isEmpty(), QStringLiteral("Не введен почтовый индекс"), 2);
    run.step(p.objectRegionCode == QLatin1String("0") || p.objectRegionCode.isEmpty(),
             QStringLiteral("Не указан код региона"), 12);
    const bool pensioner = chbPensioner->isChecked();
    const int first = yearOf(p.firstUseYear);
    const int act = yearOf(p.actDate);
    const int registered = yearOf(p.rightRegDate);
    run.step(!pensioner && p.byInvestment && first < act && act > 2008,
             QStringLiteral("Год начала пользования льготой меньше даты акта о передаче"), 5);
    run.step(!pensioner && !p.byInvestment && first < registered && registered > 2008,
             QStringLiteral("Год начала пользования льготой меньше даты регистрации прав "
                            "собственности"),
             5);
    return run.result();
}

void TfrConstructionDeduct::FocusField(int position) {
    QWidget* target = nullptr;
    switch (position) {
    case 1:
        target = cbObjectNaim;
        break;
    case 2:
        target = mePostIndex;
        break;
    case 4:
        target = dtpRegRightDate;
        break;
    case 5:
        target = meBeginningUsePrivilegeDate;
        break;
    case 10:
        target = cbVidSob;
        break;
    case 11:
        target = cbPrizNal;
        break;
    case 12:
        target = bnRegion;
        break;
    case 6:
        target = meTransferringChargeSum;
        break;
    case 7:
        target = meTransferringCreditSum;
        break;
    case 8:
        target = mePostYears;
        break;
    case 9:
        target = mePostYearsIp;
        break;
    default:
        return;
    }
    showPane(position >= 6 && position <= 9 ? 1 : 0);
    target->setFocus();
    if (position == 12)
        pickRegion();
}
