#pragma once
#include "examples/demo/ShowcasePage.h"

// The context's conversions at work: a millimetre ruler and boxes of fixed
// paper sizes at the screen's resolution.
class ContextPage : public ShowcasePage
{
public:
    explicit ContextPage(QWidget* parent = nullptr) : ShowcasePage("Context", parent) {}

protected:
    void PaintSample(TKVRDraw& draw) override;
};
