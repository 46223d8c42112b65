#include "CheckError.h"

#include "Dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Icon at the left, the centred word-wrapped message at the right, buttons below.
QLabel* buildBody(QDialog* d, QHBoxLayout* buttons) {
    auto* icon = new QLabel(d);
    icon->setPixmap(d->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* label = new QLabel(d);
    label->setObjectName(QStringLiteral("lbMessage"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumHeight(60);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(label, 1);
    auto* layout = new QVBoxLayout(d);
    layout->addLayout(top);
    layout->addLayout(buttons);
    d->setFixedSize(440, 150);
    d->setModal(true);
    return label;
}

QPushButton* button(QDialog* d, const QString& name, const char16_t* text, QHBoxLayout* row) {
    auto* b = new QPushButton(QString::fromUtf16(text), d);
    b->setObjectName(name);
    row->addWidget(b);
    return b;
}

} // namespace

TfmCheckError::TfmCheckError(QWidget* parent) : QDialog(parent) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    bnFix = button(this, QStringLiteral("bnFix"), u"Исправить", row);
    bnSkip = button(this, QStringLiteral("bnSkip"), u"Пропустить", row);
    bnSkipAll = button(this, QStringLiteral("bnSkipAll"), u"Пропустить все", row);
    row->addStretch();
    lbMessage = buildBody(this, row);
    bnFix->setDefault(true);
    connect(bnFix, &QPushButton::clicked, this, [this] { done(Fix); });
    connect(bnSkip, &QPushButton::clicked, this, [this] { done(Skip); });
    connect(bnSkipAll, &QPushButton::clicked, this, [this] { done(SkipAll); });
}

void TfmCheckError::setMessage(const QString& title, const QString& message) {
    setWindowTitle(title);
    lbMessage->setText(message);
}

void TfmCheckError::offer(bool skip, bool skipAll) {
    bnSkip->setEnabled(skip);
    bnSkipAll->setEnabled(skipAll);
}

TfmCheckAllError::TfmCheckAllError(QWidget* parent) : QDialog(parent) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    bnFix = button(this, QStringLiteral("bnFix"), u"Исправить", row);
    bnCancel = button(this, QStringLiteral("bnCancel"), u"Отмена", row);
    row->addStretch();
    lbMessage = buildBody(this, row);
    bnFix->setDefault(true);
    connect(bnFix, &QPushButton::clicked, this, [this] { done(Fix); });
    connect(bnCancel, &QPushButton::clicked, this, [this] { done(Cancel); });
}

void TfmCheckAllError::setMessage(const QString& title, const QString& message) {
    setWindowTitle(title);
    lbMessage->setText(message);
}

CheckAnswer TWindowCheckAsker::AskPage(const QString& title, const QString& message,
                                       bool skipOffered, bool skipAllOffered) {
    TfmCheckError dialog(parent_);
    dialog.setMessage(title, message);
    dialog.offer(skipOffered, skipAllOffered);
    switch (Dialogs().exec(dialog)) {
    case TfmCheckError::Fix:
        return CheckAnswer::Fix;
    case TfmCheckError::Skip:
        return CheckAnswer::Skip;
    case TfmCheckError::SkipAll:
        return CheckAnswer::SkipAll;
    default:
        return CheckAnswer::Cancel;
    }
}

CheckAnswer TWindowCheckAsker::AskDocument(const QString& title, const QString& message) {
    TfmCheckAllError dialog(parent_);
    dialog.setMessage(title, message);
    return Dialogs().exec(dialog) == TfmCheckAllError::Fix ? CheckAnswer::Fix : CheckAnswer::Cancel;
}
