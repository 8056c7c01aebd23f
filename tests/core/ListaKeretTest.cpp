// A list written the way every payment and summary list is: a per-workstation
// work table read through DM1.Table1, the common page header (program, maker,
// user, company, page number, date, title, parameters), the preview window
// and its PDF. It shows the report engine carries such a list in a few lines.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "core/MainWindowLink.h"
#include "core/Nyomtatas.h"
#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/report/PageText.h"
#include "platform/report/Report.h"
#include "platform/ui/QtString.h"
#include "support/CompanyFixture.h"
#include "support/DialogTest.h"
#include "support/Golden.h"

namespace {

using report::Align;
using report::SysKind;

// The layout: the page header band of every list, one line per work-table
// row and the total.
struct TList_ProbaQRForm {
    report::Report QuickRep1;
    report::Control* QRLabelDatum;
    report::Control* QRSysData2;
    QString Tartomany;  // the parameter form's "from - to"
    double Osszesen = 0;

    TList_ProbaQRForm() {
        QuickRep1.DataSet = DM1->Table1;
        QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
        QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, "List_ProbaQRForm"); };

        auto& QRBand1 = QuickRep1.AddPageHeader(34);
        QRBand1.Label(0, 0, 60, Q(ProgramCim));
        QRBand1.Label(40, 0, 110, Q(KeszitoSor), Align::Center);
        QRBand1.Label(0, 5, 25, "Felhasználó :");
        QRBand1.Computed(25, 5, 110, [] {
            return Q(
                DM1->TableErtekkeszlet->Lookup("EK_TIPUS;EK_ERTEK", {"0", "02"}, "EK_ERTEKCHAR").ToString());
        });
        QRBand1.Field(0, 10, 120, "CG_NEV").From(*DM1->TableCegek);
        QRBand1.SysData(150, 5, 40, SysKind::PageNumber, Align::Right, "Lapszám : ");
        QRLabelDatum = &QRBand1.Label(150, 10, 18, "Dátum :");
        QRSysData2 = &QRBand1.SysData(168, 10, 22, SysKind::Date, Align::Right);
        QRBand1.Label(0, 17, 190, "Kifizetőhelyek listája", Align::Center).Size(14).Bold();
        QRBand1.Computed(
            0, 24, 190, [this] { return Tartomany; }, Align::Center);
        QRBand1.Label(0, 29, 25, "Kód").Bold();
        QRBand1.Label(25, 29, 100, "Név").Bold();
        QRBand1.Label(150, 29, 40, "Összeg", Align::Right).Bold();
        QRBand1.HLine(0, 33.5, 190);

        auto& detail = QuickRep1.AddDetail(5);
        detail.Field(0, 0, 25, "KOD");
        detail.Field(25, 0, 120, "NEV");
        detail.Field(150, 0, 40, "OSSZEG", Align::Right);
        detail.BeforePrint = [this](bool&) { Osszesen += DM1->Table1->FieldByName("OSSZEG").AsFloat(); };

        auto& summary = QuickRep1.AddSummary(8);
        summary.HLine(0, 1, 190);
        summary.Label(0, 2, 40, "Összesen :").Bold();
        summary
            .Computed(
                150, 2, 40, [this] { return QString::number(Osszesen, 'f', 0); }, Align::Right)
            .Bold();
    }

    // The report's start: the first row, the total reset, the company whose
    // code ends the payroll table's name located.
    void QuickRep1BeforePrint() {
        DM1->Table1->First();
        Osszesen = 0;
        DM1->TableCegek->Locate("CG_KOD", DM1->TableSzamfejt->TableName.substr(9, 3));
    }

    // "Aktuális dátum megjelenítése".
    void DatumMutat(bool on) { QRLabelDatum->Enabled = QRSysData2->Enabled = on; }
};

struct CompanyWindow : MainWindowLink {
    QString CompanyCode() const override { return "001"; }
    void ShowCompany(const QString&, const QString&, const QString&) override {}
    void EnableCompanyItems(const CompanyTables&) override {}
    void DisableCompanyItems() override {}
};

