#pragma once

#include <QStringList>
#include <QWidget>

class QTextBrowser;

// The program's help: HTML topics in the folder "help" of the data folders
// (the user's, the program's, the installed one; the first with the topic
// wins), shown in a window of their own with links between them.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString kMainTopic = QStringLiteral("runprogramm.htm");
    static inline const QString kSounTopic = QStringLiteral("EditSOUN.htm");
    static inline const QString kMissingMessage =
        QStringLiteral("Не найден файл справки Qarv2011.chm");

    explicit THelpWindow(const QString& programFolder);

    static QStringList helpFolders(const QString& programFolder);
    bool hasTopic(const QString& topic) const;
    // The file shown for the topic; empty when no folder has it.
    QString topicPath(const QString& topic) const;
    // Shows the topic maximised; false when the topic is not there.
    bool showTopic(const QString& topic);
    QString currentTopic() const;

    QTextBrowser* browser;

private:
    QStringList folders_;
};

// Shows a topic, or "Не найден файл справки Qarv2011.chm" when the help is missing.
// The window is made on first use and kept.
void ShowHelpTopic(QWidget* parent, THelpWindow*& window, const QString& programFolder,
                   const QString& topic);
