#include "ui/main/form1.h"

#include "link/globals.h"
#include "link/seriallink.h"
#include "monitor/trafficmonitor.h"
#include "protocol/keystone.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace orvel::ui {

namespace {

constexpr auto kCaption = "ORVEL  ORV-5600  Ver.2.0";
// The client area as designed, and where it sits on the screen until start-up places the window.
constexpr TwipsRect kDesignClientArea = {2040, 630, 10725, 7485};
// Ctrl+H switches between the views by the window's outer height.
constexpr int kFullOuterHeightTwips = 7515;
constexpr int kViewThresholdTwips = 7000;

// Buttons that send one fixed frame each.
struct DirectCommand
{
    const char *name;
    const char *caption;
    const char *command; // the eight characters; the frame adds the CR
    TwipsRect place;
    unsigned int colour;
    FontSize font;
};

constexpr DirectCommand kDirectCommands[] = {
    {"Command44", "Power Status", "POWR????", {4200, 4680, 1980, 346}, kLightCyan, FontSize::Pt9_75},
};

// The resize buttons of Frame6, in the order in which start-up enables them.
struct ResizeButton
{
    const char *name;
    const char *caption;
    TwipsRect place; // within Frame6
};

constexpr ResizeButton kResizeButtons[] = {
    {"Command23", "Normal", {60, 1340, 1000, 300}},      {"Command5", "Stretch", {1140, 1340, 1000, 300}},
    {"Command7", "Dot By Dot", {2220, 1340, 1200, 300}}, {"Command8", "Full", {60, 1750, 1000, 300}},
    {"Command14", "Border", {1140, 1750, 1000, 300}},    {"Command15", "Area Zoom", {2220, 1750, 1200, 300}},
    {"Command19", "V-Stretch", {60, 2160, 1000, 300}},
};

struct LegendLabel
{
    const char *name;
    const char *text;
    TwipsRect place;
};

constexpr LegendLabel kLegendCr = {"Label28", "[CR] :Carriage Return Code (0x0D)", {120, 5705, 3495, 255}};
constexpr LegendLabel kLegendAck = {"Label19", "[ACK]:ACKnowledge Code (0x06)", {120, 5880, 3495, 255}};
constexpr LegendLabel kLegendSpace = {"Label27", "_ :Space Code (0x20)", {120, 6100, 2295, 255}};

QFrame *makeFrame(QWidget *parent, const char *name, const TwipsRect &place)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(toPixels(place));
    setBackground(frame, frame->palette().color(QPalette::Button));
    return frame;
}

QLabel *makeLabel(QWidget *parent, const char *name, const char *text, const TwipsRect &place,
                  const QFont &font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(toPixels(place));
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

// A white display with a single border, for traffic and status texts that come off the line.
QLabel *makeDisplay(QWidget *parent, const char *name, const TwipsRect &place, const QFont &font)
{
    QLabel *display = makeLabel(parent, name, "", place, font, Qt::AlignLeft | Qt::AlignVCenter);
    display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackground(display, fromBgr(kWhite));
    return display;
}

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, const TwipsRect &place,
                        const QFont &font)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(toPixels(place));
    button->setFont(font);
    button->setAutoDefault(false);
    return button;
}

} // namespace

Form1::Form1(link::Globals &globals, const link::SettingsStore &store, link::SerialLink &link,
             monitor::TrafficMonitor &monitor, QWidget *parent)
    : QWidget(parent, Qt::Window), m_globals(globals), m_store(store), m_link(link), m_monitor(monitor)
{
    buildWindow();
    buildResizeFrame();
    buildKeystoneFrame();
    buildTraffic();
    buildCommandButtons();

    // Key preview: the window sees each key press ahead of its focused control.
    qApp->installEventFilter(this);

    // The receive notification of MSComm1 runs the receive path of the traffic monitor.
    connect(&m_link, &link::SerialLink::comm, &m_monitor, &monitor::TrafficMonitor::MSComm1_OnComm);
}

Form1::~Form1() = default;

void Form1::buildWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(panelIcon());
    setFont(gothic(FontSize::Pt7_5, false));
    setBackground(this, fromBgr(kSilver));
    setForeground(this, Qt::black);
    const QRect client = toPixels(kDesignClientArea);
    setGeometry(client);
    setFixedSize(client.size());
}

