#pragma once

#include "model/ProgrammDef.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// A row of a picker is a code with its name, as the tables and directories hold them.
using TPickRow = CodeName;

// A list of codes and names to choose one from: Enter or a double click
// accepts, Escape cancels, "Да" and "Нет" below. Accepting with no row selected
// is a cancel. The search field above the list keeps the rows whose code
// begins with its text or whose name holds it, case aside; Enter there takes
// the only row left or the one selected, Down moves into the list, and typing
// in the list goes on in the search field.
class TfmCodePicker : public QDialog {
    Q_OBJECT
public:
    TfmCodePicker(QWidget* parent, const QString& title, const QString& listName,
                  const QString& codeHeader, const QString& nameHeader,
                  const QList<TPickRow>& rows);

    // Selects and focuses a row; -1 selects nothing.
    void preselect(int row);
    int selectedRow() const;
    // The row chosen after the dialog was accepted.
    std::optional<TPickRow> chosen() const;

    // The rows shown for a search text (all for an empty one).
    void setSearchText(const QString& text);
    int shownRowCount() const;
    // Whether a row matches a search text.
    static bool matches(const TPickRow& row, const QString& text);

    QTreeWidget* list;
    QLabel* lbSearch;
    QLineEdit* meSearch;
    QPushButton* bnYes;
    QPushButton* bnNo;

protected:
    // A further button left of "Да" (the inspection picker's).
    QPushButton* addExtraButton(const QString& text);

private:
    void filter();
    // Enter in the search field.
    void takeMatch();
    void moveIntoList();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QList<TPickRow> rows_;
};

// Runs a picker through the program's dialogs: the chosen row, or nothing.
std::optional<TPickRow> RunPicker(TfmCodePicker& picker);
