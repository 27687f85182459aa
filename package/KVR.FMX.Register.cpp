#include "package/KVR.FMX.Register.h"
#include "editor/KVR.FMX.Editor.h"

QString KVRPalettePage()
{
    return QStringLiteral("ZORVEL FMX STD");
}

QString TKVREditorDesigner::group() const
{
    return KVRPalettePage();
}

QWidget* TKVREditorDesigner::createWidget(QWidget* aParent)
{
    return new TKVREditor(aParent);
}

TKVRDesignerComponents::TKVRDesignerComponents(QObject* aParent) : QObject(aParent)
{
    fWidgets.append(new TKVREditorDesigner(this));
}
