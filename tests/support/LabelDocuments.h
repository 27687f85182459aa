#pragma once
// Documents shared by the tests, the benchmarks and the fuzz seeds, and their
// bytes as the label file and the element stream hold them. Free of gtest:
// failures raise std::runtime_error.
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

// Three symbols: one of every drawing command, one of text, an empty one.
extern const char* const kSymbolLibrary;

// One element of each kind 1..29, in kind order, on a second layer with a
// background picture, with a counter, JSON data, a library symbol, a map, a
// dimension style and non-ASCII text, every label setting off its default;
// every element has its points. The text (kind 10) and the barcode (kind 12) are bound to the
// data field "Name"; the link joins the flow to the point.
void BuildEveryKind(TVXLabelFMX& aDoc);
// Only its elements, on the active layer, with the document's settings left as they are.
void AddEveryKindElements(TVXLabelFMX& aDoc);

// A sheet of 3 columns and 8 rows of 70 x 37 mm on A4 (top margin 0.5 mm);
// each label: the field "Name" as a text at (3, 3) mm and the field "Code" as
// a Code 128 at (3, 12) mm, 15 mm high; with aLinks also the field "Link" as
// a QR code at (46, 8) mm. Records "Lbl-01", "C0001", ... written to aCsvFile.
void BuildSheet(TVXLabelFMX& aDoc, const QString& aCsvFile, int aRecords, bool aLinks = false);

// Kind codes of the document's elements, in order.
std::vector<int32_t> KindsOf(const TKVRBaseLabel& aDoc);
// Everything the document holds, as its JSON text.
std::string Snapshot(const TKVRBaseLabel& aDoc);

// The binary label file of the document, as SaveToStream writes it.
QByteArray SaveEti(const TVXLabelFMX& aDoc);
// One element as the single-element stream holds it: the file version, then its record.
QByteArray ElementRecord(const TKVRBaseItem& aItem, int32_t aVersion = TKVRBaseLabel::KVRFileVersion);

QByteArray ReadAll(const QString& aFileName);
void WriteAll(const QString& aFileName, const QByteArray& aBytes);
