#pragma once

#include "MyFrame.h"
#include "session/DocumentLock.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QScrollArea;
class QToolBar;
class QToolButton;
class THelpWindow;
class TInsight;
class TProgramSettings;
class TRecoveryWriter;
class QTimer;
class TWindowCheckAsker;
class TfmLoadSoun;

// The program's only main window: it owns the open declaration and its file
// name, shows one input page at a time, and runs the file, check, export and
// print commands.
class TFormMain : public QMainWindow, public TPageHost {
    Q_OBJECT
public:
    // arguments: the command line without the program name.
    TFormMain(TProgramSettings& settings, const QString& programFolder,
              const QStringList& arguments, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Set when the inspections directory exists but cannot be read: the program
    // shows it and ends.
    QString fatalMessage() const { return fatalMessage_; }
    // Shows the window where the settings place it, maximised when it was.
    void showPlaced();

    // Commands.
    void CreateDoc();
    void OpenDoc();
    bool SaveDoc();
    bool SaveAsDoc();
    void PreviewDoc();
    void PrintDoc();
    void ExportDoc();
    void CheckDoc();
    void Help();
    void About();
    // 0 passed, 1 "Исправить" (the page of the finding is shown), 2 "Отмена".
    int RunDocumentCheck();
    // A click on a page button.
    void pageButtonClicked(TPageId page);

    bool isSaved() const { return isSaved_; }
    QString fileName() const { return fileName_; }
    TThinkingFrame* currentPage() const { return currentPage_; }
    TPageId currentPageId() const { return currentPageId_; }
    QToolButton* pageButton(TPageId page) const { return pageButtons_[int(page)]; }
    QToolBar* standardPanel() const { return toolbar_; }
    TfmLoadSoun* loadSounWindow() const { return loadSoun_; }
    THelpWindow* helpWindow() const { return help_; }

    // The document's lock and its recovery copy.
    // Offers the copies of programs that ended without saving, newest first.
    void offerRecovery();
    // Writes the recovery copy now if there are changes it does not hold yet.
    void writeRecovery();
    void setRecoveryInterval(int milliseconds);
    TRecoveryWriter& recoveryWriter() { return *recovery_; }
    // Opened while another window holds it, or where no lock can be written.
    bool isReadOnly() const { return readOnly_; }
    // The result line, the findings panel and the calculation report.
    TInsight* insight() const { return insight_; }
    // The page and field of a whole-document finding, as "Исправить" opens them.
    void showCheckFinding(int pageCode, int position) { showFinding(pageCode, position); }

    QAction* acCreate;
    QAction* acOpen;
    QAction* acSave;
    QAction* acSaveAs;
    QAction* acQuit;
    QAction* acPreview;
    QAction* acPrint;
    QAction* acExport;
    QAction* acCheck;
    QAction* acStdToolbar;
    QAction* acTextLabels;
    QAction* acLoadRates;
    QAction* acHelp;
    QAction* acAbout;

    // TPageHost
    mTDeclaration& declaration() override { return *declaration_; }
    void contentChanged() override;
    bool pageBuilding() const override { return pageBuilding_; }
    void setPageBuilding(bool building) override { pageBuilding_ = building; }
    void setPageButtonEnabled(TPageId page, bool enabled) override;
    bool pageButtonEnabled(TPageId page) const override;
    const RefDirectories& directories() const override { return *directories_; }
    bool inspectionPickerReady() const override;
    bool countryPickerReady() const override;
    QString programFolder() const override { return programFolder_; }
    CheckAsker& checkAsker() override;
    void showHelpTopic(const QString& topic) override;
    void showLoadSoun() override;

signals:
    // Once, after the window first painted itself (start-up timing).
    void firstPainted();
    // The declaration may differ from what was shown: the user edited a field,
    // a page was left or another declaration was opened.
    void declarationTouched();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolbar();
    QWidget* buildPageColumn();
    void applyToolbarSettings();
    void placeWindow();
    void writePlacement();

    std::unique_ptr<mTDeclaration> newDocument() const;
    // A declaration read from the file, or nothing after the message was shown.
    std::unique_ptr<mTDeclaration> loadDocument(const QString& fileName);
    void setDeclaration(std::unique_ptr<mTDeclaration> declaration);
    // Replaces the page on screen without storing or checking it.
    void showPage(TPageId page);
    void showConditionsPage();
    void applyPageEnabling();
    void updateTitle();

    // Asks to save a modified document; false stops the command.
    bool savePrompt();
    // A name from the save dialog; empty when cancelled.
    QString askSaveName();
    // Stores the page and writes the file; false after showing the failure.
    bool saveTo(const QString& fileName);
    // The page of a whole-document finding, with its field focused.
    void showFinding(int pageCode, int position);
    // Check, then run the print module with the window disabled.
    void runPrint(bool preview);
    // Takes the lock of a document to open; false opens nothing. notice: a
    // message to show once the document is open.
    bool lockForOpen(const QString& fileName, bool& readOnly, QString& notice);
    // The document is replaced or closed: its lock and recovery copy go.
    void releaseDocument();
    void setReadOnly(bool readOnly);
    // The timer's copy, put off until the user pauses typing.
    void recoveryTick();

    TProgramSettings& settings_;
    QString programFolder_;
    QString fatalMessage_;
    std::unique_ptr<mTDeclaration> declaration_;
    std::unique_ptr<RefDirectories> directories_;
    std::unique_ptr<TWindowCheckAsker> asker_;
    QString fileName_;
    bool isSaved_ = true;
    bool pageBuilding_ = false;
    bool painted_ = false;
    bool maximizeOnShow_ = false;
    TThinkingFrame* currentPage_ = nullptr;
    TPageId currentPageId_ = TPageId::InitialData;
    std::array<QToolButton*, kPageCount> pageButtons_{};
    QScrollArea* pageArea_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    THelpWindow* help_ = nullptr;
    TInsight* insight_ = nullptr;
    TfmLoadSoun* loadSoun_ = nullptr;
    TDocumentLock lock_;
    bool readOnly_ = false;
    std::unique_ptr<TRecoveryWriter> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    // Content changes so far, and how many of them the recovery copy holds.
    quint64 changes_ = 0;
    quint64 recoveredChanges_ = 0;
    QElapsedTimer lastChange_;
};
