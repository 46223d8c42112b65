#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

// An amount of roubles in ten-thousandths, the way the document file and the
// calculation count money. Sums and differences are exact.
class Money {
public:
    static constexpr qint64 kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 raw) {
        Money m;
        m.raw_ = raw;
        return m;
    }
    static constexpr Money fromRoubles(qint64 roubles) { return fromRaw(roubles * kScale); }
    // General form with '.' or ',' ("1234.5", "-1", "0"); up to four decimals.
    static std::optional<Money> parse(QStringView text, QChar separator = QLatin1Char('.'));
    static std::optional<Money> parse(QByteArrayView latin1, char separator = '.');

    constexpr qint64 raw() const { return raw_; }
    constexpr qint64 wholeRoubles() const { return raw_ / kScale; }
    constexpr qint64 fraction() const { return raw_ % kScale; }
    constexpr bool isZero() const { return raw_ == 0; }

    // Shortest general form: no trailing fraction zeros, no separator for whole values.
    QString toString(QChar separator = QLatin1Char('.')) const;
    // The same form with '.', written to out (at least kMaxTextLength bytes); returns its length.
    static constexpr int kMaxTextLength = 24;
    int format(char* out) const;

    constexpr Money operator-() const { return fromRaw(-raw_); }
    constexpr Money operator+(Money o) const { return fromRaw(raw_ + o.raw_); }
    constexpr Money operator-(Money o) const { return fromRaw(raw_ - o.raw_); }
    constexpr Money operator*(qint64 n) const { return fromRaw(raw_ * n); }
    constexpr Money& operator+=(Money o) {
        raw_ += o.raw_;
        return *this;
    }
    constexpr Money& operator-=(Money o) {
        raw_ -= o.raw_;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 raw_ = 0;
};

constexpr Money qMax(Money a, Money b) {
    return a < b ? b : a;
}
constexpr Money qMin(Money a, Money b) {
    return b < a ? b : a;
}
