// The sole trader's return: the owner found among the employees, one month
// or several, the cells that need a positive result, the periods without
// contribution and their fourteen rows, against a golden file.
#include "tax/monthly/MABEVadatsz.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/helpers/KimenetiMappa.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"
#include "support/Golden.h"
#include "tax/monthly/FormXmlCheck.h"
#include "tax/monthly/MABFixture.h"

namespace mabtest {
namespace {

using testsupport::AddRows;
using V = db::Variant;

class EVTest : public MABTest {
protected:
    void SetUp() override {
        MABTest::SetUp();
        AddRows("Cegek",
                {"CG_KOD", "CG_NEV", "CG_ADOSZAM", "CG_EVADOAZ", "CG_ALKMINADATSZ", "CG_TEL", "CG_IRSZ",
                 "CG_VAROS"},
                {{"001", "Kovács & Fia", "12345678242", "8111111111", "11", "(06-1) 234-5678", "1011",
                  "Budapest"}});
        DM1->TableCegek->Close();
        Employees({{"00000000001", "Kovácsné", "8111111111"}, {"00000000002", "Nagy Béla", "8000000002"}});
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_ALLAMP", "DG_LEANYKNEV", "DG_ANYJANEV", "DG_NEM", "DG_TAJSZ",
                 "DG_SZULDAT", "DG_VALLALKMINBER", "DG_CSALKEDV", "DG_NYUGALKMIN2", "DG_SZULHELY"},
                {{"00000000001", "hu", "Tóth Anna", "Szabó", "2", "123456789", "1970.05.06", 149000, 10000,
                  V(), "Pest & Buda"}});
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNUM"}, {{"0", "32a", 149000}});
        PayItems({{"T10", "Táppénz", "10", V(), V()}, {"205", "GYED", "20", V(), V()}});
    }
    // A payroll row of the owner.
    static void Sor(int honap, const char* jogcim, double osszeg, const V& jaralap = V(), const V& tol = V(),
                    const V& ig = V(), int sorszam = 1) {
        AddRows("Szamfejt_001",
                {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM", "SF_OSSZEG",
                 "SF_JARALAP", "SF_TOL", "SF_IG"},
                {{"00000000001", honap, V(os::EncodeDate(2019, honap, 10)), jogcim, sorszam, osszeg, jaralap,
                  tol, ig}});
    }
    static V Nap(int ho, int nap) { return V(os::EncodeDate(2019, ho, nap)); }
    static void Gyed(const char* kod) {
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_GYEDGYESMELLETTI"}, {{"00000000001", kod}});
    }
    static std::string Folder() { return AdatszolgMappa("2019", "MAB"); }

    // Writes the return of the months through the form; the file's bytes.
    std::string Write(const QString& m1, const QString& m2, std::vector<std::string>* lines = nullptr) {
        testsupport::ScriptedDialogs dialogs;
        TMABEVadatszForm form;
        Show(form);
        form.MaskEdit1->setText(m1);
        form.MaskEdit2->setText(m2);
        path = S(form.Edit4->text());
        dialogs.Answer(ui::Ok);
        form.BitBtn1->click();
        message = dialogs.Text(0);
        if (lines)
            for (int i = 0; i < form.ListBox1->count(); ++i)
                lines->push_back(S(form.ListBox1->item(i)->text()));
        if (!QFileInfo(Q(path)).isFile()) return {};
        const std::string bytes = testsupport::ReadBytes(path);
        FormXmlCheck(path, bytes);
        return bytes;
    }
    static bool Has(const std::string& bytes, const std::string& eazon, const std::string& value) {
        return bytes.find("<mezo eazon=\"" + eazon + "\">" + value + "</mezo>") != std::string::npos;
    }

    std::string path, message;
};

TEST_F(EVTest, MarchOfTheOwnerMatchesTheGoldenFile) {
    Sor(3, "706A", 200000);
    Sor(3, "306", 50000, 180000);
    Sor(3, "330", 5000, 180000);
    Sor(3, "300", 1000, 60000);
    Sor(3, "301", 2000, 40000);
    Sor(3, "146", 3000);
    Sor(3, "T10", 8000, V(), Nap(3, 4), Nap(3, 6));
    testsupport::ScriptedDialogs dialogs;
    TMABEVadatszForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Havi adó/EV havi adóbevallás adatszolgáltatás");
    EXPECT_EQ(S(form.MaskEdit3->text()), "00000000001");
    EXPECT_EQ(S(form.Label5->text()), "Kovácsné");
    EXPECT_EQ(S(form.Edit5->text()), "8111111111");
    EXPECT_EQ(S(form.MaskEdit1->text()), "3");
    EXPECT_EQ(S(form.MaskEdit2->text()), "3");
    const std::string file = Folder() + "001EV_03_03_E.xml";
    EXPECT_EQ(S(form.Edit4->text()), file);
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    EXPECT_EQ(dialogs.Text(0), "Az adatszolgáltatás fájl elkészült.");
    const std::string bytes = testsupport::ReadBytes(file);
    EXPECT_TRUE(testsupport::MatchesGolden("tax/monthly/golden/MABEVadatsz", "march", bytes,
                                           testsupport::Encoding::Cp1250, "expected.xml"));
    FormXmlCheck(file, bytes);
    EXPECT_NE(bytes.find(">Pest &amp; Buda</mezo>"), std::string::npos);
}

