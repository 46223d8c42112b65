#include "FramePersonName.h"

#include "CodeTablePickers.h"
#include "DateEdit.h"
#include "DirectoryPickers.h"
#include "MaskedEdit.h"
#include "PageCheck.h"
#include "checks/PrimaryCheck.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

std::optional<TDocumentMaskEnum> SeriesShapeOnCreation(int docKind) {
    switch (docKind) {
    case 1:
    case 3:
        return edtR_BB;
    case 2:
    case 9:
    case 22:
        return edt99;
    case 4:
    case 6:
        return edtBB;
    case 5:
    case 11:
    case 12:
    case 13:
    case 14:
    case 91:
        return edtNone2;
    case 7:
    case 26:
    case 27:
        return edtBB0;
    case 10:
        return edtNone1;
    case 21:
        return edt99_;
    default:
        return std::nullopt;
    }
}

std::optional<TDocumentMaskEnum> SeriesShapeOnPicking(int docKind) {
    switch (docKind) {
    case 2:
    case 9:
    case 22:
        return edt99;
    case 4:
    case 6:
        return edtBB;
    case 3:
    case 5:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 18:
    case 23:
    case 91:
        return edtNone1;
    case 7:
    case 24:
    case 26:
    case 27:
        return edtBB0;
    case 21:
        return edt99_;
    default:
        return std::nullopt;
    }
}

