// The declaration aid: the statistical headcount of a month and of the year,
// the lines of the declaration and the refusal without its value-set rows.
#include <gtest/gtest.h>

#include <QPushButton>

#include "lists/summary/List_BevalSeg.h"
#include "lists/summary/List_BevalSegQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

double Day(int y, int m, int d) { return os::EncodeDate(y, m, d); }

TEST(StatisztikaiAllomany, MonthAndYear) {
    struct Case {
        const char* what;
        StatDolgozo d;
        int m1, m2;
        double expected;
    };
    // clang-format off
    const Case cases[] = {
        {"40 hours entering on the 10th of a 30-day month", {Day(2019, 4, 10), 0, 40}, 4, 4, 0.70},
        {"20 hours for the whole month",                     {0, 0, 20},                4, 4, 0.50},
        {"entry on the 10th, exit on the 20th: 11 days",     {Day(2019, 4, 10), Day(2019, 4, 20), 30}, 4, 4, 30.0 * 11 / 30 / 40},
        {"February of 2019 has 28 days",                     {Day(2019, 2, 15), 0, 40}, 2, 2, 14.0 / 28},
        {"exit before the month counts nothing",             {0, Day(2019, 2, 15), 40}, 3, 3, 0},
        {"entry after the month counts nothing",             {Day(2019, 4, 2), 0, 40},  3, 3, 0},
        {"the year from 1 July",                             {Day(2019, 7, 1), 0, 40},  1, 12, 184.0 / 365},
        {"an exit before the year counts nothing",           {0, Day(2018, 12, 15), 40}, 1, 12, 0},
        {"an entry after the year counts nothing",           {Day(2020, 1, 5), 0, 40},  1, 12, 0},
        {"the year whatever the months",                     {0, Day(2019, 12, 30), 40}, 1, 6, 364.0 / 365},
    };
    // clang-format on
    for (const Case& c : cases) {
        const double got =
            c.m1 == c.m2 ? StatisztikaiAllomany({c.d}, 2019, c.m1) : EvesStatisztikaiAllomany({c.d}, 2019);
        EXPECT_NEAR(got, c.expected, 1e-12) << c.what;
    }
    EXPECT_NEAR(StatisztikaiAllomany({{Day(2020, 2, 1), 0, 40}}, 2020, 2), 1.0, 1e-12);
}

class ListBevalSegTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKCHAR", "EK_ERTEKNUM"},
                {{"0", "17", "", 10.0}, {"0", "18", "", 0.5}});
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV", "DG_BELEPDAT", "DG_HETIKOTORA", "DG_KULFIRSZ", "DG_JOGIALL"},
                {{"00000000001", "Ábel Anna", "2019.03.10", 40.0, "", ""},
                 {"00000000002", "Béla Bán", "2018.01.01", 20.0, "US", ""},
                 {"00000000003", "Cecil Cél", "2018.01.01", 40.0, "", "I"}});
    }
    // Runs the list for the months and reads the printed lines.
    QStringList Run(int m1, int m2, int pdfCheck = false) {
        TList_BevalSegForm form;
        Show(form);
        form.SetValue("CurrencyEdit1", m1);
        form.SetValue("CurrencyEdit2", m2);
        form.SetValue("DateEdit1", Day(2019, 1, 1));
        form.SetValue("DateEdit2", Day(2019, 12, 31));
        QStringList lines;
        if (pdfCheck) {
            testsupport::PdfExport pdf(dialogs);
            form.BitBtn1->click();
            pdf.Check();
            return lines;
        }
        testsupport::AnswerPreview(
            dialogs, [&](TNyomtatasForm& preview) { lines = PageLines(preview.QuickRep->PagePrinter(), 1); });
        form.BitBtn1->click();
        return lines;
    }
    static QString Line(const QStringList& lines, const QString& caption) {
        for (const QString& l : lines)
            if (l.startsWith(caption + " | ")) return l.mid(caption.size() + 3);
        return "(no line)";
    }
};

TEST_F(ListBevalSegTest, LinesAreRoundedSumsOfTheirPayItems) {
    os::FixedClock clock(Day(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    // clang-format off
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000001",   3,          "2019.03.05",  "150",      100000.0},
             {"00000000001",   3,          "2019.03.05",  "152",      10.0},
             {"00000000002",   3,          "2019.03.05",  "152",      1000.0},
             {"00000000003",   3,          "2019.03.05",  "300",      1234.5},
             {"00000000001",   3,          "2019.03.05",  "205",      1000.0},
             {"00000000002",   3,          "2019.03.05",  "306",      50.0},
             {"00000000002",   3,          "2019.03.05",  "307",      25.0}});
    // clang-format on
    const QStringList lines = Run(3, 3);
    // clang-format off
    const std::pair<const char*, const char*> expected[] = {
        {"Osztalékelőleg adója :",                      "15000"},
        {"Magánszemély osztaléka utáni adó :",          "152"},  // 1.5 + 150
        {"Belföldi magánszemély osztaléka utáni adó :", "2"},    // exactly 1.5
        {"Külföldi magánszemély osztaléka utáni adó :", "150"},
        {"15%-os forrásadó :",                          "15152"},
        {"Nyugdíjjárulék :",                            "1235"},  // a rights holder's rows count
        {"GYED, GYES, GYET nyugdíjjáruléka :",          "105"},
        {"Egészségbiztosítási járulék :",               "75"},
        {"Egészségbiztosítási járulék pénz. :",         "25"},
        {"SZHA kedvezmények :",                         "0"},
    };
    // clang-format on
    for (const auto& [caption, value] : expected) EXPECT_EQ(Line(lines, caption), value) << caption;
    EXPECT_TRUE(lines.contains("Hónap : | 3 - 3")) << lines.join("\n").toStdString();
    // Anna from the 10th of March at 40 hours, Béla all month at 20; Cecil
    // holds rights and is no headcount.
    const QString expectedCount = QString::asprintf("%10.2f", 22.0 / 31 + 0.5);
    EXPECT_TRUE(lines.contains("Statisztikai állományi létszám:" + expectedCount))
        << lines.join("\n").toStdString();
}

TEST_F(ListBevalSegTest, HeadcountOnlyForAMonthOrTheWholeYear) {
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000002", 3, "2019.03.05", "300", 10.0}});
    EXPECT_TRUE(Run(1, 12).contains("Éves statisztikai állományi létszám:      0.50"));
    for (const QString& l : Run(1, 6)) EXPECT_FALSE(l.contains("létszám")) << l.toStdString();
}

TEST_F(ListBevalSegTest, MissingRateRowIsNamed) {
    db::Table ek;
    ek.DatabaseName = AktualisAlias;
    ek.TableName = "Ertekkeszlet_001";
    ek.Open();
    ASSERT_TRUE(ek.Locate("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("17")}));
    ek.Delete();
    ek.Close();
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000001", 3, "2019.03.05", "205", 1000.0}});
    TList_BevalSegForm form;
    Show(form);
    dialogs.Answer(ui::Ok);
    form.BitBtn1->click();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0),
              "Hiányzik az értékkészlet 0 típusú, 17 értékű sora, a segédlet nem készíthető el!");
    EXPECT_TRUE(form.BitBtn1->isEnabled());
}

TEST_F(ListBevalSegTest, PdfOfTheAid) {
    os::FixedClock clock(Day(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000001", 3, "2019.03.05", "330", 10.0}});
    Run(3, 3, true);
}

}  // namespace
