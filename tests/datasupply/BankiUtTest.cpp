// The wage transfer files of the three banks: golden files byte for byte,
// record widths and field positions, the beneficiary rule, the 64-bit sum,
// and a failed write leaving nothing under the file's name.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>

#include "controls/ComboEdits.h"
#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "datasupply/BankiUt.h"
#include "datasupply/BankiUtBPB.h"
#include "datasupply/BankiUtMKB.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;

double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }

class BankiUtTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Cegek", {"CG_KOD", "CG_BANKSZLA"}, {{"001", "12345678-87654321-00000000"}});
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV"}, {{"100", "Alapbér"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",                 "DG_IRSZ", "DG_VAROS", "DG_KOZTER", "DG_HAZSZ"},
                {{"00000000001",                "Árvíztűrő Tükörfúrógép", "1111",    "Budapest", "Fő utca",   "12"},
                 {"00000000002",                "Kiss Béla",              "2000",    "",         "Kert sor",  "3."},
                 {"00000000003",                "Nagy Éva",               "3000",    "Eger",     "Dobó tér",  "1"}});
        AddRows("RJogcim_001", {"RJ_DGTORZSSZAM", "RJ_JCKOD", "RJ_SORSZAM", "RJ_DGNEV",  "RJ_KEDVNEV"},
                {{"00000000002",                  "100",      1,            "Kiss Béla", "Kiss Anna"}});
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_SZAMLA",                  "SF_RJSORSZAM", "SF_SORSZAM"},
                {{"00000000001",   "Árvíztűrő", 4,         "2019.05.10",  "100",      1000.5,      "11111111-22222222-33333333", 0, 1},
                 {"00000000002",   "Kiss Béla", 4,         "2019.05.10",  "100",      12345.5,     "44444444-55555555",          1, 2},
                 {"00000000002",   "Kiss Béla", 4,         "2019.05.10",  "100",      200.0,       "44444444-55555555-66666666", 0, 3},
                 {"00000000003",   "Nagy Éva",  4,         "2019.05.10",  "100",      0.0,         "77777777-88888888",          0, 4},
                 {"00000000003",   "Nagy Éva",  4,         "2019.05.10",  "100",      -5.0,        "77777777-88888888",          0, 5},
                 {"00000000003",   "Nagy Éva",  4,         "2019.05.10",  "100",      db::Variant(), "77777777-88888888",        0, 6},
                 {"00000000003",   "Nagy Éva",  4,         "2019.05.11",  "100",      9000.0,      "77777777-88888888",          0, 7}});
        // clang-format on
    }

    // Fills the form and presses "Küldés"; the save dialog takes the
    // proposed name (or `target`); returns the file's path.
    std::string Send(TBankiUtalasForm& form, const QString& target = {}, bool succeeds = true,
                     const QString& jogcim = "100", double kifizetes = Day(2019, 5, 10)) {
        Show(form);
        form.Edit("MaskEdit7")->setText(jogcim);
        form.DateEdit("DateEdit3")->SetDateValue(kifizetes);
        form.NyomtatasMehet();
        EXPECT_TRUE(form.BitBtn1->isEnabled());
        std::string path;
        dialogs.Then([&](const ui::DialogRequest& r) {
            path = (target.isEmpty() ? r.value : target).toStdString();
            return ui::DialogAnswer{ui::Ok, QString::fromStdString(path), 0};
        });
        dialogs.Answer(ui::Ok);  // the completion or the error
        form.BitBtn1->click();
        EXPECT_EQ(dialogs.Shown().back().text.startsWith("A küldés befejeződött!"), succeeds)
            << dialogs.Shown().back().text.toStdString();
        EXPECT_TRUE(form.BitBtn1->isEnabled());
        EXPECT_EQ(form.ProgressBar1->value(), 0);
        return path;
    }
    static std::vector<std::string> Records(const std::string& file) {
        std::vector<std::string> out;
        size_t at = 0;
        while (at < file.size()) {
            const size_t end = file.find("\r\n", at);
            out.push_back(file.substr(at, end - at));
            at = end + 2;
        }
        return out;
    }
    os::FixedClock clock{Day(2019, 5, 8)};
};

