#include "datasupply/EvgyONYPadatszolg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/NumEdits.h"
#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "core/helpers/SegedUnit.h"
#include "datasupply/AdatszolgFajl.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/QtString.h"

namespace {

ListDecl OnypDecl() {
    ParamField honap = params::Honap("CurrencyEdit1", "");
    honap.caption = QStringLiteral("Hónap :");
    honap.fromDefault = defaults::LastMonthOr1();
    ParamField jogcim = params::Jogcim("MaskEdit1");
    ParamField mappa;
    mappa.kind = ParamKind::Text;
    mappa.from = "Edit1";
    mappa.caption = QStringLiteral("Adatszolgáltatás könyvtára :");
    mappa.disabled = true;
    ParamField fajl;
    fajl.kind = ParamKind::Text;
    fajl.from = "Edit2";
    fajl.caption = QStringLiteral("Fájlnév :");
    fajl.disabled = true;

    ListDecl s;
    s.objectName = "EvgyONYPadatszolgForm";
    s.caption = QStringLiteral("Szerviz/Évgyűrűk ÖNYP adatszolgáltatás");
    s.fields = {honap, jogcim, mappa, fajl};
    s.tables = {&TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit1";
    s.progressBars = 1;
    return s;
}

}  // namespace

// clang-format off
const RecordLayout kOnypSor = {
    "ONYP", 0, RecordCodePage::Cp852Hungarian, ",", "", "\r\n", {
        {.name = "ON_ADOAZ",    .kind = FieldKind::Text,  .ifEmpty = " "},
        {.name = "ON_TAGDIJ",   .kind = FieldKind::Whole},
        {.name = "ON_MUNKJ",    .kind = FieldKind::Whole},
        {.name = "ON_04",       .kind = FieldKind::Whole},
        {.name = "ON_MUNKRTAM", .kind = FieldKind::Whole},
    }};
// clang-format on

std::string OnypFajlNev(const std::string& folder, const std::string& cegKod, const std::string& ev,
                        int honap) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", honap);
    return folder + cegKod + "." + (ev.empty() ? std::string() : ev.substr(ev.size() - 1)) + buf;
}

std::string OnypFajlTartalom(db::Dataset& md) {
    std::string out;
    for (md.First(); !md.Eof(); md.Next()) {
        std::vector<RecordValue> values;
        for (const RecordField& f : kOnypSor.fields) {
            const db::Field& field = md.FieldByName(f.name);
            db::Variant v;
            if (!field.IsNull()) {
                if (field.DataType() == db::FieldType::String) {
                    const QString text = Q(field.AsString()).trimmed();
                    if (!text.isEmpty()) v = text.toStdString();
                } else {
                    v = field.AsFloat();
                }
            }
            values.push_back({f.name, v});
        }
        out += FormatRecord(kOnypSor, values);
    }
    out += '\x1a';
    return out;
}

