#include "masterdata/List_TorzsJogcim.h"

namespace {

using report::Align;

const TorzsListaTag& Tag() {
    static const TorzsListaTag tag{"List_TorzsJogcimForm",
                                   QStringLiteral("Listázás/Jogcím"),
                                   &lookups::Jogcim,
                                   QStringLiteral("Jogcím (F2) :"),
                                   "999a;1; ",
                                   DefaultSource::PayItem,
                                   QStringLiteral("Jogcím lista"),
                                   "List_TorzsJogcimQRForm",
                                   // clang-format off
        {{"Kód",    "JC_KOD",     0,   15, Align::Left},
         {"Név",    "JC_NEV",     17,  110, Align::Left},
         {"Típus",  "JC_TIPUS",   130, 20, Align::Left},
         {"Képlet", "JC_SZAMKEP", 152, 20, Align::Left}},
                                   // clang-format on
                                   {}};
    return tag;
}

}  // namespace

TList_TorzsJogcimForm::TList_TorzsJogcimForm(QWidget* parent) : TorzsListaForm(Tag(), parent) {}
