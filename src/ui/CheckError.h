#pragma once

#include "checks/CheckAsk.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The page-check dialog: "Исправить", "Пропустить", "Пропустить все".
class TfmCheckError : public QDialog {
    Q_OBJECT
public:
    enum Result { Closed = 0, Fix = 1, Skip = 2, SkipAll = 3 };

    explicit TfmCheckError(QWidget* parent = nullptr);
    void setMessage(const QString& title, const QString& message);
    void offer(bool skip, bool skipAll);

    QLabel* lbMessage;
    QPushButton* bnFix;
    QPushButton* bnSkip;
    QPushButton* bnSkipAll;
};

// The whole-document dialog: "Исправить", "Отмена".
class TfmCheckAllError : public QDialog {
    Q_OBJECT
public:
    enum Result { Cancel = 0, Fix = 1 };

    explicit TfmCheckAllError(QWidget* parent = nullptr);
    void setMessage(const QString& title, const QString& message);

    QLabel* lbMessage;
    QPushButton* bnFix;
    QPushButton* bnCancel;
};

// The checks ask the user through these two dialogs.
class TWindowCheckAsker : public CheckAsker {
public:
    explicit TWindowCheckAsker(QWidget* parent) : parent_(parent) {}
    CheckAnswer AskPage(const QString& title, const QString& message, bool skipOffered,
                        bool skipAllOffered) override;
    CheckAnswer AskDocument(const QString& title, const QString& message) override;

private:
    QWidget* parent_;
};
