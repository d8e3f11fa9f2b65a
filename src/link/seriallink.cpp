#include "link/seriallink.h"

#include "link/globals.h"
#include "link/settingsstore.h"

#include <QFileInfo>
#include <QStringList>

namespace orvel::link {

namespace {

struct ParityCode
{
    QChar code;
    QSerialPort::Parity parity;
};

constexpr ParityCode kParities[] = {
    {u'N', QSerialPort::NoParity},   {u'E', QSerialPort::EvenParity},  {u'O', QSerialPort::OddParity},
    {u'M', QSerialPort::MarkParity}, {u'S', QSerialPort::SpaceParity},
};

struct StopBitsCode
{
    const char *code;
    QSerialPort::StopBits stopBits;
};

constexpr StopBitsCode kStopBits[] = {
    {"1", QSerialPort::OneStop},
    {"1.5", QSerialPort::OneAndHalfStop},
    {"2", QSerialPort::TwoStop},
};

QString describeOpenError(QSerialPort::SerialPortError error, const QString &device)
{
    const QFileInfo info(device);
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("%1: no such device").arg(device);
    case QSerialPort::PermissionError:
        if (info.exists() && !info.isWritable())
            return QStringLiteral(
                       "%1: permission denied (add your user to the dialout group and log in again)")
                .arg(device);
        return QStringLiteral("%1: held by another program").arg(device);
    case QSerialPort::OpenError:
        return QStringLiteral("%1: already open").arg(device);
    default:
        return QStringLiteral("%1: cannot be opened").arg(device);
    }
}

} // namespace

SerialLink::SerialLink(const SettingsStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    // The connection starts out with the line settings it always runs with.
    setSettings(QString::fromLatin1(SerialLink::kLineSettings));
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    connect(&m_port, &QSerialPort::readyRead, this, [this] { Q_EMIT comm(kReceiveEvent); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::handleError);
}

SerialLink::~SerialLink() = default;

bool SerialLink::setSettings(const QString &settings)
{
    const QStringList fields = settings.split(u',');
    if (fields.size() != 4)
        return false;

    bool baudOk = false;
    const int baud = fields[0].trimmed().toInt(&baudOk);
    const QString parityCode = fields[1].trimmed().toUpper();
    bool bitsOk = false;
    const int dataBits = fields[2].trimmed().toInt(&bitsOk);
    const QString stopCode = fields[3].trimmed();

    const ParityCode *parity = nullptr;
    for (const ParityCode &candidate : kParities) {
        if (parityCode.size() == 1 && parityCode[0] == candidate.code)
            parity = &candidate;
    }
    const StopBitsCode *stop = nullptr;
    for (const StopBitsCode &candidate : kStopBits) {
        if (stopCode == QLatin1String(candidate.code))
            stop = &candidate;
    }
    if (!baudOk || baud <= 0 || !parity || !bitsOk || dataBits < 5 || dataBits > 8 || !stop)
        return false;

    m_port.setBaudRate(baud);
    m_port.setParity(parity->parity);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(dataBits));
    m_port.setStopBits(stop->stopBits);
    return true;
}

void SerialLink::setPortNumber(qint16 number)
{
    m_portNumber = number;
}

QString SerialLink::device() const
{
    return isUsablePort(m_portNumber) ? m_store.deviceForPort(m_portNumber) : QString();
}

bool SerialLink::open()
{
    m_openFailure.clear();
    if (m_port.isOpen())
        m_port.close();

    const QString path = device();
    if (path.isEmpty()) {
        m_openFailure = QStringLiteral("COM%1: not a port number from 1 to 15").arg(m_portNumber);
        return false;
    }

    m_port.setPortName(path);
    m_port.clearError();
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_openFailure = describeOpenError(m_port.error(), path);
        m_port.clearError();
        return false;
    }
    m_losing = false;
    m_openDevice = path;
    return true;
}

bool SerialLink::isOpen() const
{
    return m_port.isOpen();
}

void SerialLink::close()
{
    m_losing = false;
    if (m_port.isOpen())
        m_port.close();
}

bool SerialLink::write(const QByteArray &text)
{
    if (!m_port.isOpen() || m_losing)
        return false;
    if (m_port.write(text) != text.size())
        return false;
    // Hand the bytes to the driver now rather than on the next turn of the event loop.
    m_port.flush();
    return true;
}

QByteArray SerialLink::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void SerialLink::handleError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError: // the device vanished
    case QSerialPort::ReadError:     // what a pseudo-terminal reports when its far end closes
    case QSerialPort::WriteError:
        break;
    default:
        return; // open errors are answered by open(); the rest need no action
    }
    if (!m_port.isOpen() || m_losing)
        return;
    // The port keeps reporting the error for as long as it stays open, and it is
    // in the middle of its own read here: close it once, on the next turn of the loop.
    m_losing = true;
    QMetaObject::invokeMethod(this, &SerialLink::closeLostPort, Qt::QueuedConnection);
}

void SerialLink::closeLostPort()
{
    if (!m_losing || !m_port.isOpen())
        return;
    const QString reason = m_port.errorString();
    m_port.close();
    m_port.clearError();
    m_losing = false;
    Q_EMIT portLost(m_openDevice, reason);
}

} // namespace orvel::link
