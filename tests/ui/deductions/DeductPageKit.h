#pragma once

// The deductions page of a document opened in a window under test.

#include "ProgramFixture.h"
#include "WindowTestKit.h"
#include "ui/deductions/FrameDeductData.h"

#include <QAbstractButton>
#include <QTest>
#include <QToolButton>

struct DeductPage {
    Program p;
    TfrFrameDeductData* page = nullptr;

    explicit DeductPage(const std::function<void(mTDeclaration&)>& fill = {}) {
        const QString file =
            WindowTestKit::writeDocument(p.folder.file("doc.dc1"), [&](mTDeclaration& d) {
                d.inspectionCode = QStringLiteral("7701");
                if (fill)
                    fill(d);
            });
        TFormMain& f = p.start({file});
        f.show();
        QTest::mouseClick(f.pageButton(TPageId::Deduction), Qt::LeftButton);
        page = qobject_cast<TfrFrameDeductData*>(f.currentPage());
    }
    TFormMain& form() { return *p.form; }
    mTDeclaration& d() { return p.form->declaration(); }
    template <typename T> T* sub() const { return qobject_cast<T*>(page->currentSubPage()); }
    template <typename T> T* go(TfrFrameDeductData::SubPage s) {
        QTest::mouseClick(page->button(s), Qt::LeftButton);
        return sub<T>();
    }
};

// A click on the indicator, which every check and radio button has at its left.
inline void tick(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(8, b->height() / 2));
}

// A dialog step that fills the dialog of type T and presses its "Да"; the
// result is what the dialog then holds (it stays open when a check held it).
template <typename T> ScriptedDialogs::Step accepting(std::function<void(T&)> fill) {
    return [fill](QDialog& d) {
        auto* t = qobject_cast<T*>(&d);
        if (!t)
            return int(QDialog::Rejected);
        d.setResult(QDialog::Rejected);
        fill(*t);
        t->bnYes->click();
        return d.result();
    };
}
