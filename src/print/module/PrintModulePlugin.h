#pragma once

#include "print/PrintModule.h"

#include <QObject>

// The library's root object, found by the program through QPluginLoader.
class TPrintModulePlugin : public QObject, public TPrintModuleFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TPrintModuleFactory_iid)
    Q_INTERFACES(TPrintModuleFactory)
public:
    std::unique_ptr<TPrintModule> create() override;
    std::unique_ptr<TPageSource> layOut(const QString& text, const QString& inspectionName,
                                        QString* error) override;
};
