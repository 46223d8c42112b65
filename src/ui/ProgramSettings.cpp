#include "ProgramSettings.h"

#include <QSettings>

TProgramSettings::TProgramSettings()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Ортикс"),
                                            QStringLiteral("Qarv 2011"))) {}

TProgramSettings::TProgramSettings(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

TProgramSettings::~TProgramSettings() = default;

bool TProgramSettings::exists() const {
    return !settings_->childKeys().isEmpty();
}

QString TProgramSettings::storedName(const QString& name) const {
    const QStringList keys = settings_->childKeys();
    for (const QString& k : keys)
        if (k.compare(name, Qt::CaseInsensitive) == 0)
            return k;
    return QString();
}

std::optional<bool> TProgramSettings::readBool(const QString& name) const {
    const QString key = storedName(name);
    if (key.isEmpty())
        return std::nullopt;
    const QVariant v = settings_->value(key);
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

std::optional<int> TProgramSettings::readInt(const QString& name) const {
    const QString key = storedName(name);
    if (key.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int n = settings_->value(key).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

void TProgramSettings::write(const QString& name, const QVariant& value) {
    const QString key = storedName(name);
    settings_->setValue(key.isEmpty() ? name : key, value);
}

void TProgramSettings::sync() {
    settings_->sync();
}
