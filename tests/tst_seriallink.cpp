#include "linkfixture.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

#include <termios.h>
#include <time.h>

using namespace orvel;

namespace {

qint64 processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

} // namespace

class SerialLinkTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensWithTheLineSettings();
    void passesEveryByteUntranslated();
    void notifiesForASingleCharacter();
    void failsToOpen_data();
    void failsToOpen();
    void closesAVanishedPortOnceAndGoesIdle();
    void writeWhileClosedIsHarmless();

private:
    std::unique_ptr<test::LinkOnPty> m_fixture;
    test::TempStore *m_temp = nullptr;
    test::ProjectorEnd *m_projector = nullptr;
    link::SerialLink *m_link = nullptr;
};

void SerialLinkTest::init()
{
    m_fixture = std::make_unique<test::LinkOnPty>();
    QVERIFY(m_fixture->projector.isValid());
    m_temp = &m_fixture->temp;
    m_projector = &m_fixture->projector;
    m_link = &m_fixture->link;
}

void SerialLinkTest::cleanup()
{
    m_fixture.reset();
}

void SerialLinkTest::opensWithTheLineSettings()
{
    QVERIFY(m_link->setSettings(QStringLiteral("9600,N,8,1")));
    QVERIFY(m_link->open());
    QVERIFY(m_link->isOpen());
    QCOMPARE(m_link->device(), m_projector->devicePath());

    // Both ends of a pseudo-terminal share the line settings the program chose.
    termios line{};
    QCOMPARE(tcgetattr(m_projector->fd(), &line), 0);
    QCOMPARE(cfgetospeed(&line), speed_t(B9600));
    QCOMPARE(line.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    QCOMPARE(line.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR), tcflag_t(0));
    QCOMPARE(line.c_oflag & OPOST, tcflag_t(0));

    m_link->close();
    QVERIFY(!m_link->isOpen());
}

void SerialLinkTest::passesEveryByteUntranslated()
{
    QVERIFY(m_link->open());
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);

    QVERIFY(m_link->write(all));
    QCOMPARE(m_projector->read(all.size()), all);

    QByteArray received;
    connect(m_link, &link::SerialLink::comm, this, [&](int code) {
        if (code == link::SerialLink::kReceiveEvent)
            received += m_link->readAll();
    });
    QVERIFY(m_projector->write(all));
    QTRY_COMPARE(received, all);
}

void SerialLinkTest::notifiesForASingleCharacter()
{
    QVERIFY(m_link->open());
    QSignalSpy comm(m_link, &link::SerialLink::comm);
    QVERIFY(comm.isValid());
    QVERIFY(m_projector->write(QByteArray("\x06")));
    QTRY_VERIFY(!comm.isEmpty());
    QCOMPARE(comm.first().first().toInt(), 2);
    QCOMPARE(m_link->readAll(), QByteArray("\x06"));
}

void SerialLinkTest::failsToOpen_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("holdIt");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no such device") << 2 << "/dev/orvel-no-such-device" << false << "no such device";
    QTest::newRow("held by another program") << 1 << QString() << true << "held by another program";
    QTest::newRow("number 0") << 0 << QString() << false << "not a port number";
    QTest::newRow("number 16") << 16 << QString() << false << "not a port number";
}

void SerialLinkTest::failsToOpen()
{
    QFETCH(int, number);
    QFETCH(QString, device);
    QFETCH(bool, holdIt);
    QFETCH(QString, reason);

    if (!device.isEmpty())
        m_temp->set(QStringLiteral("Ports/COM%1").arg(number), device);
    QSerialPort other(m_projector->devicePath());
    if (holdIt)
        QVERIFY(other.open(QIODevice::ReadWrite));

    m_link->setPortNumber(qint16(number));
    QVERIFY(!m_link->open());
    QVERIFY(!m_link->isOpen());
    QVERIFY2(m_link->openFailure().contains(reason), qPrintable(m_link->openFailure()));
}

void SerialLinkTest::closesAVanishedPortOnceAndGoesIdle()
{
    QVERIFY(m_link->open());
    QSignalSpy lost(m_link, &link::SerialLink::portLost);
    QVERIFY(lost.isValid());

    m_projector->close();
    QTRY_COMPARE(lost.size(), 1);
    QVERIFY(!m_link->isOpen());
    QCOMPARE(lost.first().first().toString(), m_link->device());

    // A port left open would report its error in a tight loop; closed, the program idles.
    const qint64 before = processCpuMs();
    QTest::qWait(500);
    const qint64 used = processCpuMs() - before;
    QVERIFY2(used < 100, qPrintable(QStringLiteral("%1 ms of CPU in 500 ms after the loss").arg(used)));
    QCOMPARE(lost.size(), 1);
}

void SerialLinkTest::writeWhileClosedIsHarmless()
{
    QVERIFY(!m_link->isOpen());
    QVERIFY(!m_link->write(QByteArray("POWR????\r")));
    QVERIFY(m_link->readAll().isEmpty());
    m_link->close();
    QVERIFY(!m_link->isOpen());
}

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "tst_seriallink.moc"
