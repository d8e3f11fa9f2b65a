#include "link/settingsstore.h"

#include "link/storedport.h"

#include <QSettings>
#include <QStringList>

namespace orvel::link {

namespace {

constexpr auto kOrganisation = "ORVEL";
constexpr auto kApplication = "ORVEL";

QString keyPath(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

// A hand-edited INI file can hold a list ("3, 4") or a typed value; read every
// shape back as the text it came from.
QString asText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return value.toStringList().join(u',');
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray());
    default:
        return value.canConvert<QString>() ? value.toString() : QString();
    }
}

} // namespace

QString SettingsStore::readText(const QString &section, const QString &key, const QString &defaultText) const
{
    const QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
    const QVariant value = settings.value(keyPath(section, key));
    return value.isValid() ? asText(value) : defaultText;
}

bool SettingsStore::writeText(const QString &section, const QString &key, const QString &text)
{
    QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
    settings.setValue(keyPath(section, key), text);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::optional<qint16> SettingsStore::storedPortNumber() const
{
    return portNumberFromStoredText(
        readText(QStringLiteral("StartUP"), QStringLiteral("ComPort"), QStringLiteral("DATAC")));
}

bool SettingsStore::storePortNumber(qint16 number)
{
    return writeText(QStringLiteral("StartUP"), QStringLiteral("ComPort"), QString::number(number));
}

QString SettingsStore::deviceForPort(int number) const
{
    const QString configured =
        readText(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(number), QString()).trimmed();
    if (!configured.isEmpty())
        return configured;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

} // namespace orvel::link
