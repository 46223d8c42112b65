#include "FrameStandartDeduct.h"

#include "DeductKit.h"
#include "FormDif.h"
#include "model/DeclClasses.h"
#include "ui/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char* const kMonthKeys[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char16_t* const kShortMonths[12] = {u"Янв.", u"Фев.", u"Март", u"Апр.", u"Май",  u"Июнь",
                                          u"Июль", u"Авг.", u"Сен.", u"Окт.", u"Ноя.", u"Дек."};

struct RowText {
    const char* suffix;
    const char16_t* caption;
    const char16_t* hint;
    int spinMax;
    int digits;
};
// Children, from the third on, disabled; the suffixes are those of the field names.
const RowText kRows[3] = {
    {"", u"Число детей не изменялось и составило", u"Количество детей в этом месяце", 2, 1},
    {"3", u"Число детей, начиная с 3-го не изменялось и составило",
     u"Количество детей в этом месяце", 99, 2},
    {"2", u"Число детей инвалидов не изменялось и составило",
     u"Количество детей инвалидов I и II групп в этом месяце", 99, 2},
};

QRadioButton* radio(QWidget* parent, const char* name, const QString& text) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

// The three children rows of the record, in the order of the screen.
struct RowModel {
    quint8& flag;
    qint32& count;
    std::array<qint32, 12>& months;
};
std::array<RowModel, 3> rowModels(mTStandartDeduct& s) {
    return {RowModel{s.childrenConst, s.childrenCount, s.childrenByMonth},
            RowModel{s.thirdConst, s.thirdCount, s.thirdByMonth},
            RowModel{s.disabledConst, s.disabledCount, s.disabledByMonth}};
}

} // namespace

TfrFrameStandartDeduct::TfrFrameStandartDeduct(TPageHost& host, QWidget* parent)
    : TThinkingFrame(host, parent) {
    buildLayout();
    TPageBuilding building(host);
    loadFromModel();
}

void TfrFrameStandartDeduct::buildLayout() {
    auto* gb =
        new QGroupBox(QStringLiteral("Стандартные налоговые вычеты (коды 103-105,114-125)"), this);
    chbGrantingStanDeduct = new QCheckBox(QStringLiteral("Предоставить стандартные вычеты"), gb);
    chbGrantingStanDeduct->setObjectName(QStringLiteral("chbGrantingStanDeduct"));

    rb103 = radio(gb, "rb103", QStringLiteral("Код 103 - 400 в месяц"));
    rb104 = radio(gb, "rb104", QStringLiteral("Код 104 - 500 в месяц"));
    rb105 = radio(gb, "rb105", QStringLiteral("Код 105 - 3000 в месяц"));
    rbQ = radio(gb, "rbQ", QStringLiteral("?"));
    rbQ->setAccessibleName(QStringLiteral("Комбинация кодов по месяцам"));
    rbTowParents = radio(gb, "rbTowParents", QStringLiteral("Вычет на ребенка (детей)"));
    rbOneParent =
        radio(gb, "rbOneParent", QStringLiteral("Вычет на ребенка (детей) единственному родителю"));
    rbOneParent->setToolTip(QStringLiteral("или при отказе второго родителя от вычета"));
    rbQ2 = radio(gb, "rbQ2", QStringLiteral("?"));
    rbQ2->setAccessibleName(QStringLiteral("Статус единственного родителя по месяцам"));
    auto* personal = new QButtonGroup(this);
    for (QRadioButton* r : {rb103, rb104, rb105, rbQ})
        personal->addButton(r);
    auto* child = new QButtonGroup(this);
    for (QRadioButton* r : {rbTowParents, rbOneParent, rbQ2})
        child->addButton(r);

    auto* codes = new QHBoxLayout;
    for (QRadioButton* r : {rb103, rb104, rb105, rbQ})
        codes->addWidget(r);
    codes->addStretch();
    auto* modes = new QHBoxLayout;
    for (QRadioButton* r : {rbTowParents, rbOneParent, rbQ2})
        modes->addWidget(r);
    modes->addStretch();

    auto* grid = new QGridLayout;
    // Twelve month names side by side: kept tight so that they fit the smallest window.
    grid->setHorizontalSpacing(3);
    for (int m = 0; m < 12; ++m) {
        monthLabels_[std::size_t(m)] = new QLabel(MonthNames().at(m), gb);
        grid->addWidget(monthLabels_[std::size_t(m)], 1, m, Qt::AlignHCenter);
    }
    for (int i = 0; i < 3; ++i)
        buildChildRow(rows[std::size_t(i)], i, gb, grid);

    auto* inner = new QVBoxLayout(gb);
    const QMargins margins = inner->contentsMargins();
    inner->setContentsMargins(5, margins.top(), 5, margins.bottom());
    inner->addWidget(chbGrantingStanDeduct);
    inner->addLayout(codes);
    inner->addLayout(modes);
    inner->addLayout(grid);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gb);
    layout->addWidget(buildMonthly());
    layout->addStretch();

    // Every click marks the declaration modified.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             chbGrantingStanDeduct, rb103, rb104, rb105, rbQ, rbTowParents, rbOneParent, rbQ2})
        connect(b, &QAbstractButton::clicked, this, [this] { contentChanged(); });
    connect(chbGrantingStanDeduct, &QCheckBox::toggled, this, [this] { applyEnabling(); });
    connect(rbQ, &QRadioButton::clicked, this, &TfrFrameStandartDeduct::askCombination);
    connect(rbQ2, &QRadioButton::clicked, this, &TfrFrameStandartDeduct::askSingleParent);
}

