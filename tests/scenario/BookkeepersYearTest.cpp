// The months of a year beyond a plain one, in the real program from an empty
// home: supplements paid in January and February make the absence fee of a
// week of leave in March; an employee leaves in the middle of March; a
// family allowance too large for the tax reaches the contributions; social
// contribution tax allowances; a working pensioner; July's lower rate. Each
// figure is worked out by hand from the 2019 rules the program ships, and the
// payroll, the monthly declaration and the income certificate are tied to it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "controls/NumEdits.h"
#include "masterdata/TorzskezCegek.h"
#include "masterdata/TorzskezDolgozo.h"
#include "payroll/Szamfejt.h"
#include "platform/db/Query.h"
#include "platform/os/DayNumber.h"
#include "support/ListFixture.h"
#include "tax/annual/Ado_M30ossz.h"
#include "tax/monthly/MABOSZosszesites.h"
#include "tax/monthly/MABadatsz.h"
#include "tax/monthly/MABosszesites.h"

namespace {

using scenario::Activate;
using scenario::Keys;
using scenario::Type;
using Amounts = std::map<std::string, double>;

// The text of a cell of the month's page of a declaration sheet ("" when
// empty, "-" when there is no page).
std::string Cell(const std::string& sheet, const char* employee, int month, const std::string& cell) {
    db::Query q;
    q.DatabaseName = AktualisAlias;
    const std::string who = *employee ? " AND TORZSSZAM = '" + std::string(employee) + "'" : "";
    q.SetSQL("SELECT " + cell + " FROM \"" + sheet + "_001\" WHERE HONAP = " + std::to_string(month) + who);
    q.Open();
    return q.Eof() ? "-" : q.Fields(0).AsString();
}

// The saved payroll rows of a month: employee -> code -> amount.
std::map<std::string, Amounts> SavedPayroll(int month) {
    db::Query q;
    q.DatabaseName = AktualisAlias;
    q.SetSQL("SELECT SF_DGTORZSSZAM, SF_JCKOD, SF_OSSZEG FROM \"Szamfejt_001\" WHERE SF_HONAP = " +
             std::to_string(month));
    q.Open();
    std::map<std::string, Amounts> out;
    for (; !q.Eof(); q.Next())
        out[q.FieldByName("SF_DGTORZSSZAM").AsString()][q.FieldByName("SF_JCKOD").AsString()] +=
            q.FieldByName("SF_OSSZEG").AsFloat();
    return out;
}

class BookkeepersYear : public scenario::ScenarioTest {
protected:
    // The clock at the end of the month: the payroll form proposes it, paid
    // on its last day.
    void MonthEnd(int month) {
        clock.reset();
        clock.emplace(os::EncodeDate(2019, month, os::DaysInMonth(2019, month)) + os::EncodeTime(16, 0, 0));
    }

    void Add(TSzamfejtForm& f, const char* code, const char* days, const char* hours, const char* amount = "",
             int messages = 0) {
        auto drive = [&](TUjJogcimForm& d) {
            d.Edit1->setFocus();
            QTest::keyClicks(d.Edit1, code);
            QTest::keyClick(d.Edit1, Qt::Key_Return);
            if (*days) TypeInto(d.DBEdit3, days, d.DBEdit8);
            if (*hours) TypeInto(d.DBEdit4, hours, d.DBEdit8);
            if (*amount) TypeInto(d.DBEdit2, amount, d.DBEdit11);
        };
        RowDialog(f.BitBtn5, drive, messages);
    }
    void Days(TSzamfejtForm& f, const char* code, const char* days) {
        ASSERT_TRUE(DM1->MemoryData1->Locate("SF_JCKOD", db::Variant(code))) << code;
        RowDialog(f.BitBtn6, [&](TUjJogcimForm& d) { TypeInto(d.DBEdit3, days, d.DBEdit4); });
    }

