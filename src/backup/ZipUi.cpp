#include "backup/ZipUi.h"

#include <QCoreApplication>

#include "backup/zip/UnZipper.h"
#include "platform/ui/Dialogs.h"

void InstallZipUserInterface() {
    // Text Msg1, caption Msg2, the style's buttons; the answer in the
    // component's own numbering.
    TUnZipper::DefaultMessageHandler = [](int, const std::string& msg1, const std::string& msg2, int flags) {
        const int buttons = flags == mbOKCancel ? ui::Ok | ui::Cancel
                            : flags == mbYesNo  ? ui::Yes | ui::No
                                                : ui::Ok;
        switch (ui::MessageBox(QString::fromStdString(msg2), QString::fromStdString(msg1), ui::Icon::None,
                               buttons)) {
            case ui::Cancel:
                return idCancel;
            case ui::Yes:
                return idYes;
            case ui::No:
                return idNo;
            default:
                return idOK;
        }
    };
    TUnZipper::MessagePump = [] { QCoreApplication::processEvents(); };
}
