#include "lists/occasional/List_Munkig.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "lists/occasional/Igazolasok.h"
#include "lists/occasional/JovedelemIg.h"
#include "lists/occasional/List_JovIgQR.h"
#include "lists/occasional/List_MunkigQR1.h"
#include "lists/occasional/List_MunkigQR2.h"
#include "lists/occasional/List_MunkigQR3.h"
#include "lists/occasional/MunkanelkJar.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"

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
}

TList_MunkigForm::~TList_MunkigForm() = default;

void TList_MunkigForm::StartButtonClick(int index) {
    if (index == 0) BitBtn11Click();
    if (index == 1) BitBtn12Click();
    if (index == 2) BitBtn13Click();
    if (index == 3) BitBtn14Click();
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

void TList_MunkigForm::MunkatablaFuttat(const std::function<bool()>& fill,
                                        const std::function<void()>& show) {
    RunWorkTableList(fill, show, true);
    NyomtatasMehet();
}

void TList_MunkigForm::HaladasIndul(int max) {
    ProgressBar1->setMaximum(std::max(max, 1));
    ProgressBar1->setValue(0);
}

void TList_MunkigForm::HaladasLep() { ProgressBar1->setValue(ProgressBar1->value() + 1); }

void TList_MunkigForm::BitBtn13Click() {
    List_MunkigQR3Form = std::make_unique<TList_MunkigQR3Form>();
    MunkatablaFuttat([this] { return MunkanelkJarTablaLetrehoz() && MunkanelkJarFeltolt(); },
                     [this] {
                         MunkanelkJarTabla().OpenInTable1();
                         List_MunkigQR3Form->QuickRep1.Preview();
                     });
    List_MunkigQR3Form.reset();
}

bool TList_MunkigForm::MunkanelkJarTablaLetrehoz() { return MunkanelkJarTabla().Create(); }

bool TList_MunkigForm::Feltolt(const char* hiba, const std::function<void()>& fill) {
    try {
        fill();
        ProgressBar1->setValue(0);
        return true;
    } catch (const std::exception& e) {
        ProgressBar1->setValue(0);
        ui::MessageBox(QStringLiteral("Üzenetkezelő"),
                       QString::fromUtf8(hiba) + "\r" + QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return false;
    }
}

bool TList_MunkigForm::MunkanelkJarFeltolt() {
    return Feltolt("HIBA történt az adatok felgyűjtésekor! ", [this] {
        // Last year's rows only when its three tables can be read; silently
        // this year's alone otherwise.
        const std::string elozoKod = ElozoEviKod({"Szamfejt_", "Dolgozo_", "Jogcim_"});
        MunkanelkJarSorok(
            {Text("MaskEdit1"), Text("MaskEdit2"), Text("MaskEdit5"), Text("MaskEdit6")}, elozoKod,
            [this](int max) { HaladasIndul(max); }, [this] { HaladasLep(); });
    });
}

void TList_MunkigForm::BitBtn14Click() {
    List_JovIgQRForm = std::make_unique<TList_JovIgQRForm>();
    MunkatablaFuttat(
        [this] { return JovedelemIgTablaLetrehoz() && JovedelemIgFeltolt() && JovedelemIgElozoEv(); },
        [this] {
            JovedelemIgTabla().OpenInTable1();
            List_JovIgQRForm->QuickRep1.Preview();
        });
    List_JovIgQRForm.reset();
    jovedelemIgSorok_.reset();
}

bool TList_MunkigForm::JovedelemIgTablaLetrehoz() {
    jovedelemIgSorok_ = std::make_unique<JovedelemIgSorok>();
    return JovedelemIgTabla().Create();
}

bool TList_MunkigForm::JovedelemIgFeltolt() {
    return Feltolt("HIBA történt a tárgyévi rendszeres jövedelem felgyűjtésekor! ", [this] {
        JovedelemIgTargyev({Text("MaskEdit1"), Text("MaskEdit2"), Text("MaskEdit5"), Text("MaskEdit6")},
                           *jovedelemIgSorok_,
                           {[this](int max) { HaladasIndul(max); }, [this] { HaladasLep(); }});
        jovedelemIgSorok_->Kiir();
    });
}

bool TList_MunkigForm::JovedelemIgElozoEv() {
    // The wording is the form's own.
    return Feltolt("HIBA történt a előző évi rendszeres jövedelem felgyűjtésekor! ", [this] {
        const std::string elozoKod = ElozoEviKod({"Szamfejt_", "Dolgozo_"});
        if (elozoKod.empty()) {
            // The certificate prints without last year's rows.
            ui::MessageBox(QStringLiteral("Üzenet"),
                           QStringLiteral("Az előző évi adatok nem elérhetőek. A lista nem teljes!"),
                           ui::Icon::Warning, ui::Ok);
            return;
        }
        JovedelemIgElozoEvSorai(elozoKod, *jovedelemIgSorok_,
                                {[this](int max) { HaladasIndul(max); }, [this] { HaladasLep(); }});
        jovedelemIgSorok_->Kiir();
    });
}
