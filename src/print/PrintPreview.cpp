#include "PrintPreview.h"

#include "PageSource.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

QPushButton* addButton(QHBoxLayout* row, QWidget* parent, const QString& text, QAction* action) {
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, action, &QAction::trigger);
    row->addWidget(b);
    return b;
}

QAction* makeAction(QWidget* owner, const QString& text, const QKeySequence& key) {
    auto* a = new QAction(text, owner);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(a);
    return a;
}

} // namespace

TPrintPreview::TPrintPreview(const TPageSource& pages, const QString& title, QWidget* owner)
    : QDialog(owner), pages_(pages), title_(title),
      printer_(std::make_unique<QPrinter>(QPrinter::ScreenResolution)) {
    setWindowTitle(QStringLiteral("Просмотр - ") + title);
    setWindowModality(Qt::WindowModal);
    printer_->setFullPage(true);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);

    view_ = new QPrintPreviewWidget(printer_.get(), this);
    view_->setAccessibleName(QStringLiteral("Страницы формы"));
    connect(view_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* p) { RenderPages(pages_, *p, nullptr); });
    connect(view_, &QPrintPreviewWidget::previewChanged, this, &TPrintPreview::updatePageLabel);

    acPrint = makeAction(this, QStringLiteral("Печать"), QKeySequence::Print);
    acSavePdf = makeAction(this, QStringLiteral("Сохранить в PDF"), QKeySequence::Save);
    acZoomIn = makeAction(this, QStringLiteral("Увеличить"), QKeySequence::ZoomIn);
    acZoomOut = makeAction(this, QStringLiteral("Уменьшить"), QKeySequence::ZoomOut);
    acFitWidth = makeAction(this, QStringLiteral("По ширине"), QKeySequence(Qt::CTRL | Qt::Key_0));
    acFirst = makeAction(this, QStringLiteral("Первая"), QKeySequence(Qt::CTRL | Qt::Key_Home));
    acPrevious = makeAction(this, QStringLiteral("Назад"), QKeySequence(Qt::Key_PageUp));
    acNext = makeAction(this, QStringLiteral("Вперед"), QKeySequence(Qt::Key_PageDown));
    acLast = makeAction(this, QStringLiteral("Последняя"), QKeySequence(Qt::CTRL | Qt::Key_End));
    acClose = makeAction(this, QStringLiteral("Закрыть"), QKeySequence());

    connect(acPrint, &QAction::triggered, this, &TPrintPreview::print);
    connect(acSavePdf, &QAction::triggered, this, [this] { savePdf(); });
    connect(acZoomIn, &QAction::triggered, view_, [this] { view_->zoomIn(1.25); });
    connect(acZoomOut, &QAction::triggered, view_, [this] { view_->zoomOut(1.25); });
    connect(acFitWidth, &QAction::triggered, view_, &QPrintPreviewWidget::fitToWidth);
    // The view gives no notice of a page turned by a call, only of one scrolled to.
    auto turnTo = [this](int page) {
        view_->setCurrentPage(page);
        updatePageLabel();
    };
    connect(acFirst, &QAction::triggered, view_, [turnTo] { turnTo(1); });
    connect(acPrevious, &QAction::triggered, view_,
            [this, turnTo] { turnTo(view_->currentPage() - 1); });
    connect(acNext, &QAction::triggered, view_,
            [this, turnTo] { turnTo(view_->currentPage() + 1); });
    connect(acLast, &QAction::triggered, view_, [this, turnTo] { turnTo(view_->pageCount()); });
    connect(acClose, &QAction::triggered, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    addButton(row, this, QStringLiteral("&Печать..."), acPrint);
    addButton(row, this, QStringLiteral("Сохранить в &PDF..."), acSavePdf);
    row->addSpacing(12);
    addButton(row, this, QStringLiteral("&Увеличить"), acZoomIn);
    addButton(row, this, QStringLiteral("У&меньшить"), acZoomOut);
    addButton(row, this, QStringLiteral("По &ширине"), acFitWidth);
    row->addSpacing(12);
    addButton(row, this, QStringLiteral("&Назад"), acPrevious);
    pageLabel_ = new QLabel(this);
    row->addWidget(pageLabel_);
    addButton(row, this, QStringLiteral("&Вперед"), acNext);
    row->addStretch();
    addButton(row, this, QStringLiteral("&Закрыть"), acClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(view_, 1);
    resize(900, 1000);

    askPdfName = [this](QWidget* parent) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir())
            folder = QDir::homePath();
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить в PDF"),
                                            QDir(folder).filePath(title_ + QStringLiteral(".pdf")),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    showError = [this](const QString& text) {
        QMessageBox::critical(this, QStringLiteral("Qarv 2011"), text);
    };
    view_->fitToWidth();
    view_->setFocus();
}

TPrintPreview::~TPrintPreview() = default;

int TPrintPreview::currentPage() const {
    return view_->currentPage();
}

QString TPrintPreview::pageText() const {
    return pageLabel_->text();
}

int TPrintPreview::pageCount() const {
    return view_->pageCount();
}

void TPrintPreview::updatePageLabel() {
    pageLabel_->setText(
        QStringLiteral("Стр. %1 из %2").arg(view_->currentPage()).arg(view_->pageCount()));
}

bool TPrintPreview::savePdf() {
    QString name = askPdfName(this);
    if (name.isEmpty())
        return false;
    if (!name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    const QString error = WritePdf(pages_, name, title_);
    if (!error.isEmpty()) {
        showError(error);
        return false;
    }
    return true;
}

void TPrintPreview::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pages_.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 0, to = -1;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage() - 1;
        to = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = view_->currentPage() - 1;
    }
    QString error;
    if (!RenderPages(pages_, printer, &error, from, to))
        showError(error);
}
