#include "HelpWindow.h"

#include "Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(const QString& programFolder)
    : QWidget(nullptr, Qt::Window), folder_(helpFolder(programFolder)) {
    setWindowTitle(QStringLiteral("Справка Qarv 2011"));
    browser = new QTextBrowser(this);
    browser->setSearchPaths({folder_});
    browser->setOpenExternalLinks(true);
    browser->setAccessibleName(QStringLiteral("Справка"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(900, 700);
}

QString THelpWindow::helpFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("help"));
}

bool THelpWindow::hasTopic(const QString& topic) const {
    return QFileInfo(QDir(folder_).filePath(topic)).isFile();
}

bool THelpWindow::showTopic(const QString& topic) {
    if (!hasTopic(topic))
        return false;
    browser->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(topic)));
    showMaximized();
    raise();
    activateWindow();
    return true;
}

QString THelpWindow::currentTopic() const {
    return QFileInfo(browser->source().toLocalFile()).fileName();
}

void ShowHelpTopic(QWidget* parent, THelpWindow*& window, const QString& programFolder,
                   const QString& topic) {
    if (!window)
        window = new THelpWindow(programFolder);
    if (!window->showTopic(topic))
        ShowMessage(parent, THelpWindow::kMissingMessage, QMessageBox::Critical);
}
