#include "app/shared_messages.h"

#include "platform/messages.h"

void ShowNotAvailableYet() {
    platform::ShowMessage(QStringLiteral("Tento příkaz není zatím funkční"), QString(),
                          platform::MessageIcon::Information, platform::mbOK);
}

void ShowCommandDone() {
    platform::ShowMessage(QStringLiteral("Příkaz byl vykonán "), QString(),
                          platform::MessageIcon::Information, platform::mbOK);
}
