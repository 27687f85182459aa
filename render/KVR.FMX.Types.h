#pragma once
// The rendering core: drawing context, font cache and text layout, line types,
// line ends, barcode painting and bitmap filters.
#include "render/KVR.FMX.Bitmaps.h"
#include "render/TKVRDraw.h"
