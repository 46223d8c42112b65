#include "LoadSoun.h"

#include "Directories.h"
#include "RefXml.h"

#include <QDate>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QStringDecoder>

namespace {

constexpr qint64 kRecordSize = 1194;
constexpr qint64 kHeaderSize = 32;
constexpr char kEndOfFile = 0x1A;

quint32 readLe(const QByteArray& bytes, int offset, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(offset + i));
    return value;
}

bool isBlank(QByteArrayView field) {
    return field.trimmed().isEmpty();
}

SounImportResult failed(const QString& error) {
    SounImportResult result;
    result.error = error;
    return result;
}

} // namespace

SounImportResult ImportSounDbf(const QString& dbfPath, const QString& xmlPath,
                               const QString& version, const QString& date) {
    QFile dbf(dbfPath);
    if (!dbf.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("Error read file:%1").arg(dbfPath));
    const QString readError = QStringLiteral("Error read file:%1").arg(dbfPath);

    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("Inspections"));
    doc.appendChild(root);
    root.setAttribute(QStringLiteral("Version"), version);
    root.setAttribute(QStringLiteral("Date"), date);

    const QByteArray header = dbf.read(kHeaderSize);
    if (header.size() < kHeaderSize)
        return failed(readError);
    // The whole 32-bit count: a table past 65535 records must not lose its tail.
    const quint32 count = readLe(header, 4, 4);
    const quint32 headerLength = readLe(header, 8, 2);
    const quint32 recordLength = readLe(header, 10, 2);
    // Another layout would be read as garbage and replace a good directory.
    if (recordLength != kRecordSize)
        return failed(QStringLiteral("Неизвестный формат файла %1").arg(dbfPath));
    if (headerLength < kHeaderSize || !dbf.seek(headerLength))
        return failed(readError);

    QStringDecoder oem("IBM866");
    SounImportResult result;
    for (quint32 n = 0; n < count && !dbf.atEnd(); ++n) {
        const QByteArray record = dbf.read(kRecordSize);
        if (record.size() < kRecordSize) {
            // dBASE ends the table with one end mark after the last record.
            if (record.size() == 1 && record.at(0) == kEndOfFile)
                break;
            return failed(readError);
        }
        const QByteArrayView r(record);
        const QByteArray code = r.sliced(1, 4).trimmed().toByteArray();
        if (code.mid(2, 2) == "00")
            continue;
        if (!isBlank(r.sliced(7, 30)) || r.sliced(411, 1).trimmed() != "1" ||
            !isBlank(r.sliced(934, 10)))
            continue;
        QDomElement inspection = doc.createElement(QStringLiteral("Inspection"));
        inspection.setAttribute(QStringLiteral("Code"), QString::fromLatin1(code));
        inspection.appendChild(
            doc.createTextNode(QString(oem.decode(r.sliced(161, 250))).trimmed()));
        oem.resetState();
        root.appendChild(inspection);
        ++result.imported;
    }
    // An empty result would wipe out the directory the user already has.
    if (result.imported == 0)
        return failed(QStringLiteral("В файле %1 не найдено ни одной инспекции").arg(dbfPath));
    QString saveError;
    if (!RefXml::save(doc, xmlPath, &saveError))
        return failed(saveError);
    result.ok = true;
    return result;
}

SounImportResult ImportSounToFolder(const QString& dbfPath, const QString& folder) {
    return ImportSounDbf(
        dbfPath.trimmed(), QDir(folder).filePath(QString::fromUtf16(kInspectionsFile)),
        QStringLiteral("00"), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}
