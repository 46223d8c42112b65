#include "ui/Main.h"
#include "ui/Dialogs.h"
#include "ui/ProgramSettings.h"
#include "ui/StartForm.h"
#include "ui/TextConventions.h"
#include "ui/Translations.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

// With QARV_STARTUP_PROBE set the program does not wait for the splash: it
// prints "first-paint" once the main window has painted itself and ends. The
// start-up timing program runs it that way.
static bool startupProbe() {
    return qEnvironmentVariableIsSet("QARV_STARTUP_PROBE");
}

int main(int argc, char** argv) {
    // Answered before any display is needed, so it works on a machine without one.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("qarv %s\n", QARV_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qarv 2011"));
    QApplication::setApplicationDisplayName(QStringLiteral("Qarv 2011"));
    QApplication::setOrganizationName(QStringLiteral("Ортикс"));
    QApplication::setApplicationVersion(QStringLiteral(QARV_VERSION));
    TextConventions::apply();
    Translations::install(app);

    auto splash = std::make_unique<TfmStart>();
    splash->show();
    QApplication::processEvents();

    TProgramSettings settings;
    TFormMain form(settings, QApplication::applicationDirPath(), QApplication::arguments().mid(1));
    if (!form.fatalMessage().isEmpty()) {
        splash.reset();
        ShowMessage(nullptr, form.fatalMessage(), QMessageBox::Critical);
        return 1;
    }

    const bool probe = startupProbe();
    // The splash stays at least three seconds from its creation, start-up included.
    while (!probe && !splash->timerFired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    splash.reset();

    if (probe) {
        QObject::connect(&form, &TFormMain::firstPainted, &app, [] {
            QTextStream(stdout) << "first-paint" << Qt::endl;
            QApplication::exit(0);
        });
    }
    form.showPlaced();
    // Once the window is on screen: copies left by a program that died unsaved.
    if (!probe)
        QTimer::singleShot(0, &form, &TFormMain::offerRecovery);
    return app.exec();
}
