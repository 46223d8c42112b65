#pragma once

#include "Money.h"
#include "StreamDef.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class QFile;

// Holds a document file open with an exclusive lock and gives its bytes as one block.
// Reading maps the whole file; writing fills a block of the final size in memory,
// and Commit() writes it beside the document under one fixed name (".NAME.saving")
// and renames it into place, so a failure midway leaves the old file untouched and
// a save cut short leaves only that file, which the next save takes over.
class mTFileLoader {
public:
    mTFileLoader(const QString& fileName, qint64 mapSize, bool readOnly);
    ~mTFileLoader();
    mTFileLoader(const mTFileLoader&) = delete;
    mTFileLoader& operator=(const mTFileLoader&) = delete;

    const QString& fileName() const { return fileName_; }
    bool readOnly() const { return readOnly_; }
    bool opened() const { return opened_; }
    qint64 size() const { return size_; }
    const char* block() const { return block_; }
    char* writableBlock() { return readOnly_ ? nullptr : writeBuffer_.data(); }

    // Writes the block to the file; only for a writable loader.
    void Commit();

private:
    void close();
    void openSaving();

    QString fileName_;
    bool readOnly_ = true;
    bool opened_ = false;
    qint64 size_ = 0;
    const char* block_ = nullptr;
    int lockFd_ = -1;
    std::unique_ptr<QFile> file_;
    QString target_;     // the file the rename replaces (a link's target)
    QString savingName_; // beside it, written before the rename
    int savingFd_ = -1;
    int keepMode_ = -1; // the old document's permissions, kept by the new one
    QByteArray writeBuffer_;
};

// Framed values over a loader's block. A storage made by Measuring() has no block:
// it formats every value and only counts the bytes, so a file's size is computed
// by the very code that writes it.
class mTDocumentStorage {
public:
    explicit mTDocumentStorage(mTFileLoader& loader);
    static mTDocumentStorage Measuring();
    // Reads a document held in memory; the block must outlive the storage.
    static mTDocumentStorage OverBlock(QByteArrayView block);
    // Bytes that write() puts into a storage, computed with the writer's own formatting.
    template <typename Write> static qint64 SizeOf(Write&& write) {
        mTDocumentStorage m = Measuring();
        m.CreateDocument(QString());
        write(m);
        return m.position() - kHeaderSize;
    }

    void CreateDocument(const QString& signature);
    void OpenDocument();
    void BeginStream(const QString& name);
    void OpenStream(const QString& name);
    void Reset();

    void WriteText(const QString& value);
    void WriteInt32(qint32 value);
    void WriteInt16(qint16 value);
    void WriteByte(quint8 value);
    void WriteMoney(Money value);
    void WriteReal(double value);

    QString ReadText();
    qint32 ReadInt32();
    qint16 ReadInt16();
    quint8 ReadByte();
    Money ReadMoney();
    double ReadReal();

    bool readOnly() const { return readOnly_; }
    bool initialised() const { return initialised_; }
    qint64 position() const { return position_; }
    const QString& signature() const { return signature_; }
    quint16 versionMajor() const { return versionMajor_; }
    quint16 versionMinor() const { return versionMinor_; }
    // major * 65536 + minor, compared against the thresholds below.
    quint32 version() const { return (quint32(versionMajor_) << 16) | versionMinor_; }
    const QString& trailer() const { return trailer_; }
    const QString& currentStream() const { return currentStream_; }

    static constexpr quint32 kVersion11 = 0x10001;
    static constexpr quint32 kVersion12 = 0x10002;
    static constexpr int kHeaderSize = 60;
    static constexpr int kMaxTextLength = 9999;

    // A numbered stream name: the prefix and the number with at least three digits.
    static QString StreamName(const char* prefix, int number);
    // Two numbers, as the rows of a payer have; a negative second number is left out.
    static QString StreamName(const char* prefix, int number, int second);

private:
    mTDocumentStorage() = default;

    void requireWrite(quint16 readOnlyCode, quint16 accessCode) const;
    void requireRead(quint16 accessCode) const;
    void writeFrame(QByteArrayView text);
    void writeNumber(quint64 value);
    // Where the next bytes go, after checking they fit; nothing while measuring.
    char* reserve(qint64 bytes) const;
    void writeSlot(QByteArrayView text, int width, char pad);
    QByteArrayView readFrame(bool numeric);
    QByteArrayView readRaw(qint64 count);
    void buildMarkerIndex();
    qint64 findMarker(std::string_view name) const;
    [[noreturn]] void damaged() const;

    mTFileLoader* loader_ = nullptr;
    bool measuring_ = false;
    bool readOnly_ = true;
    const char* base_ = nullptr;
    char* writeBase_ = nullptr;
    qint64 size_ = 0;
    qint64 position_ = 0;
    QString signature_;
    quint16 versionMajor_ = 0;
    quint16 versionMinor_ = 0;
    QString trailer_;
    QString currentStream_;
    bool initialised_ = false;

    // Marker name (a view into the block) -> positions behind each frame holding
    // exactly that name; most names occur once.
    struct MarkerPlaces {
        qint64 first = -1;
        std::vector<qint64> more;
    };
    bool indexBuilt_ = false;
    bool indexComplete_ = false;
    std::unordered_map<std::string_view, MarkerPlaces> markers_;
};
