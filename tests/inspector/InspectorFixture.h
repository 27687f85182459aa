#pragma once
// An inspector on a document with a rectangle and a text, counting the
// document's changes of its elements.
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
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
