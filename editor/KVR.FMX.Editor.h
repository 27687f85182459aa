#pragma once
// The editor component: the frame with its published properties, and
// everything a host needs to place one on a form.
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.Types.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRBaseEditor.h"
#include "editor/TKVREditorOptions.h"
#include "editor/TKVRInfoEd.h"

class TKVREditor : public TKVRBaseEditor
{
    Q_OBJECT
    Q_PROPERTY(TVXLabelFMX* Zorvel READ GetLabel WRITE SetLabel)
    Q_PROPERTY(int Gap READ GetGap WRITE SetGap)
    Q_PROPERTY(int SizeRef READ GetSizeRef WRITE SetSizeRef)
    Q_PROPERTY(KVRFmx::TKVRSnapOptions Snap READ GetSnap WRITE SetSnap)
    Q_PROPERTY(bool OrtoLines READ GetOrtoLines WRITE SetOrtoLines)
    Q_PROPERTY(int Margin READ GetMargin WRITE SetMargin)
    Q_PROPERTY(uint MarginColor READ GetMarginColor WRITE SetMarginColor)
    Q_PROPERTY(KVRFmx::TKVRZoom Zoom READ GetZoom WRITE SetZoom)
    Q_PROPERTY(KVRFmx::TVKRLabelPos LabelPosition READ GetLabelPos WRITE SetLabelPos)
    Q_PROPERTY(KVRFmx::TKVREditorOptions Options READ GetOptions WRITE SetEditorOptions)
    Q_PROPERTY(bool EnabledMouseFilter READ GetEnabledMouseFilter WRITE SetEnabledfMouseFilter)
    Q_PROPERTY(bool ShowRefLines READ GetShowRefLines WRITE SetShowRefLines)
    Q_PROPERTY(float MoveX READ GetMoveX WRITE SetMoveX STORED false)
    Q_PROPERTY(float MoveY READ GetMoveY WRITE SetMoveY STORED false)
    // The option groups, and their flat twins for Designer and QUiLoader, which
    // set only the widget's own properties.
    Q_PROPERTY(TKVRRulers* Rulers READ GetRulers)
    Q_PROPERTY(TKVRGrid* Grid READ GetGrid)
    Q_PROPERTY(TKVRSelColors* SelectionColors READ GetSelectionColors)
    Q_PROPERTY(KVRFmx::TKVRShowRulers RulersVisible READ GetRulersVisible WRITE SetRulersVisible)
    Q_PROPERTY(uint RulersSize READ GetRulersSize WRITE SetRulersSize)
    Q_PROPERTY(bool RulersShowAlign READ GetRulersShowAlign WRITE SetRulersShowAlign)
    Q_PROPERTY(bool RulersShowSize READ GetRulersShowSize WRITE SetRulersShowSize)
    Q_PROPERTY(KVRFmx::TKVRGridDraw GridStyle READ GetGridStyle WRITE SetGridStyle)
    Q_PROPERTY(uint GridStepColor READ GetGridStepColor WRITE SetGridStepColor)
    Q_PROPERTY(uint GridUnitsColor READ GetGridUnitsColor WRITE SetGridUnitsColor)

public:
    explicit TKVREditor(QWidget* aParent = nullptr) : TKVRBaseEditor(aParent) {}
    void ShowProp() {}

    TKVRShowRulers GetRulersVisible() const { return GetRulers()->GetVisible(); }
    void SetRulersVisible(TKVRShowRulers aValue) { GetRulers()->SetVisible(aValue); }
    uint GetRulersSize() const { return GetRulers()->GetSize(); }
    void SetRulersSize(uint aValue) { GetRulers()->SetSize(aValue); }
    bool GetRulersShowAlign() const { return GetRulers()->GetShowAlign(); }
    void SetRulersShowAlign(bool aValue) { GetRulers()->SetShowAlign(aValue); }
    bool GetRulersShowSize() const { return GetRulers()->GetShowSize(); }
    void SetRulersShowSize(bool aValue) { GetRulers()->SetShowSize(aValue); }
    TKVRGridDraw GetGridStyle() const { return GetGrid()->GetStyle(); }
    void SetGridStyle(TKVRGridDraw aValue) { GetGrid()->SetStyle(aValue); }
    uint GetGridStepColor() const { return GetGrid()->GetStepColor(); }
    void SetGridStepColor(uint aValue) { GetGrid()->SetStepColor(aValue); }
    uint GetGridUnitsColor() const { return GetGrid()->GetUnitsColor(); }
    void SetGridUnitsColor(uint aValue) { GetGrid()->SetUnitsColor(aValue); }
};