void Form1::buildResizeFrame()
{
    QFrame *frame = makeFrame(this, "Frame6", {1440, 1680, 3520, 2655});
    const QFont font = gothic(FontSize::Pt9, true);
    makeLabel(frame, "Label7", "Resize", {1320, 120, 975, 255}, font, Qt::AlignHCenter);
    for (std::size_t i = 0; i < std::size(kResizeButtons); ++i) {
        const ResizeButton &row = kResizeButtons[i];
        m_resizeButtons[i] = makeButton(frame, row.name, row.caption, row.place, font);
        setBackground(m_resizeButtons[i], fromBgr(kTeal));
    }
}

void Form1::buildKeystoneFrame()
{
    QFrame *frame = makeFrame(this, "Frame10", {5040, 3350, 3705, 960});
    makeLabel(frame, "Label13", "KEYSTONE", {120, 120, 1500, 255}, gothic(FontSize::Pt9, true));
    m_keystone = new QComboBox(frame);
    m_keystone->setObjectName(QStringLiteral("Combo1"));
    m_keystone->setEditable(true);
    m_keystone->setFont(gothic(FontSize::Pt9_75, true));
    m_keystone->setGeometry(toPixels({120, 450, 1215, 330}));
    for (int i = 0; i < protocol::kKeystoneEntryCount; ++i)
        m_keystone->addItem(QString::fromStdString(protocol::keystoneEntry(i)));
    m_keystone->setCurrentIndex(-1);
}

void Form1::buildTraffic()
{
    const QFont captionFont = gothic(FontSize::Pt9_75, true);
    const QFont trafficFont = gothic(FontSize::Pt12, true);

    QFrame *frame9 = makeFrame(this, "Frame9", {120, 4700, 3855, 948});
    makeLabel(frame9, "Label9", "TxD", {120, 240, 435, 255}, captionFont, Qt::AlignRight | Qt::AlignTop);
    makeLabel(frame9, "Label10", "RxD", {120, 612, 435, 255}, captionFont, Qt::AlignRight | Qt::AlignTop);
    m_txd = makeDisplay(frame9, "Label11", {600, 195, 3135, 300}, trafficFont);
    m_rxd = makeDisplay(frame9, "Label12", {585, 555, 3135, 300}, trafficFont);

    const auto makeLegend = [&](const LegendLabel &row) {
        QLabel *legend = makeLabel(this, row.name, row.text, row.place, captionFont);
        setForeground(legend, fromBgr(kRed));
        legend->hide();
        return legend;
    };
    m_legendCr = makeLegend(kLegendCr);
    m_legendAck = makeLegend(kLegendAck);
    m_legendSpace = makeLegend(kLegendSpace);

    QFrame *frame15 = makeFrame(this, "Frame15", {120, 6450, 5745, 560});
    makeLabel(frame15, "Label26", "STATUS", {120, 210, 855, 180}, captionFont);
    m_status = makeDisplay(frame15, "Label25", {1020, 135, 4590, 285}, gothic(FontSize::Pt10_5, true));
    setForeground(m_status, fromBgr(kRed));

    connect(&m_monitor, &monitor::TrafficMonitor::txdChanged, m_txd, &QLabel::setText);
    connect(&m_monitor, &monitor::TrafficMonitor::rxdChanged, m_rxd, &QLabel::setText);
    connect(&m_monitor, &monitor::TrafficMonitor::statusChanged, m_status, &QLabel::setText);
    connect(&m_monitor, &monitor::TrafficMonitor::legendsChanged, this, &Form1::showLegends);
}

void Form1::buildCommandButtons()
{
    for (const DirectCommand &row : kDirectCommands) {
        QPushButton *button = makeButton(this, row.name, row.caption, row.place, gothic(row.font, true));
        setBackground(button, fromBgr(row.colour));
        const QByteArray command(row.command);
        connect(button, &QPushButton::clicked, this, [this, command] { m_monitor.sendCommand(command); });
    }

    QPushButton *end =
        makeButton(this, "Command16", "END", {9000, 3840, 1500, 375}, gothic(FontSize::Pt12, true));
    connect(end, &QPushButton::clicked, this, &Form1::Command16_Click);
    QPushButton *com =
        makeButton(this, "Command33", "COM", {6000, 6600, 1850, 375}, gothic(FontSize::Pt9_75, true));
    connect(com, &QPushButton::clicked, this, &Form1::Command33_Click);
}