void TfrFrameStandartDeduct::buildChildRow(ChildRow& row, int index, QWidget* parent,
                                           QGridLayout* grid) {
    const RowText& t = kRows[index];
    // The first row's head sits above the month labels (grid row 1); every row
    // takes a head line and a line of months.
    const int line = index == 0 ? 0 : 1 + 2 * index;
    row.constBox = new QCheckBox(QString::fromUtf16(t.caption), parent);
    row.constBox->setObjectName(QStringLiteral("chbConstChildrens") + QLatin1String(t.suffix));
    row.count = DeductKit::edit(parent, "", edtDigital, t.digits);
    row.count->setObjectName(QStringLiteral("meChildrens") + QLatin1String(t.suffix));
    row.count->setFixedWidth(40);
    row.count->setAccessibleName(QString::fromUtf16(t.caption));
    row.count->installEventFilter(this);
    row.spin = new QSpinBox(parent);
    row.spin->setObjectName(QStringLiteral("udChildrens") + QLatin1String(t.suffix));
    row.spin->setRange(0, t.spinMax);
    row.spin->setFixedWidth(18);
    row.spin->setFocusPolicy(Qt::NoFocus);
    row.spin->setAccessibleName(QString::fromUtf16(t.caption));
    auto* head = new QHBoxLayout;
    head->addWidget(row.constBox);
    head->addWidget(row.count);
    head->addWidget(row.spin);
    if (index == 0)
        head->addWidget(new QLabel(QStringLiteral("ребенка (детей)"), parent));
    head->addStretch();
    grid->addLayout(head, line, 0, 1, 12);
    for (int m = 0; m < 12; ++m) {
        TMaskedEdit* e = DeductKit::edit(parent, "", edtDigital, 2);
        e->setObjectName(QStringLiteral("me") + QLatin1String(kMonthKeys[m]) +
                         QLatin1String(t.suffix));
        e->setToolTip(QString::fromUtf16(t.hint));
        e->setAccessibleName(MonthNames().at(m));
        e->setAccessibleDescription(QString::fromUtf16(t.hint));
        e->setFixedWidth(40);
        row.months[std::size_t(m)] = e;
        grid->addWidget(e, index == 0 ? 2 : line + 1, m);
    }
    connect(row.constBox, &QCheckBox::clicked, this, [this] { contentChanged(); });
    connect(row.constBox, &QCheckBox::toggled, this, [this, &row] { constToggled(row); });
    connect(row.count, &TMaskedEdit::changed, this, [this, &row] { countEdited(row); });
    connect(row.spin, &QSpinBox::valueChanged, this, [this, &row](int v) {
        if (!loading_ && row.constBox->isChecked() && DeductKit::intOf(row.count) != v)
            row.count->setText(QString::number(v));
    });
}

