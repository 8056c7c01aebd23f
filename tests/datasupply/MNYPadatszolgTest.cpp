// A private pension fund's month: a member row per employee with payroll rows
// of the fund in the month, an employer row with the totals, the three
// fixed-width files written whole, and the summary sheet.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "controls/NumEdits.h"
#include "core/StartValues.h"
#include "datasupply/MNYPadatszolg.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
namespace fs = std::filesystem;

const char* const kNemLehet = "A műveletet nem lehet végrehajtani...";

class MnypTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("NyugP", {"NP_KOD", "NP_NEV", "NP_BANKSZLA"},
                {{"0125", "Első Magánnyugdíjpénztár", "11111111-22222222-33333333"}});
        AddRows("Cegek",
                {"CG_KOD", "CG_ADOSZAM", "CG_BANKSZLA", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL",
                 "CG_HAZSZ", "CG_UGYINT", "CG_TEL", "CG_ASZOLG", "CG_ASZOLGTEL", "CG_ASZOLGADOSZ"},
                {{"001", "12345678901", "12345678-87654321", "9400", "Sopron", "Fő", "utca", "1",
                  "Kiss Ágnes", "99/123-456", "Űrlap Bt.", "1/222-333", "87654321123"}});
        // clang-format off
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV", "DG_TAJSZ", "DG_UTLEVELSZ", "DG_MNYP", "DG_MNYPDOLKIEG",
                 "DG_MNYPBEDAT", "DG_BELEPDAT", "DG_KILEPDAT", "DG_ELOZOMNYPKIDAT", "DG_MNYPFORGKOD", "DG_MNYPJOGVKOD"},
                {{"00000000001", "Zöld Ödön", "111111111", "", "0125", 2.5,
                  "2019.03.10", "2019.03.15", "2019.03.20", "2019.03.25", "01", "02"},
                 {"00000000002", "Ács Éva", "", "AB123456", "0125", db::Variant(),
                  "2018.03.05", "2015.01.01", db::Variant(), db::Variant(), "01", "02"}});
        // Two payment dates in March for the first; February and another fund stay out.
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_DGMNYP", "SF_JCKOD", "SF_OSSZEG", "SF_JARALAP"},
                {{"00000000001",   3,          "2019.03.05",  "0125",      "301",      1000.4,      10000.0},
                 {"00000000001",   3,          "2019.03.20",  "0125",      "301",      500.5,       5000.0},
                 {"00000000001",   3,          "2019.03.20",  "0125",      "302",      300.0,       0.0},
                 {"00000000001",   3,          "2019.03.20",  "0125",      "333",      200.0,       0.0},
                 {"00000000001",   3,          "2019.03.20",  "0125",      "100",      300000.0,    0.0},
                 {"00000000002",   3,          "2019.03.05",  "0125",      "301",      800.0,       8000.0},
                 {"00000000001",   2,          "2019.02.05",  "0125",      "301",      9999.0,      99999.0},
                 {"00000000002",   3,          "2019.03.05",  "0200",      "301",      7777.0,      77777.0}});
        // clang-format on
    }

    void Collect(TMNYPadatszolgForm& form, int month = 3) {
        Show(form);
        form.MonthEdit("CurrencyEdit1")->SetValue(month);
        form.Edit("MaskEdit7")->setText("0125");
        ASSERT_TRUE(form.BitBtn1->isEnabled());
        dialogs.Answer(ui::Ok);
        form.BitBtn1->click();
        ASSERT_EQ(dialogs.Shown().back().text.toStdString(), "A lekérdezés befejeződött.");
    }
    void Write(TMNYPadatszolgForm& form) {
        dialogs.Answer(ui::Ok);
        form.BitBtn4->click();
    }
    std::string Base() { return MnypAlapMappa(FeldolgozasiEv, "0125", 3); }
    QString Last() { return dialogs.Shown().back().text; }

    os::FixedClock clock{os::EncodeDate(2019, 4, 8)};
};

std::string Value(TMemoryData& md, const char* field) { return md.FieldByName(field).AsString(); }

