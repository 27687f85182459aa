#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/model/TKVRBaseLink.h"

class TKVRDraw;

// Connector, kind 18: the route of its link type between the anchors of its
// two end elements, with a marker at each end. Screen and paper paint one
// route (TKVRBaseLink::Route) with the anchors as the end elements stand at
// that moment, and the same markers in the same size and direction; paper
// outlines the markers in the document's term colour.
class TKVRLink : public TKVRBaseLink, public TKVRClassReaders<TKVRLink>
{
public:
    using TKVRBaseLink::TKVRBaseLink;

    // The model's layout, then the route: anchors, link points, arc and
    // control points, from the end elements as they stand.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // A route point on a surface: origin plus micrometres times the
    // context's pixels per micrometre, summed in double precision and held
    // within what the device takes.
    static TPointF SurfacePoint(const TKVRLinkPt& aPoint, double aOriginX, double aOriginY, const TKVRDraw* aDraw);
};
