// Feeds arbitrary bytes to the designer's clipboard reader as another running copy of the
// program would offer them on the desktop's clipboard, and pastes what it accepts onto a page,
// then copies the pasted objects again. The bytes are also pasted as one object stream, so the
// record reader behind the clipboard is reached without the envelope. Every input must be pasted
// or refused with a reason: a crash, a hang, an oversized allocation or a sanitizer report is a
// fault, a refusal must leave the page as it was, and what this program copies must paste again.

#include "report/designer/ObjectClipboard.h"
#include "report/model/TqxPages.h"

#include <QGuiApplication>
#include <QMimeData>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using tovren::designer::ClipboardPaste;
using tovren::designer::ObjectClipboard;

void pasteAndCopyAgain(const QList<QByteArray> &streams)
{
    tovren::model::TqxPages pages;
    tovren::model::TqxPage &page = *pages.page(pages.Add());
    const ClipboardPaste::Result result =
        ClipboardPaste::paste(streams, pages, page, QPoint(-37, -50), 4);
    if (!result.problem.isEmpty()) {
        if (!result.pasted.empty() || page.objectCount() != 0)
            std::abort();
        return;
    }
    ObjectClipboard again;
    again.copySelection(page);
    const std::unique_ptr<QMimeData> offered(again.toMimeData(page));
    const std::optional<QList<QByteArray>> read = ObjectClipboard::fromMimeData(*offered, nullptr);
    if (!read || *read != again.streams())
        std::abort();
    tovren::model::TqxPages otherPages;
    tovren::model::TqxPage &other = *otherPages.page(otherPages.Add());
    if (!ClipboardPaste::paste(*read, otherPages, other, QPoint(0, 0), 4).problem.isEmpty())
        std::abort();
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
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QMimeData offered;
    offered.setData(ObjectClipboard::kMimeType, bytes);
    QString problem;
    if (const std::optional<QList<QByteArray>> streams =
            ObjectClipboard::fromMimeData(offered, &problem))
        pasteAndCopyAgain(*streams);
    else if (problem.isEmpty())
        std::abort();
    pasteAndCopyAgain({bytes});
    return 0;
}
