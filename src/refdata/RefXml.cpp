#include "RefXml.h"

#include "storage/Cp1251.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace RefXml {

namespace {

QString declaredEncoding(const QByteArray& bytes) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'])"));
    const auto m = re.match(QString::fromLatin1(bytes.left(256)));
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

} // namespace

std::optional<QDomDocument> parse(const QByteArray& bytes, QString* error) {
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    const QString encoding = declaredEncoding(bytes);
    bool ok;
    if (encoding == u"windows-1251" || encoding == u"cp1251")
        ok = doc.setContent(Cp1251::decode(bytes), &message, &line, &column);
    else
        ok = doc.setContent(bytes, &message, &line, &column);
    if (!ok || doc.documentElement().isNull()) {
        if (error)
            *error = QStringLiteral("%1 (%2:%3)").arg(message).arg(line).arg(column);
        return std::nullopt;
    }
    return doc;
}

std::optional<QDomDocument> load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return parse(file.readAll(), error);
}

QByteArray toWindows1251(const QDomDocument& doc) {
    QString body;
    {
        QTextStream stream(&body);
        doc.documentElement().save(stream, 1);
    }
    QByteArray out("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n");
    out.reserve(out.size() + body.size());
    // Serialised element text and attribute values are the only places a
    // non-ASCII character can stand, and a reference is valid in both.
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        if (const auto b = Cp1251::encode(QStringView(&c, 1))) {
            out.append(*b);
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < body.size() && body.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, body.at(++i));
        out.append("&#" + QByteArray::number(quint32(code)) + ';');
    }
    return out;
}

bool save(const QDomDocument& doc, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(toWindows1251(doc));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace RefXml
