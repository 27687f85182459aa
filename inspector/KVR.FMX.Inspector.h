#pragma once
// The property inspector component: the grid with its published properties,
// and everything a host needs to place one beside an editor.
#include "document/KVR.FMX.h"
#include "inspector/KVR.FMX.Inspector.Types.h"
#include "inspector/TKVRBaseInspector.h"

class TKVRInspector : public TKVRBaseInspector
{
    Q_OBJECT
    Q_PROPERTY(TVXLabelFMX* Zorvel READ GetLabel WRITE SetLabel DESIGNABLE false)
    Q_PROPERTY(uint InspectPropBase READ GetBaseTypes WRITE setInspectPropBase)
    Q_PROPERTY(uint InspectProp READ GetTypes WRITE setInspectProp)
    Q_PROPERTY(KVRFmxInspector::TVXInspectorOptions Options READ GetOptions WRITE setOptions)
    Q_PROPERTY(uint BackColor READ GetBackColor WRITE setBackColor)
    Q_PROPERTY(uint TitleColor READ GetTitleColor WRITE setTitleColor)
    Q_PROPERTY(uint ValueColor READ GetValueColor WRITE setValueColor)
    Q_PROPERTY(uint EditColor READ GetEditColor WRITE setEditColor)
    Q_PROPERTY(uint SelColor READ GetSelColor WRITE setSelColor)
    Q_PROPERTY(uint SelButColor READ GetSelButColor WRITE setSelButColor)
    Q_PROPERTY(uint ArrowColor READ GetArrowColor WRITE setArrowColor)

public:
    // The document's rows are laid out for the inspector's resolution.
    explicit TKVRInspector(QWidget* aParent = nullptr) : TKVRBaseInspector(aParent) { TJSONUtils::DPI = fDPIX; }

    // The names forms compiled by uic call.
    void setInspectPropBase(uint aValue) { SetBaseTypes(aValue); }
    void setInspectProp(uint aValue) { SetTypes(aValue); }
    void setOptions(KVRFmxInspector::TVXInspectorOptions aValue) { SetOptions(aValue); }
    void setBackColor(uint aValue) { SetBackColor(aValue); }
    void setTitleColor(uint aValue) { SetTitleColor(aValue); }
    void setValueColor(uint aValue) { SetValueColor(aValue); }
    void setEditColor(uint aValue) { SetEditColor(aValue); }
    void setSelColor(uint aValue) { SetSelColor(aValue); }
    void setSelButColor(uint aValue) { SetSelButColor(aValue); }
    void setArrowColor(uint aValue) { SetArrowColor(aValue); }
};
