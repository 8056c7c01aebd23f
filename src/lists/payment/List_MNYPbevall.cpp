#include "lists/payment/List_MNYPbevall.h"

#include "core/StartValues.h"
#include "lists/payment/List_MNYP.h"
#include "lists/payment/List_MNYPQRbevall.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/DayNumber.h"

namespace {

ListDecl MnypBevallDecl() {
    ListDecl s;
    s.objectName = "List_MNYPbevallForm";
    s.caption = QStringLiteral("Kifizetési listák/Magán-nyugdíjpénztári tagdíjbevallás");
    s.fields = {params::Honap("CurrencyEdit1", ""), MnypTartomany(), params::BevallasJellege(),
                params::BevallasFajtaja()};
    s.tables = {&TDM1::TableNyugP,   &TDM1::TableKifhely,  &TDM1::TableMhely, &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "ComboBox2";
    return s;
}

// The day of `field` when it falls in the month, else `none`.
int NapAHonapban(db::Dataset& ds, const char* field, int year, int month, int none) {
    db::Field& f = ds.FieldByName(field);
    if (f.IsNull()) return none;
    const os::YMD d = os::DecodeDate(f.AsDateTime());
    return d.year == year && d.month == month ? d.day : none;
}

}  // namespace

MnypIdoszak MnypKezdeteVege(db::Dataset& dolgozo, int year, int month) {
    auto datum = [&](int day) {
        return QString("%1.%2.%3").arg(year).arg(month, 2, 10, QChar('0')).arg(day, 2, 10, QChar('0'));
    };
    MnypIdoszak p;
    const int d1 = NapAHonapban(dolgozo, "DG_MNYPBEDAT", year, month, 0);
    const int d2 = NapAHonapban(dolgozo, "DG_BELEPDAT", year, month, 0);
    if (d1 || d2) p.kezdete = datum(std::max(d1, d2));
    const int e1 = NapAHonapban(dolgozo, "DG_ELOZOMNYPKIDAT", year, month, 99);
    const int e2 = NapAHonapban(dolgozo, "DG_KILEPDAT", year, month, 99);
    if (e1 != 99 || e2 != 99) p.vege = datum(std::min(e1, e2));
    return p;
}

TList_MNYPbevallForm::TList_MNYPbevallForm(QWidget* parent)
    : ListForm(MnypBevallDecl(), parent), List_MNYPQRbevallForm(std::make_unique<TList_MNYPQRbevallForm>()) {}

TList_MNYPbevallForm::~TList_MNYPbevallForm() = default;

void TList_MNYPbevallForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select Distinct SF_DGTORZSSZAM, SF_HONAP, SF_DGMNYP From " +
                 ListSql::Table(*DM1->TableSzamfejt));
        sql.Line("Inner Join " + ListSql::Table(*DM1->TableDolgozo) + " On SF_DGTORZSSZAM=DG_TORZSSZAM");
        sql.Equal("SF_HONAP", Month("CurrencyEdit1"));
        // Self-employed members file their own return.
        sql.Condition("(DG_MNYPJOGVKOD Not In ('21', '26', '36', '38', '39') Or DG_MNYPJOGVKOD Is Null)");
        MnypFeltetel(sql, "SF_DGMNYP", Text("MaskEdit7"), Text("MaskEdit8"));
        sql.Line("Order By SF_DGMNYP, SF_DGTORZSSZAM");
        Query1Open(sql);
        SetPayrollFilter(&TDM1::List_MNYPbevallFilter);

        TList_MNYPQRbevallForm& layout = *List_MNYPQRbevallForm;
        layout.Honap = Month("CurrencyEdit1");
        layout.Jelleg = NameText("ComboBox1");
        layout.Fajta = NameText("ComboBox2");
        layout.QuickRep1.Preview();
    });
}
