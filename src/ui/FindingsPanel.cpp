#include "FindingsPanel.h"

#include "PageFactory.h"
#include "checks/DocumentCheck.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TFindingsPanel::TFindingsPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Замечания"), parent), list_(new QTreeWidget),
      summary_(new QLabel) {
    setObjectName(QStringLiteral("findingsPanel"));
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    summary_->setObjectName(QStringLiteral("findingsSummary"));
    row->addWidget(summary_, 1);
    auto* refresh = new QPushButton(QStringLiteral("&Обновить"), body);
    refresh->setObjectName(QStringLiteral("refreshFindings"));
    row->addWidget(refresh);
    column->addLayout(row);

    list_->setObjectName(QStringLiteral("findingsList"));
    list_->setAccessibleName(QStringLiteral("Замечания"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels(
        {QStringLiteral("Страница"), QStringLiteral("Раздел"), QStringLiteral("Замечание")});
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    list_->installEventFilter(this);
    column->addWidget(list_, 1);
    setWidget(body);

    connect(refresh, &QPushButton::clicked, this, &TFindingsPanel::refreshRequested);
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { choose(item); });
}

QString TFindingsPanel::pageCaptionOf(quint16 pageCode) {
    switch (pageCode) {
    case CheckPage::kConditions:
        return PageCaption(TPageId::InitialData);
    case CheckPage::kDeclarantName:
    case CheckPage::kDeclarantAddress:
        return PageCaption(TPageId::PersonInfo);
    case CheckPage::kThirteen:
    case CheckPage::kDividends:
    case CheckPage::kThirtyFive:
        return PageCaption(TPageId::RussianIncome);
    case CheckPage::kCurrency:
        return PageCaption(TPageId::ForeignIncome);
    case CheckPage::kBusiness:
        return PageCaption(TPageId::Business);
    case CheckPage::kStandard:
    case CheckPage::kProperty:
        return PageCaption(TPageId::Deduction);
    default:
        return QStringLiteral("—");
    }
}

void TFindingsPanel::fill(const mTDeclaration& d) {
    findings_ = AllFindings(d);
    // The row under the cursor stays chosen when the list is formed again.
    const int current = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : 0;
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const CheckResult& f : findings_)
        items << new QTreeWidgetItem({pageCaptionOf(f.targetPage), f.caption, f.message});
    list_->addTopLevelItems(items);
    if (!items.isEmpty())
        list_->setCurrentItem(items.at(qBound(0, current, int(items.size()) - 1)));
    summary_->setText(findings_.empty() ? QStringLiteral("Замечаний нет")
                                        : QStringLiteral("Замечаний: %1").arg(findings_.size()));
}

void TFindingsPanel::focusList() {
    list_->setFocus(Qt::ShortcutFocusReason);
}

void TFindingsPanel::choose(QTreeWidgetItem* item) {
    const int i = item ? list_->indexOfTopLevelItem(item) : -1;
    if (i >= 0 && std::size_t(i) < findings_.size())
        emit findingChosen(findings_[std::size_t(i)]);
}

bool TFindingsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(list_->currentItem());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}