class ListaKeretTest : public testsupport::YearFolderTest {
protected:
    void SetUp() override {
        YearFolderTest::SetUp();
        testsupport::MakeCompany("001", "Őrség Tűzifa Kft.", "Őrség");
        dm->SetCompanyTableNames("001");
        {
            db::Table values;
            values.DatabaseName = AktualisAlias;
            values.TableName = DM1->TableErtekkeszlet->TableName;
            values.Open();
            ASSERT_TRUE(values.Locate("EK_TIPUS;EK_ERTEK", {"0", "02"}));
            values.Edit();
            values.FieldByName("EK_ERTEKCHAR").SetAsString("Űrlap Bérszámfejtő Bt.");
            values.Post();
        }
        DM1->TableCegek->Open();
        DM1->TableErtekkeszlet->Open();

        // The fill routine's part: the work table made anew and filled.
        table = "List_Proba" + GepNevUtotag();
        ASSERT_TRUE(ParadoxTablaLetrehoz(AktualisAlias, table, {"BLOKK", "SOR", "KOD", "NEV", "OSSZEG"},
                                         "BLOKK; SOR",
                                         {db::FieldType::String, db::FieldType::String, db::FieldType::String,
                                          db::FieldType::String, db::FieldType::Float},
                                         {2, 4, 6, 40, 0}));
        db::Table fill;
        fill.DatabaseName = AktualisAlias;
        fill.TableName = table;
        fill.Open();
        for (int i = 1; i <= kRows; ++i) {
            fill.Append();
            fill.FieldByName("BLOKK").SetAsString("01");
            fill.FieldByName("SOR").SetAsString(QString("%1").arg(i, 4, 10, QChar('0')).toStdString());
            fill.FieldByName("KOD").SetAsString(QString("%1").arg(i, 6, 10, QChar('0')).toStdString());
            fill.FieldByName("NEV").SetAsString("Kifizetőhely ŐŰ őű " + std::to_string(i));
            fill.FieldByName("OSSZEG").SetAsFloat(i * 1000.0);
            fill.Post();
        }
        fill.Close();
        DM1->Table1->TableName = table;
        DM1->Table1->Open();
        DM1->Table1->First();
    }
    void TearDown() override {
        DM1->Table1->Close();
        DM1->Table1->TableName.clear();
        YearFolderTest::TearDown();
    }

