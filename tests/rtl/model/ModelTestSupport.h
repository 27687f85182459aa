#pragma once
// Concrete stand-ins for the abstract model bases: the painting belongs to
// the element classes, so here it does nothing.
#include "platform/rtl/model/TKVRBaseItem.h"

template <class TBase>
class TConcrete : public TBase
{
public:
    using TBase::TBase;
    void Draw(TKVRBaseDraw*) override { ++Draws; }
    void Print(TKVRBaseDraw*) override { ++Prints; }
    int Draws = 0;
    int Prints = 0;
};
