#include "link/settingsstore.h"
#include "link/storedport.h"
#include "store.h"

#include <QTest>

using namespace orvel;

Q_DECLARE_METATYPE(std::optional<qint16>)

class StoredPortTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsStoredText_data();
    void convertsStoredText();
    void readsWhateverTheFileHolds_data();
    void readsWhateverTheFileHolds();
    void storesPlainDigits();
    void mapsPortNumbersToDevices();
};

void StoredPortTest::convertsStoredText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint16>>("number");
    const std::optional<qint16> tooLarge;

    QTest::newRow("digits") << "3" << std::optional<qint16>(3);
    QTest::newRow("two digits") << "12" << std::optional<qint16>(12);
    QTest::newRow("leading blanks") << "  \t 7" << std::optional<qint16>(7);
    QTest::newRow("trailing junk") << "5abc" << std::optional<qint16>(5);
    QTest::newRow("default DATAC") << "DATAC" << std::optional<qint16>(0);
    QTest::newRow("empty") << "" << std::optional<qint16>(0);
    QTest::newRow("blanks only") << "   " << std::optional<qint16>(0);
    QTest::newRow("negative") << "-2" << std::optional<qint16>(-2);
    QTest::newRow("sixteen") << "16" << std::optional<qint16>(16);
    QTest::newRow("fraction rounds up") << "3.6" << std::optional<qint16>(4);
    QTest::newRow("fraction rounds down") << "3.4" << std::optional<qint16>(3);
    QTest::newRow("half goes to even") << "2.5" << std::optional<qint16>(2);
    QTest::newRow("fraction alone") << ".6" << std::optional<qint16>(1);
    QTest::newRow("point without fraction") << "7." << std::optional<qint16>(7);
    QTest::newRow("point alone") << "." << std::optional<qint16>(0);
    QTest::newRow("leading zeros") << "000000000015" << std::optional<qint16>(15);
    QTest::newRow("largest 16-bit") << "32767" << std::optional<qint16>(32767);
    QTest::newRow("one past 16 bits") << "32768" << tooLarge;
    QTest::newRow("99999999") << "99999999" << tooLarge;
    QTest::newRow("a thousand digits") << QString(1000, u'9') << tooLarge;
    QTest::newRow("sign alone") << "-" << std::optional<qint16>(0);
    QTest::newRow("not text") << QString::fromLatin1("\x01\xff\xfe") << std::optional<qint16>(0);
}

void StoredPortTest::convertsStoredText()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint16>, number);
    QCOMPARE(link::portNumberFromStoredText(text), number);
}

void StoredPortTest::readsWhateverTheFileHolds_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<std::optional<qint16>>("number");

    QTest::newRow("no file") << QByteArray() << std::optional<qint16>(0);
    QTest::newRow("plain") << QByteArray("[StartUP]\nComPort=3\n") << std::optional<qint16>(3);
    QTest::newRow("quoted") << QByteArray("[StartUP]\nComPort=\"12\"\n") << std::optional<qint16>(12);
    QTest::newRow("a list") << QByteArray("[StartUP]\nComPort=3, 4\n") << std::optional<qint16>(3);
    QTest::newRow("a typed value") << QByteArray("[StartUP]\nComPort=@ByteArray(5)\n")
                                   << std::optional<qint16>(5);
    QTest::newRow("binary junk") << QByteArray("\x00\xff[StartUP]\nComPort=\xfe\xff\x00\x01\n", 26)
                                 << std::optional<qint16>(0);
    QTest::newRow("no section") << QByteArray("\xde\xad\xbe\xef") << std::optional<qint16>(0);
}

void StoredPortTest::readsWhateverTheFileHolds()
{
    QFETCH(QByteArray, file);
    QFETCH(std::optional<qint16>, number);
    test::TempStore temp;
    if (!file.isEmpty())
        temp.writeRaw(file);
    QCOMPARE(link::SettingsStore().storedPortNumber(), number);
}

void StoredPortTest::storesPlainDigits()
{
    test::TempStore temp;
    link::SettingsStore store;
    QVERIFY(store.storePortNumber(12));
    QCOMPARE(store.storedPortNumber(), std::optional<qint16>(12));
    QFile file(temp.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("[StartUP]\nComPort=12\n"));
}

void StoredPortTest::mapsPortNumbersToDevices()
{
    test::TempStore temp;
    temp.set(QStringLiteral("Ports/COM3"), QStringLiteral("/dev/ttyUSB0"));
    temp.set(QStringLiteral("Ports/COM4"), QStringLiteral("  /dev/serial/by-id/usb-adapter-if00  "));
    const link::SettingsStore store;
    QCOMPARE(store.deviceForPort(3), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(store.deviceForPort(4), QStringLiteral("/dev/serial/by-id/usb-adapter-if00"));
    QCOMPARE(store.deviceForPort(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(store.deviceForPort(15), QStringLiteral("/dev/ttyS14"));
}

QTEST_GUILESS_MAIN(StoredPortTest)
#include "tst_storedport.moc"
