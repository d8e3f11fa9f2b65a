#pragma once

#include "link/startup.h"
#include "monitor/tokens.h"

#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace orvel::link {
struct Globals;
class SerialLink;
} // namespace orvel::link

namespace orvel::monitor {
class TrafficMonitor;
}

namespace orvel::ui {

// The main window: the operator's control panel and the owner of the serial
// connection. Its load step is the start-up of the whole program.
class Form1 final : public QWidget, public link::StartUpHost
{
    Q_OBJECT

public:
    Form1(link::Globals &globals, const link::SettingsStore &store, link::SerialLink &link,
          monitor::TrafficMonitor &monitor, QWidget *parent = nullptr);
    ~Form1() override;

    // Runs the start-up sequence; the caller shows the window afterwards.
    link::StartUpResult load();

    // The outer height (title bar and borders included), as the program reads and sets it.
    int outerHeightTwips() const;

    // StartUpHost
    void setOuterHeightTwips(int height) override;
    void applyStartUpTimerIntervals() override;
    QSize screenSizeTwips() const override;
    int outerWidthTwips() const override;
    void setOuterLeftTwips(int left) override;
    void setOuterTopTwips(int top) override;
    void selectKeystoneEntry(int index) override;
    void enableResizeButtons() override;
    void resetReplyAndRepeatState() override;
    void showComPortDialogModal() override;

    quint8 repeatMode() const { return RepeatMode; }

Q_SIGNALS:
    // The port dialog is wanted: modal during start-up, modeless from the COM button.
    void comPortDialogRequested(bool modal);
    // The window has closed, by END or by its own close control: the program ends.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void buildWindow();
    void buildTraffic();
    void buildKeystoneFrame();
    void buildResizeFrame();
    void buildCommandButtons();
    void showLegends(const monitor::Legends &legends);
    void applyOuterHeight();
    int frameExtraHeight() const;

    // Sees every key press in the window before the focused control does.
    void Form_KeyDown(int keyCode, int shift);
    void Command16_Click(); // END
    void Command33_Click(); // COM

    link::Globals &m_globals;
    const link::SettingsStore &m_store;
    link::SerialLink &m_link;
    monitor::TrafficMonitor &m_monitor;

    int m_outerHeightTwips = 0;
    quint8 RepeatMode = 0;

    QLabel *m_txd = nullptr;         // Label11
    QLabel *m_rxd = nullptr;         // Label12
    QLabel *m_status = nullptr;      // Label25
    QLabel *m_legendCr = nullptr;    // Label28
    QLabel *m_legendAck = nullptr;   // Label19
    QLabel *m_legendSpace = nullptr; // Label27
    QComboBox *m_keystone = nullptr; // Combo1
    std::array<QPushButton *, 7> m_resizeButtons{};
};

} // namespace orvel::ui
