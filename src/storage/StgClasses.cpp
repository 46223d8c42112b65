#include "StgClasses.h"

#include "Cp1251.h"
#include "DateTime.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace StorageMessages;

namespace {

constexpr char kMagic[] = "DLSG";

QString busyMessage(const QString& fileName) {
    return kReadFile + fileName + QLatin1Char('\r') + kBusy;
}

// An exclusive lock on the file's open description, so a second opener fails
// whether it is in this process or another.
int lockExclusive(const QString& fileName) {
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The rename is only durable once the folder's entry is on the disk too; a
// folder that cannot be synced (some network shares) keeps the file all the same.
void syncFolder(const QString& fileName) {
    const QByteArray folder = QFile::encodeName(QFileInfo(fileName).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qint64>(size, qint64(1) << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool parseUnsigned(QByteArrayView text, quint64 limit, quint64& out) {
    if (text.isEmpty() || text.size() > 20)
        return false;
    quint64 v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + quint64(c - '0');
        if (v > limit)
            return false;
    }
    out = v;
    return true;
}

// Signed decimal as the reader's integer conversion accepts it.
qint64 parseInteger(QByteArrayView text, quint64 limit) {
    const QByteArrayView trimmed = text.trimmed();
    quint64 v = 0;
    if (trimmed.startsWith('-')) {
        if (parseUnsigned(trimmed.sliced(1), limit, v))
            return -qint64(v);
    } else if (parseUnsigned(trimmed, limit, v)) {
        return qint64(v);
    }
    throw EConvertError(QString::fromLatin1(text));
}

std::optional<double> parseFloat(QByteArrayView text, char separator) {
    QByteArray s = text.trimmed().toByteArray();
    if (s.isEmpty())
        return std::nullopt;
    if (separator != '.') {
        if (s.contains('.'))
            return std::nullopt;
        s.replace(separator, '.');
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> parseDate(QByteArrayView text, char separator) {
    const QList<QByteArray> parts = text.trimmed().toByteArray().split(separator);
    if (parts.size() != 3)
        return std::nullopt;
    quint64 d = 0, m = 0, y = 0;
    if (!parseUnsigned(parts[0], 31, d) || !parseUnsigned(parts[1], 12, m) ||
        !parseUnsigned(parts[2], 9999, y))
        return std::nullopt;
    if (parts[2].size() <= 2)
        y += y < 50 ? 2000 : 1900;
    const QDate date{int(y), int(m), int(d)};
    if (!date.isValid())
        return std::nullopt;
    return TDateTime::fromDate(date);
}

} // namespace

// ---------------------------------------------------------------- mTFileLoader

mTFileLoader::mTFileLoader(const QString& fileName, qint64 mapSize, bool readOnly)
    : fileName_(fileName), readOnly_(readOnly) {
    const bool exists = QFileInfo::exists(fileName);
    if (readOnly) {
        // Opening must not leave an empty file behind where there was none.
        if (!exists)
            throw mEBadStorage(kReadFile + fileName, 20);
        file_ = std::make_unique<QFile>(fileName);
        if (!file_->open(QIODevice::ReadOnly))
            throw mEBadStorage(busyMessage(fileName), 21);
        lockFd_ = lockExclusive(fileName);
        if (lockFd_ < 0) {
            close();
            throw mEBadStorage(busyMessage(fileName), 21);
        }
        size_ = mapSize > 0 ? mapSize : file_->size();
        if (size_ <= 0) {
            close();
            throw mEMemoryAllocate(kZeroLength, 25);
        }
        if (size_ > file_->size()) {
            close();
            throw mEMemoryAllocate(kMapping, 26);
        }
        uchar* mapped = file_->map(0, size_);
        if (mapped) {
            block_ = reinterpret_cast<const char*>(mapped);
        } else {
            writeBuffer_ = file_->read(size_);
            if (writeBuffer_.size() != size_) {
                close();
                throw mEMemoryAllocate(kMapping, 27);
            }
            block_ = writeBuffer_.constData();
        }
    } else {
        if (exists) {
            lockFd_ = lockExclusive(fileName);
            if (lockFd_ < 0)
                throw mEBadStorage(busyMessage(fileName), 21);
        }
        size_ = mapSize;
        if (size_ <= 0) {
            close();
            throw mEMemoryAllocate(kZeroLength, 25);
        }
        // No declaration comes near this; a larger size is a fault, not a document.
        constexpr qint64 kLargestDocument = qint64(1) << 30;
        if (size_ > kLargestDocument) {
            close();
            throw mEMemoryAllocate(kOutOfMemory, 60);
        }
        openSaving();
        try {
            writeBuffer_ = QByteArray(size_, '\0');
        } catch (const std::bad_alloc&) {
            close();
            throw mEMemoryAllocate(kOutOfMemory, 60);
        }
        block_ = writeBuffer_.constData();
    }
    opened_ = true;
}

mTFileLoader::~mTFileLoader() {
    close();
}

// Opens the one saving file beside the document, taking it over from a save that
// was cut short; a save running elsewhere holds its lock and makes this one busy.
void mTFileLoader::openSaving() {
    const QFileInfo info(fileName_);
    target_ = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    const QFileInfo targetInfo(target_);
    savingName_ = targetInfo.absolutePath() + QStringLiteral("/.") + targetInfo.fileName() +
                  QStringLiteral(".saving");
    const QByteArray saving = QFile::encodeName(savingName_);
    struct stat old {};
    keepMode_ =
        ::stat(QFile::encodeName(target_).constData(), &old) == 0 ? int(old.st_mode & 07777) : -1;
    // The name may be renamed away by another save between the open and the lock.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd =
            ::open(saving.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            close();
            throw mEBadStorage(kReadFile + fileName_, 20);
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            close();
            throw mEBadStorage(busyMessage(fileName_), 21);
        }
        if (sameFile(fd, saving)) {
            savingFd_ = fd;
            break;
        }
        ::close(fd);
    }
    if (savingFd_ < 0 || ::ftruncate(savingFd_, 0) != 0) {
        close();
        throw mEBadStorage(busyMessage(fileName_), 21);
    }
}

void mTFileLoader::Commit() {
    if (readOnly_ || savingFd_ < 0)
        throw mEWriteStorage(kReadOnly, 51);
    const QByteArray saving = QFile::encodeName(savingName_);
    bool written = writeAll(savingFd_, writeBuffer_.constData(), writeBuffer_.size()) &&
                   (keepMode_ < 0 || ::fchmod(savingFd_, mode_t(keepMode_)) == 0) &&
                   ::fsync(savingFd_) == 0;
    written = written && ::rename(saving.constData(), QFile::encodeName(target_).constData()) == 0;
    if (!written) {
        const int error = errno;
        close();
        throw mEBadStorage(kWriteFile + fileName_ + QLatin1Char('\r') + systemReason(error), 28);
    }
    ::close(savingFd_);
    savingFd_ = -1;
    syncFolder(target_);
}

void mTFileLoader::close() {
    if (savingFd_ >= 0) {
        // Still ours, so not yet renamed into place: nothing of it stays behind.
        if (sameFile(savingFd_, QFile::encodeName(savingName_)))
            ::unlink(QFile::encodeName(savingName_).constData());
        ::close(savingFd_);
        savingFd_ = -1;
    }
    if (file_) {
        file_->close(); // unmaps as well
        file_.reset();
    }
    if (lockFd_ >= 0) {
        ::close(lockFd_);
        lockFd_ = -1;
    }
    writeBuffer_ = QByteArray();
    block_ = nullptr;
    size_ = 0;
    opened_ = false;
}

// ----------------------------------------------------------- mTDocumentStorage

mTDocumentStorage::mTDocumentStorage(mTFileLoader& loader)
    : loader_(&loader), readOnly_(loader.readOnly()), base_(loader.block()),
      writeBase_(loader.writableBlock()), size_(loader.size()) {}

mTDocumentStorage mTDocumentStorage::Measuring() {
    mTDocumentStorage s;
    s.measuring_ = true;
    s.readOnly_ = false;
    return s;
}

mTDocumentStorage mTDocumentStorage::OverBlock(QByteArrayView block) {
    mTDocumentStorage s;
    s.base_ = block.data();
    s.size_ = block.size();
    return s;
}

void mTDocumentStorage::damaged() const {
    throw mEBadStorage(kBadFormat, 300);
}

void mTDocumentStorage::requireWrite(quint16 readOnlyCode, quint16 accessCode) const {
    if (readOnly_)
        throw mEWriteStorage(kReadOnly, readOnlyCode);
    if (!initialised_)
        throw mEObjectAccess(kNotInitialised, accessCode);
}

void mTDocumentStorage::requireRead(quint16 accessCode) const {
    if (!initialised_)
        throw mEObjectAccess(kNotInitialised, accessCode);
}

// The 4-character length field of a frame.
static void writeLength(char* out, qint64 length) {
    for (int i = 3; i >= 0; --i, length /= 10)
        out[i] = char('0' + length % 10);
}

char* mTDocumentStorage::reserve(qint64 bytes) const {
    if (measuring_)
        return nullptr;
    if (position_ + bytes > size_)
        throw mEBadStorage(kWriteFile + (loader_ ? loader_->fileName() : QString()), 29);
    return writeBase_ + position_;
}

void mTDocumentStorage::writeSlot(QByteArrayView text, int width, char pad) {
    if (char* dst = reserve(width)) {
        if (text.size() >= width) {
            std::memcpy(dst, text.data(), size_t(width));
        } else {
            const qsizetype padding = width - text.size();
            std::memset(dst, pad, size_t(padding));
            std::memcpy(dst + padding, text.data(), size_t(text.size()));
        }
    }
    position_ += width;
}

void mTDocumentStorage::writeFrame(QByteArrayView text) {
    const qint64 length = text.size();
    if (char* dst = reserve(4 + length)) {
        writeLength(dst, length);
        std::memcpy(dst + 4, text.data(), size_t(length));
    }
    position_ += 4 + length;
}

void mTDocumentStorage::CreateDocument(const QString& signature) {
    if (!measuring_ && !writeBase_) {
        if (readOnly_ && base_)
            throw mEWriteStorage(kReadOnly, 51);
        throw mEMemoryAllocate(kNoMemory, 50);
    }
    if (readOnly_)
        throw mEWriteStorage(kReadOnly, 51);
    if (initialised_)
        throw mEAlreadyCreated(kAlreadyCreated, 52);
    const std::optional<QByteArray> sig = Cp1251::encode(signature);
    if (!sig)
        throw mEBadText(kBadFormat, 53);
    initialised_ = true;
    signature_ = signature;
    versionMajor_ = 1;
    versionMinor_ = 2;
    trailer_ = QString(32, QLatin1Char('F'));
    position_ = 0;
    writeSlot(kMagic, 4, ' ');
    writeSlot(*sig, 20, ' ');
    writeSlot("1", 2, '0');
    writeSlot("2", 2, '0');
    writeSlot(QByteArray(32, 'F'), 32, 'F');
}

void mTDocumentStorage::OpenDocument() {
    if (initialised_)
        throw mEAlreadyCreated(kAlreadyCreated, 69);
    if (!base_)
        throw mEMemoryAllocate(kNoMemory, 50);
    position_ = 0;
    if (size_ < 4 || std::memcmp(base_, kMagic, 4) != 0) {
        Reset();
        throw mEBadStorage(kBadFormat, 68);
    }
    if (size_ < kHeaderSize) {
        Reset();
        throw mEBadStorage(kBadFormat, 68);
    }
    initialised_ = true;
    signature_ = Cp1251::decode(QByteArrayView(base_ + 4, 20)).trimmed();
    quint64 major = 0, minor = 0;
    if (!parseUnsigned(QByteArrayView(base_ + 24, 2), 99, major) ||
        !parseUnsigned(QByteArrayView(base_ + 26, 2), 99, minor))
        throw EConvertError(QString::fromLatin1(base_ + 24, 4));
    versionMajor_ = quint16(major);
    versionMinor_ = quint16(minor);
    trailer_ = Cp1251::decode(QByteArrayView(base_ + 28, 32));
    position_ = kHeaderSize;
}

void mTDocumentStorage::Reset() {
    position_ = 0;
    currentStream_.clear();
    initialised_ = false;
    indexBuilt_ = false;
    indexComplete_ = false;
    markers_ = {};
}

void mTDocumentStorage::BeginStream(const QString& name) {
    if (!initialised_)
        throw mEObjectAccess(kNotInitialised, 82);
    if (readOnly_)
        throw mEWriteStorage(kReadOnly, 81);
    WriteText(name);
    currentStream_ = name;
}

// Walks the frames once, so that every lookup afterwards is a hash probe.
void mTDocumentStorage::buildMarkerIndex() {
    indexBuilt_ = true;
    markers_.reserve(std::size_t(size_ / 64));
    qint64 p = kHeaderSize;
    while (p + 4 <= size_) {
        quint64 length = 0;
        if (!parseUnsigned(QByteArrayView(base_ + p, 4), 9999, length))
            break;
        if (p + 4 + qint64(length) > size_)
            break;
        const char* text = base_ + p + 4;
        const qint64 behind = p + 4 + qint64(length);
        if (length > 1 && text[0] == '@') {
            MarkerPlaces& places = markers_[std::string_view(text, length)];
            if (places.first < 0)
                places.first = behind;
            else
                places.more.push_back(behind);
        }
        p = behind;
    }
    // Only zero bytes may follow the last frame of a sound file.
    indexComplete_ =
        std::all_of(base_ + std::min(p, size_), base_ + size_, [](char c) { return c == '\0'; });
}

qint64 mTDocumentStorage::findMarker(std::string_view name) const {
    const auto it = markers_.find(name);
    if (it != markers_.end()) {
        // Streams are read in the order they were written: the marker ahead of the
        // position is the real one; a user's text that looks like it lies behind.
        const MarkerPlaces& places = it->second;
        if (places.first >= position_)
            return places.first;
        const auto ahead = std::lower_bound(places.more.begin(), places.more.end(), position_);
        return ahead != places.more.end() ? *ahead : places.first;
    }
    if (indexComplete_)
        return -1;
    // The frames could not be followed to the end: fall back to a plain search.
    const QByteArrayView content(base_, size_);
    const QByteArrayView key(name.data(), qsizetype(name.size()));
    qint64 at = content.indexOf(key, position_);
    if (at < 0)
        at = content.indexOf(key);
    return at < 0 ? -1 : at + key.size();
}

void mTDocumentStorage::OpenStream(const QString& name) {
    requireRead(211);
    if (measuring_ || !base_)
        throw mEOpenStream(kNoStream, 210);
    if (!indexBuilt_)
        buildMarkerIndex();
    char buffer[64];
    std::string key;
    char* bytes = buffer;
    if (name.size() > qsizetype(sizeof buffer)) {
        key.resize(std::size_t(name.size()));
        bytes = key.data();
    }
    const bool encoded = Cp1251::encodeInto(name, bytes);
    const qint64 behind =
        encoded ? findMarker(std::string_view(bytes, std::size_t(name.size()))) : -1;
    if (behind < 0)
        throw mEOpenStream(kNoStream, 210);
    position_ = behind;
    currentStream_ = name;
}

namespace {

// "%.3d": at least three digits, zeros in front.
char* appendNumber(char* out, int number) {
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, number);
    for (auto n = r.ptr - digits; n < 3; ++n)
        *out++ = '0';
    for (const char* d = digits; d < r.ptr; ++d)
        *out++ = *d;
    return out;
}

} // namespace

// Built in one step: the names of every row of a large file pass through here.
QString mTDocumentStorage::StreamName(const char* prefix, int number) {
    return StreamName(prefix, number, -1);
}

// A negative second number means there is none.
QString mTDocumentStorage::StreamName(const char* prefix, int number, int second) {
    char buffer[96];
    const std::size_t length = std::min(std::strlen(prefix), sizeof buffer - 32);
    std::memcpy(buffer, prefix, length);
    char* end = appendNumber(buffer + length, number);
    if (second >= 0)
        end = appendNumber(end, second);
    return QString::fromLatin1(buffer, end - buffer);
}

// --------------------------------------------------------------------- writes

void mTDocumentStorage::WriteText(const QString& value) {
    requireWrite(150, 151);
    const qint64 length = value.size();
    if (length > kMaxTextLength)
        throw mEBadText(
            QStringLiteral("Текст длиннее %1 символов не может быть сохранен: \"%2...\"")
                .arg(kMaxTextLength)
                .arg(value.left(40)),
            152);
    // One byte per character: while measuring only whether each has a windows-1251
    // form matters.
    char* dst = reserve(4 + length);
    const bool encoded = dst ? Cp1251::encodeInto(value, dst + 4) : Cp1251::canEncode(value);
    if (!encoded)
        throw mEBadText(QStringLiteral("Символ \"%1\" в тексте \"%2\" не может быть сохранен в "
                                       "файле декларации.")
                            .arg(Cp1251::firstUnencodable(value))
                            .arg(value.left(80)),
                        153);
    if (dst)
        writeLength(dst, length);
    position_ += 4 + length;
}

void mTDocumentStorage::writeNumber(quint64 value) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    writeFrame(QByteArrayView(buffer, r.ptr - buffer));
}

void mTDocumentStorage::WriteInt32(qint32 value) {
    requireWrite(160, 161);
    writeNumber(quint32(value));
}

void mTDocumentStorage::WriteInt16(qint16 value) {
    requireWrite(170, 171);
    writeNumber(quint16(value));
}

void mTDocumentStorage::WriteByte(quint8 value) {
    requireWrite(200, 201);
    writeNumber(value);
}

void mTDocumentStorage::WriteMoney(Money value) {
    requireWrite(180, 181);
    char buffer[Money::kMaxTextLength];
    writeFrame(QByteArrayView(buffer, value.format(buffer)));
}

void mTDocumentStorage::WriteReal(double value) {
    requireWrite(190, 191);
    if (!std::isfinite(value))
        value = 0;
    char buffer[32];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    writeFrame(QByteArrayView(buffer, r.ptr - buffer));
}

// ---------------------------------------------------------------------- reads

QByteArrayView mTDocumentStorage::readRaw(qint64 count) {
    if (!base_ || position_ < 0 || position_ + count > size_)
        damaged();
    const QByteArrayView v(base_ + position_, count);
    position_ += count;
    return v;
}

QByteArrayView mTDocumentStorage::readFrame(bool numeric) {
    const QByteArrayView lengthText = readRaw(4);
    quint64 length = 0;
    if (!parseUnsigned(lengthText, 9999, length))
        throw EConvertError(QString::fromLatin1(lengthText));
    if (length == 0 && numeric)
        length = 1;
    return readRaw(qint64(length));
}

QString mTDocumentStorage::ReadText() {
    requireRead(93);
    const QByteArrayView text = readFrame(false);
    // No field can hold a zero byte or the one byte the code page leaves
    // undefined: a text with either is damage, not something the user typed.
    if (text.contains('\0') || text.contains('\x98'))
        throw mEBadStorage(kBadFormat, 94);
    return Cp1251::decode(text);
}

qint32 mTDocumentStorage::ReadInt32() {
    requireRead(102);
    return qint32(quint32(parseInteger(readFrame(true), 0xFFFFFFFFull)));
}

qint16 mTDocumentStorage::ReadInt16() {
    requireRead(112);
    return qint16(quint16(parseInteger(readFrame(true), 0xFFFF)));
}

quint8 mTDocumentStorage::ReadByte() {
    requireRead(142);
    return quint8(parseInteger(readFrame(true), 0xFF));
}

Money mTDocumentStorage::ReadMoney() {
    requireRead(122);
    const QByteArrayView text = readFrame(true);
    if (text == "a")
        return Money::fromRaw(-Money::kScale);
    if (std::optional<Money> m = Money::parse(text, '.'))
        return *m;
    if (std::optional<Money> m = Money::parse(text, ','))
        return *m;
    throw EConvertError(QString::fromLatin1(text));
}

double mTDocumentStorage::ReadReal() {
    requireRead(132);
    const QByteArrayView text = readFrame(true);
    const bool dateText = version() < kVersion12;
    for (const char sep : {'.', ','}) {
        const std::optional<double> v = dateText ? parseDate(text, sep) : parseFloat(text, sep);
        if (v)
            return *v;
    }
    throw EConvertError(QString::fromLatin1(text));
}