TEvgyONYPadatszolgForm::TEvgyONYPadatszolgForm(QWidget* parent) : ListForm(OnypDecl(), parent) {
    BitBtn5 = MappaGomb(*this, [this] { MappaValaszt(); });
    Edit("Edit1")->setMinimumWidth(260);
    Edit("Edit2")->setMinimumWidth(260);
    HonapVagyKodValtozas(*this, "MaskEdit1", [this] {
        OnypFajlnev();
        NyomtatasMehet();
    });

    mdONYP.SetFieldDefs({{"ON_DGTORZSSZAM", db::FieldType::String, 11},
                         {"ON_DGNEV", db::FieldType::String, 30},
                         {"ON_ADOAZ", db::FieldType::String, 11},
                         {"ON_TAGDIJ", db::FieldType::Integer},
                         {"ON_MUNKJ", db::FieldType::Integer},
                         {"ON_04", db::FieldType::Integer},
                         {"ON_MUNKRTAM", db::FieldType::Integer}});
    DBGrid1 = new ui::DatasetGrid(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->SetColumns({{"ON_DGTORZSSZAM", QStringLiteral("Törzsszám"), 100},
                         {"ON_DGNEV", QStringLiteral("Név"), 180},
                         {"ON_ADOAZ", QStringLiteral("Adóazonosító"), 100},
                         {"ON_TAGDIJ", QStringLiteral("Tagdíj"), 70},
                         {"ON_MUNKJ", QStringLiteral("Munkáltatói hozzájárulás"), 160},
                         {"ON_04", QStringLiteral(" "), 50},
                         {"ON_MUNKRTAM", QStringLiteral("Munkáltatói rendsz. tám."), 160}});
    DBGrid1->Model()->SetColumnEditing(0, {true, {}});
    DBGrid1->Model()->SetColumnEditing(1, {true, {}});
    DBGrid1->SetEditing(true);
    DBGrid1->SetDataSet(&mdONYP);
    DBGrid1->setMinimumSize(820, 220);

    Label5 = new QLabel(this);
    Label5->setObjectName("Label5");
    BitBtn4 = new QPushButton(QStringLiteral("Adatszolg."), this);
    BitBtn4->setObjectName("BitBtn4");
    BitBtn4->setAutoDefault(false);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { OnypFajlIras(); });
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout())) {
        outer->insertWidget(1, DBGrid1, 1);
        outer->insertWidget(2, Label5);
        for (QHBoxLayout* row : findChildren<QHBoxLayout*>())
            if (const int at = row->indexOf(BitBtn2); at >= 0) row->insertWidget(at, BitBtn4);
    }
}

TEvgyONYPadatszolgForm::~TEvgyONYPadatszolgForm() { mdONYP.Close(); }

void TEvgyONYPadatszolgForm::showEvent(QShowEvent* event) {
    Label5->clear();
    // The folder exists before anything is collected.
    if (Text("Edit1").isEmpty()) {
        try {
            Edit("Edit1")->setText(Q(AdatszolgMappa(FeldolgozasiEv, "ONYP")));
        } catch (const std::exception& e) {
            ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error,
                           ui::Ok);
        }
    }
    ListForm::showEvent(event);
    OnypFajlnev();
    NyomtatasMehet();
}

void TEvgyONYPadatszolgForm::done(int result) {
    mdONYP.Close();
    ListForm::done(result);
}

QString TEvgyONYPadatszolgForm::CegKod() const { return AdatszolgCegKod(); }

void TEvgyONYPadatszolgForm::OnypFajlnev() {
    const QString ceg = CegKod();
    const QString mappa = Text("Edit1");
    Edit("Edit2")->setText(
        ceg.isEmpty() || Text("MaskEdit1").isEmpty() || mappa.isEmpty()
            ? QString()
            : Q(OnypFajlNev(mappa.toStdString(), ceg.toStdString(), FeldolgozasiEv, Month("CurrencyEdit1"))));
}

void TEvgyONYPadatszolgForm::MappaValaszt() {
    try {
        const QString mappa = ui::ExistingFolder(QStringLiteral("Célkönyvtár kiválasztása"), Text("Edit1"));
        if (mappa.isEmpty()) return;
        Edit("Edit1")->setText(mappa.endsWith('/') ? mappa : mappa + '/');
        OnypFajlnev();
        NyomtatasMehet();
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
    }
}

void TEvgyONYPadatszolgForm::AfterExit(const ParamField&, QWidget*) { GyujtesEllenoriz(); }

void TEvgyONYPadatszolgForm::GyujtesEllenoriz() {
    if (mdONYP.Active() && (Month("CurrencyEdit1") != gyujtottHonap_ || Text("MaskEdit1") != gyujtottJogcim_))
        mdONYP.Close();
}

