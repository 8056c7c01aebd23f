// The catalogue, parameters and rows the calculation steps and the pipeline
// are tested with: a wage item liable to everything and the rows the steps write.
#pragma once

#include "EngineFixture.h"

namespace enginetest {

class StepsTest : public EngineTest {
protected:
    StepsTest() {
        AddItem(PayItem("100", "1", "1", "I",
                        {{"JC_SZJAKOT", "I"},
                         {"JC_ELKULADO", "N"},
                         {"JC_NYJKOT", "I"},
                         {"JC_EBJKOT", "I"},
                         {"JC_MPJDOLGKOT", "I"},
                         {"JC_SZHAKOT", "I"},
                         {"JC_SZAKKEPZES", "I"},
                         {"JC_BERJELL", "I"},
                         {"JC_KERESET", "I"},
                         {"JC_SZAKSZKOT", "I"}}));
        AddItem(PayItem("150", "1", "0", "I", {{"JC_JARULKOD", "01"}, {"JC_SZABTIP", "2"}}));
        for (const char* code : {"300", "301", "304", "306", "307"}) AddItem(PayItem(code, "8"));
        // The contributions as computed are not deducted themselves.
        for (const char* code : {"700A", "701A", "706A", "707A"}) AddItem(PayItem(code, "Z"));
        for (const char* code : {"320", "300A", "321", "322", "320A", "320B", "320C"})
            AddItem(PayItem(code, "6"));
        for (const char* code : {"309", "313A", "314A", "315"}) AddItem(PayItem(code, "Z"));
        for (const char* code : {"327", "328", "330", "332A", "332K", "334A", "334B", "340B", "340C", "341A",
                                 "341B", "351", "360", "390", "394"})
            AddItem(PayItem(code, "C"));
        AddItem(PayItem("220A", "1"));
        AddItem(PayItem("282A", "1"));
        for (auto [code, rate] : {std::pair{"17", 10.0},
                                  {"18", 0.0},
                                  {"19", 4.0},
                                  {"19p", 3.0},
                                  {"20", 1.5},
                                  {"21", 1.0},
                                  {"23a", 100.0},
                                  {"23b", 50.0},
                                  {"23s", 1.18},
                                  {"28", 7710.0},
                                  {"32", 149000.0},
                                  {"43", 138000.0},
                                  {"44", 1.5},
                                  {"45", 15.0},
                                  {"58", 15.0}})
            parameters->Set(code, {rate, ""});
    }

    SzamfejtRow Wage(double amount) const {
        SzamfejtRow r = Row("100", amount);
        r.SF_ADOALAP = amount;
        r.SF_JARALAP = amount;
        return r;
    }
    SzamfejtRow Absence(int days) const {
        SzamfejtRow r = Row("150", 0);
        r.SF_NAP = days;
        return r;
    }
    static std::optional<double> Base(const PayrollRun& run, const std::string& code) {
        const int at = run.rows.FindFirst(code);
        return at < 0 ? std::nullopt : run.rows[at].SF_JARALAP;
    }
    static std::optional<double> TaxBase(const PayrollRun& run, const std::string& code) {
        const int at = run.rows.FindFirst(code);
        return at < 0 ? std::nullopt : run.rows[at].SF_ADOALAP;
    }
};

}  // namespace enginetest
