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
    Q_PROPERTY(int Gap READ GetGap WRITE setGap)
    Q_PROPERTY(int SizeRef READ GetSizeRef WRITE setSizeRef)
    Q_PROPERTY(KVRFmx::TKVRSnapOptions Snap READ GetSnap WRITE setSnap)
    Q_PROPERTY(bool OrtoLines READ GetOrtoLines WRITE setOrtoLines)
    Q_PROPERTY(int Margin READ GetMargin WRITE setMargin)
    Q_PROPERTY(uint MarginColor READ GetMarginColor WRITE setMarginColor)
    Q_PROPERTY(KVRFmx::TKVRZoom Zoom READ GetZoom WRITE setZoom)
    Q_PROPERTY(KVRFmx::TVKRLabelPos LabelPosition READ GetLabelPos WRITE setLabelPosition)
    Q_PROPERTY(KVRFmx::TKVREditorOptions Options READ GetOptions WRITE setOptions)
    Q_PROPERTY(bool EnabledMouseFilter READ GetEnabledMouseFilter WRITE setEnabledMouseFilter)
    Q_PROPERTY(bool ShowRefLines READ GetShowRefLines WRITE setShowRefLines)
    // Steps in the document's unit: a form has no document to hold them.
    Q_PROPERTY(float MoveX READ GetMoveX WRITE setMoveX STORED false DESIGNABLE false)
    Q_PROPERTY(float MoveY READ GetMoveY WRITE setMoveY STORED false DESIGNABLE false)
    // The option groups, and their flat twins for Designer and QUiLoader, which
    // set only the widget's own properties.
    Q_PROPERTY(TKVRRulers* Rulers READ GetRulers)
    Q_PROPERTY(TKVRGrid* Grid READ GetGrid)
    Q_PROPERTY(TKVRSelColors* SelectionColors READ GetSelectionColors)
    Q_PROPERTY(KVRFmx::TKVRShowRulers RulersVisible READ GetRulersVisible WRITE setRulersVisible)
    Q_PROPERTY(uint RulersSize READ GetRulersSize WRITE setRulersSize)
    Q_PROPERTY(bool RulersShowAlign READ GetRulersShowAlign WRITE setRulersShowAlign)
    Q_PROPERTY(bool RulersShowSize READ GetRulersShowSize WRITE setRulersShowSize)
    Q_PROPERTY(KVRFmx::TKVRGridDraw GridStyle READ GetGridStyle WRITE setGridStyle)
    Q_PROPERTY(uint GridStepColor READ GetGridStepColor WRITE setGridStepColor)
    Q_PROPERTY(uint GridUnitsColor READ GetGridUnitsColor WRITE setGridUnitsColor)

public:
    explicit TKVREditor(QWidget* aParent = nullptr) : TKVRBaseEditor(aParent) {}
    void ShowProp() {}
    // Dropped on a form, the editor shows its rulers, bars and a page.
    QSize sizeHint() const override { return {480, 360}; }

    // The setters a form compiled by uic calls: "set" and the property's name.
    void setGap(int aValue) { SetGap(aValue); }
    void setSizeRef(int aValue) { SetSizeRef(aValue); }
    void setSnap(TKVRSnapOptions aValue) { SetSnap(aValue); }
    void setOrtoLines(bool aValue) { SetOrtoLines(aValue); }
    void setMargin(int aValue) { SetMargin(aValue); }
    void setMarginColor(uint aValue) { SetMarginColor(aValue); }
    void setZoom(TKVRZoom aValue) { SetZoom(aValue); }
    void setLabelPosition(TVKRLabelPos aValue) { SetLabelPos(aValue); }
    void setOptions(TKVREditorOptions aValue) { SetEditorOptions(aValue); }
    void setEnabledMouseFilter(bool aValue) { SetEnabledfMouseFilter(aValue); }
    void setShowRefLines(bool aValue) { SetShowRefLines(aValue); }
    void setMoveX(float aValue) { SetMoveX(aValue); }
    void setMoveY(float aValue) { SetMoveY(aValue); }
    void setRulersVisible(TKVRShowRulers aValue) { SetRulersVisible(aValue); }
    void setRulersSize(uint aValue) { SetRulersSize(aValue); }
    void setRulersShowAlign(bool aValue) { SetRulersShowAlign(aValue); }
    void setRulersShowSize(bool aValue) { SetRulersShowSize(aValue); }
    void setGridStyle(TKVRGridDraw aValue) { SetGridStyle(aValue); }
    void setGridStepColor(uint aValue) { SetGridStepColor(aValue); }
    void setGridUnitsColor(uint aValue) { SetGridUnitsColor(aValue); }

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
