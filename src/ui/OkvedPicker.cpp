#include "OkvedPicker.h"

#include "CodePicker.h"
#include "Dialogs.h"
#include "MyFrame.h"
#include "checks/CheckAsk.h"
#include "refdata/Directories.h"
#include "refdata/OkvedChooser.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
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
    lbSearch = new QLabel(QStringLiteral("&Поиск по коду или наименованию"), this);
    meSearch = new QLineEdit(this);
    meSearch->setObjectName(QStringLiteral("meSearch"));
    meSearch->setClearButtonEnabled(true);
    lbSearch->setBuddy(meSearch);
    lvFound = new QTreeWidget(this);
    lvFound->setObjectName(QStringLiteral("lvFound"));
    lvFound->setAccessibleName(QStringLiteral("Найденные коды ОКВЭД"));
    lvFound->setRootIsDecorated(false);
    lvFound->setUniformRowHeights(true);
    lvFound->setHeaderLabels({QStringLiteral("Код"), QStringLiteral("Наименование")});
    lvFound->header()->resizeSection(0, 80);
    lvFound->setMinimumHeight(140);
    lvFound->hide();
    meSearch->installEventFilter(this);
    lvFound->installEventFilter(this);
    connect(meSearch, &QLineEdit::textChanged, this, &TFormOKVED::search);
    connect(lvFound, &QTreeWidget::itemDoubleClicked, this, &TFormOKVED::takeFound);
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
    layout->addWidget(lbSearch);
    layout->addWidget(meSearch);
    layout->addWidget(lvFound);
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

void TFormOKVED::search() {
    found_.clear();
    lvFound->clear();
    const QString text = meSearch->text().trimmed();
    lvFound->setVisible(!text.isEmpty());
    if (text.isEmpty())
        return;
    QList<QTreeWidgetItem*> items;
    for (const OkvedEntry& e : entriesOf(host_)) {
        if (!TfmCodePicker::matches({e.okved, e.name}, text))
            continue;
        found_.append(&e);
        items.append(new QTreeWidgetItem(QStringList{e.okved, e.name}));
    }
    lvFound->addTopLevelItems(items);
    if (items.size() == 1) {
        lvFound->setCurrentItem(items.constFirst());
        items.constFirst()->setSelected(true);
    }
}

void TFormOKVED::takeFound() {
    const QList<QTreeWidgetItem*> selected = lvFound->selectedItems();
    const int row = selected.isEmpty() ? -1 : lvFound->indexOfTopLevelItem(selected.constFirst());
    if (row < 0 || row >= found_.size()) {
        QApplication::beep();
        return;
    }
    takeEntry(*found_.at(row));
    bnYes->setFocus();
}

void TFormOKVED::takeEntry(const OkvedEntry& entry) {
    const int level = entry.grup.toInt();
    if (level < 1 || level > OkvedChooser::kLevels)
        return;
    // From the top: each level's entry whose code the chosen one continues.
    for (int k = 1; k < level; ++k) {
        const QString grup = QString::number(k);
        for (const OkvedEntry& e : entriesOf(host_)) {
            if (e.grup == grup && entry.kod.startsWith(e.kod)) {
                const int index = int(chooser_->items(k).indexOf(e.name));
                if (index > 0)
                    chooser_->pick(k, index);
                break;
            }
        }
    }
    const int index = int(chooser_->items(level).indexOf(entry.name));
    if (index > 0)
        chooser_->pick(level, index);
    refill();
}

bool TFormOKVED::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && (watched == meSearch || watched == lvFound)) {
        takeFound();
        return true;
    }
    if (watched == meSearch && (key == Qt::Key_Down || key == Qt::Key_PageDown) &&
        lvFound->topLevelItemCount() > 0) {
        if (lvFound->selectedItems().isEmpty()) {
            lvFound->setCurrentItem(lvFound->topLevelItem(0));
            lvFound->topLevelItem(0)->setSelected(true);
        }
        lvFound->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<QString> PickOkved(QWidget* parent, TPageHost& host) {
    if (!host.directories().okved)
        return std::nullopt;
    TFormOKVED picker(parent, host);
    if (Dialogs().exec(picker) != QDialog::Accepted)
        return std::nullopt;
    return picker.shownCode();
}
