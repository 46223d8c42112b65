#include "IncomeWidgets.h"

#include "ui/MaskedEdit.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Enter on a list edits its item instead of being swallowed by the view.
class EnterEdits : public QObject {
public:
    EnterEdits(QObject* parent, std::function<void()> edit)
        : QObject(parent), edit_(std::move(edit)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        edit_();
        return true;
    }

private:
    std::function<void()> edit_;
};

} // namespace

namespace IncomeUi {

QLabel* caption(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

TMaskedEdit* edit(const char* name, int type, int whole, int fraction, QWidget* parent) {
    auto* e = new TMaskedEdit(TEditTypeControlEnum(type), whole, fraction, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QLabel* codePanel(const char* name, QWidget* parent) {
    auto* p = new QLabel(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setFrameShape(QFrame::StyledPanel);
    p->setFrameShadow(QFrame::Sunken);
    p->setMinimumWidth(60);
    return p;
}

QPushButton* pickButton(const char* name, const QString& spokenAs, QWidget* parent) {
    QPushButton* b = button(QStringLiteral("..."), name, parent);
    b->setFixedWidth(30);
    b->setToolTip(QStringLiteral("Выбрать код из справочника"));
    b->setAccessibleName(spokenAs);
    return b;
}

TMaskedEdit* display(const char* name, QWidget* parent) {
    TMaskedEdit* e = edit(name, edtNone, 0, 0, parent);
    e->setReadOnly(true);
    return e;
}

QTreeWidget* list(const char* name, const QStringList& headers, const QString& accessibleName,
                  const QString& hint, QWidget* parent) {
    auto* l = new QTreeWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setHeaderLabels(headers);
    l->setRootIsDecorated(false);
    l->setUniformRowHeights(true);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setAccessibleName(accessibleName);
    l->setAccessibleDescription(hint);
    l->setToolTip(hint);
    return l;
}

void onEdit(QTreeWidget* list, QObject* context, const std::function<void()>& edit) {
    list->installEventFilter(new EnterEdits(context, edit));
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, context, [edit] { edit(); });
}

void selectItem(QTreeWidget* list, QTreeWidgetItem* item) {
    if (!item)
        return;
    list->setCurrentItem(item);
    item->setSelected(true);
    list->scrollToItem(item);
}

QString amountText(Money value) {
    return value.toString(TMaskedEdit::decimalSeparator());
}

std::optional<Money> fieldAmount(const TMaskedEdit* field) {
    if (field->text().trimmed().isEmpty())
        return std::nullopt;
    return field->money();
}

void showAmount(TMaskedEdit* field, std::optional<Money> value) {
    field->loadText(value ? amountText(*value) : QString());
}

} // namespace IncomeUi
