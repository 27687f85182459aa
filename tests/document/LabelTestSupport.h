#pragma once
// Documents for the label component's tests: one element of every kind with
// data, layers, counters and symbols, and the helpers to look at saved files.
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

// Fills aDoc with one element of each kind 1..29 (in kind order), two layers,
// a counter, JSON data, a library symbol and non-ASCII text. The text (kind
// 10) and the barcode (kind 12) are bound to the data field "Name".
void BuildEveryKind(TVXLabelFMX& aDoc);

// Kind codes of the document's elements, in order.
std::vector<int32_t> KindsOf(const TKVRBaseLabel& aDoc);
// Everything the document holds, as its JSON text (label keys and elements).
std::string Snapshot(const TKVRBaseLabel& aDoc);

QByteArray ReadAll(const QString& aFileName);
void WriteAll(const QString& aFileName, const QByteArray& aBytes);

// Runs python3 with the script and the arguments; its standard output, or
// the test fails when it does not end with status 0.
QString RunPython(const QString& aScript, const QStringList& aArgs);
