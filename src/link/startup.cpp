#include "link/startup.h"

#include "link/globals.h"
#include "link/seriallink.h"
#include "link/settingsstore.h"
#include "protocol/keystone.h"

namespace orvel::link {

StartUpResult runStartUp(StartUpHost &host, Globals &globals, const SettingsStore &store, SerialLink &link)
{
    // 1. The compact view.
    host.setOuterHeightTwips(kCompactOuterHeightTwips);

    // 2, 3. The stored number; a missing key reads as 0, a number too large for 16 bits is unusable.
    const std::optional<qint16> stored = store.storedPortNumber();
    if (stored)
        globals.ComPortNo = *stored;
    if (!stored || !isUsablePort(globals.ComPortNo)) {
        host.showComPortDialogModal();
        return StartUpResult::DialogShown;
    }

    // 4 to 6. The line settings, the port number, the open.
    link.setSettings(QString::fromLatin1(SerialLink::kLineSettings));
    link.setPortNumber(globals.ComPortNo);
    if (!link.open()) {
        host.showComPortDialogModal();
        return StartUpResult::DialogShown;
    }

    // 7. Timer2 1000 ms and Timer4 1200 ms, both left disabled.
    host.applyStartUpTimerIntervals();

    // 8, 9. Centred across, lifted above the vertical centre; a short screen may give a negative top.
    const QSize screen = host.screenSizeTwips();
    host.setOuterLeftTwips((screen.width() - host.outerWidthTwips()) / 2);
    host.setOuterTopTwips((screen.height() - kCompactOuterHeightTwips) / 2 - kStartUpLiftTwips);

    // 10 to 12.
    host.selectKeystoneEntry(protocol::kKeystoneZeroEntry);
    host.enableResizeButtons();
    host.resetReplyAndRepeatState();
    return StartUpResult::PortOpened;
}

} // namespace orvel::link
