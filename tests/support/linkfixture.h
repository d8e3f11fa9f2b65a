#pragma once

#include "link/seriallink.h"
#include "link/settingsstore.h"
#include "projectorend.h"
#include "store.h"

namespace orvel::test {

// A serial link whose port 1 is a pseudo-terminal, with the projector at its far end.
struct LinkOnPty
{
    LinkOnPty()
    {
        temp.set(QStringLiteral("Ports/COM1"), projector.devicePath());
        link.setPortNumber(1);
    }

    TempStore temp;
    ProjectorEnd projector;
    link::SettingsStore store;
    link::SerialLink link{store};
};

} // namespace orvel::test