    // One employee's month in the individual run, changed by hand, saved.
    void Pay(int month, const char* id, std::function<void(TSzamfejtForm&)> change = {}) {
        MonthEnd(month);
        TSzamfejtForm f;
        f.SzamfejtBeallit(0);
        Activate(f);
        ASSERT_EQ(f.CurrencyEdit1->Value(), month);
        f.MaskEdit4->setFocus();
        QTest::keyClicks(f.MaskEdit4, id);
        QTest::keyClick(f.MaskEdit4, Qt::Key_Return);
        ASSERT_TRUE(f.SzamfejtesFolyamatban) << id;
        if (change) change(f);
        f.BitBtn11->click();  // Rögzítés
        f.close();
    }

    // The month's 1908M and 1908A totals and its declaration file.
    std::string Declare(int month) {
        MonthEnd(month);
        Through<TMABosszesitesForm>("MNU_MAdo_MABosszesites", [&](TMABosszesitesForm& f) {
            EXPECT_EQ(f.MaskEdit1->text(), QString::number(month));
            dialogs.Answer(ui::Ok);  // "Az összesítés befejeződött!"
            f.BitBtn2->click();
            for (int i = 0; i < f.ListBox1->count(); ++i) listed.push_back(f.ListBox1->item(i)->text());
        });
        Through<TMABOSZosszesitesForm>("MNU_MAdo_MABOSZosszesites", [&](TMABOSZosszesitesForm& f) {
            EXPECT_EQ(f.MaskEdit1->text(), QString::number(month));
            dialogs.Answer(ui::Ok);
            f.BitBtn1->click();
        });
        std::string file;
        Through<TMABadatszForm>("MNU_MAdo_MABadatsz", [&](TMABadatszForm& f) {
            file = f.Edit4->text().toStdString();
            dialogs.Answer(ui::Ok);  // "Az adatszolgáltatás fájl elkészült."
            f.BitBtn1->click();
        });
        return file;
    }