QWidget* TfrFrameStandartDeduct::buildMonthly() {
    gbMonthly = new QGroupBox(
        QStringLiteral("Доходы/расходы помесячно для предпринимателей и лиц с частной практикой"),
        this);
    auto* grid = new QGridLayout(gbMonthly);
    for (int half = 0; half < 2; ++half) {
        grid->addWidget(new QLabel(QStringLiteral("Доходы"), gbMonthly), 0, 3 * half + 1);
        grid->addWidget(new QLabel(QStringLiteral("Расходы"), gbMonthly), 0, 3 * half + 2);
    }
    for (int m = 0; m < 12; ++m) {
        const std::size_t i = std::size_t(m);
        cbMonths[i] = new QCheckBox(QString::fromUtf16(kShortMonths[m]), gbMonthly);
        cbMonths[i]->setObjectName(QStringLiteral("cb") + QLatin1String(kMonthKeys[m]));
        meIncome[i] = DeductKit::money(gbMonthly, "");
        meIncome[i]->setObjectName(QStringLiteral("me%1").arg(m + 1));
        meIncome[i]->setAccessibleName(QStringLiteral("Доходы: ") + MonthNames().at(m));
        meExpense[i] = DeductKit::money(gbMonthly, "");
        meExpense[i]->setObjectName(QStringLiteral("meR%1").arg(m + 1));
        meExpense[i]->setAccessibleName(QStringLiteral("Расходы: ") + MonthNames().at(m));
        const int row = 1 + m % 6;
        const int col = 3 * (m / 6);
        grid->addWidget(cbMonths[i], row, col);
        grid->addWidget(meIncome[i], row, col + 1);
        grid->addWidget(meExpense[i], row, col + 2);
        connect(cbMonths[i], &QCheckBox::clicked, this, [this, m](bool ticked) {
            contentChanged();
            if (!ticked)
                monthUnticked(m);
        });
        for (TMaskedEdit* e : {meIncome[i], meExpense[i]})
            connect(e, &TMaskedEdit::changed, this, [this, e, i] {
                if (!loading_ && !e->text().isEmpty())
                    cbMonths[i]->setChecked(true);
            });
    }
    // Tab goes down the months: each month's mark, income and expense in turn.
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < 12; ++i)
        for (QWidget* w : std::initializer_list<QWidget*>{cbMonths[i], meIncome[i], meExpense[i]}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    return gbMonthly;
}

bool TfrFrameStandartDeduct::hasBusiness() const {
    return declaration().incomeFlags() &
           (mTDeclaration::kFlagBusiness | mTDeclaration::kFlagRepetit);
}

void TfrFrameStandartDeduct::loadFromModel() {
    loading_ = true;
    mTStandartDeduct& s = declaration().standardDeduction;
    chbGrantingStanDeduct->setChecked(s.granted);
    // The values are shown even when the deduction is not granted: ticking it
    // again must not store defaults over what was entered before.
    switch (s.personalCode) {
    case 104:
        rb104->setChecked(true);
        break;
    case 105:
        rb105->setChecked(true);
        break;
    case 110:
        rbQ->setChecked(true);
        break;
    default:
        rb103->setChecked(true);
        break;
    }
    (s.childMode == 102 ? rbOneParent : s.childMode == 103 ? rbQ2 : rbTowParents)->setChecked(true);
    const auto models = rowModels(s);
    for (std::size_t r = 0; r < 3; ++r) {
        ChildRow& row = rows[r];
        const RowModel& m = models[r];
        row.constBox->setChecked(m.flag);
        if (m.flag) {
            row.count->loadText(QString::number(m.count));
            row.spin->setValue(m.count);
            for (TMaskedEdit* e : row.months)
                e->loadText(QStringLiteral("0"));
        } else {
            row.count->loadText(QStringLiteral("0"));
            for (std::size_t i = 0; i < 12; ++i)
                row.months[i]->loadText(QString::number(m.months[i]));
        }
    }
    if (hasBusiness()) {
        for (std::size_t i = 0; i < 12; ++i) {
            cbMonths[i]->setChecked(s.monthTicked[i]);
            meIncome[i]->loadMoney(s.monthIncome[i]);
            meExpense[i]->loadMoney(s.monthExpense[i]);
        }
    }
    applyEnabling();
    loading_ = false;
}

