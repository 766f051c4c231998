#include "report/model/TemplateStream.h"

#include "report/model/FormImageBlock.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TemplateXmlExport.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPages.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/FileProblems.h"
#include "report/platform/StringTable.h"

#include <QBuffer>

namespace tovren::model {

namespace {

constexpr int kOldestVersion = 21;
constexpr int kUnversionedLimit = 20;
constexpr quint8 kEndMarker = 252;
constexpr int kErrorCaption = 55206;
constexpr int kUnsupportedFormat = 55345;
constexpr int kPasswordCaption = 55653;
constexpr int kPasswordPrompt = 55654;

/// Publishes the version being read to every record reader and restores the current one.
class LoadingVersionScope
{
public:
    explicit LoadingVersionScope(int version) { runState().loadingVersion = version; }
    ~LoadingVersionScope() { runState().loadingVersion = kCurrentStreamVersion; }
    LoadingVersionScope(const LoadingVersionScope &) = delete;
    LoadingVersionScope &operator=(const LoadingVersionScope &) = delete;
};

/// Each class once, in the order the read met them; the registry notes every failed record.
QStringList distinctClassNames(const QString &message)
{
    QStringList names;
    for (const QString &name : message.split(u'\r', Qt::SkipEmptyParts)) {
        if (!names.contains(name))
            names << name;
    }
    return names;
}

} // namespace

QString missingClassesText(const QStringList &classNames)
{
    QString text = QStringLiteral("报表包含以下未接入的组件:\r");
    for (const QString &name : classNames)
        text += platform::printableText(name) + u'\r';
    return text + QStringLiteral("这些组件的对象没有读入; 需要在程序中加入这些组件。");
}

TemplateStream::TemplateStream(TqxPages &pages, TemplateSettings &settings, ReportInfo &info)
    : m_pages(pages)
    , m_settings(settings)
    , m_info(info)
{}

void TemplateStream::setBlockHandler(TemplateBlockHandler *handler)
{
    m_blocks = handler ? handler : &m_passThroughBlocks;
}

TemplateReadResult TemplateStream::read(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, TemplateOrigin::Memory);
}

TemplateReadResult TemplateStream::read(QIODevice &device, TemplateOrigin origin)
{
    runState().drawingMode = DrawingMode::Designing;
    m_missingClasses.clear();
    m_failure.clear();
    if (device.atEnd())
        return TemplateReadResult::Empty;
    const qint64 start = device.pos();
    char first = 0;
    if (!device.getChar(&first))
        return TemplateReadResult::Empty;
    int version = static_cast<quint8>(first);
    if (version <= kUnversionedLimit) {
        // The oldest streams start with their settings, not with a version.
        version = kOldestVersion;
        device.seek(start);
    } else if (version > kCurrentStreamVersion) {
        m_failure = QStringLiteral("格式版本 %1 比本程序能读的 %2 新")
                        .arg(version)
                        .arg(kCurrentStreamVersion);
        showError(platform::LoadLibraryString(kUnsupportedFormat));
        return TemplateReadResult::Unsupported;
    }
    return readVersioned(device, version, origin);
}

TemplateReadResult TemplateStream::readVersioned(QIODevice &device, int version,
                                                 TemplateOrigin origin)
{
    ObjectRegistry &registry = TqxGlobals::instance().objects;
    registry.clearMissingClasses();
    const LoadingVersionScope loading(version);
    RecordReader reader(device, version);
    try {
        const PagePartEnd end = readPageList(reader, m_pages, m_settings, *m_blocks);
        if (end == PagePartEnd::EndMarker && !reader.atEnd()) {
            m_info = ReportInfo::read(reader);
            readFormImages(reader);
        } else {
            m_info.reset(now());
        }
    } catch (const std::exception &error) {
        m_failure = QString::fromUtf8(error.what());
        showError(platform::LoadLibraryString(kUnsupportedFormat));
        resetToEmptyPage();
        return TemplateReadResult::Damaged;
    }

    // The password is asked even when classes are missing, so a missing class never opens a
    // protected template.
    if (m_info.passwordProtected && origin == TemplateOrigin::File && !passwordAccepted()) {
        m_info.reset(now());
        resetToEmptyPage();
        return TemplateReadResult::PasswordRefused;
    }
    if (registry.missingClass()) {
        m_missingClasses = distinctClassNames(registry.missingClassMessage());
        showError(missingClassesText(m_missingClasses));
        return TemplateReadResult::MissingClasses;
    }
    return TemplateReadResult::Loaded;
}

void TemplateStream::readFormImages(RecordReader &reader)
{
    // The scans are a designing aid after everything else: a damaged block costs the scans
    // and says so, never the template.
    try {
        FormImageBlock::read(reader, m_pages);
    } catch (const ERecordFormat &error) {
        m_failure = QString::fromUtf8(error.what());
        showError(QStringLiteral("表格底图已损坏, 没有读入; 模板的其余部分已读入。"));
    }
}

bool TemplateStream::passwordAccepted()
{
    if (!m_dialogs)
        return false;
    const std::optional<QString> entered =
        m_dialogs->inputText(platform::LoadLibraryString(kPasswordCaption),
                             platform::LoadLibraryString(kPasswordPrompt), QString());
    return entered && *entered == m_info.password;
}

void TemplateStream::resetToEmptyPage()
{
    m_pages.Clear();
    m_pages.Add();
}

void TemplateStream::showError(const QString &text) const
{
    if (!m_dialogs)
        return;
    const QString shown =
        m_sourceName.isEmpty() ? text : text + QStringLiteral("\r文件: ") + m_sourceName;
    m_dialogs->messageBox(shown, platform::LoadLibraryString(kErrorCaption),
                          platform::mb_Ok | platform::mb_IconError);
}

double TemplateStream::now() const
{
    return toStoredDateTime(m_now());
}

void TemplateStream::write(QIODevice &device)
{
    runState().loadingVersion = kCurrentStreamVersion;
    RecordWriter writer(device);
    writer.writeByte(kCurrentStreamVersion);
    writePageList(writer, m_pages, m_settings, *m_blocks);
    writer.writeByte(kEndMarker);
    m_info.generatorVersion = ReportInfo::kGeneratorVersion;
    m_info.changedAt = now();
    m_info.write(writer);
    FormImageBlock::write(writer, m_pages);
}

QByteArray TemplateStream::toBytes()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return buffer.data();
}

} // namespace tovren::model

namespace tovren::model {

void TemplateStream::writeXml(QIODevice &device) const
{
    writeTemplateXml(device, m_pages, m_info, m_blocks->dictionaryVariables());
}

} // namespace tovren::model
