#pragma once
// The grid's lists of data names, filled from a document's data.
#include "platform/rtl/model/KVR.Model.Props.h"
#include <QString>
#include <QStringList>

class TKVRBaseLabel;

// The entries of the grid's list aListProp when it lists data names (fields
// by type, data sets), by the document's field functions; false, leaving
// aList as it was, for every other list.
bool KVRNameList(const TKVRBaseLabel& aLabel, TVXListProp aListProp, QStringList& aList, const QString& aCurrent);
