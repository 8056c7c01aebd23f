// The month's declaration file: one 1908A and two 1908M forms against a
// golden file, the cells always written, the MMDD dates, the nature's letter,
// and the file refused without a summary or into a folder.
#include "tax/monthly/MABadatsz.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "core/helpers/KimenetiMappa.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "support/Golden.h"
#include "tax/monthly/FormXmlCheck.h"
#include "tax/monthly/MABFixture.h"

namespace mabtest {
namespace {

using V = db::Variant;
using testsupport::AddRows;

class DeclarationFileTest : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        AddRows("Cegek", {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_TEL"},
                {{"001", "Kovács & Fia Kft.", "12345678242", "(06-1) 234-5678"}});
        DM1->TableCegek->Close();
        Employees(
            {{"00000000001", "dr. Kiss Anna", "8000000001"}, {"00000000002", "Nagy Béla", "8000000002"}});
        March({{"00000000001", "T01", 100}});
    }

    static V Nap(int ho, int nap) { return V(os::EncodeDate(2019, ho, nap)); }

    // The month's summary of nature "O3" and two employees' headers, the
    // first with pages of five sheets (three of sheet 08), the second none.
    static void Declaration() {
        const std::vector<std::string> k = {"HONAP", "JELLEG"};
        const auto osz = [&k](const std::string& t, std::vector<std::string> f, std::vector<V> v) {
            f.insert(f.begin(), k.begin(), k.end());
            v.insert(v.begin(), {V(3), V("O3")});
            AddRows(t + "_001", f, {v});
        };
        osz("MABOSZ",
            {"TOL", "IG", "CEGNEV", "CEGADOSZAM", "CEGIRSZ", "CEGUGYINTTEL", "BEVSZAM", "NYUGBEVSZAM",
             "KIVA"},
            {Nap(3, 1), Nap(3, 31), "Kovács & Fia Kft.", "12345678242", "1011", "(06-1) 234-5678", 2, 0,
             "X"});
        osz("MABOSZ01", {"S1C", "S3C", "S25C"}, {3, 3, 4});
        osz("MABOSZ01b", {"S30C", "S31C", "S32C", "BEVALLASOKA", "KISVALLALKOZAS"}, {0, 0, V(), "1", "I"});
        osz("MABOSZ01c", {}, {});
        osz("MABOSZ02", {"S74C", "S74D", "S74E"}, {1499, 1, "0"});
        osz("MABOSZ02b", {}, {});
        osz("MABOSZ02c", {"S173C", "S175A"}, {0, 1});

        const std::vector<std::string> mk = {"TORZSSZAM", "HONAP", "JELLEG", "TOL", "IG", "ADOSZAM"};
        const auto m = [&mk](const std::string& t, const std::string& dolg, std::vector<std::string> f,
                             std::vector<V> v) {
            f.insert(f.begin(), mk.begin(), mk.end());
            v.insert(v.begin(), {V(dolg), V(3), V("O3"), Nap(3, 1), Nap(3, 31), V("8" + dolg.substr(2))});
            AddRows(t + "_001", f, {v});
        };
        m("MAB00", "00000000001",
          {"CEGNEV", "CEGADOSZAM", "DOLGADOAZ", "DOLGNEM", "DOLGTITULUS", "DOLGNEV", "DOLGUTONEV",
           "DOLGSZULDAT", "DOLGTBAZON", "HELYESBITES"},
          {"Kovács & Fia Kft.", "12345678242", "8000000001", "2", "dr.", "Kiss", "Anna",
           V(os::EncodeDate(1980, 2, 29)), "123456789", "H"});
        m("MAB00", "00000000002", {"CEGNEV", "DOLGADOAZ", "DOLGNEV", "DOLGUTONEV"},
          {"Kovács & Fia Kft.", "8000000002", "Nagy", "Béla"});
        m("MAB04", "00000000001", {"S300D", "S301A", "S301D", "S330B", "S331B"}, {150000, "X", 0, 0, V()});
        m("MAB06", "00000000001", {"S385A", "S386D", "S386C"}, {7, 12, 0});
        for (int i = 1; i <= 3; ++i)
            m("MAB08", "00000000001", {"BIZTOL", "BIZIG", "ALKMIN1", "ALKMIN3", "S526A", "S526B", "S526C"},
              {i == 2 ? V() : Nap(3, i), Nap(3, 10 * i), "20", "190301", "1" + std::to_string(i), Nap(3, i),
               Nap(3, 10 * i)});
        m("MAB12", "00000000001", {"ADOKEDVJOGC", "S690A", "S694C", "S696A", "S678C"},
          {"09", Nap(3, 1), 0, V(), 0});
        m("MAB13", "00000000001", {"ALKMIN1", "ALKMIN2", "S705A", "S705B", "S705C", "S705D"},
          {"31", "000", "12", Nap(3, 15), V(), 1});
    }

