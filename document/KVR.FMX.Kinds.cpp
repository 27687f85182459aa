#include "document/KVR.FMX.Kinds.h"
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRPolygon.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRank.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRSector.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRTable.h"
#include "elements/TKVRText.h"

namespace {

template <class T>
constexpr TKVRKindReaders Of()
{
    return {&T::Read, &T::ReadFromJson};
}

// Indexed by kind code; entry 0 is no kind.
const TKVRKindReaders kKinds[] = {
    {nullptr, nullptr},   Of<TKVRPoint>(),     Of<TKVRLine>(),     Of<TKVRArrowLine>(), Of<TKVRPolyLine>(),
    Of<TKVRArc>(),        Of<TKVRRectangle>(), Of<TKVRPolygon>(),  Of<TKVRCircle>(),    Of<TKVREllipse>(),
    Of<TKVRText>(),       Of<TKVRParagraph>(), Of<TKVRBarcode>(),  Of<TKVRPDF417>(),    Of<TKVRDataMatrix>(),
    Of<TKVRQRCode>(),     Of<TKVRImage>(),     Of<TKVRFlow>(),     Of<TKVRLink>(),      Of<TKVRTable>(),
    Of<TKVRPolyText>(),   Of<TKVRRank>(),      Of<TKVRNutriScore>(), Of<TKVRLevel>(),   Of<TKVRSymbol>(),
    Of<TKVRBezier>(),     Of<TKVRDim>(),       Of<TKVRSector>(),   Of<TKVRPackage>(),   Of<TKVRRichText>(),
};
static_assert(std::size(kKinds) == size_t(KVRItemKind::RichText) + 1, "one entry per kind code");

}  // namespace

const TKVRKindReaders* KVRKindReaders(int32_t aKind)
{
    return aKind >= KVRItemKind::Point && aKind <= KVRItemKind::RichText ? &kKinds[aKind] : nullptr;
}
