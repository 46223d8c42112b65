#include "PrintCommands.h"

#include "PrintModuleLoader.h"
#include "export/DOMXML_unit.h"
#include "model/DeclClasses.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>
#include <exception>

namespace {

void showError(QWidget* window, const QString& text) {
    ShowMessage(window, text, QMessageBox::Critical);
}

void printProcedure(TPrintMode mode, const TPrintRequest& r) {
    if (!r.checkPassed())
        return;
    std::unique_ptr<TPrintModule> module = CreatePrintModule();
    if (!module) {
        showError(r.window, kNoPrintModule);
        return;
    }
    QString error = module->SetPrintTiffParam(kInspectionParam, r.declaration->inspectionName);
    if (error.isEmpty())
        error = module->setPrintTiffFolder(QDir::toNativeSeparators(r.programFolder));
    if (!error.isEmpty()) {
        showError(r.window, error);
        return;
    }
    XmlExportOptions options;
    options.showMessage = [&r](const QString& m) { showError(r.window, m); };
    // Passed on as it comes, also "ERROR": the module then says there is no form.
    QString text = BuildDeclarationXml(r.programFolder, *r.declaration, ReturnText, options);
    if (mode == TPrintMode::Preview) {
        error = module->PreviewData(text, r.window);
        if (!error.isEmpty())
            showError(r.window, error);
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, r.window);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (Dialogs().exec(dialog) != QDialog::Accepted)
        return;
    QString printerName = printer.printerName();
    const int copies = printer.copyCount();
    for (int i = 0; i < copies; ++i) {
        error = module->PrintData(text, QString(), printerName, 0);
        if (!error.isEmpty()) {
            showError(r.window, error);
            return;
        }
    }
}

} // namespace

void RunPrintCommand(TPrintMode mode, const TPrintRequest& request) {
    if (!request.checkPassed())
        return;
    request.window->setEnabled(false);
    try {
        printProcedure(mode, request);
    } catch (const std::exception& e) {
        showError(request.window, QString::fromUtf8(e.what()));
    }
    request.window->setEnabled(true);
}
