#pragma once
// What the editor-settings dialog hands back when the user confirms it; the
// editor writes it into its options and the document's settings.
#include "editor/KVR.FMX.Editor.Types.h"
#include "platform/rtl/System.UITypes.h"

class TKVRBaseEditor;
class TVXLabelFMX;

struct TKVRSettingsValues
{
    bool RightRuler = false, LeftRuler = true, TopRuler = true, BottomRuler = false;
    bool ShowSizes = false;
    TAlphaColor SizeColor = 0xFF000080;
    bool ShowRefLines = false;
    TAlphaColor RefLinesColor = 0xFFE6E6FA;
    TAlphaColor AlignLinesColor = 0xFFF0FFFF;
    bool ShowAlignLines = false;
    TAlphaColor AlignTextColor = 0xFF000000;
    TKVRGridDraw GridStyle = TKVRGridDraw::gdNone;
    bool OrtoLines = false;
    float Gap = 8;
    // Snap kinds: grid, end, middle, centre, tangent, perpendicular, point, symbol reference, crossing.
    bool Snap = false, EndPoint = false, MiddlePoint = false, CenterPoint = false, TangentPoint = false,
         PerpendicularPoint = false, Point = false, RefSymbol = false, CrossPoint = false;
    float MoveX = 1, MoveY = 1;  // label units
    TAlphaColor GridColor = 0xFFC0C0C0, UnitColor = 0xFF808080;
    float GridX = 10, GridY = 10;  // label units
    TAlphaColor TermColor = 0xFF000000;
    TAlphaColor FillTermColor = 0xFF000000;
    float TermSize = 3;
};

// The settings dialog as the editor opens it: filled from the document and
// the editor, true when the user confirmed (the values are then in aValues).
class IKVRSettingsDialog
{
public:
    virtual ~IKVRSettingsDialog() = default;
    virtual bool Edit(TVXLabelFMX& aDoc, TKVRBaseEditor& aEditor, TKVRSettingsValues& aValues) = 0;
};

// The settings dialog of every editor that has none of its own; the dialogs
// fill it in at their start-up.
IKVRSettingsDialog*& KVRDefaultSettingsDialog();
