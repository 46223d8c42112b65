#pragma once

// A program folder for the window tests: small directory files written here,
// the help topics on request, and a settings file of its own.

#include "storage/Cp1251.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

class ProgramFolder {
public:
    // The user's data folder comes first in every lookup: the tests get an
    // empty one of their own instead of the developer's.
    ProgramFolder() {
        QStandardPaths::setTestModeEnabled(true);
        QDir(userFolder()).removeRecursively();
    }
    ~ProgramFolder() { QDir(userFolder()).removeRecursively(); }
    static QString userFolder() {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }

    QString path() const { return dir_.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    QString settingsFile() const { return dir_.filePath(QStringLiteral("settings.ini")); }

    void write(const QString& name, const QString& text) const {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write(Cp1251::encode(text).value_or(QByteArray()));
    }

    void writeInspections() const {
        write(QStringLiteral("InspectionNumbers.xml"),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                             "<Inspections Version=\"00\" Date=\"01.01.2012\">"
                             "<Inspection Code=\"7701\">ИФНС России № 1 по г.Москве</Inspection>"
                             "<Inspection Code=\"7702\">ИФНС России № 2 по г.Москве</Inspection>"
                             "<Inspection Code=\"5001\">ИФНС по г.Балашихе</Inspection>"
                             "</Inspections>"));
    }

    void writeCountries() const {
        write(QStringLiteral("Oksm.xml"),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Oksm>"
                             "<Country Code=\"112\">БЕЛАРУСЬ</Country>"
                             "<Country Code=\"643\">РОССИЯ</Country>"
                             "<Country Code=\"804\">УКРАИНА</Country></Oksm>"));
    }

    void writeHelp() const {
        QDir(dir_.path()).mkpath(QStringLiteral("help"));
        for (const char* topic : {"runprogramm.htm", "EditSOUN.htm"})
            write(QStringLiteral("help/") + QLatin1String(topic),
                  QStringLiteral("<html><body><h2>%1</h2></body></html>").arg(topic));
    }

private:
    QTemporaryDir dir_;
};
