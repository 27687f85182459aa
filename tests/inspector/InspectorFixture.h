#pragma once
// An inspector on a document with a rectangle and a text, counting the
// document's changes of its elements.
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include <QPoint>
#include <QScrollBar>
#include <algorithm>
#include <string>

struct TChangeCount : IVXObserver
{
    int Items = 0;
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue&) override { Items += aChange == KVRChange::Items; }
    uint8_t TypeDest() const override { return 9; }
    void DocumentDestroyed() override {}
};

struct TInspectorFixture
{
    TVXLabelFMX Doc;
    TKVRInspector Grid;
    TChangeCount Count;
    TKVRBaseRectangle* Rect = nullptr;
    TKVRBaseText* Text = nullptr;

    TInspectorFixture()
    {
        Rect = Doc.AddBaseRectangle(0, 0, 20000, 10000);
        Text = Doc.AddBaseText(0, 20000);
        Grid.resize(240, 900);
        Grid.SetLabel(&Doc);
        Grid.show();
        Doc.Attach(&Count);
    }
    ~TInspectorFixture()
    {
        Doc.Detach(&Count);
        Grid.SetLabel(nullptr);
    }
};

// A part's row key ("Prop" and 2 give "Prop2").
inline std::string K(const char* aPrefix, int aPart) { return aPrefix + std::to_string(aPart); }

// Row, part and top (as the grid now stacks its rows) of the part with
// position aPos and editor code aCode.
inline bool FindShownPart(const TKVRBaseInspector& aGrid, int aPos, int aCode, int& aRow, int& aPart, int& aTop)
{
    int top = 0;
    for (int r = 0; r < int(aGrid.GetRows().size()); ++r) {
        const TJsonObject& row = aGrid.GetRows()[size_t(r)];
        for (int j = 1; j <= row["N"].get<int>(); ++j)
            if (row[K("P", j)] == aPos && (row[K("Prop", j)].get<int>() & 0xFF) == aCode) {
                aRow = r;
                aPart = j;
                aTop = top;
                return true;
            }
        if (r >= aGrid.GetTopIndex())
            top += row["H"].get<int>();
    }
    return false;
}

// The middle of the part's value box as the row model lays it out (a 24th
// of the viewport's width, which the scroll bar narrows), or (-1, -1).
inline QPoint PartCentre(const TKVRBaseInspector& aGrid, int aPos, int aCode)
{
    int r = 0, j = 0, top = 0;
    if (!FindShownPart(aGrid, aPos, aCode, r, j, top))
        return {-1, -1};
    const TJsonObject& row = aGrid.GetRows()[size_t(r)];
    const TKVRInsCol col = TKVRInsCol(row[K("C", j)].get<int>());
    const double unit = aGrid.viewport()->width() / 24.0;
    return QPoint(int(XPosCtrl(col, TKVRInsProp(aCode), unit) + WidthCtrl(col, TKVRInsProp(aCode), unit) / 2),
                  top + row[K("TV", j)].get<int>() + int(HeightCtrl(TKVRInsProp(aCode), 96) / 2));
}

// The value the grid shows for the part, or null.
inline TJsonObject PartShown(const TKVRBaseInspector& aGrid, int aPos, int aCode)
{
    int r = 0, j = 0, top = 0;
    return FindShownPart(aGrid, aPos, aCode, r, j, top) ? aGrid.GetRows()[size_t(r)][K("Value", j)] : TJsonObject();
}