    static constexpr int kRows = 100;
    std::string table;
    testsupport::ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(ListaKeretTest, WorkTableListWithHeaderPreviewAndPdf) {
    const os::FixedClock clock(os::EncodeDate(2019, 5, 2) + os::EncodeTime(14, 30, 5));
    TList_ProbaQRForm layout;
    layout.Tartomany = "000001 - 000100";
    layout.DatumMutat(true);
    report::PagePrinter& pages = layout.QuickRep1.PagePrinter();
    CompanyWindow window;
    SetMainWindow(&window);
    const QString folder = Q(os::BaseFolder()) + "/PDF/2019/001/";
    QString pdf;

    dialogs.AnswerModal([&](QDialog& d) {
        auto& form = static_cast<TNyomtatasForm&>(d);
        form.show();
        QCoreApplication::processEvents();  // the wait dialog: pages are produced
        EXPECT_EQ(form.Label1->text(), "1/3");
        if (const char* shot = std::getenv("TAVRINA_PREVIEW_SHOT")) {
            form.BitBtn9->click();  // page width
            for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
        }
        dialogs.Then([&](const ui::DialogRequest& request) {
            EXPECT_EQ(request.value, folder + "Proba_2019-05-02_14-30-05");
            pdf = request.value;
            return ui::DialogAnswer{ui::Ok, request.value, 0};
        });
        form.BitBtn10->click();
        form.BitBtn2->click();
        return 0;
    });
    dialogs.AnswerModal([](QDialog& d) {
        if (const char* shot = std::getenv("TAVRINA_WAIT_SHOT")) d.grab().save(shot);
        QCoreApplication::processEvents();
        return 0;
    });
    layout.QuickRep1.Preview();
    SetMainWindow(nullptr);

    // 243 mm under the header of each page: 48 rows a page.
    ASSERT_EQ(pages.PageCount(), 3);
    EXPECT_TRUE(testsupport::MatchesGolden("core/golden/ListaKeret", "work-table-list",
                                           report::PagesText(pages), testsupport::Encoding::Utf8,
                                           "pages.txt"));
    const QString today = "2019.05.02";
    for (int page = 1; page <= pages.PageCount(); ++page) {
        SCOPED_TRACE(page);
        std::vector<QString> lines = report::PageTexts(pages, page);
        std::vector<QString> header = {Q(ProgramCim),
                                       Q(KeszitoSor),
                                       "Felhasználó :",
                                       "Űrlap Bérszámfejtő Bt.",
                                       QString("Lapszám : %1").arg(page),
                                       "Őrség Tűzifa Kft.",
                                       "Dátum :",
                                       today,
                                       "Kifizetőhelyek listája",
                                       "000001 - 000100",
                                       "Kód",
                                       "Név",
                                       "Összeg"};
        ASSERT_GT(lines.size(), header.size());
        EXPECT_EQ(std::vector<QString>(lines.begin(), lines.begin() + long(header.size())), header);
    }
    std::vector<QString> first = report::PageTexts(pages, 1);
    EXPECT_EQ(first[13], "000001");
    EXPECT_EQ(first[14], "Kifizetőhely ŐŰ őű 1");
    EXPECT_EQ(first[15], "1000");
    EXPECT_EQ(report::PageTexts(pages, 2)[13], "000049");
    EXPECT_TRUE(pages.PageContains(3, "Kifizetőhely ŐŰ őű 100"));
    std::vector<QString> last = report::PageTexts(pages, 3);
    EXPECT_EQ(last[last.size() - 2], "Összesen :");
    EXPECT_EQ(last.back(), QString::number(kRows * (kRows + 1) / 2 * 1000));

    // The PDF: every page renders, the header shows on the first.
    ASSERT_FALSE(pdf.isEmpty());
    const std::string file = (pdf + ".PDF").toStdString();
    std::string out;
    ASSERT_EQ(testsupport::RunCommand("qpdf --check '" + file + "'", &out), 0) << out;
    ASSERT_EQ(testsupport::RunCommand("pdftoppm -r 100 -png '" + file + "' '" + home.Path() + "/lap'"), 0);
    QImage page1(Q(home.Path() + "/lap-1.png"));
    ASSERT_FALSE(page1.isNull());
    EXPECT_TRUE(QFile::exists(Q(home.Path() + "/lap-3.png")));
    if (const char* keep = std::getenv("TAVRINA_KEEP_LIST")) page1.save(keep);

    // Without "Aktuális dátum megjelenítése" the header has no date.
    layout.DatumMutat(false);
    DM1->Table1->First();
    layout.QuickRep1.Prepare();
    EXPECT_FALSE(pages.PageContains(1, "Dátum :"));
    EXPECT_FALSE(pages.PageContains(1, today));
    EXPECT_EQ(report::PageTexts(pages, 1)[6], "Kifizetőhelyek listája");
}

// --- The frame's helpers ------------------------------------------------------

#include "core/ListaKeret.h"
#include "support/ListFixture.h"

namespace {

TEST(ListaKeretHelpers, PlainNumberText) {
    struct Case {
        double value;
        const char* text;
    };
    for (Case c : {Case{1234.5, "1234.5"},
                   {0, "0"},
                   {-0.0, "0"},
                   {-7, "-7"},
                   {12345, "12345"},
                   {0.1 + 0.2, "0.3"},
                   {100000000, "100000000"},
                   {-1234567.25, "-1234567.25"}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SzamSzoveg(c.value), c.text);
    }
}

TEST(ListaKeretHelpers, BanknoteSplit) {
    using Counts = std::array<long long, 14>;
    EXPECT_EQ(CimletBontas(48765), (Counts{2, 0, 1, 1, 1, 1, 1, 0, 1, 0, 1, 1, 0, 0}));
    EXPECT_EQ(CimletBontas(12347), (Counts{0, 1, 0, 1, 0, 0, 1, 1, 0, 2, 0, 1, 1, 0}));
    EXPECT_EQ(CimletBontas(0), Counts{});
}

TEST(ListaKeretHelpers, Int32TotalRefusesToWrap) {
    Int32Total t;
    t.Add(2147483647);
    EXPECT_THROW(t.Add(1), std::overflow_error);
    EXPECT_EQ(t.Value(), 2147483647);
    t.Reset();
    t.Add(-2147483648LL);
    EXPECT_THROW(t.Add(-1), std::overflow_error);
    EXPECT_THROW(ToInt32(3000000000LL), std::overflow_error);
}

class ListSqlTest : public testsupport::ListFixtureTest {};

TEST_F(ListSqlTest, ValuesAreBoundAndMonthsCompareAsNumbers) {
    Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG"},
            {{"00000000001", 3, "2019.03.05", "100", 1.0},
             {"00000000001", 10, "2019.10.05", "100", 2.0},
             {"00000000002", 9, "2019.09.05", "100", 4.0}});
    auto sum = [](const ListSql& sql) {
        sql.Apply(*DM1->Query1);
        DM1->Query1->Open();
        double total = 0;
        for (DM1->Query1->First(); !DM1->Query1->Eof(); DM1->Query1->Next())
            total += DM1->Query1->FieldByName("SF_OSSZEG").AsFloat();
        DM1->Query1->Close();
        return total;
    };
    auto from = [] {
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
        return sql;
    };
    Query1Reset();
    // As texts "10" would lie between "1" and "9".
    EXPECT_EQ(sum(from().Range("SF_HONAP", 1, 9)), 5.0);
    EXPECT_EQ(sum(from().Range("SF_DGTORZSSZAM", QString(" 00000000002 "), QString("00000000002"))), 4.0);
    EXPECT_EQ(sum(from().DateRange("SF_KIFIZDAT", os::EncodeDate(2019, 3, 1), os::EncodeDate(2019, 9, 30))),
              5.0);
    // A typed quote is a character of the value, not of the statement.
    EXPECT_EQ(sum(from().Equal("SF_JCKOD", QString("1' Or '1'='1"))), 0.0);
    EXPECT_EQ(from().Range("SF_HONAP", 1, 2).Equal("SF_JCKOD", QString("100")).Text(),
              "Select * From \"Szamfejt_001\"\nWhere \"SF_HONAP\" >= :v1 And \"SF_HONAP\" <= :v2\nAnd "
              "\"SF_JCKOD\" = :v3");
}

}  // namespace
