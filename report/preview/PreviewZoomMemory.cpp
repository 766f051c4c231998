#include "report/preview/PreviewZoomMemory.h"

namespace tovren::preview {

PreviewZoomMemory &PreviewZoomMemory::last()
{
    static PreviewZoomMemory memory;
    return memory;
}

} // namespace tovren::preview
