#include "app/ui/PrintRange.h"

namespace tovren::app {

void applyRecordCountText(const QString &boxText, PrintRange &range)
{
    bool ok = false;
    int value = boxText.trimmed().toInt(&ok);
    if (!ok)
        value = 0;
    if (value == 0) {
        range.end = PrintRange::End::Last;
        range.count = 0;
    } else if (value > 0) {
        range.end = PrintRange::End::Count;
        range.count = value;
    }
}

} // namespace tovren::app
