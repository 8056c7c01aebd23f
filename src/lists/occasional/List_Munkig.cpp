#include "lists/occasional/List_Munkig.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "lists/occasional/Igazolasok.h"
#include "lists/occasional/List_MunkigQR1.h"
#include "lists/occasional/List_MunkigQR2.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace {

ListDecl MunkigDecl() {
    ListDecl s;
    s.objectName = "List_MunkigForm";
    s.caption = QStringLiteral("Eseti listák/Munkáltatói igazolás");
    s.fields = {params::Munkahely(), params::Dolgozo()};
    s.tables = {&TDM1::TableNyugP,   &TDM1::TableMhely,    &TDM1::TableJogcim, &TDM1::TableDolgozo,
                &TDM1::TableRJogcim, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.noStartButton1 = true;
    s.startButtons = {{"BitBtn11", QStringLiteral("Munkaviszony megszünése")},
                      {"BitBtn12", QStringLiteral("Birósági kötelezettségek")},
                      {"BitBtn13", QStringLiteral("Álláskeresési járadék")},
                      {"BitBtn14", QStringLiteral("Jövedelemigazolás")}};
    s.progressBars = 1;
    s.lastEdit = "MaskEdit6";
    return s;
}

}  // namespace

TList_MunkigForm::TList_MunkigForm(QWidget* parent)
    : ListForm(MunkigDecl(), parent),
      List_MunkigQR1Form(std::make_unique<TList_MunkigQR1Form>()),
      List_MunkigQR2Form(std::make_unique<TList_MunkigQR2Form>()) {
    BitBtn11 = findChild<QPushButton*>("BitBtn11");
    BitBtn12 = findChild<QPushButton*>("BitBtn12");
    BitBtn13 = findChild<QPushButton*>("BitBtn13");
    BitBtn14 = findChild<QPushButton*>("BitBtn14");
    // The hints beside "Álláskeresési járadék", above the buttons.
    auto* hints = new QVBoxLayout;
    hints->addWidget(new QLabel(QStringLiteral("Lekérdezések :"), this));
    for (const char* text : {"Ha nincs előző évi számfejtés, akkor a",
                             "15-17. sorok értéke a Törzskezelés/Dolgozó/Kilépés alatt adhatók meg.",
                             "15. sor: Kezdete, 16. sor: MPJ alap összege, 17. sor: Hónapok"}) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QStringLiteral("Label%1").arg(hints->count() + 10));
        hints->addWidget(label);
    }
    auto* outer = static_cast<QBoxLayout*>(layout());
    outer->insertLayout(outer->count() - 2, hints);
    NyomtatasMehet();
}

TList_MunkigForm::~TList_MunkigForm() = default;

void TList_MunkigForm::NyomtatasMehet() {
    ListForm::NyomtatasMehet();
    // The jobseeker allowance and income certificates are not built yet.
    if (BitBtn13) BitBtn13->setEnabled(false);
    if (BitBtn14) BitBtn14->setEnabled(false);
}

void TList_MunkigForm::StartButtonClick(int index) {
    if (index == 0) BitBtn11Click();
    if (index == 1) BitBtn12Click();
}

void TList_MunkigForm::Futtat(const std::function<void()>& run) {
    BitBtn2->setEnabled(false);
    RunQueryList(run);
    BitBtn2->setEnabled(true);
    NyomtatasMehet();
}

void TList_MunkigForm::BitBtn11Click() {
    Futtat([this] {
        DolgozokLekerdezese(*this);
        SetPayrollFilter(&TDM1::List_AdatlFilter);
        List_MunkigQR1Form->QuickRep1.Preview();
    });
}

void TList_MunkigForm::BitBtn12Click() {
    Futtat([this] {
        List_MunkigQR2Form->Futtat(Text("MaskEdit1"), Text("MaskEdit2"), Text("MaskEdit5"),
                                   Text("MaskEdit6"));
    });
}
