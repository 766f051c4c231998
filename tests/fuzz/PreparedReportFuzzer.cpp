// Feeds arbitrary bytes to the prepared-report (.qxp) reader, then does with what was read what
// the preview does: unpacks each page, draws it and writes the file again. Every input must end
// in one of the reader's outcomes: a crash, a hang, an oversized allocation or a sanitizer report
// is a fault, and a file this program writes must read back.

#include "report/engine/TqxEMFPages.h"
#include "report/model/RecordStream.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using tovren::engine::TqxEMFPages;

/// The preview shows a few pages at a time; more would only slow the search down.
constexpr qsizetype kPagesDrawn = 4;

void drawPages(TqxEMFPages &pages)
{
    QImage image(60, 85, QImage::Format_ARGB32_Premultiplied);
    for (qsizetype i = 0; i < std::min(pages.Count(), kPagesDrawn); ++i) {
        image.fill(Qt::white);
        QPainter painter(&image);
        pages.Page(i).visible = true;
        try {
            pages.Draw(i, painter, image.rect());
        } catch (const tovren::model::ERecordFormat &) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QBuffer file;
    file.setData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    file.open(QIODevice::ReadOnly);
    TqxEMFPages pages;
    bool whole = true;
    try {
        pages.ReadPagesFile(file);
    } catch (const tovren::model::ERecordFormat &) {
        whole = false; // the pages before the damage are kept and must be usable
    }
    drawPages(pages);

    QBuffer written;
    written.open(QIODevice::WriteOnly);
    pages.WritePagesFile(written, QStringLiteral("printer"), 1);
    written.close();
    written.open(QIODevice::ReadOnly);
    TqxEMFPages again;
    again.ReadPagesFile(written); // what this program writes, it must read
    if (again.Count() != pages.Count())
        std::abort();
    (void)whole;
    return 0;
}
