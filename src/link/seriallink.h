#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

namespace orvel::link {

class SettingsStore;

// The one serial connection to the projector (the main window's MSComm1).
// Bytes go out and come in untranslated; the receive notification says
// "characters waiting" with event code 2 as soon as one has arrived.
class SerialLink final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kReceiveEvent = 2;
    // The only line settings the port ever runs with: 9600 baud, no parity, 8 data bits, 1 stop bit.
    static constexpr auto kLineSettings = "9600,N,8,1";

    explicit SerialLink(const SettingsStore &store, QObject *parent = nullptr);
    ~SerialLink() override;

    // "9600,N,8,1": baud rate, parity (N, E, O, M, S), data bits, stop bits (1, 1.5, 2).
    bool setSettings(const QString &settings);
    void setPortNumber(qint16 number);
    qint16 portNumber() const { return m_portNumber; }
    QString device() const;

    // True when the port is open afterwards; otherwise it is closed and
    // openFailure() says why in words a technician can act on.
    bool open();
    QString openFailure() const { return m_openFailure; }
    bool isOpen() const;
    void close();

    // Writes the text unchanged and pushes it to the line at once. Writing to a
    // closed port does nothing and returns false.
    bool write(const QByteArray &text);
    // Every character waiting now, in arrival order.
    QByteArray readAll();

    QSerialPort &port() { return m_port; }

Q_SIGNALS:
    void comm(int eventCode);
    // The open port went away (adapter pulled, far end closed); it has been closed.
    void portLost(const QString &device, const QString &reason);

private:
    void handleError(QSerialPort::SerialPortError error);
    void closeLostPort();

    const SettingsStore &m_store;
    QSerialPort m_port;
    qint16 m_portNumber = 0;
    QString m_openFailure;
    QString m_openDevice;
    bool m_losing = false;
};

} // namespace orvel::link
