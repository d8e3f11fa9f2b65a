#pragma once

#include <QSize>

namespace orvel::link {

struct Globals;
class SerialLink;
class SettingsStore;

inline constexpr int kCompactOuterHeightTwips = 5000;
// A successful start lifts the window this far above the vertically centred position.
inline constexpr int kStartUpLiftTwips = 1350;

// What the start-up sequence does to the main window and its state; the main window implements it.
class StartUpHost
{
public:
    virtual ~StartUpHost() = default;

    virtual void setOuterHeightTwips(int height) = 0;
    virtual void applyStartUpTimerIntervals() = 0;
    virtual QSize screenSizeTwips() const = 0;
    virtual int outerWidthTwips() const = 0;
    virtual void setOuterLeftTwips(int left) = 0;
    virtual void setOuterTopTwips(int top) = 0;
    virtual void selectKeystoneEntry(int index) = 0;
    virtual void enableResizeButtons() = 0;
    virtual void resetReplyAndRepeatState() = 0;
    // The failure path: the port dialog, modal; the rest of start-up is not done.
    virtual void showComPortDialogModal() = 0;
};

enum class StartUpResult
{
    PortOpened,
    DialogShown,
};

// Runs once, when the main window loads and before it is first shown.
StartUpResult runStartUp(StartUpHost &host, Globals &globals, const SettingsStore &store, SerialLink &link);

} // namespace orvel::link
