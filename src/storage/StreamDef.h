#pragma once

#include <QString>
#include <stdexcept>

// Exceptions of the document storage and the model. Users see only the message;
// the codes travel along for diagnosis.
class mEPrivBase : public std::exception {
public:
    mEPrivBase(const QString& message, quint16 errorCode)
        : message_(message), utf8_(message.toUtf8()), errorCode_(errorCode) {}

    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }
    quint16 errorCode() const noexcept { return errorCode_; }
    quint16 contextCode() const noexcept { return contextCode_; }
    void setContextCode(quint16 code) noexcept { contextCode_ = code; }

private:
    QString message_;
    QByteArray utf8_;
    quint16 errorCode_ = 0;
    quint16 contextCode_ = 0;
};

#define QARV_DECLARE_STORAGE_EXCEPTION(Name)                                                       \
    class Name : public mEPrivBase {                                                               \
    public:                                                                                        \
        using mEPrivBase::mEPrivBase;                                                              \
    }

QARV_DECLARE_STORAGE_EXCEPTION(mEMemoryAllocate);
QARV_DECLARE_STORAGE_EXCEPTION(mEWriteStorage);
QARV_DECLARE_STORAGE_EXCEPTION(mEBadStorage);
QARV_DECLARE_STORAGE_EXCEPTION(mEAlreadyCreated);
QARV_DECLARE_STORAGE_EXCEPTION(mEObjectAccess);
QARV_DECLARE_STORAGE_EXCEPTION(mEOpenStream);
// A text that the document file cannot hold (no windows-1251 form, or too long to frame).
QARV_DECLARE_STORAGE_EXCEPTION(mEBadText);

#undef QARV_DECLARE_STORAGE_EXCEPTION

// A value in the file that is not a number, date or amount of its kind.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& text)
        : std::runtime_error(("'" + text + "' is not a valid value").toStdString()) {}
};

namespace StorageMessages {
inline const QString kReadFile = QStringLiteral("Ошибка чтения файла: ");
inline const QString kBusy = QStringLiteral("Возможно он занят, или с признаком 'read only'");
inline const QString kZeroLength =
    QStringLiteral("Создаваемый фаил отображения не может быть нулевой длины.");
inline const QString kMapping = QStringLiteral("Не удается создать отображение файла.");
inline const QString kNoMemory = QStringLiteral("Не выделена память.");
inline const QString kReadOnly = QStringLiteral("Попытка записи в память только для чтения");
inline const QString kAlreadyCreated = QStringLiteral("Объект уже был создан.");
inline const QString kBadFormat =
    QStringLiteral("Неправильный формат файла декларации, возможно он поврежден.");
inline const QString kNotInitialised =
    QStringLiteral("Попытка доступа к неинициализированным данным.");
inline const QString kNoStream = QStringLiteral("Попытка открытия несуществующего потока");
inline const QString kOutOfMemory = QStringLiteral("Недостаточно свободной памяти.");
inline const QString kWriteFile = QStringLiteral("Ошибка записи файла: ");
} // namespace StorageMessages
