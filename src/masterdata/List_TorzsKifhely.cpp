#include "masterdata/List_TorzsKifhely.h"

namespace {

using report::Align;

const TorzsListaTag& Tag() {
    static const TorzsListaTag tag{
        "List_TorzsKifhelyForm",
        QStringLiteral("Listázás/Kifizető hely"),
        &lookups::KifizetoHely,
        QStringLiteral("Kifizető hely (F2) :"),
        "999999;1; ",
        DefaultSource::PaymentPlace,
        QStringLiteral("Kifizető hely lista"),
        "List_TorzsKifhelyQRForm",
        // clang-format off
        {{"Kód", "KH_KOD", 0,  20, Align::Left},
         {"Név", "KH_NEV", 22, 120, Align::Left}},
        // clang-format on
        {}};
    return tag;
}

}  // namespace

TList_TorzsKifhelyForm::TList_TorzsKifhelyForm(QWidget* parent) : TorzsListaForm(Tag(), parent) {}
