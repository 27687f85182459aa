#pragma once
// Registration of the components with Qt Designer: the palette page
// "ZORVEL FMX STD" lists the editor and the inspector.
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// One component on Designer's palette: its class name, header, tip and maker.
class TKVRWidgetDesigner : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using TMaker = QWidget* (*)(QWidget* aParent);
    TKVRWidgetDesigner(const QString& aName, const QString& aInclude, const QString& aTip, TMaker aMaker,
                       QObject* aParent)
        : QObject(aParent), fName(aName), fInclude(aInclude), fTip(aTip), fMaker(aMaker)
    {
    }
    QString name() const override { return fName; }
    QString group() const override;
    QString toolTip() const override { return fTip; }
    QString whatsThis() const override { return toolTip(); }
    QString includeFile() const override { return fInclude; }
    QIcon icon() const override { return {}; }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* aParent) override { return fMaker(aParent); }
    bool isInitialized() const override { return fInitialized; }
    void initialize(QDesignerFormEditorInterface*) override { fInitialized = true; }

private:
    QString fName, fInclude, fTip;
    TMaker fMaker;
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
