#pragma once

#include "ui/MyFrame.h"

class QGridLayout;
class QGroupBox;
class QPushButton;
class QTreeWidget;
class TMaskedEdit;

// A sub-page of payers whose income is entered in one dialog per payer: the
// list, its three buttons and the selected payer's values. Nothing to store or
// check: the dialogs check what they take.
class TfrPayerList : public TThinkingFrame {
    Q_OBJECT
public:
    void StoreToModel() override {}
    int CheckPage() override { return 0; }
    // Selects the payer of a 1-based position (a finding of the document check).
    void FocusField(int position) override;
    void PageShown() override;

    int selectedPayer() const;
    void addPayer();
    void editPayer();
    void deletePayer();

    QTreeWidget* lvSourseIncomeInfo;
    QPushButton* bnAddSourse;
    QPushButton* bnDelSourse;
    QPushButton* bnEditSourse;
    QGroupBox* gbResult;

protected:
    TfrPayerList(TPageHost& host, QWidget* parent);
    // Fills the list; the subclass calls it once its own parts exist.
    void fill();
    // A read-only value of the result panel.
    TMaskedEdit* addValue(const char* name, const QString& caption);

    virtual int count() const = 0;
    virtual QString nameOf(int index) const = 0;
    // Runs the dialog on a payer (-1: a new one); true when the list changed.
    virtual bool runDialog(int index) = 0;
    virtual void removePayer(int index) = 0;
    // The values of a payer, or an empty panel for -1.
    virtual void showResult(int index) = 0;

private:
    void select(int index);

    QGridLayout* values_;
};
