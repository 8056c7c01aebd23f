// The four pre-filled tax advance declarations: a page per employee of the
// ranges (leavers too), each with its own name and tax id; the family form
// leaves out the allowance codes that cannot take it and is landscape.
#include <gtest/gtest.h>

#include <QPushButton>
#include <functional>
#include <memory>

#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/PageText.h"
#include "support/Golden.h"
#include "support/ListFixture.h"
#include "tax/annual/List_AdoelolegElsoHazasNyil.h"
#include "tax/annual/List_AdoelolegKedvNyil.h"
#include "tax/annual/List_AdoelolegSzamNyil.h"
#include "tax/annual/List_CsalkedvNyil.h"

namespace {

using testsupport::AddRows;
using testsupport::PageLines;

struct Member {
    const char* caption;
    const char* title;  // a line of the page's title
    bool family;
    bool emptyTaxNumber;
    std::function<std::unique_ptr<ListForm>()> make;
};

template <class F>
std::function<std::unique_ptr<ListForm>()> Make() {
    return [] { return std::make_unique<F>(); };
}

const Member kMembers[] = {
    {"Szerviz/Adóelőleg kedvezmény nyilatkozat", "a személyi kedvezmény érvényesítéséről a 2019. évben",
     false, false, Make<TList_AdoelolegKedvNyilForm>()},
    {"Szerviz/Adóelőleg számítás nyilatkozat",
     "Adóelőleg-nyilatkozat a 2019. évben az adóelőleg meghatározása során", false, true,
     Make<TList_AdoelolegSzamNyilForm>()},
    {"Szerviz/Családi kedvezmény nyilatkozat",
     "Adóelőleg-nyilatkozat 2019. évben a családi kedvezmény (és járulékkedvezmény) érvényesítéséről", true,
     false, Make<TList_CsalkedvNyilForm>()},
    {"Szerviz/Első házas kedvezmény nyilatkozat",
     "Adóelőleg-nyilatkozat 2019. évben az első házasok kedvezményének érvényesítéséről", false, false,
     Make<TList_AdoelolegElsoHazasNyilForm>()},
};

class AdoelolegNyilTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        AddRows("Mhely_001", {"MH_KOD", "MH_NEV"}, {{"000001", "Erdő"}});
        // clang-format off
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV",     "DG_MHKOD", "DG_ALKMIN", "DG_KILEPDAT", "DG_ADOAZ"},
                {{"00000000001",   "Kiss Anna",    "000001",   "1",         db::Variant(), "8000000001"},
                 {"00000000002",   "Nagy Béla",    "000001",   "7",         db::Variant(), "8000000002"},
                 {"00000000003",   "Tóth Ede",     "000001",   "2",         "2019.03.31",  "8000000003"},
                 {"00000000004",   "Varga Jolán",  "000001",   "6",         db::Variant(), "8000000004"},
                 {"00000000005",   "Szabó Ödön",   "000001",   "0",         db::Variant(), "8000000005"}});
        // clang-format on
    }

    // The pages of the member's preview with the ranges as defaulted, or
    // with the employee range set to `from`..`to`.
    std::vector<QStringList> Run(ListForm& form, report::Orientation* orientation = nullptr) {
        return ListFixtureTest::Run(form, nullptr, [orientation](TNyomtatasForm& preview) {
            if (orientation) *orientation = preview.QuickRep->Page.orientation;
        });
    }
};

TEST_F(AdoelolegNyilTest, APagePerEmployeeWithItsOwnNameAndTaxId) {
    for (const Member& m : kMembers) {
        SCOPED_TRACE(m.caption);
        std::unique_ptr<ListForm> form = m.make();
        Show(*form);
        EXPECT_EQ(form->windowTitle(), QString::fromUtf8(m.caption));
        EXPECT_EQ(form->Text("MaskEdit5"), "00000000001");
        EXPECT_EQ(form->Text("MaskEdit6"), "00000000005");
        report::Orientation orientation;
        const std::vector<QStringList> pages = Run(*form, &orientation);
        // The family form leaves out codes 7 and 0; the leaver prints.
        const std::vector<int> who = m.family ? std::vector<int>{1, 3, 4} : std::vector<int>{1, 2, 3, 4, 5};
        ASSERT_EQ(pages.size(), who.size()) << pagesText;
        const char* const nevek[] = {"Kiss Anna", "Nagy Béla", "Tóth Ede", "Varga Jolán", "Szabó Ödön"};
        for (size_t i = 0; i < who.size(); ++i) {
            const QString page = pages[i].join('\n');
            EXPECT_TRUE(page.contains(nevek[who[i] - 1])) << pagesText;
            EXPECT_TRUE(page.contains(QStringLiteral("800000000") + QString::number(who[i]))) << pagesText;
            EXPECT_TRUE(page.contains(QString::fromUtf8(m.title))) << pagesText;
            // The cost declaration's tax number is the employee's to write in.
            EXPECT_EQ(pages[i].contains("adószáma:"), m.emptyTaxNumber) << pagesText;
            for (const char* other : nevek) {
                if (other != nevek[who[i] - 1]) {
                    EXPECT_FALSE(page.contains(other)) << pagesText;
                }
            }
        }
        EXPECT_EQ(orientation, m.family ? report::Orientation::Landscape : report::Orientation::Portrait);
        if (m.family) {
            EXPECT_TRUE(testsupport::MatchesGolden("tax/annual/golden/List_CsalkedvNyilQR", "three-of-five",
                                                   pagesText, testsupport::Encoding::Utf8, "pages.txt"));
        }
        form->close();
    }
}

TEST_F(AdoelolegNyilTest, ARangeWithoutEmployeesGivesAnEmptyReport) {
    for (const Member& m : kMembers) {
        SCOPED_TRACE(m.caption);
        std::unique_ptr<ListForm> form = m.make();
        Show(*form);
        form->SetValue("MaskEdit1", std::string("000009"));
        form->SetValue("MaskEdit2", std::string("000009"));
        const std::vector<QStringList> pages = Run(*form);
        for (const QStringList& page : pages) EXPECT_TRUE(page.isEmpty()) << pagesText;
        form->close();
    }
}

TEST_F(AdoelolegNyilTest, TheFamilyDeclarationExportsToPdf) {
    os::FixedClock clock(os::EncodeDate(2019, 8, 10) + os::EncodeTime(9, 0, 0));
    TList_CsalkedvNyilForm form;
    Show(form);
    testsupport::PdfExport pdf(dialogs);
    form.BitBtn1->click();
    EXPECT_EQ(pdf.pages, 3);
    pdf.Check();
}

}  // namespace