TEST_F(BankiUtTest, OtpFile) {
    TBankiUtForm form;
    const std::string path = Send(form);
    EXPECT_EQ(std::filesystem::path(path).filename(), "M8765432.081");
    EXPECT_EQ(std::filesystem::path(path).parent_path().string() + "/",
              AdatszolgMappa(FeldolgozasiEv, "BankiUtOTP"));
    const std::string file = os::ReadFile(path);
    EXPECT_TRUE(
        testsupport::MatchesGolden("datasupply/golden/BankiUt", "otp", file, testsupport::Encoding::Cp852));
    const std::vector<std::string> r = Records(file);
    ASSERT_EQ(r.size(), 5u);  // header, three positive rows, trailer
    for (const std::string& rec : r) EXPECT_EQ(rec.size(), 178u);
    EXPECT_EQ(r[1].substr(12, 14), "00000000001001");
    EXPECT_EQ(r[1].substr(86, 32), "\xb5rv\xa1zt\xfbr\x8b T\x81k\x94rf\xa3r\xa2g\x82p Budapest ");
    EXPECT_EQ(r[1].substr(62, 24), "111111112222222233333333");
    EXPECT_EQ(r[2].substr(62, 24), "4444444455555555        ");
    EXPECT_EQ(r[4].substr(73, 7), "0000003");
    EXPECT_EQ(r[4].substr(80, 14), "00000000013547");  // 1001 + 12346 + 200, each rounded first
    EXPECT_EQ(OtpFajlNev("123456788765432100000000", Day(2019, 5, 8)), "M8765432.081");
    EXPECT_EQ(OtpFajlNev("12345678-87654321", Day(2019, 5, 25)), "M8765432.251");
}

TEST_F(BankiUtTest, TrailersOfNoRowsAndOfLargeSums) {
    const UtalasCeg ceg{"12345678-87654321-00000000", "Őrség"};
    std::vector<std::string> r = Records(WriteOtpTransferFile({}, ceg, Day(2019, 5, 8), Day(2019, 5, 9)));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].substr(73, 21), "000000000000000000000");
    // Three billions pass the 32-bit range of the sum.
    const std::vector<UtalasTetel> nagy(3, UtalasTetel{"00000000001", 1e9, "1", "X", "", "", "", "", ""});
    r = Records(WriteOtpTransferFile(nagy, ceg, Day(2019, 5, 8), Day(2019, 5, 9)));
    EXPECT_EQ(r.back().substr(80, 14), "00003000000000");
    r = Records(
        AtutalasiFajlIras({}, ceg, {"ABC", "7", Day(2019, 5, 8), Day(2019, 5, 8), 0}, AtutalBank::MKB));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], "03000000" + std::string(16, '0'));
}

TEST_F(BankiUtTest, BatchFilesOfTheTwoBanks) {
    for (AtutalBank bank : {AtutalBank::MKB, AtutalBank::BPB}) {
        const bool mkb = bank == AtutalBank::MKB;
        SCOPED_TRACE(mkb ? "MKB" : "BPB");
        std::unique_ptr<TBankiUtalasForm> form;
        if (mkb)
            form = std::make_unique<TBankiUtMKBForm>();
        else
            form = std::make_unique<TBankiUtBPBForm>();
        form->Edit("Edit1")->setText("ABC");
        form->Edit("MaskEdit1")->setText("7");
        const std::string path = Send(*form);
        EXPECT_EQ(std::filesystem::path(path).filename(), mkb ? "ABC_0007.CAT" : "ABC_0007.121");
        const std::string file = os::ReadFile(path);
        EXPECT_TRUE(testsupport::MatchesGolden("datasupply/golden/BankiUt", mkb ? "mkb" : "bpb", file,
                                               testsupport::Encoding::Cp852));
        const std::vector<std::string> r = Records(file);
        ASSERT_EQ(r.size(), 5u);
        EXPECT_EQ(r[0].size(), 174u);
        EXPECT_EQ(r[0].substr(9, 13), "ABC          ");
        EXPECT_EQ(r[0].substr(30, 4), "0007");
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(r[i].size(), 249u);
        EXPECT_EQ(r[4].size(), 24u);
        EXPECT_EQ(r[2].substr(16, 10), "0000012346");
        // The standing item's row names its beneficiary, the others the employee.
        EXPECT_EQ(r[2].substr(144, 9), "Kiss Anna");
        EXPECT_EQ(r[3].substr(144, 10), "Kiss B\x82la ");
        EXPECT_EQ(r[2].substr(109, 20), "2000  Kert sor 3.   ");  // an empty town keeps its blank
        EXPECT_EQ(r[1].substr(179, 8), "Munkab\x82r");
        EXPECT_EQ(r[1].substr(8, 8), mkb ? "20190509" : "        ");
        EXPECT_EQ(r[0].substr(58, 8), "20190508");
    }
}

