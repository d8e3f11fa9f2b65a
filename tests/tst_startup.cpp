#include "panelfixture.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>

using namespace orvel;
using namespace std::chrono_literals;

class StartUpTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startsOnTheStoredPort();
    void runsOneQueryEndToEnd();
    void showsTheDialogWhenStartUpFails_data();
    void showsTheDialogWhenStartUpFails();
    void placesTheMainWindowControls_data();
    void placesTheMainWindowControls();
    void switchesTheViewWithCtrlH_data();
    void switchesTheViewWithCtrlH();
    void endAndCloseRequestCloseThePort_data();
    void endAndCloseRequestCloseThePort();
    void comClosesThePortAndOpensTheDialogModeless();
    void staysUsableWhenThePortVanishes();

private:
    void startOnPort1();
    QLabel *label(const char *name)
    {
        return qobject_cast<QLabel *>(test::child(&m_panel->mainWindow(), name));
    }

    std::unique_ptr<test::TempStore> m_temp;
    std::unique_ptr<test::ProjectorEnd> m_projector;
    std::unique_ptr<app::Panel> m_panel;
};

void StartUpTest::init()
{
    m_temp = std::make_unique<test::TempStore>();
    m_projector = std::make_unique<test::ProjectorEnd>();
    QVERIFY(m_projector->isValid());
    m_temp->set(QStringLiteral("Ports/COM1"), m_projector->devicePath());
    m_panel = std::make_unique<app::Panel>();
}

void StartUpTest::cleanup()
{
    m_panel.reset();
    m_projector.reset();
    m_temp.reset();
}

void StartUpTest::startOnPort1()
{
    m_temp->set(QStringLiteral("StartUP/ComPort"), QStringLiteral("1"));
    m_panel->start();
    QVERIFY(m_panel->serialLink().isOpen());
    QVERIFY(QTest::qWaitForWindowExposed(&m_panel->mainWindow()));
}

void StartUpTest::startsOnTheStoredPort()
{
    startOnPort1();
    ui::Form1 &form = m_panel->mainWindow();
    QVERIFY(!m_panel->comPortDialog());
    QCOMPARE(m_panel->globals().ComPortNo, qint16(1));
    QCOMPARE(m_panel->globals().ComPortBackup, qint16(0));

    // The start-up regime, both timers still disabled.
    QCOMPARE(m_panel->monitor().timer2().intervalAsDuration(), 1000ms);
    QCOMPARE(m_panel->monitor().timer4().intervalAsDuration(), 1200ms);
    QVERIFY(!m_panel->monitor().timer2().isActive() && !m_panel->monitor().timer4().isActive());

    // Compact, centred across, 1350 twips above the vertical centre.
    QCOMPARE(form.outerHeightTwips(), 5000);
    const QSize screen = form.screen()->geometry().size();
    const int outerWidth = ui::twips(form.frameGeometry().width());
    QCOMPARE(form.frameGeometry().left(), ui::px((ui::twips(screen.width()) - outerWidth) / 2));
    QCOMPARE(form.frameGeometry().top(), ui::px((ui::twips(screen.height()) - 5000) / 2 - 1350));

    auto *keystone = form.findChild<QComboBox *>(QStringLiteral("Combo1"));
    QCOMPARE(keystone->count(), 161);
    QCOMPARE(keystone->currentIndex(), 80);
    QCOMPARE(keystone->currentText(), QStringLiteral("  00"));
    for (const char *name :
         {"Command23", "Command5", "Command7", "Command8", "Command14", "Command15", "Command19"})
        QVERIFY2(test::child(&form, name)->isEnabled(), name);
    QCOMPARE(m_panel->monitor().waitReply(), quint8(0));
    QCOMPARE(form.repeatMode(), quint8(0));
}

void StartUpTest::runsOneQueryEndToEnd()
{
    startOnPort1();
    test::click(&m_panel->mainWindow(), "Command44");
    QCOMPARE(m_projector->read(9), QByteArray("POWR????\r"));
    QCOMPARE(m_panel->globals().LastCommand, QByteArray("POWR????\r"));
    QCOMPARE(label("Label11")->text(), QStringLiteral(" P O W R ? ? ? ?  [CR] "));
    QVERIFY(label("Label28")->isVisibleTo(&m_panel->mainWindow()));

    m_projector->write("   1\r");
    QTRY_COMPARE(label("Label12")->text(), QStringLiteral(" _ _ _ 1  [CR] "));
    QVERIFY(label("Label27")->isVisibleTo(&m_panel->mainWindow()));
    QVERIFY(!label("Label19")->isVisibleTo(&m_panel->mainWindow()));

    // The reply wait ends: legends hidden, the reply stays; then the displays clear.
    m_panel->monitor().Timer2_Timer();
    QVERIFY(!label("Label27")->isVisibleTo(&m_panel->mainWindow()));
    QVERIFY(!label("Label28")->isVisibleTo(&m_panel->mainWindow()));
    QCOMPARE(label("Label12")->text(), QStringLiteral(" _ _ _ 1  [CR] "));
    m_panel->monitor().Timer4_Timer();
    QCOMPARE(label("Label11")->text(), QString());
    QCOMPARE(label("Label12")->text(), QString());
    QCOMPARE(label("Label25")->text(), QString());
}

