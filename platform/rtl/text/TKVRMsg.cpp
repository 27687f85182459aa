#include "platform/rtl/text/TKVRMsg.h"
#include <QHash>

namespace {

using TTable = QHash<QString, QString>;

QString Lookup(const TTable& aTable, const QString& aKey)
{
    const auto it = aTable.constFind(aKey);
    return it == aTable.constEnd() ? aKey : *it;
}

const TTable& Errors()
{
    static const TTable table{
        {QStringLiteral("Polygon"), QStringLiteral("A polygon needs at least three points")},
        {QStringLiteral("EventNumber"), QStringLiteral("The list of coordinates must hold an even number of values")},
        {QStringLiteral("LocNotFound"), QStringLiteral("Location not found")},
        {QStringLiteral("MapNoElement"), QStringLiteral("Select one element with a box to size the map")},
    };
    return table;
}

const TTable& Dialogs()
{
    static const TTable table{
        {QStringLiteral("Ok"), QStringLiteral("OK")},
        {QStringLiteral("Cancel"), QStringLiteral("Cancel")},
        {QStringLiteral("SymbolLib"), QStringLiteral("Symbol library")},
        {QStringLiteral("CurDrawing"), QStringLiteral("Current drawing")},
        {QStringLiteral("SelMap"), QStringLiteral("Background map")},
        {QStringLiteral("MapProv"), QStringLiteral("Map provider")},
        {QStringLiteral("GepMap"), QStringLiteral("Get map")},
        {QStringLiteral("ShowCenter"), QStringLiteral("Show the centre")},
        {QStringLiteral("AssignScale"), QStringLiteral("Apply the map's scale")},
        {QStringLiteral("SearchLoc"), QStringLiteral("Find a place by its name")},
        {QStringLiteral("LocService"), QStringLiteral("Search service")},
    };
    return table;
}

const TTable& Empty()
{
    static const TTable table;
    return table;
}

}  // namespace

QString TKVRMsg::GetDialogsValue(const QString& aKey)
{
    return Lookup(Dialogs(), aKey);
}

QString TKVRMsg::GetEditorValue(const QString& aKey)
{
    return Lookup(Empty(), aKey);
}

QString TKVRMsg::GetPropValue(const QString& aKey)
{
    return Lookup(Empty(), aKey);
}

QString TKVRMsg::GetErrorValue(const QString& aKey)
{
    return Lookup(Errors(), aKey);
}

QString TKVRMsg::GetListValue(const QString& aKey)
{
    return Lookup(Empty(), aKey);
}
