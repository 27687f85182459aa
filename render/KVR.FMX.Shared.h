#pragma once
// The shared painting functions of the element code.
#include "render/KVR.FMX.BarcodePaint.h"
#include "render/KVR.FMX.Filters.h"
#include "render/KVR.FMX.LineTypes.h"
#include "render/KVR.FMX.Text.h"
#include "render/KVR.FMX.Types.h"
