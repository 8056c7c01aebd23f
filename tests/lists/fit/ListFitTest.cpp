// Every list, run with the widest values its fields allow, prints each text
// whole and apart: a company, a workplace, a payment place and an employee
// with the longest codes and names, and pay rows of 999 999 999.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "datasupply/List_PenztarAdatsz.h"
#include "lists/occasional/List_Adatlap.h"
#include "lists/occasional/List_Berkarton.h"
#include "lists/occasional/List_EFOigazolas.h"
#include "lists/occasional/List_EKHOigazolas.h"
#include "lists/occasional/List_Foglig.h"
#include "lists/occasional/List_MunkidoKedv.h"
#include "lists/occasional/List_Munkig.h"
#include "lists/occasional/List_NYENYI.h"
#include "lists/occasional/List_Szab.h"
#include "lists/occasional/List_SzabKerFelh.h"
#include "lists/payment/List_Berlap.h"
#include "lists/payment/List_Cimletjegyz.h"
#include "lists/payment/List_EVMNYPbevall.h"
#include "lists/payment/List_Jogcim.h"
#include "lists/payment/List_Kifiz.h"
#include "lists/payment/List_KifizJarul.h"
#include "lists/payment/List_MNYP.h"
#include "lists/payment/List_MNYPbevall.h"
#include "lists/summary/List_BevEll.h"
#include "lists/summary/List_BevalSeg.h"
#include "lists/summary/List_Fokfel.h"
#include "lists/summary/List_JarulOssz.h"
#include "lists/summary/List_JogcimOssz.h"
#include "lists/summary/List_KoltsFeloszt.h"
#include "lists/summary/List_MunkidoKedvOssz.h"
#include "lists/summary/List_SZHAkedv.h"
#include "lists/summary/List_Stat.h"
#include "lists/summary/List_UtalTetel.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/report/Fit.h"
#include "support/ListFixture.h"

namespace {

using testsupport::AddRows;
using testsupport::RowTable;

// `words` repeated and cut to exactly `size` characters: the longest text a
// field of that size holds, in ordinary letters.
QString Widest(const QString& words, int size) {
    QString s;
    while (s.size() < size) s += words + ' ';
    return s.left(size).trimmed().leftJustified(size, QChar(u'Ő'));
}

// Makes the report's pages again and counts the records its record bands
// print: the detail of a report that walks records and the sub-details that
// walk theirs, each print that takes room. -1 for a report that walks none
// (a form printed once).
int PrintedRecords(report::Report& r) {
    std::vector<report::Band*> bands;
    if (r.Detail() && (r.DataSet || r.NeedData)) bands.push_back(r.Detail());
    for (const auto& b : r.SubDetails())
        if (b->DataSet || b->NeedData) bands.push_back(b.get());
    int count = 0;
    std::vector<std::function<void()>> kept;
    for (report::Band* b : bands) {
        kept.push_back(b->AfterPrint);
        b->AfterPrint = [b, after = b->AfterPrint, &count] {
            if (b->Height > 0) ++count;
            if (after) after();
        };
    }
    r.Prepare();
    for (size_t i = 0; i < bands.size(); ++i) bands[i]->AfterPrint = kept[i];
    return bands.empty() ? -1 : count;
}

// Answers every dialog of a list's run: the preview is checked and closed,
// messages get their first button, file dialogs are cancelled.
class FitCheck : public ui::DialogScript {
public:
    QStringList findings;
    int previews = 0;
    QStringList empty;  // the previews whose record bands printed nothing
    // A change to the layout before its pages are made again and measured.
    std::function<void(report::Report&)> change;
    QStringList messages;  // what the run said, for a list that showed nothing

