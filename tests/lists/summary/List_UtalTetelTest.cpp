// Transfer items: the amounts stored in every item (by pay item, or of the
// linked employees), the items listed per account with the thousands to
// transfer, and the items whose link names no employee field.
#include <gtest/gtest.h>

#include <QPushButton>

#include "lists/summary/List_UtalTetel.h"
#include "lists/summary/List_UtalTetelQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListUtalTetelTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("MHely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Központ"}});
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV"},
                {{"301", "Magánnyugdíj tagdíj"}, {"320", "SZJA előleg"}, {"330", "SZHA"}});
        AddRows("NyugP", {"NP_KOD", "NP_TIPUS", "NP_NEV", "NP_RNEV"},
                {{"A001", "M", "Alfa Magánnyugdíjpénztár", "Alfa"},
                 {"B002", "M", "Béta Magánnyugdíjpénztár", "Béta"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MNYP"},
                {{"00000000001", "Ábel Anna", "A001"}, {"00000000002", "Béla Bán", "B002"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_DGMHKOD"},
                {{"00000000001",   3,          "2019.03.05",  "301",      1000.0,      "000001"},
                 {"00000000002",   3,          "2019.04.05",  "301",      250.0,       "000001"},
                 {"00000000001",   3,          "2019.03.05",  "320",      12345.0,     "000001"},
                 {"00000000001",   3,          "2019.03.05",  "330",      20000.0,     "000001"},
                 {"00000000001",   4,          "2019.04.05",  "330",      99999.0,     "000001"}});
        // clang-format on
        // clang-format off
        AddRows("Utal_001", {"UT_JCKOD", "UT_AZON", "UT_DOLGKAPCS", "UT_SZAMLA"},
                {{"301", "A001", "DG_MNYP",  "11111111-11111111"},
                 {"301", "B002", "DG_MNYP",  "11111111-11111111"},
                 {"320", "",     "",         "10032000-06055912"},
                 {"330", "",     "",         "10032000-06055912"},
                 {"330", "X",    "",         "10032000-06055950"},
                 {"330", "Y",    "DG_NINCS", "10032000-06055950"},
                 {"301", "Z",    "DG_NEV",   "10032000-06055999"}});
        // clang-format on
    }
    QStringList Run(TList_UtalTetelForm& form) {
        Show(form);
        form.SetValue("CurrencyEdit1", 3);
        form.SetValue("CurrencyEdit2", 3);
        QStringList lines;
        testsupport::AnswerPreview(
            dialogs, [&](TNyomtatasForm& preview) { lines = PageLines(preview.QuickRep->PagePrinter(), 1); });
        dialogs.Answer(ui::Ok);
        form.BitBtn1->click();
        return lines;
    }
    static db::Variant Amount(const std::string& code, const std::string& id) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = "Utal_001";
        t.Open();
        db::Variant v =
            t.Lookup("UT_JCKOD;UT_AZON", {db::Variant(code), id.empty() ? db::Variant() : db::Variant(id)},
                     "UT_OSSZEG");
        t.Close();
        return v;
    }
};

TEST_F(ListUtalTetelTest, AmountsStoredAndListedPerAccount) {
    os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    TList_UtalTetelForm form;
    const QStringList lines = Run(form);
    const std::string all = lines.join("\n").toStdString();
    EXPECT_EQ(Amount("301", "A001").ToDouble(), 1000);
    EXPECT_EQ(Amount("301", "B002").ToDouble(), 250);
    EXPECT_EQ(Amount("330", "").ToDouble(), 20000);  // the same pay item in full
    EXPECT_EQ(Amount("330", "X").ToDouble(), 20000);
    EXPECT_EQ(Amount("301", "Z").ToDouble(), 0);  // stored 0, not listed
    EXPECT_TRUE(Amount("330", "Y").IsNull());
    ASSERT_FALSE(dialogs.Shown().empty());
    EXPECT_EQ(dialogs.Text(dialogs.Shown().size() - 1),
              "Az alábbi utalandó tételek összege nem számítható ki, üresen maradt:\r330 / Y");
    EXPECT_TRUE(lines.contains("301 | Magánnyugdíj tagdíj | A001 | Alfa | 11111111-11111111 | 1000")) << all;
    EXPECT_TRUE(lines.contains("301 | Magánnyugdíj tagdíj | B002 | Béta | 11111111-11111111 | 250")) << all;
    EXPECT_TRUE(lines.contains("Összesen : | 1250")) << all;
    EXPECT_TRUE(lines.contains("Összesen : | 32345")) << all;
    EXPECT_TRUE(lines.contains("Utalandó : | 32000")) << all;
    EXPECT_TRUE(lines.contains("Utalandó : | 20000")) << all;
    EXPECT_EQ(lines.filter("Utalandó :").size(), 2) << all;  // none for the fund fees
    EXPECT_EQ(lines.filter("| Y |").size(), 0) << all;
}

TEST_F(ListUtalTetelTest, ThousandsRoundedHalfAwayFromZero) {
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_DGMHKOD"},
            {{"00000000002", 3, "2019.03.05", "320", 155.0, "000001"}});
    TList_UtalTetelForm form;
    const QStringList lines = Run(form);
    EXPECT_TRUE(lines.contains("Utalandó : | 33000")) << lines.join("\n").toStdString();
}

TEST_F(ListUtalTetelTest, PdfOfTheList) {
    os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    AddRows("Utal_001", {"UT_JCKOD", "UT_AZON", "UT_DOLGKAPCS"}, {{"330", "Y", ""}});  // no warning
    TList_UtalTetelForm form;
    Show(form);
    form.SetValue("CurrencyEdit1", 3);
    form.SetValue("CurrencyEdit2", 3);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
}

}  // namespace
