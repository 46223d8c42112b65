#pragma once

// What the core tests share: files read and written whole, the container's
// framing, and documents written and read back through a real file.

#include "storage/StgClasses.h"

#include <QFile>
#include <QList>
#include <QtTest>
#include <functional>

namespace TestKit {

using StorageBody = std::function<void(mTDocumentStorage&)>;

// The whole file. One that cannot be read stops the run: two empty results
// would otherwise compare equal and pass.
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

// Replaces the file with exactly these bytes; stops the run when it cannot.
inline void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A file the test keeps in its data folder.
inline QString dataPath(const QString& name) {
    return QStringLiteral(QARV_TEST_DATA "/") + name;
}

// One value as the container holds it: four digits of length, then the text.
inline QByteArray frame(const QByteArray& text) {
    return QByteArray::number(text.size()).rightJustified(4, '0') + text;
}

inline QByteArray frames(const QList<QByteArray>& texts) {
    QByteArray out;
    for (const QByteArray& t : texts)
        out += frame(t);
    return out;
}

// The 60-byte container header of a document of that edition.
inline QByteArray header(const QByteArray& version = "0102",
                         const QByteArray& signature = "Qarv2011") {
    return "DLSG" + signature.rightJustified(20, ' ') + version + QByteArray(32, 'F');
}

struct Written {
    qint64 position = 0; // where the writer stopped
    QByteArray bytes;    // the file as it landed on disk
};

// Writes one document into a file of exactly the header and size bytes, as the
// declaration does.
inline Written writeDocument(const QString& path, qint64 size, const StorageBody& body,
                             const QString& signature = QStringLiteral("Qarv2011")) {
    Written w;
    {
        mTFileLoader loader(path, mTDocumentStorage::kHeaderSize + size, false);
        mTDocumentStorage s(loader);
        s.CreateDocument(signature);
        body(s);
        w.position = s.position();
        loader.Commit();
    }
    w.bytes = readAll(path);
    return w;
}

// The same, sized by a measuring pass over body; the writer must stop exactly at
// the end of the file.
inline QByteArray writeMeasured(const QString& path, const StorageBody& body,
                                const QString& signature = QStringLiteral("Qarv2011")) {
    const qint64 size = mTDocumentStorage::SizeOf(body);
    const Written w = writeDocument(path, size, body, signature);
    [&] { QCOMPARE(w.position, mTDocumentStorage::kHeaderSize + size); }();
    return w.bytes;
}

// Opens the document read-only and hands it to body.
inline void readDocument(const QString& path, const StorageBody& body) {
    mTFileLoader loader(path, 0, true);
    mTDocumentStorage s(loader);
    s.OpenDocument();
    body(s);
}

} // namespace TestKit
