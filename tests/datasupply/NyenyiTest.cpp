// The pension insurance records: the record set built from payroll rows and
// employees (insurance periods of record 09 around child-care absences,
// sums counted once), the XML file, and the data supply form.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "controls/MemDataSet.h"
#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "datasupply/NYENYIadatszolg.h"
#include "datasupply/NyenyiRekordok.h"
#include "datasupply/NyenyiXml.h"
#include "platform/db/Table.h"
#include "platform/os/AtomicFile.h"
#include "platform/ui/DatasetGrid.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;

class NyenyiTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek", {"CG_KOD", "CG_ADOSZAM", "CG_TBTORZSSZAM", "CG_TEAOR", "CG_FOTEV"},
                {{"001", "12345678123", "87654321", "0210", "Erdészet"}});
        // clang-format off
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV",       "JC_JARULKOD", "JC_JARULSOR"},
                             {{"100",    "Alapbér",      "00",          0},
                              {"200",    "Táppénz",      "10",          0},
                              {"205",    "GYED",         "12",          0},
                              {"210",    "GYES",         "13",          0},
                              {"300",    "Nyugdíjjár.",  "00",          0},
                              {"327",    "START 15%",    "00",          0},
                              {"328",    "START 25%",    "00",          0},
                              {"330",    "Egészségbizt.", "00",         0}});
        // clang-format on
        Minimalber(600);
    }

    void Minimalber(double p) {
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNUM"}, {{"0", "32", p}});
    }

    // Employees: number, name, insurance-relation code, then optional fields.
    void Dolgozo(const std::string& tsz, const std::string& kod,
                 const std::vector<std::pair<std::string, db::Variant>>& extra = {}) {
        std::vector<std::string> header = {"DG_TORZSSZAM", "DG_NEV", "DG_NYENYIJOGVKOD", "DG_MHKOD",
                                           "DG_ALKMIN"};
        testsupport::RowTable rows = {{tsz, "Minta Dolgozó " + tsz.substr(9), kod, "000001", "2"}};
        for (const auto& [f, v] : extra) {
            const auto at = std::find(header.begin(), header.end(), f);
            if (at != header.end()) {
                rows[0][static_cast<size_t>(at - header.begin())] = v;
            } else {
                header.push_back(f);
                rows[0].push_back(v);
            }
        }
        AddRows("Dolgozo_001", header, rows);
    }

    bool Build(const NyenyiTartomany& t = {"000000", "999999", "00000000000", "99999999999"}) {
        for (db::Table* table : {DM1->TableErtekkeszlet, DM1->TableMhely, DM1->TableJogcim, DM1->TableDolgozo,
                                 DM1->TableSzamfejt, DM1->TableCegek}) {
            table->Close();
            table->Open();
        }
        return NyenyiRekordokFeltolt(set, t);
    }

    // One line per record of an employee: its number, and for a record 09
    // its period, days, pension-liable income, health base, paid health
    // contribution and allowance code.
    std::string Dump(const std::string& tsz) {
        std::string out;
        for (set.First(); !set.Eof(); set.Next()) {
            if (set.FieldByName("Torzsszam").AsString() != tsz) continue;
            const std::string rj = set.FieldByName("Rekordjel").AsString();
            out += rj;
            if (rj == "09") {
                auto v = [this](const char* f) { return set.FieldByName(f).AsString(); };
                out += " " + v("09_BiztTol") + "-" + v("09_BiztIg") + " " + v("09_SzolgIdo") + " " +
                       v("09_NYJkotKerJov") + " " + v("09_NYBJalap") + " " + v("09_NYBJbefiz") + " " +
                       v("09_KedvKod");
            }
            out += "\n";
        }
        return out;
    }
    std::string Value(const std::string& tsz, const std::string& rj, const char* field) {
        for (set.First(); !set.Eof(); set.Next())
            if (set.FieldByName("Torzsszam").AsString() == tsz &&
                set.FieldByName("Rekordjel").AsString() == rj)
                return set.FieldByName(field).AsString();
        return "(none)";
    }

    // Writes the set's file into the temporary home and returns its bytes,
    // after xmllint found it well formed.
    std::string Xml(bool tbKifHely) {
        const std::string path = home.Path() + "/NY001.xml";
        EXPECT_TRUE(DM1->TableCegek->Locate("CG_KOD", "001"));
        NyenyiXmlIr(path, set, tbKifHely, *DM1->TableCegek);
        std::string out;
        EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << out;
        return os::ReadFile(path);
    }

    TMemoryData set;
};