TEST_F(MnypTest, NamesFollowTheFundAndMonth) {
    const MnypFajlNevek n = ProposeMnypFileNames("/m/", "001", "2019", 3, "0125");
    EXPECT_EQ(n.alkonyvtar, "/m/F00001/");
    EXPECT_EQ(n.fej, "/m/F00001/B00001F9.mar");
    EXPECT_EQ(n.tetel, "/m/F00001/B00001T9.mar");
    EXPECT_EQ(n.kontrol, "/m/BEVA1903.125");
    EXPECT_EQ(ProposeMnypFileNames("/m/", "001", "2019", 12, "0125").fej, "/m/F00001/B00001F9.dec");
    EXPECT_EQ(ProposeMnypFileNames("/m/", "001", "2019", 3, "    ").fej, "");
    EXPECT_EQ(MnypSzazalek(2.5), "02.500");
    EXPECT_EQ(MnypSzazalek(0), "00.000");
    EXPECT_EQ(MnypSzazalek(12.25), "12.250");
    EXPECT_EQ(Base(), os::BaseFolder() + "/ADATSZLG/2019/MNYP_0125/03/");

    TMNYPadatszolgForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Szerviz/MNYP adatszolgáltatás");
    EXPECT_EQ(form.Month("CurrencyEdit1"), 3);
    EXPECT_EQ(form.Text("MaskEdit7"), "0125");  // the lowest fund on the payroll rows
    EXPECT_EQ(form.NameText("MaskEdit7"), "Első Magánnyugdíjpénztár");
    EXPECT_EQ(form.Text("Edit1").toStdString(), Base());
    EXPECT_EQ(form.Text("Edit4").toStdString(), Base() + "BEVA1903.125");
    form.MonthEdit("CurrencyEdit1")->SetValue(4);
    EXPECT_EQ(form.Text("Edit2").toStdString(), MnypAlapMappa("2019", "0125", 4) + "F00001/B00001F9.apr");

    // "..." picks a folder; cancelled, the proposed one comes back.
    const std::string picked = os::BaseFolder() + "/lemez";
    fs::create_directories(picked);
    dialogs.Then([&](const ui::DialogRequest&) {
        return ui::DialogAnswer{ui::Ok, QString::fromStdString(picked), 0};
    });
    form.BitBtn5->click();
    EXPECT_EQ(form.Text("Edit3").toStdString(), picked + "/F00001/B00001T9.apr");
    dialogs.Then([](const ui::DialogRequest&) { return ui::DialogAnswer{ui::Cancel, {}, 0}; });
    form.BitBtn5->click();
    EXPECT_EQ(form.Text("Edit1").toStdString(), MnypAlapMappa("2019", "0125", 4));
}

TEST_F(MnypTest, CollectionMakesAMemberRowPerEmployee) {
    TMNYPadatszolgForm form;
    Collect(form);
    ASSERT_EQ(form.mdHaviForg.RecordCount(), 2);
    struct Case {
        const char* field;
        const char* first;   // both payment dates summed, dates in March
        const char* second;  // no rate, no social security number, dates of other months
    };
    const Case cases[] = {
        {"HF_TAJSZ", "111111111", ""},
        {"HF_NEV", "Zöld Ödön", "Ács Éva"},
        {"HF_AZONTIP", "1", "1"},
        {"HF_MUNKADOSZ", "12345678901", "12345678901"},
        {"HF_BEVALLIDOSZ", "201903", "201903"},
        {"HF_JARALAP", "15000", "8000"},
        {"HF_TAGDIJ", "1501", "800"},
        {"HF_MUNKVALLKIEG", "300", "0"},
        {"HF_MUNKKIEG", "200", "0"},
        {"HF_OSSZBEVALL", "2001", "800"},
        {"HF_MUNKVALLKIEGSZAZ", "02.500", "00.000"},
        {"HF_ALKMINKEZD", "20190315", ""},
        {"HF_ALKMINVEG", "20190320", ""},
        {"HF_ASZOLGDAT", "20190408", "20190408"},
        {"HF_PENZTARKOD", "0125", "0125"},
        {"HF_UTLEVELSZ", "", "AB123456"},
        {"HF_ELTEROADAT", "N", "N"},
    };
    for (const Case& c : cases) {
        form.mdHaviForg.First();
        EXPECT_EQ(Value(form.mdHaviForg, c.field), c.first) << c.field;
        form.mdHaviForg.Next();
        EXPECT_EQ(Value(form.mdHaviForg, c.field), c.second) << c.field;
    }
    const std::pair<const char*, const char*> employer[] = {
        {"FO_AZONTIP", "1"},
        {"FO_TERMSZEM", "F"},
        {"FO_PENZFJELZ", "1234567887654321"},
        {"FO_TAGSZAM", "2"},
        {"FO_JARALAP", "23000"},
        {"FO_TAGDIJ", "2301"},
        {"FO_MUNKVALLKIEG", "300"},
        {"FO_MUNKKIEG", "200"},
        {"FO_MUNKKIEGMERT", "02.500"},
        {"FO_BEFIZ", "2801"},
        {"FO_PENZTARPENZFJ", "111111112222222233333333"},
        {"FO_HFAJLNEV", "B00001T9.mar"},
        {"FO_CIM", "Fő utca 1    "},
        {"FO_BEVALLJELL", ""},
    };
    for (const auto& [field, value] : employer) EXPECT_EQ(Value(form.mdFoglOssz, field), value) << field;

    // A private person's ten-character tax id.
    AddRows("Cegek", {"CG_KOD", "CG_ADOSZAM"}, {{"001", "1234567890"}});
    DM1->TableCegek->Refresh();
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    EXPECT_EQ(Value(form.mdHaviForg, "HF_AZONTIP"), "8");
    EXPECT_EQ(Value(form.mdFoglOssz, "FO_AZONTIP"), "8");
    EXPECT_EQ(Value(form.mdFoglOssz, "FO_TERMSZEM"), "T");
}

