#include "masterdata/List_TorzsDolgozo.h"

namespace {

using report::Align;

const TorzsListaTag& Tag() {
    static const TorzsListaTag tag{
        "List_TorzsDolgozoForm",
        QStringLiteral("Listázás/Dolgozó"),
        &lookups::Dolgozo,
        QStringLiteral("Dolgozó (F2) :"),
        "99999999999;1; ",
        DefaultSource::Employee,
        QStringLiteral("Dolgozó lista"),
        "List_TorzsDolgozoQRForm",
        // clang-format off
        {{"Törzsszám", "DG_TORZSSZAM", 0,   24, Align::Left},
         {"Név",       "DG_NEV",       26,  90, Align::Left},
         {"Munkahely", "DG_MHKOD",     118, 22, Align::Left},
         {"Alapbér",   "DG_ALAPBER",   150, 40, Align::Right, ColumnFormat::Amount}},
        // the second line, under the name
        {{"Belépés dátuma", "DG_BELEPDAT", 26,  23, Align::Left, ColumnFormat::Date},
         {"Adóazonosító",   "DG_ADOAZ",    50,  23, Align::Left},
         {"TAJ",            "DG_TAJSZ",    74,  19, Align::Left},
         {"Bérforma",       "DG_BERFORM",  94,  16, Align::Left},
         {"Alkalm. min.",   "DG_ALKMIN",   111, 19, Align::Left},
         {"Szül. dát.",     "DG_SZULDAT",  131, 20, Align::Left, ColumnFormat::Date},
         {"Kilép. dát.",    "DG_KILEPDAT", 152, 20, Align::Left, ColumnFormat::Date}}};
    // clang-format on
    return tag;
}

}  // namespace

TList_TorzsDolgozoForm::TList_TorzsDolgozoForm(QWidget* parent) : TorzsListaForm(Tag(), parent) {}
