#include "projectorend.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace orvel::test {

ProjectorEnd::ProjectorEnd()
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_path = QString::fromLocal8Bit(name);
}

ProjectorEnd::~ProjectorEnd()
{
    close();
}

QByteArray ProjectorEnd::read(qsizetype count, int timeoutMs)
{
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (m_master >= 0 && bytes.size() < count) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            break;
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, int(left)) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n > 0)
            bytes.append(chunk, n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
    }
    return bytes;
}

QByteArray ProjectorEnd::readFor(int waitMs)
{
    return read(1 << 30, waitMs);
}

bool ProjectorEnd::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{m_master, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else if (errno != EINTR) {
            return false;
        }
    }
    return done == bytes.size();
}

bool ProjectorEnd::linkAs(const QString &path)
{
    if (!QFile::link(m_path, path))
        return false;
    m_link = path;
    return true;
}

void ProjectorEnd::close()
{
    if (!m_link.isEmpty())
        QFile::remove(m_link);
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_master = m_slave = -1;
}

} // namespace orvel::test
