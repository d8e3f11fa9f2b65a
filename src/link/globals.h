#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace orvel::link {

// The program-wide values every window shares. The program makes one; each test makes its own.
struct Globals
{
    // The frame sent last from the main window, CR included; empty until the first one.
    QByteArray LastCommand;
    // The port number chosen or in use; only 1 to 15 are usable, 0 means none chosen.
    qint16 ComPortNo = 0;
    // ComPortNo as it was when the COM button opened the port dialog; Cancel returns to it.
    qint16 ComPortBackup = 0;
};

inline constexpr qint16 kFirstPort = 1;
inline constexpr qint16 kLastPort = 15;

constexpr bool isUsablePort(int number)
{
    return number >= kFirstPort && number <= kLastPort;
}

} // namespace orvel::link
