#include "panelfixture.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSerialPort>

using namespace orvel;
using namespace std::chrono_literals;

class ComPortTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void laysOutTheDialog_data();
    void laysOutTheDialog();
    void firstStartWithNothingChosen();
    void choosingCom3OpensAndStoresIt();
    void typing12OpensPort12();
    void typing1Then6KeepsPort1();
    void optionAndTextBoxMayDisagree();
    void oddTextKeepsThePort_data();
    void oddTextKeepsThePort();
    void cancelAfterComReturnsToTheEarlierPort();
    void cancelWhenTheEarlierPortHasGone();
    void onlyASuccessfulOkStores();
    void aPortHeldElsewhereSaysSo();
    void aPortPulledBeforeOkSaysSo();
    void closeControlRunsNothing();
    void tooltipsNameTheDevice();

private:
    ui::Form2 *startWithoutStoredPort();
    ui::Form2 *startOnPortThenPressCom(int number);
    QLineEdit *text1(ui::Form2 *dialog) { return dialog->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    QRadioButton *option(ui::Form2 *dialog, const char *name)
    {
        return dialog->findChild<QRadioButton *>(QString::fromLatin1(name));
    }
    void type(ui::Form2 *dialog, const QString &keys) { QTest::keyClicks(text1(dialog), keys); }
    qint16 comPortNo() const { return m_panel->globals().ComPortNo; }
    QVariant storedPort() const { return m_temp->value(QStringLiteral("StartUP/ComPort")); }

    std::unique_ptr<test::TempStore> m_temp;
    std::unique_ptr<test::ProjectorEnd> m_com3;
    std::unique_ptr<test::ProjectorEnd> m_com4;
    std::unique_ptr<test::ProjectorEnd> m_com12;
    std::unique_ptr<app::Panel> m_panel;
};

void ComPortTest::init()
{
    m_temp = std::make_unique<test::TempStore>();
    m_com3 = std::make_unique<test::ProjectorEnd>();
    m_com4 = std::make_unique<test::ProjectorEnd>();
    m_com12 = std::make_unique<test::ProjectorEnd>();
    QVERIFY(m_com3->linkAs(m_temp->folder() + QStringLiteral("/adapter-3")));
    QVERIFY(m_com4->linkAs(m_temp->folder() + QStringLiteral("/adapter-4")));
    QVERIFY(m_com12->linkAs(m_temp->folder() + QStringLiteral("/adapter-12")));
    const QString absent = QStringLiteral("/dev/orvel-no-such-device");
    for (int n = 1; n <= 15; ++n)
        m_temp->set(QStringLiteral("Ports/COM%1").arg(n), absent);
    m_temp->set(QStringLiteral("Ports/COM3"), m_com3->devicePath());
    m_temp->set(QStringLiteral("Ports/COM4"), m_com4->devicePath());
    m_temp->set(QStringLiteral("Ports/COM12"), m_com12->devicePath());
    m_panel = std::make_unique<app::Panel>();
}

void ComPortTest::cleanup()
{
    m_panel.reset();
    m_com12.reset();
    m_com4.reset();
    m_com3.reset();
    m_temp.reset();
}

ui::Form2 *ComPortTest::startWithoutStoredPort()
{
    m_panel->start();
    ui::Form2 *dialog = m_panel->comPortDialog();
    if (dialog)
        (void)QTest::qWaitForWindowExposed(dialog);
    return dialog;
}

ui::Form2 *ComPortTest::startOnPortThenPressCom(int number)
{
    m_temp->set(QStringLiteral("StartUP/ComPort"), QString::number(number));
    m_panel->start();
    if (!m_panel->serialLink().isOpen())
        return nullptr;
    test::click(&m_panel->mainWindow(), "Command33");
    return m_panel->comPortDialog();
}

