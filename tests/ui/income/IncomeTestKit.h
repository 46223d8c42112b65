#pragma once

// The income-in-the-country page of a window under test, and scripted answers
// for its dialogs and pickers.

#include "AccessKit.h"
#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "WindowTestKit.h"
#include "ui/CodePicker.h"
#include "ui/MaskedEdit.h"
#include "ui/income/RussianIncome.h"

#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace IncomeTestKit {

// Types an amount written with "." in the program's own separator.
inline void typeAmount(QLineEdit* field, const QString& amount) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QString t = amount;
    t.replace(QLatin1Char('.'), TMaskedEdit::decimalSeparator());
    for (const QChar c : t)
        QTest::keyClick(field, c.toLatin1());
}

// An amount as the fields show it.
inline QString shown(QString amount) {
    return amount.replace(QLatin1Char('.'), TMaskedEdit::decimalSeparator());
}

// A picker's answer: the row with this code accepted; the rows offered are
// counted into offered when given.
inline ScriptedDialogs::Step pickCode(const QString& code, int* offered = nullptr) {
    return [code, offered](QDialog& d) {
        auto* picker = qobject_cast<TfmCodePicker*>(&d);
        if (!picker)
            return int(QDialog::Rejected);
        if (offered)
            *offered = picker->list->topLevelItemCount();
        for (int i = 0; i < picker->list->topLevelItemCount(); ++i)
            if (picker->list->topLevelItem(i)->text(0) == code) {
                picker->preselect(i);
                return int(QDialog::Accepted);
            }
        return int(QDialog::Rejected);
    };
}

// A dialog of type D worked on by fill, whose result is returned.
template <class D> ScriptedDialogs::Step on(std::function<void(D&)> fill) {
    return [fill](QDialog& d) {
        auto* dialog = qobject_cast<D*>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        fill(*dialog);
        return dialog->result();
    };
}

// The window on a document of this form kind with income from payers.
struct IncomePage {
    Program p;

    // Without a form kind: a new document on the conditions page.
    explicit IncomePage(std::optional<quint8> formKind,
                        const std::function<void(mTDeclaration&)>& fill = {}) {
        if (!formKind) {
            p.start().show();
            return;
        }
        const QString file =
            WindowTestKit::writeDocument(p.folder.file("doc.dc1"), [&](mTDeclaration& d) {
                WindowTestKit::makePassing(d);
                d.formKind = *formKind;
                d.SetIncomeFlags(mTDeclaration::kFlagAgents);
                if (fill)
                    fill(d);
            });
        TFormMain& f = p.start({file});
        f.show();
        QTest::mouseClick(f.pageButton(TPageId::RussianIncome), Qt::LeftButton);
    }
    TFormMain& form() const { return *p.form; }
    ScriptedDialogs& dialogs() { return p.dialogs; }
    TfrRussianIncome* page() const { return qobject_cast<TfrRussianIncome*>(form().currentPage()); }
    template <class S> S* sub() const { return qobject_cast<S*>(page()->currentSubPage()); }
};

inline mTThirteenPercent::IncomeRow row(qint16 month, qint32 code, qint64 amount) {
    mTThirteenPercent::IncomeRow r;
    r.month = month;
    r.incomeCode = code;
    r.amount = Money::fromRoubles(amount);
    return r;
}

inline QStringList texts(QTreeWidgetItem* item) {
    QStringList t;
    for (int i = 0; item && i < item->columnCount(); ++i)
        t << item->text(i);
    return t;
}

} // namespace IncomeTestKit
