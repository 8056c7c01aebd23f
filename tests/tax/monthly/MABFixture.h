// A company with employees, pay items and payroll rows written through the
// database layer, the declaration tables open as the totals form keeps them,
// and the pages of a sheet read back as text.
#pragma once

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "core/CegKival.h"
#include "core/DataModule1.h"
#include "platform/db/Query.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"
#include "tax/monthly/MABModKeret.h"
#include "tax/monthly/MABOsszesit.h"
#include "tax/monthly/MABSzamfejtes.h"
#include "tax/monthly/MABTablak.h"

namespace mabtest {

using testsupport::RowTable;

class MABTest : public testsupport::ListFixtureTest {
protected:
    // The company switch makes the company's declaration tables.
    void SetUp() override {
        ListFixtureTest::SetUp();
        ASSERT_TRUE(CegAtallas("001"));
    }
    void TearDown() override {
        if (open) MABTablakZarasa();
        ListFixtureTest::TearDown();
    }

    // A picture of the form as it stands (for the eye; the tests never compare it).
    static void Shot(QWidget& form, const char* file) {
        // As the window manager maximises it.
        if (QScreen* screen = form.screen()) form.resize(screen->availableGeometry().size());
        for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
        form.grab().save(QString::fromLocal8Bit(file));
    }

    // The index of the editor's page of that caption; -1 when there is none.
    static int Lap(TMABModKeret& form, const QString& caption) {
        for (int i = 0; i < form.PageControl1->count(); ++i)
            if (form.PageControl1->tabText(i) == caption) return i;
        return -1;
    }
    // The text typed into the input over what it held.
    static void Type(QWidget* w, const QString& text) {
        w->setFocus(Qt::TabFocusReason);
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
        QTest::keyClicks(w, text);
    }

    // Employees with the fields a declaration needs: id, name, tax id.
    void Employees(const RowTable& rows) {
        RowTable full;
        for (const auto& r : rows) full.push_back({r[0], r[1], r[2], "20", 1, "N", "1"});
        testsupport::AddRows("Dolgozo_001",
                             {"DG_TORZSSZAM", "DG_NEV", "DG_ADOAZ", "DG_ALKMINADATSZ", "DG_JSORSZADATSZ",
                              "DG_NYUGDIJAS", "DG_ALKMIN"},
                             full);
    }
    // Pay items: code, contribution code, row and column of the declaration cell.
    void PayItems(const RowTable& rows) {
        testsupport::AddRows("Jogcim_001",
                             {"JC_KOD", "JC_NEV", "JC_JARULKOD", "JC_HAVIBEVSOR", "JC_HAVIBEVOSZL"}, rows);
    }
    // Payroll rows of March: employee, item, amount, tax base, contribution base, from, to.
    void March(const RowTable& rows) {
        RowTable full;
        for (const auto& r : rows) {
            std::vector<db::Variant> f = {r[0], 3, "2019.03.10"};
            f.insert(f.end(), r.begin() + 1, r.end());
            while (f.size() < 9) f.push_back(db::Variant());
            full.push_back(f);
        }
        Payroll({"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_OSSZEG", "SF_ADOALAP",
                 "SF_JARALAP", "SF_TOL", "SF_IG"},
                full);
    }

    void Open() {
        MABTablakNyitasa();
        open = true;
    }

    // A header of March, nature "E", for the employee, made current.
    MABKulcs Header(const std::string& torzsszam, const std::string& adoszam = "8000000001") {
        const MABHonap ho = MABHonapja(3);
        MABKulcs k{torzsszam, 3, "E", ho.elsoNap, ho.utolsoNap};
        db::Table& t = *DM1->TableMAB00;
        t.Append();
        t.FieldByName("TORZSSZAM").SetAsString(torzsszam);
        t.FieldByName("ADOSZAM").SetAsString(adoszam);
        t.FieldByName("HONAP").SetAsInteger(3);
        t.FieldByName("JELLEG").SetAsString("E");
        t.FieldByName("TOL").SetAsDateTime(k.tol);
        t.FieldByName("IG").SetAsDateTime(k.ig);
        t.Post();
        return k;
    }

    // The employee's March rows distributed into the current header.
    void Distribute(const std::string& torzsszam) {
        DM1->TableDolgozo->Locate("DG_TORZSSZAM", db::Variant(torzsszam));
        db::Query q;
        q.DatabaseName = AktualisAlias;
        q.SetSQL(
            "SELECT s.*, j.* FROM Szamfejt_001 s JOIN Jogcim_001 j ON j.JC_KOD = s.SF_JCKOD"
            " WHERE s.SF_DGTORZSSZAM = :t ORDER BY s.SF_KIFIZDAT, s.SF_JCKOD, s.SF_SORSZAM");
        q.ParamByName("t").SetAsString(torzsszam);
        q.Open();
        MABDolgozoAllapot st;
        for (; !q.Eof(); q.Next()) SzamfejtesiSorFeltoltes(q, st);
    }

    // The pages of a sheet table of an employee in page order, each as its
    // filled cells and auxiliary fields ("S526A=10 S526B=2019.03.03").
    static std::vector<std::string> Pages(const std::string& table, const std::string& torzsszam) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = table + "_001";
        t.IndexFieldNames = kMABKulcs;
        t.Open();
        std::vector<std::string> pages;
        for (; !t.Eof(); t.Next()) {
            if (t.FieldByName("TORZSSZAM").AsString() != torzsszam) continue;
            std::string line;
            for (int i = 0; i < t.FieldCount(); ++i) {
                const db::Field& f = t.Fields(i);
                const char c = f.FieldName()[0];
                if ((c != 'S' && c != 'L') || f.IsNull()) continue;
                line += (line.empty() ? "" : " ") + f.FieldName() + "=" + f.AsString();
            }
            pages.push_back(line);
        }
        return pages;
    }

    bool open = false;
};

}  // namespace mabtest
