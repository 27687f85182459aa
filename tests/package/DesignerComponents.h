#pragma once
// The components the Designer plugin offers, the plugin loaded as Designer
// loads it.
#include <QFileInfo>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QMetaProperty>
#include <QWidget>

// Empty with aError set when the plugin does not load.
inline QList<QDesignerCustomWidgetInterface*> SuiteComponents(QString& aError)
{
    QPluginLoader loader(KVR_DESIGNER_PLUGIN);
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    if (!collection) {
        aError = loader.errorString();
        return {};
    }
    return collection->customWidgets();
}

// The plugin's folder, where QUiLoader looks for it.
inline QString SuitePluginFolder()
{
    return QFileInfo(KVR_DESIGNER_PLUGIN).absolutePath();
}

// A property a form can set: Designer edits values, not objects.
inline bool FormProperty(const QMetaProperty& aProp)
{
    const QMetaType::TypeFlags pointer = QMetaType::IsPointer | QMetaType::PointerToQObject;
    return aProp.isWritable() && aProp.isDesignable() && !(aProp.metaType().flags() & pointer);
}
