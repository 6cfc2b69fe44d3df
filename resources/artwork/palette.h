#pragma once
// Colours and fonts shared by every piece of the skin, so one change here
// restyles the whole program. Dark graphite body, slate-blue panels, a cyan
// accent for light and an amber one for warnings.
#include <QColor>
#include <QString>

namespace palette {

inline const QColor kOutside{0x0b, 0x0c, 0x0e};     // beyond the rounded window outline
inline const QColor kBodyTop{0x25, 0x2a, 0x31};
inline const QColor kBodyBottom{0x15, 0x18, 0x1c};
inline const QColor kHeaderTop{0x2e, 0x34, 0x3c};
inline const QColor kWell{0x07, 0x08, 0x0a};          // bottom of recesses
inline const QColor kBezelTop{0x33, 0x39, 0x42};
inline const QColor kBezelBottom{0x1c, 0x20, 0x25};

inline const QColor kKeyTop{0x3b, 0x42, 0x4c};
inline const QColor kKeyBottom{0x23, 0x27, 0x2e};
inline const QColor kKeyHoverTop{0x43, 0x4b, 0x56};
inline const QColor kKeyHoverBottom{0x27, 0x2c, 0x34};
inline const QColor kKeyPressedTop{0x13, 0x16, 0x1a};
inline const QColor kKeyPressedBottom{0x1d, 0x21, 0x27};

inline const QColor kGlyph{0xd9, 0xdf, 0xe6};
inline const QColor kGlyphDim{0x7d, 0x87, 0x93};
inline const QColor kAccent{0x34, 0xcd, 0xf2};       // cyan light
inline const QColor kAccentDeep{0x12, 0x7f, 0xa6};
inline const QColor kAmber{0xff, 0xae, 0x42};
inline const QColor kAlert{0xff, 0x5a, 0x4a};        // close button glow

inline const QColor kPanelTop{0x2a, 0x31, 0x3b};
inline const QColor kPanelBottom{0x1b, 0x20, 0x27};
inline const QColor kListFill{51, 65, 89};           // the record list paints itself in this
inline const QColor kEditFill{61, 89, 123};          // the information panel's edits
inline const QColor kStrip{0x22, 0x2b, 0x38};

inline const QString kFont = QStringLiteral("DejaVu Sans");
inline const QString kFontCondensed = QStringLiteral("DejaVu Sans Condensed");

}  // namespace palette
