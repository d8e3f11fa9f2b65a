#include "ui/comport/form2.h"

#include "link/globals.h"
#include "link/seriallink.h"
#include "link/settingsstore.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace orvel::ui {

namespace {

constexpr auto kCaption = "  COM PORT";
constexpr auto kText1Hint = "Type a port number from 1 to 15";
constexpr TwipsRect kDesignClientArea = {6930, 4725, 3105, 3150};

struct PortOption
{
    const char *name;
    const char *caption;
    qint16 number;
    TwipsRect place; // within Frame2
};

constexpr PortOption kPortOptions[] = {
    {"Option3", "COM1", 1, {180, 180, 1155, 315}},  {"Option4", "COM2", 2, {180, 540, 1095, 255}},
    {"Option5", "COM3", 3, {180, 900, 975, 255}},   {"Option6", "COM4", 4, {180, 1260, 1215, 255}},
    {"Option7", "COM5", 5, {180, 1620, 1335, 255}},
};

// Any whole number that Text1 holds, or -1 when it holds something else.
// Numbers above 255 read as 256: they fall outside the ports all the same.
int wholeNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return -1;
    for (const QChar c : trimmed) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    qsizetype first = 0;
    while (first < trimmed.size() - 1 && trimmed[first] == u'0')
        ++first;
    if (trimmed.size() - first > 3)
        return 256;
    return std::min(256, trimmed.mid(first).toInt());
}

} // namespace

Form2::Form2(link::Globals &globals, link::SerialLink &link, link::SettingsStore &store, QWidget *parent)
    : QDialog(parent), m_globals(globals), m_link(link), m_store(store)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const QRect client = toPixels(kDesignClientArea);
    setGeometry(client);
    setFixedSize(client.size());

    auto *frame = new QGroupBox(QStringLiteral("Com Port"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setGeometry(toPixels({360, 240, 1455, 2535}));
    // The caption sits on the frame's top line, clear of the first option, which lies 180 twips down.
    frame->setStyleSheet(
        QStringLiteral("QGroupBox#Frame2 { border: 1px solid palette(mid); margin-top: 6px; }"
                       "QGroupBox#Frame2::title { subcontrol-origin: margin; left: 6px;"
                       " padding: 0 2px; }"));

    auto *group = new QButtonGroup(this);
    for (std::size_t i = 0; i < std::size(kPortOptions); ++i) {
        const PortOption &row = kPortOptions[i];
        auto *option = new QRadioButton(QString::fromLatin1(row.caption), frame);
        option->setObjectName(QString::fromLatin1(row.name));
        option->setGeometry(toPixels(row.place));
        option->setToolTip(deviceHint(row.number));
        group->addButton(option);
        connect(option, &QRadioButton::clicked, this, [this, number = row.number] { Option_Click(number); });
        m_options[i] = option;
    }

    m_text1 = new QLineEdit(QStringLiteral("0"), frame);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_text1->setGeometry(toPixels({180, 2040, 375, 270}));
    m_text1->setToolTip(QString::fromLatin1(kText1Hint));
    connect(m_text1, &QLineEdit::textChanged, this, &Form2::Text1_Change);

    auto *label1 = new QLabel(QStringLiteral("OTHER"), frame);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(toPixels({600, 2100, 615, 255}));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(toPixels({2040, 360, 735, 615}));
    connect(ok, &QPushButton::clicked, this, &Form2::Command1_Click);

    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(toPixels({2040, 1320, 735, 615}));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &Form2::Command2_Click);

    m_retry = new QMessageBox(QMessageBox::Warning, QStringLiteral("Error"), QStringLiteral("Retry Comport"),
                              QMessageBox::Ok, this);
    m_retry->setObjectName(QStringLiteral("RetryComport"));
    m_retry->setWindowModality(Qt::ApplicationModal);

    load();
}

Form2::~Form2() = default;

QString Form2::deviceHint(int number) const
{
    return QStringLiteral("COM%1 opens %2").arg(number).arg(m_store.deviceForPort(number));
}

void Form2::load()
{
    // 1. Mark the option of the port in force, if it has one.
    for (std::size_t i = 0; i < std::size(kPortOptions); ++i) {
        if (kPortOptions[i].number == m_globals.ComPortNo)
            m_options[i]->setChecked(true);
    }
    // 2. The "0" highlighted, so the first key typed replaces it.
    m_text1->setFocus();
    m_text1->setSelection(0, 1);
}

void Form2::Option_Click(int number)
{
    m_globals.ComPortNo = static_cast<qint16>(number);
}

void Form2::Text1_Change()
{
    const int number = wholeNumber(m_text1->text());
    if (number < 0) {
        // Not a whole number (an emptied box, letters, a sign, a fraction): left as
        // typed, so the operator can go on editing; the port in force stays.
        m_text1->setToolTip(QString::fromLatin1(kText1Hint));
        return;
    }
    if (link::isUsablePort(number)) {
        m_globals.ComPortNo = static_cast<qint16>(number);
        m_text1->setToolTip(deviceHint(number));
        return;
    }
    // 0, and every number above 15: back to "0", highlighted for the next key.
    // The reset comes back here as a change reading 0, which finds "0" and stops.
    if (m_text1->text() != u"0") {
        m_text1->setText(QStringLiteral("0"));
        m_text1->selectAll();
    }
}

bool Form2::openPort(const QString &whyNot)
{
    if (!link::isUsablePort(m_globals.ComPortNo)) {
        showRetry(whyNot);
        return false;
    }
    m_link.setPortNumber(m_globals.ComPortNo);
    if (!m_link.open()) {
        showRetry(m_link.openFailure());
        return false;
    }
    return true;
}

void Form2::Command1_Click()
{
    if (!openPort(QStringLiteral("Choose COM1 to COM5, or type a port number from 1 to 15.")))
        return;
    // Stored only now that the port has opened; a store that cannot be written
    // costs the next start its dialog, not this session its port.
    m_store.storePortNumber(m_globals.ComPortNo);
    accept();
    Q_EMIT mainWindowRequested();
}

void Form2::Command2_Click()
{
    m_globals.ComPortNo = m_globals.ComPortBackup;
    if (!openPort(QStringLiteral("There is no earlier port to return to; choose a port and press OK.")))
        return;
    accept();
    Q_EMIT mainWindowRequested();
}

void Form2::showRetry(const QString &why)
{
    m_retry->setInformativeText(why);
    m_retry->show();
    m_retry->raise();
    m_retry->activateWindow();
}

} // namespace orvel::ui