void StartUpTest::showsTheDialogWhenStartUpFails_data()
{
    QTest::addColumn<QByteArray>("storeFile");

    const QString absent = QStringLiteral("/dev/orvel-no-such-device");
    const auto stored = [&](const char *value) {
        return QByteArray("[Ports]\n") + "COM15=" + absent.toLatin1() + "\nCOM4=" + absent.toLatin1() +
               "\n[StartUP]\nComPort=" + value + "\n";
    };
    QTest::newRow("no stored number") << QByteArray();
    QTest::newRow("DATAC") << stored("DATAC");
    QTest::newRow("empty") << stored("");
    QTest::newRow("zero") << stored("0");
    QTest::newRow("negative") << stored("-2");
    QTest::newRow("sixteen") << stored("16");
    QTest::newRow("too large for 16 bits") << stored("99999999");
    QTest::newRow("bytes that are not text") << stored("\xff\xfe\x01");
    QTest::newRow("port 15 does not open") << stored("15");
    QTest::newRow("3.6 is port 4, which does not open") << stored("3.6");
}

void StartUpTest::showsTheDialogWhenStartUpFails()
{
    QFETCH(QByteArray, storeFile);
    m_temp->writeRaw(storeFile);
    ui::Form1 &form = m_panel->mainWindow();
    const QRect designed = form.geometry();

    m_panel->start();
    ui::Form2 *dialog = m_panel->comPortDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QVERIFY(!form.isVisible());
    QVERIFY(dialog->retryMessage()->isHidden()); // no message comes first
    QVERIFY(!m_panel->serialLink().isOpen());

    // Closed by its own control: the main window appears as start-up left it.
    dialog->close();
    QTRY_VERIFY(!m_panel->comPortDialog());
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.outerHeightTwips(), 5000);
    QCOMPARE(form.geometry().topLeft(), designed.topLeft());
    QCOMPARE(m_panel->monitor().timer2().intervalAsDuration(), 10000ms);
    QCOMPARE(m_panel->monitor().timer4().intervalAsDuration(), 10500ms);
    QCOMPARE(form.findChild<QComboBox *>(QStringLiteral("Combo1"))->currentIndex(), -1);
    QVERIFY(!m_panel->serialLink().isOpen());

    // And stays usable: a send with the port closed is shown and marked unanswered.
    test::click(&form, "Command44");
    QCOMPARE(label("Label11")->text(), QStringLiteral(" P O W R ? ? ? ?  [CR] "));
    m_panel->monitor().Timer2_Timer();
    QCOMPARE(label("Label12")->text(), QStringLiteral(" X X X X "));
}

void StartUpTest::placesTheMainWindowControls_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QRect>("twips"); // left, top, width, height
    QTest::addColumn<QString>("text");

    QTest::newRow("Frame9") << QByteArray("Frame9") << QRect(120, 4700, 3855, 948) << QString();
    QTest::newRow("Label9") << QByteArray("Label9") << QRect(120, 240, 435, 255) << "TxD";
    QTest::newRow("Label10") << QByteArray("Label10") << QRect(120, 612, 435, 255) << "RxD";
    QTest::newRow("Label11") << QByteArray("Label11") << QRect(600, 195, 3135, 300) << QString();
    QTest::newRow("Label12") << QByteArray("Label12") << QRect(585, 555, 3135, 300) << QString();
    QTest::newRow("Label28") << QByteArray("Label28") << QRect(120, 5705, 3495, 255)
                             << "[CR] :Carriage Return Code (0x0D)";
    QTest::newRow("Label19") << QByteArray("Label19") << QRect(120, 5880, 3495, 255)
                             << "[ACK]:ACKnowledge Code (0x06)";
    QTest::newRow("Label27") << QByteArray("Label27") << QRect(120, 6100, 2295, 255)
                             << "_ :Space Code (0x20)";
    QTest::newRow("Frame15") << QByteArray("Frame15") << QRect(120, 6450, 5745, 560) << QString();
    QTest::newRow("Label26") << QByteArray("Label26") << QRect(120, 210, 855, 180) << "STATUS";
    QTest::newRow("Label25") << QByteArray("Label25") << QRect(1020, 135, 4590, 285) << QString();
    QTest::newRow("END") << QByteArray("Command16") << QRect(9000, 3840, 1500, 375) << "END";
    QTest::newRow("COM") << QByteArray("Command33") << QRect(6000, 6600, 1850, 375) << "COM";
    QTest::newRow("Power Status") << QByteArray("Command44") << QRect(4200, 4680, 1980, 346)
                                  << "Power Status";
    QTest::newRow("Frame6") << QByteArray("Frame6") << QRect(1440, 1680, 3520, 2655) << QString();
    QTest::newRow("Dot By Dot") << QByteArray("Command7") << QRect(2220, 1340, 1200, 300) << "Dot By Dot";
    QTest::newRow("Frame10") << QByteArray("Frame10") << QRect(5040, 3350, 3705, 960) << QString();
}

