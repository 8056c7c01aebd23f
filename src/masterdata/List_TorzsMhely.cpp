#include "masterdata/List_TorzsMhely.h"

namespace {

using report::Align;

const TorzsListaTag& Tag() {
    static const TorzsListaTag tag{"List_TorzsMhelyForm",
                                   QStringLiteral("Listázás/Munkahely"),
                                   &lookups::Munkahely,
                                   QStringLiteral("Munkahely (F2) :"),
                                   "999999;1; ",
                                   DefaultSource::Workplace,
                                   QStringLiteral("Munkahely lista"),
                                   "List_TorzsMhelyQRForm",
                                   // clang-format off
        {{"Kód",           "MH_KOD",      0,   20, Align::Left},
         {"Név",           "MH_NEV",      22,  90, Align::Left},
         {"Kifizető hely", "MH_KHKOD",    114, 24, Align::Left},
         {"Munkaszám",     "MH_MUNKSZAM", 140, 24, Align::Left},
         {"Gyüjtő",        "MH_GYUJTO",   166, 24, Align::Left}},
                                   // clang-format on
                                   {}};
    return tag;
}

}  // namespace

TList_TorzsMhelyForm::TList_TorzsMhelyForm(QWidget* parent) : TorzsListaForm(Tag(), parent) {}
