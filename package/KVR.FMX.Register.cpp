#include "package/KVR.FMX.Register.h"
#include "editor/KVR.FMX.Editor.h"
#include "inspector/KVR.FMX.Inspector.h"

QString KVRPalettePage()
{
    return QStringLiteral("ZORVEL FMX STD");
}

QString TKVRWidgetDesigner::group() const
{
    return KVRPalettePage();
}

TKVRDesignerComponents::TKVRDesignerComponents(QObject* aParent) : QObject(aParent)
{
    fWidgets.append(new TKVRWidgetDesigner(
        QStringLiteral("TKVREditor"), QStringLiteral("editor/KVR.FMX.Editor.h"),
        QStringLiteral("Label and drawing editor"), [](QWidget* p) -> QWidget* { return new TKVREditor(p); }, this));
    fWidgets.append(new TKVRWidgetDesigner(
        QStringLiteral("TKVRInspector"), QStringLiteral("inspector/KVR.FMX.Inspector.h"),
        QStringLiteral("Property inspector"), [](QWidget* p) -> QWidget* { return new TKVRInspector(p); }, this));
}
