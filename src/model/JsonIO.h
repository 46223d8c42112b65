#pragma once

#include "storage/Money.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <array>
#include <stdexcept>

// The JSON form of the declaration (docs/json.md): money as strings in shortest
// decimal form, dates "YYYY-MM-DD", byte booleans true/false, other numbers integers.
class EJsonError : public std::runtime_error {
public:
    explicit EJsonError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

namespace JsonIO {

QJsonValue money(Money value);
QJsonValue date(double tDateTime);
QJsonValue flag(quint8 value);
template <typename T, std::size_t N> QJsonArray intArray(const std::array<T, N>& values) {
    QJsonArray a;
    for (const T v : values)
        a.append(qint64(v));
    return a;
}
template <std::size_t N> QJsonArray moneyArray(const std::array<Money, N>& values) {
    QJsonArray a;
    for (const Money v : values)
        a.append(money(v));
    return a;
}
template <std::size_t N> QJsonArray flagArray(const std::array<quint8, N>& values) {
    QJsonArray a;
    for (const quint8 v : values)
        a.append(flag(v));
    return a;
}

// Reads the keys of one object into fields; a key that is absent leaves its field
// as it is. finish() refuses any key nobody asked for. Errors name the key by its
// full path ("person.surname", "thirteenSources[0].rows[2].amount").
class Reader {
public:
    Reader(const QJsonObject& object, const QString& path);

    bool has(const char* key) const;
    QString path(const char* key) const;

    void text(const char* key, QString& field);
    void money(const char* key, Money& field);
    void date(const char* key, double& field);
    void flag(const char* key, quint8& field);
    void int32(const char* key, qint32& field);
    void int16(const char* key, qint16& field);
    void byte(const char* key, quint8& field);
    template <std::size_t N> void moneyArray(const char* key, std::array<Money, N>& field) {
        if (const QJsonArray* a = array(key, N))
            for (std::size_t i = 0; i < N; ++i)
                field[i] = moneyValue(a->at(qsizetype(i)), itemPath(key, i));
    }
    template <std::size_t N> void int32Array(const char* key, std::array<qint32, N>& field) {
        if (const QJsonArray* a = array(key, N))
            for (std::size_t i = 0; i < N; ++i)
                field[i] =
                    qint32(intValue(a->at(qsizetype(i)), itemPath(key, i), INT32_MIN, INT32_MAX));
    }
    template <std::size_t N> void flagArray(const char* key, std::array<quint8, N>& field) {
        if (const QJsonArray* a = array(key, N))
            for (std::size_t i = 0; i < N; ++i)
                field[i] = flagValue(a->at(qsizetype(i)), itemPath(key, i));
    }

    // Sub-objects and lists; nothing when the key is absent.
    std::optional<QJsonObject> object(const char* key);
    std::optional<QJsonArray> list(const char* key);
    // Raw value for keys with a form of their own; marks the key as used.
    std::optional<QJsonValue> value(const char* key);

    void finish() const;

    // Conversions of single values, for arrays read by hand.
    static Money moneyValue(const QJsonValue& v, const QString& path);
    static double dateValue(const QJsonValue& v, const QString& path);
    static quint8 flagValue(const QJsonValue& v, const QString& path);
    static qint64 intValue(const QJsonValue& v, const QString& path, qint64 min, qint64 max);
    static QJsonObject objectValue(const QJsonValue& v, const QString& path);
    [[noreturn]] static void wrongType(const QString& path, const char* expected);

private:
    const QJsonArray* array(const char* key, std::size_t size);
    QString itemPath(const char* key, std::size_t i) const;

    QJsonObject object_;
    QString path_;
    QSet<QString> used_;
    QJsonArray scratch_;
};

} // namespace JsonIO