const char* const kFelsorolas = "04\n05\n07\n08\n";

TEST_F(NyenyiTest, RecordsPerEmployee) {
    Dolgozo("00000000001", "20");
    Dolgozo("00000000002", "20");
    Dolgozo("00000000003", "00");
    Dolgozo("00000000004", "64");
    Dolgozo("00000000005", "30");
    Dolgozo("00000000006", "39");
    Dolgozo("00000000007", "20", {{"DG_MNYP", "0125"}, {"DG_BELEPDAT", "2019.02.01"}});
    // clang-format off
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JARALAP", "SF_OSSZEG", "SF_NAP", "SF_TOL",     "SF_IG"},
            {{"00000000001",   1,          "2019.01.31",  "300",      200000.0,     20000.0,     0,        db::Variant(), db::Variant()},
             {"00000000001",   1,          "2019.01.31",  "330",      200000.0,     3000.0,      0,        db::Variant(), db::Variant()},
             {"00000000001",   1,          "2019.01.31",  "327",      100000.0,     12500.0,     0,        db::Variant(), db::Variant()},
             {"00000000001",   2,          "2019.02.28",  "328",      50000.0,      5000.0,      0,        db::Variant(), db::Variant()},
             // A child-care absence of 10 to 20 March, with March's work sums.
             {"00000000002",   3,          "2019.03.31",  "300",      200000.0,     20000.0,     0,        db::Variant(), db::Variant()},
             {"00000000002",   3,          "2019.03.31",  "330",      200000.0,     3000.0,      0,        db::Variant(), db::Variant()},
             {"00000000002",   3,          "2019.03.31",  "205",      0.0,          80000.0,     11,       "2019.03.10",  "2019.03.20"},
             // Outside the build, yet a sick-pay row of the company.
             {"00000000003",   1,          "2019.01.31",  "200",      0.0,          1000.0,      2,        "2019.01.02",  "2019.01.03"},
             {"00000000004",   1,          "2019.01.31",  "100",      0.0,          1000.0,      0,        db::Variant(), db::Variant()},
             {"00000000005",   1,          "2019.01.31",  "100",      0.0,          1000.0,      0,        db::Variant(), db::Variant()},
             {"00000000006",   1,          "2019.01.31",  "100",      0.0,          1000.0,      0,        db::Variant(), db::Variant()},
             {"00000000007",   2,          "2019.02.28",  "100",      0.0,          1000.0,      0,        db::Variant(), db::Variant()}});
    // clang-format on
    dialogs.Answer(ui::Ok);
    EXPECT_TRUE(Build());  // TbKifHely: a 200 or 205 row

    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].text.toStdString(),
              "00000000007 törzsszámú dolgozó \"MNYP belép. dát.\" mezője üres a dolgozó törzsben!");
    EXPECT_EQ(Value("00000000007", "08", "08_MNYPbeDat"), "2019.02.01");

    set.First();
    EXPECT_EQ(set.FieldByName("Rekordjel").AsString(), "01");
    EXPECT_EQ(set.FieldByName("01_Targyev").AsString(), FeldolgozasiEv);
    set.Next();
    EXPECT_EQ(set.FieldByName("Rekordjel").AsString(), "02");
    EXPECT_EQ(set.FieldByName("02_Adoszam").AsString(), "12345678123");
    EXPECT_TRUE(set.FieldByName("02_Adoazonosito").IsNull());

    struct Case {
        const char* tsz;
        std::string records;
        const char* why;
    };
    const std::string vege = "16\n17\n18\n20\n";
    // clang-format off
    const Case cases[] = {
        {"00000000001", std::string(kFelsorolas) +
                        "09 2019.01.01-2019.12.31 365 200000 350000 20500 01\n11\n12\n" + vege,
         "one record for the year with the sums of 300, 330, 327 and 328; START amounts added to the paid"},
        {"00000000002", std::string(kFelsorolas) +
                        "09 2019.01.01-2019.01.31 0 0 0 0 \n"
                        "09 2019.02.01-2019.02.28 0 0 0 0 \n"
                        "09 2019.03.01-2019.03.09 9 90000 90000 1350 \n"
                        "09 2019.03.10-2019.03.20 0 0 0 0 \n"
                        "09 2019.03.21-2019.03.31 11 110000 110000 1650 \n"
                        "09 2019.04.01-2019.04.30 0 0 0 0 \n"
                        "09 2019.05.01-2019.05.31 0 0 0 0 \n"
                        "09 2019.06.01-2019.06.30 0 0 0 0 \n"
                        "09 2019.07.01-2019.07.31 0 0 0 0 \n"
                        "09 2019.08.01-2019.08.31 0 0 0 0 \n"
                        "09 2019.09.01-2019.09.30 0 0 0 0 \n"
                        "09 2019.10.01-2019.10.31 0 0 0 0 \n"
                        "09 2019.11.01-2019.11.30 0 0 0 0 \n"
                        "09 2019.12.01-2019.12.31 0 0 0 0 \n"
                        "10\n11\n12\n" + vege,
         "March split around the absence, its work sums shared by the two work periods by their days"},
        {"00000000003", "", "code 00: no records"},
        {"00000000005", std::string(kFelsorolas) + "09 2019.01.01-2019.12.31 0 0 0 0 \n12\n" + vege,
         "code 30: no working time"},
        {"00000000006", std::string(kFelsorolas) + "09 2019.01.01-2019.12.31 0 0 0 0 \n12\n15\n" + vege,
         "code 39: activity, no working time"},
        {"00000000007", std::string(kFelsorolas) + "09 2019.02.01-2019.12.31 0 0 0 0 \n11\n12\n" + vege,
         "the period of the year starts at the entry date"},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(Dump(c.tsz), c.records) << c.why;
    EXPECT_EQ(Value("00000000004", "07", "07_AlkMinNYENYI"), "20");
    EXPECT_EQ(Value("00000000002", "10", "10_SzunTol"), "2019.03.10");
    EXPECT_EQ(Value("00000000006", "15", "15_TEAORnev"), "Erdészet");
}