void StartUpTest::placesTheMainWindowControls()
{
    QFETCH(QByteArray, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    ui::Form1 &form = m_panel->mainWindow();
    QCOMPARE(form.windowTitle(), QStringLiteral("ORVEL  ORV-5600  Ver.2.0"));
    QCOMPARE(form.width(), ui::px(10725));
    QWidget *widget = test::child(&form, name.constData());
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), ui::toPixels({twips.left(), twips.top(), twips.width(), twips.height()}));
    if (auto *labelWidget = qobject_cast<QLabel *>(widget))
        QCOMPARE(labelWidget->text(), text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), text);
}

void StartUpTest::switchesTheViewWithCtrlH_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("height");

    QTest::newRow("Ctrl+H") << int(Qt::Key_H) << Qt::KeyboardModifiers(Qt::ControlModifier) << 7515;
    QTest::newRow("H") << int(Qt::Key_H) << Qt::KeyboardModifiers() << 5000;
    QTest::newRow("Shift+H") << int(Qt::Key_H) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 5000;
    QTest::newRow("Ctrl+Shift+H") << int(Qt::Key_H) << (Qt::ControlModifier | Qt::ShiftModifier) << 5000;
    QTest::newRow("Ctrl+Alt+H") << int(Qt::Key_H) << (Qt::ControlModifier | Qt::AltModifier) << 5000;
    QTest::newRow("Ctrl+J") << int(Qt::Key_J) << Qt::KeyboardModifiers(Qt::ControlModifier) << 5000;
}

void StartUpTest::switchesTheViewWithCtrlH()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, height);
    startOnPort1();
    ui::Form1 &form = m_panel->mainWindow();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // Whichever control has the focus, the window sees the key first.
    for (const char *focus : {"Command44", "Combo1"}) {
        QWidget *control = test::child(&form, focus);
        control->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCOMPARE(form.outerHeightTwips(), height);
        if (height != 5000) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
            QCOMPARE(form.outerHeightTwips(), 5000);
        }
    }
    QCOMPARE(form.frameGeometry().top(),
             ui::px((ui::twips(form.screen()->geometry().height()) - 5000) / 2 - 1350));
}

void StartUpTest::endAndCloseRequestCloseThePort_data()
{
    QTest::addColumn<bool>("byEnd");
    QTest::addColumn<bool>("dialogOpen");
    QTest::newRow("END") << true << false;
    QTest::newRow("END with the dialog open") << true << true;
    QTest::newRow("close control") << false << false;
    QTest::newRow("close control with the dialog open") << false << true;
}

void StartUpTest::endAndCloseRequestCloseThePort()
{
    QFETCH(bool, byEnd);
    QFETCH(bool, dialogOpen);
    startOnPort1();
    ui::Form1 &form = m_panel->mainWindow();
    QSignalSpy ended(m_panel.get(), &app::Panel::ended);
    if (dialogOpen)
        test::click(&form, "Command33"); // closes the port first: END then finds it closed

    if (byEnd)
        test::click(&form, "Command16");
    else
        form.close();
    QCOMPARE(ended.size(), 1);
    QVERIFY(!m_panel->serialLink().isOpen());
    QVERIFY(!form.isVisible());
    QTRY_VERIFY(!m_panel->comPortDialog());
}

void StartUpTest::comClosesThePortAndOpensTheDialogModeless()
{
    startOnPort1();
    ui::Form1 &form = m_panel->mainWindow();
    test::click(&form, "Command33");
    QVERIFY(!m_panel->serialLink().isOpen());
    QCOMPARE(m_panel->globals().ComPortBackup, qint16(1));
    ui::Form2 *dialog = m_panel->comPortDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowModality(), Qt::NonModal);

    // The main window stays usable; a second COM brings the same dialog forward
    // and copies the number now chosen in it.
    test::click(dialog, "Option5");
    test::click(&form, "Command33");
    QCOMPARE(m_panel->comPortDialog(), dialog);
    QCOMPARE(m_panel->globals().ComPortBackup, qint16(3));
    QVERIFY(!m_panel->serialLink().isOpen());
}

void StartUpTest::staysUsableWhenThePortVanishes()
{
    startOnPort1();
    QSignalSpy lost(&m_panel->serialLink(), &link::SerialLink::portLost);
    m_projector->close();
    QTRY_COMPARE(lost.size(), 1);
    QVERIFY(!m_panel->serialLink().isOpen());

    test::click(&m_panel->mainWindow(), "Command44");
    QCOMPARE(label("Label11")->text(), QStringLiteral(" P O W R ? ? ? ?  [CR] "));
    test::click(&m_panel->mainWindow(), "Command33");
    QVERIFY(m_panel->comPortDialog());
}

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
