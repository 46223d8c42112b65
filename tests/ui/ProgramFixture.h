#pragma once

// A main window under test, with its folder, settings and scripted dialogs.

#include "ProgramFolder.h"
#include "ScriptedDialogs.h"
#include "ui/FrameInitialData.h"
#include "ui/Main.h"
#include "ui/ProgramSettings.h"

#include <memory>

// One window with its folder, settings and dialogs.
struct Program {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TProgramSettings> settings;
    std::unique_ptr<TFormMain> form;

    explicit Program(bool directories = true) {
        if (directories) {
            folder.writeInspections();
            folder.writeCountries();
        }
        settings = std::make_unique<TProgramSettings>(folder.settingsFile());
    }
    TFormMain& start(const QStringList& args = {}) {
        form = std::make_unique<TFormMain>(*settings, folder.path(), args);
        return *form;
    }
    TfrInitialData* conditions() const {
        return qobject_cast<TfrInitialData*>(form->currentPage());
    }
    void close() {
        form.reset();
        settings->sync();
    }
};
