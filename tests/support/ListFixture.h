// Fixtures of the list tests: a company with its tables, and rows written
// into any of its tables from a compact table (a header of field names and
// one line of values per row), through the database layer. Payroll rows,
// pay items, employees, workplaces and payment places are all written this
// way. Header-only: it needs the core library, which tests/support does not link.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/DataModule1.h"
#include "core/ListForm.h"
#include "core/MainWindowLink.h"
#include "core/Nyomtatas.h"
#include "core/TableCatalog.h"
#include "platform/db/Table.h"
#include "platform/report/PageText.h"
#include "platform/report/Report.h"
#include "support/ActiveWindow.h"
#include "support/AppErrors.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace testsupport {

using RowTable = std::vector<std::vector<db::Variant>>;

// Writes the rows into the table `tableName` of the year's alias (or of
// `alias`): each value
// goes into the field of its column (dates as "YYYY.MM.DD" texts); empty
// required fields get plain values. A row whose key already exists replaces
// that row's given fields (the templates bring standard rows).
inline void AddRows(const std::string& tableName, const std::vector<std::string>& header,
                    const RowTable& rows, const std::string& alias = AktualisAlias) {
    db::Table t;
    t.DatabaseName = alias;
    t.TableName = tableName;
    t.Open();
    const std::string key = t.KeyFieldNames();
    for (const auto& row : rows) {
        bool found = false;
        if (!key.empty()) {
            std::vector<db::Variant> keyValues;
            bool all = true;
            for (const std::string& k : db::Dataset::SplitFieldNames(key)) {
                size_t i = 0;
                while (i < header.size() && header[i] != k) ++i;
                if (i == header.size()) {
                    all = false;
                    break;
                }
                keyValues.push_back(row[i]);
            }
            found = all && t.Locate(key, keyValues);
        }
        found ? t.Edit() : t.Append();
        for (size_t i = 0; i < header.size() && i < row.size(); ++i)
            t.FieldByName(header[i]).SetValue(row[i]);
        FillRequired(t);
        t.Post();
    }
    t.Close();
}

// Every record of the table `tableName` of the year's alias, by the text of
// its first field: field name -> text, stored fields only.
inline std::map<std::string, std::map<std::string, std::string>> TableRecords(const std::string& tableName) {
    db::Table t;
    t.DatabaseName = AktualisAlias;
    t.TableName = tableName;
    t.Open();
    std::map<std::string, std::map<std::string, std::string>> out;
    for (; !t.Eof(); t.Next()) {
        auto& r = out[t.Fields(0).AsString()];
        for (int i = 0; i < t.FieldCount(); ++i)
            if (t.Fields(i).Kind() == db::FieldKind::Data)
                r[t.Fields(i).FieldName()] = t.Fields(i).AsString();
    }
    return out;
}

// Answers a list's preview window and the wait dialog in front of it;
// `drive` sees the window once the pages are recorded.
inline void AnswerPreview(ScriptedDialogs& dialogs, std::function<void(TNyomtatasForm&)> drive) {
    dialogs.AnswerModal([drive](QDialog& d) {
        auto& form = static_cast<TNyomtatasForm&>(d);
        form.show();
        QCoreApplication::processEvents();
        drive(form);
        return 0;
    });
    dialogs.AnswerModal([](QDialog&) {
        QCoreApplication::processEvents();
        return 0;
    });
}

// A main window that names company "001" and does nothing else: where a
// list's PDF folder, the company's, is asked for.
struct CompanyWindow : MainWindowLink {
    QString CompanyCode() const override { return "001"; }
    void ShowCompany(const QString&, const QString&, const QString&) override {}
    void EnableCompanyItems(const CompanyTables&) override {}
    void DisableCompanyItems() override {}
};

// Answers a list's preview by exporting its pages to PDF and closing it:
// `pdf` gets the file written and `pages` the preview's page count.
struct PdfExport {
    CompanyWindow window;
    std::string pdf;
    int pages = 0;

    explicit PdfExport(ScriptedDialogs& dialogs) {
        SetMainWindow(&window);
        AnswerPreview(dialogs, [this, &dialogs](TNyomtatasForm& preview) {
            pages = preview.QuickRep->PagePrinter().PageCount();
            dialogs.Then([this](const ui::DialogRequest& request) {
                pdf = (request.value + ".PDF").toStdString();
                return ui::DialogAnswer{ui::Ok, request.value, 0};
            });
            preview.BitBtn10->click();
            preview.BitBtn2->click();
        });
    }
    ~PdfExport() { SetMainWindow(nullptr); }

