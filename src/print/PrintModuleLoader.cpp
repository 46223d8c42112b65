#include "PrintModuleLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>
#include <map>

namespace {

#if defined(Q_OS_WIN)
const QString kLibraryName = QStringLiteral("qarvprintmodule.dll");
#elif defined(Q_OS_MACOS)
const QString kLibraryName = QStringLiteral("libqarvprintmodule.dylib");
#else
const QString kLibraryName = QStringLiteral("libqarvprintmodule.so");
#endif

TPrintModuleSource& source() {
    static TPrintModuleSource s;
    return s;
}

} // namespace

QStringList PrintModuleFolders() {
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef QARV_PLUGIN_FROM_BIN
    folders << QDir::cleanPath(
        QDir(folders.first()).filePath(QStringLiteral(QARV_PLUGIN_FROM_BIN)));
#endif
#ifdef QARV_PLUGIN_INSTALL_DIR
    const QString installed = QStringLiteral(QARV_PLUGIN_INSTALL_DIR);
    if (!folders.contains(installed))
        folders << installed;
#endif
    return folders;
}

TPrintModuleFactory* LoadPrintModuleFactory(const QStringList& folders, QString* why) {
    // One loader per file for the life of the program: unloading a library whose
    // widgets Qt may still refer to is not safe.
    static std::map<QString, std::unique_ptr<QPluginLoader>> loaders;
    QStringList reasons;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(kLibraryName);
        auto& loader = loaders[path];
        if (!loader)
            loader = std::make_unique<QPluginLoader>(path);
        if (auto* f = qobject_cast<TPrintModuleFactory*>(loader->instance()))
            return f;
        reasons << loader->errorString();
    }
    if (why)
        *why = reasons.join(QLatin1Char('\n'));
    return nullptr;
}

std::unique_ptr<TPrintModule> CreatePrintModule() {
    if (source())
        return source()();
    TPrintModuleFactory* factory = LoadPrintModuleFactory(PrintModuleFolders());
    return factory ? factory->create() : nullptr;
}

void SetPrintModuleSource(TPrintModuleSource s) {
    source() = std::move(s);
}