    ui::DialogAnswer Show(const ui::DialogRequest& r) override {
        ui::DialogAnswer a;
        if (r.kind == ui::DialogKind::Modal && r.form) {
            if (auto* preview = qobject_cast<TNyomtatasForm*>(r.form)) {
                preview->show();
                QCoreApplication::processEvents();
                ++previews;
                report::Report& r = *preview->QuickRep;
                if (change) change(r);
                if (PrintedRecords(r) == 0) empty << r.ReportTitle;
                for (const QString& f : report::FitProblems(preview->QuickRep->PagePrinter()))
                    findings << r.ReportTitle + ": " + f;
            } else {
                QCoreApplication::processEvents();  // the wait dialog, while pages are produced
            }
            return a;
        }
        messages << ui::DialogScript::Describe(r);
        if (r.kind == ui::DialogKind::Message) {
            for (int b = 1; b <= 0x10000; b <<= 1)
                if (r.buttons & b) {
                    a.button = b;
                    break;
                }
            return a;
        }
        a.button = ui::Cancel;
        return a;
    }
};

// The pay items of the fixture's payroll: pay, deductions, charges, the
// working-time allowance (108, its charge 390), the payable (750) and the
// contribution allowance (328).
constexpr const char* kItems[] = {"100", "108", "210", "270", "271", "281A", "300", "301", "304",
                                  "306", "307", "320", "321", "322", "326",  "328", "330", "332",
                                  "333", "336", "337", "342", "351", "390",  "750", "755", "900"};

class ListFitTest : public testsupport::ListFixtureTest {
protected:
    void SetUp() override {
        ListFixtureTest::SetUp();
        const QString company = Widest("Szentgyörgyvölgyi Mezőgazdasági Termelő és Szolgáltató", 60);
        AddRows("Cegek", {"CG_KOD", "CG_NEV"}, {{"001", company.toStdString()}});
        AddRows("MHely_001", {"MH_KOD", "MH_NEV", "MH_KHKOD"},
                {{"999999", Widest("Őrbottyáni Gépjavító Karbantartó Üzem", 50).toStdString(), "999999"}});
        AddRows("KifHely_001", {"KH_KOD", "KH_NEV"},
                {{"999999", Widest("Hódmezővásárhelyi Kifizetőhely Pénztár", 50).toStdString()}});
        const std::string name = Widest("Hegedűs-Szentmártoni Ágnes Éva", 30).toStdString();
        // Two private fund members: an employee, with a service relation the
        // insurance sheet counts, and a sole trader, whom the self-employed
        // fund return lists.
        AddRows("Dolgozo_001",
                {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_TAJSZ", "DG_MNYP", "DG_ALKMIN", "DG_MNYPJOGVKOD",
                 "DG_NYENYIJOGVKOD"},
                {{"99999999999", name, "999999", "999999999", "9999", "1", "", "99"},
                 {"99999999998", name, "999999", "999999998", "9999", "6", "21", ""}});
        AddRows("NyugP", {"NP_KOD", "NP_TIPUS", "NP_NEV", "NP_RNEV"},
                {{"9999", "M", Widest("Hódmezővásárhelyi Magánnyugdíjpénztár", 60).toStdString(),
                  Widest("Hódmezővásárhelyi", 20).toStdString()}});
        // The widest names, accounts the posting takes, and the charges the
        // cost allocation shares out.
        const std::string jogcim = Widest("Munkaerőpiaci járulék különbözet", 30).toStdString();
        RowTable items;
        for (const char* item : kItems) {
            const std::string code(item);
            const bool pay = code == "100" || code == "270";
            items.push_back({code, jogcim, "99999" + code.substr(0, 3) + "99",
                             "99999" + code.substr(0, 3) + "98", pay ? "I" : "N", pay ? "I" : "N",
                             pay ? "I" : "N", pay ? "I" : "N"});
        }
        AddRows("Jogcim_001",
                {"JC_KOD", "JC_NEV", "JC_TARTOZIK", "JC_KOVETEL", "JC_SZHAKOT", "JC_MADOJKOT", "JC_NYJKOT",
                 "JC_SZAKKEPZES"},
                items);
        // A transfer to the employee's fund, and one to an account named by
        // the employee's name, the widest identifier.
        AddRows("Utal_001", {"UT_JCKOD", "UT_AZON", "UT_DOLGKAPCS", "UT_SZAMLA"},
                {{"301", "9999", "DG_MNYP", "99999999-99999999-99999999"},
                 {"320", name, "DG_NEV", "99999999-99999999-99999998"}});
        AddRows("Ertekkeszlet_001", {"EK_TIPUS", "EK_ERTEK", "EK_ERTEKNEV"},
                {{"9", "99", Widest("Szakképzettséget nem igénylő munkakör", 40).toStdString()}});
        // The parameter forms take their default ranges from the payroll
        // rows' copies of the employee's workplace, payment place and fund.
        // Totals are kept in 32 bits: the widest amount where a list prints
        // it alone, a narrower one where it adds up.
        RowTable rows;
        for (const char* id : {"99999999999", "99999999998"})
            for (const char* item : kItems) {
                const bool widest = std::string(item) == "270";
                if (widest && std::string(id) != "99999999999") continue;
                rows.push_back({id, name, 12, "2019.12.31", item, widest ? 999999999.0 : 99999999.0,
                                99999999.0, "99", jogcim, "999999", "999999", "999999", "9999", "999999"});
            }
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG",
                 "SF_JARALAP", "SF_SZHAKEDVKOD", "SF_JCNEV", "SF_MHKOD", "SF_DGMHKOD", "SF_DGKHKOD",
                 "SF_DGMNYP", "SF_MUNKSZAM"},
                rows);
    }
};

