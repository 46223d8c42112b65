#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;
class TPageSource;

// The form on screen: zoom, page by page, printing and saving as PDF. Pages
// come from any page source, so any printable report can use it.
class TPrintPreview : public QDialog {
    Q_OBJECT
public:
    TPrintPreview(const TPageSource& pages, const QString& title, QWidget* owner = nullptr);
    ~TPrintPreview() override;

    // Asked for the PDF's file name; empty cancels. A file dialog unless replaced.
    std::function<QString(QWidget*)> askPdfName;
    // Shows a failure; a message box unless replaced.
    std::function<void(const QString&)> showError;

    // "Сохранить в PDF": asks for the name and writes the file; false when
    // cancelled or failed (the failure shown).
    bool savePdf();
    // "Печать" from the preview: the print dialog, then the pages.
    void print();

    QPrintPreviewWidget* view() const { return view_; }
    int currentPage() const;
    int pageCount() const;
    // "Стр. N из M", as shown between the page buttons.
    QString pageText() const;
    QAction* acPrint;
    QAction* acSavePdf;
    QAction* acZoomIn;
    QAction* acZoomOut;
    QAction* acFitWidth;
    QAction* acFirst;
    QAction* acPrevious;
    QAction* acNext;
    QAction* acLast;
    QAction* acClose;

private:
    void updatePageLabel();

    const TPageSource& pages_;
    QString title_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* view_;
    QLabel* pageLabel_;
};