TEST_F(MnypTest, FilesMatchTheirLayouts) {
    TMNYPadatszolgForm form;
    Collect(form);
    Write(form);
    EXPECT_EQ(Last(), "Az adatszolgáltatás fájlok elkészültek.");
    const std::string tetel = os::ReadFile(Base() + "F00001/B00001T9.mar");
    const std::string fej = os::ReadFile(Base() + "F00001/B00001F9.mar");
    const std::string kontrol = os::ReadFile(Base() + "BEVA1903.125");
    ASSERT_EQ(tetel.size(), 2u * 165);  // accented names keep the length
    EXPECT_EQ(tetel.substr(163, 2), "\r\n");
    EXPECT_EQ(tetel.substr(165 + 111, 8), "        ");  // no start day
    ASSERT_EQ(fej.size(), 780u);
    EXPECT_EQ(fej.substr(778), "\r\n");
    ASSERT_EQ(kontrol.size(), 273u + 12 + 2);
    EXPECT_EQ(kontrol.substr(269, 4), "   1");
    for (const auto& [name, bytes] : {std::pair{"tetel", tetel}, {"fej", fej}, {"kontrol", kontrol}})
        EXPECT_TRUE(testsupport::MatchesGolden("datasupply/golden/MNYPadatszolg", name, bytes,
                                               testsupport::Encoding::Cp852))
            << name;

    // A rate cleared in the grid is written as zeros.
    form.mdHaviForg.First();
    form.mdHaviForg.Edit();
    form.mdHaviForg.FieldByName("HF_MUNKVALLKIEGSZAZ").Clear();
    form.mdHaviForg.Post();
    EXPECT_EQ(MnypTetelSor(form.mdHaviForg).substr(91, 6), "000000");

    // No member: an empty item file, 0 members.
    Collect(form, 4);
    Write(form);
    const std::string base4 = MnypAlapMappa("2019", "0125", 4);
    EXPECT_EQ(os::ReadFile(base4 + "F00001/B00001T9.apr"), "");
    EXPECT_EQ(os::ReadFile(base4 + "F00001/B00001F9.apr").substr(407, 5), "    0");
}

