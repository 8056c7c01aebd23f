#include "masterdata/TblSearch.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include <filesystem>
#include "masterdata/TblSearchWorkbook.h"
#include "masterdata/uTblSearchHelp.h"
#include "masterdata/uTblSearchLanguage.h"
#include "platform/db/Table.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "support/AppErrors.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Drive = std::function<int(TfrmTblSearch&)>;

// A company with three dependants of one employee and one of another, and a
// small table of names, amounts and numbers.
class TblSearchTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        testsupport::MakeCompany("001", "Minta Kft", "Minta");
        dependants.DatabaseName = AktualisAlias;
        dependants.TableName = "Hozzatartozo_001";
        dependants.Open();
        const std::tuple<const char*, const char*, int, const char*> rows[] = {
            {"00000000001", "Nagy Anna", 2010, "1"},
            {"00000000001", "Nagy Béla", 2012, "1"},
            {"00000000002", "Kiss Pál", 2001, "2"},
            {"00000000001", "Kovács Éva", 1985, "3"},
        };
        for (auto [id, name, year, link] : rows) {
            dependants.Append();
            dependants.FieldByName("HT_DGTORZSSZAM").SetAsString(id);
            dependants.FieldByName("HT_NEV").SetAsString(name);
            dependants.FieldByName("HT_SZULDAT").SetAsDateTime(os::EncodeDate(year, 5, 1));
            dependants.FieldByName("HT_KAPCSOLAT").SetAsString(link);
            dependants.Post();
        }
        using T = db::FieldType;
        db::CreateTable(AktualisAlias, "Proba",
                        {{"NEV", T::String, 30}, {"OSSZEG", T::Float}, {"KOD", T::Integer}}, "");
        db::Table proba;
        proba.DatabaseName = AktualisAlias;
        proba.TableName = "Proba";
        proba.Open();
        const std::tuple<const char*, double, int> amounts[] = {
            {"Kovács Péter", 1500, 3}, {"kocsis Anna", -2000, 1}, {"Antal Béla", 250.5, 2}};
        for (auto [name, amount, code] : amounts) {
            proba.Append();
            proba.FieldByName("NEV").SetAsString(name);
            proba.FieldByName("OSSZEG").SetAsFloat(amount);
            proba.FieldByName("KOD").SetAsInteger(code);
            proba.Post();
        }
    }

    // Opens the window over Proba with its three columns and runs `drive`
    // inside it.
    db::Bookmark Proba(const Drive& drive, const std::string& options = "#NoAbout#") {
        dialogs.AnswerModal([&](QDialog& d) { return drive(static_cast<TfrmTblSearch&>(d)); });
        return KeresoAblakMutat({"NEV", "OSSZEG", "KOD"}, {150, 80, 60}, {}, AktualisAlias, "Proba", nullptr,
                                {}, options, 'H');
    }

    static QString Cell(TfrmTblSearch& f, int row, int column) {
        return f.DBGrid1->model()->index(row, column).data().toString();
    }
    static QString Current(TfrmTblSearch& f) { return Cell(f, f.DBGrid1->currentIndex().row(), 0); }
    static QStringList Lines(const QListWidget* list) {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    static void Popup(TfrmTblSearch& f, QAction* item) {
        f.PopupMenu1Popup();
        item->trigger();
    }

    db::Table dependants;
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(TblSearchTest, DependantsSearchBuildsTheQueryAndReturnsTheChosenRow) {
    dependants.First();
    const db::Bookmark start = dependants.GetBookmark();  // Nagy Anna
    const std::string where = "Where HT_DGTORZSSZAM = '00000000001'";
    auto search = [&](Qt::Key key, QString* current) {
        dialogs.AnswerModal([&, key, current](QDialog& d) {
            auto& f = static_cast<TfrmTblSearch&>(d);
            f.show();
            EXPECT_EQ(f.SqlLines(), (std::vector<std::string>{"Select HT_NEV,HT_SZULDAT,HT_KAPCSOLAT From "
                                                              "Hozzatartozo_001 ",
                                                              where, "Order By 1,2,3"}));
            EXPECT_FALSE(f.MNU_Sugo_Nevjegy->isVisible());
            EXPECT_TRUE(f.MNU_Sugo_Sugo->isVisible());
            EXPECT_EQ(f.width(), 350 + 75 + 50 + 3 + 35);
            EXPECT_EQ(f.windowTitle(), "Kiválasztás v.: 3.39");
            EXPECT_EQ(f.DBGrid1->model()->rowCount(), 3);
            EXPECT_EQ(f.StatusText(0), "2 / 3");  // the start row, after Kovács Éva
            *current = Current(f);
            QTest::keyClick(f.DBGrid1, Qt::Key_Down);
            QTest::keyClick(f.DBGrid1, key);
            return f.result();
        });
        // Titles narrower than their columns keep the caller's widths.
        return KeresoAblakMutat({"HT_NEV", "HT_SZULDAT", "HT_KAPCSOLAT"}, {350, 75, 50}, {"N", "D", "K"},
                                AktualisAlias, "Hozzatartozo_001", nullptr, start, "#NoAbout#" + where, 'H');
    };
    QString current;
    const db::Bookmark chosen = search(Qt::Key_Return, &current);
    EXPECT_EQ(current, "Nagy Anna");
    ASSERT_TRUE(chosen.has_value());
    dependants.GotoBookmark(chosen);
    EXPECT_EQ(dependants.FieldByName("HT_NEV").AsString(), "Nagy Béla");

    dependants.First();
    EXPECT_FALSE(search(Qt::Key_Escape, &current).has_value());
    EXPECT_EQ(dependants.FieldByName("HT_NEV").AsString(), "Nagy Anna");
}

TEST_F(TblSearchTest, AnEqualsConditionKeepsAQuotedValueOneText) {
    db::Table proba;
    proba.DatabaseName = AktualisAlias;
    proba.TableName = "Proba";
    proba.Open();
    proba.Append();
    proba.FieldByName("NEV").SetAsString("D'Arc Anna");
    proba.Post();
    proba.Close();
    EXPECT_EQ(NoAboutWhereEquals("NEV", "D'Arc Anna"), "#NoAbout#Where NEV = 'D''Arc Anna'");
    Proba(
        [](TfrmTblSearch& f) {
            EXPECT_EQ(f.DBGrid1->model()->rowCount(), 1);
            EXPECT_EQ(Cell(f, 0, 0), "D'Arc Anna");
            return 0;
        },
        NoAboutWhereEquals("NEV", "D'Arc Anna"));
}

TEST_F(TblSearchTest, ErrorsAreShownAndGiveNoRow) {
    struct Case {
        std::vector<std::string> names;
        std::vector<std::int16_t> widths;
        std::string table;
        std::string text;
    };
    const Case cases[] = {
        {{"HT_NEV", "HT_SZULDAT", "HT_KAPCSOLAT"},
         {350, 75},
         "Hozzatartozo_001",
         "Count of array not identical. (001)"},
        {{"NEV"}, {100}, "Nincs", ""},  // the table layer's own text
    };
    ui::SetApplicationTitle("Tavrina");
    for (const Case& c : cases) {
        testsupport::ScriptedDialogs script;
        script.Answer(ui::Ok);
        EXPECT_FALSE(KeresoAblakMutat(c.names, c.widths, {}, AktualisAlias, c.table, nullptr, {}, "", 'H')
                         .has_value());
        ASSERT_EQ(script.Shown().size(), 1u) << c.table;
        EXPECT_EQ(script.Caption(0), "Tavrina");
        EXPECT_EQ(script.Shown()[0].icon, ui::Icon::Error);
        EXPECT_EQ(script.Text(0).rfind("TblSearch Error\r" + c.text, 0), 0u) << script.Text(0);
    }
}

TEST_F(TblSearchTest, TypeAheadFindsTheFirstRowInAnyCaseAndRefusesACharacterNothingContinues) {
    Proba([&](TfrmTblSearch& f) {
        f.show();
        EXPECT_EQ(Current(f), "Antal Béla");
        // clang-format off
        const struct { const char* keys; const char* edit; const char* row; } steps[] = {
            {"k", "k",  "kocsis Anna"},
            {"o", "ko", "kocsis Anna"},
            {"v", "kov", "Kovács Péter"},
            {"x", "kov", "Kovács Péter"},  // no name continues with "kovx"
        };
        // clang-format on
        for (const auto& s : steps) {
            QTest::keyClicks(f.DBGrid1, s.keys);
            EXPECT_EQ(f.Edit1->text(), s.edit) << s.keys;
            EXPECT_EQ(Current(f), s.row) << s.keys;
        }
        EXPECT_TRUE(f.Timer1->isActive());
        for (int i = 0; i < 9; ++i) f.Timer1Timer();
        EXPECT_EQ(f.Edit1->text(), "kov");
        f.Timer1Timer();
        EXPECT_EQ(f.Edit1->text(), "");
        EXPECT_FALSE(f.Timer1->isActive());
        return int(QDialog::Rejected);
    });
}

TEST_F(TblSearchTest, FiltersOnTheFirstColumnBindTheirValues) {
    auto run = [&](const std::string& options, const std::vector<std::string>& kept) {
        Proba(
            [&](TfrmTblSearch& f) {
                f.show();
                QTest::keyClicks(f.DBGrid1, "k");  // kocsis Anna
                Popup(f, f.PopupGrid_Nagyobb);
                const std::string head = kept.size() == 2 ? "Where " : "And ";
                EXPECT_EQ(f.SqlLines()[kept.size() - 1], head + "NEV>:Param0");
                EXPECT_EQ(f.DBGrid1->model()->rowCount(), 1);  // Kovács Péter
                EXPECT_EQ(f.StatusText(1), "Szűrve");
                Popup(f, f.PopupGrid_NagyobbEgyenlo);
                EXPECT_EQ(f.SqlLines()[kept.size()], "And NEV>=:Param1");
                Popup(f, f.PopupGrid_NemEgyenloUres);
                EXPECT_EQ(f.SqlLines()[kept.size() + 1], "And NEV Is Not Null");
                EXPECT_EQ(Lines(f.ListBox1),
                          (QStringList{"NEV > kocsis Anna", "NEV >= Kovács Péter", "NEV <> Üres"}));
                EXPECT_EQ(Lines(f.ListBox3), Lines(f.ListBox1));
                EXPECT_EQ(f.ListBox3->currentRow(), 2);
                Popup(f, f.PopupGrid_SzuroFeltTorles);
                EXPECT_EQ(f.SqlLines(), kept);
                EXPECT_EQ(f.StatusText(1), "");
                EXPECT_EQ(f.ListBox1->count(), 0);
                return int(QDialog::Rejected);
            },
            options);
    };
    run("", {"Select NEV,OSSZEG,KOD From Proba ", "Order By 1,2,3"});
    run("#NoAbout#Where KOD > 0", {"Select NEV,OSSZEG,KOD From Proba ", "Where KOD > 0", "Order By 1,2,3"});
}

// A filter the database cannot run goes to the program's error handler and
// leaves the statement as it was, so the next command works on the list.
TEST_F(TblSearchTest, AFailedFilterLeavesTheStatementAsItWas) {
    std::vector<std::string> errors;
    testsupport::CollectApplicationErrors(errors);
    const std::string file = db::TableFilePath(AktualisAlias, "Proba");
    Proba([&](TfrmTblSearch& f) {
        f.show();
        const std::vector<std::string> before = f.SqlLines();
        std::filesystem::rename(file, file + ".away");
        Popup(f, f.PopupGrid_Nagyobb);
        EXPECT_EQ(errors.size(), 1u);
        EXPECT_EQ(f.SqlLines(), before);
        EXPECT_EQ(f.ListBox1->count(), 0);
        EXPECT_EQ(f.StatusText(1), "");
        std::filesystem::rename(file + ".away", file);
        Popup(f, f.PopupGrid_SzuroFeltTorles);
        EXPECT_EQ(f.DBGrid1->model()->rowCount(), 3);
        return int(QDialog::Rejected);
    });
    db::SetApplicationExceptionHandler(nullptr);
}

TEST_F(TblSearchTest, ComparisonItemsNeedAFirstCellTheEmptyItemsDoNot) {
    db::Table proba;
    proba.DatabaseName = AktualisAlias;
    proba.TableName = "Proba";
    proba.Open();
    proba.Append();
    proba.FieldByName("OSSZEG").SetAsFloat(7);
    proba.Post();
    Proba([&](TfrmTblSearch& f) {
        f.show();
        QAction* comparisons[] = {f.PopupGrid_Nagyobb, f.PopupGrid_NagyobbEgyenlo,
                                  f.PopupGrid_Egyenlo, f.PopupGrid_KisebbEgyenlo,
                                  f.PopupGrid_Kisebb,  f.PopupGrid_NemEgyenlo};
        f.PopupMenu1Popup();  // on the row without a name, listed first
        for (QAction* a : comparisons) EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
        EXPECT_TRUE(f.PopupGrid_EgyenloUres->isEnabled());
        EXPECT_TRUE(f.PopupGrid_NemEgyenloUres->isEnabled());
        f.PopupGrid_EgyenloUres->trigger();
        EXPECT_EQ(f.SqlLines()[1], "Where NEV Is Null");
        EXPECT_EQ(f.DBGrid1->model()->rowCount(), 1);
        QTest::keyClick(f.DBGrid1, Qt::Key_Down);
        f.PopupMenu1Popup();
        EXPECT_EQ(f.PopupGrid_NemEgyenlo->text(), "<> ");
        return int(QDialog::Rejected);
    });
}

TEST_F(TblSearchTest, TotalsAddABlockPerCalculation) {
    Proba([&](TfrmTblSearch& f) {
        f.show();
        f.PopupGrid_Osszeg->trigger();
        Popup(f, f.PopupGrid_OsszegSzam);
        const QRegularExpression stamp(R"(^\d{4}\.\d\d\.\d\d \d\d:\d\d:\d\d$)");
        const QStringList block = Lines(f.ListBox2);
        EXPECT_EQ(block.size(), 6);
        EXPECT_TRUE(stamp.match(block.value(0)).hasMatch()) << block.value(0).toStdString();
        EXPECT_EQ(block.mid(1), (QStringList{"Szűrő feltételek", "Összegek", "OSSZEG cellák összege: -249,50",
                                             "KOD cellák összege: 6,00", ""}));
        EXPECT_EQ(f.ListBox2->currentRow(), 0);  // the names are not totalled
        EXPECT_EQ(Lines(f.ListBox3), block);

        // The amounts first, filtered to 1500: the block copies the filter.
        f.TitleClick(1);
        f.PopupTitle_Elore->trigger();
        QTest::keyClick(f.DBGrid1, Qt::Key_Down);
        QTest::keyClick(f.DBGrid1, Qt::Key_Down);
        Popup(f, f.PopupGrid_Egyenlo);
        Popup(f, f.PopupGrid_OsszegSzam);
        const QStringList both = Lines(f.ListBox2);
        EXPECT_TRUE(stamp.match(both.value(6)).hasMatch());
        EXPECT_EQ(both.mid(7),
                  (QStringList{"Szűrő feltételek", "OSSZEG = 1500", "Összegek",
                               "OSSZEG cellák összege: 1 500,00", "KOD cellák összege: 3,00", ""}));
        EXPECT_EQ(f.ListBox2->currentRow(), 10);  // the first column's total
        Popup(f, f.PopupGrid_OsszegTorles);
        EXPECT_EQ(f.ListBox2->count(), 0);
        EXPECT_EQ(f.ListBox3->count(), 0);
        return int(QDialog::Rejected);
    });
}

TEST_F(TblSearchTest, AColumnMovedFirstSortsTheListAndIsSearched) {
    Proba([&](TfrmTblSearch& f) {
        f.show();
        f.DBGrid1->horizontalHeader()->moveSection(2, 0);
        EXPECT_EQ(f.ColumnFields(), (std::vector<std::string>{"KOD", "NEV", "OSSZEG"}));
        EXPECT_EQ(f.SqlLines().front(), "Select KOD,NEV,OSSZEG From Proba ");
        EXPECT_EQ(Cell(f, 0, 1), "kocsis Anna");
        EXPECT_EQ(Cell(f, 2, 1), "Kovács Péter");
        EXPECT_EQ(f.DBGrid1->model()->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold(),
                  true);
        QTest::keyClicks(f.DBGrid1, "3");
        EXPECT_EQ(Cell(f, f.DBGrid1->currentIndex().row(), 1), "Kovács Péter");
        QTest::keyClicks(f.DBGrid1, "x");  // not a number: the text stays
        EXPECT_EQ(f.Edit1->text(), "3x");

        f.TitleClick(0);
        EXPECT_FALSE(f.PopupTitle_Elore->isEnabled());
        f.TitleClick(2);
        EXPECT_TRUE(f.PopupTitle_Elore->isEnabled());
        f.PopupTitle_Elore->trigger();
        EXPECT_EQ(f.ColumnFields(), (std::vector<std::string>{"OSSZEG", "KOD", "NEV"}));
        EXPECT_EQ(Cell(f, 0, 0), "-2000");
        return int(QDialog::Rejected);
    });
}

TEST_F(TblSearchTest, WheelTurnsAreArrowKeysWhileTheWindowLives) {
    Proba([&](TfrmTblSearch& f) {
        f.show();
        f.DBGrid1->setFocus();
        QApplication::setActiveWindow(&f);
        auto turn = [&](int delta) {
            QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(f.DBGrid1->viewport(), &wheel);
        };
        turn(-120);
        turn(-120);
        EXPECT_EQ(f.StatusText(0), "3 / 3");
        turn(120);
        EXPECT_EQ(f.StatusText(0), "2 / 3");
        return int(QDialog::Rejected);
    });
    // Gone with the window: a wheel event reaches its widget again.
    QTableView view;
    bool reached = false;
    struct Probe : QObject {
        bool* reached;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Wheel) *reached = true;
            return false;
        }
    } probe;
    probe.reached = &reached;
    view.viewport()->installEventFilter(&probe);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_TRUE(reached);
}

