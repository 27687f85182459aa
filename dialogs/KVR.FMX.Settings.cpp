#include "dialogs/KVR.FMX.Settings.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "document/KVR.FMX.h"
#include "editor/TKVRBaseEditor.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

TfSettings::TfSettings(QWidget* aOwner)
    : QDialog(aOwner, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fSettings"));
    resize(468, 456);
    auto colorBox = [this](const char* aName, const QRect& aGeometry) {
        auto* box = KVRPlaced(new TKVRColorRect(this), aName, aGeometry);
        connect(box, &TKVRColorRect::clicked, this, [this, box] { shSizeColorMouseDown(box); });
        return box;
    };
    auto floatBox = [this](const char* aName, const QRect& aGeometry) {
        return KVRPlaced(new TKVRFloatBox(this), aName, aGeometry);
    };
    auto check = [this](const char* aName, const QRect& aGeometry) {
        return KVRPlaced(new QCheckBox(this), aName, aGeometry);
    };
    auto label = [this](const char* aName, const QRect& aGeometry) {
        return KVRPlaced(new QLabel(this), aName, aGeometry);
    };

    // Grid and steps.
    RGrid = KVRPlaced(new QGroupBox(this), "RGrid", {8, 4, 452, 50});
    RB1 = KVRPlaced(new QRadioButton(RGrid), "RB1", {10, 20, 130, 24});
    RB2 = KVRPlaced(new QRadioButton(RGrid), "RB2", {160, 20, 130, 24});
    RB3 = KVRPlaced(new QRadioButton(RGrid), "RB3", {310, 20, 130, 24});
    labGridX = label("labGridX", {8, 64, 110, 22});
    seGridX = floatBox("seGridX", {120, 62, 104, 26});
    labGridY = label("labGridY", {240, 64, 110, 22});
    seGridY = floatBox("seGridY", {352, 62, 108, 26});
    labMoveX = label("labMoveX", {8, 96, 110, 22});
    seMoveX = floatBox("seMoveX", {120, 94, 104, 26});
    labMoveY = label("labMoveY", {240, 96, 110, 22});
    seMoveY = floatBox("seMoveY", {352, 94, 108, 26});
    labGridColor = label("labGridColor", {8, 128, 110, 22});
    shpGridColor = colorBox("shpGridColor", {120, 128, 40, 22});
    labUnitColor = label("labUnitColor", {240, 128, 110, 22});
    shpUnitColor = colorBox("shpUnitColor", {352, 128, 40, 22});
    seGridX->setSingleStep(0.1);
    seGridY->setSingleStep(0.1);
    seMoveX->setSingleStep(0.5);
    seMoveY->setSingleStep(0.5);

    // Drawing aids and their colours.
    ckOrtoLines = check("ckOrtoLines", {8, 158, 224, 24});
    labGap = label("labGap", {240, 160, 110, 22});
    SEGap = KVRPlaced(new QSpinBox(this), "SEGap", {352, 158, 108, 26});
    SEGap->setRange(0, 30);
    ckShowSizes = check("ckShowSizes", {8, 188, 224, 24});
    labSizeColor = label("labSizeColor", {240, 190, 110, 22});
    shSizeColor = colorBox("shSizeColor", {352, 190, 40, 22});
    ckShowRefLines = check("ckShowRefLines", {8, 216, 224, 24});
    labRefLinesColor = label("labRefLinesColor", {240, 218, 110, 22});
    shRefLinesColor = colorBox("shRefLinesColor", {352, 218, 40, 22});
    ckShowAlignLines = check("ckShowAlignLines", {8, 244, 224, 24});
    labAlignLinesColor = label("labAlignLinesColor", {240, 246, 110, 22});
    shAlignLinesColor = colorBox("shAlignLinesColor", {352, 246, 40, 22});
    labAlignTextColor = label("labAlignTextColor", {240, 274, 110, 22});
    shAlignTextColor = colorBox("shAlignTextColor", {352, 274, 40, 22});

    // Snaps, three columns of three, then the rulers.
    QCheckBox** snaps[] = {&ckSnap,     &ckEndPoint,   &ckMiddlePoint,  &ckCenterPoint,       &ckCrossPoint,
                           &ckPoint,    &ckTangentPoint, &ckPerpendicularPoint, &ckRefSymbol};
    const char* snapNames[] = {"ckSnap",       "ckEndPoint", "ckMiddlePoint", "ckCenterPoint",        "ckCrossPoint",
                               "ckPoint",      "ckTangentPoint", "ckPerpendicularPoint", "ckRefSymbol"};
    for (int i = 0; i < 9; ++i)
        *snaps[i] = check(snapNames[i], {8 + (i % 3) * 152, 304 + (i / 3) * 24, 148, 24});
    QCheckBox** rulers[] = {&ckLeftRuler, &ckTopRuler, &ckRightRuler, &ckBottomRuler};
    const char* rulerNames[] = {"ckLeftRuler", "ckTopRuler", "ckRightRuler", "ckBottomRuler"};
    for (int i = 0; i < 4; ++i)
        *rulers[i] = check(rulerNames[i], {8 + i * 114, 380, 110, 24});

    // The document's line ends.
    gbLineTerm = KVRPlaced(new QGroupBox(this), "gbLineTerm", {8, 406, 304, 46});
    labTermColor = KVRPlaced(new QLabel(gbLineTerm), "labTermColor", {8, 18, 46, 22});
    shpTermColor = KVRPlaced(new TKVRColorRect(gbLineTerm), "shpTermColor", {54, 18, 30, 22});
    labFillTermColor = KVRPlaced(new QLabel(gbLineTerm), "labFillTermColor", {92, 18, 66, 22});
    shpFillTermColor = KVRPlaced(new TKVRColorRect(gbLineTerm), "shpFillTermColor", {158, 18, 30, 22});
    labTermSize = KVRPlaced(new QLabel(gbLineTerm), "labTermSize", {196, 18, 36, 22});
    spinEdTermSize = KVRPlaced(new TKVRFloatBox(gbLineTerm), "spinEdTermSize", {232, 16, 66, 26});
    for (TKVRColorRect* box : {shpTermColor, shpFillTermColor})
        connect(box, &TKVRColorRect::clicked, this, [this, box] { shSizeColorMouseDown(box); });
    spinEdTermSize->SetUnits(TKVRUnits::Millimetre);
    spinEdTermSize->setRange(0.5, 10);
    spinEdTermSize->setSingleStep(0.1);
    spinEdTermSize->SetExact(0.5);

    butOK = KVRPlaced(new QPushButton(this), "butOK", {318, 420, 68, 28});
    butCancel = KVRPlaced(new QPushButton(this), "butCancel", {392, 420, 68, 28});
    butOK->setDefault(true);
    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfSettings::FillLanguage()
{
    auto editor = [](const char* aKey) { return TKVRMsg::GetEditorValue(QString::fromLatin1(aKey)); };
    auto property = [](const char* aKey) { return TKVRMsg::GetPropValue(QString::fromLatin1(aKey)); };
    setWindowTitle(QStringLiteral("    ") + editor("Settings"));
    butOK->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Ok")));
    butCancel->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Cancel")));
    RGrid->setTitle(editor("Grid"));
    RB1->setText(editor("None"));
    RB2->setText(editor("Points"));
    RB3->setText(editor("Lines"));
    const std::pair<QWidget*, const char*> texts[] = {
        {labGridX, "GridX"},
        {labGridY, "GridY"},
        {labMoveX, "MoveX"},
        {labMoveY, "MoveY"},
        {labGridColor, "GridColor"},
        {labUnitColor, "UnitsColor"},
        {labGap, "PickGap"},
        {ckShowSizes, "ShowSizes"},
        {labSizeColor, "SizeColor"},
        {ckShowRefLines, "ShowRefLines"},
        {labRefLinesColor, "RefLinesColor"},
        {ckShowAlignLines, "ShowAlignLines"},
        {labAlignLinesColor, "AlignLinesColor"},
        {labAlignTextColor, "AlignTextColor"},
        {ckSnap, "SnapGrid"},
        {ckEndPoint, "EndPoint"},
        {ckMiddlePoint, "MiddlePoint"},
        {ckCenterPoint, "CenterPoint"},
        {ckCrossPoint, "CrossPoint"},
        {ckPoint, "Point"},
        {ckTangentPoint, "TangentPoint"},
        {ckPerpendicularPoint, "PerpendicularPoint"},
        {ckRefSymbol, "RefSymbol"},
        {ckRightRuler, "RightRuler"},
        {ckLeftRuler, "LeftRuler"},
        {ckTopRuler, "TopRuler"},
        {ckBottomRuler, "BottomRuler"},
    };
    for (const auto& [control, key] : texts) {
        if (auto* text = qobject_cast<QLabel*>(control))
            text->setText(editor(key));
        else
            static_cast<QCheckBox*>(control)->setText(editor(key));
    }
    ckOrtoLines->setText(editor("OrtoLines") + QStringLiteral(" (F8)"));
    gbLineTerm->setTitle(property("StartEndLine"));
    labTermColor->setText(property("Color"));
    labFillTermColor->setText(property("BackColor"));
    labTermSize->setText(property("Size"));
}

void TfSettings::Ini(TVXLabelFMX* aLabel, TKVRBaseEditor* aEditor)
{
    FillLanguage();
    TKVRGrid& grid = *aEditor->GetGrid();
    TKVRRulers& rulers = *aEditor->GetRulers();
    const TKVRSelColors& colors = *aEditor->GetSelectionColors();
    QRadioButton* styles[] = {RB1, RB2, RB3};
    const auto style = size_t(grid.GetStyle());
    if (style < 3)
        styles[style]->setChecked(true);
    ckOrtoLines->setChecked(aEditor->GetOrtoLines());
    SEGap->setValue(aEditor->GetGap());
    // Bounds before values, so a value is held to the editor's bounds.
    for (TKVRFloatBox* box : {seGridX, seGridY, seMoveX, seMoveY})
        box->SetUnits(aEditor->Units());
    seGridX->setRange(grid.MinInc(), grid.MaxInc());
    seGridY->setRange(grid.MinInc(), grid.MaxInc());
    seMoveX->setRange(aEditor->MinMoveValue(), aEditor->MaxMoveValue());
    seMoveY->setRange(aEditor->MinMoveValue(), aEditor->MaxMoveValue());
    seGridX->SetExact(grid.GetIncX());
    seGridY->SetExact(grid.GetIncY());
    seMoveX->SetExact(aEditor->GetMoveX());
    seMoveY->SetExact(aEditor->GetMoveY());
    shSizeColor->SetColor(rulers.GetSizeColor());
    ckShowSizes->setChecked(rulers.GetShowSize());
    shAlignLinesColor->SetColor(colors.fAlign);
    ckShowAlignLines->setChecked(rulers.GetShowAlign());
    shAlignTextColor->SetColor(colors.fAlignText);
    shpGridColor->SetColor(grid.GetStepColor());
    shpUnitColor->SetColor(grid.GetUnitsColor());
    shRefLinesColor->SetColor(colors.fRefLine);
    ckShowRefLines->setChecked(aEditor->GetShowRefLines());
    const TKVRSnapOptions snap = aEditor->GetSnap();
    const std::pair<QCheckBox*, TKVRSnapOption> snaps[] = {
        {ckPoint, skPoint},   {ckSnap, skGrid},          {ckMiddlePoint, skMiddle},
        {ckCenterPoint, skCenter}, {ckEndPoint, skEnd},    {ckRefSymbol, skSymbolRef},
        {ckCrossPoint, skCross},   {ckTangentPoint, skTangent}, {ckPerpendicularPoint, skPerpendicular}};
    for (const auto& [box, bit] : snaps)
        box->setChecked(snap.testFlag(bit));
    const TKVRShowRulers visible = rulers.GetVisible();
    ckLeftRuler->setChecked(visible.testFlag(rvLeft));
    ckTopRuler->setChecked(visible.testFlag(rvTop));
    ckRightRuler->setChecked(visible.testFlag(rvRight));
    ckBottomRuler->setChecked(visible.testFlag(rvBottom));
    const TKVRSettings& settings = aLabel->GetSettings();
    shpTermColor->SetColor(settings.GetTermColor());
    shpFillTermColor->SetColor(settings.GetFillTermColor());
    spinEdTermSize->SetExact(settings.GetTermSize());
}

uint8_t TfSettings::GridStyle() const
{
    return RB2->isChecked() ? 1 : RB3->isChecked() ? 2 : 0;
}

TKVRSettingsValues TfSettings::GetValues() const
{
    TKVRSettingsValues v;
    v.RightRuler = ckRightRuler->isChecked();
    v.LeftRuler = ckLeftRuler->isChecked();
    v.TopRuler = ckTopRuler->isChecked();
    v.BottomRuler = ckBottomRuler->isChecked();
    v.ShowSizes = ckShowSizes->isChecked();
    v.SizeColor = shSizeColor->GetColor();
    v.ShowRefLines = ckShowRefLines->isChecked();
    v.RefLinesColor = shRefLinesColor->GetColor();
    v.AlignLinesColor = shAlignLinesColor->GetColor();
    v.ShowAlignLines = ckShowAlignLines->isChecked();
    v.AlignTextColor = shAlignTextColor->GetColor();
    v.GridStyle = TKVRGridDraw(GridStyle());
    v.OrtoLines = ckOrtoLines->isChecked();
    v.Gap = float(SEGap->value());
    v.Snap = ckSnap->isChecked();
    v.EndPoint = ckEndPoint->isChecked();
    v.MiddlePoint = ckMiddlePoint->isChecked();
    v.CenterPoint = ckCenterPoint->isChecked();
    v.TangentPoint = ckTangentPoint->isChecked();
    v.PerpendicularPoint = ckPerpendicularPoint->isChecked();
    v.Point = ckPoint->isChecked();
    v.RefSymbol = ckRefSymbol->isChecked();
    v.CrossPoint = ckCrossPoint->isChecked();
    v.MoveX = float(seMoveX->Exact());
    v.MoveY = float(seMoveY->Exact());
    v.GridColor = shpGridColor->GetColor();
    v.UnitColor = shpUnitColor->GetColor();
    v.GridX = float(seGridX->Exact());
    v.GridY = float(seGridY->Exact());
    v.TermColor = shpTermColor->GetColor();
    v.FillTermColor = shpFillTermColor->GetColor();
    v.TermSize = float(spinEdTermSize->Exact());
    return v;
}

void TfSettings::shSizeColorMouseDown(TKVRColorRect* Sender)
{
    TAlphaColor color = Sender->GetColor();
    if (KVRPickColor(this, color))
        Sender->SetColor(color);
}

bool TKVRSettingsDialog::Edit(TVXLabelFMX& aDoc, TKVRBaseEditor& aEditor, TKVRSettingsValues& aValues)
{
    TfSettings form(QApplication::activeWindow());
    form.Ini(&aDoc, &aEditor);
    if (KVRShowModal(form) != 1)
        return false;
    aValues = form.GetValues();
    return true;
}
