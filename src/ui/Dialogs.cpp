#include "Dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace {

TDialogs& realDialogs() {
    static TDialogs d;
    return d;
}

TDialogs* current = nullptr;

} // namespace

int TDialogs::exec(QDialog& dialog) {
    return dialog.exec();
}

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString TDialogs::openFileName(QWidget* parent, const QString& folder, const QString& filters) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filters);
}

QStringList TDialogs::openFileNames(QWidget* parent, const QString& folder,
                                    const QString& filters) {
    return QFileDialog::getOpenFileNames(parent, QString(), folder, filters);
}

QString TDialogs::saveFileName(QWidget* parent, const QString& folder, const QString& filters,
                               const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString TDialogs::folderName(QWidget* parent, const QString& title, const QString& root) {
    return QFileDialog::getExistingDirectory(parent, title, root, QFileDialog::ShowDirsOnly);
}

bool TDialogs::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

TDialogs& Dialogs() {
    return current ? *current : realDialogs();
}

void SetDialogs(TDialogs* dialogs) {
    current = dialogs;
}

QMessageBox::StandardButton ShowMessage(QWidget* parent, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, kProgramCaption, text, buttons, parent);
    const struct {
        QMessageBox::StandardButton button;
        const char16_t* text;
    } russian[] = {{QMessageBox::Yes, u"Да"},
                   {QMessageBox::No, u"Нет"},
                   {QMessageBox::Cancel, u"Отмена"},
                   {QMessageBox::Ok, u"OK"}};
    for (const auto& r : russian)
        if (QAbstractButton* b = box.button(r.button))
            b->setText(QString::fromUtf16(r.text));
    if (buttons & QMessageBox::Yes)
        box.setDefaultButton(QMessageBox::Yes);
    return QMessageBox::StandardButton(Dialogs().exec(box));
}
