#include "tax/annual/XmlMentes.h"

#include <QFileInfo>

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
    QString chosen = ui::SaveFileName(QStringLiteral("Mentés"), folder + proposed,
                                      QStringLiteral("xml fájlok (*.xml)"), ui::DontConfirmOverwrite);
    if (chosen.isEmpty()) return {};
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += ".xml";
    return chosen;
}
