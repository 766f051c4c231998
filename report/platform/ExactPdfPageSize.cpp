#include "report/platform/ExactPdfPageSize.h"

#include <cmath>

namespace tovren::platform {

namespace {

const QByteArray kMediaBox = QByteArrayLiteral("/MediaBox [");
const QByteArray kTrimBox = QByteArrayLiteral("/TrimBox [");
// Longest tail that may be the start of a box name cut off by the end of a write.
constexpr qsizetype kHeldTail = 16;

// Two decimals (0.005 pt) without the leading zero, so the values fit the writer's own text.
QByteArray compactNumber(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 2);
    while (text.contains('.') && (text.endsWith('0') || text.endsWith('.')))
        text.chop(1);
    if (text.startsWith("0."))
        text.remove(0, 1);
    else if (text.startsWith("-0."))
        text.remove(1, 1);
    if (text.isEmpty() || text == "-")
        text = "0";
    return text;
}

} // namespace

QByteArray exactBoxValues(PointsSizeF exact, const QByteArray &writtenHeightText, qsizetype length)
{
    bool ok = false;
    const double writtenHeight = writtenHeightText.toDouble(&ok);
    if (!ok)
        return {};
    // The drawing hangs from the written height, so the box's top stays there and its bottom
    // moves up (or down) to give the exact height.
    const QByteArray values = "0 " + compactNumber(writtenHeight - exact.height()) + ' ' +
                              compactNumber(exact.width()) + ' ' + writtenHeightText;
    if (values.size() > length)
        return {};
    return values + QByteArray(length - values.size(), ' ');
}

ExactPdfPageSize::ExactPdfPageSize(QIODevice &target)
    : m_target(target)
{
    open(QIODevice::WriteOnly);
}

ExactPdfPageSize::~ExactPdfPageSize()
{
    if (isOpen())
        close();
}

void ExactPdfPageSize::queuePage(PointsSizeF exactSize)
{
    m_queued.push_back(exactSize);
}

qint64 ExactPdfPageSize::readData(char *, qint64)
{
    return -1;
}

qint64 ExactPdfPageSize::writeData(const char *data, qint64 size)
{
    m_pending.append(data, size);
    if (!rewriteBoxesInPending())
        return -1;
    return size;
}

bool ExactPdfPageSize::rewriteBoxesInPending()
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype media = m_pending.indexOf(kMediaBox, from);
        const qsizetype trim = m_pending.indexOf(kTrimBox, from);
        qsizetype box = media;
        if (box < 0 || (trim >= 0 && trim < box))
            box = trim;
        if (box < 0)
            break;
        const qsizetype valuesStart = box + (box == media ? kMediaBox.size() : kTrimBox.size());
        const qsizetype valuesEnd = m_pending.indexOf(']', valuesStart);
        if (valuesEnd < 0) {
            // The box is cut off by the end of this write: hold it back until the rest comes.
            if (m_target.write(m_pending.constData(), box) != box)
                return false;
            m_pending.remove(0, box);
            return true;
        }
        if (box == media) {
            m_currentPage = m_queued.empty() ? PointsSizeF() : m_queued.front();
            if (!m_queued.empty())
                m_queued.pop_front();
        }
        rewriteBox(box, valuesStart, valuesEnd);
        from = valuesEnd;
    }
    const qsizetype keep = std::min(kHeldTail, m_pending.size());
    const qsizetype out = m_pending.size() - keep;
    if (out > 0 && m_target.write(m_pending.constData(), out) != out)
        return false;
    m_pending.remove(0, out);
    return true;
}

bool ExactPdfPageSize::rewriteBox(qsizetype, qsizetype valuesStart, qsizetype valuesEnd)
{
    if (!m_currentPage.isValid())
        return false;
    const QByteArray values = m_pending.mid(valuesStart, valuesEnd - valuesStart);
    const QList<QByteArray> parts = values.simplified().split(' ');
    if (parts.size() != 4 || parts[0] != "0" || parts[1] != "0")
        return false;
    const QByteArray exact = exactBoxValues(m_currentPage, parts[3], values.size());
    if (exact.isEmpty())
        return false;
    m_pending.replace(valuesStart, values.size(), exact);
    return true;
}

bool ExactPdfPageSize::flushPending()
{
    const bool written = m_target.write(m_pending) == m_pending.size();
    m_pending.clear();
    return written;
}

void ExactPdfPageSize::close()
{
    flushPending();
    QIODevice::close();
}

} // namespace tovren::platform
