#include "FrameInitialData.h"

#include "DirectoryPickers.h"
#include "MaskedEdit.h"
#include "PageCheck.h"
#include "model/DeclClasses.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QRadioButton* radio(QWidget* parent, const char* name, const QString& text) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

TMaskedEdit* edit(QWidget* parent, const char* name, TEditTypeControlEnum type, int length) {
    auto* e = new TMaskedEdit(type, length, 0, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

} // namespace

TfrInitialData::TfrInitialData(TPageHost& host, QWidget* parent) : TThinkingFrame(host, parent) {
    buildLayout();
    TPageBuilding building(host);
    loadFromModel();
}

void TfrInitialData::buildLayout() {
    // "Тип декларации"
    auto* gbForm = new QGroupBox(QStringLiteral("Тип декларации"), this);
    rbSimple = radio(gbForm, "rbSimple", QStringLiteral("&3-НДФЛ"));
    rbNeRez = radio(gbForm, "rbNeRez", QStringLiteral("3-НДФЛ &нерезидента"));
    rb4ndfl = radio(gbForm, "rb4ndfl", QStringLiteral("&4-НДФЛ"));
    auto* formRow = new QHBoxLayout(gbForm);
    formRow->addWidget(rbSimple);
    formRow->addWidget(rbNeRez);
    formRow->addWidget(rb4ndfl);
    formRow->addStretch();

    // "Общая информация"
    auto* gbCommon = new QGroupBox(QStringLiteral("Общая информация"), this);
    meInspection = edit(gbCommon, "meInspection", edtDigital, 4);
    meInspection->setReadOnly(true);
    meInspection->setFixedWidth(60);
    bnInspection = new QPushButton(QStringLiteral("..."), gbCommon);
    bnInspection->setObjectName(QStringLiteral("bnInspection"));
    bnInspection->setFixedWidth(30);
    bnInspection->setAccessibleName(QStringLiteral("Выбрать инспекцию из справочника"));
    bnInspection->setToolTip(bnInspection->accessibleName());
    meNumVer = edit(gbCommon, "meNumVer", edtDigital, 3);
    meNumVer->setFixedWidth(60);
    updCorrUp = new QToolButton(gbCommon);
    updCorrUp->setObjectName(QStringLiteral("updCorrUp"));
    updCorrUp->setArrowType(Qt::UpArrow);
    updCorrDown = new QToolButton(gbCommon);
    updCorrDown->setObjectName(QStringLiteral("updCorrDown"));
    updCorrDown->setArrowType(Qt::DownArrow);
    updCorrUp->setAccessibleName(QStringLiteral("Увеличить номер корректировки"));
    updCorrDown->setAccessibleName(QStringLiteral("Уменьшить номер корректировки"));
    // As a Windows up-down control: the arrows take no focus, the Up and Down
    // keys in the number field step it instead.
    updCorrUp->setFocusPolicy(Qt::NoFocus);
    updCorrDown->setFocusPolicy(Qt::NoFocus);
    meNumVer->installEventFilter(this);
    meInspection->installEventFilter(this);
    auto* common = new QGridLayout(gbCommon);
    auto* lbInspection = new QLabel(QStringLiteral("Номер &инспекции"), gbCommon);
    lbInspection->setBuddy(meInspection);
    auto* lbNumVer = new QLabel(QStringLiteral("Номер &корректировки"), gbCommon);
    lbNumVer->setBuddy(meNumVer);
    common->addWidget(lbInspection, 0, 0);
    common->addWidget(meInspection, 0, 1);
    common->addWidget(bnInspection, 0, 2);
    common->addWidget(lbNumVer, 1, 0);
    common->addWidget(meNumVer, 1, 1);
    auto* updown = new QHBoxLayout;
    updown->setSpacing(0);
    updown->addWidget(updCorrUp);
    updown->addWidget(updCorrDown);
    common->addLayout(updown, 1, 2);
    common->setColumnStretch(3, 1);

    // "Признак налогоплательщика"
    auto* gbKind = new QGroupBox(QStringLiteral("Признак налогоплательщика"), this);
    rbPredp = radio(gbKind, "rbPredp", QStringLiteral("Индивидуальный &предприниматель"));
    rbFermer = radio(gbKind, "rbFermer", QStringLiteral("&Глава фермерского хозяйства"));
    rbNotarius = radio(gbKind, "rbNotarius", QStringLiteral("Частный но&тариус"));
    rbAdvokat = radio(gbKind, "rbAdvokat", QStringLiteral("&Адвокат"));
    rbFLProch = radio(gbKind, "rbFLProch", QStringLiteral("Иное физическое &лицо"));
    auto* kinds = new QVBoxLayout(gbKind);
    for (QRadioButton* r : {rbPredp, rbFermer, rbNotarius, rbAdvokat, rbFLProch})
        kinds->addWidget(r);

    // "Имеются доходы"
    auto* gbIncome = new QGroupBox(QStringLiteral("Имеются доходы"), this);
    chbIncomeInquiry = new QCheckBox(
        QStringLiteral("Учитываемые \"справками о доходах физического лица\", доходы по договорам"),
        gbIncome);
    chbIncomeInquiry->setObjectName(QStringLiteral("chbIncomeInquiry"));
    lbIncomeComment = new QLabel(
        QStringLiteral("гр.-правового характера, по авторским вознаграждениям, от продажи "
                       "имущества и др."),
        gbIncome);
    lbIncomeComment->setObjectName(QStringLiteral("lbIncomeComment"));
    lbIncomeComment->setIndent(22);
    chbIncomeCurrency = new QCheckBox(QStringLiteral("В иностранной &валюте"), gbIncome);
    chbIncomeCurrency->setObjectName(QStringLiteral("chbIncomeCurrency"));
    chbIncomeBusiness =
        new QCheckBox(QStringLiteral("От предпринимательской д&еятельности"), gbIncome);
    chbIncomeBusiness->setObjectName(QStringLiteral("chbIncomeBusiness"));
    lbSupposeIncome = new QLabel(QStringLiteral("Предполагаемый &доход"), gbIncome);
    meSupposeIncome = edit(gbIncome, "meSupposeIncome", edtDigital, 12);
    meSupposeIncome->setFixedWidth(120);
    lbSupposeIncome->setBuddy(meSupposeIncome);
    auto* income = new QGridLayout(gbIncome);
    income->addWidget(chbIncomeInquiry, 0, 0, 1, 3);
    income->addWidget(lbIncomeComment, 1, 0, 1, 3);
    income->addWidget(chbIncomeCurrency, 2, 0, 1, 3);
    income->addWidget(chbIncomeBusiness, 3, 0, 1, 3);
    income->addWidget(lbSupposeIncome, 4, 0);
    income->addWidget(meSupposeIncome, 4, 1);
    income->setColumnStretch(2, 1);

    // "Достоверность подтверждается"
    auto* gbSigner = new QGroupBox(QStringLiteral("Достоверность подтверждается"), this);
    rbGiveSelf = radio(gbSigner, "rbGiveSelf", QStringLiteral("Ли&чно"));
    rbGiveTrustFase = radio(gbSigner, "rbGiveTrustFase", QStringLiteral("Пред&ставителем - ФЛ"));
    rbGiveByMail = radio(gbSigner, "rbGiveByMail", QStringLiteral("Представителе&м - ЮЛ"));
    lbFIO = new QLabel(QStringLiteral("&ФИО"), gbSigner);
    meFIO = edit(gbSigner, "meFIO", edtNone, 182);
    lbOsn = new QLabel(QStringLiteral("Д&окумент"), gbSigner);
    meOsn = edit(gbSigner, "meOsn", edtNone, 0);
    lbUL = new QLabel(QStringLiteral("Организация - п&редставитель"), gbSigner);
    meUL = edit(gbSigner, "meUL", edtNone, 182);
    lbFIO->setBuddy(meFIO);
    lbOsn->setBuddy(meOsn);
    lbUL->setBuddy(meUL);
    auto* signer = new QGridLayout(gbSigner);
    auto* signerRow = new QHBoxLayout;
    signerRow->addWidget(rbGiveSelf);
    signerRow->addWidget(rbGiveTrustFase);
    signerRow->addWidget(rbGiveByMail);
    signerRow->addStretch();
    signer->addLayout(signerRow, 0, 0, 1, 2);
    signer->addWidget(lbFIO, 1, 0);
    signer->addWidget(meFIO, 1, 1);
    signer->addWidget(lbOsn, 2, 0);
    signer->addWidget(meOsn, 2, 1);
    signer->addWidget(lbUL, 3, 0);
    signer->addWidget(meUL, 3, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(gbCommon, 1);
    top->addWidget(gbKind, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbForm);
    layout->addLayout(top);
    layout->addWidget(gbIncome);
    layout->addWidget(gbSigner);
    layout->addStretch();

    // Tab order follows the screen.
    QWidget* order[] = {rbSimple,
                        rbNeRez,
                        rb4ndfl,
                        meInspection,
                        bnInspection,
                        meNumVer,
                        rbPredp,
                        rbFermer,
                        rbNotarius,
                        rbAdvokat,
                        rbFLProch,
                        chbIncomeInquiry,
                        chbIncomeCurrency,
                        chbIncomeBusiness,
                        meSupposeIncome,
                        rbGiveSelf,
                        rbGiveTrustFase,
                        rbGiveByMail,
                        meFIO,
                        meOsn,
                        meUL};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto notice = [this] { contentChanged(); };
    for (QRadioButton* r : {rbSimple, rbNeRez, rb4ndfl}) {
        connect(r, &QRadioButton::clicked, this, &TfrInitialData::formKindChosen);
        // A changed form is a change of the document, or closing would lose it.
        connect(r, &QRadioButton::clicked, this, notice);
    }
    for (QRadioButton* r : {rbPredp, rbFermer, rbNotarius, rbAdvokat, rbFLProch})
        connect(r, &QRadioButton::clicked, this, notice);
    connect(chbIncomeInquiry, &QCheckBox::clicked, this, [this] {
        incomeInquiryClicked();
        contentChanged();
    });
    connect(chbIncomeCurrency, &QCheckBox::clicked, this, [this] {
        incomeCurrencyClicked();
        contentChanged();
    });
    connect(chbIncomeBusiness, &QCheckBox::clicked, this, [this] {
        incomeBusinessClicked();
        contentChanged();
    });
    for (QRadioButton* r : {rbGiveSelf, rbGiveTrustFase, rbGiveByMail}) {
        connect(r, &QRadioButton::clicked, this, [this] {
            signerChosen();
            contentChanged();
        });
    }
    connect(bnInspection, &QPushButton::clicked, this, [this] { pickInspection(); });
    connect(updCorrUp, &QToolButton::clicked, this, [this] { stepCorrection(1); });
    connect(updCorrDown, &QToolButton::clicked, this, [this] { stepCorrection(-1); });
}

void TfrInitialData::loadFromModel() {
    const mTDeclaration& d = declaration();
    meInspection->loadText(d.inspectionCode);
    meNumVer->loadText(QString::number(d.correctionNumber));
    signDate_ = d.signDate;
    attachmentSheets_ = d.attachmentSheets;
    meFIO->loadText(d.representativeName);
    meOsn->loadText(d.representativeDocument);
    meUL->loadText(d.representativeOrgName);
    bnInspection->setEnabled(host().inspectionPickerReady());

    switch (d.taxpayerKind) {
    case 0:
        rbPredp->setChecked(true);
        break;
    case 1:
        rbFermer->setChecked(true);
        break;
    case 2:
        rbNotarius->setChecked(true);
        break;
    case 3:
        rbAdvokat->setChecked(true);
        break;
    default:
        rbFLProch->setChecked(true);
        break;
    }
    // Ticking a box from the model runs its rule as a click would; a box left
    // unticked runs nothing (and so keeps the expected income).
    const quint8 flags = d.incomeFlags();
    const std::pair<QCheckBox*, void (TfrInitialData::*)()> boxes[] = {
        {chbIncomeInquiry, &TfrInitialData::incomeInquiryClicked},
        {chbIncomeCurrency, &TfrInitialData::incomeCurrencyClicked},
        {chbIncomeBusiness, &TfrInitialData::incomeBusinessClicked}};
    const quint8 bits[] = {mTDeclaration::kFlagAgents, mTDeclaration::kFlagCurrency,
                           mTDeclaration::kFlagBusiness};
    for (int i = 0; i < 3; ++i) {
        if (flags & bits[i]) {
            const auto [box, rule] = boxes[i];
            box->setChecked(true);
            (this->*rule)();
        }
    }
    (d.formKind == 1 ? rbNeRez : d.formKind == 2 ? rb4ndfl : rbSimple)->setChecked(true);
    formKindChosen();
    // Shown only after the rules: unticking a box the form does not allow
    // clears the amount, and filling the page must not lose a stored figure.
    meSupposeIncome->loadText(d.expectedIncome.toString(TMaskedEdit::decimalSeparator()));
    (d.signerKind == 1   ? rbGiveTrustFase
     : d.signerKind == 2 ? rbGiveByMail
                         : rbGiveSelf)
        ->setChecked(true);
    signerChosen();
}

bool TfrInitialData::anyIncomeTicked() const {
    return chbIncomeInquiry->isChecked() || chbIncomeCurrency->isChecked() ||
           chbIncomeBusiness->isChecked();
}

void TfrInitialData::updateDeductionButton(bool nonResidentBlocks) {
    host().setPageButtonEnabled(TPageId::Deduction,
                                anyIncomeTicked() && !(nonResidentBlocks && rbNeRez->isChecked()));
}

void TfrInitialData::untick(QCheckBox* box, void (TfrInitialData::*rule)()) {
    if (!box->isChecked())
        return;
    box->setChecked(false);
    (this->*rule)();
    contentChanged();
}

void TfrInitialData::formKindChosen() {
    const bool fourNdfl = rb4ndfl->isChecked();
    if (rbSimple->isChecked()) {
        for (QCheckBox* b : {chbIncomeInquiry, chbIncomeCurrency, chbIncomeBusiness})
            b->setEnabled(true);
        updateDeductionButton(false);
    } else if (rbNeRez->isChecked()) {
        untick(chbIncomeCurrency, &TfrInitialData::incomeCurrencyClicked);
        untick(chbIncomeBusiness, &TfrInitialData::incomeBusinessClicked);
        chbIncomeCurrency->setEnabled(false);
        chbIncomeBusiness->setEnabled(false);
        chbIncomeInquiry->setEnabled(true);
        host().setPageButtonEnabled(TPageId::Deduction, false);
    } else {
        untick(chbIncomeInquiry, &TfrInitialData::incomeInquiryClicked);
        untick(chbIncomeCurrency, &TfrInitialData::incomeCurrencyClicked);
        untick(chbIncomeBusiness, &TfrInitialData::incomeBusinessClicked);
        for (QCheckBox* b : {chbIncomeInquiry, chbIncomeCurrency, chbIncomeBusiness})
            b->setEnabled(false);
        host().setPageButtonEnabled(TPageId::Deduction, false);
        if (rbFLProch->isChecked())
            rbPredp->setChecked(true);
    }
    lbIncomeComment->setEnabled(!fourNdfl);
    rbFLProch->setEnabled(!fourNdfl);
    rbFermer->setEnabled(true);
    lbSupposeIncome->setVisible(fourNdfl);
    meSupposeIncome->setVisible(fourNdfl);
    if (fourNdfl) {
        lbSupposeIncome->setEnabled(true);
        meSupposeIncome->setEnabled(true);
    }
}

void TfrInitialData::incomeInquiryClicked() {
    host().setPageButtonEnabled(TPageId::RussianIncome, chbIncomeInquiry->isChecked());
    updateDeductionButton(true);
}

void TfrInitialData::incomeCurrencyClicked() {
    host().setPageButtonEnabled(TPageId::ForeignIncome, chbIncomeCurrency->isChecked());
    updateDeductionButton(false);
}

void TfrInitialData::incomeBusinessClicked() {
    const bool on = chbIncomeBusiness->isChecked();
    host().setPageButtonEnabled(TPageId::Business, on);
    lbSupposeIncome->setEnabled(on);
    meSupposeIncome->setEnabled(on);
    if (!on)
        meSupposeIncome->setText(QString());
    updateDeductionButton(false);
}

void TfrInitialData::signerChosen() {
    const bool person = rbGiveTrustFase->isChecked() || rbGiveByMail->isChecked();
    const bool organisation = rbGiveByMail->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(lbFIO), static_cast<QWidget*>(meFIO),
                       static_cast<QWidget*>(lbOsn), static_cast<QWidget*>(meOsn)})
        w->setEnabled(person);
    lbUL->setEnabled(organisation);
    meUL->setEnabled(organisation);
}

