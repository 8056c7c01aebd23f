// The engine's money arithmetic. Sums and products of amounts, rates and
// factors are kept as exact decimals (a rate read from a table counts as the
// decimal it prints as), so 312 500 × 2.3 % is 7 187.5 and rounds to 7 188;
// a division turns the value into a long double, and the chain goes on in
// that precision to the one rounding the step makes.
#pragma once

#include <stdexcept>
#include <string>

#include "core/helpers/SegedUnit.h"

namespace payroll {

// A calculation that cannot go on (a division by zero, a missing parameter,
// a formula kind that is no number): the run stops and the user sees the text.
class CalculationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Money {
public:
    Money() = default;
    Money(double v) : dec_(ToDecimal(v)) {}  // NOLINT: amounts and rates convert freely
    Money(long long v) : dec_{v, 0} {}       // NOLINT
    Money(int v) : dec_{v, 0} {}             // NOLINT

    Money operator+(const Money& o) const;
    Money operator-(const Money& o) const;
    Money operator*(const Money& o) const;
    // Raises CalculationError for a zero divisor; callers that can name the
    // cause check it first.
    Money operator/(const Money& o) const;
    Money& operator+=(const Money& o) { return *this = *this + o; }
    Money& operator-=(const Money& o) { return *this = *this - o; }

    // Half away from zero to a whole forint.
    long long Round() const;
    long double Value() const;
    bool IsZero() const { return Value() == 0; }
    bool Exact() const { return exact_; }

private:
    bool exact_ = true;
    Decimal dec_{0, 0};
    long double approx_ = 0;
};

inline bool operator<(const Money& a, const Money& b) { return a.Value() < b.Value(); }
inline bool operator>(const Money& a, const Money& b) { return b < a; }
inline Money Max(const Money& a, const Money& b) { return a < b ? b : a; }
inline Money Min(const Money& a, const Money& b) { return b < a ? b : a; }

// rate × base / 100, in that order.
Money Percent(const Money& rate, const Money& base);

}  // namespace payroll
