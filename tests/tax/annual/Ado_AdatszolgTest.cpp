// The assessments' form-import file: the employer sheet, a form per
// assessment with its pages, the children pages, and the save dialog.
#include "tax/annual/Ado_Adatszolg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

#include "core/CegKival.h"
#include "core/helpers/KimenetiMappa.h"
#include "platform/ui/QtString.h"
#include "support/Golden.h"
#include "support/ListFixture.h"
#include "tax/annual/Ado_M29ossz.h"

namespace {

using testsupport::AddRows;

class AdatszolgTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        for (const char* t : {"M29", "M292", "Nyilat"}) ASSERT_TRUE(TablaSablonbol(t, "001"));
        AddRows("Cegek",
                {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL",
                 "CG_HAZSZ", "CG_UGYINT", "CG_TEL"},
                {{"001", "Kovács & Fia Kft.", "12345678241", "1011", "Budapest", "Fő", "utca", "1.",
                  "Nagy Péter", "06-1/234-5678"}});
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV", "DG_ADOAZ", "DG_TITULUS", "DG_NEM", "DG_LEANYKNEV", "DG_SZULDAT",
                 "DG_SZULHELY", "DG_ALLAMP", "DG_ANYJANEV", "DG_IRSZ", "DG_VAROS", "DG_KOZTER",
                 "DG_KOZTERJEL", "DG_HAZSZ"},
                {{"00000000001", "Kovács Éva Mária", "8123456789", "dr.", "2", "Nagy Éva", "1980.02.29",
                  "Győr", "HUN", "Tóth Ilona", "9021", "Győr", "Kossuth", "utca", "3."},
                 {"00000000002", "Madonna", "8000000002", "", "2", "", "", "", "", "", "", "", "", "", ""}});
        AddRows("Nyilat_001",
                {"NY_DGTORZSSZAM", "NY_ONADOZO", "NY_S151HADOAZ", "NY_S151HNEV", "NY_S151JANUAR",
                 "NY_S155KOZOSERV", "NY_S155HADOAZ", "NY_S155MARCIUS", "NY_S126", "NY_S128", "NY_S136",
                 "NY_S656BANK", "NY_S656NEV"},
                {{"00000000001", "N", "8111111111", "Kovács Ádám", "I", "I", "8222222222", "I", 1000, "I",
                  500, "117000001234567800000000", "OTP"},
                 {"00000000002", "N", "", "", "", "", "", "", db::Variant(), "", db::Variant(), "", ""}});
        // Computed as the editor's "Adószámítás" would: nothing left over
        // for the first, so its rows 30 and 31 are cleared; the second's
        // allowance is left over, so they stay.
        AddRows("M29_001",
                {"M29_DGADOAZ", "M29_JELLEG", "M29_DGTORZSSZAM", "M29_HOZOTTJOV", "M29_S1D", "M29_S22A",
                 "M29_S30B", "M29_S31B", "M29_S65B"},
                {{"8123456789", "E", "00000000001", "", 1200000, 0, 5, 5, 190000},
                 {"8000000002", "E", "00000000002", "I", 0, 1000, 300, 100, 0},
                 {"8000000002", "H1", "00000000002", "N", 50, 0, 0, 0, 0}});
        db::Table& m29 = *dm->TableM29;
        m29.ReadOnly = false;
        m29.Open();
        M29Sorszamozas(m29);
        m29.Close();
        // Four children of the first, in the order entered.
        AddRows("M292_001",
                {"M292_DGTORZSSZAM", "M292_ADOAZON", "M292_VEZETEK", "M292_KERESZT", "M292_JANUAR",
                 "M292_FEBRUAR", "M292_JOGCIM1", "M292_VARKEZD"},
                {{"00000000001", "8333333331", "Kovács", "Bence", "1", "0", "X", ""},
                 {"00000000001", "8333333332", "Kovács", "Csenge", "1", "1", "X", ""},
                 {"00000000001", "8333333333", "Kovács", "Dóra", "3", "", "", ""},
                 {"00000000001", "", "Kovács", "", "", "", "", "2019.05.01"}});
    }

    std::unique_ptr<TAdo_AdatszolgForm> Open(const QString& nature) {
        auto form = std::make_unique<TAdo_AdatszolgForm>();
        form->show();
        form->Combo("ComboBox1")->setCurrentText(nature);
        return form;
    }
    // The save dialog confirmed with the name it proposes.
    void AnswerSave() {
        dialogs.Then([this](const ui::DialogRequest& r) {
            proposed = r.value;
            return ui::DialogAnswer{ui::Ok, r.value, 0};
        });
    }
    static std::string Folder() { return AdatszolgMappa("2019", "M29"); }

    QString proposed;
};

