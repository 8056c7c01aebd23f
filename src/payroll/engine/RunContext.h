// What one payroll run of one employee, month and payment date reads: handed
// in by the payroll form or a loader, never read from form controls. The run
// itself (PayrollRun) holds the working set and the year-to-date totals.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "payroll/engine/FieldValues.h"
#include "payroll/engine/Money.h"
#include "payroll/engine/Parameters.h"
#include "payroll/engine/ResultRow.h"

namespace payroll {

enum class MessageKind {
    Info,   // a plain message with OK
    Error,  // an error box; the run goes on
};

// One day of the working-day calendar: its month, day of month and date, and
// the schedule columns NT_ERTEK, NT_ERTEK1 .. NT_ERTEK9 ("1" working day,
// "2" paid holiday).
struct CalendarDay {
    int month = 0;
    int day = 0;
    double date = 0;
    std::array<std::string, 10> values;
};

// A value shared by the contexts a loader makes (the pay items, the
// calendar), copied only when one of them is changed.
template <class T>
class CopyOnWrite {
public:
    const T& operator*() const { return *p_; }
    const T* operator->() const { return p_.get(); }
    auto begin() const { return p_->begin(); }
    auto end() const { return p_->end(); }
    T& Edit() {
        if (p_.use_count() > 1) p_ = std::make_shared<T>(*p_);
        return *p_;
    }

private:
    std::shared_ptr<T> p_ = std::make_shared<T>();
};

struct RunContext {
    FieldValues employee;                           // the Dolgozo row
    FieldValues company;                            // the Cegek row; empty when the company is not there
    std::map<std::string, std::string> workplaces;  // MH_KOD -> MH_KHKOD
    int year = 0;
    int month = 0;
    double paymentDate = 0;
    // The employee already has saved rows in the month (no second base wage).
    bool HonapSzamfejtve = false;
    // The code of the row last changed by hand, for the recalculation.
    std::string ModositottKod;
    // JC_KOD -> the pay item; looked up by code for nearly every row of a run.
    CopyOnWrite<std::unordered_map<std::string, FieldValues>> catalogue;
    std::vector<FieldValues> standingItems;  // the employee's, in key order
    CopyOnWrite<std::vector<CalendarDay>> calendar;
    std::shared_ptr<const ParameterSource> parameters;
    // The employee's saved rows of the year, every month and payment date.
    std::vector<SzamfejtRow> savedRows;
    // The employee's saved rows of the previous year, read when asked for:
    // nullopt when the previous year is not available; raises when its
    // table cannot be read.
    std::function<std::optional<std::vector<SzamfejtRow>>()> previousYearRows;
    std::function<void(MessageKind, const std::string&)> message;
    std::function<void(int)> progress;

    // The catalogue's pay item of the code; nullptr when it is missing.
    const FieldValues* PayItem(const std::string& code) const;
    void Message(MessageKind kind, const std::string& text) const {
        if (message) message(kind, text);
    }
};

// The pay item's field holds the value ("I" by default); a missing pay item
// holds nothing.
inline bool PayItemFlag(const FieldValues* item, const char* field, const char* value = "I") {
    return item && item->Text(field) == value;
}

}  // namespace payroll
