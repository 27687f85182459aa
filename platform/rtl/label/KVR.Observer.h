#pragma once
// What the document tells the views that watch it.
#include <cstdint>

class TKVRBaseItem;

// Change codes the document reports; platform/rtl/README.md lists each with its sender.
using TVXChange = uint8_t;
namespace KVRChange {
constexpr TVXChange Loaded = 0;       // a new document: load, clear, measures reported
constexpr TVXChange BackColor = 1;    // the back surface's colour
constexpr TVXChange Size = 3;         // the label's size or quarter turn
constexpr TVXChange Items = 4;        // elements moved, sized, turned or changed
constexpr TVXChange Units = 5;        // the document's unit
constexpr TVXChange Update = 6;       // an outermost bracket opens (Begin 0) or closes (1)
constexpr TVXChange State = 7;        // the running action moved to another state
constexpr TVXChange Selection = 8;    // the selection changed
constexpr TVXChange ScrollTo = 9;     // the selected element should come into view
constexpr TVXChange EndText = 10;     // in-place text editing ended
constexpr TVXChange Action = 11;      // an action started
constexpr TVXChange Reset = 12;       // the action went back to selecting
constexpr TVXChange List = 13;        // elements added or removed
constexpr TVXChange EditProp = 14;    // a property's editor is to open in the grid
constexpr TVXChange Point = 16;       // a point of the selected element was grabbed
constexpr TVXChange StartText = 17;   // in-place text editing started
constexpr TVXChange Text = 18;        // the text being edited changed
constexpr TVXChange PickSymbol = 20;  // a symbol is to be chosen for placing
}

// The value passed with a change; each change fills the fields it names.
struct TVXChangeValue
{
    int64_t Width = 0;   // changes 0 and 3: the label's width in micrometres
    int64_t Height = 0;  // changes 0 and 3: its height
    int64_t Begin = 0;   // change 6: 0 when the bracket opens, 1 when it closes
    TKVRBaseItem* Item = nullptr;  // changes 8, 9 and 16: the element concerned, when one
    // Change 14: the grid opens the editor of the part with editor code
    // Prop and position Pos when Open is set.
    uint8_t Prop = 0;
    int64_t Pos = 0;
    bool Open = false;
};

// A view watching a document. The document never owns it: a view detaches
// itself before it dies; a dying document tells its views, which forget it.
class IVXObserver
{
public:
    virtual ~IVXObserver() = default;
    virtual void UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue) = 0;
    // 0 editor, 1 inspector, 2 preview, 3 library view.
    virtual uint8_t TypeDest() const = 0;
    // The document is going: the view drops its reference (no Detach follows).
    virtual void DocumentDestroyed() {}
};

// Moves aObserver's watch from ioWatched to aNew (either may be null); false,
// doing nothing, when it watches aNew already.
template <class TLabel>
bool KVRWatchLabel(IVXObserver* aObserver, TLabel*& ioWatched, TLabel* aNew)
{
    if (aNew == ioWatched)
        return false;
    if (ioWatched)
        ioWatched->Detach(aObserver);
    ioWatched = aNew;
    if (aNew)
        aNew->Attach(aObserver);
    return true;
}