TEST_F(NyenyiTest, ServiceDaysFollowTheIncome) {
    struct Case {
        long long jov;
        int napok;
    } const cases[] = {{300, 15}, {600, 30}, {0, 0}, {-300, 0}};
    for (const Case& c : cases) EXPECT_EQ(NyenyiAranyosNapok(600, c.jov, 30, 30), c.napok) << c.jov;
}

TEST_F(NyenyiTest, MissingMinimumWageEndsTheBuild) {
    AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNUM"}, {{"0", "32", 0.0}});
    Dolgozo("00000000001", "20");
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JARALAP", "SF_OSSZEG"},
            {{"00000000001", 1, "2019.01.31", "300", 200000.0, 20000.0}});
    try {
        Build();
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Hiányzik vagy nulla az értékkészlet \"0\"/\"32\" sora (havi minimálbér)!");
    }
    EXPECT_GT(set.RecordCount(), 2);  // what was built stays
}

// A golden case: one employee with the relation code and name, in a
// company with or without a sole-trader tax id.
struct XmlCase {
    const char* golden;
    const char* evAdoaz;
    const char* kod;
    const char* nev;
    double start;  // a START 25% base
};

class NyenyiXmlTest : public NyenyiTest, public ::testing::WithParamInterface<XmlCase> {};

