#pragma once

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// Puts the bands of @p page before all other objects (bands keep their relative order), so
/// they are always painted below them; then the first overlay band comes first and the cross
/// bands close the band section, each group keeping its order. The designer runs it after
/// every band insertion, paste, z-order change and field insertion, and when a page is shown.
void putBandsFirst(model::TqxPage &page);

} // namespace tovren::designer
