#pragma once

#include "FormSheets.h"
#include "print/PageSource.h"

#include <QFont>

// The form's sheets flowed onto A4 pages: every sheet starts a page, a sheet
// longer than a page continues on the next ones under its title, a row never
// splits, and a text longer than its cell wraps within it.
class TFormPages : public TPageSource {
public:
    explicit TFormPages(TForm form);

    int pageCount() const override { return int(pages_.size()); }
    void paintPage(QPainter& painter, int page) const override;

    const TForm& form() const { return form_; }
    // The sheet a page belongs to.
    int sheetOfPage(int page) const { return pages_.at(std::size_t(page)).sheet; }

private:
    struct Placed {
        int row;
        qreal y, height;
    };
    struct Page {
        int sheet;
        bool continued;
        std::vector<Placed> rows;
    };

    void layOut();
    qreal rowHeight(const TFormRow& row) const;

    TForm form_;
    QFont body_, bold_, title_, header_;
    std::vector<Page> pages_;
};
