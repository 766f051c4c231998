#pragma once

#include <QIcon>

namespace tovren::designer {

/// A tool button's icon in the greyed-until-hovered look: grey while the mouse is elsewhere,
/// in colour under the mouse (the toolkit's active mode) and while the button is down.
QIcon grayedUntilHovered(const QIcon &icon, QSize size = QSize(16, 16));

/// The picture in grey, each pixel at (77 red + 150 green + 29 blue) / 256, alpha kept.
QImage toGray(const QImage &image);

} // namespace tovren::designer
