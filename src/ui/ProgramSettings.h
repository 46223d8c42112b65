#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QSettings;

// The per-user settings of the program: organisation "Ортикс", application
// "Qarv 2011", the value names of the Windows registry key. Names are matched
// without regard to case, as the registry does.
class TProgramSettings {
public:
    static inline const QString kShowStdToolbar = QStringLiteral("ShowStdToolbar");
    static inline const QString kTextLabels = QStringLiteral("TextLabels");
    static inline const QString kFullScreen = QStringLiteral("FullScreen");
    static inline const QString kLeft = QStringLiteral("wLeft");
    static inline const QString kTop = QStringLiteral("wTop");
    static inline const QString kWidth = QStringLiteral("wWidth");
    static inline const QString kHeight = QStringLiteral("wHeight");

    // The user's own store.
    TProgramSettings();
    // An INI file (tests).
    explicit TProgramSettings(const QString& iniFile);
    ~TProgramSettings();

    // Whether anything was ever stored (the registry key exists).
    bool exists() const;
    std::optional<bool> readBool(const QString& name) const;
    std::optional<int> readInt(const QString& name) const;
    void write(const QString& name, const QVariant& value);
    void sync();

private:
    QString storedName(const QString& name) const;
    std::unique_ptr<QSettings> settings_;
};
