#include "CalcJson.h"

#include "model/JsonIO.h"

namespace {

QByteArray quoted(const QString& text) {
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0')).toLatin1();
            else
                out += c;
        }
    }
    return out + "\"";
}

QByteArray spaces(int n) {
    return QByteArray(n, ' ');
}

} // namespace

CalcJson& CalcJson::money(const QString& key, Money value) {
    entries_.push_back({key, quoted(value.toString()), {}, false, true, value});
    return *this;
}

CalcJson& CalcJson::number(const QString& key, qint64 value) {
    entries_.push_back({key, QByteArray::number(value), {}, false, false, {}});
    return *this;
}

CalcJson& CalcJson::real(const QString& key, double value) {
    entries_.push_back({key, QByteArray::number(value, 'g', 15), {}, false, false, {}});
    return *this;
}

CalcJson& CalcJson::text(const QString& key, const QString& value) {
    entries_.push_back({key, quoted(value), {}, false, false, {}});
    return *this;
}

CalcJson& CalcJson::flag(const QString& key, bool value) {
    entries_.push_back({key, value ? "true" : "false", {}, false, false, {}});
    return *this;
}

CalcJson& CalcJson::date(const QString& key, double tDateTime) {
    return text(key, JsonIO::date(tDateTime).toString());
}

CalcJson& CalcJson::object(const QString& key, CalcJson value) {
    Entry e{key, {}, {}, false, false, {}};
    e.objects.push_back(std::move(value));
    entries_.push_back(std::move(e));
    return *this;
}

CalcJson& CalcJson::list(const QString& key, std::vector<CalcJson> items) {
    entries_.push_back({key, {}, std::move(items), true, false, {}});
    return *this;
}

QByteArray CalcJson::toJson() const {
    QByteArray out;
    write(out, 0);
    return out + '\n';
}

void CalcJson::write(QByteArray& out, int indent) const {
    if (entries_.empty()) {
        out += "{}";
        return;
    }
    out += "{\n";
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        out += spaces(indent + 2) + quoted(e.key) + ": ";
        if (e.isList) {
            if (e.objects.empty()) {
                out += "[]";
            } else {
                out += "[\n";
                for (std::size_t k = 0; k < e.objects.size(); ++k) {
                    out += spaces(indent + 4);
                    e.objects[k].write(out, indent + 4);
                    out += k + 1 < e.objects.size() ? ",\n" : "\n";
                }
                out += spaces(indent + 2) + "]";
            }
        } else if (!e.objects.empty()) {
            e.objects.front().write(out, indent + 2);
        } else {
            out += e.scalar;
        }
        out += i + 1 < entries_.size() ? ",\n" : "\n";
    }
    out += spaces(indent) + "}";
}
