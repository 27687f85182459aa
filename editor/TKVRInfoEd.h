#pragma once
// The square indicators of the editor frame: ortho lines and grid snapping,
// each on or off; an indicator set to siNone stays blank for good.
#include "editor/KVR.FMX.Editor.Types.h"
#include <QPushButton>
#include <QWidget>
#include <functional>

class TKVRInfoEd : public QWidget
{
    Q_OBJECT

public:
    TKVRInfoEd(QWidget* aOwner, TKVRTypeInfo aType);
    TKVRStateInfo GetState() const { return fState; }
    void SetState(TKVRStateInfo aState);
    TKVRTypeInfo GetInfType() const { return fInfType; }
    // 0 while blank, else the height.
    int32_t GetSize() const;
    int32_t GetAllSize() const;

protected:
    void paintEvent(QPaintEvent* aEvent) override;

private:
    TKVRStateInfo fState = TKVRStateInfo::siOff;
    TKVRTypeInfo fInfType;
};

// A push button showing a PNG icon from the editor's resources, found by its
// name as given, in lower case or in upper case.
class TResButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString ResName READ GetResName WRITE SetResName)

public:
    explicit TResButton(QWidget* aOwner);
    QString GetResName() const { return FResName; }
    // Raises when no resource of that name exists; the name is kept, the icon too.
    void SetResName(const QString& aName);
    // The right button reaches the handler as well (a push button ignores it).
    std::function<void(Qt::MouseButton)> OnMouseDown;

protected:
    void mousePressEvent(QMouseEvent* aEvent) override;

private:
    QString FResName;
};
