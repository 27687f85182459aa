#include "render/KVR.FMX.Filters.h"

const std::array<TKVRSkiaFilter, 3> FiltersSkia = {{
    {QStringLiteral("None"),
     {1, 0, 0, 0, 0,
      0, 1, 0, 0, 0,
      0, 0, 1, 0, 0,
      0, 0, 0, 1, 0}},
    {QStringLiteral("Grayscale"),
     {0.299f, 0.587f, 0.114f, 0, 0,
      0.299f, 0.587f, 0.114f, 0, 0,
      0.299f, 0.587f, 0.114f, 0, 0,
      0, 0, 0, 1, 0}},
    {QStringLiteral("Black and White"),
     {1.5f, 1.5f, 1.5f, 0, 0,
      1.5f, 1.5f, 1.5f, 0, 0,
      1.5f, 1.5f, 1.5f, 0, 0,
      0, 0, 0, 1, 0}},
}};
