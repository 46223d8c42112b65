#pragma once

#include "checks/CheckAsk.h"

#include <QDockWidget>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class mTDeclaration;

// "Замечания": every finding of the whole-document check at once, in check
// order, each with its page, group and message. Enter or a double click on a
// row asks for its page and field.
class TFindingsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit TFindingsPanel(QWidget* parent);

    // Runs the check over the declaration and lists what it finds.
    void fill(const mTDeclaration& d);
    const std::vector<CheckResult>& findings() const { return findings_; }
    QTreeWidget* list() const { return list_; }
    void focusList();

    // The caption of the page a finding opens ("—" when it opens none).
    static QString pageCaptionOf(quint16 pageCode);

signals:
    void findingChosen(const CheckResult& finding);
    void refreshRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(QTreeWidgetItem* item);

    QTreeWidget* list_;
    QLabel* summary_;
    std::vector<CheckResult> findings_;
};
