// The employee sheets of the employee form: the data sheets of a range of
// employees by number or by name, and the registration certificate and the
// uniform labour-records sheet of the current employee.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <cstdlib>

#include "masterdata/List_Torzslap.h"
#include "masterdata/TorzskezDolgozo.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class DolgozoLapokTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKCHAR"}, {{"0", "04", "2019"}});
        AddRows("Cegek",
                {"CG_KOD", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_LEPCSOHAZ", "CG_IRSZ",
                 "CG_ADOSZAM"},
                {{"001", "Őriszentpéter", "Fő", "utca", "12", "B", "9941", "12345678218"}});
        // clang-format off
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV",       "DG_BELEPDAT", "DG_SZULDAT", "DG_SZULHELY", "DG_ANYJANEV",
                 "DG_TAJSZ",     "DG_ADOAZ",     "DG_ALKMIN",   "DG_BERFORM", "DG_ALAPBER",  "DG_HETIKOTORA",
                 "DG_NEM",       "DG_ALLAMP",    "DG_VAROS",    "DG_KOZTER",  "DG_KOZTERJEL", "DG_HAZSZ",
                 "DG_LEPCSOHAZ", "DG_IRSZ",      "DG_FOGYKEZD", "DG_FOGYVEG", "DG_NYUGDIJAS", "DG_MHKOD"},
                // The kind "3" is not in the value set of kinds.
                {{"00000000001", "Zala Zoltán",  "2019.03.01",  "1980.01.31", "Szalafő",     "Kiss Ilona",
                  "123456789",   "8123456789",   "3",           "1",          250000.0,      40,
                  "1",           "HUN",       "Szalafő",     "Petőfi",     "tér",          "4",
                  "A",           "9942",         "2019.01.01",  "2019.12.31", "N",            "000001"},
                 {"00000000002", "Ábel Anna",    "2018.01.02",  "1975.05.05", "Győr",        "Nagy Éva",
                  "987654321",   "8111111111",   "1",           "2",          1500.0,        20,
                  "2",           "HUN",       "Győr",        "Fő",         "út",           "1",
                  "",            "9000",         "",            "",           "I",            "000001"},
                 {"00000000003", "Kovács Béla",  "2019.07.01",  "",           "",            "",
                  "",            "8222222222",   "2",           "1",          300000.0,      40,
                  "1",           "",             "",            "",           "",             "",
                  "",            "",             "",            "",           "N",            "000001"}});
        // clang-format on
    }

    // The pages of the preview the click opens, and their text.
    std::vector<QStringList> Preview(const std::function<void()>& click, std::string* text = nullptr,
                                     const char* shotVariable = nullptr) {
        std::vector<QStringList> pages;
        testsupport::AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
            const report::PagePrinter& p = preview.QuickRep->PagePrinter();
            for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(PageLines(p, i));
            if (text) *text = report::PagesText(p);
            if (shotVariable)
                if (const char* shot = std::getenv(shotVariable)) preview.grab().save(shot);
        });
        click();
        return pages;
    }
    static QString Value(const QStringList& page, const QString& caption) {
        for (const QString& line : page)
            if (line.startsWith(caption + " | ")) return line.mid(caption.size() + 3);
        return {};
    }
};

TEST_F(DolgozoLapokTest, DataSheetsOfTheRangeByNumberOrByName) {
    os::FixedClock clock(os::EncodeDate(2019, 5, 2) + 0.5);
    const struct {
        bool abc;
        QStringList names;  // page by page
    } cases[] = {
        {false, {"Zala Zoltán", "Ábel Anna", "Kovács Béla"}},
        {true, {"Ábel Anna", "Kovács Béla", "Zala Zoltán"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.abc);
        TList_TorzslapForm form;
        Show(form);
        EXPECT_EQ(form.windowTitle(), "Listázás/Dolgozó");
        EXPECT_EQ(form.Text("MaskEdit1"), "00000000001");
        EXPECT_EQ(form.Text("MaskEdit2"), "00000000003");
        EXPECT_EQ(form.Check("CheckBox1")->text(), "ABC sorrend :");
        form.Check("CheckBox1")->setChecked(c.abc);
        std::string text;
        const std::vector<QStringList> pages = Preview([&] { form.BitBtn1->click(); }, &text);
        ASSERT_EQ(pages.size(), 3u) << text;
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(pages[i].mid(0, 4),
                      (QStringList{"Tavrina 2019 | Selvo Studio | Lapszám : " + QString::number(i + 1),
                                   "Felhasználó : | Űrlap Bérszámfejtő Bt.",
                                   "Őrség Tűzifa Kft. | Dátum : | 2019.05.02", "Dolgozó törzslapja"}));
            EXPECT_EQ(pages[i][4].section(" | ", 3, 3), c.names[i]);
        }
        EXPECT_FALSE(DM1->Query1->Active());
        EXPECT_TRUE(form.BitBtn1->isEnabled());
        if (!c.abc) {
            EXPECT_TRUE(testsupport::MatchesGolden("masterdata/golden/List_Torzslap", "three-by-number", text,
                                                   testsupport::Encoding::Utf8, "pages.txt"));
        }
    }

    // A range whose first number is above the second: the header alone.
    TList_TorzslapForm form;
    Show(form);
    form.Edit("MaskEdit1")->setText("00000000003");
    form.Edit("MaskEdit2")->setText("00000000002");
    form.Frissit();
    const std::vector<QStringList> pages = Preview([&] { form.BitBtn1->click(); });
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].size(), 4);
}