TEST_F(TblSearchTest, HelpWindowAndCaptions) {
    TfrmTblSearchHelp help('H');
    const QStringList lines = help.Memo1->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 34);
    EXPECT_EQ(lines[0], "I. GYORSMENÜ (jobb egérgomb)");
    EXPECT_EQ(lines[3].right(10), "értékétől ");
    const int empty[] = {1, 5, 8, 11, 14, 17, 19, 22, 25, 29, 31};
    for (int i : empty) EXPECT_EQ(lines[i], "") << i;
    EXPECT_EQ(lines.last(), "kialakíthatja az éppen megfelelő rendezési sorrendet.");
    EXPECT_EQ(help.windowTitle(), "Súgó");

    EXPECT_EQ(TblSearchCaption("CellsTotal", 'H'), "cellák összege");
    EXPECT_EQ(TblSearchCaption("CellsTotal", 'E'), "cells total");
    EXPECT_EQ(TblSearchCaption("CellsTotal", 'X'), "cellák összege");
    EXPECT_EQ(TblSearchCaption("Nincs", 'E'), "Hiányzó cimke.");

    Proba(
        [&](TfrmTblSearch& f) {
            EXPECT_TRUE(f.MNU_Sugo_Nevjegy->isVisible());
            EXPECT_EQ(f.MNU_Sugo_Sugo->text(), "Kiválasztás Súgó");
            EXPECT_FALSE(f.MNU_Kuldes_Nyomtatora->isVisible());
            dialogs.AnswerModal([](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "Súgó");
                return int(QDialog::Accepted);
            });
            f.MNU_Sugo_Sugo->trigger();
            dialogs.AnswerModal([](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "Névjegy");
                return int(QDialog::Accepted);
            });
            f.MNU_Sugo_Nevjegy->trigger();
            return int(QDialog::Rejected);
        },
        "");
}

