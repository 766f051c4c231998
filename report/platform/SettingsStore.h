#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

namespace tovren::platform {

/// The per-user settings of the designer, its tool bars, the preview, the editors and the main
/// window, kept under organisation "Quorix" and the application's title.
///
/// Sections use the stored names ("Form\" plus a window class name, "ToolBar\" plus a tool bar
/// name); a backslash in a section name separates sub-sections just as a slash does. Reading a
/// value that was never written gives the caller's default.
class SettingsStore
{
public:
    static constexpr const char *kOrganisation = "Quorix";

    explicit SettingsStore(const QString &applicationTitle);
    /// A store in an explicit INI file, for tests and portable installs.
    SettingsStore(const QString &iniPath, const QString &applicationTitle);

    static QString formSection(const QString &windowClassName);
    static QString toolBarSection(const QString &toolBarName);

    int readInteger(const QString &section, const QString &name, int defaultValue) const;
    bool readBool(const QString &section, const QString &name, bool defaultValue) const;
    QString readString(const QString &section, const QString &name,
                       const QString &defaultValue = {}) const;

    void writeInteger(const QString &section, const QString &name, int value);
    void writeBool(const QString &section, const QString &name, bool value);
    void writeString(const QString &section, const QString &name, const QString &value);

    void sync();

private:
    QVariant read(const QString &section, const QString &name) const;
    void write(const QString &section, const QString &name, const QVariant &value);

    std::unique_ptr<QSettings> m_settings;
};

} // namespace tovren::platform
