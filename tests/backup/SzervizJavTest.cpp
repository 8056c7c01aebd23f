#include "backup/SzervizJav.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "core/DataModule1.h"
#include "core/Kivalaszt.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }

struct Employee {
    const char* id;
    const char* name;
    double entry, exit;
};

struct Row {
    const char* id;
    int month;
    double paid;
    const char* code;
    double amount;
};

class SzervizJavTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        testsupport::MakeCompany("001", "Első Kft", "Első");
        dm->SetCompanyTableNames("001");
    }

    void Employees(const std::vector<Employee>& list) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = "Dolgozo_001";
        t.Open();
        for (const Employee& e : list) {
            t.Append();
            t.FieldByName("DG_TORZSSZAM").SetAsString(e.id);
            t.FieldByName("DG_NEV").SetAsString(e.name);
            t.FieldByName("DG_BELEPDAT").SetAsDateTime(e.entry);
            if (e.exit != 0) t.FieldByName("DG_KILEPDAT").SetAsDateTime(e.exit);
            testsupport::FillRequired(t);
            t.Post();
        }
    }

    void Rows(const std::vector<Row>& list) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = "Szamfejt_001";
        t.Open();
        int n = 0;
        for (const Row& r : list) {
            t.Append();
            t.FieldByName("SF_DGTORZSSZAM").SetAsString(r.id);
            t.FieldByName("SF_HONAP").SetAsInteger(r.month);
            t.FieldByName("SF_KIFIZDAT").SetAsDateTime(r.paid);
            t.FieldByName("SF_JCKOD").SetAsString(r.code);
            t.FieldByName("SF_SORSZAM").SetAsInteger(++n);
            t.FieldByName("SF_JCNEV").SetAsString(std::string("Tétel ") + r.code);
            t.FieldByName("SF_OSSZEG").SetAsFloat(r.amount);
            t.FieldByName("SF_DGMHKOD").SetAsString("000001");
            testsupport::FillRequired(t);
            t.Post();
        }
    }

    // Code of each payroll row, in key order.
    std::vector<std::string> Codes() {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = "Szamfejt_001";
        t.Open();
        std::vector<std::string> out;
        for (t.First(); !t.Eof(); t.Next())
            out.push_back(t.FieldByName("SF_DGTORZSSZAM").AsString().substr(9) + " " +
                          t.FieldByName("SF_JCKOD").AsString());
        return out;
    }

    std::vector<std::string> Run(TSzervizJavForm& form) {
        testsupport::ScriptedDialogs script;
        script.Answer(ui::Ok);
        form.BitBtn1->click();
        EXPECT_EQ(script.Text(0), "A javítás sikeresen befejeződött!");
        std::vector<std::string> lines;
        for (int i = 0; i < form.ListBox1->count(); ++i)
            lines.push_back(form.ListBox1->item(i)->text().toStdString());
        EXPECT_EQ(form.BitBtn1->text(), "Javítás");
        EXPECT_TRUE(form.BitBtn1->isEnabled());
        return lines;
    }
};

}  // namespace

