#pragma once

#include <QDialog>

// "О программе": name, version and where to get help.
class TfmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* parent);
};