void ComPortTest::laysOutTheDialog_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");

    QTest::newRow("Frame2") << QByteArray("Frame2") << QRect(360, 240, 1455, 2535) << "Com Port";
    QTest::newRow("Option3") << QByteArray("Option3") << QRect(180, 180, 1155, 315) << "COM1";
    QTest::newRow("Option4") << QByteArray("Option4") << QRect(180, 540, 1095, 255) << "COM2";
    QTest::newRow("Option5") << QByteArray("Option5") << QRect(180, 900, 975, 255) << "COM3";
    QTest::newRow("Option6") << QByteArray("Option6") << QRect(180, 1260, 1215, 255) << "COM4";
    QTest::newRow("Option7") << QByteArray("Option7") << QRect(180, 1620, 1335, 255) << "COM5";
    QTest::newRow("Text1") << QByteArray("Text1") << QRect(180, 2040, 375, 270) << "0";
    QTest::newRow("Label1") << QByteArray("Label1") << QRect(600, 2100, 615, 255) << "OTHER";
    QTest::newRow("OK") << QByteArray("Command1") << QRect(2040, 360, 735, 615) << "OK";
    QTest::newRow("Cancel") << QByteArray("Command2") << QRect(2040, 1320, 735, 615) << "Cancel";
}

void ComPortTest::laysOutTheDialog()
{
    QFETCH(QByteArray, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    ui::Form2 *dialog = startWithoutStoredPort();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("  COM PORT"));
    QCOMPARE(dialog->size(), ui::toPixels(3105, 3150));
    QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(dialog->windowFlags() & Qt::WindowCloseButtonHint);

    QWidget *widget = test::child(dialog, name.constData());
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), ui::toPixels({twips.left(), twips.top(), twips.width(), twips.height()}));
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(box->title(), text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), text);
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(edit->text(), text);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
}

void ComPortTest::firstStartWithNothingChosen()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    QVERIFY(dialog);
    for (const char *name : {"Option3", "Option4", "Option5", "Option6", "Option7"})
        QVERIFY2(!option(dialog, name)->isChecked(), name);
    QCOMPARE(text1(dialog)->text(), QStringLiteral("0"));
    QCOMPARE(text1(dialog)->selectedText(), QStringLiteral("0"));

    test::click(dialog, "Command1"); // OK, nothing chosen
    test::dismissRetry(dialog);
    test::click(dialog, "Command2"); // Cancel, no earlier port
    test::dismissRetry(dialog);

    QVERIFY(dialog->isVisible());
    QCOMPARE(comPortNo(), qint16(0));
    QVERIFY(!storedPort().isValid());
    QVERIFY(!m_panel->mainWindow().isVisible());
}

void ComPortTest::choosingCom3OpensAndStoresIt()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    test::click(dialog, "Option5");
    QCOMPARE(comPortNo(), qint16(3));
    test::click(dialog, "Command1");

    QVERIFY(m_panel->serialLink().isOpen());
    QCOMPARE(m_panel->serialLink().device(), m_com3->devicePath());
    QCOMPARE(storedPort().toString(), QStringLiteral("3"));
    QTRY_VERIFY(!m_panel->comPortDialog());
    QVERIFY(QTest::qWaitForWindowExposed(&m_panel->mainWindow()));
    // Start-up ended at its failure: the intervals are still those of the window's definition.
    QCOMPARE(m_panel->monitor().timer2().intervalAsDuration(), 10000ms);

    test::click(&m_panel->mainWindow(), "Command44");
    QCOMPARE(m_com3->read(9), QByteArray("POWR????\r"));
}