link::StartUpResult Form1::load()
{
    // The window exists before its load step runs, so its frame is known where the platform can tell.
    winId();
    return link::runStartUp(*this, m_globals, m_store, m_link);
}

void Form1::showLegends(const monitor::Legends &legends)
{
    m_legendAck->setVisible(legends.ack);
    m_legendCr->setVisible(legends.cr);
    m_legendSpace->setVisible(legends.space);
}

// The title bar and borders are known only once the window system has framed
// the window, so the client height is worked out again whenever they may have changed.
int Form1::frameExtraHeight() const
{
    return frameGeometry().height() - geometry().height();
}

void Form1::applyOuterHeight()
{
    if (m_outerHeightTwips <= 0)
        return;
    const int client = std::max(1, px(m_outerHeightTwips) - frameExtraHeight());
    if (height() != client)
        setFixedHeight(client);
}

int Form1::outerHeightTwips() const
{
    const int outer = frameGeometry().height();
    return px(m_outerHeightTwips) == outer ? m_outerHeightTwips : twips(outer);
}

void Form1::setOuterHeightTwips(int height)
{
    m_outerHeightTwips = height;
    applyOuterHeight();
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applyOuterHeight();
}

void Form1::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    applyOuterHeight();
}

void Form1::applyStartUpTimerIntervals()
{
    m_monitor.applyTimerRegime(monitor::TimerMoment::StartUp);
}

QSize Form1::screenSizeTwips() const
{
    const QScreen *screen = this->screen();
    const QSize size = screen ? screen->geometry().size() : QSize();
    return {twips(size.width()), twips(size.height())};
}

int Form1::outerWidthTwips() const
{
    return twips(frameGeometry().width());
}

void Form1::setOuterLeftTwips(int left)
{
    move(px(left), pos().y());
}

void Form1::setOuterTopTwips(int top)
{
    move(pos().x(), px(top));
}

void Form1::selectKeystoneEntry(int index)
{
    m_keystone->setCurrentIndex(index);
}

void Form1::enableResizeButtons()
{
    for (QPushButton *button : m_resizeButtons)
        button->setEnabled(true);
}

void Form1::resetReplyAndRepeatState()
{
    RepeatMode = 0;
    m_monitor.resetReplyState();
}

void Form1::showComPortDialogModal()
{
    Q_EMIT comPortDialogRequested(true);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Never refused, nothing asked, nothing stored.
    if (m_link.isOpen())
        m_link.close();
    event->accept();
    Q_EMIT closed();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // A key press reaches the focused control first and then, unhandled, its
    // parents: take it once, as the focused control (or the window itself) gets it.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        QWidget *focus = QApplication::focusWidget();
        const QWidget *first = focus && focus->window() == this ? focus : this;
        if (watched == first) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const Qt::KeyboardModifiers m = key->modifiers();
            const int shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                              (m & Qt::AltModifier ? 4 : 0);
            Form_KeyDown(key->key(), shift);
        }
    }
    return QWidget::eventFilter(watched, event); // the press goes on to the focused control
}

void Form1::Form_KeyDown(int keyCode, int shift)
{
    constexpr int kKeyH = 72;
    constexpr int kCtrl = 2;
    if ((shift & 7) != kCtrl || keyCode != kKeyH)
        return;
    setOuterHeightTwips(outerHeightTwips() < kViewThresholdTwips ? kFullOuterHeightTwips
                                                                 : link::kCompactOuterHeightTwips);
}

void Form1::Command16_Click()
{
    close();
}

void Form1::Command33_Click()
{
    if (m_link.isOpen())
        m_link.close();
    m_globals.ComPortBackup = m_globals.ComPortNo;
    Q_EMIT comPortDialogRequested(false);
}

} // namespace orvel::ui
