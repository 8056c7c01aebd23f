#include "lists/summary/List_SZHAkedvQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"

namespace {

using report::Align;

QString Szoveg(db::Dataset& q, const char* field) {
    return QString::fromStdString(q.FieldByName(field).AsString());
}

QString Osszeg(db::Dataset& q, const char* field) {
    db::Field& f = q.FieldByName(field);
    return f.IsNull() ? QString() : SzamSzoveg(f.AsFloat());
}

}  // namespace

TList_SZHAkedvQRForm::TList_SZHAkedvQRForm() : QuickRep1(QStringLiteral("List_SZHAkedvQRForm")) {
    QuickRep1.NeedData = [this] {
        if (kovetkezo_ >= sorok_.size()) return false;
        aktualis_ = &sorok_[kovetkezo_++];
        return true;
    };
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_SZHAkedvQRForm")); };

    auto& header = QuickRep1.AddPageHeader(60);
    Fejlec = AddListHeader(header, QStringLiteral("SZHA kedvezmény összesítő"));
    double y = Fejlec.bottom + 1;
    const ParamLines line(header, y, 28, 128);
    line.Add(QStringLiteral("Hónap :"), Parameterek, &Parameterek::honap);
    line.Add(QStringLiteral("Kifiz. dát. :"), Parameterek, &Parameterek::datum);
    line.Add(QStringLiteral("Munkahely :"), Parameterek, &Parameterek::munkahely);
    line.Add(QStringLiteral("Dolgozó :"), Parameterek, &Parameterek::dolgozo);
    line.Add(QStringLiteral("SZHA kedv. kód :"), Parameterek, &Parameterek::kod);
    header.Height = y + 1;

    auto& columns = QuickRep1.AddColumnHeader(12);
    columns.HLine(0, 0.5, 190);
    columns.Label(0, 1, 20, QStringLiteral("Hónap")).Bold();
    columns.Label(15, 1, 60, QStringLiteral("SZHA kedvezmény")).Bold();
    columns.Label(15, 6, 60, QStringLiteral("Dolgozó")).Bold();
    columns.Label(100, 6, 40, QStringLiteral("Jogcím")).Bold();
    columns.Label(160, 6, 30, QStringLiteral("Összeg"), Align::Right).Bold();
    columns.HLine(0, 11.5, 190);

    auto& honap = QuickRep1.AddGroupHeader(5, [this] { return aktualis_->honap; });
    honap.Computed(0, 0, 15, [this] { return aktualis_->honap; }).Bold();

    auto& kod = QuickRep1.AddGroupHeader(5, [this] { return aktualis_->honap + "/" + aktualis_->kod; });
    kod.BeforePrint = [this](bool&) { kodOsszesen_ = aktualis_->osszesen; };
    kod.Computed(15, 0, 10, [this] { return aktualis_->kod; });
    kod.Computed(25, 0, 120, [this] { return aktualis_->kodNev; });

    auto& detail = QuickRep1.AddDetail(5);
    detail.Computed(15, 0, 25, [this] { return aktualis_->torzsszam; });
    detail.Computed(40, 0, 60, [this] { return aktualis_->nev; });
    detail.Computed(100, 0, 12, [this] { return aktualis_->jogcim; });
    detail.Computed(112, 0, 48, [this] { return aktualis_->jogcimNev; }).Shrink();
    detail.Computed(
        160, 0, 30, [this] { return aktualis_->osszeg; }, Align::Right);

    auto& osszesen = QuickRep1.AddGroupFooter(kod, 7);
    osszesen.HLine(112, 0.5, 78);
    osszesen.Label(112, 1, 48, QStringLiteral("kedvezmény összesen:"));
    osszesen.Computed(
        160, 1, 30, [this] { return kodOsszesen_; }, Align::Right);
}

void TList_SZHAkedvQRForm::Beallit(const ListSql& honapok, const ListSql& kodok, const ListSql& sorok) {
    for (db::Query* q : {&Query1, &Query2, &Query3}) {
        q->Close();
        q->DatabaseName = DM1->TableSzamfejt->DatabaseName;
    }
    honapok.Apply(Query1);
    kodok.Apply(Query2);
    sorok.Apply(Query3);
    Query1.Open();
}

void TList_SZHAkedvQRForm::Bezar() {
    for (db::Query* q : {&Query3, &Query2, &Query1}) {
        try {
            q->Close();
        } catch (const std::exception&) {
            // Closing a read-only query loses nothing.
        }
        q->SetSQL("");
    }
}

std::vector<TList_SZHAkedvQRForm::Sor> TList_SZHAkedvQRForm::Sorok() {
    std::vector<Sor> sorok;
    for (Query1.First(); !Query1.Eof(); Query1.Next()) {
        ReopenChained(Query2, Query1);
        for (Query2.First(); !Query2.Eof(); Query2.Next()) {
            ReopenChained(Query3, Query2);
            Sor s;
            s.honap = Szoveg(Query1, "pHONAP1");
            s.kod = Szoveg(Query2, "pSZHAKEDVKOD");
            s.kodNev = Szoveg(Query2, "EK_ERTEKNEV");
            s.osszesen = Osszeg(Query2, "sum_SFOSSZEG");
            for (Query3.First(); !Query3.Eof(); Query3.Next()) {
                s.torzsszam = Szoveg(Query3, "SF_DGTORZSSZAM");
                s.nev = Szoveg(Query3, "SF_DGNEV");
                s.jogcim = Szoveg(Query3, "SF_JCKOD");
                s.jogcimNev = Szoveg(Query3, "SF_JCNEV");
                s.osszeg = Osszeg(Query3, "SF_OSSZEG");
                sorok.push_back(s);
            }
        }
    }
    return sorok;
}

void TList_SZHAkedvQRForm::QuickRep1BeforePrint() {
    sorok_ = Sorok();
    kovetkezo_ = 0;
    aktualis_ = nullptr;
    LocateCompany();
}
