#include "OkvedPicker.h"

#include "Dialogs.h"
#include "MyFrame.h"
#include "checks/CheckAsk.h"
#include "refdata/Directories.h"
#include "refdata/OkvedChooser.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QList<OkvedEntry>& entriesOf(TPageHost& host) {
    static const QList<OkvedEntry> none;
    const auto& okved = host.directories().okved;
    return okved ? *okved : none;
}
} // namespace

TFormOKVED::TFormOKVED(QWidget* parent, TPageHost& host)
    : QDialog(parent), host_(host), chooser_(std::make_unique<OkvedChooser>(entriesOf(host))) {
    setWindowTitle(QStringLiteral("Код по ОКВЭД"));
    auto* form = new QFormLayout;
    for (int k = 0; k < OkvedChooser::kLevels; ++k) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("cbLevel%1").arg(k + 1));
        box->setMinimumContentsLength(60);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        levels[k] = box;
        form->addRow(QStringLiteral("Уровень &%1").arg(k + 1), box);
        connect(box, &QComboBox::activated, this,
                [this, k](int index) { levelPicked(k + 1, index); });
    }
    meCode = new QLineEdit(this);
    meCode->setObjectName(QStringLiteral("meCode"));
    meCode->setReadOnly(true);
    form->addRow(QStringLiteral("&Код по ОКВЭД"), meCode);
    bnYes = new QPushButton(QStringLiteral("&Да"), this);
    bnNo = new QPushButton(QStringLiteral("&Нет"), this);
    connect(bnYes, &QPushButton::clicked, this, &TFormOKVED::yes);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    refill();
}

TFormOKVED::~TFormOKVED() = default;

QString TFormOKVED::shownCode() const {
    return chooser_->shownCode();
}

void TFormOKVED::levelPicked(int level, int index) {
    if (refilling_)
        return;
    chooser_->pick(level, index);
    refill();
}

void TFormOKVED::refill() {
    refilling_ = true;
    for (int k = 1; k <= OkvedChooser::kLevels; ++k) {
        QComboBox* box = levels[k - 1];
        box->clear();
        box->addItems(chooser_->items(k));
        box->setCurrentIndex(chooser_->currentIndex(k));
    }
    meCode->setText(chooser_->shownCode());
    refilling_ = false;
}

void TFormOKVED::yes() {
    if (!chooser_->needsLengthCheck()) {
        accept();
        return;
    }
    const CheckAnswer a = host_.checkAsker().AskPage(QStringLiteral("Проверка: ОКВЭД"),
                                                     OkvedChooser::shortCodeMessage(), true, false);
    if (a != CheckAnswer::Fix)
        accept();
}

std::optional<QString> PickOkved(QWidget* parent, TPageHost& host) {
    if (!host.directories().okved)
        return std::nullopt;
    TFormOKVED picker(parent, host);
    if (Dialogs().exec(picker) != QDialog::Accepted)
        return std::nullopt;
    return picker.shownCode();
}
