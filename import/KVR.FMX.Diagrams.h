#pragma once
// Diagram import: Gantt task lists and Mermaid-style flowcharts, read into
// models and laid out in micrometres; the element factory builds the drawing.
#include "import/KVR.FMX.Diagrams.Gantt.h"
#include "import/KVR.FMX.Diagrams.Layout.h"
#include "import/KVR.FMX.Diagrams.Mermaid.h"
