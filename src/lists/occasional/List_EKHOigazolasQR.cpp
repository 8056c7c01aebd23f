#include "lists/occasional/List_EKHOigazolasQR.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "lists/occasional/Igazolasok.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

using report::Align;

QString Dolgozo(const char* field) { return MezoSzoveg(*DM1->TableDolgozo, field); }

// The one value of a statement over the employee's rows of the given items.
db::Variant Ertek(const std::string& kifejezes, const QStringList& jogcimek) {
    ListSql sql;
    sql.Line("Select " + kifejezes + " As ertek From " + ListSql::Table(*DM1->TableSzamfejt));
    sql.Equal("SF_DGTORZSSZAM",
              QString::fromStdString(DM1->TableDolgozo->FieldByName("DG_TORZSSZAM").AsString()));
    std::string vagy;
    for (const QString& j : jogcimek) {
        const std::string nev = "jc" + std::to_string(&j - jogcimek.data());
        vagy += (vagy.empty() ? "" : " Or ") + std::string("SF_JCKOD = :") + nev;
        sql.Bind(nev, db::Variant(j.toStdString()), db::FieldType::String);
    }
    sql.Condition("(" + vagy + ")");
    db::Query& q = *DM1->Query1;
    Query1Reset();
    sql.Apply(q);
    q.Open();
    const db::Variant v = q.FieldByName("ertek").Value();
    Query1Reset();
    return v;
}

QString Osszeg(const QStringList& jogcimek) {
    return SzamSzoveg(Ertek("SUM(SF_OSSZEG)", jogcimek).ToDouble());
}

}  // namespace

TList_EKHOigazolasQRForm::TList_EKHOigazolasQRForm() : QuickRep1(QStringLiteral("List_EKHOigazolasQRForm")) {
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_EKHOigazolasQRForm")); };

    auto& band = QuickRep1.AddTitle(250);
    band.BeforePrint = [this](bool&) { QRBand1BeforePrint(); };
    double y = ProgramFejlec(band, false) + 6;
    band.Label(10, y, 170,
               QStringLiteral("Igazolás a magánszemély részére a ") + QString::fromStdString(FeldolgozasiEv) +
                   QStringLiteral(" adóévben az egyszerüsített közteherviselési hozzájárulás szerint adózott "
                                  "bevételekről és a levont adóról, valamint a magánszemély által átvállalt "
                                  "kötelezettségekről"),
               Align::Center)
        .Bold()
        .Wrap()
        .Height = 16;
    y += 20;
    auto sor = [&](const QString& cim, std::function<QString()> ertek) {
        band.Label(0, y, 65, cim);
        band.Computed(65, y, 125, std::move(ertek));
        y += 6;
    };
    sor(QStringLiteral("Az igazolás kiállítójának neve :"), [] { return CegMezo("CG_NEV"); });
    sor(QStringLiteral("címe :"), [] { return CegCime(); });
    sor(QStringLiteral("adószáma :"), [] { return CegMezo("CG_ADOSZAM"); });
    y += 4;
    sor(QStringLiteral("A magánszemély neve"), [] { return Dolgozo("DG_NEV"); });
    sor(QStringLiteral("azonosító jele :"), [] { return Dolgozo("DG_ADOAZ"); });
    sor(QStringLiteral("címe :"), [] { return DolgozoCime(); });
    sor(QStringLiteral("FEOR száma :"), [] { return Dolgozo("DG_FEOR"); });
    y += 4;
    sor(QStringLiteral("EKHO-ra jogosító értékhatár :"), [] { return QStringLiteral("1"); });
    y += 6;
    band.Label(0, y, 190, QStringLiteral("Az EKHO alapján adózott bevételek és adója"), Align::Center).Bold();
    y += 7;
    band.Rectangle(0, y, 190, 26);
    band.Label(82, y + 1, 30, QStringLiteral("Bevétel"), Align::Center);
    band.Label(114, y + 1, 76, QStringLiteral("A kifizető által levont EKHO"), Align::Center);
    band.Label(114, y + 7, 24, QStringLiteral("15%"), Align::Center);
    band.Label(140, y + 7, 24, QStringLiteral("11,1%"), Align::Center);
    band.Label(166, y + 7, 24, QStringLiteral("9,5%"), Align::Center);
    band.Label(2, y + 14, 78, QStringLiteral("EKHO-s munkaviszonyból származó bevétel és levont adója"))
        .Wrap()
        .Height = 10;
    band.Computed(
        82, y + 14, 30, [this] { return Bevetel; }, Align::Right);
    band.Computed(
        114, y + 14, 24, [this] { return Ekho15; }, Align::Right);
    band.Computed(
        140, y + 14, 24, [this] { return Ekho111; }, Align::Right);
    band.Label(166, y + 14, 22, QStringLiteral("0"), Align::Right);
    y += 32;
    sor(QStringLiteral("Jogosultsági hónapok száma :"), [this] { return Honapok; });
    band.Label(0, y, 90, QStringLiteral("A levont adóból 9,5% az SZJA összege : "));
    band.Computed(90, y, 40, [this] { return Szja; });
    y += 10;
    band.Label(
            0, y, 190,
            QStringLiteral("Az igazolást az EKHO-ról szóló 2005. évi CXX törvény 13.§ (6) bekezdése alapján "
                           "állítottuk ki."))
        .Wrap()
        .Height = 10;
    y += 20;
    band.Label(0, y, 110, DatumSor(QString::number(std::stoi(FeldolgozasiEv))));
    band.Label(120, y, 70, QStringLiteral("..................................."), Align::Center);
    band.Label(120, y + 5, 70, QStringLiteral("cégszerű aláírás"), Align::Center);
    band.Height = y + 12;
}

void TList_EKHOigazolasQRForm::QuickRep1BeforePrint() { LocateCompany(); }

void TList_EKHOigazolasQRForm::QRBand1BeforePrint() {
    Bevetel = Ekho15 = Ekho111 = Szja = Honapok = QStringLiteral("0");
    Bevetel = Osszeg({"282A"});
    Honapok =
        QString::number(static_cast<long long>(Ertek("COUNT(DISTINCT(SF_HONAP))", {"282A"}).ToDouble()));
    Ekho15 = Osszeg({"320A", "320B", "320C"});
    Ekho111 = Osszeg({"340C"});
    Szja = Osszeg({"320A"});
}
