#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Загрузка СОУН": how to bring the inspections directory up to date, and the
// import of the published table soun1.dbf.
class TfmLoadSoun : public QDialog {
    Q_OBJECT
public:
    static inline const QString kSiteUrl = QStringLiteral("https://www.qarv.example/soun.html");

    TfmLoadSoun(QWidget* parent, const QString& programFolder);

    QLineEdit* mePath;
    QPushButton* bnBrowse;
    QPushButton* bnImport;
    QPushButton* bnOk;
    QLabel* lbHelpLink;
    QLabel* lbSiteLink;

signals:
    void helpRequested(const QString& topic);

private:
    void browse();
    void import();

    QString programFolder_;
};
