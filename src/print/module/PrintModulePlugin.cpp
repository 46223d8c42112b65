#include "PrintModulePlugin.h"

#include "PageFlow.h"
#include "print/PrintPreview.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <map>

namespace {

class TFormPrintModule : public TPrintModule {
public:
    QString SetPrintTiffParam(const QString& name, const QString& value) override {
        params_[name] = value;
        return QString();
    }
    // Kept for the form's images; the form is drawn, so nothing is read from it.
    QString setPrintTiffFolder(const QString& folder) override {
        folder_ = folder;
        return QString();
    }
    QString PreviewData(QString& text, QWidget* owner) override {
        QString error;
        const TFormPages pages(BuildForm(text, inspection(), &error));
        if (!error.isEmpty())
            return error;
        TPrintPreview preview(pages, pages.form().title, owner);
        preview.exec();
        return QString();
    }
    QString PrintData(QString& text, const QString&, QString& printerName, int) override {
        QString error;
        const TFormPages pages(BuildForm(text, inspection(), &error));
        if (!error.isEmpty())
            return error;
        // The print dialog gives no name when the system has no printer at all.
        if (printerName.isEmpty() && QPrinterInfo::availablePrinterNames().isEmpty())
            return QStringLiteral("Модуль печати: в системе не установлен ни один принтер");
        if (QPrinterInfo::printerInfo(printerName).isNull())
            return QStringLiteral("Модуль печати: принтер \"%1\" не найден").arg(printerName);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(printerName);
        printer.setFullPage(true);
        printer.setCopyCount(1);
        printer.setDocName(pages.form().title);
        if (!RenderPages(pages, printer, &error))
            return QStringLiteral("Модуль печати: ") + error;
        return QString();
    }

private:
    QString inspection() const {
        const auto it = params_.find(kInspectionParam);
        return it == params_.end() ? QString() : it->second;
    }

    std::map<QString, QString> params_;
    QString folder_;
};

} // namespace

std::unique_ptr<TPrintModule> TPrintModulePlugin::create() {
    return std::make_unique<TFormPrintModule>();
}

std::unique_ptr<TPageSource>
TPrintModulePlugin::layOut(const QString& text, const QString& inspectionName, QString* error) {
    QString why;
    TForm form = BuildForm(text, inspectionName, &why);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return nullptr;
    }
    return std::make_unique<TFormPages>(std::move(form));
}