TEST_P(NyenyiXmlTest, MatchesGolden) {
    const XmlCase& c = GetParam();
    AddRows(
        "Cegek",
        {"CG_KOD", "CG_NEV", "CG_EVADOAZ", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ"},
        {{"001", "Kovács & Társa <Kft>", c.evAdoaz, "9400", "Sopron", "Fő", "utca", "1."}});
    Dolgozo("00000000001", c.kod,
            {{"DG_NEV", c.nev},
             {"DG_LEANYKNEV", "Nagy Éva"},
             {"DG_ANYJANEV", "Tóth Mária"},
             {"DG_TAJSZ", "123456789"},
             {"DG_NEM", "2"},
             {"DG_SZULDAT", "1980.05.06"},
             {"DG_SZULHELY", "Győr"},
             {"DG_HETIKOTORA", 37.5},
             {"DG_FEOR", "4121"},
             {"DG_MUNKAKOR", "könyvelő"},
             {"DG_MNYP", "0125"},
             {"DG_MNYPBEDAT", "2010.01.01"},
             {"DG_NYUGDIJAS", "I"}});
    // clang-format off
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JARALAP", "SF_OSSZEG", "SF_NAP", "SF_TOL",     "SF_IG"},
            {{"00000000001",   1,          "2019.01.31",  "300",      200000.0,     20000.0,     0,        db::Variant(), db::Variant()},
             {"00000000001",   1,          "2019.01.31",  "328",      c.start,      c.start / 10,     0,        db::Variant(), db::Variant()},
             {"00000000001",   2,          "2019.02.28",  "200",      0.0,          5000.0,      2,        "2019.02.04",  "2019.02.05"}});
    // clang-format on
    const bool tb = Build();
    const std::string bytes = Xml(tb);
    EXPECT_TRUE(testsupport::MatchesGolden("datasupply/golden/NyenyiXml", c.golden, bytes,
                                           testsupport::Encoding::Cp1250, "expected.xml"));
    EXPECT_EQ(bytes.substr(0, 5), "<?xml");
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    EXPECT_NE(bytes.find("\xf5"), std::string::npos);  // ő in CP1250
}

INSTANTIATE_TEST_SUITE_P(Cases, NyenyiXmlTest,
                         ::testing::Values(XmlCase{"employee", "", "20", "Kiss", 100000},
                                           XmlCase{"sole-trader", "8123456789", "43", "Nagy Ödön", 0}),
                         [](const auto& info) {
                             return info.param.golden == std::string("employee") ? "Employee" : "SoleTrader";
                         });

TEST_F(NyenyiTest, XmlOfAnEmptySetHasItsHeadAndTail) {
    Build();
    const std::string bytes = Xml(false);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 25);
    EXPECT_NE(
        bytes.find(
            "<jogviszonyAlapu>\r\n</jogviszonyAlapu>\r\n</szolgaltatandoAdatok>\r\n</nyenyiImport>\r\n"),
        std::string::npos);
}

