#pragma once

#include "print/PageSource.h"

#include <QTextDocument>

// The calculation report laid out on A4 pages for the print preview, the
// printer and PDF, as the window shows it.
class TCalcReportPages : public TPageSource {
public:
    explicit TCalcReportPages(const QString& html);

    int pageCount() const override;
    void paintPage(QPainter& painter, int page) const override;

private:
    mutable QTextDocument document_;
};
