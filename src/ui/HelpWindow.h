#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help: HTML topics in the folder "help" beside the program,
// shown in a window of their own with links between them.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString kMainTopic = QStringLiteral("runprogramm.htm");
    static inline const QString kSounTopic = QStringLiteral("EditSOUN.htm");
    static inline const QString kMissingMessage =
        QStringLiteral("Не найден файл справки Qarv2011.chm");

    explicit THelpWindow(const QString& programFolder);

    static QString helpFolder(const QString& programFolder);
    bool hasTopic(const QString& topic) const;
    // Shows the topic maximised; false when the topic is not there.
    bool showTopic(const QString& topic);
    QString currentTopic() const;

    QTextBrowser* browser;

private:
    QString folder_;
};

// Shows a topic, or "Не найден файл справки Qarv2011.chm" when the help is missing.
// The window is made on first use and kept.
void ShowHelpTopic(QWidget* parent, THelpWindow*& window, const QString& programFolder,
                   const QString& topic);
