#pragma once

#include "report/model/ReportInfo.h"
#include "report/model/TemplateBlockHandler.h"
#include "report/model/TemplatePageList.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <functional>

class QIODevice;

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::model {

class RecordReader;
class TqxPages;

/// The message that names the add-in classes a template needs and the program lacks, with a
/// line for every class name (non-printable characters escaped: the names are bytes of a file).
QString missingClassesText(const QStringList &classNames);

/// Where a template comes from; only templates read from files ask for their password.
enum class TemplateOrigin { Memory, File };

/// What a read did to the report.
enum class TemplateReadResult {
    Loaded,
    Empty,           ///< an empty stream: nothing changed
    Unsupported,     ///< a version above 25: refused, nothing changed
    MissingClasses,  ///< loaded without the objects of unregistered add-in classes
    Damaged,         ///< unreadable: the report holds one empty page
    PasswordRefused, ///< wrong or no password: one empty page, information cleared
};

/// Reads and writes a whole report template: the version byte, the page part and the report
/// information, for the pages, settings and information the caller owns.
///
/// A read never leaves the report half-loaded by accident: it ends in one of the outcomes of
/// TemplateReadResult, tells the person through the dialog provider where the outcome needs it,
/// and never raises. The dictionary and extension blocks go to the installed block handler.
class TemplateStream
{
public:
    TemplateStream(TqxPages &pages, TemplateSettings &settings, ReportInfo &info);
    TemplateStream(const TemplateStream &) = delete;
    TemplateStream &operator=(const TemplateStream &) = delete;

    /// @p handler must outlive the stream; null restores the built-in pass-through handler.
    void setBlockHandler(TemplateBlockHandler *handler);
    /// Messages and the password prompt; without a provider nothing is shown and a password
    /// prompt counts as cancelled.
    void setDialogs(platform::DialogProvider *dialogs) { m_dialogs = dialogs; }
    /// The clock for the information dates; tests fix it.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    /// The file the next reads come from; their messages name it. Empty for data in memory.
    void setSourceName(const QString &fileName) { m_sourceName = fileName; }

    TemplateReadResult read(QIODevice &device, TemplateOrigin origin);
    TemplateReadResult read(const QByteArray &bytes);

    /// Writes the template as version 25; the information's last change becomes now. The
    /// device must allow seeking back: every object record's end position is filled in after it.
    void write(QIODevice &device);
    QByteArray toBytes();
    /// Writes the XML export (.qx3) instead of the binary stream; the template is unchanged.
    void writeXml(QIODevice &device) const;

    TemplateBlockHandler &blocks() { return *m_blocks; }

    /// Class names of the add-in objects the last read left out, each once, in the order met.
    const QStringList &missingClasses() const { return m_missingClasses; }
    /// What made the last read fail (Unsupported or Damaged), for the technician; empty else.
    const QString &failure() const { return m_failure; }

private:
    TemplateReadResult readVersioned(QIODevice &device, int version, TemplateOrigin origin);
    void readFormImages(RecordReader &reader);
    bool passwordAccepted();
    void resetToEmptyPage();
    void showError(const QString &text) const;
    double now() const;

    TqxPages &m_pages;
    TemplateSettings &m_settings;
    ReportInfo &m_info;
    TemplateBlockHandler m_passThroughBlocks;
    TemplateBlockHandler *m_blocks = &m_passThroughBlocks;
    platform::DialogProvider *m_dialogs = nullptr;
    std::function<QDateTime()> m_now = [] { return QDateTime::currentDateTime(); };
    QString m_sourceName;
    QStringList m_missingClasses;
    QString m_failure;
};

} // namespace tovren::model
