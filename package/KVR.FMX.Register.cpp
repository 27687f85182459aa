#include "package/KVR.FMX.Register.h"
#include "editor/KVR.FMX.Editor.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "views/KVR.FMX.ViewLibrary.h"

QString KVRPalettePage()
{
    return QStringLiteral("ZORVEL FMX STD");
}

TKVRComponentDesigner::TKVRComponentDesigner(const QString& aName, const QString& aInclude, const QString& aToolTip,
                                             TMaker aMaker, QObject* aParent)
    : QObject(aParent), fName(aName), fInclude(aInclude), fToolTip(aToolTip), fMaker(std::move(aMaker))
{
}

QString TKVRComponentDesigner::group() const
{
    return KVRPalettePage();
}

TKVRDesignerComponents::TKVRDesignerComponents(QObject* aParent) : QObject(aParent)
{
    fWidgets.append(new TKVRComponentDesigner(QStringLiteral("TKVREditor"), QStringLiteral("editor/KVR.FMX.Editor.h"),
                                              QStringLiteral("Label and drawing editor"),
                                              [](QWidget* aParent) { return new TKVREditor(aParent); }, this));
    fWidgets.append(new TKVRComponentDesigner(QStringLiteral("TKVRInspector"),
                                              QStringLiteral("inspector/KVR.FMX.Inspector.h"),
                                              QStringLiteral("Property inspector"),
                                              [](QWidget* aParent) { return new TKVRInspector(aParent); }, this));
    fWidgets.append(new TKVRComponentDesigner(
        QStringLiteral("TKVRViewLibrary"), QStringLiteral("views/KVR.FMX.ViewLibrary.h"),
        QStringLiteral("Symbol-library view"), [](QWidget* aParent) { return new TKVRViewLibrary(aParent); }, this));
}
