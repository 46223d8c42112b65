#include "Main.h"

#include "AboutForm.h"
#include "CheckError.h"
#include "Dialogs.h"
#include "HelpWindow.h"
#include "Insight.h"
#include "LoadSounForm.h"
#include "PageButton.h"
#include "PageFactory.h"
#include "ProgramSettings.h"
#include "WindowPlacement.h"
#include "checks/DocumentCheck.h"
#include "currency/RateImportCommand.h"
#include "export/DOMXML_unit.h"
#include "model/DeclClasses.h"
#include "print/PrintCommands.h"
#include "refdata/Directories.h"
#include "session/RecoveryStore.h"
#include "storage/DateTime.h"
#include "storage/StreamDef.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ContentNotice.h"

namespace {

const QString kSaveQuestion = QStringLiteral("Вы хотите сохранить декларацию?");
const QString kUntitled = QStringLiteral("Без имени");
const QString kTitleTail = QStringLiteral(" - Qarv 2011");
const QString kCheckPassed = QStringLiteral("Проверка декларации завершена успешно");
const QString kSaveFilter = QStringLiteral("Qarv 2011 (*.dc1)");

QString openFilters() {
    return QStringLiteral("Qarv 2011 (*.dc1);;Qarv 2010 (*.dc0);;Qarv 2009 (*.dc9);;"
                          "Qarv 2008 (*.dc8);;Qarv 2007 (*.dc7);;Qarv 2006 (*.dc6);;"
                          "Qarv 2005 (*.dc5);;Qarv 200* (*.dcl)");
}

// The document named on the command line: the first argument, or the second
// after "-p" (in any case).
QString commandLineDocument(const QStringList& args) {
    if (args.size() < 1 || args.size() > 2)
        return QString();
    if (args.at(0).toLower() == QLatin1String("-p"))
        return args.size() == 2 ? args.at(1) : QString();
    return args.at(0);
}

} // namespace

TFormMain::TFormMain(TProgramSettings& settings, const QString& programFolder,
                     const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), settings_(settings),
      programFolder_(QDir::fromNativeSeparators(programFolder)),
      directories_(std::make_unique<RefDirectories>()),
      asker_(std::make_unique<TWindowCheckAsker>(this)) {
    if (!programFolder_.endsWith(QLatin1Char('/')))
        programFolder_ += QLatin1Char('/');
    ContentNotice::setReceiver(this, [this] { contentChanged(); });
    recovery_ = std::make_unique<TRecoveryWriter>();
    setMinimumSize(kMinWindowWidth, kMinWindowHeight);

    // 1. The window.
    buildActions();
    buildMenus();
    buildToolbar();
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(buildPageColumn());
    pageArea_ = new QScrollArea(central);
    pageArea_->setWidgetResizable(true);
    pageArea_->setFrameShape(QFrame::NoFrame);
    row->addWidget(pageArea_, 1);
    setCentralWidget(central);

    // 2. Toolbar settings.
    acStdToolbar->setChecked(settings_.readBool(TProgramSettings::kShowStdToolbar).value_or(true));
    acTextLabels->setChecked(settings_.readBool(TProgramSettings::kTextLabels).value_or(true));
    applyToolbarSettings();

    // 4, 5. The declaration, or the document named on the command line.
    const QString document = commandLineDocument(arguments);
    if (!document.isEmpty()) {
        bool readOnly = false;
        QString notice;
        if (lockForOpen(document, readOnly, notice))
            declaration_ = loadDocument(document);
        if (declaration_) {
            fileName_ = QFileInfo(document).absoluteFilePath();
            setReadOnly(readOnly);
            if (!notice.isEmpty())
                ShowMessage(this, notice, QMessageBox::Warning);
        } else {
            lock_.release();
        }
    }
    if (!declaration_)
        declaration_ = newDocument();
    // 6.
    updateTitle();

    // 8. The directories: the user's, else the program's, else the installed ones.
    *directories_ = RefDirectories::load(DataFolders::forProgram(programFolder_));
    if (!directories_->fatalMessage.isEmpty()) {
        fatalMessage_ = directories_->fatalMessage;
        return;
    }

    // 9.
    showConditionsPage();
    isSaved_ = true;
    // 11.
    applyPageEnabling();
    placeWindow();

    loadSoun_ = new TfmLoadSoun(this, programFolder_);
    loadSoun_->hide();
    connect(loadSoun_, &TfmLoadSoun::helpRequested, this, &TFormMain::showHelpTopic);

    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(2 * 60 * 1000);
    connect(recoveryTimer_, &QTimer::timeout, this, &TFormMain::recoveryTick);
    recoveryTimer_->start();
}

