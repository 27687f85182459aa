#pragma once
// The shared painting functions of the element code.
#include "render/KVR.FMX.Types.h"
