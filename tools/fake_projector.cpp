// A stand-in projector on a pseudo-terminal, for trying the panel without hardware.
//
//   build/tools/orvel-fake-projector [port number]
//
// It opens a pseudo-terminal, records its device as that port number (default 1)
// in the panel's settings store, section "Ports", and answers each frame it
// receives until it is stopped with Ctrl+C.

#include <QCoreApplication>
#include <QSettings>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

struct Answer
{
    const char *command;
    const char *reply; // the value field; the CR follows
};

// Queries answer with a value; every other frame with ACK.
constexpr Answer kAnswers[] = {
    {"POWR????", "   1"}, {"TABN   1", "   0"}, {"TLPS   1", "   0"}, {"TPOW   1", "   1"},
    {"TLPN   1", "   1"}, {"TLTT   1", "1234"}, {"TLTM   1", "  56"}, {"TLTL   1", "  85"},
    {"IRGB????", "   1"}, {"IVED????", "   2"}, {"IMOD????", "   1"}, {"ICHK????", "   1"},
};

volatile std::sig_atomic_t stopping = 0;

std::string replyTo(const std::string &command)
{
    for (const Answer &answer : kAnswers) {
        if (command == answer.command)
            return std::string(answer.reply) + '\r';
    }
    return "\x06";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int port = argc > 1 ? std::atoi(argv[1]) : 1;
    if (port < 1 || port > 15) {
        std::fprintf(stderr, "usage: %s [port number 1 to 15]\n", argv[0]);
        return 2;
    }

    int master = -1;
    int slave = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }

    QSettings settings(QStringLiteral("ORVEL"), QStringLiteral("ORVEL"));
    settings.setValue(QStringLiteral("Ports/COM%1").arg(port), QString::fromLocal8Bit(name));
    settings.sync();
    std::printf("projector on %s, stored as COM%d in %s\n", name, port, qPrintable(settings.fileName()));
    std::fflush(stdout);

    std::signal(SIGINT, [](int) { stopping = 1; });
    std::signal(SIGTERM, [](int) { stopping = 1; });

    std::string pending;
    while (!stopping) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char chunk[256];
        const ssize_t n = read(master, chunk, sizeof chunk);
        if (n <= 0)
            continue; // nobody has the port open yet
        pending.append(chunk, size_t(n));
        for (std::size_t cr; (cr = pending.find('\r')) != std::string::npos;) {
            const std::string command = pending.substr(0, cr);
            pending.erase(0, cr + 1);
            const std::string reply = replyTo(command);
            std::printf("<- %s\n", command.c_str());
            std::fflush(stdout);
            if (write(master, reply.data(), reply.size()) < 0)
                std::perror("write");
        }
    }
    close(slave);
    close(master);
    return 0;
}
