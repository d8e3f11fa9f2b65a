#pragma once

#include "monitor/timerregimes.h"
#include "monitor/tokens.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

namespace orvel::link {
struct Globals;
class SerialLink;
} // namespace orvel::link

namespace orvel::monitor {

// The traffic monitor of the main window: Hyouji, which sends frames and shows
// what goes out and comes in, the reply cycle (RxBuffer, WaitReply, Timer2,
// Timer4) and the display texts and legends that the window shows.
class TrafficMonitor final : public QObject
{
    Q_OBJECT

public:
    enum class Mode : quint8
    {
        Send = 1,
        Received = 2,
    };

    TrafficMonitor(link::Globals &globals, link::SerialLink &link, QObject *parent = nullptr);

    // Send mode writes the text to the port and starts the reply wait; received
    // mode shows the text (always the whole RxBuffer) in RxD.
    void Hyouji(const QByteArray &text, Mode mode);
    // A main-window sender: the command and one CR become LastCommand, which is sent.
    void sendCommand(const QByteArray &command);

    // The receive path, for every notification of the serial link.
    void MSComm1_OnComm(int eventCode);
    void Timer2_Timer(); // reply wait
    void Timer4_Timer(); // display clear

    void applyTimerRegime(TimerMoment moment);
    void resetReplyState();

    const QByteArray &rxBuffer() const { return RxBuffer; }
    quint8 waitReply() const { return WaitReply; }
    // Bytes that arrived while RxBuffer already held all that can be rendered.
    qint64 droppedBytes() const { return m_droppedBytes; }

    const QString &txd() const { return m_txd; }
    const QString &rxd() const { return m_rxd; }
    const QString &status() const { return m_status; }
    const Legends &legends() const { return m_legends; }

    QTimer &timer1() { return m_timer1; }
    QTimer &timer2() { return m_timer2; }
    QTimer &timer4() { return m_timer4; }

Q_SIGNALS:
    void txdChanged(const QString &text);    // Label11
    void rxdChanged(const QString &text);    // Label12
    void statusChanged(const QString &text); // Label25
    void legendsChanged(const orvel::monitor::Legends &legends);

private:
    void setTxd(const QString &text);
    void setRxd(const QString &text);
    void setStatus(const QString &text);
    void revealLegends(const Legends &revealed);

    link::Globals &m_globals;
    link::SerialLink &m_link;

    QByteArray RxBuffer;
    quint8 WaitReply = 0;
    qint64 m_droppedBytes = 0;

    QString m_txd;
    QString m_rxd;
    QString m_status;
    Legends m_legends;

    QTimer m_timer1;
    QTimer m_timer2;
    QTimer m_timer4;
};

} // namespace orvel::monitor