TEST_F(BankiUtTest, RowsWithoutAnAccountAreLeftOutAndNamed) {
    AddRows("Jogcim_001", {"JC_KOD", "JC_NEV"}, {{"750", "Kifizetendő"}});
    // An account never typed is stored empty or as its mask's dashes alone.
    AddRows("Szamfejt_001",
            {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM", "SF_OSSZEG", "SF_SZAMLA"},
            {{"00000000001", 5, "2019.05.31", "750", 1, 150000.0, "11111111-22222222"},
             {"00000000002", 5, "2019.05.31", "750", 1, 98765.0, db::Variant()},
             {"00000000003", 5, "2019.05.31", "750", 1, 4321.5, "        -        -        "}});
    const std::string kimaradt =
        "A küldés befejeződött!\rSzámlaszám nélkül kimaradt: Kiss Béla 98765\rSzámlaszám nélkül kimaradt: "
        "Nagy "
        "Éva 4322";
    struct Eset {
        std::function<std::unique_ptr<TBankiUtalasForm>()> form;
        size_t darab, osszeg, szamla;  // trailer positions, and the account's in the item
        int darabHossz, osszegHossz;
    };
    const Eset esetek[] = {
        {[] { return std::make_unique<TBankiUtForm>(); }, 73, 80, 62, 7, 14},
        {[] { return std::make_unique<TBankiUtMKBForm>(); }, 2, 8, 26, 6, 16},
        {[] { return std::make_unique<TBankiUtBPBForm>(); }, 2, 8, 26, 6, 16},
    };
    for (const Eset& e : esetek) {
        std::unique_ptr<TBankiUtalasForm> form = e.form();
        SCOPED_TRACE(form->objectName().toStdString());
        if (QLineEdit* id = form->Edit("Edit1")) {  // the batch files' own fields
            id->setText("ABC");
            form->Edit("MaskEdit1")->setText("7");
        }
        const std::vector<std::string> r =
            Records(os::ReadFile(Send(*form, {}, true, "750", Day(2019, 5, 31))));
        EXPECT_EQ(dialogs.Shown().back().text.toStdString(), kimaradt);
        ASSERT_EQ(r.size(), 3u);  // header, the one row with an account, trailer
        EXPECT_EQ(r[1].substr(e.szamla, 16), "1111111122222222");
        EXPECT_EQ(r[2].substr(e.darab, e.darabHossz), std::string(e.darabHossz - 1, '0') + "1");
        EXPECT_EQ(r[2].substr(e.osszeg, e.osszegHossz), std::string(e.osszegHossz - 6, '0') + "150000");
    }
}

TEST_F(BankiUtTest, AFailedWriteLeavesTheOldFileAlone) {
    {
        // A folder where the file goes.
        TBankiUtForm form;
        const std::string folder = AdatszolgMappa(FeldolgozasiEv, "BankiUtOTP") + "M8765432.081";
        std::filesystem::create_directories(folder);
        Send(form, QString::fromStdString(folder), false);
        EXPECT_EQ(dialogs.Caption(dialogs.Shown().size() - 1), "Üzenet");
        EXPECT_TRUE(dialogs.Shown().back().text.startsWith(
            QString::fromStdString("Hiba történt a(z) " + folder + " fájl írása során...\r")));
        EXPECT_TRUE(std::filesystem::is_directory(folder));
    }
    // An amount the 10-digit field cannot hold: the earlier file stays.
    AddRows("Szamfejt_001",
            {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM", "SF_OSSZEG", "SF_SZAMLA"},
            {{"00000000003", 4, "2019.05.10", "100", 99, 1e10, "77777777-88888888"}});
    const std::string old = AdatszolgMappa(FeldolgozasiEv, "BankiUtMKB") + "ABC_0007.CAT";
    os::WriteFileAtomic(old, "earlier file");
    TBankiUtMKBForm form;
    form.Edit("Edit1")->setText("ABC");
    form.Edit("MaskEdit1")->setText("7");
    Send(form, {}, false);
    EXPECT_TRUE(dialogs.Shown().back().text.contains("10000000000"))
        << dialogs.Shown().back().text.toStdString();
    EXPECT_EQ(os::ReadFile(old), "earlier file");
}

TEST_F(BankiUtTest, FieldChecks) {
    TBankiUtMKBForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Szerviz/Munkabér átutalás");
    EXPECT_EQ(form.Date("DateEdit1"), Day(2019, 5, 8));
    EXPECT_EQ(form.Date("DateEdit2"), Day(2019, 5, 9));
    // The originator id takes no "/" (it names the file).
    form.Edit("Edit1")->setFocus();
    QTest::keyClicks(form.Edit("Edit1"), "A/B");
    EXPECT_EQ(form.Edit("Edit1")->text(), "AB");
    EXPECT_FALSE(form.BitBtn1->isEnabled());
}

}  // namespace
