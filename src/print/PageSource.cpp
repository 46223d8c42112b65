#include "PageSource.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

const QSizeF kA4Points(595.276, 841.89);

} // namespace

bool RenderPages(const TPageSource& pages, QPagedPaintDevice& device, QString* error, int from,
                 int to) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    const int last = to < 0 || to >= pages.pageCount() ? pages.pageCount() - 1 : to;
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("Устройство печати недоступно");
        return false;
    }
    const qreal scale =
        qMin(device.width() / kA4Points.width(), device.height() / kA4Points.height());
    for (int page = qMax(0, from); page <= last; ++page) {
        if (page > qMax(0, from))
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        pages.paintPage(painter, page);
        painter.restore();
    }
    return painter.end();
}

QString WritePdf(const TPageSource& pages, const QString& fileName, const QString& title) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return kPdfWriteFailed + fileName + QStringLiteral(" (") + file.errorString() +
               QLatin1Char(')');
    bool painted = false;
    QString error;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Qarv 2011"));
        writer.setTitle(title);
        painted = RenderPages(pages, writer, &error);
    }
    if (!painted || file.error() != QFileDevice::NoError) {
        const QString why = painted ? file.errorString() : error;
        file.cancelWriting();
        return kPdfWriteFailed + fileName + QStringLiteral(" (") + why + QLatin1Char(')');
    }
    if (!file.commit())
        return kPdfWriteFailed + fileName + QStringLiteral(" (") + file.errorString() +
               QLatin1Char(')');
    return QString();
}