void TfrFrameStandartDeduct::applyEnabling() {
    const bool on = chbGrantingStanDeduct->isChecked();
    for (QRadioButton* r : {rb103, rb104, rb105, rbQ, rbTowParents, rbOneParent, rbQ2})
        r->setEnabled(on);
    for (QLabel* l : monthLabels_)
        l->setEnabled(on);
    for (ChildRow& row : rows) {
        const bool constant = row.constBox->isChecked();
        row.constBox->setEnabled(on);
        row.count->setEnabled(on && constant);
        row.spin->setEnabled(on && constant);
        for (TMaskedEdit* e : row.months)
            e->setEnabled(on && !constant);
    }
    gbMonthly->setEnabled(hasBusiness());
}

void TfrFrameStandartDeduct::constToggled(ChildRow& row) {
    if (loading_)
        return;
    if (row.constBox->isChecked()) {
        row.spin->setValue(
            qBound(row.spin->minimum(), DeductKit::intOf(row.count), row.spin->maximum()));
        const QString text = row.count->text();
        for (TMaskedEdit* e : row.months)
            e->setText(text);
    }
    applyEnabling();
}

void TfrFrameStandartDeduct::countEdited(ChildRow& row) {
    if (loading_)
        return;
    const QString text = row.count->text();
    for (TMaskedEdit* e : row.months)
        e->setText(text);
    const int v = DeductKit::intOf(row.count);
    if (v >= row.spin->minimum() && v <= row.spin->maximum())
        row.spin->setValue(v);
}

void TfrFrameStandartDeduct::monthUnticked(int month) {
    meIncome[std::size_t(month)]->clear();
    meExpense[std::size_t(month)]->clear();
}

bool TfrFrameStandartDeduct::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            for (ChildRow& row : rows) {
                if (row.count != watched || !row.spin->isEnabled())
                    continue;
                if (key == Qt::Key_Up)
                    row.spin->stepUp();
                else
                    row.spin->stepDown();
                return true;
            }
        }
    }
    return TThinkingFrame::eventFilter(watched, event);
}

void TfrFrameStandartDeduct::askCombination() {
    mTStandartDeduct& s = declaration().standardDeduction;
    TfmDif dialog(this);
    dialog.setChoices(s.monthCombination);
    if (Dialogs().exec(dialog) != QDialog::Accepted)
        return;
    s.monthCombination = dialog.choices();
    s.combinationGiven = 1;
    contentChanged();
}

void TfrFrameStandartDeduct::askSingleParent() {
    mTStandartDeduct& s = declaration().standardDeduction;
    TfmDif2 dialog(this);
    dialog.setChoices(s.monthSingleParent);
    if (Dialogs().exec(dialog) != QDialog::Accepted)
        return;
    s.monthSingleParent = dialog.choices();
    s.singleParentGiven = 1;
    contentChanged();
}

void TfrFrameStandartDeduct::StoreToModel() {
    mTStandartDeduct& s = declaration().standardDeduction;
    s.granted = chbGrantingStanDeduct->isChecked() ? 1 : 0;
    if (!s.granted)
        return;
    bool anyTicked = false;
    for (std::size_t i = 0; i < 12; ++i) {
        s.monthIncome[i] = meIncome[i]->money();
        s.monthExpense[i] = meExpense[i]->money();
        s.monthTicked[i] = cbMonths[i]->isChecked() ? 1 : 0;
        anyTicked = anyTicked || s.monthTicked[i];
    }
    s.ownMonthlyData = anyTicked ? 1 : 0;
    s.personalCode = rb105->isChecked()   ? 105
                     : rb104->isChecked() ? 104
                     : rbQ->isChecked()   ? 110
                                          : 103;
    s.childMode = rbOneParent->isChecked() ? 102 : rbQ2->isChecked() ? 103 : 101;
    const auto models = rowModels(s);
    for (std::size_t r = 0; r < 3; ++r) {
        const ChildRow& row = rows[r];
        const RowModel& m = models[r];
        if (row.constBox->isChecked()) {
            m.flag = 1;
            m.count = DeductKit::intOf(row.count);
            continue;
        }
        for (std::size_t i = 0; i < 12; ++i)
            m.months[i] = DeductKit::intOf(row.months[i]);
        if (!row.months[0]->text().trimmed().isEmpty())
            m.count = m.months[0];
        m.flag = 0;
    }
}