// A list of 30 columns (text, amount, date, then numbers and texts) with a
// filter and a totals block, saved as "lista.xls".
TEST_F(TblSearchTest, ExportWritesTheListItsFiltersAndTotalsIntoAWorkbook) {
    using T = db::FieldType;
    db::FieldDefs defs = {{"F01", T::String, 20}, {"F02", T::Float}, {"F03", T::Date}};
    for (int i = 4; i <= 30; ++i)
        defs.push_back({QString::asprintf("F%02d", i).toStdString(), i % 2 ? T::String : T::Integer, 8});
    db::CreateTable(AktualisAlias, "Szeles", defs, "");
    db::Table wide;
    wide.DatabaseName = AktualisAlias;
    wide.TableName = "Szeles";
    wide.Open();
    const std::tuple<const char*, double, int> rows[] = {
        {"Antal", 1.5, 1}, {"Béla", 1500, 2}, {"Cili", -2000.25, 3}};
    for (auto [name, amount, n] : rows) {
        wide.Append();
        wide.FieldByName("F01").SetAsString(name);
        wide.FieldByName("F02").SetAsFloat(amount);
        wide.FieldByName("F03").SetAsDateTime(os::EncodeDate(2019, 3, n));
        for (int i = 4; i <= 30; ++i)
            wide.Fields(i - 1).SetAsString(i % 2 ? "t" + std::to_string(n) : std::to_string(n * i));
        wide.Post();
    }
    wide.Close();

    const std::string folder = home.Path() + "/ki";
    ASSERT_TRUE(os::ForceDirectories(folder));
    ui::SetApplicationTitle("Tavrina");
    os::FixedClock clock(os::EncodeDate(2019, 3, 5) + os::EncodeTime(10, 20, 30));
    dialogs.AnswerModal([&](QDialog& d) {
        auto& f = static_cast<TfrmTblSearch&>(d);
        f.show();
        QTest::keyClick(f.DBGrid1, Qt::Key_Down);  // Béla
        Popup(f, f.PopupGrid_NagyobbEgyenlo);
        Popup(f, f.PopupGrid_OsszegSzam);
        dialogs.Then([&](const ui::DialogRequest& r) {
            EXPECT_EQ(r.kind, ui::DialogKind::SaveFile);
            EXPECT_EQ(r.caption, "Mentés");
            EXPECT_EQ(r.filter, "XLSX fájlok (*.xlsx)");
            EXPECT_EQ(r.value, QString::fromStdString(os::BaseFolder()) + "/Export_2019-03-05_10-20-30");
            ui::DialogAnswer a;
            a.button = ui::Ok;
            a.text = QString::fromStdString(folder + "/lista.xls");
            return a;
        });
        dialogs.Answer(ui::Ok);
        f.MNU_Kuldes_Fajlba->trigger();
        EXPECT_EQ(dialogs.Text(dialogs.Shown().size() - 1), "A küldés befejeződött.");
        EXPECT_EQ(dialogs.Shown().back().icon, ui::Icon::Information);
        EXPECT_EQ(f.StatusText(0), "1 / 2");  // back on the first row

        // A folder that is not there: the error, and nothing written.
        dialogs.AnswerText(QString::fromStdString(folder + "/nincs/lista"));
        dialogs.Answer(ui::Ok);
        f.MNU_Kuldes_Fajlba->trigger();
        EXPECT_EQ(dialogs.Text(dialogs.Shown().size() - 1).rfind("Hiba keletkezett. (006) :\r", 0), 0u);
        EXPECT_EQ(dialogs.Shown().back().icon, ui::Icon::Error);
        EXPECT_EQ(dialogs.Caption(dialogs.Shown().size() - 1), "Tavrina");
        return int(QDialog::Rejected);
    });
    KeresoAblakMutat({}, {}, {}, AktualisAlias, "Szeles", nullptr, {}, "", 'H');

    const std::string file = folder + "/lista.xlsx";
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(std::filesystem::exists(folder + "/lista.xls"));
    EXPECT_EQ(testsupport::RunCommand("unzip -tq '" + file + "'"), 0);
    std::string sheet, styles;
    testsupport::RunCommand("unzip -p '" + file + "' xl/worksheets/sheet1.xml", &sheet);
    testsupport::RunCommand("unzip -p '" + file + "' xl/styles.xml", &styles);
    // Style 1 is the bold centred caption (its font is the bold one).
    EXPECT_NE(
        styles.find("<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" "
                    "applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>"),
        std::string::npos);
    EXPECT_NE(styles.find("<font><b/>"), std::string::npos);
    for (int c = 0; c < 30; ++c)
        EXPECT_NE(sheet.find("<c r=\"" + ColumnLetters(c) + "1\" s=\"1\""), std::string::npos)
            << ColumnLetters(c);
    EXPECT_EQ(sheet.find("<c r=\"AE1\""), std::string::npos);

    // What a spreadsheet program reads from it.
    std::string soffice;
    if (testsupport::RunCommand("command -v soffice", &soffice) != 0)
        GTEST_SKIP() << "soffice is not installed (libreoffice-calc-nogui)";
    std::string out;
    ASSERT_EQ(
        testsupport::RunCommand("cd '" + folder + "' && soffice -env:UserInstallation=file://" + home.Path() +
                                    "/lo --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' "
                                    "lista.xlsx",
                                &out),
        0)
        << out;
    QStringList csv = QString::fromStdString(os::ReadFile(folder + "/lista.csv")).split('\n');
    for (QString& line : csv) {
        line.remove('\r');
        while (line.endsWith(',')) line.chop(1);
    }
    ASSERT_GE(csv.size(), 12);
    EXPECT_TRUE(csv[0].startsWith("F01,F02,F03,F04,F05")) << csv[0].toStdString();
    EXPECT_TRUE(csv[0].endsWith("F29,F30"));
    EXPECT_TRUE(csv[1].startsWith("Béla,1500,2019.03.02,8,t2,")) << csv[1].toStdString();
    EXPECT_TRUE(csv[2].startsWith("Cili,-2000.25,2019.03.03,12,t3,")) << csv[2].toStdString();
    EXPECT_EQ(csv.mid(3, 4), (QStringList{"", "Szűrő feltételek", "F01 >= Béla", ""}));
    EXPECT_EQ(csv.mid(7, 2), (QStringList{"Összegek", "2019.03.05 10:20:30"}));
    EXPECT_EQ(csv.mid(9, 4), (QStringList{"Szűrő feltételek", "F01 >= Béla", "Összegek",
                                          "\"F02 cellák összege: -500,25\""}));
}