bool TfrInitialData::eventFilter(QObject* watched, QEvent* event) {
    if (watched == meNumVer && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepCorrection(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    // The code comes only from the directory: what is typed into it opens the
    // directory with the typing as its search, so no keystroke is lost.
    if (watched == meInspection && event->type() == QEvent::KeyPress && bnInspection->isEnabled()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text().trimmed();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && text.size() == 1 && text.at(0).isPrint()) {
            pickInspection(text);
            return true;
        }
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_F4 ||
            (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
            pickInspection();
            return true;
        }
    }
    return TThinkingFrame::eventFilter(watched, event);
}

void TfrInitialData::stepCorrection(int delta) {
    const int now = meNumVer->text().toInt();
    meNumVer->setText(QString::number(qBound(0, now + delta, 999)));
}

void TfrInitialData::pickInspection(const QString& search) {
    const auto chosen = PickInspection(this, host(), meInspection->text(), search);
    if (!chosen || chosen->code == meInspection->text())
        return;
    meInspection->loadText(chosen->code);
    contentChanged();
}

void TfrInitialData::StoreToModel() {
    mTDeclaration& d = declaration();
    d.inspectionCode = meInspection->text();
    d.signDate = signDate_;
    d.signerKind = rbGiveTrustFase->isChecked() ? 1 : rbGiveByMail->isChecked() ? 2 : 0;
    d.taxpayerKind = rbFermer->isChecked()     ? 1
                     : rbPredp->isChecked()    ? 0
                     : rbNotarius->isChecked() ? 2
                     : rbAdvokat->isChecked()  ? 3
                                               : 5;
    d.formKind = rbNeRez->isChecked() ? 1 : rb4ndfl->isChecked() ? 2 : 0;
    quint8 flags = 0;
    if (chbIncomeInquiry->isChecked())
        flags |= mTDeclaration::kFlagAgents;
    if (chbIncomeCurrency->isChecked())
        flags |= mTDeclaration::kFlagCurrency;
    if (chbIncomeBusiness->isChecked())
        flags |= mTDeclaration::kFlagBusiness;
    d.SetIncomeFlags(flags);
    const QString expected = meSupposeIncome->text();
    d.expectedIncome = expected.isEmpty() ? Money() : meSupposeIncome->money();
    auto stored = [this](const TMaskedEdit* e) {
        return !e->text().isEmpty() && e->isEnabledTo(this) ? e->text() : QString();
    };
    d.representativeDocument = stored(meOsn);
    d.representativeOrgName = stored(meUL);
    d.representativeName = stored(meFIO);
    d.correctionNumber = meNumVer->text().isEmpty() ? 0 : meNumVer->text().toInt();
    d.autoCountSheets = 0;
    d.attachmentSheets = attachmentSheets_;
}

int TfrInitialData::CheckPage() {
    const mTDeclaration& d = declaration();
    TPageCheckRun run(host().checkAsker(), kPageName);
    run.step(d.inspectionCode.isEmpty(), QStringLiteral("Не введен номер инспекции"), 1);
    run.step(d.signerKind != 0 && d.representativeName.trimmed().isEmpty(),
             QStringLiteral("Не указаны ФИО подписанта-представителя"), 3);
    run.step(d.signerKind != 0 && d.representativeDocument.trimmed().isEmpty(),
             QStringLiteral("Не указан документ, подтверждающий полномочия представителя"), 4);
    run.step(d.signerKind == 2 && d.representativeOrgName.trimmed().isEmpty(),
             QStringLiteral("Не указано наименование Юр.лица-представителя"), 5);
    return run.result();
}

void TfrInitialData::FocusField(int position) {
    switch (position) {
    case 1:
        if (bnInspection->isEnabled()) {
            bnInspection->setFocus();
            pickInspection();
        } else {
            meInspection->setFocus();
        }
        break;
    case 2:
        meSupposeIncome->setFocus();
        break;
    case 3:
        meFIO->setFocus();
        break;
    case 4:
        meOsn->setFocus();
        break;
    case 5:
        meUL->setFocus();
        break;
    default:
        break;
    }
}
