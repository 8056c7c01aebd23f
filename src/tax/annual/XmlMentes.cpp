#include "tax/annual/XmlMentes.h"

#include "core/StartValues.h"
#include "core/helpers/KimenetiMappa.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

QString XmlMentesHelye(const std::string& kind, const QString& proposed) {
    QString folder;
    try {
        folder = Q(AdatszolgMappa(FeldolgozasiEv, kind));
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"), QString::fromUtf8(e.what()), ui::Icon::Error, ui::Ok);
        return {};
    }
    const QString chosen = ui::SaveFileName(QStringLiteral("Mentés"), folder + proposed,
                                            QStringLiteral("xml fájlok (*.xml)"), ui::DontConfirmOverwrite);
    return ui::WithDefaultExtension(chosen, QStringLiteral("xml"));
}
