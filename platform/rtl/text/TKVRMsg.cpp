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
    return Lookup(Empty(), aKey);
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