TEST_F(TblSearchTest, AChosenDBaseFileIsListedFromATemporaryCopy) {
    const std::string file = home.Path() + "/DOLGOZO.dbf";
    ASSERT_EQ(testsupport::RunCommand("dbfcreate '" + file + "' -s NEV 20 -n OSSZEG 10 2"), 0);
    ASSERT_EQ(testsupport::RunCommand("dbfadd '" + file + "' 'Kiss' 12.5"), 0);
    ASSERT_EQ(testsupport::RunCommand("dbfadd '" + file + "' 'Antal' 7"), 0);
    std::string copy;
    dialogs.Then([&](const ui::DialogRequest& r) {
        EXPECT_EQ(r.kind, ui::DialogKind::OpenFile);
        EXPECT_EQ(r.caption, "Fájl kiválasztás");
        EXPECT_EQ(r.filter, "paradox (*.db);;dbase (*.dbf);;Minden fájl (*.*)");
        ui::DialogAnswer a;
        a.button = ui::Ok;
        a.text = QString::fromStdString(file);
        return a;
    });
    dialogs.AnswerModal([&](QDialog& d) {
        auto& f = static_cast<TfrmTblSearch&>(d);
        EXPECT_TRUE(f.MNU_Sugo_Nevjegy->isVisible());  // the options went with the table name
        EXPECT_EQ(f.SqlLines(),
                  (std::vector<std::string>{"Select NEV,OSSZEG From DOLGOZO ", "Order By 1,2"}));
        EXPECT_EQ(Cell(f, 0, 0), "Antal");
        EXPECT_EQ(f.Tag("NEV"), 20 * 7 + 7);
        copy = f.Table1->FilePath();
        EXPECT_TRUE(std::filesystem::exists(copy));
        QTest::keyClick(f.DBGrid1, Qt::Key_Return);
        return f.result();
    });
    EXPECT_TRUE(
        KeresoAblakMutat({}, {}, {}, AktualisAlias, " ", nullptr, {}, "#NoAbout#Where x", 'H').has_value());
    EXPECT_FALSE(std::filesystem::exists(copy));

    // No file chosen: no window.
    dialogs.AnswerText("", false);
    EXPECT_FALSE(KeresoAblakMutat({}, {}, {}, AktualisAlias, "", nullptr, {}, "", 'H').has_value());
}

TEST_F(TblSearchTest, AnEmptyListAndAnUnlistableField) {
    dialogs.AnswerModal([&](QDialog& d) {
        auto& f = static_cast<TfrmTblSearch&>(d);
        EXPECT_EQ(f.StatusText(0), "0/0");
        QTest::keyClick(f.DBGrid1, Qt::Key_Return);
        return f.result();
    });
    EXPECT_FALSE(KeresoAblakMutat({"HT_NEV"}, {100}, {}, AktualisAlias, "Hozzatartozo_001", nullptr, {},
                                  "Where HT_NEV = 'Senki'", 'H')
                     .has_value());

    db::CreateTable(AktualisAlias, "Kepek",
                    {{"NEV", db::FieldType::String, 10}, {"KEP", db::FieldType::Blob}}, "");
    ui::SetApplicationTitle("Tavrina");
    dialogs.Answer(ui::Ok);
    EXPECT_FALSE(KeresoAblakMutat({"NEV", "KEP"}, {1, 1}, {}, AktualisAlias, "Kepek", nullptr, {}, "", 'H'));
    EXPECT_EQ(dialogs.Text(1), "TblSearch Error\rType of field not supported. (002)");
}

}  // namespace