    // qpdf finds the file sound, pdftotext finds one page per preview page,
    // and every page is A4, upright or on its side.
    void Check() const {
        std::string out;
        ASSERT_EQ(RunCommand("qpdf --check '" + pdf + "'", &out), 0) << out;
        ASSERT_EQ(RunCommand("pdftotext '" + pdf + "' -", &out), 0) << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\f'), pages);
        ASSERT_EQ(RunCommand("pdfinfo -f 1 -l " + std::to_string(pages) + " '" + pdf + "'", &out), 0) << out;
        int a4 = 0;
        for (size_t at = out.find("\nPage "); at != std::string::npos; at = out.find("\nPage ", at + 1)) {
            const std::string size = out.substr(at + 1, out.find('\n', at + 1) - at - 1);
            if (size.find(" size: ") == std::string::npos) continue;
            EXPECT_TRUE(size.find("595 x 842 pts (A4)") != std::string::npos ||
                        size.find("842 x 595 pts (A4)") != std::string::npos)
                << size;
            ++a4;
        }
        EXPECT_EQ(a4, pages);
    }
};

// The printed lines of a page: texts whose tops lie within half a
// millimetre form one line, joined by " | " from left to right.
inline QStringList PageLines(const report::PagePrinter& printer, int page) {
    QStringList lines;
    double top = -100;
    for (const report::PlacedText& t : printer.GetPage(page)->Texts(printer.PageCount())) {
        if (!lines.isEmpty() && std::abs(t.y - top) < 0.5)
            lines.back() += " | " + t.text;
        else
            lines << t.text, top = t.y;
    }
    return lines;
}

// A company "001" ("Őrség Tűzifa Kft.", short name "Őrség") with the user
// name set, DM1 pointed at its tables, and the dialog hook scripted.
class ListFixtureTest : public YearFolderTest {
protected:
    void SetUp() override {
        SetUpYearFolder("001", "Őrség Tűzifa Kft.", "Őrség");
        dm->SetCompanyTableNames("001");
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKCHAR"},
                {{"0", "02", "Űrlap Bérszámfejtő Bt."}});
    }
    void TearDown() override {
        DM1->Table1->Close();
        DM1->Table1->TableName.clear();
        YearFolderTest::TearDown();
    }

    // Payroll rows; without SF_SORSZAM in the header each row gets its own
    // number, so rows of one employee, month, date and item may repeat.
    void Payroll(std::vector<std::string> header, RowTable rows) {
        const bool numbered = std::find(header.begin(), header.end(), "SF_SORSZAM") != header.end();
        if (!numbered) {
            header.push_back("SF_SORSZAM");
            header.push_back("SF_RJSORSZAM");
            for (auto& row : rows) row.push_back(++sorszam), row.push_back(0);
        }
        AddRows("Szamfejt_001", header, rows);
    }
    int sorszam = 0;

    // Shows a parameter form as the menu does and makes it the active window,
    // so entering and leaving its edits run as for a user.
    static void Show(QWidget& form) { testsupport::Activate(form); }

    // Runs a list as a user does: clicks `start` ("Lekérdezés" unless given),
    // answers the preview (`during` sees it first) and returns its pages line
    // by line, their whole text in `pagesText`. Afterwards the frame has
    // enabled the buttons again, left Query1 without SQL, the payroll table
    // unfiltered and the work table closed.
    std::vector<QStringList> Run(ListForm& form, QPushButton* start = nullptr,
                                 const std::function<void(TNyomtatasForm&)>& during = {}) {
        std::vector<QStringList> pages;
        AnswerPreview(dialogs, [&](TNyomtatasForm& preview) {
            if (during) during(preview);
            const report::PagePrinter& p = preview.QuickRep->PagePrinter();
            for (int i = 1; i <= p.PageCount(); ++i) pages.push_back(PageLines(p, i));
            pagesText = report::PagesText(p);
        });
        if (!start) start = form.BitBtn1;
        start->click();
        EXPECT_TRUE(start->isEnabled());
        EXPECT_TRUE(form.BitBtn2->isEnabled());
        EXPECT_EQ(DM1->Query1->SQL(), "");
        EXPECT_FALSE(DM1->TableSzamfejt->Filtered());
        EXPECT_EQ(DM1->Table1->TableName, "");
        return pages;
    }
    std::string pagesText;  // of the last run

    ScriptedDialogs dialogs;
};

}  // namespace testsupport
