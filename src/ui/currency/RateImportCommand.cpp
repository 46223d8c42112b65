#include "RateImportCommand.h"

#include "FrameCurrency.h"
#include "refdata/DataFolders.h"
#include "refdata/Directories.h"
#include "refdata/RateImport.h"
#include "refdata/RefXml.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QProgressDialog>

bool RunRateImportCommand(QWidget* parent, const QString& folder, RefDirectories& directories,
                          TThinkingFrame* currentPage) {
    const QStringList files = Dialogs().openFileNames(
        parent, QString(), QStringLiteral("Курсы валют ЦБ РФ (*.xml);;Все файлы (*)"));
    if (files.isEmpty())
        return false;

    QProgressDialog progress(QStringLiteral("Загрузка курсов валют..."), QStringLiteral("Отмена"),
                             0, int(files.size()), parent);
    progress.setWindowTitle(kProgramCaption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QString target;
    const RateImportResult r = ImportRatesForUser(files, DataFolders::forProgram(folder), &target,
                                                  [&progress](int done, int total) {
                                                      progress.setMaximum(total);
                                                      progress.setValue(done);
                                                      QApplication::processEvents();
                                                      return !progress.wasCanceled();
                                                  });
    progress.close();

    if (r.cancelled) {
        ShowMessage(parent,
                    QStringLiteral("Загрузка курсов валют отменена. Справочник курсов не изменен."),
                    QMessageBox::Information);
        return false;
    }
    if (!r.ok) {
        ShowMessage(parent,
                    QStringLiteral("Не удалось загрузить курсы валют.\n%1\nСправочник курсов не "
                                   "изменен.")
                        .arg(r.error),
                    QMessageBox::Warning);
        return false;
    }
    if (const auto doc = RefXml::load(target))
        directories.currencies = ReadCurrencies(doc->documentElement());
    if (auto* page = qobject_cast<TfrCurrency*>(currentPage))
        page->RatesReloaded();
    QString text = QStringLiteral("Курсы валют загружены.\nДобавлено: %1\nЗаменено: %2\nБез "
                                  "изменений: %3")
                       .arg(r.added)
                       .arg(r.replaced)
                       .arg(r.unchanged);
    if (r.newCurrencies > 0)
        text += QStringLiteral("\nНовых валют: %1").arg(r.newCurrencies);
    ShowMessage(parent, text, QMessageBox::Information);
    return true;
}