void ComPortTest::typing12OpensPort12()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    type(dialog, QStringLiteral("12"));
    QCOMPARE(text1(dialog)->text(), QStringLiteral("12"));
    QCOMPARE(comPortNo(), qint16(12));
    test::click(dialog, "Command1");
    QVERIFY(m_panel->serialLink().isOpen());
    QCOMPARE(storedPort().toString(), QStringLiteral("12"));
    QTRY_VERIFY(!m_panel->comPortDialog());

    // Shown again: afresh, with no option marked and "0", while 12 stays in force.
    test::click(&m_panel->mainWindow(), "Command33");
    dialog = m_panel->comPortDialog();
    QVERIFY(dialog);
    for (const char *name : {"Option3", "Option4", "Option5", "Option6", "Option7"})
        QVERIFY2(!option(dialog, name)->isChecked(), name);
    QCOMPARE(text1(dialog)->text(), QStringLiteral("0"));
    QCOMPARE(comPortNo(), qint16(12));
    QCOMPARE(m_panel->globals().ComPortBackup, qint16(12));
}

void ComPortTest::typing1Then6KeepsPort1()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    type(dialog, QStringLiteral("1"));
    QCOMPARE(comPortNo(), qint16(1));
    type(dialog, QStringLiteral("6"));
    QCOMPARE(text1(dialog)->text(), QStringLiteral("0"));
    QCOMPARE(comPortNo(), qint16(1));
    // The "0" is highlighted again, so the next key replaces it.
    type(dialog, QStringLiteral("4"));
    QCOMPARE(text1(dialog)->text(), QStringLiteral("4"));
    QCOMPARE(comPortNo(), qint16(4));
}

void ComPortTest::optionAndTextBoxMayDisagree()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    test::click(dialog, "Option4"); // COM2
    text1(dialog)->selectAll();
    type(dialog, QStringLiteral("7"));
    QCOMPARE(comPortNo(), qint16(7));
    QVERIFY(option(dialog, "Option4")->isChecked());

    test::click(dialog, "Option4");
    QCOMPARE(comPortNo(), qint16(2));
    QCOMPARE(text1(dialog)->text(), QStringLiteral("7"));
}

void ComPortTest::oddTextKeepsThePort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("port");

    QTest::newRow("emptied box") << ""
                                 << "" << 5;
    QTest::newRow("letters") << "abc"
                             << "abc" << 5;
    QTest::newRow("minus sign") << "-"
                                << "-" << 5;
    QTest::newRow("negative number") << "-3"
                                     << "-3" << 5;
    QTest::newRow("fraction") << "3.6"
                              << "3.6" << 5;
    QTest::newRow("exponent") << "1e3"
                              << "1e3" << 5;
    QTest::newRow("256") << "256"
                         << "0" << 5;
    QTest::newRow("a line of 10,000 digits") << QString(10000, u'9') << "0" << 5;
    QTest::newRow("a line of 10,000 letters") << QString(10000, u'x') << QString(10000, u'x') << 5;
    QTest::newRow("leading zeros") << "007"
                                   << "007" << 7;
    QTest::newRow("blanks around") << " 9 "
                                   << " 9 " << 9;
}

void ComPortTest::oddTextKeepsThePort()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(int, port);
    ui::Form2 *dialog = startWithoutStoredPort();
    test::click(dialog, "Option7"); // COM5
    text1(dialog)->setText(text);
    QCOMPARE(text1(dialog)->text(), shown);
    QCOMPARE(comPortNo(), qint16(port));
    // The dialog still works.
    test::click(dialog, "Option5");
    test::click(dialog, "Command1");
    QVERIFY(m_panel->serialLink().isOpen());
}

void ComPortTest::cancelAfterComReturnsToTheEarlierPort()
{
    ui::Form2 *dialog = startOnPortThenPressCom(4);
    QVERIFY(dialog);
    QVERIFY(option(dialog, "Option6")->isChecked()); // COM4, the port in force
    test::click(dialog, "Option3");
    QCOMPARE(comPortNo(), qint16(1));

    test::click(dialog, "Command2");
    QCOMPARE(comPortNo(), qint16(4));
    QVERIFY(m_panel->serialLink().isOpen());
    QCOMPARE(m_panel->serialLink().device(), m_com4->devicePath());
    QCOMPARE(storedPort().toString(), QStringLiteral("4"));
    QTRY_VERIFY(!m_panel->comPortDialog());
}

