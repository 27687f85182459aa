#pragma once
// Enumerations and sets of the editor, published to Qt's meta-object system so
// that Designer and QUiLoader can set the editor's properties.
#include <QFlags>
#include <QObject>
#include <cstdint>

namespace KVRFmx {
Q_NAMESPACE

enum class TKVRStateInfo : uint8_t { siNone, siOn, siOff };
Q_ENUM_NS(TKVRStateInfo)

enum class TKVRTypeInfo : uint8_t { tiSnapToGrid, tiOrto };
Q_ENUM_NS(TKVRTypeInfo)

enum class TKVRRulerStyle : uint8_t { rsStyle01, rsStyle02 };
Q_ENUM_NS(TKVRRulerStyle)

// One bit per ruler: 0 left, 1 top, 2 right, 3 bottom.
enum TKVRRulerVisible : uint8_t { rvLeft = 1 << 0, rvTop = 1 << 1, rvRight = 1 << 2, rvBottom = 1 << 3 };
Q_DECLARE_FLAGS(TKVRShowRulers, TKVRRulerVisible)
Q_FLAG_NS(TKVRShowRulers)

// The editor's own enumerations are unscoped: Designer writes a form's value
// as "KVRFmx::zm200", which uic copies into C++ as it stands.
enum TKVRGridDraw : uint8_t { gdNone, gdPoints, gdLines };
Q_ENUM_NS(TKVRGridDraw)

enum TKVRZoom : uint8_t {
    zm25, zm50, zm75, zm100, zm125, zm150, zm175, zm200, zm250, zm300, zm350, zm400, zm450, zm500,
    zmWidth, zmHeight, zmFitAll
};
Q_ENUM_NS(TKVRZoom)

enum TVKRLabelPos : uint8_t { lbTopLeft, lbCenter };
Q_ENUM_NS(TVKRLabelPos)

enum class TGridMeasureType : uint8_t { mtPercentage, mtAbsolute };

// Snap kinds as bits (the document's kind numbers).
enum TKVRSnapOption : uint16_t {
    skPoint = 1 << 0, skGrid = 1 << 1, skMiddle = 1 << 2, skCenter = 1 << 3, skEnd = 1 << 4,
    skSymbolRef = 1 << 5, skCross = 1 << 6, skTangent = 1 << 7, skPerpendicular = 1 << 8
};
Q_DECLARE_FLAGS(TKVRSnapOptions, TKVRSnapOption)
Q_FLAG_NS(TKVRSnapOptions)

// The editor's twelve options.
enum TKVREditorOption : uint16_t {
    eoZoomBox = 1 << 0,       // column 0 shows the zoom box
    eoUnitsButton = 1 << 1,   // column 1 shows the units button
    eoSettings = 1 << 2,      // row 0 shows the settings button
    eoRotate = 1 << 3,        // row 1 shows the rotate button
    eoOrtoInfo = 1 << 4,      // column 2 shows the ortho indicator
    eoSnapInfo = 1 << 5,      // the snap indicator
    eoCoordInput = 1 << 6,    // coordinate entry while drawing
    eoWheel = 1 << 7,         // the wheel scrolls and zooms
    eoDblClick = 1 << 8,      // double clicks on the surface
    eoLinkPoints = 1 << 9,    // link points of the elements are drawn
    eoRichText = 1 << 10,     // in-place rich-text work
    eoDocFlag = 1 << 11,      // handed to the document and to its drawing context
};
Q_DECLARE_FLAGS(TKVREditorOptions, TKVREditorOption)
Q_FLAG_NS(TKVREditorOptions)
}  // namespace KVRFmx

Q_DECLARE_OPERATORS_FOR_FLAGS(KVRFmx::TKVRShowRulers)
Q_DECLARE_OPERATORS_FOR_FLAGS(KVRFmx::TKVRSnapOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(KVRFmx::TKVREditorOptions)

// The namespace only serves the meta-object system; hosts and the editor use
// the types and values by their own names.
using namespace KVRFmx;
