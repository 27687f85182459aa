#pragma once
#include <QString>
class TKVRBaseLabel;

// A text, a paragraph, rich text, a picture and barcodes of every kind.
// aPictureFolder receives the sample picture that the image element shows.
void BuildTextsCodesDemo(TKVRBaseLabel& doc, const QString& aPictureFolder);
// Linear barcodes of every symbology, two columns.
void BuildBarcodesDemo(TKVRBaseLabel& doc);
