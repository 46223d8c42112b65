#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class CheckAsker;
class OkvedChooser;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
struct OkvedEntry;
class TPageHost;

// "Код по ОКВЭД": six level lists leading to one classifier code. The search
// field above them lists the entries whose code begins with its text or whose
// name holds it; taking one (Enter with a single or selected match, a double
// click) sets every level down to it.
class TFormOKVED : public QDialog {
    Q_OBJECT
public:
    TFormOKVED(QWidget* parent, TPageHost& host);
    ~TFormOKVED() override;

    // The text of the code field ("нет" when nothing was chosen).
    QString shownCode() const;

    // The entry the levels lead to: its ancestors and itself picked in turn.
    void takeEntry(const OkvedEntry& entry);

    QLabel* lbSearch;
    QLineEdit* meSearch;
    // The matches of the search, hidden while it is empty.
    QTreeWidget* lvFound;
    std::array<QComboBox*, 6> levels{};
    QLineEdit* meCode;
    QPushButton* bnYes;
    QPushButton* bnNo;

private:
    void levelPicked(int level, int index);
    void refill();
    void yes();
    void search();
    // Enter or a double click on a match.
    void takeFound();
    bool eventFilter(QObject* watched, QEvent* event) override;

    TPageHost& host_;
    std::unique_ptr<OkvedChooser> chooser_;
    bool refilling_ = false;
    // Entries behind the rows of lvFound.
    QList<const OkvedEntry*> found_;
};

// The code chosen, or nothing when cancelled or without the directory.
std::optional<QString> PickOkved(QWidget* parent, TPageHost& host);
