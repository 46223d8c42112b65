#pragma once

// Stands in for every modal window of the program: each dialog that opens takes
// the next step of a script, and what was shown is recorded.

#include "ui/CheckError.h"
#include "ui/CodePicker.h"
#include "ui/Dialogs.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <deque>
#include <functional>

class ScriptedDialogs : public TDialogs {
public:
    using Step = std::function<int(QDialog&)>;

    ScriptedDialogs() { SetDialogs(this); }
    ~ScriptedDialogs() override { SetDialogs(nullptr); }

    // What each dialog showed: "title|text" for message boxes and check dialogs,
    // the window title for other dialogs.
    QStringList shown;
    // Dialogs that opened with the script already used up (answered by closing).
    QStringList unexpected;
    std::deque<Step> script;

    // Answers of the file and folder dialogs; empty means cancelled.
    QString openFile;
    QStringList openFiles;
    QString saveFile;
    QString folder;
    QString lastOpenFilters;
    QString lastSaveFilters;
    QString lastSaveSuffix;
    QString lastSaveFolder;
    int fileDialogs = 0;
    bool urlOpens = true;
    QStringList urls;

    void then(Step s) { script.push_back(std::move(s)); }
    // A message box answered with a button.
    void thenButton(QMessageBox::StandardButton b) {
        then([b](QDialog&) { return int(b); });
    }
    // A check dialog answered with one of its results.
    void thenCheck(int result) {
        then([result](QDialog&) { return result; });
    }
    // A picker: the row selected (or none) and accepted.
    void thenPick(int row) {
        then([row](QDialog& d) {
            auto* picker = qobject_cast<TfmCodePicker*>(&d);
            if (!picker)
                return int(QDialog::Rejected);
            picker->preselect(row);
            return int(QDialog::Accepted);
        });
    }
    void thenReject() {
        then([](QDialog&) { return int(QDialog::Rejected); });
    }

    int exec(QDialog& dialog) override {
        const QString what = describe(dialog);
        shown << what;
        if (script.empty()) {
            unexpected << what;
            return 0;
        }
        Step s = std::move(script.front());
        script.pop_front();
        return s(dialog);
    }

    QString openFileName(QWidget*, const QString&, const QString& filters) override {
        ++fileDialogs;
        lastOpenFilters = filters;
        return openFile;
    }
    QStringList openFileNames(QWidget*, const QString&, const QString& filters) override {
        ++fileDialogs;
        lastOpenFilters = filters;
        return openFiles;
    }
    QString saveFileName(QWidget*, const QString& folder, const QString& filters,
                         const QString& suffix) override {
        ++fileDialogs;
        lastSaveFolder = folder;
        lastSaveFilters = filters;
        lastSaveSuffix = suffix;
        return saveFile;
    }
    QString folderName(QWidget*, const QString&, const QString&) override {
        ++fileDialogs;
        return folder;
    }
    bool openUrl(const QUrl& url) override {
        urls << url.toString();
        return urlOpens;
    }

    static QString describe(QDialog& d) {
        if (auto* box = qobject_cast<QMessageBox*>(&d))
            return box->windowTitle() + QLatin1Char('|') + box->text();
        if (auto* c = qobject_cast<TfmCheckError*>(&d))
            return c->windowTitle() + QLatin1Char('|') + c->lbMessage->text();
        if (auto* c = qobject_cast<TfmCheckAllError*>(&d))
            return c->windowTitle() + QLatin1Char('|') + c->lbMessage->text();
        return d.windowTitle();
    }
};
