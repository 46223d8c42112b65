#include "Cp1251.h"

#include <QStringDecoder>
#include <array>
#include <memory>

namespace {

// Built once from Qt's converter; per-text converters are far too slow for large files.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    // Byte for each UTF-16 unit from 0x80 on; 0 where there is none.
    std::unique_ptr<std::array<unsigned char, 0x10000>> fromUnicode =
        std::make_unique<std::array<unsigned char, 0x10000>>();

    Tables() {
        fromUnicode->fill(0);
        QStringDecoder decoder("windows-1251");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            decoder.resetState();
            const char16_t u = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
            toUnicode[b] = u;
            // 0x98 is left undefined by the code page: nothing is stored as it.
            if (u != 0xFFFD && b >= 0x80 && u >= 0x80 && b != 0x98)
                (*fromUnicode)[u] = static_cast<unsigned char>(b);
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

namespace Cp1251 {

bool encodeInto(QStringView text, char* out) {
    const Tables* t = nullptr;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            // A zero byte would end the text for every reader of the file.
            if (u == 0)
                return false;
            *out++ = char(u);
            continue;
        }
        if (!t)
            t = &tables();
        const unsigned char b = (*t->fromUnicode)[u];
        if (b == 0)
            return false;
        *out++ = char(b);
    }
    return true;
}

std::optional<QByteArray> encode(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    if (!encodeInto(text, out.data()))
        return std::nullopt;
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

qsizetype firstUnencodableAt(QStringView text) {
    const Tables* t = nullptr;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == 0)
            return i;
        if (u < 0x80)
            continue;
        if (!t)
            t = &tables();
        if ((*t->fromUnicode)[u] == 0)
            return i;
    }
    return -1;
}

QChar firstUnencodable(QStringView text) {
    const qsizetype i = firstUnencodableAt(text);
    return i < 0 ? QChar() : text[i];
}

bool canEncode(QStringView text) {
    return firstUnencodableAt(text) < 0;
}

} // namespace Cp1251
