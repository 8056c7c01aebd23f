#include <filesystem>

#include "platform/os/DayNumber.h"
#include "support/Golden.h"
#include "support/TestCompany.h"

using namespace payroll;
using namespace enginetest;

namespace {

// Ten employees of one company computed and saved for March 2019: monthly
// and hourly wages, standing items of the three passes, a family allowance,
// a pension fund member, an entrepreneur, EKHO, an SZHA allowance, a second
// payment date, an entry in the month and an absence paid earlier.
class GoldenRunTest : public testsupport::HomeTest {
protected:
    void SetUp() override {
        const std::string folder = home.Path() + "/Tavrina/2019";
        std::filesystem::create_directories(folder);
        db::Engine::AddStandardAlias("TR19", folder);
        MakeTestCompany("TR19");
        // 15 March is a paid holiday in every schedule.
        db::Table naptar;
        naptar.DatabaseName = "TR19";
        naptar.TableName = "Naptar";
        naptar.Open();
        ASSERT_TRUE(naptar.Locate("NT_DATUM", db::Variant(os::EncodeDate(2019, 3, 15))));
        naptar.Edit();
        naptar.FieldByName("NT_ERTEK").SetAsString("2");
        for (int i = 1; i <= 9; ++i) naptar.FieldByName("NT_ERTEK" + std::to_string(i)).SetAsString("2");
        naptar.Post();

        // clang-format off
        WriteRows("TR19", "Dolgozo_001", {
            {"DG_TORZSSZAM", "DG_NEV",            "DG_MHKOD", "DG_BELEPDAT", "DG_BERFORM", "DG_ALKMIN", "DG_ALAPBER", "DG_NAPIKOTORA", "DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG", "DG_SZHA", "DG_ERDEKTAGD", "DG_CSALKEDV", "DG_CSJARKEDVERV", "DG_MNYP", "DG_SZHAKEDVKOD", "DG_VALLALKMINBER", "DG_ALKMINADATSZ", "DG_SZABKER", "DG_BETEGSZABKER"},
            {"00001", "Havi Anna",         "000001", "2015.01.01", "1", "1", "300000", "8", "I", "I", "I", "N", "I", "I", "",       "",  "",     "",   "",       "",   "20", "15"},
            {"00002", "Órabéres Béla",     "000001", "2015.01.01", "2", "1", "1500",   "8", "I", "I", "I", "N", "I", "",  "",       "",  "",     "",   "",       "",   "20", "15"},
            {"00003", "Családos Cecília",  "000001", "2015.01.01", "1", "1", "250000", "8", "I", "I", "I", "N", "I", "",  "133340", "I", "",     "",   "",       "",   "20", "15"},
            {"00004", "Pénztártag Dénes",  "000001", "2015.01.01", "1", "1", "400000", "8", "I", "I", "I", "N", "I", "",  "",       "",  "0101", "",   "",       "",   "20", "15"},
            {"00005", "Vállalkozó Elemér", "000001", "2015.01.01", "0", "6", "0",      "8", "I", "I", "I", "I", "I", "",  "",       "",  "",     "",   "200000", "30", "20", "15"},
            {"00006", "Ekhós Ferenc",      "000001", "2015.01.01", "1", "1", "200000", "8", "I", "I", "I", "N", "I", "",  "",       "",  "",     "",   "",       "",   "20", "15"},
            {"00007", "Részmunkás Gizella","000001", "2015.01.01", "1", "1", "150000", "4", "I", "I", "I", "N", "I", "",  "",       "",  "",     "06", "",       "",   "20", "15"},
            {"00008", "Kétszer Hugó",      "000001", "2015.01.01", "1", "1", "300000", "8", "I", "I", "I", "N", "I", "",  "",       "",  "",     "",   "",       "",   "20", "15"},
            {"00009", "Belépő Ilona",      "000001", "2019.03.11", "1", "1", "240000", "8", "I", "I", "I", "N", "I", "",  "",       "",  "",     "20", "",       "",   "20", "15"},
            {"00010", "Ötös Jenő",         "000001", "2015.01.01", "2", "5", "1200",   "8", "I", "I", "I", "N", "I", "",  "",       "",  "",     "",   "",       "",   "20", "15"},
        });
        WriteRows("TR19", "RJogcim_001", {
            {"RJ_DGTORZSSZAM", "RJ_JCKOD", "RJ_SORSZAM", "RJ_DGNEV", "RJ_OSSZEG", "RJ_SZAZ"},
            {"00001", "120",  "1", "Havi Anna",         "50000",  ""},
            {"00001", "250",  "1", "Havi Anna",         "10000",  ""},
            {"00001", "275",  "1", "Havi Anna",         "8000",   ""},
            {"00001", "400",  "1", "Havi Anna",         "",       "10"},
            {"00002", "410",  "1", "Órabéres Béla",     "20000",  ""},
            {"00005", "120",  "1", "Vállalkozó Elemér", "100000", ""},
            {"00006", "260",  "1", "Ekhós Ferenc",      "10000",  ""},
            {"00006", "282A", "1", "Ekhós Ferenc",      "100000", ""},
            {"00008", "120",  "1", "Kétszer Hugó",      "20000",  ""},
        });
        // An absence of the entrepreneur paid earlier in March.
        WriteRows("TR19", "Szamfejt_001", {
            {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM", "SF_OSSZEG", "SF_NAP", "SF_TOL",     "SF_IG"},
            {"00005",          "3",        "2019.03.20",  "150",      "1",          "0",         "2",      "2019.03.04", "2019.03.05"},
        });
        // clang-format on
    }
};

std::string Line(const SzamfejtRow& r) {
    std::string out = r.SF_DGTORZSSZAM + " " + DatumSzoveg(r.SF_KIFIZDAT);
    for (const char* f : {"SF_HONAP", "SF_JCKOD", "SF_SORSZAM", "SF_RJSORSZAM", "SF_OSSZEG", "SF_ADOALAP",
                          "SF_JARALAP", "SF_NAP", "SF_ORA", "SF_SZAZALEK", "SF_SZHAKEDVSZAZ",
                          "SF_SZHAKEDVKOD", "SF_SZHASZAZLEV", "SF_JCTIPUS", "SF_JCNEV"})
        out += " | " + r.Get(f).ToString();
    return out + "\n";
}

TEST_F(GoldenRunTest, TenEmployeesOfOneMonth) {
    RunLoader loader({"TR19", "TR18", "001", 2019});
    db::Table table;
    table.DatabaseName = "TR19";
    table.TableName = "Szamfejt_001";
    std::vector<std::string> messages;
    std::string text =
        "employee date | month | code | number | standing item | amount | tax base | contribution base | "
        "days | "
        "hours | percent | allowance percent | allowance code | SZHA deduction rate | category | name\n";
    for (int i = 1; i <= 10; ++i) {
        char id[8];
        std::snprintf(id, sizeof id, "%05d", i);
        RunAndSave(loader, table, id, 3, os::EncodeDate(2019, 4, 10));
        if (i == 8) RunAndSave(loader, table, id, 3, os::EncodeDate(2019, 4, 20));
        for (const SzamfejtRow& r : ReadPayrollRows(home.Path() + "/Tavrina/2019", "Szamfejt_001", id))
            text += Line(r);
    }
    EXPECT_TRUE(testsupport::MatchesGolden("payroll/engine/golden/Szamf", "ten-employees", text));
}

}  // namespace