TEST_F(SzervizJavTest, RecodesTheAllowanceRowsOfEmployeesNotEntitled) {
    // clang-format off
    Employees({
        {"10000000001", "Belépő Anna",  Day(2019, 1, 15), 0},                 // entered mid-month
        {"10000000002", "Beteg Béla",   Day(2018, 3, 1),  0},                 // absent on item 205
        {"10000000003", "Kilépő Cili",  Day(2018, 3, 1),  Day(2019, 1, 31)},  // left on the last day
        {"10000000004", "Kétszer Dani", Day(2019, 1, 2),  0},                 // paid on two dates
        {"10000000005", "Fordított Edit", Day(2019, 1, 20), Day(2019, 1, 10)},  // entry after exit
    });
    Rows({
        {"10000000001", 1, Day(2019, 1, 31), "327L", 1000},
        {"10000000001", 1, Day(2019, 1, 31), "327M", 2000},
        {"10000000001", 1, Day(2019, 1, 31), "328L", 3000},
        {"10000000001", 1, Day(2019, 1, 31), "328M", 4000.5},
        {"10000000001", 2, Day(2019, 2, 28), "327L", 1000},   // not January
        {"10000000002", 1, Day(2019, 1, 31), "205",  500},
        {"10000000002", 1, Day(2019, 1, 31), "327L", 1500},
        {"10000000003", 1, Day(2019, 1, 31), "327L", 1600},
        {"10000000004", 1, Day(2019, 1, 10), "327L", 1700},
        {"10000000004", 1, Day(2019, 1, 25), "327L", 1800},
        {"10000000005", 1, Day(2019, 1, 31), "328M", 1900},
    });
    // clang-format on
    TSzervizJavForm form;
    form.show();
    ASSERT_TRUE(form.BitBtn1->isEnabled());
    const std::vector<std::string> lines = Run(form);
    const std::vector<std::string> expected = {
        "Törzsszám: 10000000001 / Név: Belépő Anna / Hónap: 1 / Hibás kedvezmény: Tétel 327L / Hibás "
        "kedvezmény "
        "összege: 1000",
        "Törzsszám: 10000000001 / Név: Belépő Anna / Hónap: 1 / Hibás kedvezmény: Tétel 327M / Hibás "
        "kedvezmény "
        "összege: 2000",
        "Törzsszám: 10000000001 / Név: Belépő Anna / Hónap: 1 / Hibás kedvezmény: Tétel 328L / Hibás "
        "kedvezmény "
        "összege: 3000",
        "Törzsszám: 10000000001 / Név: Belépő Anna / Hónap: 1 / Hibás kedvezmény: Tétel 328M / Hibás "
        "kedvezmény "
        "összege: 4000,5",
        "Törzsszám: 10000000002 / Név: Beteg Béla / Hónap: 1 / Hibás kedvezmény: Tétel 327L / Hibás "
        "kedvezmény "
        "összege: 1500",
        "Törzsszám: 10000000004 / Név: Kétszer Dani / Hónap: 1 / Hibás kedvezmény: Tétel 327L / Hibás "
        "kedvezmény "
        "összege: 1700",
        "Törzsszám: 10000000004 / Név: Kétszer Dani / Hónap: 1 / Hibás kedvezmény: Tétel 327L / Hibás "
        "kedvezmény "
        "összege: 1800",
        "A javítás sikeresen befejeződött!",
    };
    EXPECT_EQ(lines, expected);
    form.close();
    const std::vector<std::string> codes = {"01 999X", "01 999X", "01 999X", "01 999X", "01 327L", "02 205",
                                            "02 999X", "03 327L", "04 999X", "04 999X", "05 328M"};
    std::vector<std::string> got = Codes();
    std::sort(got.begin(), got.end());
    std::vector<std::string> want = codes;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);

    // A second run finds nothing more.
    TSzervizJavForm again;
    again.show();
    EXPECT_EQ(Run(again), std::vector<std::string>{"A javítás sikeresen befejeződött!"});
}

TEST_F(SzervizJavTest, WithoutPayrollRowsTheRepairCannotStart) {
    {
        TSzervizJavForm form;
        form.show();
        EXPECT_FALSE(form.BitBtn1->isEnabled());
    }
    Employees({{"10000000001", "Anna", Day(2018, 1, 1), 0}});
    Rows({{"10000000001", 1, Day(2019, 1, 31), "327L", 1000}});
    {
        TSzervizJavForm form;
        form.show();
        EXPECT_TRUE(form.BitBtn1->isEnabled());
    }
}

// A payroll table that cannot be read keeps the form from opening with the
// damage named, and gives back the tables it had opened read-only.
TEST_F(SzervizJavTest, DamagedPayrollTableGivesBackTheOpenedTables) {
    Employees({{"10000000001", "Anna", Day(2018, 1, 1), 0}});
    Rows({{"10000000001", 1, Day(2019, 1, 31), "327L", 1000},
          {"10000000001", 1, Day(2019, 1, 31), "328L", 500}});
    const std::string path = db::TableFilePath(AktualisAlias, "Szamfejt_001");
    std::string bytes = testsupport::ReadBytes(path);
    // Every page after the first (the schema's) overwritten.
    for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xA5 ^ (i * 31));
    testsupport::WriteBytes(path, bytes);
    try {
        TSzervizJavForm form;
        ADD_FAILURE() << "opened";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("Szamfejt_001: A tábla megsérült!"), std::string::npos)
            << e.what();
    }
    for (db::Table* t : {DM1->TableMhely, DM1->TableJogcim, DM1->TableDolgozo, DM1->TableSzamfejt}) {
        EXPECT_FALSE(t->Active()) << t->TableName;
        EXPECT_FALSE(t->ReadOnly) << t->TableName;
    }
    EXPECT_EQ(KivalasztForm, nullptr);
}
