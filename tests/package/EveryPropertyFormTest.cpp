// The form of every designable property (tests/host/EveryProperty.ui, which the
// host program compiles through uic): it sets each designable property of each
// component on the palette page through the setter uic calls, and QUiLoader
// gives each its value.
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "tests/package/DesignerComponents.h"
#include <QFile>
#include <QMap>
#include <QMetaEnum>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TFormValue
{
    QString Kind;  // the value's element: number, UInt, bool, double, enum, set, string
    QString Text;
};
// Class -> property -> value, for each widget of the form.
using TFormWidgets = QMap<QString, QMap<QString, TFormValue>>;

TFormWidgets ReadForm()
{
    QFile file(KVR_EVERY_PROPERTY_FORM);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    TFormWidgets widgets;
    QStringList classes;  // of the widgets enclosing the reader
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"widget") {
            classes << xml.attributes().value("class").toString();
        } else if (xml.isEndElement() && xml.name() == u"widget") {
            classes.removeLast();
        } else if (xml.isStartElement() && xml.name() == u"property" && !classes.isEmpty()) {
            const QString name = xml.attributes().value("name").toString();
            xml.readNextStartElement();
            const QString kind = xml.name().toString();
            widgets[classes.last()][name] = {kind, xml.readElementText(QXmlStreamReader::IncludeChildElements)};
        }
    }
    return widgets;
}

// Designer writes "KVRFmx::zm200"; the meta-object knows "zm200".
QByteArray Unscoped(const QString& aKey)
{
    return aKey.mid(aKey.lastIndexOf(':') + 1).trimmed().toLatin1();
}

// The form's value as the property reads it back.
QVariant Expected(const QMetaProperty& aProp, const TFormValue& aValue)
{
    if (aValue.Kind == "enum")
        return aProp.enumerator().keyToValue(Unscoped(aValue.Text));
    if (aValue.Kind == "set") {
        QByteArray keys;
        for (const QString& key : aValue.Text.split('|'))
            keys += (keys.isEmpty() ? "" : "|") + Unscoped(key);
        return aProp.enumerator().keysToValue(keys);
    }
    if (aValue.Kind == "number")
        return aValue.Text.toInt();
    if (aValue.Kind == "UInt")
        return aValue.Text.toUInt();
    if (aValue.Kind == "bool")
        return aValue.Text == "true";
    if (aValue.Kind == "double")
        return aValue.Text.toDouble();
    return aValue.Text;
}

// What a property holds, in the type Expected gives.
QVariant Read(const QMetaProperty& aProp, const QObject* aWidget)
{
    const QVariant v = aProp.read(aWidget);
    if (aProp.isEnumType())
        return v.toInt();
    switch (aProp.metaType().id()) {
    case QMetaType::Float:
    case QMetaType::Double:
        return v.toDouble();
    default:
        return v;
    }
}

// The first property the suite's own classes declare (Qt's bases, a scroll
// area's frame among them, are Designer's own business).
int FirstOwnProperty(const QMetaObject* aMeta)
{
    int first = aMeta->propertyCount();
    for (const QMetaObject* m = aMeta; m && !QByteArray(m->className()).startsWith('Q'); m = m->superClass())
        first = m->propertyOffset();
    return first;
}

class EveryPropertyForm : public testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        fComponents = SuiteComponents(error);
        ASSERT_FALSE(fComponents.isEmpty()) << error.toStdString();
        fForm = ReadForm();
        ASSERT_FALSE(fForm.isEmpty()) << KVR_EVERY_PROPERTY_FORM;
    }

    std::unique_ptr<QWidget> Load()
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(SuitePluginFolder());
        QFile file(KVR_EVERY_PROPERTY_FORM);
        file.open(QIODevice::ReadOnly);
        return std::unique_ptr<QWidget>(loader.load(&file));
    }

    QList<QDesignerCustomWidgetInterface*> fComponents;
    TFormWidgets fForm;
};

}  // namespace

// A component or property added later must be added to the form too.
TEST_F(EveryPropertyForm, SetsEveryDesignablePropertyOfEveryComponentThroughItsUicSetter)
{
    for (QDesignerCustomWidgetInterface* component : fComponents) {
        SCOPED_TRACE(component->name().toStdString());
        ASSERT_TRUE(fForm.contains(component->name()));
        const QMap<QString, TFormValue>& set = fForm[component->name()];
        std::unique_ptr<QWidget> widget(component->createWidget(nullptr));
        const QMetaObject* meta = widget->metaObject();
        for (int i = FirstOwnProperty(meta); i < meta->propertyCount(); ++i) {
            const QMetaProperty prop = meta->property(i);
            if (!FormProperty(prop))
                continue;
            EXPECT_TRUE(set.contains(prop.name())) << prop.name();
            // Designer then writes the property as standard and uic calls
            // set<Name>, which moc has found in the class.
            EXPECT_TRUE(prop.hasStdCppSet()) << prop.name() << " is written by " << prop.name();
        }
    }
}

TEST_F(EveryPropertyForm, LoadsEachValueThroughQUiLoaderAndTheEditorTakesADocument)
{
    std::unique_ptr<QWidget> root = Load();
    ASSERT_NE(root, nullptr);
    for (QDesignerCustomWidgetInterface* component : fComponents) {
        SCOPED_TRACE(component->name().toStdString());
        QWidget* widget = nullptr;
        for (QWidget* w : root->findChildren<QWidget*>())
            if (w->metaObject()->className() == component->name())
                widget = w;
        ASSERT_NE(widget, nullptr);
        std::unique_ptr<QWidget> fresh(component->createWidget(nullptr));
        const QMetaObject* meta = widget->metaObject();
        const QMap<QString, TFormValue>& set = fForm[component->name()];
        for (auto it = set.begin(); it != set.end(); ++it) {
            const QMetaProperty prop = meta->property(meta->indexOfProperty(it.key().toLatin1()));
            ASSERT_TRUE(prop.isValid()) << it.key().toStdString();
            EXPECT_EQ(Read(prop, widget), Expected(prop, it.value())) << prop.name();
            EXPECT_NE(Read(prop, widget), Read(prop, fresh.get())) << prop.name() << " is left at its default";
        }
    }
#ifdef KVR_SHARED
    // The plugin and this program share the library: its editor is ours.
    auto* editor = root->findChild<TKVREditor*>();
    ASSERT_NE(editor, nullptr);
    TVXLabelFMX doc;
    editor->SetLabel(&doc);
    EXPECT_EQ(editor->GetLabel(), &doc);
    editor->SetLabel(nullptr);
#endif
}

TEST(DesignerPlugin, EveryComponentDropsAtASizeThatShowsIt)
{
    QString error;
    const QList<QDesignerCustomWidgetInterface*> components = SuiteComponents(error);
    ASSERT_FALSE(components.isEmpty()) << error.toStdString();
    for (QDesignerCustomWidgetInterface* component : components) {
        std::unique_ptr<QWidget> widget(component->createWidget(nullptr));
        const QSize hint = widget->sizeHint();
        EXPECT_GE(hint.width(), 200) << component->name().toStdString();
        EXPECT_GE(hint.height(), 150) << component->name().toStdString();
    }
}
