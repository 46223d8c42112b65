// A second program for the document guard's tests: a window in a process of
// its own, holding a document open or dying with unsaved typing.
//
//   guard_helper APP hold DOC          open DOC, print "ready", wait
//   guard_helper APP type DOC TEXT REF open DOC, type TEXT as the surname, let
//                                      the recovery copy be written, write REF
//                                      as saving would, print "ready", wait
// APP is the test program's name, so both find the same data folder.

#include "ProgramFixture.h"
#include "UiTestKit.h"
#include "model/DeclClasses.h"
#include "ui/FramePersonData.h"
#include "ui/FramePersonName.h"
#include "ui/MaskedEdit.h"
#include "ui/TextConventions.h"
#include "ui/session/RecoveryStore.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <QTextStream>
#include <QToolButton>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return 2;
    // The program folder empties the data folder of the name in force, so the
    // test program's name (whose folder holds the copies) is taken only after.
    Program p;
    QApplication::setApplicationName(args[0]);
    QStandardPaths::setTestModeEnabled(true);
    TextConventions::apply();

    TFormMain& form = p.start({args[2]});
    form.show();
    if (args[1] == QLatin1String("type") && args.size() == 5) {
        QTest::mouseClick(form.pageButton(TPageId::PersonInfo), Qt::LeftButton);
        auto* person = qobject_cast<TfrPersonData*>(form.currentPage());
        auto* name = person ? qobject_cast<TfrPersonNaim*>(person->currentSubPage()) : nullptr;
        if (!name)
            return 3;
        name->meSurName->setFocus();
        UiTestKit::typeText(name->meSurName, args[3]);
        form.writeRecovery();
        form.recoveryWriter().waitForIdle();
        if (form.recoveryWriter().completed() != 1)
            return 4;
        form.declaration().SaveToFile(args[4]);
    } else if (args[1] != QLatin1String("hold")) {
        return 2;
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}
