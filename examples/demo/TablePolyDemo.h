#pragma once
class TKVRBaseLabel;

// A data table and poly-texts as texts, linear barcode, QR code and Data
// Matrix, laid out on an A4 page between 100 and 190 mm from its top.
void BuildTablePolyDemo(TKVRBaseLabel& doc);