TEST_F(ListFitTest, EveryListPrintsItsWidestValuesWholeAndApart) {
    const os::FixedClock clock(os::EncodeDate(2019, 12, 31) + os::EncodeTime(23, 59, 59));
    using Make = std::function<std::unique_ptr<ListForm>()>;
    using Fill = std::function<void(ListForm&)>;  // what a user types before starting
    const Fill none;
    const Fill employee = [](ListForm& f) { f.SetValue("MaskEdit5", "99999999999"); };
    const Fill itemised = [](ListForm& f) { f.Check("CheckBox1")->setChecked(true); };
    const struct {
        const char* name;
        Make make;
        Fill fill;
    } lists[] = {
        {"Adatlap", [] { return std::make_unique<TList_AdatlapForm>(); }, none},
        {"Berkarton", [] { return std::make_unique<TList_BerkartonForm>(); }, none},
        {"EFOigazolas", [] { return std::make_unique<TList_EFOigazolasForm>(); }, none},
        {"EKHOigazolas", [] { return std::make_unique<TList_EKHOigazolasForm>(); }, employee},
        {"Foglig", [] { return std::make_unique<TList_FogligForm>(); }, none},
        {"MunkidoKedv", [] { return std::make_unique<TList_MunkidoKedvForm>(); }, employee},
        {"Munkig", [] { return std::make_unique<TList_MunkigForm>(); }, none},
        {"NYENYI", [] { return std::make_unique<TList_NYENYIForm>(); }, none},
        {"Szab", [] { return std::make_unique<TList_SzabForm>(); }, none},
        {"SzabKerFelh", [] { return std::make_unique<TList_SzabKerFelhForm>(); }, none},
        {"Berlap", [] { return std::make_unique<TList_BerlapForm>(); }, none},
        {"Cimletjegyz", [] { return std::make_unique<TList_CimletjegyzForm>(); }, none},
        {"EVMNYPbevall", [] { return std::make_unique<TList_EVMNYPbevallForm>(); }, none},
        {"Jogcim", [] { return std::make_unique<TList_JogcimForm>(); },
         [](ListForm& f) { f.SetValue("MaskEdit7", "270"); }},
        {"Kifiz", [] { return std::make_unique<TList_KifizForm>(); }, none},
        {"KifizJarul", [] { return std::make_unique<TList_KifizJarulForm>(); }, itemised},
        {"MNYP", [] { return std::make_unique<TList_MNYPForm>(); }, none},
        {"MNYPbevall", [] { return std::make_unique<TList_MNYPbevallForm>(); }, none},
        {"BevEll", [] { return std::make_unique<TList_BevEllForm>(); }, none},
        {"BevalSeg", [] { return std::make_unique<TList_BevalSegForm>(); }, none},
        {"Fokfel", [] { return std::make_unique<TList_FokfelForm>(); },
         [](ListForm& f) { f.Check("CheckBox3")->setChecked(true); }},
        {"JarulOssz", [] { return std::make_unique<TList_JarulOsszForm>(); }, itemised},
        {"JogcimOssz", [] { return std::make_unique<TList_JogcimOsszForm>(); }, itemised},
        {"KoltsFeloszt", [] { return std::make_unique<TList_KoltsFelosztForm>(); }, itemised},
        {"MunkidoKedvOssz", [] { return std::make_unique<TList_MunkidoKedvOsszForm>(); }, none},
        {"SZHAkedv", [] { return std::make_unique<TList_SZHAkedvForm>(); }, none},
        {"Stat", [] { return std::make_unique<TList_StatForm>(); }, none},
        {"UtalTetel", [] { return std::make_unique<TList_UtalTetelForm>(); }, none},
        {"PenztarAdatsz", [] { return std::make_unique<TList_PenztarAdatszForm>(); }, none},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.name);
        FitCheck check;
        std::unique_ptr<ListForm> form = list.make();
        Show(*form);
        if (list.fill) list.fill(*form);
        for (QPushButton* start : form->StartButtons()) {
            EXPECT_TRUE(start->isEnabled()) << start->text().toStdString();
            if (start->isEnabled()) start->click();
        }
        form->close();
        EXPECT_GT(check.previews, 0) << "no list was shown:\n" << check.messages.join('\n').toStdString();
        EXPECT_TRUE(check.empty.isEmpty()) << "no rows printed: " << check.empty.join(", ").toStdString();
        EXPECT_TRUE(check.findings.isEmpty()) << check.findings.join('\n').toStdString();
    }
}

// The check sees a layout that no longer holds its widest value: the payment
// list with deductions with its widest column narrowed by 2 mm.
TEST_F(ListFitTest, FindsAColumnNarrowedByTwoMillimetres) {
    const os::FixedClock clock(os::EncodeDate(2019, 12, 31) + os::EncodeTime(23, 59, 59));
    FitCheck check;
    check.change = [](report::Report& r) {
        double left = -1;
        for (const report::Control& c : r.ColumnHeader()->Controls())
            if (c.Caption == QStringLiteral("Munkabér")) left = c.Left;
        ASSERT_GE(left, 0);
        std::vector<report::Band*> bands = {r.ColumnHeader(), r.Detail(), r.Summary()};
        for (const auto& b : r.SubDetails()) bands.push_back(b.get());
        for (report::Band* band : bands)
            for (report::Control& c : band->Controls())
                if (c.Left == left) c.Width -= 2;
    };
    TList_KifizJarulForm form;
    Show(form);
    form.BitBtn1->click();
    form.close();
    ASSERT_EQ(check.previews, 1);
    EXPECT_TRUE(check.findings.join('\n').contains("\"999999999\" needs"))
        << check.findings.join('\n').toStdString();
}

}  // namespace