TEST_F(DolgozoLapokTest, RegistrationSheetsOfTheCurrentEmployee) {
    os::FixedClock clock(os::EncodeDate(2019, 5, 2) + 0.5);
    TTorzskezDolgozoForm form;
    form.show();
    ASSERT_EQ(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString(), "00000000001");
    ASSERT_TRUE(form.BitBtn14->isEnabled());
    ASSERT_TRUE(form.BitBtn17->isEnabled());
    EXPECT_FALSE(form.BitBtn17->isVisible());

    std::string text;
    std::vector<QStringList> pages =
        Preview([&] { form.BitBtn14->click(); }, &text, "TAVRINA_NYILVTARTVET_SHOT");
    ASSERT_EQ(pages.size(), 1u) << text;
    EXPECT_TRUE(text.find("számú munkaszerződés alapján 2019.03.01 nappal nyilvántartásba vettük.") !=
                std::string::npos)
        << text;
    EXPECT_TRUE(pages[0].contains("Alkalmazása :")) << text;  // kind "3" has no name
    EXPECT_EQ(Value(pages[0], "Kelt :"), "......................... 2019. ............hó ......nap");
    EXPECT_TRUE(testsupport::MatchesGolden("masterdata/golden/List_NyilvTartVetQR", "kind-without-name", text,
                                           testsupport::Encoding::Utf8, "pages.txt"));
    // The company table closed and writable again, the button back, the employee kept.
    EXPECT_FALSE(DM1->TableCegek->Active());
    EXPECT_FALSE(DM1->TableCegek->ReadOnly);
    EXPECT_TRUE(form.BitBtn14->isEnabled());
    EXPECT_EQ(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString(), "00000000001");

    pages = Preview([&] { form.BitBtn17->click(); }, &text);
    ASSERT_EQ(pages.size(), 1u) << text;
    EXPECT_TRUE(testsupport::MatchesGolden("masterdata/golden/List_EgysMunkugyNyilvQR", "kind-without-name",
                                           text, testsupport::Encoding::Utf8, "pages.txt"));

    // The next employee's kind, sex and wage form have their names.
    form.BitBtn2->click();
    pages = Preview([&] { form.BitBtn14->click(); });
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Value(pages[0], "Alkalmazása :"), "Munkaviszony (1)");
    pages = Preview([&] { form.BitBtn17->click(); }, &text);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Value(pages[0], "Munkaidő hossza :"), "Munkaviszony (1)") << text;
    EXPECT_EQ(Value(pages[0], "Neme :"), "Nő") << text;
    EXPECT_EQ(Value(pages[0], "Személyi alapbére :"), "1500 | Fajtája : | Órabér") << text;

    testsupport::PdfExport pdf(dialogs);
    form.BitBtn14->click();
    pdf.Check();
    EXPECT_NE(pdf.pdf.find("NyilvTartVet_"), std::string::npos) << pdf.pdf;
}

TEST_F(DolgozoLapokTest, TorzslapOpensTheRangeFormWhileTheFormsTablesAreClosed) {
    TTorzskezDolgozoForm form;
    form.show();
    form.BitBtn2->click();  // the second employee
    QString opened;
    bool readOnly = false;
    dialogs.AnswerModal([&](QDialog& d) {
        opened = d.objectName();
        readOnly = DM1->TableDolgozo->ReadOnly && DM1->TableDolgozo->Active();
        return 0;
    });
    form.BitBtn15->click();
    EXPECT_EQ(opened, "List_TorzslapForm");
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(DM1->TableDolgozo->Active());
    EXPECT_FALSE(DM1->TableDolgozo->ReadOnly);
    EXPECT_TRUE(form.BitBtn15->isEnabled());
}

}  // namespace
