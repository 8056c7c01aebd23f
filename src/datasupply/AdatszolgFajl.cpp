#include "datasupply/AdatszolgFajl.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "controls/NumEdits.h"
#include "core/DataModule1.h"
#include "core/ListForm.h"
#include "core/ListLayout.h"
#include "core/helpers/FormXml.h"
#include "platform/db/Table.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/ScopeGuard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"

void MuveletNemLehet() { ui::ShowMessage(QStringLiteral("A műveletet nem lehet végrehajtani...")); }

bool AdatszolgFajlIr(const QString& caption, const std::string& path,
                     const std::function<std::string()>& build) {
    try {
        const std::string bytes = build();
        os::AtomicFileWriter file(path);
        file.Write(bytes);
        file.Commit();
        return true;
    } catch (const std::exception& e) {
        ui::MessageBox(caption, QString::fromStdString(XmlWriteError(path, e.what())), ui::Icon::Error,
                       ui::Ok);
        return false;
    }
}

QString AdatszolgCegKod() {
    return DM1->TableCegek->Active() && LocateCompany() ? QString::fromStdString(CegKod()) : QString();
}

bool Lekerdezes(ListForm& form, QLabel* phase, const std::function<void()>& collect,
                const std::function<void()>& discard) {
    if (AdatszolgCegKod().isEmpty()) {
        MuveletNemLehet();
        return false;
    }
    form.BitBtn1->setEnabled(false);
    os::ScopeGuard vissza([&form, phase] {
        form.ProgressBar1->setValue(0);
        phase->clear();
        form.BitBtn1->setEnabled(true);
    });
    try {
        ui::Hourglass hourglass;
        collect();
    } catch (const std::exception& e) {
        discard();
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return false;
    }
    ui::ShowMessage(QStringLiteral("A lekérdezés befejeződött."));
    return true;
}

QPushButton* MappaGomb(ListForm& form, const std::function<void()>& choose) {
    auto* button = new QPushButton(QStringLiteral("..."), &form);
    button->setObjectName("BitBtn5");
    button->setAutoDefault(false);
    button->setFixedWidth(30);
    if (auto* grid = form.findChild<QGridLayout*>()) {
        int row = 0, col = 0, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(form.Edit("Edit1")), &row, &col, &rs, &cs);
        grid->addWidget(button, row, 2, Qt::AlignLeft);
    }
    QObject::connect(button, &QPushButton::clicked, &form, choose);
    return button;
}

void HonapVagyKodValtozas(ListForm& form, const QString& codeEdit, const std::function<void()>& changed) {
    QObject::connect(form.Edit(codeEdit), &QLineEdit::textChanged, &form, changed);
    if (TCurrencyEdit* honap = form.MonthEdit("CurrencyEdit1")) {
        auto previous = honap->OnChange;
        honap->OnChange = [previous, changed] {
            if (previous) previous();
            changed();
        };
    }
}
