#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.SymLibrary.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

// The element creators of the bare model: the element classes live in the
// front end, which fills every one of them.

namespace
{
[[noreturn]] void NoFactory()
{
    throw std::logic_error("No element factory");
}
} // namespace

TKVRBasePoint* TKVRBaseLabel::AddBasePoint(int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseLine* TKVRBaseLabel::AddBaseLine(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseArrowLine* TKVRBaseLabel::AddBaseArrowLine(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBasePolyLine* TKVRBaseLabel::AddBasePolyLine(std::span<const int64_t>)
{
    NoFactory();
}

TKVRBaseBezier* TKVRBaseLabel::AddBaseBezier(std::span<const int64_t>)
{
    NoFactory();
}

TKVRBaseArc* TKVRBaseLabel::AddBaseArc(int64_t, int64_t, int64_t, float, float)
{
    NoFactory();
}

TKVRBaseArc* TKVRBaseLabel::AddBaseArc(int64_t, int64_t, int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseRectangle* TKVRBaseLabel::AddBaseRectangle(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBasePackage* TKVRBaseLabel::AddBasePackage(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBasePolygon* TKVRBaseLabel::AddBasePolygon(std::span<const int64_t>)
{
    NoFactory();
}

TKVRBaseCircle* TKVRBaseLabel::AddBaseCircle(int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseCircle* TKVRBaseLabel::AddBaseCircle2P(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseCircle* TKVRBaseLabel::AddBaseCircle3P(int64_t, int64_t, int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseSector* TKVRBaseLabel::AddBaseSector(int64_t, int64_t, int64_t, float, float)
{
    NoFactory();
}

TKVRBaseSector* TKVRBaseLabel::AddBaseSector2P(int64_t, int64_t, int64_t, int64_t, float, float)
{
    NoFactory();
}

TKVRBaseSector* TKVRBaseLabel::AddBaseSector3P(int64_t, int64_t, int64_t, int64_t, int64_t, int64_t, float, float)
{
    NoFactory();
}

TKVRBaseLevel* TKVRBaseLabel::AddBaseLevel(int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseEllipse* TKVRBaseLabel::AddBaseEllipse(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseText* TKVRBaseLabel::AddBaseText(int64_t, int64_t)
{
    NoFactory();
}

TKVRBasePara* TKVRBaseLabel::AddBaseParagraph(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseRichText* TKVRBaseLabel::AddBaseRichText(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseBarcode* TKVRBaseLabel::AddBaseBarcode(int64_t, int64_t, const QString&, TKVRBarType)
{
    NoFactory();
}

TKVRBasePDF417* TKVRBaseLabel::AddBasePDF417(int64_t, int64_t, const QString&)
{
    NoFactory();
}

TKVRBaseDataMatrix* TKVRBaseLabel::AddBaseDataMatrix(int64_t, int64_t, const QString&)
{
    NoFactory();
}

TKVRBaseQRCode* TKVRBaseLabel::AddBaseQRCode(int64_t, int64_t, const QString&)
{
    NoFactory();
}

TKVRBaseImage* TKVRBaseLabel::AddBaseImage(int64_t, int64_t, int64_t, int64_t, bool, const QString&)
{
    NoFactory();
}

TKVRBaseFlow* TKVRBaseLabel::AddBaseFlow(int64_t, int64_t, int64_t, int64_t, TKVRFlowType)
{
    NoFactory();
}

TKVRBaseLink* TKVRBaseLabel::AddBaseLink(int32_t, int32_t, int16_t, int16_t, uint8_t)
{
    NoFactory();
}

TKVRBaseLink* TKVRBaseLabel::AddBasePolyLink(int32_t, int32_t, int16_t, int16_t, uint8_t, std::span<const int64_t>)
{
    NoFactory();
}

TKVRBaseTable* TKVRBaseLabel::AddBaseTable(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBasePoly* TKVRBaseLabel::AddBasePolyText(int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseRank* TKVRBaseLabel::AddBaseRank(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseNutri* TKVRBaseLabel::AddBaseNutriScore(int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseSymbol* TKVRBaseLabel::AddBaseSymbol(int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseDim* TKVRBaseLabel::AddBaseDim(int64_t, int64_t, int64_t, int64_t, int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseDim* TKVRBaseLabel::AddBaseDimAngle(int64_t, int64_t, int64_t, int64_t, int64_t, int64_t, int64_t, int64_t,
                                            int64_t, int64_t)
{
    NoFactory();
}

TKVRBaseDim* TKVRBaseLabel::AddBaseDimRadial1(int64_t, int64_t, int64_t, float)
{
    NoFactory();
}

TKVRBaseDim* TKVRBaseLabel::AddBaseDimRadial2(int64_t, int64_t, int64_t, float)
{
    NoFactory();
}

TKVRBaseDim* TKVRBaseLabel::AddBaseDimDiameter1(int64_t, int64_t, int64_t, float)
{
    NoFactory();
}

TKVRBaseDim* TKVRBaseLabel::AddBaseDimDiameter2(int64_t, int64_t, int64_t, float)
{
    NoFactory();
}

bool TKVRBaseLabel::LoadSymbolByName(const QString& aFileName, const QString& aName)
{
    if (aFileName.isEmpty() || aName.isEmpty())
        return false;
    QString path = aFileName;
    if (!QDir::isAbsolutePath(path) && !fLibraryFolder.isEmpty())
        path = QDir(fLibraryFolder).filePath(path);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".lyp");
    TKVRLibSymbolList list;
    try {
        list = KVRSymLib::ReadFile(path);
    } catch (const std::exception&) {
        return false; // a missing or damaged library loads nothing
    }
    for (auto& symbol : list)
        if (symbol->GetName() == aName) {
            fCurSymbol = std::shared_ptr<const TKVRBaseLibSymbol>(std::move(symbol));
            return true;
        }
    return false;
}
