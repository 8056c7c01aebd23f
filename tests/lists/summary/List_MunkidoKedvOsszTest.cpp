// "Munkaidő kedvezmény összesítő": a line per employee and payment date of
// item 108 with the base and amount of item 390 paid that day.
#include <gtest/gtest.h>

#include <QPushButton>

#include "controls/NumEdits.h"
#include "lists/summary/List_MunkidoKedvOssz.h"
#include "lists/summary/List_MunkidoKedvOsszQR.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"

namespace {

using testsupport::PageLines;

class ListMunkidoKedvOsszTest : public testsupport::ListFixtureTest {};

TEST_F(ListMunkidoKedvOsszTest, ALinePerEmployeeAndPaymentDateWithTheContributionOfThatDay) {
    // clang-format off
    Payroll({"SF_DGTORZSSZAM", "SF_DGNEV",     "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_JARALAP", "SF_OSSZEG"},
            {{"00000000001",   "Zoltán Péter", 3,          "2019.03.05",  "108",      0.0,          100.0},
             {"00000000001",   "Zoltán Péter", 3,          "2019.03.05",  "390",      1000.0,       155.5},
             {"00000000001",   "Zoltán Péter", 3,          "2019.03.05",  "390",      500.0,        77.0},
             {"00000000001",   "Zoltán Péter", 4,          "2019.04.05",  "108",      0.0,          100.0},
             {"00000000001",   "Zoltán Péter", 4,          "2019.04.05",  "390",      2000.0,       310.0},
             // 108 without 390; a 390 of an employee without 108
             {"00000000002",   "Ábel Anna",    5,          "2019.05.06",  "108",      0.0,          50.0},
             {"00000000003",   "Béla Bán",     5,          "2019.05.06",  "390",      9999.0,       999.0},
             // outside the months
             {"00000000003",   "Béla Bán",     6,          "2019.06.05",  "108",      0.0,          50.0}});
    // clang-format on
    os::FixedClock clock(os::EncodeDate(2019, 7, 1) + 0.5);
    TList_MunkidoKedvOsszForm form;
    Show(form);
    EXPECT_EQ(form.windowTitle(), "Összesítő listák/Munkaidő kedvezmény összesítő");
    EXPECT_EQ(form.Month("CurrencyEdit1"), 6);
    form.MonthEdit("CurrencyEdit1")->SetValue(3);
    form.MonthEdit("CurrencyEdit2")->SetValue(5);
    form.Frissit();
    ASSERT_TRUE(form.BitBtn1->isEnabled());

    QStringList lines;
    testsupport::AnswerPreview(
        dialogs, [&](TNyomtatasForm& preview) { lines = PageLines(preview.QuickRep->PagePrinter(), 1); });
    form.BitBtn1->click();
    const QStringList expected = {
        "Tavrina 2019 | Selvo Studio | Lapszám : 1",
        "Felhasználó : | Űrlap Bérszámfejtő Bt.",
        "Őrség Tűzifa Kft. | Dátum : | 2019.07.01",
        "Munkaidő kedvezmény összesítő",
        "Bevallási időszak : | 2019. 3 - 5. ho",
        "Törzsszám | Név | Kifiz. dat.",
        "Összeg | Váll. NYB jár.",
        "00000000001 | Zoltán Péter | 2019.03.05",
        "1500 | 232.5",
        "00000000001 | Zoltán Péter | 2019.04.05",
        "2000 | 310",
        "00000000002 | Ábel Anna | 2019.05.06",
        "0 | 0",
        "Összesen : | 3500 | 542.5",
    };
    EXPECT_EQ(lines.join("\n").toStdString(), expected.join("\n").toStdString());
    EXPECT_FALSE(DM1->TableSzamfejt->Filtered());
}

TEST_F(ListMunkidoKedvOsszTest, ThePreviewExportsASoundPdf) {
    Payroll({"SF_DGTORZSSZAM", "SF_DGNEV", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000001", "Zoltán Péter", 3, "2019.03.05", "108", 100.0}});
    TList_MunkidoKedvOsszForm form;
    Show(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    pdf.Check();
}

}  // namespace
