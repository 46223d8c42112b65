#pragma once

class QCoreApplication;

namespace Translations {

// Qt's own texts (file dialogs, the calendar, context menus) in Russian,
// whatever the system's language: the translations installed with Qt, else
// those in a "translations" folder beside the program. False when none was found.
bool install(QCoreApplication& app);

} // namespace Translations