TEST_F(MnypTest, ControlLineListsEveryCompanyOfTheFolder) {
    testsupport::MakeCompany("002", "Második Kft.", "Második");
    fs::create_directories(Base() + "F00002");
    os::WriteFileAtomic(Base() + "F00002/B00002F9.mar", "x");
    os::WriteFileAtomic(Base() + "F00002/B00002T9.mar", "x");
    TMNYPadatszolgForm form;
    Collect(form);
    Write(form);
    const std::string kontrol = os::ReadFile(Base() + "BEVA1903.125");
    EXPECT_EQ(kontrol.substr(269, 4), "   2");
    EXPECT_EQ(kontrol.substr(273), "B00001F9.marB00002F9.mar\r\n");

    // A failed item stage: its box, no file, no completion, this company left out.
    fs::remove(Base() + "F00001/B00001T9.mar");
    fs::create_directories(Base() + "F00001/B00001T9.mar");
    const size_t before = dialogs.Shown().size();
    Write(form);
    ASSERT_EQ(dialogs.Shown().size(), before + 1);
    EXPECT_EQ(dialogs.Caption(before), "Üzenet");
    EXPECT_TRUE(Last().startsWith(
        QString::fromStdString("Hiba történt a(z) " + Base() + "F00001/B00001T9.mar fájl írása során...\r")));
    EXPECT_TRUE(fs::is_directory(Base() + "F00001/B00001T9.mar"));
    const std::string utana = os::ReadFile(Base() + "BEVA1903.125");
    EXPECT_EQ(utana.substr(269), "   1B00002F9.mar\r\n");
    for (const auto& e : fs::directory_iterator(Base() + "F00001"))
        EXPECT_TRUE(e.path().filename() == "B00001T9.mar" || e.path().filename() == "B00001F9.mar")
            << e.path();
}

TEST_F(MnypTest, StaleOrStoppedCollectionsAreRefused) {
    TMNYPadatszolgForm form;
    Show(form);
    for (QPushButton* b : {form.BitBtn4, form.BitBtn3}) {
        dialogs.Answer(ui::Ok);
        b->click();
        EXPECT_EQ(Last(), kNemLehet);
    }
    Collect(form);
    form.MonthEdit("CurrencyEdit1")->SetValue(3);  // the same month again
    Write(form);
    EXPECT_EQ(Last(), "Az adatszolgáltatás fájlok elkészültek.");
    dialogs.Then([](const ui::DialogRequest&) { return ui::DialogAnswer{ui::Cancel, {}, 0}; });
    form.BitBtn5->click();  // "..." keeps the collection
    Write(form);
    EXPECT_EQ(Last(), "Az adatszolgáltatás fájlok elkészültek.");
    form.Edit("MaskEdit7")->setText("0126");
    for (QPushButton* b : {form.BitBtn4, form.BitBtn3}) {
        dialogs.Answer(ui::Ok);
        b->click();
        EXPECT_EQ(Last(), kNemLehet);
    }

    // A fee that does not fit its seven characters stops the collection.
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_DGMNYP", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000002", 3, "2019.03.25", "0125", "301", 9999200.0}});
    form.Edit("MaskEdit7")->setText("0125");
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    EXPECT_EQ(dialogs.Caption(dialogs.Shown().size() - 1), "Üzenetkezelő");
    EXPECT_EQ(Last(), "A(z) 10000000 érték nem fér el a(z) 7 karakter széles mezőben.");
    for (QPushButton* b : {form.BitBtn4, form.BitBtn3}) {
        dialogs.Answer(ui::Ok);
        b->click();
        EXPECT_EQ(Last(), kNemLehet);
    }
}

TEST_F(MnypTest, SummarySheetRepeatsTheEmployerRow) {
    TMNYPadatszolgForm form;
    Collect(form);
    // A posted grid edit is what the sheet prints.
    form.mdFoglOssz.Edit();
    form.mdFoglOssz.FieldByName("FO_KAPCSSZEM").SetAsString("Nagy Anna");
    form.mdFoglOssz.Post();
    QStringList lines;
    testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
        lines = testsupport::PageLines(preview.QuickRep->PagePrinter(), 1);
    });
    form.BitBtn3->click();
    const QString text = lines.join('\n');
    EXPECT_TRUE(text.contains("Magánnyugdíjpénztári összesítő adatlap")) << text.toStdString();
    EXPECT_TRUE(text.contains("Fájlnév | /F00001/B00001F9.mar")) << text.toStdString();
    EXPECT_TRUE(text.contains("Havi forgalom adatok fájlnév | B00001T9.mar")) << text.toStdString();
    EXPECT_TRUE(text.contains("Kapcsolattartó neve | Nagy Anna")) << text.toStdString();
    EXPECT_TRUE(text.contains("**Adatszolgáltató neve | Űrlap Bt.")) << text.toStdString();

    testsupport::PdfExport pdf(dialogs);
    form.BitBtn3->click();
    EXPECT_EQ(pdf.pages, 1);
    pdf.Check();
}

}  // namespace
