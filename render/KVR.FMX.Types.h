#pragma once
// The rendering core: drawing context, font cache and text layout, line types,
// line ends, barcode painting and bitmap filters.
#include "render/KVR.FMX.Bitmaps.h"
#include "render/KVR.FMX.BarcodePaint.h"
#include "render/KVR.FMX.LineTypes.h"
#include "render/KVR.FMX.Text.h"
#include "render/TKVRCalc.h"
#include "render/TKVRDraw.h"
