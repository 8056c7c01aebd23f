// Every list, run with the widest values its fields allow, prints each text
// whole and apart: a company, a workplace, a payment place and an employee
// with the longest codes and names, and pay rows of 999 999 999.
#include <gtest/gtest.h>

#include <QApplication>
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

// Answers every dialog of a list's run: the preview is checked and closed,
// messages get their first button, file dialogs are cancelled.
class FitCheck : public ui::DialogScript {
public:
    QStringList findings;
    int previews = 0;
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
                if (change) {
                    change(*preview->QuickRep);
                    preview->QuickRep->Prepare();
                }
                for (const QString& f : report::FitProblems(preview->QuickRep->PagePrinter()))
                    findings << preview->QuickRep->ReportTitle + ": " + f;
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
        AddRows("Dolgozo_001", {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD", "DG_TAJSZ", "DG_MNYP"},
                {{"99999999999", name, "999999", "999999999", "9999"}});
        // The parameter forms take their default ranges from the payroll
        // rows' copies of the employee's workplace, payment place and fund.
        // Totals are kept in 32 bits: the widest amount where a list prints
        // it alone, a narrower one where it adds up.
        RowTable rows;
        for (const char* item : {"100", "210", "270", "271", "300", "301", "304", "306", "307", "320", "321",
                                 "322", "755", "900"}) {
            const bool widest = std::string(item) == "270";
            rows.push_back({"99999999999", name, 12, "2019.12.31", item, widest ? 999999999.0 : 99999999.0,
                            "999999", "999999", "999999", "9999", "999999"});
        }
        Payroll({"SF_DGTORZSSZAM", "SF_DGNEV", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_MHKOD",
                 "SF_DGMHKOD", "SF_DGKHKOD", "SF_DGMNYP", "SF_MUNKSZAM"},
                rows);
    }
};

TEST_F(ListFitTest, EveryListPrintsItsWidestValuesWholeAndApart) {
    const os::FixedClock clock(os::EncodeDate(2019, 12, 31) + os::EncodeTime(23, 59, 59));
    using Make = std::function<std::unique_ptr<ListForm>()>;
    using Fill = std::function<void(ListForm&)>;  // what a user types before starting
    const Fill none;
    const Fill employee = [](ListForm& f) { f.SetValue("MaskEdit5", "99999999999"); };
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
        {"KifizJarul", [] { return std::make_unique<TList_KifizJarulForm>(); }, none},
        {"MNYP", [] { return std::make_unique<TList_MNYPForm>(); }, none},
        {"MNYPbevall", [] { return std::make_unique<TList_MNYPbevallForm>(); }, none},
        {"BevEll", [] { return std::make_unique<TList_BevEllForm>(); }, none},
        {"BevalSeg", [] { return std::make_unique<TList_BevalSegForm>(); }, none},
        {"Fokfel", [] { return std::make_unique<TList_FokfelForm>(); }, none},
        {"JarulOssz", [] { return std::make_unique<TList_JarulOsszForm>(); }, none},
        {"JogcimOssz", [] { return std::make_unique<TList_JogcimOsszForm>(); }, none},
        {"KoltsFeloszt", [] { return std::make_unique<TList_KoltsFelosztForm>(); }, none},
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
