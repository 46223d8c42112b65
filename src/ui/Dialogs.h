#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QUrl;
class QWidget;

// Every modal window of the program opens through here, so that the tests can
// answer a dialog instead of blocking on it.
class TDialogs {
public:
    virtual ~TDialogs() = default;

    // Runs a modal dialog and returns its result (for a message box, the button).
    virtual int exec(QDialog& dialog);
    // A file to open; empty when cancelled. filters as for QFileDialog, ";;"-joined.
    virtual QString openFileName(QWidget* parent, const QString& folder, const QString& filters);
    // Several files to open; empty when cancelled.
    virtual QStringList openFileNames(QWidget* parent, const QString& folder,
                                      const QString& filters);
    // A file to write; defaultSuffix is added to a name typed without one.
    virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& filters,
                                 const QString& defaultSuffix);
    // A folder; empty when cancelled.
    virtual QString folderName(QWidget* parent, const QString& title, const QString& root);
    // A web page or help file in the system's viewer; false when it cannot be started.
    virtual bool openUrl(const QUrl& url);
};

TDialogs& Dialogs();
// Where file dialogs start for a document not yet saved: the user's documents
// folder, or the home folder where there is none (a missing folder would be
// offered as the file's name).
QString DocumentsFolder();
// Replaces the dialogs (tests); nullptr puts back the real ones. Not owned.
void SetDialogs(TDialogs* dialogs);

// The caption of every message box of the program.
inline const QString kProgramCaption = QStringLiteral("Qarv 2011");

// A message box captioned "Qarv 2011" with Russian button texts; returns the
// button chosen (Escape: Cancel where offered, else the only button).
QMessageBox::StandardButton ShowMessage(QWidget* parent, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
