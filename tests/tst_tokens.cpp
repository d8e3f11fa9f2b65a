#include "monitor/tokens.h"
#include "protocol/frame.h"
#include "protocol/keystone.h"

#include <QTest>

using namespace orvel;

class TokensTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rendersEachCharacter_data();
    void rendersEachCharacter();
    void everyByteHasATwoOrMoreCharacterToken();
    void stopsAtTheRenderLimit();
    void framesAndKeystoneEntries_data();
    void framesAndKeystoneEntries();
};

void TokensTest::rendersEachCharacter_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("rendering");
    QTest::addColumn<bool>("ack");
    QTest::addColumn<bool>("cr");
    QTest::addColumn<bool>("space");

    QTest::newRow("empty") << QByteArray() << " " << false << false << false;
    QTest::newRow("ACK alone") << QByteArray("\x06") << "  [ACK] " << true << false << false;
    QTest::newRow("CR") << QByteArray("\r") << "  [CR] " << false << true << false;
    QTest::newRow("LF, no legend") << QByteArray("\n") << "  [LF]  " << false << false << false;
    QTest::newRow("space") << QByteArray(" ") << " _ " << false << false << true;
    QTest::newRow("NUL") << QByteArray(1, '\0') << " ? " << false << false << false;
    QTest::newRow("0x1F") << QByteArray("\x1f") << " ? " << false << false << false;
    QTest::newRow("!") << QByteArray("!") << " ! " << false << false << false;
    QTest::newRow("? looks unprintable") << QByteArray("?") << " ? " << false << false << false;
    QTest::newRow("z") << QByteArray("z") << " z " << false << false << false;
    QTest::newRow("{") << QByteArray("{") << " ? " << false << false << false;
    QTest::newRow("~") << QByteArray("~") << " ? " << false << false << false;
    QTest::newRow("DEL 0x7F") << QByteArray("\x7f") << " ? " << false << false << false;
    QTest::newRow("0x80") << QByteArray("\x80") << " ? " << false << false << false;
    QTest::newRow("0xFF") << QByteArray("\xff") << " ? " << false << false << false;
    QTest::newRow("markup stays text") << QByteArray("<b>") << " < b > " << false << false << false;
    QTest::newRow("power query") << QByteArray("POWR????\r") << " P O W R ? ? ? ?  [CR] " << false << true
                                 << false;
    QTest::newRow("power on frame") << QByteArray("POWR   1\r") << " P O W R _ _ _ 1  [CR] " << false << true
                                    << true;
    QTest::newRow("reply") << QByteArray("   1\r") << " _ _ _ 1  [CR] " << false << true << true;
    QTest::newRow("ACK then CR LF") << QByteArray("\x06\r\n") << "  [ACK]  [CR]  [LF]  " << true << true
                                    << false;
}

void TokensTest::rendersEachCharacter()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, rendering);
    const monitor::Rendering r = monitor::renderTokens(text);
    QCOMPARE(r.text, rendering);
    QTEST(r.legends.ack, "ack");
    QTEST(r.legends.cr, "cr");
    QTEST(r.legends.space, "space");
}

void TokensTest::everyByteHasATwoOrMoreCharacterToken()
{
    for (int c = 0; c < 256; ++c) {
        const QString text = monitor::renderTokens(QByteArray(1, char(c))).text;
        const bool printable = c >= 0x21 && c <= 0x7A;
        if (printable)
            QCOMPARE(text, QStringLiteral(" %1 ").arg(QChar(c)));
        else if (c != 0x06 && c != 0x0D && c != 0x0A && c != 0x20)
            QCOMPARE(text, QStringLiteral(" ? "));
    }
}

void TokensTest::stopsAtTheRenderLimit()
{
    const QByteArray longText(monitor::kRenderLimit + 5000, 'A');
    const QString text = monitor::renderTokens(longText).text;
    QCOMPARE(text.size(), 1 + 2 * monitor::kRenderLimit);
    QVERIFY(text.endsWith(QStringLiteral("A ")));
}

void TokensTest::framesAndKeystoneEntries_data()
{
    QTest::addColumn<QString>("built");
    QTest::addColumn<QString>("expected");
    const auto frame = [](const char *command) {
        return QString::fromStdString(protocol::makeFrame(command));
    };
    const auto entry = [](int i) { return QString::fromStdString(protocol::keystoneEntry(i)); };
    QTest::newRow("POWR   1 is nine bytes") << frame("POWR   1") << QStringLiteral("POWR   1\r");
    QTest::newRow("exactly one CR, never LF") << frame("POWR????") << QStringLiteral("POWR????\r");
    QTest::newRow("short text is not padded") << frame("AB") << QStringLiteral("AB\r");
    QTest::newRow("entry 0") << entry(0) << QStringLiteral(" +80");
    QTest::newRow("entry 75") << entry(75) << QStringLiteral(" +05");
    QTest::newRow("entry 79") << entry(79) << QStringLiteral(" +01");
    QTest::newRow("entry 80 is zero") << entry(protocol::kKeystoneZeroEntry) << QStringLiteral("  00");
    QTest::newRow("entry 81") << entry(81) << QStringLiteral(" -01");
    QTest::newRow("entry 160") << entry(protocol::kKeystoneEntryCount - 1) << QStringLiteral(" -80");
}

void TokensTest::framesAndKeystoneEntries()
{
    QFETCH(QString, built);
    QFETCH(QString, expected);
    QCOMPARE(built, expected);
}

QTEST_GUILESS_MAIN(TokensTest)
#include "tst_tokens.moc"