TFormMain::~TFormMain() {
    ContentNotice::clearReceiver(this);
    releaseDocument();
    recovery_->waitForIdle();
    writePlacement();
    delete help_;
    delete currentPage_;
    currentPage_ = nullptr;
}

void TFormMain::buildActions() {
    auto make = [this](const QString& text, QStyle::StandardPixmap icon, auto slot) {
        auto* a = new QAction(style()->standardIcon(icon), text, this);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    acCreate = make(QStringLiteral("Создать"), QStyle::SP_FileIcon, [this] { CreateDoc(); });
    acCreate->setShortcut(QKeySequence::New);
    acOpen = make(QStringLiteral("Открыть"), QStyle::SP_DialogOpenButton, [this] { OpenDoc(); });
    acOpen->setShortcut(QKeySequence::Open);
    acSave = make(QStringLiteral("Сохранить"), QStyle::SP_DialogSaveButton, [this] { SaveDoc(); });
    acSave->setShortcut(QKeySequence::Save);
    acSaveAs = make(QStringLiteral("Сохранить как..."), QStyle::SP_DialogSaveButton,
                    [this] { SaveAsDoc(); });
    acQuit = make(QStringLiteral("Выход"), QStyle::SP_DialogCloseButton, [this] { close(); });
    acPreview = make(QStringLiteral("Просмотр"), QStyle::SP_FileDialogContentsView,
                     [this] { PreviewDoc(); });
    acPrint = make(QStringLiteral("Печать"), QStyle::SP_DriveFDIcon, [this] { PrintDoc(); });
    acPrint->setShortcut(QKeySequence::Print);
    acExport =
        make(QStringLiteral("Экспорт в xml"), QStyle::SP_ArrowRight, [this] { ExportDoc(); });
    acExport->setIconText(QStringLiteral("Файл xml"));
    acCheck =
        make(QStringLiteral("Проверить"), QStyle::SP_DialogApplyButton, [this] { CheckDoc(); });
    acStdToolbar = new QAction(QStringLiteral("Стандартная панель"), this);
    acStdToolbar->setCheckable(true);
    connect(acStdToolbar, &QAction::triggered, this, [this](bool on) {
        settings_.write(TProgramSettings::kShowStdToolbar, on);
        applyToolbarSettings();
    });
    acTextLabels = new QAction(QStringLiteral("Подписи под кнопками"), this);
    acTextLabels->setCheckable(true);
    connect(acTextLabels, &QAction::triggered, this, [this](bool on) {
        settings_.write(TProgramSettings::kTextLabels, on);
        applyToolbarSettings();
    });
    acLoadRates = new QAction(QStringLiteral("Загрузить курсы валют ЦБ РФ..."), this);
    connect(acLoadRates, &QAction::triggered, this,
            [this] { RunRateImportCommand(this, programFolder_, *directories_, currentPage_); });
    acHelp = make(QStringLiteral("Справка"), QStyle::SP_DialogHelpButton, [this] { Help(); });
    acHelp->setShortcut(Qt::Key_F1);
    acAbout =
        make(QStringLiteral("О программе"), QStyle::SP_MessageBoxInformation, [this] { About(); });
    addAction(acHelp);
}

void TFormMain::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->addAction(acCreate);
    file->addAction(acOpen);
    file->addAction(acSave);
    file->addAction(acSaveAs);
    file->addSeparator();
    file->addAction(acQuit);
    QMenu* decl = menuBar()->addMenu(QStringLiteral("Декларация"));
    decl->addAction(acPreview);
    decl->addAction(acPrint);
    decl->addAction(acExport);
    decl->addAction(acCheck);
    insight_ = new TInsight(*this, *decl);
    QMenu* options = menuBar()->addMenu(QStringLiteral("Настройки"));
    options->addAction(acStdToolbar);
    options->addAction(acTextLabels);
    options->addSeparator();
    options->addAction(acLoadRates);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Справка"));
    help->addAction(acHelp);
    help->addSeparator();
    help->addAction(acAbout);
}

