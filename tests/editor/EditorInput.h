#pragma once
// The real editor offscreen, driven by QTest's mouse and key events; the
// tests read the document, not the editor's fields.
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

struct TEditorInput
{
    explicit TEditorInput(int64_t aWidth = 100000, int64_t aHeight = 60000, QSize aSize = {600, 500})
    {
        doc.GetMeasure().SetWidth(aWidth);
        doc.GetMeasure().SetHeight(aHeight);
        editor.SetEditorOptions(eoCoordInput | eoWheel | eoDblClick);
        editor.GetRulers()->SetVisible({});
        editor.resize(aSize);
        editor.show();
        editor.SetLabel(&doc);
        Surface()->setFocus();
    }
    TKVRBackEditor* Surface() const { return editor.GetSurface(); }
    // The surface pixel of a document point.
    QPoint Px(int64_t x, int64_t y) const { return {Surface()->ScreenMMX(x), Surface()->ScreenMMY(y)}; }
    int64_t MMX(int aPixel) const { return Surface()->BaseMMX(float(aPixel)); }
    int64_t MMY(int aPixel) const { return Surface()->BaseMMY(float(aPixel)); }

    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mousePress(Surface(), b, m, p);
    }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mouseRelease(Surface(), b, m, p);
    }
    // A move with the buttons held, as the window system sends it.
    void Move(QPoint p, Qt::MouseButtons aHeld = Qt::NoButton, Qt::KeyboardModifiers m = {})
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), Surface()->mapToGlobal(QPointF(p)), Qt::NoButton, aHeld, m);
        QApplication::sendEvent(Surface(), &e);
    }
    void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        Move(p);
        Press(p, b, m);
        Release(p, b, m);
    }
    // A press and release, then the double click Qt sends in place of the second press.
    void DoubleClick(QPoint p)
    {
        Click(p);
        QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(p), Surface()->mapToGlobal(QPointF(p)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Surface(), &e);
        Release(p);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers m = {})
    {
        Move(from);
        Press(from, Qt::LeftButton, m);
        Move((from + to) / 2, Qt::LeftButton, m);
        Move(to, Qt::LeftButton, m);
        Release(to, Qt::LeftButton, m);
    }
    void Key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(Surface(), k, m); }
    void Type(const QString& s) { QTest::keyClicks(Surface(), s); }
    TKVRBaseItem* Last() const { return doc.GetItemsCount() ? doc.GetItem(doc.GetItemsCount()) : nullptr; }

    TVXLabelFMX doc;
    TKVREditor editor;
};
