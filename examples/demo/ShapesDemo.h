#pragma once
class TKVRBaseLabel;

// One element of each shape and line kind, laid out on an A4 page.
void BuildShapesDemo(TKVRBaseLabel& doc);