    QStringList listed;  // the 1908M run's list of employees with a missing field
};

struct Employee {
    const char* id;
    const char* name;
    const char* taxId;
    const char* entry;
    const char* wageForm;
    const char* wage;
    std::vector<std::pair<const char*, const char*>> fields;  // further fields typed
    bool pensioner;
};

TEST_F(BookkeepersYear, SupplementsLeaveAllowancesAPensionerAndJuly) {
    MonthEnd(1);
    dialogs.AnswerText("Minta Bériroda");
    dialogs.AnswerModal([this](QDialog& d) {
        auto& reg = static_cast<TTorzskezCegekForm&>(d);
        Activate(reg);
        reg.BitBtn5->click();  // Felvitel
        Keys(reg.CG_NEV, "Vasvári Fűrész Kft.");
        Keys(reg.CG_RNEV, "Vasvári");
        QTest::keyClicks(reg.CG_ADOSZAM, "12345676242");
        dialogs.Answer(ui::Yes);  // "Valóban végrehajtja a rögzítést?"
        reg.BitBtn11->click();
        return 0;
    });
    main = std::make_unique<TFomenuForm>();
    main->show();
    ASSERT_EQ(main->FormShow(), StartState::CompanySelected);
    PaymentPlaceAndWorkplace();
    testsupport::AddRows("NyugP", {"NP_KOD", "NP_NEV"}, {{"0125", "Első Magánnyugdíjpénztár"}});

    // Employments of eight hours a day, born in 1980 (27 days of leave)
    // unless said otherwise, typed with the form's defaults.
    // clang-format off
    const Employee employees[] = {
        {"00000000001", "Órabéres Ödön",      "8123456786", "20180101", "2", "1500",   {{"DG_EVISZAB", "4"}}, false},
        {"00000000002", "Havi Hajnalka",      "8123456794", "20180101", "1", "300000", {}, false},
        {"00000000003", "Kilépő Károly",      "8123456808", "20170502", "1", "300000", {{"DG_KILEPDAT", "20190312"}}, false},
        {"00000000004", "Családos Csilla",    "8123456816", "20160101", "1", "200000", {{"DG_GYERMSZAM", "2"}}, false},
        {"00000000005", "Pályakezdő Pál",     "8123456824", "20180901", "1", "200000",
         {{"DG_SZULDAT", "20000505"}, {"DG_SZHAKEDVKOD", "06"}, {"DG_SZHAKEDVKEZD", "20180901"}}, false},
        {"00000000006", "Nyugdíjas Nándor",   "8123456832", "20150101", "1", "200000", {}, true},
        {"00000000007", "Júliusi Júlia",      "8123456840", "20150101", "1", "300000", {}, false},
        {"00000000008", "Pénztártag Piroska", "8123456859", "20150101", "1", "180000",
         {{"DG_MNYP", "0125"}, {"DG_SZHAKEDVKOD", "18"}, {"DG_SZHAKEDVKEZD", "20190101"}}, false},
    };
    // clang-format on
    Through<TTorzskezDolgozoForm>("MNU_Torzsk_DG", [&](TTorzskezDolgozoForm& f) {
        auto type = [&f](const char* control, const char* text) {
            Type(f.PageControl1, f.findChild<QWidget*>(control), QString::fromUtf8(text), f.DG_NEV);
        };
        for (const Employee& e : employees) {
            f.BitBtn5->click();
            type("DG_TORZSSZAM", e.id);
            type("DG_NEV", e.name);
            type("DG_BELEPDAT", e.entry);
            type("DG_ADOAZ", e.taxId);
            type("DG_TAJSZ", "123456788");
            type("DG_SZULDAT", "19800101");
            type("DG_MHKOD", "000001");
            type("DG_BERFORM", e.wageForm);
            if (e.pensioner) {
                f.PageControl1->setCurrentWidget(f.DG_NYUGDIJAS->parentWidget());
                f.DG_NYUGDIJAS->setFocus();
                f.DG_NYUGDIJAS->click();
                f.DG_NEV->setFocus();
            }
            type("DG_ALKMIN", "1");
            type("DG_ALKMINADATSZ", "20");
            type("DG_ALAPBER", e.wage);
            for (auto [control, text] : e.fields) type(control, text);
            // The pensioner pays no contribution and his employer no SZHA.
            for (const char* box :
                 {"DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG", "DG_SZHA"})
                EXPECT_EQ(f.findChild<QCheckBox*>(box)->isChecked(), !e.pensioner) << e.id << " " << box;
            dialogs.Answer(ui::Yes);  // "Valóban hozzá szeretné adni a rekordot?"
            f.BitBtn11->click();
            ASSERT_EQ(f.Mode(), 0) << e.id;
        }
    });
    // The two children on whom the family allowance rests.
    testsupport::AddRows(
        "Hozzatartozo_001",
        {"HT_DGTORZSSZAM", "HT_NEV", "HT_ADOAZ", "HT_KAPCSOLAT", "HT_ELTMIN", "HT_JOGOSULTJOGC"},
        {{"00000000004", "Családos Cili", "8456789012", "3", "1", "1"},
         {"00000000004", "Családos Csaba", "8456789020", "3", "1", "1"}});

    // --- January and February: shift and night supplements.
    Pay(1, "00000000001", [&](TSzamfejtForm& f) { Add(f, "111", "", "40"); });
    Pay(2, "00000000001", [&](TSzamfejtForm& f) {
        Add(f, "111", "", "40");
        Add(f, "112", "", "20");
    });
    Pay(1, "00000000002", [&](TSzamfejtForm& f) { Add(f, "111", "", "40"); });
    Pay(2, "00000000002", [&](TSzamfejtForm& f) { Add(f, "111", "", "40"); });

    // --- March: a week of leave at the absence fee, overtime, the others' months.
    const std::string leaveFrame =
        "A00000000001 törzsszámú dolgozónak szabadságkeret túllépese van:\r4 megengedett / 5 felhsznált";
    Pay(3, "00000000001", [&](TSzamfejtForm& f) {
        Days(f, "101", "15");
        // Four days of leave allowed: the check speaks after each calculation from now on.
        Add(f, "109", "5", "", "", 1);
        EXPECT_EQ(dialogs.Text(dialogs.Shown().size() - 1), leaveFrame);
        Add(f, "110", "", "10", "15000", 1);
        Add(f, "113", "", "10", "", 1);
    });
    Pay(3, "00000000002", [&](TSzamfejtForm& f) {
        Days(f, "100", "15");
        Add(f, "109", "5", "");
    });
    dialogs.Answer(ui::Ok);  // "A dolgozó kilépett!"
    Pay(3, "00000000003");
    for (const char* id : {"00000000004", "00000000005", "00000000006", "00000000008"}) Pay(3, id);
    scenario::CheckXml(Declare(3));
    // --- July: the social contribution tax at 17.5 %.
    Pay(7, "00000000005");
    Pay(7, "00000000007");
    scenario::CheckXml(Declare(7));

    // The payroll rows worked out by hand. 2019: tax 15 %, pension 10 %,
    // health 4 % in kind and 3 % in cash, labour market 1.5 %, SZHA 19.5 %
    // until June and 17.5 % from July, vocational contribution 1.5 %; the
    // payable rounded to 5 forints. A monthly wage holds its paid holidays
    // (January 22, February 20, March 20, July 23 working days).
    // clang-format off
    const std::map<int, std::map<std::string, Amounts>> expected = {
        {1, {
            // 176 hours at 1 500 = 264 000, the 1 January holiday's 8 hours
            // 12 000 (no earlier month: no supplement in the absence fee), the
            // shift supplement 30 % of 40 hours 18 000; 294 000 in all.
            {"00000000001", {{"101", 264000}, {"102F", 12000}, {"111", 18000}, {"300", 29400},
                             {"320", 44100}, {"750", 195510}}},
            // 30 % of 40 hours at 300 000 / 174 = 20 689.66: 20 690.
            {"00000000002", {{"100", 300000}, {"111", 20690}, {"320", 48104}, {"330", 62535}}},
        }},
        {2, {
            // 160 hours 240 000, shift 18 000, night 15 % of 20 hours 4 500:
            // 262 500; labour 3 937.5 -> 3 938; net 174 562, payable 174 560.
            {"00000000001", {{"101", 240000}, {"111", 18000}, {"112", 4500}, {"304", 3938},
                             {"748", 174562}, {"749", -2}, {"750", 174560}}},
            // The same 20 690 in a month of 160 hours.
            {"00000000002", {{"100", 300000}, {"111", 20690}}},
        }},
        {3, {
            // The absence fee's supplement: (18 000 + 18 000 + 4 500) / (176 +
            // 160) hours worked = 120.54 an hour. 15 days 120 hours 180 000;
            // the holiday 8 * 1 620.54 = 12 964; the leave 40 * 1 620.54 =
            // 64 821; overtime 15 000 and its supplement 50 % of 10 hours
            // 7 500: 280 285. Tax 42 043, pension 28 029, health 11 211 +
            // 8 409, labour 4 204; net 186 389, payable 186 390; SZHA 54 656.
            {"00000000001", {{"101", 180000}, {"102F", 12964}, {"109", 64821}, {"110", 15000},
                             {"113", 7500}, {"320", 42043}, {"300", 28029}, {"306", 11211},
                             {"307", 8409}, {"304", 4204}, {"750", 186390}, {"330", 54656},
                             {"351", 4204}}},
            // (20 690 + 20 690) / 336 = 123.15 an hour. 15 of 20 days 225 000;
            // the leave 5 * (15 000 + 8 * 123.15) = 79 926: 304 926. Tax
            // 45 739, pension 30 493, health 12 197 + 9 148, labour 4 574; net
            // 202 775; SZHA 59 461.
            {"00000000002", {{"100", 225000}, {"109", 79926}, {"320", 45739}, {"300", 30493},
                             {"306", 12197}, {"307", 9148}, {"304", 4574}, {"750", 202775},
                             {"330", 59461}, {"351", 4574}}},
            // Left on Tuesday the 12th: 8 of the 20 working days, 120 000.
            {"00000000003", {{"100", 120000}, {"320", 18000}, {"300", 12000}, {"306", 4800},
                             {"307", 3600}, {"304", 1800}, {"750", 79800}, {"330", 23400}}},
            // Two children, 2 * 133 330 of base: the tax of 200 000 (30 000)
            // holds 200 000 of the 266 660; the rest, 66 660 * 15 % = 9 999,
            // comes off health in kind (8 000 -> 0), then in cash (6 000 ->
            // 4 001). Net 200 000 - 20 000 - 4 001 - 3 000 = 172 999,
            // payable 173 000.
            {"00000000004", {{"100", 200000}, {"309", 30000}, {"320", 0}, {"314A", 266660},
                             {"706A", 8000}, {"306", 0}, {"707A", 6000}, {"307", 4001},
                             {"300", 20000}, {"750", 173000}, {"330", 39000}, {"351", 3000}}},
            // A career starter: the whole tax on 100 000, 19 500, and no
            // vocational contribution on it.
            {"00000000005", {{"100", 200000}, {"327", 100000}, {"328", 19500}, {"330", 39000},
                             {"351", 1500}, {"750", 133000}}},
            // A working pensioner: the 15 % tax alone; the employer owes nothing.
            {"00000000006", {{"100", 200000}, {"320", 30000}, {"750", 170000}, {"752", 0},
                             {"756", 0}}},
            // A fund member: 10 % to the fund; half the tax on the minimum
            // wage for an unskilled job: 19.5 % * 149 000 / 2 = 14 527.5.
            {"00000000008", {{"100", 180000}, {"701A", 18000}, {"301", 18000}, {"320", 27000},
                             {"750", 119700}, {"327", 149000}, {"328", 14528}, {"330", 35100},
                             {"351", 2700}}},
        }},
        {7, {
            // 17.5 % of 200 000; a career starter keeps 19 500, the first
            // half's allowance, as it stays below the tax due.
            {"00000000005", {{"100", 200000}, {"330", 35000}, {"327", 100000}, {"328", 19500}}},
            {"00000000007", {{"100", 300000}, {"330", 52500}, {"351", 4500}, {"750", 199500}}},
        }},
    };
    // clang-format on
    for (const auto& [month, employeesRows] : expected) {
        const auto saved = SavedPayroll(month);
        for (const auto& [id, rows] : employeesRows)
            for (const auto& [code, amount] : rows) {
                const auto e = saved.find(id);
                ASSERT_NE(e, saved.end()) << month << " " << id;
                const auto r = e->second.find(code);
                EXPECT_TRUE(r != e->second.end() && r->second == amount)
                    << month << " " << id << " " << code << ": "
                    << (r == e->second.end() ? "none" : std::to_string(r->second)) << " instead of "
                    << amount;
            }
    }
    // No vocational contribution and no SZHA on the pensioner's pay.
    for (const char* code : {"351", "330", "300", "304"})
        EXPECT_FALSE(SavedPayroll(3).at("00000000006").count(code)) << code;

    // --- The declarations of March and July.
    // The pensioner's code of the declaration is no value the form offers:
    // the run names the field.
    EXPECT_EQ(listed, QStringList{"A \"00000000006\" törzsszámú nyugdíjas dolgozó \"Adatsz. Alk. min. - "
                                  "Nyugdíjas\" mezője nincs kitöltve!"});
    struct Tie {
        int month;
        const char* sheet;
        const char* employee;  // "" on the 1908A sheets
        const char* cell;
        const char* value;
    };
    // clang-format off
    const Tie ties[] = {
        // The tax advance sheet: the wages, the tax withheld and as the sheet computes it.
        {3, "MAB04", "00000000001", "S300D", "280285"}, {3, "MAB04", "00000000001", "S331B", "42043"},
        {3, "MAB04", "00000000001", "S330B", "42043"},  {3, "MAB04", "00000000001", "S332B", "0"},
        {3, "MAB04", "00000000002", "S300D", "304926"}, {3, "MAB04", "00000000002", "S331B", "45739"},
        {3, "MAB04", "00000000006", "S300D", "200000"}, {3, "MAB04", "00000000006", "S330B", "30000"},
        {3, "MAB04", "00000000006", "S331B", "30000"},
        // The allowance holds the base up to the base.
        {3, "MAB04", "00000000004", "S314A", "266660"}, {3, "MAB04", "00000000004", "S314D", "200000"},
        {3, "MAB04", "00000000004", "S315D", "0"},      {3, "MAB04", "00000000004", "S331B", "0"},
        {3, "MAB04", "00000000004", "S330B", "0"},      {3, "MAB04", "00000000004", "S332B", "0"},
        // The family allowance sheet names the two children.
        {3, "MAB05", "00000000004", "S345A", "1"},      {3, "MAB05", "00000000004", "S350A", "8456789012"},
        {3, "MAB05", "00000000004", "S351A", "8456789020"}, {3, "MAB05", "00000000004", "S351D", "4"},
        // The contributions as computed and as deducted, with their bases;
        // the allowance taken from them.
        {3, "MAB09", "00000000001", "S577C", "28029"},  {3, "MAB09", "00000000001", "S579C", "28029"},
        {3, "MAB09", "00000000001", "S574C", "280285"}, {3, "MAB09", "00000000001", "S565C", "11211"},
        {3, "MAB09", "00000000001", "S567C", "11211"},  {3, "MAB09", "00000000001", "S564C", "280285"},
        {3, "MAB09", "00000000001", "S569C", "8409"},   {3, "MAB09", "00000000001", "S571C", "8409"},
        {3, "MAB09", "00000000001", "S573C", "4204"},   {3, "MAB09", "00000000001", "S572C", "280285"},
        {3, "MAB09", "00000000004", "S565C", "8000"},   {3, "MAB09", "00000000004", "S567C", "0"},
        {3, "MAB09", "00000000004", "S569C", "6000"},   {3, "MAB09", "00000000004", "S571C", "4001"},
        {3, "MAB09", "00000000004", "S561C", "9999"},   {3, "MAB09", "00000000004", "S560C", "66660"},
        {3, "MAB09", "00000000004", "S566C", "8000"},   {3, "MAB09", "00000000004", "S570C", "1999"},
        {3, "MAB09", "00000000004", "CSALJARKEDV", "I"},
        {3, "MAB09", "00000000008", "S577C", "18000"},  {3, "MAB09", "00000000008", "S579C", "18000"},
        {3, "MAB09", "00000000006", "S577C", "-"},
        // The leaving date closes the insured period.
        {3, "MAB08", "00000000003", "S543B", "2019.03.12"}, {3, "MAB09", "00000000003", "BIZIG", "2019.03.12"},
        // The social contribution tax and its base; with an allowance both
        // move to 1908-12.
        {3, "MAB06", "00000000001", "S386C", "54656"},  {3, "MAB06", "00000000001", "S385C", "280285"},
        {3, "MAB06", "00000000006", "S386C", "-"},
        {3, "MAB12", "00000000005", "ADOKEDVJOGC", "06"}, {3, "MAB12", "00000000005", "S673C", "39000"},
        {3, "MAB12", "00000000005", "S674A", "100000"}, {3, "MAB12", "00000000005", "S674C", "19500"},
        {3, "MAB12", "00000000005", "S680C", "19500"},
        {3, "MAB12", "00000000008", "ADOKEDVJOGC", "18"}, {3, "MAB12", "00000000008", "S673C", "35100"},
        {3, "MAB12", "00000000008", "S675A", "149000"}, {3, "MAB12", "00000000008", "S675C", "14528"},
        {3, "MAB12", "00000000008", "S678C", "14528"},  {3, "MAB12", "00000000008", "S680C", "6044"},
        // In July the career starter's allowance keeps the first half's rate
        // on rows 690-696: 35 000 due less 19 500.
        {7, "MAB12", "00000000005", "S691C", "35000"},  {7, "MAB12", "00000000005", "S692C", "19500"},
        {7, "MAB12", "00000000005", "S696C", "15500"},  {7, "MAB12", "00000000005", "S680C", ""},
        {7, "MAB06", "00000000007", "S386C", "52500"},
        // The 1908A: the tax advances 42 043 + 45 739 + 18 000 + 0 + 30 000 +
        // 30 000 + 27 000; the SZHA due after the allowances 54 656 + 59 461
        // + 23 400 + 39 000 + 19 500 + 6 044, and the unskilled's other half
        // 14 528 apart; pension deducted 28 029 + 30 493 + 12 000 + 20 000 +
        // 20 000 + 18 000; health and labour-market contributions deducted.
        {3, "MABOSZ02", "", "S70C", "192782"},          {3, "MABOSZ02", "", "S86C", "202061"},
        {3, "MABOSZ02b", "", "S105C", "14528"},         {3, "MABOSZ02b", "", "S109C", "216589"},
        {3, "MABOSZ02b", "", "S120C", "128522"},        {3, "MABOSZ02c", "", "S150C", "43408"},
        {3, "MABOSZ02c", "", "S151C", "36558"},         {3, "MABOSZ02c", "", "S152C", "19278"},
        {3, "MABOSZ02c", "", "S153C", "99244"},         {3, "MABOSZ02c", "", "S173B", "9999"},
        {7, "MABOSZ02", "", "S70C", "75000"},           {7, "MABOSZ02", "", "S86C", "68000"},
        {7, "MABOSZ02b", "", "S120C", "50000"},         {7, "MABOSZ02c", "", "S153C", "42500"},
    };
    // clang-format on
    for (const Tie& t : ties)
        EXPECT_EQ(Cell(t.sheet, t.employee, t.month, t.cell), t.value)
            << t.month << " " << t.sheet << " " << t.employee << " " << t.cell;

    // --- The income certificates of those employed at the year's end.
    Through<TAdo_M30osszForm>("MNU_Ado_M30ossz", [&](TAdo_M30osszForm& f) {
        dialogs.Answer(ui::Ok);
        f.findChild<QPushButton*>("BitBtn1")->click();
    });
    const auto m30 = testsupport::TableRecords("M30_001");
    EXPECT_FALSE(m30.count("00000000003")) << "left during the year";
    // clang-format off
    const std::vector<std::tuple<const char*, const char*, const char*>> certificate = {
        {"00000000001", "M30_S1D", "836785"},   // 294 000 + 262 500 + 280 285
        {"00000000001", "M30_S65B", "125518"},  // 44 100 + 39 375 + 42 043
        {"00000000001", "M30_S903B", "47649"},  // 28 029 + 11 211 + 8 409
        {"00000000001", "M30_S903D", "47649"},
        {"00000000004", "M30_S610B", "200000"}, // the allowance the tax held
        {"00000000004", "M30_S903B", "34000"},  {"00000000004", "M30_S903C", "9999"},
        {"00000000004", "M30_S903D", "24001"},
        {"00000000005", "M30_S1D", "400000"},   {"00000000005", "M30_S907D", "34000"},
        {"00000000006", "M30_S65B", "30000"},   {"00000000006", "M30_S903B", ""},
        {"00000000008", "M30_S903A", "180000"}, {"00000000008", "M30_S903D", "30600"},
    };
    // clang-format on
    for (const auto& [id, cell, value] : certificate) {
        ASSERT_TRUE(m30.count(id)) << id;
        const std::string stored = m30.at(id).at(cell);
        EXPECT_EQ(stored == "0" ? "" : stored, value) << id << " " << cell;
    }
    main->close();
}

}  // namespace
