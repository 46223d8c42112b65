#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

#include <array>

class mTStandartDeduct;

// Standard deductions ("ВычСтанд"), month by month within the income limits of
// 40000 (for oneself) and 280000 roubles (for children).
class kTSvodSumPrilE1 : public kTSvodSumResettable<kTSvodSumPrilE1> {
public:
    int КолМес40000 = 0;
    int КолМес280000 = 0;
    std::array<Money, 12> monthIncome{};
    std::array<Money, 12> monthExpense{};
    // Income from January to each month: "ИтогЯнв" ... "ИтогЯнвДек".
    std::array<Money, 12> cumulative{};
    Money ВычСтанд218_1_1; // "ВычСтанд218.1.1", 3000 a month
    Money ВычСтанд218_1_2; // "ВычСтанд218.1.2", 500 a month
    Money ВычСтанд218_1_3; // "ВычСтанд218.1.3", 400 a month
    Money ВычСтандРеб;
    Money ВычСтРебОпек;
    Money ВычСтРебИнв;
    Money ВычСтРебИнвОпек;
    Money ИтогВычСтанд;
    // Months with income: bit m-1 for month m.
    quint16 incomeMonths = 0;

    static const std::array<const char16_t*, 12> kCumulativeNames;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d);

private:
    bool inSet(int month) const { return incomeMonths & (1u << (month - 1)); }
    int monthsInSet() const;
    // Months 1..11 up to the first whose cumulative income exceeds limit, plus
    // December when the year stays within it; those in the set are counted.
    // walked: how many months the walk passed.
    int countWithin(Money limit, int& walked) const;
    void personal(const mTStandartDeduct& sd);
    void children(const mTStandartDeduct& sd, int lastMonth);
};
