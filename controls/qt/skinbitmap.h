#pragma once
// Loading a skin bitmap for a control, with the design's notion of failure:
// an identifier the program has no bitmap for cannot be loaded. SkinImage()
// itself always answers (with a placeholder), so controls ask here first.
#include <QImage>
#include <optional>

std::optional<QImage> LoadSkinBitmap(int id);
