#pragma once

#include "checks/CheckAsk.h"
#include "storage/Money.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QLabel;
class QObject;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TMaskedEdit;

// Pieces the income pages and their dialogs share.
namespace IncomeUi {

// A caption that names its field for the keyboard (its mnemonic) and for a
// screen reader (the buddy's accessible name).
QLabel* caption(const QString& text, QWidget* field, QWidget* parent);
QPushButton* button(const QString& text, const char* name, QWidget* parent);
TMaskedEdit* edit(const char* name, int type, int whole, int fraction, QWidget* parent);
// The sunken panel that shows a chosen code, and the "..." that picks it.
QLabel* codePanel(const char* name, QWidget* parent);
QPushButton* pickButton(const char* name, const QString& spokenAs, QWidget* parent);
// A read-only value a reader can still reach with Tab.
TMaskedEdit* display(const char* name, QWidget* parent);
// A list with its header captions; Enter and a double click run onEdit.
QTreeWidget* list(const char* name, const QStringList& headers, const QString& accessibleName,
                  const QString& hint, QWidget* parent);
void onEdit(QTreeWidget* list, QObject* context, const std::function<void()>& edit);
// Selects an item, makes it current and brings it into view.
void selectItem(QTreeWidget* list, QTreeWidgetItem* item);

// An amount as the fields show it: shortest form, the program's separator.
QString amountText(Money value);
// The field's amount; nothing when it is empty.
std::optional<Money> fieldAmount(const TMaskedEdit* field);
// Shows an amount; nothing empties the field. A zero shows as "0".
void showAmount(TMaskedEdit* field, std::optional<Money> value);

} // namespace IncomeUi

// One run of a dialog's own check: each step runs only while no answer was
// "Исправить" (or "Пропустить все", where offered); a step that withholds
// "Пропустить" withholds it for the rest of the run. Closing the dialog counts
// as skipping.
class TDialogCheckRun {
public:
    TDialogCheckRun(CheckAsker& asker, const QString& pageName, bool skipAllOffered = false)
        : asker_(asker), title_(QStringLiteral("Проверка: ") + pageName), skipAll_(skipAllOffered) {
    }

    bool active() const { return result_ == 0 && !skippedAll_; }
    void step(bool problem, const QString& message, int position, bool skipOffered = true) {
        if (!active() || !problem)
            return;
        skip_ = skip_ && skipOffered;
        const CheckAnswer a = asker_.AskPage(title_, message, skip_, skipAll_ && skip_);
        if (a == CheckAnswer::Fix)
            result_ = position;
        skippedAll_ = a == CheckAnswer::SkipAll;
    }
    int result() const { return result_; }

private:
    CheckAsker& asker_;
    QString title_;
    bool skipAll_;
    bool skip_ = true;
    bool skippedAll_ = false;
    int result_ = 0;
};
