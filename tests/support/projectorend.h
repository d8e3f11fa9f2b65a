#pragma once

#include <QByteArray>
#include <QString>

namespace orvel::test {

// A pseudo-terminal pair whose master end plays the projector: the program
// opens devicePath() as its serial port, the test reads and writes the far end.
class ProjectorEnd
{
public:
    ProjectorEnd();
    ~ProjectorEnd();
    ProjectorEnd(const ProjectorEnd &) = delete;
    ProjectorEnd &operator=(const ProjectorEnd &) = delete;

    bool isValid() const { return m_master >= 0; }
    // The device the program opens: the pseudo-terminal, or the link made by linkAs().
    QString devicePath() const { return m_link.isEmpty() ? m_path : m_link; }
    // Names the device by a link of its own, as /dev/serial/by-id names an adapter. Once the
    // plug is pulled the link is gone for good, while the freed terminal's name may be reused.
    bool linkAs(const QString &path);
    int fd() const { return m_master; }

    // Waits up to timeoutMs for `count` bytes and returns what arrived.
    QByteArray read(qsizetype count, int timeoutMs = 2000);
    // Whatever arrives within waitMs.
    QByteArray readFor(int waitMs);
    bool write(const QByteArray &bytes);
    // Pulls the plug: the program's side sees its device go away.
    void close();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QString m_link;
};

} // namespace orvel::test
