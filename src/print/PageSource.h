#pragma once

#include <QString>

class QPagedPaintDevice;
class QPainter;

// Pages that can be painted on any paged device: the screen preview, a printer
// or a PDF file. Pages are laid out on A4 portrait in points (1/72 inch); the
// painter given to paintPage is already scaled to that.
class TPageSource {
public:
    virtual ~TPageSource() = default;
    virtual int pageCount() const = 0;
    virtual void paintPage(QPainter& painter, int page) const = 0;
};

// Paints every page (from..to, 0-based, inclusive; -1 for the last) onto the
// device, one device page each. False with error set when painting could not start.
bool RenderPages(const TPageSource& pages, QPagedPaintDevice& device, QString* error, int from = 0,
                 int to = -1);

// Writes the pages as a PDF file through a temporary beside it: on any failure
// the old file stays as it was. Empty on success, else the message to show.
QString WritePdf(const TPageSource& pages, const QString& fileName, const QString& title = {});

// The message for a PDF that could not be written.
inline const QString kPdfWriteFailed = QStringLiteral("Не удалось записать файл PDF: ");
