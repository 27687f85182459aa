#pragma once
#include "examples/demo/ShowcasePage.h"

// The twelve line types at two pen widths, and the twelve line-end markers
// on lines in four directions.
class LinesPage : public ShowcasePage
{
public:
    explicit LinesPage(QWidget* parent = nullptr) : ShowcasePage("Lines", parent) {}

protected:
    void PaintSample(TKVRDraw& draw) override;
};
