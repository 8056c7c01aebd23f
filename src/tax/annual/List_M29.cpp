#include "tax/annual/List_M29.h"

#include <QPushButton>

#include "platform/db/Query.h"
#include "platform/ui/QtString.h"
#include "tax/annual/List_M29QR.h"

namespace {

// The employee, picked without the hidden workplace column.
const CodeLookup kDolgozo = [] {
    CodeLookup l = lookups::Dolgozo;
    l.field3 = "";
    return l;
}();

ListDecl M29ListaDecl() {
    ParamField munkahely = params::Munkahely();
    ParamField dolgozo = params::Dolgozo(kDolgozo);
    ParamField jelleg =
        params::Combo("ComboBox1", QStringLiteral("Jelleg (E/P/H)"),
                      {"E", "P", "H", "H1", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9", ""});
    ListDecl d;
    d.objectName = "List_M29Form";
    d.caption = QStringLiteral("Adó/M29 lista");
    d.fields = {munkahely, dolgozo, jelleg};
    d.tables = {&TDM1::TableMhely, &TDM1::TableDolgozo, &TDM1::TableNyilat, &TDM1::TableM292,
                &TDM1::TableCegek};
    d.lastEdit = "ComboBox1";
    d.noStartButton1 = true;
    d.startButtons = {{"BitBtn1", QStringLiteral("M29")},
                      {"BitBtn4", QStringLiteral("M29-02")},
                      {"BitBtn5", QStringLiteral("M29-03")},
                      {"BitBtn6", QStringLiteral("M29-04")}};
    return d;
}

}  // namespace

TList_M29Form::TList_M29Form(QWidget* parent)
    : ListForm(M29ListaDecl(), parent),
      List_M29QRForm(std::make_unique<TList_M29QRForm>()),
      List_M293QRForm(std::make_unique<TList_M293QRForm>()),
      List_M294QRForm(std::make_unique<TList_M294QRForm>()),
      List_M295QRForm(std::make_unique<TList_M295QRForm>()) {
    const int tags[] = {290, 293, 294, 295};
    for (size_t i = 0; i < StartButtons().size(); ++i) StartButtons()[i]->setProperty("Tag", tags[i]);
}

TList_M29Form::~TList_M29Form() = default;

void TList_M29Form::NyomtatasMehet() {
    ListForm::NyomtatasMehet();
    if (QWidget* b = Control("BitBtn6")) b->setEnabled(true);  // "M29-04" needs no range
}

void TList_M29Form::Tartomany(ListSql& sql, const std::string& dolgozoMezo) {
    sql.Range(dolgozoMezo, Text("MaskEdit5"), Text("MaskEdit6"))
        .Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"))
        .Equal("M29_JELLEG", Text("ComboBox1"));
}

void TList_M29Form::StartButtonClick(int index) {
    const std::string m29 = ListSql::Table(*DM1->TableM29), dolgozo = ListSql::Table(*DM1->TableDolgozo),
                      nyilat = ListSql::Table(*DM1->TableNyilat), m292 = ListSql::Table(*DM1->TableM292);
    if (index == 1) {
        RunQueryList([&] {
            TList_M293QRForm& qr = *List_M293QRForm;
            ListSql sql;
            sql.Line("Select Distinct Dolg.DG_TORZSSZAM As pDOLGOZO, M29.M29_SORSZAM From " + dolgozo +
                     " As Dolg")
                .Line("Left Join " + m292 + " As M292")
                .Line("On M292_DGTORZSSZAM=DG_TORZSSZAM")
                .Line("Left Join " + nyilat + " As Nyilat")
                .Line("On NY_DGTORZSSZAM=DG_TORZSSZAM")
                .Line("Join " + m29 + " As M29")
                .Line("On M29_DGTORZSSZAM=DG_TORZSSZAM");
            Tartomany(sql, "DG_TORZSSZAM");
            sql.Equal("NY_ONADOZO", QStringLiteral("N"))
                .Condition(
                    "((NY_S151HADOAZ Is Not Null) Or (NY_S155HADOAZ Is Not Null) Or (M292_ADOAZON Is Not "
                    "Null) Or "
                    "(M292_VARKEZD Is Not Null))")
                .Line("Order By DG_TORZSSZAM");
            qr.Query1.DatabaseName = DM1->TableSzamfejt->DatabaseName;
            qr.Query2.DatabaseName = DM1->TableSzamfejt->DatabaseName;
            sql.Apply(qr.Query1);
            qr.Query2.SetSQL("Select * From " + m292 + "\nLeft Join " + nyilat +
                             "\nOn NY_DGTORZSSZAM=M292_DGTORZSSZAM\nWhere M292_DGTORZSSZAM = :pDOLGOZO");
            qr.Query1.Open();
            try {
                qr.QuickRep1.Preview();
            } catch (...) {
                qr.Query2.Close();
                qr.Query1.Close();
                throw;
            }
            qr.Query2.Close();
            qr.Query1.Close();
        });
        return;
    }
    RunQueryList([&] {
        ListSql sql;
        if (index == 0) {
            sql.Line(
                   "Select M29.*, Dolg.DG_NEV, Dolg.DG_TORZSSZAM, Dolg.DG_ADOAZ, Dolg.DG_SZULDAT, "
                   "Dolg.DG_LEANYKNEV, "
                   "Dolg.DG_SZULHELY, ")
                .Line(
                    "Dolg.DG_VAROS, Dolg.DG_KOZTER, Dolg.DG_KOZTERJEL, Dolg.DG_HAZSZ, Dolg.DG_EPULET, "
                    "Dolg.DG_EMELET, "
                    "Dolg.DG_AJTO, Dolg.DG_IRSZ, ")
                .Line(
                    "Dolg.DG_NEM, Dolg.DG_ALLAMP, Dolg.DG_ANYJANEV, Dolg.DG_OSTERMIGSZAM, "
                    "Dolg.DG_CSALGAZDNYILVSZAM, "
                    "Dolg.DG_MEZGAZDTERMSZAM, ")
                .Line("Dolg.DG_MNYP From " + m29 + " As M29")
                .Line("Join " + dolgozo + " Dolg")
                .Line("On M29_DGTORZSSZAM=DG_TORZSSZAM");
        } else {
            sql.Line("Select M29.M29_DGTORZSSZAM, M29.M29_SORSZAM, Nyil.* From " + m29 + " As M29")
                .Line("Join " + dolgozo + " As Dolg")
                .Line("On M29_DGTORZSSZAM=DG_TORZSSZAM")
                .Line("Join " + nyilat + " As Nyil")
                .Line("On M29_DGTORZSSZAM=NY_DGTORZSSZAM");
            sql.Condition(index == 2
                              ? "(NY_S126 Is Not Null)"
                              : "((NY_S136 Is Not Null) Or (NY_S145 Is Not Null) Or (NY_S149 Is Not Null))");
        }
        Tartomany(sql, "M29_DGTORZSSZAM");
        sql.Line("Order By M29_DGTORZSSZAM");
        Query1Open(sql);
        report::Report& r = index == 0   ? List_M29QRForm->QuickRep1
                            : index == 2 ? List_M294QRForm->QuickRep1
                                         : List_M295QRForm->QuickRep1;
        r.Preview();
    });
}
