#pragma once
// The inspector's options, published to Qt's meta-object system so that
// Designer and QUiLoader can set them.
#include <QFlags>
#include <QObject>
#include <cstdint>

namespace KVRFmxInspector {
Q_NAMESPACE

enum TVXInspectorOption : uint8_t {
    ioEditProp = 1 << 0,   // the document may open a property's editor (change 14)
    ioReserved = 1 << 1,   // kept for hosts; the inspector does not read it
    ioMapButton = 1 << 2,  // picture parts offer the background-map button
};
Q_DECLARE_FLAGS(TVXInspectorOptions, TVXInspectorOption)
Q_FLAG_NS(TVXInspectorOptions)
}  // namespace KVRFmxInspector

Q_DECLARE_OPERATORS_FOR_FLAGS(KVRFmxInspector::TVXInspectorOptions)

using KVRFmxInspector::TVXInspectorOption;
using KVRFmxInspector::TVXInspectorOptions;
