#pragma once
// The printer-side drawing types in one include.
#include "platform/fmx/FMX.Types.h"
#include "platform/fmx/TBitmap.h"
#include "platform/fmx/TBrush.h"
#include "platform/fmx/TCanvas.h"
#include "platform/fmx/TFont.h"
#include "platform/fmx/TPathData.h"
#include "platform/rtl/geometry/System.Math.Vectors.h"