// The text of the n-th form ("<nyomtatvany>" ... "</nyomtatvany>").
std::string Form(const std::string& file, int n) {
    size_t at = 0;
    for (int i = 0; i <= n; ++i) {
        at = file.find("<nyomtatvany>", at + 1);
        if (at == std::string::npos) return {};
    }
    return file.substr(at, file.find("</nyomtatvany>", at) - at);
}

TEST_F(AdatszolgTest, TwoAssessmentsOfNatureE) {
    auto form = Open("E");
    EXPECT_EQ(form->windowTitle(), "Adó/Adatszolgáltatás");
    AnswerSave();
    dialogs.Answer(ui::Ok);
    form->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_EQ(S(proposed), Folder() + "16M29_001_E");
    EXPECT_EQ(dialogs.Text(1), "A feldolgozott tételek száma: 2");
    const std::string path = Folder() + "16M29_001_E.xml";
    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/Ado_Adatszolg", "two-employees", bytes,
                                           testsupport::Encoding::Cp1250, "expected.xml"));
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << out;

    EXPECT_NE(bytes.find("Kov\xE1"
                         "cs &amp; Fia Kft."),
              std::string::npos);
    // Nature "E": no letter on the employer sheet or on page A.
    EXPECT_EQ(bytes.find("0A0001C025A"), std::string::npos);
    EXPECT_EQ(bytes.find("0A0001D002A"), std::string::npos);
    // In number order: the one-word name first.
    const std::string second = Form(bytes, 1), first = Form(bytes, 2);
    ASSERT_NE(first.find("<nev>dr. Kov"), std::string::npos);
    // The fourth child on a second copy of page E, after that copy's head.
    const size_t head = first.find("<mezo eazon=\"0E0002B001A\">2</mezo>");
    ASSERT_NE(head, std::string::npos);
    EXPECT_LT(head, first.find("0E0002D001A"));
    EXPECT_LT(first.find("0E0001F002A"), head);
    // Nothing left over: rows 30 and 31 go, 27 to 29 stay.
    for (const char* row : {"0B0001E0027BA", "0B0001E0028BA", "0B0001E0029BA"})
        EXPECT_NE(first.find(row), std::string::npos) << row;
    for (const char* row : {"0B0001E0030BA", "0B0001E0031BA"})
        EXPECT_EQ(first.find(row), std::string::npos) << row;
    EXPECT_NE(second.find("<mezo eazon=\"0B0001E0030BA\">300</mezo>"), std::string::npos);
    // Pages F and G always, with their heads.
    EXPECT_NE(second.find("0F0001B001A"), std::string::npos);
    EXPECT_NE(second.find("<mezo eazon=\"0G0001B001A\">01</mezo>"), std::string::npos);
}

TEST_F(AdatszolgTest, ALetterNatureNoRowsAndCancel) {
    auto form = Open("H1");
    AnswerSave();
    dialogs.Answer(ui::Ok);
    form->findChild<QPushButton*>("BitBtn1")->click();
    const std::string h1 = testsupport::ReadBytes(Folder() + "16M29_001_H1.xml");
    EXPECT_NE(h1.find("<mezo eazon=\"0A0001C025A\">H</mezo>"), std::string::npos);
    EXPECT_NE(h1.find("<mezo eazon=\"0A0001D002A\">H</mezo>"), std::string::npos);
    EXPECT_NE(h1.find("<mezo eazon=\"0A0001D001A\">0</mezo>"), std::string::npos);

    // No assessment of the nature: the employer sheet alone.
    form->Combo("ComboBox1")->setCurrentText("P");
    AnswerSave();
    dialogs.Answer(ui::Ok);
    form->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_EQ(dialogs.Text(3), "A feldolgozott tételek száma: 0");
    const std::string path = Folder() + "16M29_001_P.xml";
    EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/Ado_Adatszolg", "no-rows",
                                           testsupport::ReadBytes(path), testsupport::Encoding::Cp1250,
                                           "expected.xml"));
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("xmllint --noout '" + path + "' 2>&1", &out), 0) << out;

    // Cancel in "Mentés" writes nothing.
    form->Combo("ComboBox1")->setCurrentText("H");
    dialogs.AnswerText({}, false);
    form->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_FALSE(QFileInfo::exists(Q(Folder() + "16M29_001_H.xml")));
    EXPECT_TRUE(form->findChild<QPushButton*>("BitBtn1")->isEnabled());
    EXPECT_TRUE(dialogs.Unexpected().empty());
}

}  // namespace