void ComPortTest::cancelWhenTheEarlierPortHasGone()
{
    ui::Form2 *dialog = startOnPortThenPressCom(4);
    QVERIFY(dialog);
    test::click(dialog, "Option3");
    m_com4->close(); // the adapter is pulled while the dialog is open

    test::click(dialog, "Command2");
    QVERIFY(dialog->retryMessage()->informativeText().contains(QStringLiteral("no such device")));
    test::dismissRetry(dialog);
    QCOMPARE(comPortNo(), qint16(4));
    QVERIFY(!m_panel->serialLink().isOpen());
    QVERIFY(dialog->isVisible());

    // The dialog still works: another port opens.
    test::click(dialog, "Option5");
    test::click(dialog, "Command1");
    QVERIFY(m_panel->serialLink().isOpen());
}

void ComPortTest::onlyASuccessfulOkStores()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    test::click(dialog, "Option4"); // COM2: nothing there
    test::click(dialog, "Command1");
    test::dismissRetry(dialog);
    QVERIFY(!storedPort().isValid());
    QCOMPARE(comPortNo(), qint16(2));

    test::click(dialog, "Option5");
    test::click(dialog, "Command1");
    QCOMPARE(storedPort().toString(), QStringLiteral("3"));
}

void ComPortTest::aPortHeldElsewhereSaysSo()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    auto other = std::make_unique<QSerialPort>(m_com3->devicePath());
    QVERIFY(other->open(QIODevice::ReadWrite));

    test::click(dialog, "Option5");
    test::click(dialog, "Command1");
    QVERIFY(dialog->retryMessage()->informativeText().contains(QStringLiteral("held by another program")));
    test::dismissRetry(dialog);
    QVERIFY(!storedPort().isValid());

    other.reset(); // the other program lets go
    test::click(dialog, "Command1");
    QVERIFY(m_panel->serialLink().isOpen());
    QCOMPARE(storedPort().toString(), QStringLiteral("3"));
}

void ComPortTest::aPortPulledBeforeOkSaysSo()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    test::click(dialog, "Option5");
    m_com3->close();
    test::click(dialog, "Command1");
    QVERIFY(dialog->retryMessage()->informativeText().contains(QStringLiteral("no such device")));
    test::dismissRetry(dialog);
    QVERIFY(!m_panel->serialLink().isOpen());
    QVERIFY(!storedPort().isValid());

    type(dialog, QStringLiteral("12"));
    test::click(dialog, "Command1");
    QVERIFY(m_panel->serialLink().isOpen());
    QCOMPARE(storedPort().toString(), QStringLiteral("12"));
}

void ComPortTest::closeControlRunsNothing()
{
    ui::Form2 *dialog = startOnPortThenPressCom(4);
    QVERIFY(dialog);
    test::click(dialog, "Option5");
    dialog->close();
    QTRY_VERIFY(!m_panel->comPortDialog());
    QVERIFY(!m_panel->serialLink().isOpen());
    QCOMPARE(comPortNo(), qint16(3));
    QCOMPARE(storedPort().toString(), QStringLiteral("4"));

    // COM opens it afresh.
    test::click(&m_panel->mainWindow(), "Command33");
    QVERIFY(m_panel->comPortDialog());
    QVERIFY(option(m_panel->comPortDialog(), "Option5")->isChecked());
}

void ComPortTest::tooltipsNameTheDevice()
{
    ui::Form2 *dialog = startWithoutStoredPort();
    QCOMPARE(option(dialog, "Option5")->toolTip(), QStringLiteral("COM3 opens ") + m_com3->devicePath());
    type(dialog, QStringLiteral("12"));
    QCOMPARE(text1(dialog)->toolTip(), QStringLiteral("COM12 opens ") + m_com12->devicePath());
}

QTEST_MAIN(ComPortTest)
#include "tst_comport.moc"
