#pragma once
#include <QString>
class TKVRBaseLabel;

// Three library symbols, built from their JSON definitions, in the band
// from 245 to 290 mm of an A4 page; the last one scaled and turned.
void BuildSymbolsDemo(TKVRBaseLabel& doc);
// The same symbols as a library file "sample.lyp" in aFolder (made when
// missing); answers the folder.
QString WriteDemoLibrary(const QString& aFolder);
