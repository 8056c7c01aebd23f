// The placement refresh of the company's pay items from the year's table:
// what is copied, what is replaced, and that a failure changes nothing.
#include "core/JogcimHelyek.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "core/ReferenceData.h"
#include "platform/ui/QtString.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

namespace {

struct PayItem {
    const char* code;
    const char* name;
    const char* row;  // JC_ADATLSOR, "" empty
    const char* column;
};

void WriteItems(db::Table& t, const std::vector<PayItem>& items) {
    t.Open();
    for (const PayItem& item : items) {
        if (t.Locate("JC_KOD", std::string(item.code)))
            t.Edit();
        else
            t.Append();
        t.FieldByName("JC_KOD").SetAsString(item.code);
        t.FieldByName("JC_NEV").SetAsString(item.name);
        t.FieldByName("JC_ADATLSOR").SetAsString(item.row);
        t.FieldByName("JC_ADATLOSZL").SetAsString(item.column);
        testsupport::FillRequired(t);
        t.Post();
    }
    t.Close();
}

// Every row and field of a table as text, in key order.
std::string Dump(db::Table& t) {
    const bool wasActive = t.Active();
    if (!wasActive) t.Open();
    std::string text;
    for (t.First(); !t.Eof(); t.Next()) {
        for (int i = 0; i < t.FieldCount(); ++i) text += t.Fields(i).AsString() + "|";
        text += "\n";
    }
    if (!wasActive) t.Close();
    return text;
}

std::string Placement(db::Table& t, const char* code) {
    if (!t.Locate("JC_KOD", std::string(code))) return "missing";
    return t.FieldByName("JC_ADATLSOR").AsString() + t.FieldByName("JC_ADATLOSZL").AsString() + " " +
           t.FieldByName("JC_NEV").AsString();
}

class JogcimHelyekTest : public testsupport::CompanyTest {
protected:
    void SetUp() override {
        CompanyTest::SetUp();
        year.DatabaseName = AktualisAlias;
        year.TableName = YearPayItemTable();
        year.Open();
        year.EmptyTable();
        year.Close();
        WriteItems(year, {{"100", "Alapbér", "1", "D"},
                          {"300", "Nyugdíjjárulék", "900", "D"},
                          {"310", "Évi", "", ""},
                          {"599", "Csak évi", "5", "D"},
                          {"810", "Hozott jövedelem", "1", "D"},
                          {"830", "Hozott adó", "65", "B"}});
        WriteItems(*dm->TableJogcim, {{"100", "Saját alapbér", "", ""},
                                      {"310", "Saját", "14", "B"},
                                      {"400", "Csak saját", "7", "B"},
                                      {"805", "Régi hozott", "4", "D"},
                                      {"810", "Saját hozott", "", ""}});
        dm->TableJogcim->ReadOnly = true;
        dm->TableJogcim->Open();
    }

    db::Table year;
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(JogcimHelyekTest, DataSheetRefreshCopiesPlacementsAndReplacesTheBroughtForwardItems) {
    db::Table& jogcim = *dm->TableJogcim;
    QPushButton button("Jogcímek aktualizálása");
    JogcimHelyMasolas how;
    how.columns = {"JC_ADATLSOR", "JC_ADATLOSZL"};
    how.replaceBroughtForward = true;
    how.button = &button;
    dialogs.Answer(ui::Ok);
    EXPECT_TRUE(JogcimHelyekMasolasa(how));
    EXPECT_EQ(dialogs.Text(0), "A jogcímek aktualizálása megtörtént");
    EXPECT_EQ(dialogs.Caption(0), "Üzenet");
    EXPECT_EQ(dialogs.Shown()[0].icon, ui::Icon::Information);
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.text(), "Jogcímek aktualizálása");
    EXPECT_TRUE(jogcim.Active());
    EXPECT_TRUE(jogcim.ReadOnly);

