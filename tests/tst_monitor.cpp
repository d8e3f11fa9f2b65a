#include "link/globals.h"
#include "linkfixture.h"
#include "monitor/trafficmonitor.h"

#include <QSignalSpy>
#include <QTest>

using namespace orvel;
using monitor::TrafficMonitor;

class MonitorTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sendsAQueryAndShowsItsReply();
    void showsAReplyInTwoPiecesWholeEachTime();
    void ignoresNotificationsOtherThanCharactersWaiting();
    void replyWaitTick_data();
    void replyWaitTick();
    void displayClearTick();
    void sendEmptiesALateReply();
    void sendsWhileThePortIsClosed();
    void keepsAnEndlessStreamBounded();
    void retimesTheTimersByRegime();

private:
    void waitForRxd(const QString &text);

    link::Globals m_globals;
    std::unique_ptr<test::LinkOnPty> m_fixture;
    test::ProjectorEnd *m_projector = nullptr;
    link::SerialLink *m_link = nullptr;
    std::unique_ptr<TrafficMonitor> m_monitor;
};

void MonitorTest::init()
{
    m_globals = {};
    m_fixture = std::make_unique<test::LinkOnPty>();
    QVERIFY(m_fixture->projector.isValid());
    m_projector = &m_fixture->projector;
    m_link = &m_fixture->link;
    m_monitor = std::make_unique<TrafficMonitor>(m_globals, *m_link);
    connect(m_link, &link::SerialLink::comm, m_monitor.get(), &TrafficMonitor::MSComm1_OnComm);
    QVERIFY(m_link->open());
    m_monitor->applyTimerRegime(monitor::TimerMoment::StartUp);
}

void MonitorTest::cleanup()
{
    m_monitor.reset();
    m_fixture.reset();
}

void MonitorTest::waitForRxd(const QString &text)
{
    QTRY_COMPARE(m_monitor->rxd(), text);
}

void MonitorTest::sendsAQueryAndShowsItsReply()
{
    m_monitor->sendCommand("POWR????");
    QCOMPARE(m_globals.LastCommand, QByteArray("POWR????\r"));
    QCOMPARE(m_projector->read(9), QByteArray("POWR????\r"));
    QCOMPARE(m_monitor->txd(), QStringLiteral(" P O W R ? ? ? ?  [CR] "));
    QCOMPARE(m_monitor->rxd(), QString());
    QCOMPARE(m_monitor->waitReply(), quint8(1));
    QVERIFY(m_monitor->timer2().isActive());
    QVERIFY(m_monitor->timer4().isActive());
    QCOMPARE(m_monitor->legends(), (monitor::Legends{false, true, false}));

    m_projector->write("   1\r");
    waitForRxd(QStringLiteral(" _ _ _ 1  [CR] "));
    QCOMPARE(m_monitor->rxBuffer(), QByteArray("   1\r"));
    QCOMPARE(m_monitor->waitReply(), quint8(0));
    QCOMPARE(m_monitor->legends(), (monitor::Legends{false, true, true}));
}

void MonitorTest::showsAReplyInTwoPiecesWholeEachTime()
{
    m_monitor->sendCommand("POWR????");
    QSignalSpy rxd(m_monitor.get(), &TrafficMonitor::rxdChanged);
    QVERIFY(rxd.isValid());

    m_projector->write("   ");
    waitForRxd(QStringLiteral(" _ _ _ "));
    m_projector->write("1\r");
    waitForRxd(QStringLiteral(" _ _ _ 1  [CR] "));
    QCOMPARE(m_monitor->rxBuffer(), QByteArray("   1\r"));
    QCOMPARE(rxd.size(), 2);
}

void MonitorTest::ignoresNotificationsOtherThanCharactersWaiting()
{
    m_monitor->sendCommand("POWR????");
    disconnect(m_link, &link::SerialLink::comm, m_monitor.get(), &TrafficMonitor::MSComm1_OnComm);
    m_projector->write("   1\r");
    QTRY_COMPARE(m_link->port().bytesAvailable(), qint64(5));

    for (const int code : {0, 1, 3, 1001}) {
        m_monitor->MSComm1_OnComm(code);
        QCOMPARE(m_monitor->rxBuffer(), QByteArray());
        QCOMPARE(m_monitor->waitReply(), quint8(1));
        QCOMPARE(m_monitor->rxd(), QString());
    }
    m_monitor->MSComm1_OnComm(2);
    QCOMPARE(m_monitor->rxd(), QStringLiteral(" _ _ _ 1  [CR] "));
}

void MonitorTest::replyWaitTick_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("rxdAfterTick");
    QTest::newRow("no reply: the marker") << QByteArray() << QStringLiteral(" X X X X ");
    QTest::newRow("answered: the reply stays") << QByteArray("\x06") << QStringLiteral("  [ACK] ");
}