TEST_F(EVTest, MonthsAndTheCellsThatNeedAPositiveResult) {
    Sor(1, "T10", 1, V(), Nap(1, 2), Nap(1, 3));
    Sor(3, "306", 50000, 180000);  // R is negative
    const std::string bytes = Write("1", "3");
    EXPECT_EQ(path, Folder() + "001EV_01_03_E.xml");
    struct Case {
        const char* eazon;
        const char* value;  // as written (CP1250); nullptr: no line
    };
    // clang-format off
    const Case cases[] = {
        {"0A0001D001A",   "20190101"}, {"0A0001D002A",   "20190331"}, {"0A0001D004A", "N"},
        {"0C0001C001A",   "N"},        {"0C0001D0013CA", nullptr},    {"0C0001D0010CA", nullptr},
        {"0C0001D0026CA", nullptr},    {"0C0001D0017CA", "50000"},    {"0C0001D0001CA", "0"},
        {"0C0001D0002CA", nullptr},    {"0C0001D0005CA", nullptr},    {"0C0001D0022CA", "0"},
        {"0A0001C007A",   "Kov\xe1" "csn\xe9"},                         {"0A0001C008A", nullptr},
        {"0A0001C009A",   "HU"},       {"0A0001C016A",   "Szab\xf3"},   {"0A0001C017A", nullptr},
        {"0E0001C0001AA", "10"},
    };
    // clang-format on
    for (const Case& c : cases) {
        if (c.value)
            EXPECT_TRUE(Has(bytes, c.eazon, c.value)) << c.eazon;
        else
            EXPECT_EQ(bytes.find(std::string(c.eazon) + "\""), std::string::npos) << c.eazon;
    }
}

TEST_F(EVTest, PeriodsWithoutContributionFillFourteenRows) {
    Gyed("1");
    // Row 2 is a 205 row of a parent on benefit: its number is taken, its
    // dates go to row 15.
    Sor(3, "T10", 1, V(), Nap(3, 1), Nap(3, 1), 1);
    Sor(3, "205", 1, V(), Nap(3, 2), Nap(3, 2), 1);
    for (int i = 3; i <= 14; ++i) Sor(3, "T10", 1, V(), Nap(3, i), Nap(3, i), i);
    Sor(3, "205", 1, V(), Nap(3, 15), Nap(3, 15), 15);  // 15th: skipped without a line
    Sor(3, "T10", 1, V(), Nap(3, 16), Nap(3, 16), 16);  // 16th: named in the list
    std::vector<std::string> lines;
    const std::string bytes = Write("3", "3", &lines);
    EXPECT_TRUE(Has(bytes, "0E0001C0001BA", "20190301"));
    EXPECT_EQ(bytes.find("0E0001C0002AA"), std::string::npos);
    EXPECT_TRUE(Has(bytes, "0E0001C0003BA", "20190303"));
    EXPECT_TRUE(Has(bytes, "0E0001C0014CA", "20190314"));
    EXPECT_TRUE(Has(bytes, "0E0001C0015BA", "20190302"));
    EXPECT_TRUE(Has(bytes, "0E0001B003A", "1"));
    EXPECT_EQ(lines,
              std::vector<std::string>{"A(z) T10 jogcím 2019.03.16 - 2019.03.16 időszaka nem fér el a 14 "
                                       "soron, kimaradt az adatszolgáltatásból."});
}

TEST_F(EVTest, WithoutTheMinimumWageRowNothingIsWritten) {
    Sor(3, "706A", 1);
    testsupport::RunCommand("sqlite3 '" + EvKonyvtar() +
                            "/Ertekkeszlet_001.DB' \"DELETE FROM Ertekkeszlet_001 WHERE EK_ERTEK = '32a'\"");
    Write("3", "3");
    EXPECT_EQ(message, "Hiba történt a(z) " + path +
                           " fájl írása során...\rHiányzik az értékkészlet 0 típusú, 32a értékű sora!");
    EXPECT_FALSE(QFileInfo::exists(Q(path)));
}

TEST_F(EVTest, AFolderInThePlaceOfTheFileIsAWriteError) {
    Sor(3, "706A", 1);
    QDir().mkpath(Q(Folder() + "001EV_03_03_E.xml"));
    EXPECT_EQ(Write("3", "3"), "");
    EXPECT_EQ(message.rfind("Hiba történt a(z) " + path + " fájl írása során...\r", 0), 0u) << message;
    EXPECT_TRUE(QFileInfo(Q(path)).isDir());
    EXPECT_EQ(QDir(Q(Folder())).entryList(QDir::Files).size(), 0);
}

}  // namespace
}  // namespace mabtest