    const std::pair<const char*, const char*> expected[] = {
        {"100", "1D Saját alapbér"},     // the placement only
        {"310", " Saját"},               // an empty placement empties the company's
        {"400", "7B Csak saját"},        // not in the year's table: left alone
        {"599", "missing"},              // not the company's: not added
        {"805", "missing"},              // brought forward: replaced by the year's
        {"810", "1D Hozott jövedelem"},  //   whole
        {"830", "65B Hozott adó"},
    };
    for (auto [code, placement] : expected) EXPECT_EQ(Placement(jogcim, code), placement) << code;

    const std::string once = Dump(jogcim);
    dialogs.Answer(ui::Ok);
    EXPECT_TRUE(JogcimHelyekMasolasa(how));
    EXPECT_EQ(Dump(jogcim), once);
}

TEST_F(JogcimHelyekTest, AMissingYearTableChangesNothing) {
    db::Table& jogcim = *dm->TableJogcim;
    const std::string before = Dump(jogcim);
    year.DeleteTable();
    JogcimHelyMasolas how;
    how.columns = {"JC_ADATLSOR", "JC_ADATLOSZL"};
    how.replaceBroughtForward = true;
    dialogs.Answer(ui::Ok);
    EXPECT_FALSE(JogcimHelyekMasolasa(how));
    EXPECT_EQ(dialogs.Text(0),
              "HIBA! A \"JC2019\" adatállomány nem elérhető! A jogcímek aktualizálása nem történt meg!");
    EXPECT_EQ(dialogs.Shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(Dump(jogcim), before);
    EXPECT_TRUE(jogcim.ReadOnly);
}

TEST_F(JogcimHelyekTest, AFailureAfterTheDeletionsLeavesThePayItemsAsTheyWere) {
    db::Table& jogcim = *dm->TableJogcim;
    const std::string before = Dump(jogcim);
    jogcim.BeforePost = [](db::Dataset& t) {
        if (t.FieldByName("JC_KOD").AsString() == "830") throw std::runtime_error("lemez megtelt");
    };
    JogcimHelyMasolas how;
    how.columns = {"JC_ADATLSOR", "JC_ADATLOSZL"};
    how.replaceBroughtForward = true;
    dialogs.Answer(ui::Ok);
    EXPECT_FALSE(JogcimHelyekMasolasa(how));
    jogcim.BeforePost = nullptr;
    EXPECT_EQ(dialogs.Text(0), "HIBA történt! \rlemez megtelt");
    EXPECT_EQ(dialogs.Caption(0), "Üzenet");
    EXPECT_EQ(Dump(jogcim), before);
    EXPECT_TRUE(jogcim.Active());
    EXPECT_TRUE(jogcim.ReadOnly);
}

TEST_F(JogcimHelyekTest, ARowTheCellCheckRefusesKeepsTheCompanysPlacement) {
    db::Table& jogcim = *dm->TableJogcim;
    JogcimHelyMasolas how;
    how.columns = {"JC_ADATLSOR", "JC_ADATLOSZL"};
    how.cellCheck = [](db::Dataset& row) { return row.FieldByName("JC_ADATLSOR").AsString() != "1"; };
    how.refusedText = [](db::Dataset& row) {
        return Q("A(z) " + row.FieldByName("JC_KOD").AsString() + " nem rendelhető.");
    };
    how.missingText = " adatállomány nem elérhető! A feltöltés nem történt meg!";
    dialogs.Answer(ui::Ok).Answer(ui::Ok).Answer(ui::Ok);
    EXPECT_TRUE(JogcimHelyekMasolasa(how));
    EXPECT_EQ(dialogs.Text(0), "A(z) 100 nem rendelhető.");
    EXPECT_EQ(dialogs.Shown()[0].icon, ui::Icon::Warning);
    EXPECT_EQ(dialogs.Text(1), "A(z) 810 nem rendelhető.");
    EXPECT_EQ(dialogs.Text(2), "A jogcímek aktualizálása megtörtént");

    // Without the replacement, codes from "800" are placed like the others.
    const std::pair<const char*, const char*> expected[] = {
        {"100", " Saját alapbér"}, {"310", " Saját"},  {"805", "4D Régi hozott"},
        {"810", " Saját hozott"},  {"830", "missing"},
    };
    for (auto [code, placement] : expected) EXPECT_EQ(Placement(jogcim, code), placement) << code;
}

}  // namespace
