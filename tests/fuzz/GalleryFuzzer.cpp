// Feeds arbitrary bytes to the template-gallery (.qxt) reader: the preview part the new-report
// dialog shows for every file, and the template part it loads for the one chosen. Every input
// must end in one of the reader's outcomes: a crash, a hang, an oversized allocation or a
// sanitizer report is a fault.

#include "report/engine/GalleryFile.h"
#include "report/model/RecordStream.h"
#include "report/model/TemplateBlockHandler.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TqxPages.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <cstddef>
#include <cstdint>

namespace {

using tovren::engine::GalleryFile;
using tovren::model::ERecordFormat;

void readPreview(const QByteArray &bytes)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    try {
        GalleryFile::readPreview(file);
    } catch (const ERecordFormat &) {
    }
}

void readTemplate(const QByteArray &bytes)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    tovren::model::TqxPages pages;
    tovren::model::TemplateSettings settings;
    tovren::model::TemplateBlockHandler blocks;
    try {
        GalleryFile::readTemplate(file, pages, settings, blocks);
    } catch (const ERecordFormat &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // A mutated picture header claims an image of any size, and decoding it fills up to Qt's
    // 256 MB limit with nothing, ten milliseconds a run; the reader's handling of a picture that
    // cannot be read is the same at any size, so the campaign keeps to small ones.
    QImageReader::setAllocationLimit(16);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    readPreview(bytes);
    readTemplate(bytes);
    return 0;
}
