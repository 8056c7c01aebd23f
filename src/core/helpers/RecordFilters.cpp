#include "core/helpers/RecordFilters.h"

namespace {

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

// std::string_view compares bytes as unsigned char, as the codes are compared.
bool PayableCode(std::string_view code) { return code < "270"; }
bool OtherPaymentCode(std::string_view code) { return code >= "270" && code < "300"; }
bool DeductionCode(std::string_view code) { return code >= "300"; }
bool BroughtForwardCode(std::string_view code) { return code >= "800"; }

bool TorzsszamMatch(const PayrollRowKey& row, const PayrollFilterValues& v) {
    return row.employee == v.employee;
}

bool TorzsszamHoMatch(const PayrollRowKey& row, const PayrollFilterValues& v) {
    return TorzsszamMatch(row, v) && row.month == v.month;
}

bool TorzsszamHoKifizDatMatch(const PayrollRowKey& row, const PayrollFilterValues& v) {
    return TorzsszamHoMatch(row, v) && row.paymentDate == v.paymentDate;
}

bool HozottAdatokMatch(const PayrollRowKey& row, const PayrollFilterValues& v) {
    return TorzsszamHoKifizDatMatch(row, v) && BroughtForwardCode(row.code);
}

bool MunkahelyMatch(std::string_view storedWorkplace, std::string_view typedWorkplace) {
    return storedWorkplace == Trimmed(typedWorkplace);
}
