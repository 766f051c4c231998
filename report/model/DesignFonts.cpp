#include "report/model/DesignFonts.h"

#include "report/model/Units.h"

namespace tovren::model {

QFont designLabelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(-fontPixelHeightFromPoints(8));
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace tovren::model
