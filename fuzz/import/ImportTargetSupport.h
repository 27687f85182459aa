#pragma once
// What the diagram import targets share: a document with something in it, its
// canonical dump, and a ".json" round trip through a scratch folder.
#include "document/KVR.FMX.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRText.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <QTemporaryDir>
#include <memory>
#include <string>

namespace kvr::fuzz {

// A document holding one text on an inch label with its own layer defaults,
// so that an import that changes anything shows in the dump.
inline void FillDocument(TVXLabelFMX& aDoc)
{
    aDoc.SetUnits(TKVRUnits::Inch);
    aDoc.GetMeasure().SetPaperWidth(215900);
    TKVRLayer* layer = aDoc.GetActiveLayer();
    layer->FontName = QStringLiteral("Arial");
    layer->FontHeight = 3500;
    layer->PenWidth = 300;
    TKVRFactory::AddBaseText(&aDoc, 5000, 5000)->SetText(QStringLiteral("kept"));
}

inline std::string Dump(const TVXLabelFMX& aDoc)
{
    return aDoc.GetJson().dump();
}

// The document saved as ".json" and loaded into a new one, dumped; empty when
// either step fails.
inline std::string JsonRoundTrip(TVXLabelFMX& aDoc)
{
    static const auto dir = std::make_unique<QTemporaryDir>();
    const QString name = dir->filePath(QStringLiteral("import.json"));
    if (!aDoc.SaveToFile(name, KVRExt::Json))
        return {};
    TVXLabelFMX back;
    if (!back.LoadFromFile(name))
        return {};
    return Dump(back);
}

} // namespace kvr::fuzz