namespace {

TMaskedEdit* edit(QWidget* parent, const char* name, TEditTypeControlEnum type, int length) {
    auto* e = new TMaskedEdit(type, length, 0, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

TDateEdit* dateField(QWidget* parent, const char* name) {
    auto* d = new TDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDateRange(QDate(1900, 1, 1), QDate::currentDate());
    return d;
}

} // namespace

TfrPersonNaim::TfrPersonNaim(TPageHost& host, QWidget* parent) : TThinkingFrame(host, parent) {
    buildLayout();
    TPageBuilding building(host);
    loadFromModel();
}

void TfrPersonNaim::buildLayout() {
    auto* gbName = new QGroupBox(QStringLiteral("Ф.И.О."), this);
    meSurName = edit(gbName, "meSurName", edtNone, 33);
    meName = edit(gbName, "meName", edtNone, 33);
    mePatronymic = edit(gbName, "mePatronymic", edtNone, 33);
    meINN = edit(gbName, "meINN", edtDigital, 12);
    dtBirthDate = dateField(gbName, "dtBirthDate");
    meMesto = edit(gbName, "meMesto", edtNone, 128);
    meOKATO = edit(gbName, "meOKATO", edtDigital, 11);
    meHomePhone = edit(gbName, "meHomePhone", edtDigital, 20);
    lbBirthDate_ = new QLabel(QStringLiteral("Дата &рождения"), gbName);
    lbMesto_ = new QLabel(QStringLiteral("&Место рождения"), gbName);
    lbOKATO_ = new QLabel(QStringLiteral("ОК&АТО"), gbName);
    lbHomePhone_ = new QLabel(QStringLiteral("&Телефон"), gbName);
    auto* name = new QGridLayout(gbName);
    int row = 0;
    auto add = [&](QGridLayout* g, QLabel* label, QWidget* field) {
        label->setBuddy(field);
        g->addWidget(label, row, 0);
        g->addWidget(field, row, 1);
        ++row;
    };
    add(name, new QLabel(QStringLiteral("&Фамилия"), gbName), meSurName);
    add(name, new QLabel(QStringLiteral("&Имя"), gbName), meName);
    add(name, new QLabel(QStringLiteral("&Отчество"), gbName), mePatronymic);
    add(name, new QLabel(QStringLiteral("ИН&Н"), gbName), meINN);
    add(name, lbBirthDate_, dtBirthDate);
    add(name, lbMesto_, meMesto);
    add(name, lbOKATO_, meOKATO);
    add(name, lbHomePhone_, meHomePhone);

    gbDocument =
        new QGroupBox(QStringLiteral("Сведения о документе, удостоверяющем личность"), this);
    pnlDocType = new QLabel(gbDocument);
    pnlDocType->setObjectName(QStringLiteral("pnlDocType"));
    pnlDocType->setFrameShape(QFrame::StyledPanel);
    pnlDocType->setFrameShadow(QFrame::Sunken);
    pnlDocType->setWordWrap(true);
    pnlDocType->setMinimumHeight(24);
    bnDocType = new QPushButton(QStringLiteral("..."), gbDocument);
    bnDocType->setObjectName(QStringLiteral("bnDocType"));
    bnDocType->setFixedWidth(30);
    bnDocType->setToolTip(QStringLiteral("Выбрать вид документа из справочника"));
    meSerial = new TMaskedDocEdit(gbDocument);
    meSerial->setObjectName(QStringLiteral("meSerial"));
    dtRegDate = dateField(gbDocument, "dtRegDate");
    meKem = edit(gbDocument, "meKem", edtNone, 128);
    auto* doc = new QGridLayout(gbDocument);
    // The kind is shown in a panel; its caption leads to the button that picks it.
    auto* lbDocType = new QLabel(QStringLiteral("&Вид документа"), gbDocument);
    lbDocType->setBuddy(bnDocType);
    bnDocType->setAccessibleName(QStringLiteral("Вид документа"));
    auto* lbSerial = new QLabel(QStringLiteral("&Серия и номер"), gbDocument);
    lbSerial->setBuddy(meSerial);
    auto* lbRegDate = new QLabel(QStringLiteral("Дата в&ыдачи"), gbDocument);
    lbRegDate->setBuddy(dtRegDate);
    auto* lbKem = new QLabel(QStringLiteral("&Кем выдан"), gbDocument);
    lbKem->setBuddy(meKem);
    doc->addWidget(lbDocType, 0, 0);
    doc->addWidget(pnlDocType, 0, 1);
    doc->addWidget(bnDocType, 0, 2);
    doc->addWidget(lbSerial, 1, 0);
    doc->addWidget(meSerial, 1, 1);
    doc->addWidget(lbRegDate, 2, 0);
    doc->addWidget(dtRegDate, 2, 1, Qt::AlignLeft);
    doc->addWidget(lbKem, 3, 0);
    doc->addWidget(meKem, 3, 1);

    gbCitizenship = new QGroupBox(QStringLiteral("Данные о гражданстве"), this);
    rbGr = new QRadioButton(QStringLiteral("&Гражданин"), gbCitizenship);
    rbGr->setObjectName(QStringLiteral("rbGr"));
    rbBomzh = new QRadioButton(QStringLiteral("&Лицо без гражданства"), gbCitizenship);
    rbBomzh->setObjectName(QStringLiteral("rbBomzh"));
    meKodGrazhd = edit(gbCitizenship, "meKodGrazhd", edtNone, 0);
    meKodGrazhd->setReadOnly(true);
    meKodGrazhd->setFixedWidth(50);
    meCitizenship = edit(gbCitizenship, "meCitizenship", edtNone, 0);
    meCitizenship->setReadOnly(true);
    meCitizenship->setAccessibleName(QStringLiteral("Наименование страны"));
    bnGrazhd = new QPushButton(QStringLiteral("..."), gbCitizenship);
    bnGrazhd->setObjectName(QStringLiteral("bnGrazhd"));
    bnGrazhd->setFixedWidth(30);
    bnGrazhd->setAccessibleName(QStringLiteral("Выбрать страну из справочника"));
    bnGrazhd->setToolTip(bnGrazhd->accessibleName());
    auto* cit = new QGridLayout(gbCitizenship);
    cit->addWidget(rbGr, 0, 0);
    cit->addWidget(rbBomzh, 0, 1, 1, 3);
    auto* lbKodGrazhd = new QLabel(QStringLiteral("Ко&д страны"), gbCitizenship);
    lbKodGrazhd->setBuddy(meKodGrazhd);
    cit->addWidget(lbKodGrazhd, 1, 0);
    auto* country = new QHBoxLayout;
    country->addWidget(meKodGrazhd);
    country->addWidget(meCitizenship, 1);
    country->addWidget(bnGrazhd);
    cit->addLayout(country, 1, 1, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbName);
    layout->addWidget(gbDocument);
    layout->addWidget(gbCitizenship);
    layout->addStretch();

    connect(bnDocType, &QPushButton::clicked, this, &TfrPersonNaim::pickDocKind);
    connect(bnGrazhd, &QPushButton::clicked, this, &TfrPersonNaim::pickCountry);
    for (QRadioButton* r : {rbGr, rbBomzh})
        connect(r, &QRadioButton::clicked, this, [this] { contentChanged(); });
}

void TfrPersonNaim::loadFromModel() {
    const mTDeclaration& d = declaration();
    const mTPersonInformation& p = d.person;
    meSurName->loadText(p.surname);
    meName->loadText(p.firstName);
    mePatronymic->loadText(p.patronymic);
    meINN->loadText(p.inn);
    dtBirthDate->loadValue(p.birthDate);
    meMesto->loadText(p.birthPlace);
    meOKATO->loadText(p.okato);
    meHomePhone->loadText(p.homePhone);
    docKind_ = p.idDocKind;
    pnlDocType->setText(p.idDocName);
    const bool hasDoc = !p.idDocName.isEmpty();
    if (hasDoc) {
        if (const auto shape = SeriesShapeOnCreation(p.idDocKind))
            meSerial->setEditType(*shape);
    }
    meSerial->loadText(p.idDocSeriesNumber);
    dtRegDate->loadValue(p.idDocIssueDate);
    meKem->loadText(p.idDocIssuer);
    for (QWidget* w : {static_cast<QWidget*>(meSerial), static_cast<QWidget*>(dtRegDate),
                       static_cast<QWidget*>(meKem)})
        w->setEnabled(hasDoc);
    (p.citizenshipKind == QLatin1String("2") ? rbBomzh : rbGr)->setChecked(true);
    meKodGrazhd->loadText(p.citizenshipCode);
    meCitizenship->loadText(p.citizenshipCountry);
    bnGrazhd->setEnabled(host().countryPickerReady());
    applyFormKind();
}

void TfrPersonNaim::applyFormKind() {
    const bool fourNdfl = declaration().formKind == 2;
    gbDocument->setVisible(!fourNdfl);
    gbCitizenship->setVisible(!fourNdfl);
    for (QWidget* w : {static_cast<QWidget*>(lbMesto_), static_cast<QWidget*>(meMesto),
                       static_cast<QWidget*>(lbBirthDate_), static_cast<QWidget*>(dtBirthDate)})
        w->setVisible(!fourNdfl);
    for (QWidget* w : {static_cast<QWidget*>(lbOKATO_), static_cast<QWidget*>(meOKATO),
                       static_cast<QWidget*>(lbHomePhone_), static_cast<QWidget*>(meHomePhone)})
        w->setVisible(fourNdfl);
}

void TfrPersonNaim::pickDocKind() {
    const auto chosen = PickDocKind(this, docKind_);
    if (!chosen || chosen->name == pnlDocType->text())
        return;
    contentChanged();
    docKind_ = chosen->code.toInt();
    pnlDocType->setText(chosen->name);
    if (chosen->name.isEmpty())
        return;
    meSerial->setText(QString());
    meSerial->setEnabled(true);
    dtRegDate->setEnabled(true);
    dtRegDate->setDate(QDate(1990, 1, 1));
    meKem->setText(QString());
    meKem->setEnabled(true);
    if (const auto shape = SeriesShapeOnPicking(docKind_))
        meSerial->setEditType(*shape);
}

void TfrPersonNaim::pickCountry() {
    const auto chosen = PickCountry(this, host(), meKodGrazhd->text());
    if (!chosen || chosen->code == meKodGrazhd->text())
        return;
    meKodGrazhd->loadText(chosen->code);
    meCitizenship->loadText(chosen->name);
    contentChanged();
}

void TfrPersonNaim::StoreToModel() {
    mTPersonInformation& p = declaration().person;
    p.surname = meSurName->text();
    p.firstName = meName->text();
    p.patronymic = mePatronymic->text();
    p.inn = meINN->text();
    p.idDocKind = qint16(docKind_);
    p.idDocName = pnlDocType->text();
    p.idDocSeriesNumber = meSerial->text();
    p.idDocIssueDate = dtRegDate->value();
    p.birthDate = dtBirthDate->value();
    p.idDocIssuer = meKem->text();
    p.birthPlace = meMesto->text();
    p.okato = meOKATO->text();
    p.homePhone = meHomePhone->text();
    p.citizenshipKind = rbGr->isChecked() ? QStringLiteral("1") : QStringLiteral("2");
    p.citizenshipCountry = meCitizenship->text();
    p.citizenshipCode = meKodGrazhd->text();
}

int TfrPersonNaim::CheckPage() {
    const mTDeclaration& d = declaration();
    const mTPersonInformation& p = d.person;
    TPageCheckRun run(host().checkAsker(), kPageName);
    run.step(p.surname.isEmpty(), QStringLiteral("Не введена фамилия"), 1);
    run.step(p.firstName.isEmpty(), QStringLiteral("Не введено имя"), 2);
    const InnOutcome inn = CheckInn(p.inn, InnKind::PersonInn);
    run.step(inn == InnOutcome::WrongLengthPerson,
             QStringLiteral("Длинна ИНН должна быть равна 12 цифрам"), 4);
    run.step(inn == InnOutcome::WrongDigits, QStringLiteral("Номер ИНН введен неверно"), 4);
    run.step(inn == InnOutcome::Empty, QStringLiteral("Не указан ИНН"), 4);
    const bool innValid = inn == InnOutcome::Valid;
    run.step(!innValid && p.birthPlace.trimmed().isEmpty(),
             QStringLiteral("Не указано место рождения"), 9);
    run.step(!innValid && p.idDocKind == 0,
             QStringLiteral("Не указан документ, удостоверяющий личность"), 5);
    const bool hasDoc = p.idDocKind != 0;
    run.step(hasDoc && p.idDocSeriesNumber.isEmpty(),
             QStringLiteral("Не указаны серия и номер документа, удостоверяющего личность"), 6);
    if (hasDoc) {
        const QDate birth = TDateTime::toDate(p.birthDate);
        const QDate issue = TDateTime::toDate(p.idDocIssueDate);
        if (p.idDocIssueDate < p.birthDate) {
            run.step(true,
                     QStringLiteral("Дата выдачи документа не может быть меньше даты рождения"), 7);
        } else if (p.idDocKind == 7 || p.idDocKind == 8 || p.idDocKind == 21 || p.idDocKind == 24) {
            const int day = birth.month() == 2 && birth.day() == 29 ? 28 : birth.day();
            const QDate fourteen(birth.year() + 14, birth.month(), day);
            run.step(fourteen > issue,
                     QStringLiteral("Дата выдачи документа должна быть больше даты рождения как "
                                    "минимум на 14 лет"),
                     7);
        }
    }
    run.step(hasDoc && p.idDocIssuer.isEmpty(),
             QStringLiteral("Не указано, кем выдан документ, удостоверяющий личность"), 8);
    run.step(d.formKind == 2 && p.okato.trimmed().size() < 11,
             QStringLiteral("Не введен код ОКАТО (11 символов)"), 10);
    return run.result();
}

void TfrPersonNaim::reveal(QWidget* field) {
    if (field->isVisibleTo(this))
        return;
    if (field == meMesto)
        lbMesto_->show();
    else if (field == meOKATO)
        lbOKATO_->show();
    for (QWidget* w = field; w && w != this; w = w->parentWidget())
        w->show();
}

void TfrPersonNaim::FocusField(int position) {
    QWidget* field = nullptr;
    switch (position) {
    case 1:
        field = meSurName;
        break;
    case 2:
        field = meName;
        break;
    case 3:
        field = mePatronymic;
        break;
    case 4:
        field = meINN;
        break;
    case 5:
        reveal(bnDocType);
        bnDocType->setFocus();
        pickDocKind();
        return;
    case 6:
        field = meSerial;
        break;
    case 7:
        field = dtRegDate;
        break;
    case 8:
        field = meKem;
        break;
    case 9:
        field = meMesto;
        break;
    case 10:
        field = meOKATO;
        break;
    default:
        return;
    }
    reveal(field);
    field->setFocus();
}
