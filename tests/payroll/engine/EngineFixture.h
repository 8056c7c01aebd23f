// Run contexts built from values for the engine's tests: a small catalogue,
// one employee, a calendar month and parameters, each test changing what its
// case needs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "payroll/engine/ResultRows.h"
#include "platform/os/DayNumber.h"

namespace enginetest {

using payroll::FieldValues;
using payroll::MessageKind;
using payroll::PayrollRun;
using payroll::RunContext;
using payroll::SzamfejtRow;

// A pay item: code, category, formula kind, payable flag, then any flags.
inline FieldValues PayItem(const std::string& code, const std::string& category,
                           const std::string& kind = "0", const std::string& payable = "I",
                           std::initializer_list<std::pair<const std::string, db::Variant>> more = {}) {
    FieldValues item(more);
    item.Set("JC_KOD", code);
    item.Set("JC_NEV", "Jogcím " + code);
    item.Set("JC_TIPUS", category);
    item.Set("JC_SZAMKEP", kind);
    item.Set("JC_KIFIZ", payable);
    if (item.IsNull("JC_SZAZ")) item.Set("JC_SZAZ", 100.0);
    return item;
}

// Days of a month of the calendar: `working` working days, then `holidays`
// paid holidays, the rest rest days; the same in every schedule column.
inline void AddMonth(RunContext& ctx, int month, int working, int holidays, int days = 30) {
    for (int d = 0; d < days; ++d) {
        payroll::CalendarDay day;
        day.month = month;
        day.day = d + 1;
        const char* mark = d < working ? "1" : d < working + holidays ? "2" : "0";
        day.values.fill(mark);
        ctx.calendar.Edit().push_back(day);
    }
}

struct Messages {
    std::vector<std::pair<MessageKind, std::string>> shown;
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (auto& [kind, text] : shown) out.push_back(text);
        return out;
    }
};

// Employee 00001 on a monthly wage of 300 000 and 8 hours a day, month 3 of
// 2019 paid on 2019.04.10, a calendar of 21 working days and 1 paid holiday.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        ctx.employee =
            FieldValues{{"DG_TORZSSZAM", "00001"}, {"DG_NEV", "Teszt Elek"},  {"DG_MHKOD", "000001"},
                        {"DG_BERFORM", "1"},       {"DG_ALKMIN", "1"},        {"DG_ALAPBER", 300000.0},
                        {"DG_NAPIKOTORA", 8.0},    {"DG_MUNKSZAM", "000010"}, {"DG_GYUJTO", "000020"}};
        ctx.company = FieldValues{{"CG_KOD", "001"}, {"CG_POTLSZAMFIX", "N"}, {"CG_TAVDIJ", "N"}};
        ctx.workplaces["000001"] = "000100";
        ctx.year = 2019;
        ctx.month = 3;
        ctx.paymentDate = os::EncodeDate(2019, 4, 10);
        AddMonth(ctx, 3, 21, 1, 31);
        parameters = std::make_shared<payroll::ValueParameters>();
        ctx.parameters = parameters;
        ctx.message = [this](MessageKind kind, const std::string& text) {
            messages.shown.emplace_back(kind, text);
        };
    }

    void AddItem(const FieldValues& item) { ctx.catalogue.Edit()[item.Text("JC_KOD")] = item; }

    // A row of the working set (or a saved row) with its code and amount.
    SzamfejtRow Row(const std::string& code, std::optional<double> amount, int month = 3,
                    double paymentDate = os::EncodeDate(2019, 4, 10)) const {
        SzamfejtRow r;
        r.SF_DGTORZSSZAM = "00001";
        r.SF_HONAP = month;
        r.SF_KIFIZDAT = paymentDate;
        r.SF_JCKOD = code;
        r.SF_OSSZEG = amount;
        return r;
    }

    // The amount of the first working-set row of the code; nullopt when none.
    static std::optional<double> Amount(const PayrollRun& run, const std::string& code) {
        const int at = run.rows.FindFirst(code);
        if (at < 0) return std::nullopt;
        return run.rows[at].SF_OSSZEG;
    }

    RunContext ctx;
    std::shared_ptr<payroll::ValueParameters> parameters;
    Messages messages;
};

}  // namespace enginetest
