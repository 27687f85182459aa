#pragma once
// The property inspector component: the grid with its published properties,
// and everything a host needs to place one beside an editor.
#include "document/KVR.FMX.h"
#include "inspector/KVR.FMX.Inspector.Types.h"
#include "inspector/TKVRBaseInspector.h"

class TKVRInspector : public TKVRBaseInspector
{
    Q_OBJECT
    Q_PROPERTY(TVXLabelFMX* Zorvel READ GetLabel WRITE SetLabel)
    Q_PROPERTY(uint InspectPropBase READ GetBaseTypes WRITE SetBaseTypes)
    Q_PROPERTY(uint InspectProp READ GetTypes WRITE SetTypes)
    Q_PROPERTY(KVRFmxInspector::TVXInspectorOptions Options READ GetOptions WRITE SetOptions)
    Q_PROPERTY(uint BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(uint TitleColor READ GetTitleColor WRITE SetTitleColor)
    Q_PROPERTY(uint ValueColor READ GetValueColor WRITE SetValueColor)
    Q_PROPERTY(uint EditColor READ GetEditColor WRITE SetEditColor)
    Q_PROPERTY(uint SelColor READ GetSelColor WRITE SetSelColor)
    Q_PROPERTY(uint SelButColor READ GetSelButColor WRITE SetSelButColor)
    Q_PROPERTY(uint ArrowColor READ GetArrowColor WRITE SetArrowColor)

public:
    // The document's rows are laid out for the inspector's resolution.
    explicit TKVRInspector(QWidget* aParent = nullptr) : TKVRBaseInspector(aParent) { TJSONUtils::DPI = fDPIX; }
};
