#include "report/platform/SettingsStore.h"

namespace tovren::platform {

namespace {
QString keyOf(const QString &section, const QString &name)
{
    QString key = section;
    key.replace(u'\\', u'/');
    while (key.startsWith(u'/'))
        key.remove(0, 1);
    if (!key.isEmpty() && !key.endsWith(u'/'))
        key += u'/';
    return key + name;
}
} // namespace

SettingsStore::SettingsStore(const QString &applicationTitle)
    : m_settings(std::make_unique<QSettings>(QString::fromLatin1(kOrganisation), applicationTitle))
{
}

SettingsStore::SettingsStore(const QString &iniPath, const QString &applicationTitle)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
    // One INI file per title keeps two programs that share a path apart.
    m_settings->beginGroup(applicationTitle);
}

QString SettingsStore::formSection(const QString &windowClassName)
{
    return QStringLiteral("Form\\") + windowClassName;
}

QString SettingsStore::toolBarSection(const QString &toolBarName)
{
    return QStringLiteral("ToolBar\\") + toolBarName;
}

QVariant SettingsStore::read(const QString &section, const QString &name) const
{
    return m_settings->value(keyOf(section, name));
}

void SettingsStore::write(const QString &section, const QString &name, const QVariant &value)
{
    m_settings->setValue(keyOf(section, name), value);
}

int SettingsStore::readInteger(const QString &section, const QString &name, int defaultValue) const
{
    bool ok = false;
    const int value = read(section, name).toInt(&ok);
    return ok ? value : defaultValue;
}

bool SettingsStore::readBool(const QString &section, const QString &name, bool defaultValue) const
{
    const QVariant value = read(section, name);
    if (!value.isValid())
        return defaultValue;
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return defaultValue;
}

QString SettingsStore::readString(const QString &section, const QString &name,
                                  const QString &defaultValue) const
{
    const QVariant value = read(section, name);
    return value.isValid() ? value.toString() : defaultValue;
}

void SettingsStore::writeInteger(const QString &section, const QString &name, int value)
{
    write(section, name, value);
}

void SettingsStore::writeBool(const QString &section, const QString &name, bool value)
{
    write(section, name, value);
}

void SettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    write(section, name, value);
}

void SettingsStore::sync()
{
    m_settings->sync();
}

} // namespace tovren::platform
