#pragma once

#include <QString>
#include <optional>

namespace orvel::link {

// The per-user settings store: organisation and application "ORVEL"
// (on Linux ~/.config/ORVEL/ORVEL.conf, honouring XDG_CONFIG_HOME).
class SettingsStore
{
public:
    // A missing key, or a value that is no text at all, gives the default.
    QString readText(const QString &section, const QString &key, const QString &defaultText) const;
    // False when the store could not be written.
    bool writeText(const QString &section, const QString &key, const QString &text);

    // The stored port number, read as start-up reads it; nothing when it does not fit 16 bits.
    std::optional<qint16> storedPortNumber() const;
    bool storePortNumber(qint16 number);

    // The device that port number `number` opens: section "Ports", key "COM<n>",
    // else the platform's own n-th serial port.
    QString deviceForPort(int number) const;
};

} // namespace orvel::link
