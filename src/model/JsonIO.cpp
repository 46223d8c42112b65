#include "JsonIO.h"

#include "storage/DateTime.h"

#include <cmath>

namespace JsonIO {

QJsonValue money(Money value) {
    return value.toString();
}

QJsonValue date(double tDateTime) {
    return TDateTime::toDate(tDateTime).toString(QStringLiteral("yyyy-MM-dd"));
}

QJsonValue flag(quint8 value) {
    return value != 0;
}

Reader::Reader(const QJsonObject& object, const QString& path) : object_(object), path_(path) {}

bool Reader::has(const char* key) const {
    return object_.contains(QLatin1String(key));
}

QString Reader::path(const char* key) const {
    return path_.isEmpty() ? QString::fromLatin1(key) : path_ + QLatin1Char('.') + key;
}

QString Reader::itemPath(const char* key, std::size_t i) const {
    return path(key) + QStringLiteral("[%1]").arg(i);
}

std::optional<QJsonValue> Reader::value(const char* key) {
    const QString k = QString::fromLatin1(key);
    const auto it = object_.constFind(k);
    if (it == object_.constEnd())
        return std::nullopt;
    used_.insert(k);
    return it.value();
}

void Reader::wrongType(const QString& path, const char* expected) {
    throw EJsonError(QStringLiteral("%1: expected %2").arg(path, QLatin1String(expected)));
}

void Reader::text(const char* key, QString& field) {
    if (const auto v = value(key)) {
        if (!v->isString())
            wrongType(path(key), "a string");
        field = v->toString();
    }
}

Money Reader::moneyValue(const QJsonValue& v, const QString& path) {
    if (!v.isString())
        wrongType(path, "an amount as a string such as \"1234.5\"");
    const std::optional<Money> m = Money::parse(v.toString());
    if (!m)
        wrongType(path, "an amount as a string such as \"1234.5\"");
    return *m;
}

double Reader::dateValue(const QJsonValue& v, const QString& path) {
    const QDate d = QDate::fromString(v.toString(), QStringLiteral("yyyy-MM-dd"));
    if (!v.isString() || !d.isValid())
        wrongType(path, "a date \"YYYY-MM-DD\"");
    return TDateTime::fromDate(d);
}

quint8 Reader::flagValue(const QJsonValue& v, const QString& path) {
    if (!v.isBool())
        wrongType(path, "true or false");
    return v.toBool() ? 1 : 0;
}

qint64 Reader::intValue(const QJsonValue& v, const QString& path, qint64 min, qint64 max) {
    const double d = v.toDouble();
    if (!v.isDouble() || std::trunc(d) != d || d < double(min) || d > double(max))
        throw EJsonError(
            QStringLiteral("%1: expected an integer from %2 to %3").arg(path).arg(min).arg(max));
    return qint64(d);
}

QJsonObject Reader::objectValue(const QJsonValue& v, const QString& path) {
    if (!v.isObject())
        wrongType(path, "an object");
    return v.toObject();
}

void Reader::money(const char* key, Money& field) {
    if (const auto v = value(key))
        field = moneyValue(*v, path(key));
}

void Reader::date(const char* key, double& field) {
    if (const auto v = value(key))
        field = dateValue(*v, path(key));
}

void Reader::flag(const char* key, quint8& field) {
    if (const auto v = value(key))
        field = flagValue(*v, path(key));
}

void Reader::int32(const char* key, qint32& field) {
    if (const auto v = value(key))
        field = qint32(intValue(*v, path(key), INT32_MIN, INT32_MAX));
}

void Reader::int16(const char* key, qint16& field) {
    if (const auto v = value(key))
        field = qint16(intValue(*v, path(key), INT16_MIN, INT16_MAX));
}

void Reader::byte(const char* key, quint8& field) {
    if (const auto v = value(key))
        field = quint8(intValue(*v, path(key), 0, 255));
}

const QJsonArray* Reader::array(const char* key, std::size_t size) {
    const auto v = value(key);
    if (!v)
        return nullptr;
    if (!v->isArray() || std::size_t(v->toArray().size()) != size)
        throw EJsonError(QStringLiteral("%1: expected an array of %2").arg(path(key)).arg(size));
    scratch_ = v->toArray();
    return &scratch_;
}

std::optional<QJsonObject> Reader::object(const char* key) {
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    return objectValue(*v, path(key));
}

std::optional<QJsonArray> Reader::list(const char* key) {
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (!v->isArray())
        wrongType(path(key), "an array");
    return v->toArray();
}

void Reader::finish() const {
    for (auto it = object_.constBegin(); it != object_.constEnd(); ++it) {
        if (!used_.contains(it.key()))
            throw EJsonError(QStringLiteral("%1: unknown key")
                                 .arg(path_.isEmpty() ? it.key() : path_ + '.' + it.key()));
    }
}

} // namespace JsonIO
