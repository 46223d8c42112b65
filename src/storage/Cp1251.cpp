#include "Cp1251.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace {

// Built once from Qt's converter; per-text converters are too slow for large files.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    Tables() {
        QStringDecoder decoder("windows-1251");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            decoder.resetState();
            const char16_t u = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
            toUnicode[b] = u;
            if (u != 0xFFFD && b >= 0x80)
                fromUnicode.insert(u, byte);
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

namespace Cp1251 {

std::optional<QByteArray> encode(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    const Tables* t = nullptr;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *dst++ = char(u);
            continue;
        }
        if (!t)
            t = &tables();
        const auto it = t->fromUnicode.constFind(u);
        if (it == t->fromUnicode.constEnd())
            return std::nullopt;
        *dst++ = it.value();
    }
    return out;
}

QString decode(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    const Tables* t = nullptr;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            *dst++ = QChar(b);
            continue;
        }
        if (!t)
            t = &tables();
        *dst++ = QChar(t->toUnicode[b]);
    }
    return out;
}

QChar firstUnencodable(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 && !tables().fromUnicode.contains(c.unicode()))
            return c;
    }
    return QChar();
}

bool canEncode(QStringView text) {
    return firstUnencodable(text).isNull();
}

} // namespace Cp1251
