#pragma once

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace orvel::test {

// The per-user settings store, redirected to a folder of the test's own.
class TempStore
{
public:
    TempStore()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }

    void set(const QString &key, const QString &value)
    {
        QSettings settings(QStringLiteral("ORVEL"), QStringLiteral("ORVEL"));
        settings.setValue(key, value);
    }

    QVariant value(const QString &key) const
    {
        const QSettings settings(QStringLiteral("ORVEL"), QStringLiteral("ORVEL"));
        return settings.value(key);
    }

    QString folder() const { return m_dir.path(); }
    QString filePath() const { return m_dir.path() + QStringLiteral("/ORVEL/ORVEL.conf"); }

    // Puts these exact bytes in the store's file, as a hand edit or a damaged disk would.
    void writeRaw(const QByteArray &bytes)
    {
        QDir().mkpath(m_dir.path() + QStringLiteral("/ORVEL"));
        QFile file(filePath());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace orvel::test
