// The Designer plugin, loaded as Designer loads it, and a form that uses the editor.
#include "tests/package/DesignerComponents.h"
#include <QBuffer>
#include <QUiLoader>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

TEST(DesignerPlugin, OffersTheEditorOnTheSuitesPage)
{
    QString error;
    const QList<QDesignerCustomWidgetInterface*> components = SuiteComponents(error);
    ASSERT_FALSE(components.isEmpty()) << error.toStdString();
    QDesignerCustomWidgetInterface* editor = nullptr;
    for (QDesignerCustomWidgetInterface* w : components)
        if (w->name() == "TKVREditor")
            editor = w;
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->group(), "ZORVEL FMX STD");
    std::unique_ptr<QWidget> widget(editor->createWidget(nullptr));
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "TKVREditor");
}

TEST(DesignerPlugin, AFormLoadsTheEditorWithItsValuesClamped)
{
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(SuitePluginFolder());
    QByteArray form = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <widget class="TKVREditor" name="editor">
   <property name="geometry"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect></property>
   <property name="Gap"><number>45</number></property>
   <property name="Margin"><number>-3</number></property>
   <property name="RulersSize"><number>40</number></property>
   <property name="OrtoLines"><bool>true</bool></property>
   <property name="Zoom"><enum>TKVRZoom::zm200</enum></property>
   <property name="Options"><set>eoZoomBox|eoUnitsButton</set></property>
  </widget>
 </widget>
</ui>
)";
    QBuffer buffer(&form);
    std::unique_ptr<QWidget> root(loader.load(&buffer));
    ASSERT_NE(root, nullptr) << loader.errorString().toStdString();
    QWidget* editor = root->findChild<QWidget*>("editor");
    ASSERT_NE(editor, nullptr);
    EXPECT_STREQ(editor->metaObject()->className(), "TKVREditor");
    EXPECT_EQ(editor->property("Gap").toInt(), 30);
    EXPECT_EQ(editor->property("Margin").toInt(), 0);
    EXPECT_EQ(editor->property("RulersSize").toUInt(), 30u);
    EXPECT_TRUE(editor->property("OrtoLines").toBool());
    EXPECT_EQ(editor->property("Zoom").toInt(), 7);  // zm200
    EXPECT_EQ(editor->property("Options").toInt(), 3);
}

TEST(DesignerPlugin, OffersTheLibraryViewWithItsDefaults)
{
    QPluginLoader loader(KVR_DESIGNER_PLUGIN);
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
        if (w->name() != "TKVRViewLibrary")
            continue;
        EXPECT_EQ(w->group(), "ZORVEL FMX STD");
        EXPECT_EQ(w->includeFile(), "views/KVR.FMX.ViewLibrary.h");
        std::unique_ptr<QWidget> view(w->createWidget(nullptr));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->property("FrameColor").toUInt(), 0xFF808080u);
        EXPECT_EQ(view->property("Gap").toInt(), 10);
        EXPECT_EQ(view->property("SymbolWidth").toInt(), 80);
        EXPECT_TRUE(view->property("ShowHintOnMove").toBool());
        EXPECT_GE(view->sizeHint().width(), 200);
        return;
    }
    FAIL() << "TKVRViewLibrary is not offered";
}

TEST(DesignerPlugin, OffersTheInspectorWithItsConstructorValues)
{
    QPluginLoader loader(KVR_DESIGNER_PLUGIN);
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);
    QDesignerCustomWidgetInterface* inspector = nullptr;
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets())
        if (w->name() == "TKVRInspector")
            inspector = w;
    ASSERT_NE(inspector, nullptr);
    EXPECT_EQ(inspector->group(), "ZORVEL FMX STD");
    EXPECT_EQ(inspector->includeFile(), "inspector/KVR.FMX.Inspector.h");
    std::unique_ptr<QWidget> widget(inspector->createWidget(nullptr));
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "TKVRInspector");
    EXPECT_EQ(widget->width(), 240);
    const struct
    {
        const char* Name;
        uint Value;
    } values[] = {{"InspectPropBase", 0x3FFFFFu}, {"InspectProp", 0x3F7FDu},  {"BackColor", 0xFFFFFFFFu},
                  {"TitleColor", 0xFF000000u},    {"ValueColor", 0xFF0000FFu}, {"EditColor", 0xFFFFFFFFu},
                  {"SelColor", 0xFF000080u},      {"SelButColor", 0xFF008080u}, {"ArrowColor", 0xFF808080u}};
    for (const auto& v : values)
        EXPECT_EQ(widget->property(v.Name).toUInt(), v.Value) << v.Name;
    EXPECT_EQ(widget->property("Options").toInt(), 3);
}