    std::unique_ptr<TMABadatszForm> Form() {
        auto f = std::make_unique<TMABadatszForm>();
        Show(*f);
        f->ComboBox1->setCurrentText("O3");
        return f;
    }
    static std::string Folder() { return AdatszolgMappa("2019", "MAB"); }
};

TEST_F(DeclarationFileTest, OneSummaryAndTwoEmployeesMatchTheGoldenFile) {
    Declaration();
    testsupport::ScriptedDialogs dialogs;
    auto form = Form();
    EXPECT_EQ(form->windowTitle(), "Havi adó/Havi adóbevallás adatszolgáltatás");
    EXPECT_EQ(S(form->MaskEdit1->text()), "3");
    EXPECT_EQ(S(form->Edit1->text()), Folder());
    const std::string path = Folder() + "001_03_O3.xml";
    EXPECT_EQ(S(form->Edit4->text()), path);
    dialogs.Answer(ui::Ok);
    form->BitBtn1->click();
    EXPECT_EQ(dialogs.Text(0), "Az adatszolgáltatás fájl elkészült.");

    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_TRUE(testsupport::MatchesGolden("tax/monthly/golden/MABadatsz", "summary-and-two-employees", bytes,
                                           testsupport::Encoding::Cp1250, "expected.xml"));
    FormXmlCheck(path, bytes);
    EXPECT_NE(bytes.find(" &amp; Fia Kft.</nev>"), std::string::npos);
    for (const char* line : {
             "<mezo eazon=\"0A0001C041A\">O</mezo>",    // nature O3
             "<mezo eazon=\"0C0001D0030CA\">0</mezo>",  // always written, also at 0
             "<mezo eazon=\"0B0001D0330BA\">0</mezo>",
             "<mezo eazon=\"0L0001D0705BA\">0315</mezo>",
             "<mezo eazon=\"0B0001E0025CA\">4</mezo>",
             "<mezo eazon=\"0F0003B001A\">3</mezo>",
         })
        EXPECT_NE(bytes.find(line), std::string::npos) << line;
    for (const char* cell : {"0C0001D0031CA", "0C0001D0032CA", "0B0001D0331BA", "0F0002C001A", "0A0001C045A"})
        EXPECT_EQ(bytes.find(cell), std::string::npos) << cell;
}

TEST_F(DeclarationFileTest, NoSummaryOrAFolderInThePlaceOfTheFileWritesNothing) {
    Declaration();
    testsupport::ScriptedDialogs dialogs;
    auto form = Form();
    form->ComboBox1->setCurrentText("H2");
    EXPECT_EQ(S(form->Edit4->text()), Folder() + "001_03_H2.xml");
    dialogs.Answer(ui::Ok);
    form->BitBtn1->click();
    EXPECT_EQ(dialogs.Caption(0), "Üzenet");
    EXPECT_EQ(dialogs.Text(0), "Nem létezik ilyen összesítés!");
    EXPECT_FALSE(QFileInfo::exists(Q(Folder() + "001_03_H2.xml")));

    form->ComboBox1->setCurrentText("O3");
    QDir().mkpath(Q(Folder() + "001_03_O3.xml"));
    dialogs.Answer(ui::Ok);
    form->BitBtn1->click();
    EXPECT_EQ(
        dialogs.Text(1).rfind("Hiba történt a(z) " + Folder() + "001_03_O3.xml fájl írása során...\r", 0),
        0u);
    EXPECT_TRUE(QFileInfo(Q(Folder() + "001_03_O3.xml")).isDir());
    EXPECT_TRUE(form->BitBtn1->isEnabled());

    // Another folder through "...": the name follows it.
    const std::string other = EvKonyvtar() + "/masik";
    QDir().mkpath(Q(other));
    dialogs.AnswerText(Q(other));
    form->BitBtn5->click();
    EXPECT_EQ(S(form->Edit4->text()), other + "/001_03_O3.xml");
    form->MaskEdit1->setText("");
    EXPECT_FALSE(form->BitBtn1->isEnabled());
}

}  // namespace
}  // namespace mabtest