void TFormMain::buildToolbar() {
    toolbar_ = addToolBar(QStringLiteral("Стандартная панель"));
    toolbar_->setObjectName(QStringLiteral("StdToolbar"));
    toolbar_->setMovable(false);
    toolbar_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    const std::pair<QAction*, const char*> buttons[] = {
        {acCreate, "fbCreate"}, {acOpen, "fbOpen"},      {acSave, "fbSave"},
        {nullptr, nullptr},     {acPreview, "fbView"},   {acPrint, "fbPrint"},
        {nullptr, nullptr},     {acExport, "fbExsport"}, {acCheck, "fbCheck"}};
    for (const auto& [action, name] : buttons) {
        if (!action) {
            toolbar_->addSeparator();
            continue;
        }
        toolbar_->addAction(action);
        toolbar_->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
    }
}

QWidget* TFormMain::buildPageColumn() {
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("pnlPages"));
    column->setFixedWidth(130);
    auto* group = new QButtonGroup(column);
    group->setExclusive(true);
    static const char* const names[kPageCount] = {"fbInitialData",    "fbPrsonInfo",
                                                  "fbRussianIncome",  "fbForeignIncome",
                                                  "fbBusinessIncome", "fbDeduction"};
    for (int i = 0; i < kPageCount; ++i) {
        const auto id = TPageId(i);
        auto* b = new TPageButton(column);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setText(PageCaption(id));
        b->setToolTip(PageHint(id));
        b->setGeometry(0, 75 * i, 130, 75);
        group->addButton(b, i);
        connect(b, &QToolButton::clicked, this, [this, id] { pageButtonClicked(id); });
        // The buttons take no focus; Ctrl+1 to Ctrl+6 reach them from the keyboard.
        auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)), this);
        connect(key, &QShortcut::activated, this, [this, b] {
            if (b->isEnabled() && b->isVisible())
                b->click();
        });
        pageButtons_[i] = b;
    }
    return column;
}

