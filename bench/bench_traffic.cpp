// Timings of the traffic path: rendering, click to wire and wire to screen,
// on the real widgets (offscreen) and a pseudo-terminal playing the projector.
//
//   build/bench/orvel-bench [rounds]

#include "app/panel.h"
#include "monitor/tokens.h"
#include "projectorend.h"
#include "store.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace orvel;

namespace {

struct Figures
{
    double median;
    double p99;
    double worst;
};

Figures figures(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        return samples[std::min(samples.size() - 1, size_t(q * samples.size()))];
    };
    return {at(0.5), at(0.99), samples.back()};
}

void report(const char *what, const Figures &f, const char *unit)
{
    std::printf("%-44s median %9.3f  p99 %9.3f  worst %9.3f %s\n", what, f.median, f.p99, f.worst, unit);
}

std::vector<double> timeRender(const QByteArray &text, int rounds)
{
    std::vector<double> samples;
    QElapsedTimer clock;
    for (int i = 0; i < rounds; ++i) {
        clock.start();
        const monitor::Rendering r = monitor::renderTokens(text);
        samples.push_back(clock.nsecsElapsed() / 1000.0);
        if (r.text.isEmpty())
            std::abort();
    }
    return samples;
}

} // namespace

int main(int argc, char *argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;

    QByteArray full(monitor::kRenderLimit, '\0');
    for (char &c : full)
        c = char(QRandomGenerator::global()->bounded(256));
    report("render 9-byte frame", figures(timeRender("POWR????\r", rounds * 10)), "us");
    report("render 32767-byte buffer", figures(timeRender(full, std::max(50, rounds / 10))), "us");

    test::TempStore store;
    test::ProjectorEnd projector;
    store.set(QStringLiteral("Ports/COM1"), projector.devicePath());
    store.set(QStringLiteral("StartUP/ComPort"), QStringLiteral("1"));
    app::Panel panel;
    panel.start();
    if (!panel.serialLink().isOpen()) {
        std::fprintf(stderr, "the pseudo-terminal did not open\n");
        return 1;
    }
    ui::Form1 &form = panel.mainWindow();
    auto *button = form.findChild<QPushButton *>(QStringLiteral("Command44"));
    auto *rxd = form.findChild<QLabel *>(QStringLiteral("Label12"));
    const QString answered = QStringLiteral(" _ _ _ 1  [CR] ");

    std::vector<double> clickToWire;
    std::vector<double> wireToScreen;
    QElapsedTimer clock;
    for (int i = 0; i < rounds; ++i) {
        clock.start();
        QTest::mouseClick(button, Qt::LeftButton);
        const QByteArray frame = projector.read(9);
        clickToWire.push_back(clock.nsecsElapsed() / 1e6);
        if (frame != "POWR????\r") {
            std::fprintf(stderr, "round %d: the frame did not arrive whole\n", i);
            return 1;
        }

        projector.write("   1\r");
        clock.start();
        while (rxd->text() != answered)
            QCoreApplication::processEvents();
        wireToScreen.push_back(clock.nsecsElapsed() / 1e6);
    }
    report("click to ninth byte on the wire", figures(clickToWire), "ms");
    report("last reply byte written to RxD showing it", figures(wireToScreen), "ms");

    // The worst notification of an idle line that never stops talking: one
    // more byte after a full buffer, re-rendered and painted.
    std::vector<double> fullRepaint;
    for (int i = 0; i < std::max(20, rounds / 50); ++i) {
        panel.monitor().Timer2_Timer();
        // The pseudo-terminal holds a few kilobytes: feed it as the panel drains it.
        for (qsizetype at = 0; at < monitor::kRenderLimit - 1; at += 1024) {
            projector.write(full.mid(at, std::min<qsizetype>(1024, monitor::kRenderLimit - 1 - at)));
            QCoreApplication::processEvents();
        }
        while (panel.monitor().rxBuffer().size() < monitor::kRenderLimit - 1)
            QCoreApplication::processEvents();
        projector.write("A");
        clock.start();
        while (panel.monitor().rxBuffer().size() < monitor::kRenderLimit)
            QCoreApplication::processEvents();
        rxd->repaint();
        fullRepaint.push_back(clock.nsecsElapsed() / 1e6);
    }
    report("full buffer: last byte to RxD painted", figures(fullRepaint), "ms");
    return 0;
}
