// The K30 and K32 editors on the annual editor frame.
#include "tax/annual/Ado_K30mod.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/CegKival.h"
#include "platform/ui/DatasetGrid.h"
#include "support/ListFixture.h"
#include "tax/annual/Ado_K32mod.h"

namespace {

using testsupport::AddRows;

class K30modTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        for (const char* t : {"K30", "K32"}) ASSERT_TRUE(TablaSablonbol(t, "001"));
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV"},
                {{"00000000001", "Kő Anna"}, {"00000000002", "Fa Béla"}});
        AddRows("K30_001",
                {"K30_DGTORZSSZAM", "K30_S8B", "K30_S8C", "K30_S8D", "K30_S22D", "K30_S27B", "K30_S28C",
                 "K30_S29B", "K30_S29C", "K30_S29D"},
                {{"00000000001", 1000, 100, 900, 2000, 300, 40, 300, 40, 2000}});
    }
    void TearDown() override {
        dm->TableK30->Close();
        dm->TableK32->Close();
        ListFixtureTest::TearDown();
    }

    static QPushButton* Button(QWidget& form, const char* name) { return form.findChild<QPushButton*>(name); }
    static int Column(TGridEditor& form, const std::string& field) {
        const auto& columns = form.DBGrid1->Model()->Columns();
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].field == field) return int(i);
        return -1;
    }
    // Types `text` into the current record's cell of `field` (ASCII only).
    static void Type(TGridEditor& form, const std::string& field, const QString& text) {
        ui::DatasetGridModel& model = *form.DBGrid1->Model();
        const int row = form.DBGrid1->currentIndex().row();
        form.DBGrid1->setCurrentIndex(model.index(row, Column(form, field)));
        // The first key opens the cell's editor with it; the rest goes there.
        QTest::keyClick(form.DBGrid1, text[0].toLatin1());
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, text.mid(1));
    }
};

TEST_F(K30modTest, ASavedK30RecordGetsItsRow29SumsAndNothingElse) {
    TAdo_K30modForm form;
    Show(form);
    db::Table& k30 = *dm->TableK30;
    EXPECT_EQ(form.windowTitle(), "Adó/K30 Módosítás");
    QPushButton* felvitel = Button(form, "BitBtn5");
    ASSERT_NE(felvitel, nullptr);
    EXPECT_EQ(felvitel->property("Tag").toInt(), 5);
    ui::DatasetGridModel& model = *form.DBGrid1->Model();
    EXPECT_EQ(model.Columns()[0].field, "K30_DGTORZSSZAM");
    EXPECT_EQ(model.Columns()[1].field, "K30_szarmDGNEV");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Kő Anna");

    struct Case {
        const char* cell;
        const char* typed;
        const char* s29b;
        const char* s29c;
        const char* s29d;
        const char* s8c;
    };
    const Case cases[] = {
        {"K30_S22D", "3000", "300", "40", "3000", "100"},
        {"K30_S27B", "500", "500", "40", "3000", "100"},
        {"K30_S28C", "60", "500", "60", "3000", "100"},
        {"K30_S8B", "5000", "500", "60", "3000", "100"},  // S8C is the totals' only
    };
    for (const Case& c : cases) {
        QTest::keyClick(form.DBGrid1, Qt::Key_F12);
        ASSERT_EQ(k30.State(), db::DatasetState::Edit);
        EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable) << c.cell;  // the code
        Type(form, c.cell, c.typed);
        Button(form, "BitBtn11")->click();
        ASSERT_EQ(k30.State(), db::DatasetState::Browse) << c.cell;
        EXPECT_EQ(k30.FieldByName(c.cell).AsString(), c.typed);
        EXPECT_EQ(k30.FieldByName("K30_S29B").AsString(), c.s29b) << c.cell;
        EXPECT_EQ(k30.FieldByName("K30_S29C").AsString(), c.s29c) << c.cell;
        EXPECT_EQ(k30.FieldByName("K30_S29D").AsString(), c.s29d) << c.cell;
        EXPECT_EQ(k30.FieldByName("K30_S8C").AsString(), c.s8c) << c.cell;
    }

    // Ins inserts; the code is typed only now; an unknown employee stays in insert.
    QTest::keyClick(form.DBGrid1, Qt::Key_Insert);
    ASSERT_EQ(k30.State(), db::DatasetState::Insert);
    EXPECT_FALSE(felvitel->isEnabled());
    Type(form, "K30_DGTORZSSZAM", "00000000077");
    Type(form, "K30_S20B", "700");
    dialogs.Answer(ui::Ok);
    Button(form, "BitBtn11")->click();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Text(0), "Ilyen Törzsszámú dolgozó nem létezik!\rA tétel így nem vihető fel!");
    EXPECT_EQ(k30.State(), db::DatasetState::Insert);
    Type(form, "K30_DGTORZSSZAM", "00000000002");
    Button(form, "BitBtn11")->click();
    ASSERT_EQ(k30.State(), db::DatasetState::Browse);
    ASSERT_TRUE(k30.Locate("K30_DGTORZSSZAM", "00000000002"));
    EXPECT_EQ(k30.FieldByName("K30_S29B").AsString(), "700");
    EXPECT_EQ(k30.RecordCount(), 2);
    dialogs.Answer(ui::Yes);
    form.close();
}

TEST_F(K30modTest, AK32RecordIsPostedAsTypedForAnExistingEmployee) {
    TAdo_K32modForm form;
    Show(form);
    db::Table& k32 = *dm->TableK32;
    EXPECT_EQ(form.windowTitle(), "Adó/K32 Módosítás");
    Button(form, "BitBtn5")->click();
    ASSERT_EQ(k32.State(), db::DatasetState::Insert);
    Type(form, "K32_DGTORZSSZAM", "00000000088");
    Type(form, "K32_NYJALAP1", "100000");
    dialogs.Answer(ui::Ok);
    Button(form, "BitBtn11")->click();
    EXPECT_EQ(dialogs.Text(0), "Ilyen Törzsszámú dolgozó nem létezik!\rA tétel így nem vihető fel!");
    ASSERT_EQ(k32.State(), db::DatasetState::Insert);
    Type(form, "K32_DGTORZSSZAM", "00000000001");
    Button(form, "BitBtn11")->click();
    ASSERT_EQ(k32.State(), db::DatasetState::Browse);
    EXPECT_EQ(k32.FieldByName("K32_NYJALAP1").AsString(), "100000");
    EXPECT_EQ(k32.FieldByName("K32_NYJ1").AsString(), "");  // nothing derived
    EXPECT_EQ(k32.FieldByName("K32_FELSOHATAR").AsString(), "");
    // Editing keeps the code read-only.
    QTest::keyClick(form.DBGrid1, Qt::Key_F12);
    ui::DatasetGridModel& model = *form.DBGrid1->Model();
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    QTest::keyClick(form.DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(k32.State(), db::DatasetState::Browse);
    dialogs.Answer(ui::Yes);
    form.close();
}

}  // namespace