void TFormMain::applyToolbarSettings() {
    const bool captions = acTextLabels->isChecked();
    toolbar_->setVisible(acStdToolbar->isChecked());
    toolbar_->setToolButtonStyle(captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    const QSize size = captions ? QSize(80, 47) : QSize(35, 35);
    for (QAction* a : {acCreate, acOpen, acSave, acPreview, acPrint, acExport, acCheck})
        toolbar_->widgetForAction(a)->setFixedSize(size);
    toolbar_->setMinimumHeight(captions ? 50 : 38);
}

void TFormMain::placeWindow() {
    TStoredPlacement stored;
    stored.exists = settings_.exists();
    stored.fullScreen = settings_.readBool(TProgramSettings::kFullScreen).value_or(false);
    stored.left = settings_.readInt(TProgramSettings::kLeft).value_or(0);
    stored.top = settings_.readInt(TProgramSettings::kTop).value_or(0);
    stored.width = settings_.readInt(TProgramSettings::kWidth).value_or(0);
    stored.height = settings_.readInt(TProgramSettings::kHeight).value_or(0);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    const int workHeight = screen ? screen->availableGeometry().height() : 768;
    const QRect r = PlaceMainWindow(stored, screenWidth, workHeight);
    move(r.topLeft());
    resize(r.size());
    maximizeOnShow_ = stored.fullScreen;
}

void TFormMain::showPlaced() {
    if (maximizeOnShow_)
        showMaximized();
    else
        show();
}

void TFormMain::writePlacement() {
    if (!fatalMessage_.isEmpty())
        return;
    const bool maximized = isMaximized();
    // A maximised window keeps the size it will come back to.
    const QRect r = maximized ? normalGeometry() : QRect(pos(), size());
    settings_.write(TProgramSettings::kFullScreen, maximized);
    settings_.write(TProgramSettings::kLeft, r.x());
    settings_.write(TProgramSettings::kTop, r.y());
    settings_.write(TProgramSettings::kWidth, r.width());
    settings_.write(TProgramSettings::kHeight, r.height());
    settings_.sync();
}

std::unique_ptr<mTDeclaration> TFormMain::newDocument() const {
    auto d = std::make_unique<mTDeclaration>();
    d->inspectionCode.clear();
    d->InitAsNewDocument(TDateTime::today());
    return d;
}

std::unique_ptr<mTDeclaration> TFormMain::loadDocument(const QString& fileName) {
    auto d = std::make_unique<mTDeclaration>();
    QString message;
    try {
        d->LoadFromFile(fileName);
        return d;
    } catch (const mEBadStorage& e) {
        message = e.message();
    } catch (const mEMemoryAllocate& e) {
        message = e.message();
    } catch (...) {
        // A missing stream or a damaged value: the file is not a document this
        // program can show, and a half-read one must not reach the screen.
        message = StorageMessages::kBadFormat;
    }
    ShowMessage(this, message, QMessageBox::Critical);
    return nullptr;
}

void TFormMain::setDeclaration(std::unique_ptr<mTDeclaration> declaration) {
    // The page goes first: nothing may look at the old declaration any more.
    delete currentPage_;
    currentPage_ = nullptr;
    declaration_ = std::move(declaration);
    emit declarationTouched();
}

void TFormMain::showPage(TPageId page) {
    TPageBuilding building(*this);
    TThinkingFrame* old = currentPage_;
    currentPage_ = nullptr;
    if (old) {
        pageArea_->takeWidget();
        delete old;
    }
    currentPage_ = CreatePage(page, *this, nullptr);
    currentPage_->setObjectName(QStringLiteral("currentPage"));
    pageArea_->setWidget(currentPage_);
    currentPageId_ = page;
    pageButtons_[int(page)]->setChecked(true);
    emit declarationTouched();
}

void TFormMain::showConditionsPage() {
    showPage(TPageId::InitialData);
}

void TFormMain::applyPageEnabling() {
    const quint8 flags = declaration_->incomeFlags();
    setPageButtonEnabled(TPageId::RussianIncome, flags & mTDeclaration::kFlagAgents);
    setPageButtonEnabled(TPageId::ForeignIncome, flags & mTDeclaration::kFlagCurrency);
    setPageButtonEnabled(TPageId::Business, flags & mTDeclaration::kFlagBusiness);
    setPageButtonEnabled(TPageId::Deduction, flags != 0 && declaration_->formKind == 0);
}

void TFormMain::updateTitle() {
    setWindowTitle((fileName_.isEmpty() ? kUntitled : QFileInfo(fileName_).fileName()) +
                   (readOnly_ ? QStringLiteral(" (только для просмотра)") : QString()) +
                   kTitleTail);
}

void TFormMain::contentChanged() {
    if (!pageBuilding_) {
        isSaved_ = false;
        ++changes_;
        lastChange_.start();
        emit declarationTouched();
    }
}

void TFormMain::setPageButtonEnabled(TPageId page, bool enabled) {
    pageButtons_[int(page)]->setEnabled(enabled);
}

bool TFormMain::pageButtonEnabled(TPageId page) const {
    return pageButtons_[int(page)]->isEnabled();
}

bool TFormMain::inspectionPickerReady() const {
    return directories_->inspections.has_value();
}

bool TFormMain::countryPickerReady() const {
    return directories_->countries.has_value();
}

CheckAsker& TFormMain::checkAsker() {
    return *asker_;
}

void TFormMain::showHelpTopic(const QString& topic) {
    ShowHelpTopic(this, help_, programFolder_, topic);
}

void TFormMain::showLoadSoun() {
    if (loadSoun_)
        Dialogs().exec(*loadSoun_);
}

// ---- Commands ----

QString TFormMain::askSaveName() {
    const QString folder =
        fileName_.isEmpty() ? DocumentsFolder() : QFileInfo(fileName_).absolutePath();
    return Dialogs().saveFileName(this, folder, kSaveFilter, QStringLiteral("dc1"));
}

bool TFormMain::saveTo(const QString& fileName) {
    // Written only under its lock: another window's document is not overwritten.
    TDocumentLock taken;
    const bool own = lock_.holds(fileName);
    if (!own && taken.acquire(fileName) == TDocumentLock::Result::HeldByOther) {
        ShowMessage(this, TDocumentLock::lockedMessage(taken.other()), QMessageBox::Critical);
        return false;
    }
    if (currentPage_)
        currentPage_->StoreToModel();
    QString message;
    try {
        declaration_->SaveToFile(fileName);
        if (!own)
            lock_ = std::move(taken);
        setReadOnly(false);
        recovery_->remove();
        recoveredChanges_ = changes_;
        return true;
    } catch (const mEPrivBase& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    }
    ShowMessage(this, message, QMessageBox::Critical);
    return false;
}

// An older edition's file is never written over: saving turns its name into a
// ".dc1" one, so the old file stays as it was.
static QString currentEditionName(QString name) {
    if (!name.isEmpty() && !name.endsWith(QLatin1Char('1')))
        name[name.size() - 1] = QLatin1Char('1');
    return name;
}

bool TFormMain::savePrompt() {
    if (isSaved_)
        return true;
    const auto answer = ShowMessage(this, kSaveQuestion, QMessageBox::Question,
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No)
        return true;
    if (answer != QMessageBox::Yes)
        return false;
    const QString name =
        currentEditionName(fileName_.isEmpty() || readOnly_ ? askSaveName() : fileName_);
    if (name.isEmpty())
        return true; // the save dialog was cancelled: go on without saving
    if (!saveTo(name))
        return false;
    fileName_ = name;
    return true;
}

void TFormMain::CreateDoc() {
    if (!savePrompt())
        return;
    releaseDocument();
    setReadOnly(false);
    setDeclaration(newDocument());
    showConditionsPage();
    isSaved_ = true;
    fileName_.clear();
    updateTitle();
    applyPageEnabling();
}

void TFormMain::OpenDoc() {
    if (!savePrompt())
        return;
    releaseDocument();
    setReadOnly(false);
    setDeclaration(newDocument());
    const QString folder =
        fileName_.isEmpty() ? DocumentsFolder() : QFileInfo(fileName_).absolutePath();
    const QString chosen = Dialogs().openFileName(this, folder, openFilters());
    std::unique_ptr<mTDeclaration> loaded;
    bool readOnly = false;
    QString notice;
    if (!chosen.isEmpty() && lockForOpen(chosen, readOnly, notice))
        loaded = loadDocument(chosen);
    if (loaded) {
        fileName_ = QFileInfo(chosen).absoluteFilePath();
        declaration_ = std::move(loaded);
        setReadOnly(readOnly);
    } else {
        lock_.release();
        notice.clear();
        fileName_.clear();
        declaration_ = newDocument();
    }
    updateTitle();
    showConditionsPage();
    isSaved_ = true;
    applyPageEnabling();
    if (!notice.isEmpty())
        ShowMessage(this, notice, QMessageBox::Warning);
}

bool TFormMain::SaveDoc() {
    if (readOnly_)
        return SaveAsDoc();
    QString name = fileName_.isEmpty() ? askSaveName() : fileName_;
    if (name.isEmpty())
        return false;
    name = currentEditionName(name);
    if (!saveTo(name))
        return false;
    fileName_ = name;
    updateTitle();
    isSaved_ = true;
    return true;
}

bool TFormMain::SaveAsDoc() {
    const QString name = askSaveName();
    if (name.isEmpty())
        return false;
    if (!saveTo(name))
        return false;
    fileName_ = name;
    updateTitle();
    isSaved_ = true;
    return true;
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (!savePrompt()) {
        event->ignore();
        return;
    }
    releaseDocument();
    event->accept();
}

void TFormMain::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

void TFormMain::pageButtonClicked(TPageId page) {
    if (!currentPage_) {
        showPage(page);
        return;
    }
    if (page == currentPageId_) {
        pageButtons_[int(page)]->setChecked(true);
        return;
    }
    currentPage_->StoreToModel();
    const int position = currentPage_->CheckPage();
    if (position != 0) {
        pageButtons_[int(currentPageId_)]->setChecked(true);
        currentPage_->FocusField(position);
        return;
    }
    showPage(page);
    TPageBuilding building(*this);
    currentPage_->PageShown();
}

void TFormMain::showFinding(int pageCode, int position) {
    TPageId page;
    switch (pageCode) {
    case CheckPage::kConditions:
        page = TPageId::InitialData;
        break;
    case CheckPage::kDeclarantName:
    case CheckPage::kDeclarantAddress:
        page = TPageId::PersonInfo;
        break;
    case CheckPage::kThirteen:
    case CheckPage::kDividends:
    case CheckPage::kThirtyFive:
        page = TPageId::RussianIncome;
        break;
    case CheckPage::kCurrency:
        page = TPageId::ForeignIncome;
        break;
    case CheckPage::kBusiness:
        page = TPageId::Business;
        break;
    case CheckPage::kStandard:
    case CheckPage::kProperty:
        page = TPageId::Deduction;
        break;
    default:
        return; // private practice has no page
    }
    if (page != currentPageId_ || !currentPage_)
        showPage(page);
    currentPage_->ShowFinding(pageCode, position);
}

int TFormMain::RunDocumentCheck() {
    if (currentPage_)
        currentPage_->StoreToModel();
    const CheckResult r = CheckWholeDocument(*declaration_, *asker_);
    if (r.passed())
        return 0;
    if (r.cancelled())
        return 2;
    showFinding(r.targetPage, r.targetField);
    return 1;
}

void TFormMain::CheckDoc() {
    if (RunDocumentCheck() == 0)
        ShowMessage(this, kCheckPassed, QMessageBox::Information);
}

void TFormMain::runPrint(bool preview) {
    RunPrintCommand(
        preview ? TPrintMode::Preview : TPrintMode::Print,
        {this, declaration_.get(), programFolder_, [this] { return RunDocumentCheck() == 0; }});
}

void TFormMain::PreviewDoc() {
    runPrint(true);
}

void TFormMain::PrintDoc() {
    runPrint(false);
}

void TFormMain::ExportDoc() {
    if (RunDocumentCheck() != 0)
        return;
    setEnabled(false);
    const QString folder = Dialogs().folderName(this, kProgramCaption, QDir::homePath());
    if (!folder.isEmpty()) {
        XmlExportOptions options;
        options.showMessage = [this](const QString& text) {
            ShowMessage(this, text, QMessageBox::Critical);
        };
        QString path = QDir::fromNativeSeparators(folder);
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        try {
            const QString result =
                BuildDeclarationXml(path, *declaration_, XmlExportMode::SaveToFolder, options);
            ShowMessage(this, ExportResultMessage(result), QMessageBox::Information);
        } catch (const std::exception& e) {
            ShowMessage(this, QString::fromUtf8(e.what()), QMessageBox::Critical);
        }
    }
    setEnabled(true);
}

void TFormMain::Help() {
    showHelpTopic(THelpWindow::kMainTopic);
}

void TFormMain::About() {
    TfmAbout about(this);
    Dialogs().exec(about);
}

// ---- The document's lock and recovery copy ----

bool TFormMain::lockForOpen(const QString& fileName, bool& readOnly, QString& notice) {
    readOnly = false;
    notice.clear();
    switch (lock_.acquire(fileName)) {
    case TDocumentLock::Result::Taken:
        return true;
    case TDocumentLock::Result::HeldByOther:
        if (ShowMessage(this, TDocumentLock::openQuestion(lock_.other()), QMessageBox::Question,
                        QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return false;
        readOnly = true;
        return true;
    case TDocumentLock::Result::CannotWrite:
        readOnly = true;
        notice = TDocumentLock::noLockMessage(lock_.reason());
        return true;
    }
    return false;
}

void TFormMain::releaseDocument() {
    lock_.release();
    recovery_->remove();
    recoveredChanges_ = changes_;
}

void TFormMain::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    acSave->setEnabled(!readOnly);
    updateTitle();
}

void TFormMain::setRecoveryInterval(int milliseconds) {
    if (recoveryTimer_)
        recoveryTimer_->start(milliseconds);
}

void TFormMain::writeRecovery() {
    // Never in the middle of building a page or of a dialog: the page's fields
    // are stored into the model first, and only a page at rest may do that.
    if (isSaved_ || changes_ == recoveredChanges_ || pageBuilding_ || !currentPage_ ||
        QApplication::activeModalWidget())
        return;
    currentPage_->StoreToModel();
    if (recovery_->write(*declaration_, fileName_))
        recoveredChanges_ = changes_;
}

void TFormMain::recoveryTick() {
    // Forming the copy of a very large declaration takes a noticeable moment:
    // never between two keystrokes.
    constexpr qint64 kTypingPause = 1000;
    if (lastChange_.isValid() && lastChange_.elapsed() < kTypingPause) {
        QTimer::singleShot(kTypingPause - lastChange_.elapsed(), this, &TFormMain::recoveryTick);
        return;
    }
    writeRecovery();
}

void TFormMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        writeRecovery();
}

void TFormMain::offerRecovery() {
    for (const TRecoveryCopy& copy : RecoveryStore::leftovers()) {
        const auto answer = ShowMessage(this, RecoveryStore::offerText(copy), QMessageBox::Question,
                                        QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::No) {
            RecoveryStore::discard(copy);
            continue;
        }
        // Closed without an answer: the copies wait for the next start.
        if (answer != QMessageBox::Yes || !savePrompt())
            return;
        std::unique_ptr<mTDeclaration> restored = loadDocument(copy.dataPath());
        if (!restored)
            continue; // a damaged copy stays where it is
        releaseDocument();
        const bool named = !copy.document.isEmpty();
        const bool locked = named && lock_.acquire(copy.document) == TDocumentLock::Result::Taken;
        setDeclaration(std::move(restored));
        fileName_ = copy.document;
        setReadOnly(named && !locked);
        showConditionsPage();
        applyPageEnabling();
        // Modified, so that the next Save writes it under its own name; and
        // copied again as this program's before the old copy goes.
        isSaved_ = false;
        ++changes_;
        writeRecovery();
        recovery_->waitForIdle();
        RecoveryStore::discard(copy);
        return;
    }
}
