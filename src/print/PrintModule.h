#pragma once

#include "PageSource.h"

#include <QObject>
#include <QString>
#include <memory>

class QWidget;

// The four operations the program asks of the print module. Each returns an
// empty text when it succeeded, otherwise the message the program shows.
class TPrintModule {
public:
    virtual ~TPrintModule() = default;

    // A named parameter for the output; the program sets only the inspection name.
    virtual QString SetPrintTiffParam(const QString& name, const QString& value) = 0;
    // The PrintTiffFolder property: the program's folder, ending in a separator.
    virtual QString setPrintTiffFolder(const QString& folder) = 0;
    // Shows the form owned by owner; returns when the preview is closed.
    virtual QString PreviewData(QString& text, QWidget* owner) = 0;
    // One copy of the form on the named printer.
    virtual QString PrintData(QString& text, const QString& empty, QString& printerName,
                              int flags) = 0;
};

// The root object of the module's library: a fresh module for every command,
// and the form's pages straight from the text (for writing a PDF without a window).
class TPrintModuleFactory {
public:
    virtual ~TPrintModuleFactory() = default;
    virtual std::unique_ptr<TPrintModule> create() = 0;
    // The pages of the form; nothing, with error set, when the text holds no form.
    virtual std::unique_ptr<TPageSource> layOut(const QString& text, const QString& inspectionName,
                                                QString* error) = 0;
};

#define TPrintModuleFactory_iid "ru.qarv2011.PrintModuleFactory/1.0"
Q_DECLARE_INTERFACE(TPrintModuleFactory, TPrintModuleFactory_iid)

// The parameter name the program sets with SetPrintTiffParam.
inline const QString kInspectionParam = QStringLiteral("Наименование налогового органа-получателя");

// The message shown when the print module cannot be created.
inline const QString kNoPrintModule = QStringLiteral(
    "Не найден модуль печати. Войдите в рабочий каталог программы \"Qarv 2011\" и запустите "
    "файл \"Zelvin(3.0.28).msi\"");
