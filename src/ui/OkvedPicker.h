#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class CheckAsker;
class OkvedChooser;
class QComboBox;
class QLineEdit;
class QPushButton;
class TPageHost;

// "Код по ОКВЭД": six level lists leading to one classifier code.
class TFormOKVED : public QDialog {
    Q_OBJECT
public:
    TFormOKVED(QWidget* parent, TPageHost& host);
    ~TFormOKVED() override;

    // The text of the code field ("нет" when nothing was chosen).
    QString shownCode() const;

    std::array<QComboBox*, 6> levels{};
    QLineEdit* meCode;
    QPushButton* bnYes;
    QPushButton* bnNo;

private:
    void levelPicked(int level, int index);
    void refill();
    void yes();

    TPageHost& host_;
    std::unique_ptr<OkvedChooser> chooser_;
    bool refilling_ = false;
};

// The code chosen, or nothing when cancelled or without the directory.
std::optional<QString> PickOkved(QWidget* parent, TPageHost& host);
