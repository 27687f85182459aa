#pragma once
// Registration of the components with Qt Designer: the palette page
// "ZORVEL FMX STD" lists the editor, the inspector and the symbol-library view.
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

// One component on the palette page: its class, header and a maker.
class TKVRComponentDesigner : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using TMaker = std::function<QWidget*(QWidget* aParent)>;
    TKVRComponentDesigner(const QString& aName, const QString& aInclude, const QString& aToolTip, TMaker aMaker,
                          QObject* aParent = nullptr);
    QString name() const override { return fName; }
    QString group() const override;
    QString toolTip() const override { return fToolTip; }
    QString whatsThis() const override { return fToolTip; }
    QString includeFile() const override { return fInclude; }
    QIcon icon() const override { return {}; }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* aParent) override { return fMaker(aParent); }
    bool isInitialized() const override { return fInitialized; }
    void initialize(QDesignerFormEditorInterface*) override { fInitialized = true; }

private:
    QString fName, fInclude, fToolTip;
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
