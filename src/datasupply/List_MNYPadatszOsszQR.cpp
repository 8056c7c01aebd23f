#include "datasupply/List_MNYPadatszOsszQR.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "datasupply/MNYPadatszolg.h"
#include "platform/db/Table.h"

namespace {

constexpr double kFelirat = 2;  // mm from the band's left
constexpr double kErtek = 91;
constexpr double kSor = 6.35;
constexpr double kCimSor = 4.2;

QString Mezo(db::Dataset& ds, const char* field) {
    if (!ds.Active()) return {};
    const db::Field& f = ds.FieldByName(field);
    return f.IsNull() ? QString() : QString::fromStdString(f.AsString());
}

}  // namespace

TList_MNYPadatszOsszQRForm::TList_MNYPadatszOsszQRForm(TMNYPadatszolgForm& form)
    : QuickRep1(QStringLiteral("List_MNYPadatszOsszQRForm")) {
    QuickRep1.Font = report::Font{QStringLiteral("Arial"), 10};
    QuickRep1.PrintIfEmpty = true;
    db::Dataset& fo = form.mdFoglOssz;
    QuickRep1.OnPreview = [this] {
        ShowReportPreview(QuickRep1, QStringLiteral("List_MNYPadatszOsszQRForm"));
    };

    const double szelesseg = QuickRep1.Page.Width() - QuickRep1.Page.leftMargin - QuickRep1.Page.rightMargin;
    auto& d =
        QuickRep1.AddDetail(QuickRep1.Page.Height() - QuickRep1.Page.topMargin - QuickRep1.Page.bottomMargin);
    QRBand1 = &d;
    d.BeforePrint = [&fo](bool&) {
        LocateCompany();
        if (fo.Active()) fo.First();
    };
    d.Label(0, 4, szelesseg, QStringLiteral("Magánnyugdíjpénztári összesítő adatlap"), report::Align::Center)
        .Bold();

    double y = 15;
    auto sor = [&](const QString& caption, std::function<QString()> value) {
        d.Label(kFelirat, y, kErtek - kFelirat - 1, caption);
        d.Computed(kErtek, y, szelesseg - kErtek, std::move(value));
        y += kSor;
    };
    auto mezo = [&](const QString& caption, const char* field) {
        sor(caption, [&fo, field] { return Mezo(fo, field); });
    };
    auto ceg = [&](const QString& caption, const char* field) {
        sor(caption, [field] { return Mezo(*DM1->TableCegek, field); });
    };
    const QString fej = form.Text("Edit2"), tetel = form.Text("Edit3");
    sor(QStringLiteral("Fájlnév"), [fej] { return fej.right(20); });
    mezo(QStringLiteral("Vonatkozási időszak (tárgyhó)"), "FO_BEVALLIDOSZ");
    mezo(QStringLiteral("Adatszolgáltatás dátuma"), "FO_BEVALLDAT");
    mezo(QStringLiteral("*A bevallás típusa"), "FO_BEVALLTIP");
    mezo(QStringLiteral("Foglalkoztató neve"), "FO_FOGLMEGN");
    mezo(QStringLiteral("Pénzforgalmi jelzőszáma"), "FO_PENZFJELZ");
    d.Label(kFelirat, y, kErtek - kFelirat - 1, QStringLiteral("Cím"));
    for (const char* field : {"FO_IRSZ", "FO_TELEPULES", "FO_CIM"}) {
        d.Computed(kErtek, y, szelesseg - kErtek, [&fo, field] { return Mezo(fo, field); });
        y += kCimSor;
    }
    y += kSor - kCimSor;
    mezo(QStringLiteral("Foglalkoztató adószáma"), "FO_FOGLADOSZ");
    mezo(QStringLiteral("Kapcsolattartó neve"), "FO_KAPCSSZEM");
    mezo(QStringLiteral("Kapcsolattartó telefonszáma"), "FO_KAPCSTEL");
    sor(QStringLiteral("A bevallás teljesítésére engedélyezett határidő"),
        [] { return QStringLiteral("-"); });
    ceg(QStringLiteral("**Adatszolgáltató neve"), "CG_ASZOLG");
    ceg(QStringLiteral("**Adatszolgáltató adószáma"), "CG_ASZOLGADOSZ");
    ceg(QStringLiteral("**Adatszolgáltató telefonszáma"), "CG_ASZOLGTEL");
    mezo(QStringLiteral("Péntrár neve"), "FO_PENZTARNEV");
    mezo(QStringLiteral("Pénztár kódja"), "FO_PENZTARKOD");
    mezo(QStringLiteral("Pénztár pénzforgalmi jelzőszáma"), "FO_PENZTARPENZFJ");
    mezo(QStringLiteral("Bevallásban szereplő pénztártagok száma"), "FO_HFAJLREKORDSZ");
    mezo(QStringLiteral("Járulékalap összesen"), "FO_JARALAP");
    mezo(QStringLiteral("Tagdíj összesen"), "FO_TAGDIJ");
    mezo(QStringLiteral("Munkavállalói kiegészítés összesen"), "FO_MUNKVALLKIEG");
    mezo(QStringLiteral("Munkáltatói kiegészítés összesen"), "FO_MUNKKIEG");
    mezo(QStringLiteral("Munkáltatói kiegészítés mértéke"), "FO_MUNKKIEGMERT");
    mezo(QStringLiteral("*****Késedelmi pótlék"), "FO_KESPOTL");
    mezo(QStringLiteral("Befizetendő"), "FO_BEFIZ");
    mezo(QStringLiteral("Visszatérítési igény"), "FO_VISSZATEROSSZ");
    mezo(QStringLiteral("Visszaigénylendő összeg"), "FO_VISSZAIGOSSZ");
    sor(QStringLiteral("Havi forgalom adatok fájlnév"), [tetel] { return tetel.right(12); });
    sor(QStringLiteral("Késedelmi pótlék fájlnév"), [] { return QString(); });

    d.Memo(0, 216, 184, 15,
           QStringLiteral(
               "Nyilatkozom, hogy a mellékelt lemezen (lemezeken) található fájlok a PSZÁF által "
               "előírt adatszerkezetben készült el. Az adathordozó virusmentes, az összesítő adatokat "
               "és a tagokra vonatkozó előírt bevallésokat tartalmazza. A fájlokban szereplő valamennyi "
               "adat hitelességét igazolom."))
        .Wrap();
    d.Label(0, 258, 37, QString(35, u'.'), report::Align::Center);
    d.Label(0, 258 + 5, 37, QStringLiteral("Cégszerű aláírás"), report::Align::Center);
}
