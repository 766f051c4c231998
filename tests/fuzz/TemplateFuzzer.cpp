// Feeds arbitrary bytes to the template reader, as a template file and as form data. Every input
// must end in one of the reader's outcomes: a crash, a hang, an oversized allocation or a
// sanitizer report is a fault. A template that loads must also survive being written and read
// back.

#include "report/model/RecordStream.h"
#include "report/model/ReportFormData.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxPages.h"
#include "report/platform/DialogProvider.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace tovren::model;

/// Lets every message pass and refuses the password, as a person who cancels would.
class SilentDialogs : public tovren::platform::DialogProvider
{
public:
    int messageBox(const QString &, const QString &, int) override
    {
        return tovren::platform::mrOk;
    }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

struct Template
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    SilentDialogs dialogs;
    TemplateStream stream{pages, settings, info};

    Template() { stream.setDialogs(&dialogs); }
};

void fuzzTemplate(const QByteArray &bytes)
{
    Template first;
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    if (first.stream.read(file, TemplateOrigin::File) != TemplateReadResult::Loaded)
        return;
    const QByteArray written = first.stream.toBytes();
    Template second;
    if (second.stream.read(written) != TemplateReadResult::Loaded)
        std::abort(); // what this program writes, it must read
    QBuffer xml;
    xml.open(QIODevice::WriteOnly);
    second.stream.writeXml(xml);
}

void fuzzFormData(const QByteArray &bytes)
{
    try {
        const std::optional<QByteArray> stream = readReportFormData(bytes, true);
        Template report;
        report.stream.read(stream.value_or(QByteArray()));
    } catch (const ERecordFormat &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    fuzzTemplate(bytes);
    fuzzFormData(bytes);
    return 0;
}
