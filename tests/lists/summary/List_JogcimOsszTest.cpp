// "Jogcím összesítő": totals by pay item, the rows on request, the optional
// job-number bounds and the payment dates.
#include <gtest/gtest.h>

#include <QCheckBox>

#include <QLineEdit>
#include <QPushButton>
#include "controls/ComboEdits.h"

#include "lists/summary/List_JogcimOssz.h"
#include "lists/summary/List_JogcimOsszQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

class ListJogcimOsszTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("KifHely_001", {"KH_KOD", "KH_NEV"}, {{"000001", "Pénztár"}});
        AddRows("MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD"}, {{"000001", "Központ", "000001"}});
        AddRows("Jogcim_001", {"JC_KOD", "JC_NEV"}, {{"100", "Alapbér"}, {"200", "Prémium"}});
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"},
                {{"00000000001", "Zoltán Péter", "000001"}, {"00000000002", "Ábel Anna", "000001"}});
        // clang-format off
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",     "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JCNEV",    "SF_OSSZEG", "SF_NAP", "SF_ORA", "SF_MUNKSZAM", "SF_MHKOD", "SF_DGKHKOD"},
                {{"00000000001",   "Zoltán Péter", 3,          "2019.03.05",  "100",      "Alapbér régi", 1000.0,     20,       160,      "000050",      "000001",   "000001"},
                 {"00000000002",   "Ábel Anna",    3,          "2019.03.05",  "100",      "Alapbér",     1500.0,      21,       168,      "000100",      "000001",   "000001"},
                 {"00000000002",   "Ábel Anna",    3,          "2019.03.05",  "100",      "Alapbér",     250.5,       db::Variant(), db::Variant(), db::Variant(), "000001", "000001"},
                 // paid after the dates chosen below
                 {"00000000001",   "Zoltán Péter", 3,          "2019.03.25",  "200",      "Prémium",     700.0,       0,        0,        "000200",      "000001",   "000001"}});
        // clang-format on
    }

    QStringList Preview(TList_JogcimOsszForm& form) {
        QStringList lines;
        testsupport::AnswerPreview(
            dialogs, [&](TNyomtatasForm& preview) { lines = PageLines(preview.QuickRep->PagePrinter(), 1); });
        form.BitBtn1->click();
        return lines;
    }
};

TEST_F(ListJogcimOsszTest, TotalsByItemWithTheRowsOnRequest) {
    os::FixedClock clock(os::EncodeDate(2019, 4, 2) + 0.5);
    TList_JogcimOsszForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/Jogcím összesítő");
    EXPECT_EQ(form.Text("MaskEdit7"), "100");
    EXPECT_EQ(form.Text("MaskEdit8"), "200");
    form.Edit("MaskEdit9")->clear();
    form.Edit("MaskEdit10")->clear();
    form.DateEdit("DateEdit2")->SetDateValue(os::EncodeDate(2019, 3, 20));
    ASSERT_TRUE(form.BitBtn1->isEnabled());

    QStringList lines = Preview(form);
    QStringList expected = {
        "Tavrina 2019 | Selvo Studio | Lapszám : 1",
        "Felhasználó : | Űrlap Bérszámfejtő Bt.",
        "Őrség Tűzifa Kft. | Dátum : | 2019.04.02",
        "Bérösszesítő",
        "Hónap : | 03 - 03",
        "Kifiz. dát. : | 2019.03.01 - 2019.03.20",
        "Munkahely : | 000001 - 000001",
        "Dolgozó : | 00000000001 - 00000000002",
        "Jogcím : | 100 - 200",
        "Jogcím | Összeg | Nap | Óra | Dolgozó",
        "100 | Alapbér | összesen : | 2750.5 | 41 | 328",  // 200 lies wholly after the dates
    };
    EXPECT_EQ(lines.join("\n").toStdString(), expected.join("\n").toStdString());

    form.Check("CheckBox1")->setChecked(true);
    form.Check("CheckBoxListaDatum")->setChecked(false);
    lines = Preview(form);
    expected = {
        "Tavrina 2019 | Selvo Studio | Lapszám : 1",
        "Felhasználó : | Űrlap Bérszámfejtő Bt.",
        "Őrség Tűzifa Kft.",
        "Bérösszesítő",
        "Hónap : | 03 - 03",
        "Kifiz. dát. : | 2019.03.01 - 2019.03.20",
        "Munkahely : | 000001 - 000001",
        "Dolgozó : | 00000000001 - 00000000002",
        "Jogcím : | 100 - 200",
        "Jogcím | Összeg | Nap | Óra | Dolgozó",
        "100 | Alapbér régi | 1000 | 20 | 160 | 00000000001 | Zoltán Péter",
        "100 | Alapbér | 1500 | 21 | 168 | 00000000002 | Ábel Anna",
        "100 | Alapbér | 250.5 | 0 | 0 | 00000000002 | Ábel Anna",
        "100 | Alapbér | összesen : | 2750.5 | 41 | 328",
    };
    EXPECT_EQ(lines.join("\n").toStdString(), expected.join("\n").toStdString());
}

TEST_F(ListJogcimOsszTest, OneJobNumberBoundAlsoTakesRowsWithoutOne) {
    struct Case {
        const char *from, *to, *total;
    } cases[] = {{"000100", "", "1750.5"}, {"000100", "000200", "1500"}, {"", "000050", "1250.5"}};
    TList_JogcimOsszForm form;
    Show(form);
    form.DateEdit("DateEdit2")->SetDateValue(os::EncodeDate(2019, 3, 20));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " - " + c.to);
        form.Edit("MaskEdit9")->setText(c.from);
        form.Edit("MaskEdit10")->setText(c.to);
        const QStringList lines = Preview(form);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.back().startsWith(QStringLiteral("100 | Alapbér | összesen : | ") + c.total))
            << lines.back().toStdString();
    }
}

TEST_F(ListJogcimOsszTest, ThePreviewExportsASoundPdf) {
    TList_JogcimOsszForm form;
    Show(form);
    form.Check("CheckBox1")->setChecked(true);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
}

}  // namespace
