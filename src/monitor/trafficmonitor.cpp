#include "monitor/trafficmonitor.h"

#include "link/globals.h"
#include "link/seriallink.h"
#include "protocol/frame.h"

namespace orvel::monitor {

TrafficMonitor::TrafficMonitor(link::Globals &globals, link::SerialLink &link, QObject *parent)
    : QObject(parent), m_globals(globals), m_link(link)
{
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer4.setObjectName(QStringLiteral("Timer4"));
    applyTimerRegime(TimerMoment::WindowDefinition);
    connect(&m_timer2, &QTimer::timeout, this, &TrafficMonitor::Timer2_Timer);
    connect(&m_timer4, &QTimer::timeout, this, &TrafficMonitor::Timer4_Timer);
}

void TrafficMonitor::Hyouji(const QByteArray &text, Mode mode)
{
    if (mode == Mode::Send) {
        // A write to a closed port goes nowhere; the displays and the reply wait run as for any send.
        m_link.write(text);
        setRxd(QString());
        RxBuffer.clear();
        const Rendering rendering = renderTokens(text);
        revealLegends(rendering.legends);
        setTxd(rendering.text);
        m_timer2.start();
        WaitReply = 1;
        m_timer4.start();
        return;
    }

    const Rendering rendering = renderTokens(text);
    revealLegends(rendering.legends);
    setRxd(rendering.text);
}

void TrafficMonitor::sendCommand(const QByteArray &command)
{
    const std::string frame = protocol::makeFrame(std::string_view(command.constData(), command.size()));
    m_globals.LastCommand = QByteArray(frame.data(), qsizetype(frame.size()));
    Hyouji(m_globals.LastCommand, Mode::Send);
}

void TrafficMonitor::MSComm1_OnComm(int eventCode)
{
    if (eventCode != link::SerialLink::kReceiveEvent)
        return;

    // Always drain the port. A line that never stops talking fills RxBuffer up to
    // what can be rendered; the rest is counted and dropped until a send or the
    // reply wait empties the buffer, so memory and the work per notification stay bounded.
    const QByteArray arrived = m_link.readAll();
    const qsizetype room = kRenderLimit - RxBuffer.size();
    const qsizetype taken = std::min(room, arrived.size());
    m_droppedBytes += arrived.size() - taken;
    WaitReply = 0;
    if (taken == 0 && !arrived.isEmpty())
        return; // the buffer was full: nothing shown would change
    RxBuffer.append(arrived.constData(), taken);
    Hyouji(RxBuffer, Mode::Received);
}

void TrafficMonitor::Timer2_Timer()
{
    if (WaitReply == 1)
        setRxd(QString::fromLatin1(kNoReplyMarker));
    m_timer2.stop();
    if (m_legends != Legends{}) {
        m_legends = Legends{};
        Q_EMIT legendsChanged(m_legends);
    }
    RxBuffer.clear();
    WaitReply = 0;
}

void TrafficMonitor::Timer4_Timer()
{
    setTxd(QString());
    setRxd(QString());
    setStatus(QString());
    m_timer4.stop();
}

void TrafficMonitor::applyTimerRegime(TimerMoment moment)
{
    const TimerRegime &regime = timerRegime(moment);
    if (regime.timer1)
        m_timer1.setInterval(*regime.timer1);
    if (regime.timer2)
        m_timer2.setInterval(*regime.timer2);
    if (regime.timer4)
        m_timer4.setInterval(*regime.timer4);
}

void TrafficMonitor::resetReplyState()
{
    WaitReply = 0;
    RxBuffer.clear();
}

void TrafficMonitor::setTxd(const QString &text)
{
    m_txd = text;
    Q_EMIT txdChanged(m_txd);
}

void TrafficMonitor::setRxd(const QString &text)
{
    m_rxd = text;
    Q_EMIT rxdChanged(m_rxd);
}

void TrafficMonitor::setStatus(const QString &text)
{
    m_status = text;
    Q_EMIT statusChanged(m_status);
}

void TrafficMonitor::revealLegends(const Legends &revealed)
{
    const Legends before = m_legends;
    m_legends |= revealed;
    if (m_legends != before)
        Q_EMIT legendsChanged(m_legends);
}

} // namespace orvel::monitor
