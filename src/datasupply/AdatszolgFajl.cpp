#include "datasupply/AdatszolgFajl.h"

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
