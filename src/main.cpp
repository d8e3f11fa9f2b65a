#include "app/panel.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display the toolkit would abort with a backtrace; say what to do instead.
bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "orvel-panel: no display (DISPLAY is not set); run it on a desktop, "
                             "or in a virtual one with: xvfb-run ./run\n");
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ORVEL"));
    QApplication::setApplicationName(QStringLiteral("ORVEL"));
    // Buttons are drawn in colours of their own; Fusion honours them on every platform.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    orvel::app::Panel panel;
    panel.start();
    return application.exec();
}
