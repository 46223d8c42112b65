#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Texts Qt 6 moved to a context its Russian catalogue does not have yet: the
// file dialogs' "Type" column.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return QTranslator::translate(context, source, disambiguation, n);
        static const struct {
            const char* source;
            const char16_t* text;
        } texts[] = {{"Drive", u"Диск"},
                     {"Folder", u"Папка"},
                     {"File", u"Файл"},
                     {"Shortcut", u"Ярлык"},
                     {"Unknown", u"Неизвестный"}};
        for (const auto& t : texts)
            if (qstrcmp(source, t.source) == 0)
                return QString::fromUtf16(t.text);
        return QString();
    }
};

} // namespace

namespace Translations {

bool install(QCoreApplication& app) {
    QCoreApplication::installTranslator(new MissingQtTexts(&app));
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QStringList folders = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(&app);
        if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

} // namespace Translations
