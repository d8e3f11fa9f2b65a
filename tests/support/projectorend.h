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
    QString devicePath() const { return m_path; }
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
};

} // namespace orvel::test
