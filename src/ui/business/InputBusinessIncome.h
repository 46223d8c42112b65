#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TPageHost;

// "Вид деятельности": the kind of an activity and, for a business, its OKVED code.
class TfmInputBusinessIncome : public QDialog {
    Q_OBJECT
public:
    TfmInputBusinessIncome(QWidget* parent, TPageHost& host);

    // "1" to "4".
    QString kind() const;
    void setKind(const QString& kind);

    QRadioButton* rbBusiness;
    QRadioButton* rbNotary;
    QRadioButton* rbLawyer;
    QRadioButton* rbOther;
    QLineEdit* me1;
    QPushButton* bnIncomeCod;
    QPushButton* bnYes;
    QPushButton* bnNo;

private:
    void kindChanged();
    void pickCode();

    TPageHost& host_;
    QLabel* lbCode_;
};
