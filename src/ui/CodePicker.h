#pragma once

#include "model/ProgrammDef.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <optional>

class QPushButton;
class QTreeWidget;

// A row of a picker is a code with its name, as the tables and directories hold them.
using TPickRow = CodeName;

// A list of codes and names to choose one from: Enter or a double click
// accepts, Escape cancels, "Да" and "Нет" below. Accepting with no row selected
// is a cancel.
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

    QTreeWidget* list;
    QPushButton* bnYes;
    QPushButton* bnNo;

protected:
    // A further button left of "Да" (the inspection picker's).
    QPushButton* addExtraButton(const QString& text);

private:
    QList<TPickRow> rows_;
};

// Runs a picker through the program's dialogs: the chosen row, or nothing.
std::optional<TPickRow> RunPicker(TfmCodePicker& picker);
