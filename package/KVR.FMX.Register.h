#pragma once
// Registration of the components with Qt Designer: the palette page
// "ZORVEL FMX STD" lists the editor.
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class TKVREditorDesigner : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit TKVREditorDesigner(QObject* aParent = nullptr) : QObject(aParent) {}
    QString name() const override { return QStringLiteral("TKVREditor"); }
    QString group() const override;
    QString toolTip() const override { return QStringLiteral("Label and drawing editor"); }
    QString whatsThis() const override { return toolTip(); }
    QString includeFile() const override { return QStringLiteral("editor/KVR.FMX.Editor.h"); }
    QIcon icon() const override { return {}; }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* aParent) override;
    bool isInitialized() const override { return fInitialized; }
    void initialize(QDesignerFormEditorInterface*) override { fInitialized = true; }

private:
    bool fInitialized = false;
};

// Every component the suite offers to Designer.
class TKVRDesignerComponents : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TKVRDesignerComponents(QObject* aParent = nullptr);
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return fWidgets; }

private:
    QList<QDesignerCustomWidgetInterface*> fWidgets;
};

// The palette page of the suite's components.
QString KVRPalettePage();
