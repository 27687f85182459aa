#pragma once
// The one painter of a sheet of labels, for the preview and the export: the
// cells of a page as the run fills them, each showing its own record.
#include <QStringList>
#include <cstdint>

class TVXLabelFMX;
class TKVRDraw;

// Paints page aPage (from 1; below 1 is page 1) of the document's prepared
// run on aDraw's canvas, in pixels at aDraw's resolution: per cell the
// background picture, then the elements whose state words carry aBits;
// data-bound ones through a fresh copy that shows the cell's record. Cell
// origins are summed in 64 bits. The document's current record is put back
// afterwards, also when painting raises. A sheet or start cell the run's walk
// refuses raises std::invalid_argument. Returns the labels whose barcode value
// the symbology refused.
QStringList KVRPaintSheet(TVXLabelFMX& aDoc, TKVRDraw& aDraw, int32_t aPage, uint16_t aBits);
