#include "examples/demo/SymbolsDemo.h"
#include "elements/TKVRSymbol.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.SymLibrary.h"
#include <QDir>
#include <numbers>
#include <stdexcept>

namespace {
constexpr int64_t mm = 1000;

// A gate valve between two pipe ends, a pressure gauge and a warning sign.
const char* kLibrary[] = {
    R"({"Version":1,"Name":"Gate valve","Category":"Pipes/Valves","ID":"{6C1E0A52-1B7D-4C53-9E0B-0F6A4C1D2E01}",
        "Units":"mm","InsertX":0,"InsertY":0,"Def":[
        {"Type":"PenWidth","Value":0.5},{"Type":"FColor","Value":4280241784},
        {"Type":"Line","Points":[-20,0,-8,0]},{"Type":"Line","Points":[8,0,20,0]},
        {"Type":"Fill","Value":true},{"Type":"BColor","Value":4291611852},
        {"Type":"Polyline","Points":[-8,-6,8,6,8,-6,-8,6],"Closed":true},
        {"Type":"Line","Points":[0,0,0,-10]},{"Type":"Rectangle","Points":[-4,-13,4,-10],"Radius":1},
        {"Type":"FontHeight","Value":3},{"Type":"FontColor","Value":4280241784},
        {"Type":"Text","Text":"DN 50","Point":[0,9],"HAlign":1,"VAlign":0}],"Links":[-20,0,20,0]})",
    R"({"Version":1,"Name":"Pressure gauge","Category":"Instruments","ID":"{6C1E0A52-1B7D-4C53-9E0B-0F6A4C1D2E02}",
        "Units":"mm","InsertX":0,"InsertY":0,"Def":[
        {"Type":"PenWidth","Value":0.6},{"Type":"Fill","Value":true},{"Type":"BColor","Value":4294964448},
        {"Type":"Circle","Center":[0,0],"Radius":15},{"Type":"Fill","Value":false},{"Type":"PenWidth","Value":0.35},
        {"Type":"LineType","Value":2},{"Type":"Arc","Center":[0,0],"Radius":11,"Start":135,"Sweep":270},
        {"Type":"LineType","Value":0},{"Type":"Fill","Value":true},{"Type":"BColor","Value":4291045930},
        {"Type":"Sector","Center":[0,0],"Radius":11,"Start":-45,"Sweep":90},
        {"Type":"RoundCap","Value":true},{"Type":"PenWidth","Value":0.8},{"Type":"FColor","Value":4291045930},
        {"Type":"Line","Points":[0,0,-7,-7]},
        {"Type":"FontHeight","Value":3.5},{"Type":"Bold","Value":true},{"Type":"Text","Text":"bar","Point":[0,8],"HAlign":1,"VAlign":1}],
        "Links":[0,15]})",
    R"({"Version":1,"Name":"Caution","Category":"Signs","ID":"{6C1E0A52-1B7D-4C53-9E0B-0F6A4C1D2E03}",
        "Units":"mm","InsertX":0,"InsertY":0,"Def":[
        {"Type":"Fill","Value":true},{"Type":"BColor","Value":4294956544},{"Type":"PenWidth","Value":1},
        {"Type":"RoundCap","Value":true},
        {"Type":"Path","Value":true},{"Type":"Line","Points":[0,-12,12,9]},{"Type":"Line","Points":[12,9,-12,9]},
        {"Type":"Path","Value":false},
        {"Type":"FontHeight","Value":12},{"Type":"Bold","Value":true},{"Type":"FontScale","Value":1.2},
        {"Type":"Text","Text":"!","Point":[0,3],"HAlign":1,"VAlign":1},
        {"Type":"FontHeight","Value":2.5},{"Type":"Bold","Value":false},{"Type":"FontScale","Value":1},
        {"Type":"Bezier","Points":[-14,12,-6,16,6,8,14,12]}]})"};

std::shared_ptr<const TKVRBaseLibSymbol> Symbol(const char* aDefinition)
{
    auto symbol = std::make_shared<TKVRBaseLibSymbol>();
    QString error;
    if (!symbol->ReadJson(TJsonObject::parse(aDefinition), error))
        throw std::runtime_error(error.toStdString());
    return symbol;
}

void Place(TKVRBaseLabel& doc, const char* aDefinition, int64_t aX, int64_t aY, float aScale, double aDegrees)
{
    auto* e = new TKVRSymbol(&doc, false);
    e->SetSymbol(Symbol(aDefinition));
    e->SetBase(1, aX, aY);
    e->SetScale(aScale);
    e->SetAngleRad(aDegrees * std::numbers::pi / 180.0);
}
}  // namespace

void BuildSymbolsDemo(TKVRBaseLabel& doc)
{
    Place(doc, kLibrary[0], 40 * mm, 266 * mm, 1.0f, 0.0);
    Place(doc, kLibrary[1], 105 * mm, 267 * mm, 1.0f, 0.0);
    Place(doc, kLibrary[2], 170 * mm, 267 * mm, 1.2f, -15.0);
}

QString WriteDemoLibrary(const QString& aFolder)
{
    QDir().mkpath(aFolder);
    std::vector<std::shared_ptr<const TKVRBaseLibSymbol>> symbols;
    std::vector<const TKVRBaseLibSymbol*> list;
    for (const char* definition : kLibrary) {
        symbols.push_back(Symbol(definition));
        list.push_back(symbols.back().get());
    }
    KVRSymLib::WriteFile(QDir(aFolder).filePath(QStringLiteral("sample.lyp")), list);
    return aFolder;
}