void MonitorTest::replyWaitTick()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, rxdAfterTick);

    m_monitor->sendCommand("POWR   1");
    if (!reply.isEmpty()) {
        m_projector->write(reply);
        QTRY_COMPARE(m_monitor->rxBuffer(), reply);
    }
    m_monitor->Timer2_Timer();
    QCOMPARE(m_monitor->rxd(), rxdAfterTick);
    QVERIFY(!m_monitor->timer2().isActive());
    QVERIFY(m_monitor->timer4().isActive());
    QCOMPARE(m_monitor->legends(), monitor::Legends{});
    QCOMPARE(m_monitor->rxBuffer(), QByteArray());
    QCOMPARE(m_monitor->waitReply(), quint8(0));
    QCOMPARE(m_monitor->txd(), QStringLiteral(" P O W R _ _ _ 1  [CR] "));
}

void MonitorTest::displayClearTick()
{
    m_monitor->sendCommand("POWR????");
    m_projector->write("   0\r");
    waitForRxd(QStringLiteral(" _ _ _ 0  [CR] "));
    QSignalSpy status(m_monitor.get(), &TrafficMonitor::statusChanged);

    m_monitor->Timer4_Timer();
    QCOMPARE(m_monitor->txd(), QString());
    QCOMPARE(m_monitor->rxd(), QString());
    QCOMPARE(status.size(), 1);
    QCOMPARE(m_monitor->status(), QString());
    QVERIFY(!m_monitor->timer4().isActive());
    QVERIFY(m_monitor->timer2().isActive());
}

void MonitorTest::sendEmptiesALateReply()
{
    m_monitor->sendCommand("POWR????");
    m_monitor->Timer2_Timer(); // nothing came: the marker
    QCOMPARE(m_monitor->rxd(), QStringLiteral(" X X X X "));

    // A reply after the wait ended starts from an empty buffer and replaces the marker.
    m_projector->write("  ");
    waitForRxd(QStringLiteral(" _ _ "));
    // A new send empties it again, so the rest appears at the start of the new buffer.
    m_monitor->sendCommand("POWR????");
    QCOMPARE(m_monitor->rxBuffer(), QByteArray());
    m_projector->write(" 1\r");
    waitForRxd(QStringLiteral(" _ 1  [CR] "));
}

void MonitorTest::sendsWhileThePortIsClosed()
{
    m_link->close();
    m_monitor->sendCommand("POWR????");
    QCOMPARE(m_monitor->txd(), QStringLiteral(" P O W R ? ? ? ?  [CR] "));
    QCOMPARE(m_monitor->waitReply(), quint8(1));
    m_monitor->Timer2_Timer();
    QCOMPARE(m_monitor->rxd(), QStringLiteral(" X X X X "));
    QVERIFY(m_projector->readFor(50).isEmpty());
}

void MonitorTest::keepsAnEndlessStreamBounded()
{
    // An idle line that never stops talking: the buffer fills up to what can be
    // rendered, the rest is drained and counted, and a send starts afresh.
    const QByteArray chunk(4096, 'A');
    qint64 written = 0;
    while (written < 3 * monitor::kRenderLimit) {
        QVERIFY(m_projector->write(chunk));
        written += chunk.size();
        QTest::qWait(1);
    }
    QTRY_COMPARE(m_monitor->rxBuffer().size() + m_monitor->droppedBytes(), written);
    QCOMPARE(m_monitor->rxBuffer().size(), monitor::kRenderLimit);
    QCOMPARE(m_monitor->rxd().size(), 1 + 2 * monitor::kRenderLimit);

    m_monitor->sendCommand("POWR????");
    m_projector->write("   1\r");
    waitForRxd(QStringLiteral(" _ _ _ 1  [CR] "));
}

void MonitorTest::retimesTheTimersByRegime()
{
    using namespace std::chrono_literals;
    link::Globals globals;
    TrafficMonitor fresh(globals, *m_link);
    QCOMPARE(fresh.timer1().intervalAsDuration(), 200ms);
    QCOMPARE(fresh.timer2().intervalAsDuration(), 10000ms);
    QCOMPARE(fresh.timer4().intervalAsDuration(), 10500ms);
    QVERIFY(!fresh.timer1().isActive() && !fresh.timer2().isActive() && !fresh.timer4().isActive());

    fresh.applyTimerRegime(monitor::TimerMoment::VolumePressed);
    fresh.applyTimerRegime(monitor::TimerMoment::VolumeReleased);
    QCOMPARE(fresh.timer1().intervalAsDuration(), 100ms); // a dash: the press's interval stays
    QCOMPARE(fresh.timer2().intervalAsDuration(), 500ms);
    QCOMPARE(fresh.timer4().intervalAsDuration(), 1000ms);

    for (const monitor::TimerRegime &regime : monitor::kTimerRegimes) {
        fresh.applyTimerRegime(regime.moment);
        QVERIFY(fresh.timer2().intervalAsDuration() < fresh.timer4().intervalAsDuration());
    }
}

QTEST_GUILESS_MAIN(MonitorTest)
#include "tst_monitor.moc"
