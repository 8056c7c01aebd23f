#include "payroll/engine/RunContext.h"

namespace payroll {

const FieldValues* RunContext::PayItem(const std::string& code) const {
    auto it = catalogue->find(code);
    return it == catalogue->end() ? nullptr : &it->second;
}

}  // namespace payroll
