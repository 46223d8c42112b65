#include "HelpWindow.h"

#include "Dialogs.h"
#include "refdata/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(const QString& programFolder)
    : QWidget(nullptr, Qt::Window), folders_(helpFolders(programFolder)) {
    setWindowTitle(QStringLiteral("Справка Qarv 2011"));
    browser = new QTextBrowser(this);
    browser->setSearchPaths(folders_);
    browser->setOpenExternalLinks(true);
    browser->setAccessibleName(QStringLiteral("Справка"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(900, 700);
}

QStringList THelpWindow::helpFolders(const QString& programFolder) {
    QStringList folders;
    for (const QString& folder : DataFolders::forProgram(programFolder).searchOrder())
        folders.append(QDir(folder).filePath(QStringLiteral("help")));
    return folders;
}

QString THelpWindow::topicPath(const QString& topic) const {
    for (const QString& folder : folders_) {
        const QString path = QDir(folder).filePath(topic);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

bool THelpWindow::hasTopic(const QString& topic) const {
    return !topicPath(topic).isEmpty();
}

bool THelpWindow::showTopic(const QString& topic) {
    const QString path = topicPath(topic);
    if (path.isEmpty())
        return false;
    browser->setSource(QUrl::fromLocalFile(path));
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