void TEvgyONYPadatszolgForm::BitBtn1Click() {
    const auto gyujt = [this] {
        const int honap = Month("CurrencyEdit1");
        const QString jogcim = Text("MaskEdit1");
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Line("Join " + ListSql::Table(*DM1->TableDolgozo));
        sql.Line("On SF_DGTORZSSZAM=DG_TORZSSZAM");
        sql.Equal("SF_HONAP", honap);
        sql.Equal("SF_JCKOD", jogcim);
        sql.Line("Order By DG_NEV");
        db::Query q;
        q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        sql.Apply(q);
        q.Open();

        mdONYP.Close();
        mdONYP.Open();
        Label5->setText(QStringLiteral("Adatok kigyűjtése"));
        ProgressBar1->setMaximum(std::max(1, q.RecordCount()));
        ProgressBar1->setValue(0);
        for (q.First(); !q.Eof(); q.Next()) {
            const std::string torzsszam = q.FieldByName("DG_TORZSSZAM").AsString();
            const long long osszeg = Kerekit(static_cast<long double>(q.FieldByName("SF_OSSZEG").AsFloat()));
            if (mdONYP.Locate("ON_DGTORZSSZAM", torzsszam)) {
                mdONYP.Edit();
                db::Field& munkj = mdONYP.FieldByName("ON_MUNKJ");
                munkj.SetAsInteger(static_cast<int>(munkj.AsInteger() + osszeg));
            } else {
                mdONYP.Append();
                mdONYP.FieldByName("ON_DGTORZSSZAM").SetAsString(torzsszam);
                mdONYP.FieldByName("ON_DGNEV")
                    .SetAsString(Q(q.FieldByName("DG_NEV").AsString()).left(30).toStdString());
                mdONYP.FieldByName("ON_ADOAZ").SetAsString(q.FieldByName("DG_ADOAZ").AsString());
                mdONYP.FieldByName("ON_TAGDIJ").SetAsInteger(0);
                mdONYP.FieldByName("ON_MUNKJ").SetAsInteger(static_cast<int>(osszeg));
                mdONYP.FieldByName("ON_04").SetAsInteger(0);
                mdONYP.FieldByName("ON_MUNKRTAM").SetAsInteger(0);
            }
            mdONYP.Post();
            ProgressBar1->setValue(ProgressBar1->value() + 1);
        }
        q.Close();
        mdONYP.FieldByName("ON_DGTORZSSZAM").ReadOnly = true;
        mdONYP.FieldByName("ON_DGNEV").ReadOnly = true;
        mdONYP.FieldByName("ON_ADOAZ").EditMask = "99999999999;0; ";
        mdONYP.First();
        gyujtottHonap_ = honap;
        gyujtottJogcim_ = jogcim;
    };
    // Records collected before an error are not the month's: nothing to write.
    const auto elvet = [this] { mdONYP.Close(); };
    if (Lekerdezes(*this, Label5, gyujt, elvet)) BitBtn4->setFocus();
}

void TEvgyONYPadatszolgForm::OnypFajlIras() {
    GyujtesEllenoriz();
    const QString fajl = Text("Edit2");
    if (CegKod().isEmpty() || !mdONYP.Active() || fajl.isEmpty()) {
        MuveletNemLehet();
        return;
    }
    bool kesz = false;
    {
        ui::Hourglass hourglass;
        os::ScopeGuard vissza([this] {
            ProgressBar1->setValue(0);
            Label5->clear();
        });
        kesz = AdatszolgFajlIr(QStringLiteral("Üzenetkezelő"), fajl.toStdString(), [this] {
            if (mdONYP.State() != db::DatasetState::Browse) mdONYP.Cancel();
            Label5->setText(QStringLiteral("Fájl létrehozása"));
            ProgressBar1->setMaximum(std::max(1, mdONYP.RecordCount()));
            const db::Bookmark hely = mdONYP.GetBookmark();
            std::string tartalom = OnypFajlTartalom(mdONYP);
            ProgressBar1->setValue(ProgressBar1->maximum());
            if (mdONYP.BookmarkValid(hely)) mdONYP.GotoBookmark(hely);
            return tartalom;
        });
    }
    if (kesz) ui::ShowMessage(QStringLiteral("Az adatszolgáltatás fájl elkészült."));
}
