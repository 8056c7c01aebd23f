#include "payroll/engine/Money.h"

namespace payroll {

Money Money::operator+(const Money& o) const {
    Money r;
    if (exact_ && o.exact_) {
        r.dec_ = Add(dec_, o.dec_);
    } else {
        r.exact_ = false;
        r.approx_ = Value() + o.Value();
    }
    return r;
}

Money Money::operator-(const Money& o) const {
    Money r;
    if (exact_ && o.exact_) {
        r.dec_ = Subtract(dec_, o.dec_);
    } else {
        r.exact_ = false;
        r.approx_ = Value() - o.Value();
    }
    return r;
}

Money Money::operator*(const Money& o) const {
    Money r;
    if (exact_ && o.exact_) {
        r.dec_ = Multiply(dec_, o.dec_);
    } else {
        r.exact_ = false;
        r.approx_ = Value() * o.Value();
    }
    return r;
}

Money Money::operator/(const Money& o) const {
    if (o.IsZero()) throw CalculationError("Nullával való osztás a számfejtésben!");
    Money r;
    r.exact_ = false;
    r.approx_ = Value() / o.Value();
    return r;
}

long long Money::Round() const { return exact_ ? Kerekit(dec_) : Kerekit(approx_); }

long double Money::Value() const { return exact_ ? ToLongDouble(dec_) : approx_; }

Money Percent(const Money& rate, const Money& base) {
    Money product = rate * base;
    if (product.Exact()) return product * Money(0.01);
    return product / Money(100);
}

}  // namespace payroll