TEST_F(NyenyiTest, XmlWriteErrorLeavesNoFile) {
    Dolgozo("00000000001", "20", {{"DG_NEV", "Kiss \u6f22"}});
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000001", 1, "2019.01.31", "100", 1000.0}});
    Build();
    const std::string path = home.Path() + "/NY001.xml";
    ASSERT_TRUE(DM1->TableCegek->Locate("CG_KOD", "001"));
    EXPECT_ANY_THROW(NyenyiXmlIr(path, set, false, *DM1->TableCegek));
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The form: a company's employees with rows, built through "Lekérdezés".
class NyenyiFormTest : public NyenyiTest {
protected:
    void SetUp() override {
        NyenyiTest::SetUp();
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Központ"}});
        Dolgozo("00000000001", "20", {{"DG_MNYP", "0125"}, {"DG_MNYPBEDAT", "2010.01.01"}});
        Dolgozo("00000000002", "20");
        Payroll({"SF_DGTORZSSZAM", "SF_DGMHKOD", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JARALAP",
                 "SF_OSSZEG"},
                {{"00000000001", "000001", 1, "2019.01.31", "300", 200000.0, 20000.0},
                 {"00000000002", "000001", 1, "2019.01.31", "300", 100000.0, 10000.0}});
    }
    void Open(TNYENYIadatszolgForm& form) {
        Show(form);
        ASSERT_TRUE(form.BitBtn1->isEnabled());
    }
    void Key(QWidget* w, int key) { QTest::keyClick(w, static_cast<Qt::Key>(key)); }
    TMemoryData& Set(TNYENYIadatszolgForm& form) { return form.RX_TableNYENYIadatsz; }
    // "Adatszolg." into the proposed folder; the file's bytes.
    std::string Write(TNYENYIadatszolgForm& form) {
        dialogs.Then([](const ui::DialogRequest& r) { return ui::DialogAnswer{ui::Ok, r.value, 0}; });
        dialogs.Answer(ui::Ok);
        form.BitBtn3->click();
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "A művelet befejeződött!");
        const std::string path = AdatszolgMappa(FeldolgozasiEv, "NYENYI") + "NY001.xml";
        std::string out;
        EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << out;
        return os::ReadFile(path);
    }
    static int Count(const std::string& text, const std::string& what) {
        int n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
};

TEST_F(NyenyiFormTest, BuildCorrectAndWrite) {
    TNYENYIadatszolgForm form;
    Open(form);
    EXPECT_EQ(form.windowTitle().toStdString(), "Szervíz/NYENYI adatszolgáltatás");
    EXPECT_EQ(form.Text("MaskEdit1").toStdString(), "000001");
    EXPECT_EQ(form.Text("MaskEdit6").toStdString(), "00000000002");
    EXPECT_FALSE(form.BitBtn3->isEnabled());
    form.BitBtn1->click();
    TMemoryData& set = Set(form);
    ASSERT_TRUE(set.Active());
    EXPECT_TRUE(form.BitBtn3->isEnabled());
    EXPECT_FALSE(form.BitBtn11->isEnabled());
    // Every field under its title.
    auto* model = form.DBGrid1->model();
    ASSERT_EQ(model->columnCount(), set.FieldCount());
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString().toStdString(), "Törzsszám");
    EXPECT_EQ(model->headerData(set.FieldCount() - 1, Qt::Horizontal).toString().toStdString(),
              "20 Járulék befiz");
    if (const char* shot = std::getenv("TAVRINA_NYENYI_SHOT")) {
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        form.grab().save(shot);
    }

    // Ins inserts; a record without an employee number sorts among 01 and 02.
    const int rows = set.RecordCount();
    Key(form.DBGrid1, Qt::Key_Insert);
    ASSERT_EQ(set.State(), db::DatasetState::Insert);
    EXPECT_TRUE(form.BitBtn11->isEnabled());
    EXPECT_FALSE(form.BitBtn3->isEnabled());
    set.FieldByName("Rekordjel").SetAsString("01");
    form.BitBtn11->click();
    ASSERT_EQ(set.State(), db::DatasetState::Browse);
    ASSERT_EQ(set.RecordCount(), rows + 1);
    set.First();
    set.Next();
    EXPECT_TRUE(set.FieldByName("Torzsszam").IsNull());
    EXPECT_EQ(set.FieldByName("Rekordjel").AsString(), "01");
    set.Next();
    EXPECT_EQ(set.FieldByName("Rekordjel").AsString(), "02");

    // A record 06 of the first employee, added by hand.
    Key(form.DBGrid1, Qt::Key_Insert);
    set.FieldByName("Torzsszam").SetAsString("00000000001");
    set.FieldByName("Rekordjel").SetAsString("06");
    set.FieldByName("06_ElozoNev").SetAsString("Kiss Anna");
    form.BitBtn11->click();
    // F12 on the first employee's record 08; Del in the cell editor deletes
    // characters, not the record, and the fund code cleared there drops the
    // membership from the file.
    ASSERT_TRUE(set.Locate("Torzsszam;Rekordjel", {"00000000001", "08"}));
    Key(form.DBGrid1, Qt::Key_F12);
    ASSERT_EQ(set.State(), db::DatasetState::Edit);
    int oszlop = 0;
    while (oszlop < model->columnCount() && model->headerData(oszlop, Qt::Horizontal).toString() != "08 MNYP")
        ++oszlop;
    const QModelIndex cella = model->index(form.DBGrid1->currentIndex().row(), oszlop);
    form.DBGrid1->setCurrentIndex(cella);
    form.DBGrid1->edit(cella);
    auto* editor = form.DBGrid1->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->text().toStdString(), "0125");
    editor->setCursorPosition(0);
    Key(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text().toStdString(), "125");
    EXPECT_EQ(set.State(), db::DatasetState::Edit);
    ASSERT_EQ(set.RecordCount(), rows + 2);
    editor->selectAll();
    Key(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text().toStdString(), "");
    form.BitBtn11->click();
    ASSERT_TRUE(set.Locate("Torzsszam;Rekordjel", {"00000000001", "08"}));
    EXPECT_TRUE(set.FieldByName("08_MNYP").IsNull());
    ASSERT_EQ(set.RecordCount(), rows + 2);

    const std::string xml = Write(form);
    EXPECT_EQ(Count(xml, "<biztositottOkmanyaival"), 2);  // nothing for the row without a number
    EXPECT_EQ(Count(xml, "<elozoNev>\r\n<csaladiNev>Kiss</csaladiNev>\r\n<utoNev1>Anna</utoNev1>"), 1);
    EXPECT_EQ(Count(xml, "<mNyPenztarTagsag>"), 0);

    // Del in browse mode asks first.
    dialogs.Answer(ui::Yes);
    Key(form.DBGrid1, Qt::Key_Delete);
    EXPECT_EQ(dialogs.Shown().back().text.toStdString(), "Valóban törölni szeretné a rekordot?");
    EXPECT_EQ(set.RecordCount(), rows + 1);

    // Closing asks; No keeps the form.
    const std::string kilep =
        "Valóban ki szeretne lépni?\rFIGYELEM: A bevitt adatok nem kerülnek eltárolásra!";
    dialogs.Answer(ui::No);
    form.BitBtn2->click();
    EXPECT_EQ(dialogs.Shown().back().text.toStdString(), kilep);
    EXPECT_TRUE(form.isVisible());
    dialogs.Answer(ui::Yes);
    form.BitBtn2->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(set.Active());
}

