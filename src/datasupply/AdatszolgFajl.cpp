#include "datasupply/AdatszolgFajl.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "controls/NumEdits.h"
#include "core/ListForm.h"
#include "core/helpers/FormXml.h"
#include "platform/os/AtomicFile.h"
#include "platform/ui/Dialogs.h"

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
