#pragma once

#include "link/globals.h"
#include "link/seriallink.h"
#include "link/settingsstore.h"
#include "monitor/trafficmonitor.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace orvel::ui {
class Form1;
class Form2;
} // namespace orvel::ui

namespace orvel::app {

// The whole program: its shared values, the serial link, the traffic monitor
// and the windows, wired together. The program makes one; each test makes its own.
class Panel final : public QObject
{
    Q_OBJECT

public:
    Panel();
    ~Panel() override;

    // Loads the main window (the start-up sequence) and shows it, at once when
    // the port opened, or when the port dialog that start-up showed has closed.
    void start();

    link::Globals &globals() { return m_globals; }
    link::SettingsStore &store() { return m_store; }
    link::SerialLink &serialLink() { return m_link; }
    monitor::TrafficMonitor &monitor() { return m_monitor; }
    ui::Form1 &mainWindow() { return *m_form1; }
    // The port dialog while it is open, else null.
    ui::Form2 *comPortDialog() const;

Q_SIGNALS:
    // END, or the main window's own close control: every window is gone.
    void ended();

private:
    void showComPortDialog(bool modal);
    void showMainWindow();
    void end();

    link::Globals m_globals;
    link::SettingsStore m_store;
    link::SerialLink m_link{m_store};
    monitor::TrafficMonitor m_monitor{m_globals, m_link};
    std::unique_ptr<ui::Form1> m_form1;
    QPointer<ui::Form2> m_form2;
};

} // namespace orvel::app