TEST_F(NyenyiFormTest, AWriteErrorIsShownAndLeavesNoFile) {
    TNYENYIadatszolgForm form;
    Open(form);
    form.BitBtn1->click();
    // The file's name is taken by a folder: the file cannot replace it.
    const std::string mappa = AdatszolgMappa(FeldolgozasiEv, "NYENYI");
    const std::string path = mappa + "NY001.xml";
    std::filesystem::create_directories(path);
    dialogs.Then([](const ui::DialogRequest& r) { return ui::DialogAnswer{ui::Ok, r.value, 0}; });
    dialogs.Answer(ui::Ok);
    form.BitBtn3->click();
    const auto& shown = dialogs.Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, ui::DialogKind::Folder);
    EXPECT_EQ(shown[0].caption.toStdString(), "Célkönyvtár kiválasztása");
    EXPECT_EQ(shown[0].value.toStdString(), mappa);
    EXPECT_EQ(shown[1].caption.toStdString(), "Üzenet");
    EXPECT_EQ(shown[1].icon, ui::Icon::Error);
    EXPECT_EQ(shown[1].text.toStdString().rfind("Hiba történt a(z) " + path + " fájl írása során...\r", 0),
              0u)
        << shown[1].text.toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(path));
    // Nothing else is left in the folder (no partial or temporary file).
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(mappa), std::filesystem::directory_iterator()), 1);
    EXPECT_EQ(form.ProgressBar1->value(), 0);
}

TEST_F(NyenyiFormTest, FailedBuildCannotBeSent) {
    Minimalber(0);
    std::vector<std::string> hibak;
    testsupport::CollectApplicationErrors(hibak);
    {
        TNYENYIadatszolgForm form;
        Open(form);
        form.BitBtn1->click();
        EXPECT_EQ(hibak, std::vector<std::string>{
                             "Hiányzik vagy nulla az értékkészlet \"0\"/\"32\" sora (havi minimálbér)!"});
        EXPECT_FALSE(form.BitBtn3->isEnabled());
        EXPECT_TRUE(form.BitBtn5->isEnabled());
        Key(form.DBGrid1, Qt::Key_Insert);
        EXPECT_FALSE(form.BitBtn3->isEnabled());
        Key(form.DBGrid1, Qt::Key_Escape);
        EXPECT_EQ(Set(form).State(), db::DatasetState::Browse);
        EXPECT_FALSE(form.BitBtn3->isEnabled());
    }
    db::SetApplicationExceptionHandler(nullptr);
}

}  // namespace
