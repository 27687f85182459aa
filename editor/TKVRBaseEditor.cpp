#include "editor/TKVRBaseEditor.h"
#include "document/KVR.FMX.h"
#include "editor/TKVRBackEditor.h"
#include "editor/TKVRInfoEd.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseTextItem.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

static void InitEditorResources()
{
    Q_INIT_RESOURCE(editor);
}

TKVRBaseEditor::TKVRBaseEditor(QWidget* aParent)
    : QWidget(aParent),
      fRulers(std::make_unique<TKVRRulers>(this)),
      fGrid(std::make_unique<TKVRGrid>(this)),
      fSelColors(std::make_unique<TKVRSelColors>(this))
{
    InitEditorResources();
    AddCtrls();
}

TKVRBaseEditor::~TKVRBaseEditor()
{
    if (fBackEdit)
        fBackEdit->fDScroll.Ready = false;
    if (fBaseLab)
        fBaseLab->Detach(this);
    fBaseLab = nullptr;
    // The children die with the widget after this body; nothing of theirs may call back.
    for (QObject* child : children())
        child->disconnect(this);
}

void TKVRBaseEditor::AddCtrls()
{
    fLayout.Clear();
    fHorzScroll = new QScrollBar(Qt::Horizontal, this);
    fHorzScroll->setSingleStep(10);
    connect(fHorzScroll, &QScrollBar::valueChanged, this, &TKVRBaseEditor::ChangeScrollHorz);
    fLayout.AddControl(fHorzScroll, 3, 3, 1, 1);

    fVertScroll = new QScrollBar(Qt::Vertical, this);
    fVertScroll->setSingleStep(10);
    connect(fVertScroll, &QScrollBar::valueChanged, this, &TKVRBaseEditor::ChangeScrollVert);
    fLayout.AddControl(fVertScroll, 2, 4, 1, 1);

    fBackEdit = new TKVRBackEditor(this);
    fBackEdit->DrawLinkPointColor();
    fLayout.AddControl(fBackEdit, 0, 0, 3, 4);

    fEbZoom = new QComboBox(this);
    fEbZoom->hide();
    for (const char* item : {"25 %", "50 %", "75 %", "100 %", "125 %", "150 %", "175 %", "200 %", "250 %", "300 %",
                             "350 %", "400 %", "450 %", "500 %", "     "})
        fEbZoom->addItem(QString::fromLatin1(item));
    fEbZoom->addItem(TKVRMsg::GetPropValue(QStringLiteral("Width")));
    fEbZoom->addItem(TKVRMsg::GetPropValue(QStringLiteral("Height")));
    fEbZoom->addItem(TKVRMsg::GetDialogsValue(QStringLiteral("Fit")));
    QFont small = fEbZoom->font();
    small.setPointSize(10);
    fEbZoom->setFont(small);
    fEbZoom->setCurrentIndex(3);
    connect(fEbZoom, &QComboBox::activated, this, &TKVRBaseEditor::ZoomChange);
    fLayout.AddControl(fEbZoom, 3, 0, 1, 1);

    fEbUnits = new QPushButton(this);
    fEbUnits->hide();
    fEbUnits->setCursor(Qt::PointingHandCursor);
    connect(fEbUnits, &QPushButton::clicked, this, &TKVRBaseEditor::ClickUnits);
    fLayout.AddControl(fEbUnits, 3, 1, 1, 1);

    fInfoEdOrto = new TKVRInfoEd(this, TKVRTypeInfo::tiOrto);
    fInfoEdOrto->hide();
    fLayout.AddControl(fInfoEdOrto, 3, 2, 1, 1);
    fInfoEdSnap = new TKVRInfoEd(this, TKVRTypeInfo::tiSnapToGrid);
    fInfoEdSnap->hide();
    fLayout.AddControl(fInfoEdSnap, 3, 4, 1, 1);

    fEbSettings = new TResButton(this);
    fEbSettings->hide();
    fEbSettings->SetResName(QStringLiteral("SETTINGS"));
    fEbSettings->setCursor(Qt::PointingHandCursor);
    connect(fEbSettings, &QPushButton::clicked, this, &TKVRBaseEditor::ClickSettings);
    fLayout.AddControl(fEbSettings, 0, 4, 1, 1);

    fEbRotate = new TResButton(this);
    fEbRotate->hide();
    fEbRotate->SetResName(QStringLiteral("ROTATE"));
    fEbRotate->setCursor(Qt::PointingHandCursor);
    fEbRotate->OnMouseDown = [this](Qt::MouseButton aButton) { MouseDownRotate(aButton); };
    fLayout.AddControl(fEbRotate, 1, 4, 1, 1);

    if (fBaseLab) {
        ShowUnits();
        fBaseLab->GetMeasure().SendInfo();
    }
    AdjustCtrls();
}

// ---------------------------------------------------------------- document

void TKVRBaseEditor::SetLabel(TVXLabelFMX* aLabel)
{
    if (aLabel == fBaseLab)
        return;
    // What was being drawn, typed or selected in the text belongs to the
    // document it was begun on: it ends there and nothing of it carries over.
    if (fBaseLab && fBaseLab->GetAction() != TAct::ActSelect)
        fBaseLab->ResetAction();
    EndTextEditing();
    ResetInputText(false);
    fBackEdit->fRef.Reset();
    fBackEdit->ResetPoints(false);
    if (!KVRWatchLabel(this, fBaseLab, aLabel))
        return;
    fLinked = aLabel != nullptr;
    if (aLabel) {
        aLabel->SetEditorFlag(fOptions.testFlag(eoDocFlag));
        ShowUnits();
        ShowZoom();
        aLabel->SendInfo();
    }
    fBackEdit->DrawEditor();
}

void TKVRBaseEditor::DocumentDestroyed()
{
    fBaseLab = nullptr;
    fLinked = false;
    fBackEdit->DrawEditor();
}

TKVRUnits TKVRBaseEditor::Units() const
{
    return fBaseLab ? fBaseLab->GetUnits() : TKVRUnits::Millimetre;
}

int32_t TKVRBaseEditor::DrawScale() const
{
    return fBaseLab ? fBaseLab->GetMeasure().GetDrawScale() : 1;
}

void TKVRBaseEditor::ShowUnits()
{
    fEbUnits->setText(SymUnit(Units(), false));
}

void TKVRBaseEditor::BeginUpdate()
{
    fBackEdit->fDScroll.Ready = false;
}

void TKVRBaseEditor::EndUpdate()
{
    fBackEdit->fDScroll.Ready = true;
    fBackEdit->DrawEditor();
}

void TKVRBaseEditor::SetCursorShape(Qt::CursorShape aShape)
{
    fBackEdit->setCursor(aShape);
}

void TKVRBaseEditor::IniEdition(bool aInserting)
{
    fBackEdit->fInserting = aInserting;
    fBackEdit->fRef.Reset();
    fBitText = false;
    fBackEdit->setFocus();
}

void TKVRBaseEditor::CrosshairAndStart(bool aInserting)
{
    SetCursorShape(Qt::CrossCursor);
    IniEdition(aInserting);
}

void TKVRBaseEditor::UpdateRulers(bool aRelayout)
{
    if (aRelayout) {
        fBackEdit->Relayout();
        return;
    }
    fBackEdit->fChanges = KVRChanges::Scroll;
    fBackEdit->DrawEditor();
}

// aPending: a new text to write or edit, the caret at its end; otherwise
// the text changed while written and the caret stays where the keys put it.
void TKVRBaseEditor::StartText(bool aPending)
{
    TKVRBaseItem* text = fBaseLab ? fBaseLab->GetTextObject() : nullptr;
    if (!text)
        return;
    fBackEdit->fInserting = false;
    fBitText = false;
    TKVRDraw& drw = *fBackEdit->fDrw;
    drw.DrawState = KVRDrawState::EditorText;
    if (auto* rich = dynamic_cast<TKVRBaseRichText*>(text)) {
        drw.aTxt = rich->GetPlainText();
        // Its caret and selection paint while it is edited.
        rich->SetEditState(1);
    } else if (auto* plain = dynamic_cast<TKVRBaseTextItem*>(text))
        drw.aTxt = plain->GetText();
    drw.aPos = aPending ? int32_t(drw.aTxt.size()) : std::clamp(drw.aPos, 0, int32_t(drw.aTxt.size()));
    if (aPending)
        fBackEdit->fChanges = KVRChanges::Scroll;
    fBackEdit->FollowInputMethod();
    fBackEdit->DrawEditor();
}

void TKVRBaseEditor::EndTextEditing()
{
    TKVRBackEditor& surface = *fBackEdit;
    if (auto* rich = dynamic_cast<TKVRBaseRichText*>(fBaseLab ? fBaseLab->Select() : nullptr))
        rich->SetEditState(0);
    surface.fInserting = false;
    fBitText = false;
    surface.fDraggingRichTextSel = false;
    surface.fDrw->DrawState = KVRDrawState::Editor;
    surface.fDrw->aTxt.clear();
    surface.fDrw->aPos = surface.fDrw->aSelStart = surface.fDrw->aSelEnd = 0;
    surface.FollowInputMethod();
}

void TKVRBaseEditor::ShowZoom()
{
    fEbZoom->setCurrentIndex(ItemOfZoom(fZoom));
}

void TKVRBaseEditor::UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue)
{
    const TVXChangeValue value = aValue;
    TKVRBackEditor& surface = *fBackEdit;
    switch (aChange) {
    case KVRChange::Loaded:
    case KVRChange::Size: {
        if (aChange == KVRChange::Loaded && fBaseLab)
            fBackColor = fBaseLab->GetBackSurf().GetBackColor();
        TKVRDimScroll& d = surface.fDScroll;
        d.BaseW = value.Width;
        d.BaseH = value.Height;
        d.ScaledW = value.Width * DrawScale();
        d.ScaledH = value.Height * DrawScale();
        d.PixW = RoundHalfEven32(double(value.Width) * surface.fDPIX / 25400.0);
        d.PixH = RoundHalfEven32(double(value.Height) * surface.fDPIY / 25400.0);
        d.SizeMMW = float(double(value.Width) / 1000.0);
        d.SizeMMH = float(double(value.Height) / 1000.0);
        surface.Relayout();
        break;
    }
    case KVRChange::BackColor:
        if (fBaseLab)
            fBackColor = fBaseLab->GetBackSurf().GetBackColor();
        surface.DrawEditor();
        break;
    case KVRChange::Items:
        surface.fChanges = KVRChanges::Scroll;
        surface.DrawEditor();
        break;
    case KVRChange::Units:
        UpdateRulers(false);
        ShowUnits();
        break;
    case KVRChange::Update:
        if (value.Begin == 0)
            BeginUpdate();
        else
            EndUpdate();
        break;
    case KVRChange::State:
        if (fBaseLab)
            ReactToAction(fBaseLab->GetAction(), true);
        break;
    case KVRChange::Selection:
        if (fRulers->GetShowSize())
            surface.fChanges = KVRChanges::Scroll;
        surface.DrawEditor();
        break;
    case KVRChange::ScrollTo:
        surface.ScrollItem(fBaseLab ? fBaseLab->Select() : nullptr);
        surface.DrawEditor();
        break;
    case KVRChange::EndText:
        EndTextEditing();
        break;
    case KVRChange::Action:
        if (fBaseLab)
            ReactToAction(fBaseLab->GetAct().fCurAction, false);
        break;
    case KVRChange::Reset:
        surface.DrawEditor();
        if (fBaseLab)
            ReactToAction(fBaseLab->GetAct().fCurAction, false);
        break;
    case KVRChange::StartText:
        StartText(true);
        break;
    case KVRChange::Text:
        StartText(false);
        break;
    case KVRChange::PickSymbol:
        if (SelectSymbol())
            CrosshairAndStart(true);
        break;
    default:
        break;
    }
}

// Cursor and edit start for an action; aFromState: the action moved to another state (change 7).
void TKVRBaseEditor::ReactToAction(uint8_t aAction, bool aFromState)
{
    const uint8_t state = fBaseLab ? fBaseLab->GetState() : 0;
    const auto drawing = [](uint8_t a) {
        return (a >= 3 && a <= 14) || a == 18 || a == 19 || (a >= 24 && a <= 29) || (a >= 32 && a <= 37) ||
               (a >= 39 && a <= 46);
    };
    if (drawing(aAction)) {
        CrosshairAndStart(true);
        return;
    }
    switch (aAction) {
    case TAct::ActSelect:
        fBackEdit->fInserting = false;
        if (!aFromState) {
            SetCursorShape(Qt::ArrowCursor);
            fBackEdit->fRef.Reset();
        }
        break;
    case TAct::ActWriteText:
        if (aFromState) {
            SetCursorShape(Qt::CrossCursor);
            IniEdition(false);
        } else if (state != 11) {
            // Placing the new text: its click snaps as every tool's first click does.
            SetCursorShape(Qt::CrossCursor);
            fBackEdit->fDrw->aTxt.clear();
            fBackEdit->fDrw->aPos = 0;
            IniEdition(true);
        } else if (state == 11 && fBaseLab && fBaseLab->GetTextObject()) {
            SetCursorShape(Qt::ArrowCursor);
            StartText(false);
        }
        break;
    case TAct::ActEditText:
        if (!aFromState && state == 11) {
            SetCursorShape(Qt::ArrowCursor);
            fBackEdit->fInserting = false;
            fBitText = false;
        }
        break;
    case TAct::ActSymbol:
        if (state == 12 || state == 13)
            SetCursorShape(Qt::ArrowCursor);
        else if (state == 18)
            SetCursorShape(Qt::PointingHandCursor);
        break;
    case 21:
        SetCursorShape(Qt::ArrowCursor);
        break;
    case 22:
        if (state == 12 || state == 13)
            SetCursorShape(Qt::ArrowCursor);
        else if (state == 19)
            SetCursorShape(Qt::PointingHandCursor);
        break;
    case 23:
        if (state == 12 || state == 22)
            SetCursorShape(Qt::ArrowCursor);
        break;
    case TAct::ActLink:
    case TAct::ActPolyLink:
        if (aFromState)
            break;
        SetCursorShape(Qt::CrossCursor);
        if (state == 2)
            fBackEdit->ResetPoints(true);
        else if (state == (aAction == TAct::ActLink ? 3 : 5))
            fBackEdit->ResetPoints(false);
        break;
    case 38:
    case 47:
        if (state == 2)
            CrosshairAndStart(true);
        else if (state == 3 || state == 22)
            SetCursorShape(Qt::CrossCursor);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- zoom and layout

void TKVRBaseEditor::SetZoom(TKVRZoom aZoom)
{
    if (aZoom == fZoom)
        return;
    fZoom = aZoom;
    if (ZoomFactor(aZoom) > 0)
        fZScale = ZoomFactor(aZoom);
    fBackEdit->Relayout();
    ShowZoom();
}

void TKVRBaseEditor::ZoomChange(int aIndex)
{
    TKVRZoom zoom{};
    if (ZoomOfItem(aIndex, zoom))
        SetZoom(zoom);
}

void TKVRBaseEditor::IncZoom()
{
    SetZoom(StepZoom(fZoom, fZScale, true));
}

void TKVRBaseEditor::DecZoom()
{
    SetZoom(StepZoom(fZoom, fZScale, false));
}

void TKVRBaseEditor::CheckDScroll()
{
    TKVRViewFrame frame;
    frame.EditorW = width();
    frame.EditorH = height();
    frame.SurfaceW = fBackEdit->width();
    frame.SurfaceH = fBackEdit->height();
    frame.Margin = fMargin;
    frame.Rulers = fRulers->GetVisible();
    frame.RulerSize = fRulers->GetSize();
    frame.LabelPos = fLabelPos;
    frame.Zoom = fZoom;
    frame.DPIX = fBackEdit->fDPIX;
    frame.DPIY = fBackEdit->fDPIY;
    ::CheckDScroll(frame, fBackEdit->fDScroll, fZScale);
    fBackEdit->fChanges = KVRChanges::All;
}

void TKVRBaseEditor::AdjustCtrls()
{
    fLayout.ApplyOptions(fOptions);
    if (fInfoEdOrto->GetState() != TKVRStateInfo::siNone)
        fInfoEdOrto->SetState(fOrtoLines ? TKVRStateInfo::siOn : TKVRStateInfo::siOff);
    if (fInfoEdSnap->GetState() != TKVRStateInfo::siNone)
        fInfoEdSnap->SetState(fSnap.testFlag(skGrid) ? TKVRStateInfo::siOn : TKVRStateInfo::siOff);
    UpdateLayout();
}

void TKVRBaseEditor::UpdateLayout()
{
    for (int32_t i = 0; i < fLayout.fCellCount; ++i) {
        QWidget* control = fLayout.fCells[size_t(i)].Control;
        if (!control)
            continue;
        const QRect r = fLayout.CellBounds(i, width(), height());
        control->setGeometry(r);
        bool shown = r.width() > 0 && r.height() > 0;
        if (control == fInfoEdSnap)
            shown = shown && fOptions.testFlag(eoSnapInfo);
        control->setVisible(shown);
    }
}

void TKVRBaseEditor::resizeEvent(QResizeEvent* aEvent)
{
    QWidget::resizeEvent(aEvent);
    UpdateLayout();
}

void TKVRBaseEditor::ChangeScrollHorz(int aValue)
{
    TKVRDimScroll& d = fBackEdit->fDScroll;
    if (!d.Ready)
        return;
    fBackEdit->MoveScrollPoint(d.ScrollX - aValue, 0);
    d.ScrollX = aValue;
    fBackEdit->fChanges = KVRChanges::HorzScroll;
    fBackEdit->DrawEditor();
}

void TKVRBaseEditor::ChangeScrollVert(int aValue)
{
    TKVRDimScroll& d = fBackEdit->fDScroll;
    if (!d.Ready)
        return;
    fBackEdit->MoveScrollPoint(0, d.ScrollY - aValue);
    d.ScrollY = aValue;
    fBackEdit->fChanges = KVRChanges::VertScroll;
    fBackEdit->DrawEditor();
}

void TKVRBaseEditor::ScrollToItem(TKVRBaseItem* aItem)
{
    if (aItem)
        fBackEdit->EnsureItemVisible(aItem);
}

void TKVRBaseEditor::FillLanguage()
{
    fEbZoom->setItemText(15, TKVRMsg::GetPropValue(QStringLiteral("Width")));
    fEbZoom->setItemText(16, TKVRMsg::GetPropValue(QStringLiteral("Height")));
    fEbZoom->setItemText(17, TKVRMsg::GetDialogsValue(QStringLiteral("Fit")));
}

// ---------------------------------------------------------------- buttons and dialogs

void TKVRBaseEditor::ClickUnits()
{
    if (!fBaseLab)
        return;
    const int32_t unit = int32_t(fBaseLab->GetUnits());
    int32_t next = unit;
    if (fBaseLab->GetEditorMode() <= 1) {
        if (unit <= 2)
            next = (unit + 1) % 3;
    } else {
        next = (unit + 1) % 7;
    }
    if (next != unit)
        fBaseLab->SetUnits(TKVRUnits(next));
}

void TKVRBaseEditor::MouseDownRotate(Qt::MouseButton aButton)
{
    if (!fBaseLab)
        return;
    if (aButton == Qt::LeftButton)
        fBaseLab->RotateLeft();
    else if (aButton == Qt::RightButton)
        fBaseLab->RotateRight();
}

bool TKVRBaseEditor::SelectSymbol()
{
    if (!fBaseLab)
        return false;
    std::unique_ptr<TKVRBaseLibSymbol> symbol;
    QString category = fLastCat;
    IKVRSymbolBrowser* browser = fSymbolBrowser ? fSymbolBrowser : KVRDefaultSymbolBrowser();
    if (browser && browser->Browse(*fBaseLab, category, symbol) && symbol) {
        fLastCat = category;
        fBaseLab->AddSymbol(std::move(symbol), true);
        return true;
    }
    fBaseLab->ResetAction();
    return false;
}

void TKVRBaseEditor::EditSettings()
{
    IKVRSettingsDialog* dialog = fSettingsDialog ? fSettingsDialog : KVRDefaultSettingsDialog();
    if (!fBaseLab || !dialog)
        return;
    TKVRSettingsValues v;
    if (!dialog->Edit(*fBaseLab, *this, v))
        return;
    // Painting waits for the last value, even when one of them raises.
    struct TBracket
    {
        TKVRBaseEditor& Editor;
        explicit TBracket(TKVRBaseEditor& aEditor) : Editor(aEditor) { Editor.BeginUpdate(); }
        ~TBracket() { Editor.EndUpdate(); }
    } bracket(*this);
    const auto ruler = [this](TKVRRulerVisible aBit, bool aOn) {
        TKVRShowRulers visible = fRulers->GetVisible();
        visible.setFlag(aBit, aOn);
        fRulers->SetVisible(visible);
    };
    ruler(rvRight, v.RightRuler);
    ruler(rvLeft, v.LeftRuler);
    ruler(rvTop, v.TopRuler);
    ruler(rvBottom, v.BottomRuler);
    fRulers->SetShowSize(v.ShowSizes);
    fRulers->SetSizeColor(v.SizeColor);
    fShowRefLines = v.ShowRefLines;
    fSelColors->fRefLine = v.RefLinesColor;
    fSelColors->fAlign = v.AlignLinesColor;
    fRulers->SetShowAlign(v.ShowAlignLines);
    fSelColors->fAlignText = v.AlignTextColor;
    fGrid->SetStyle(v.GridStyle);
    SetOrtoLines(v.OrtoLines);
    SetGap(RoundHalfEven32(v.Gap));
    const std::pair<TKVRSnapOption, bool> snaps[] = {
        {skGrid, v.Snap},           {skEnd, v.EndPoint},
        {skMiddle, v.MiddlePoint},  {skCenter, v.CenterPoint},
        {skTangent, v.TangentPoint}, {skPerpendicular, v.PerpendicularPoint},
        {skPoint, v.Point},         {skSymbolRef, v.RefSymbol},
        {skCross, v.CrossPoint}};
    for (const auto& [bit, on] : snaps) {
        TKVRSnapOptions snap = fSnap;
        snap.setFlag(bit, on);
        SetSnap(snap);
    }
    SetMoveX(v.MoveX);
    SetMoveY(v.MoveY);
    fGrid->SetStepColor(v.GridColor);
    fGrid->SetUnitsColor(v.UnitColor);
    fGrid->SetIncX(v.GridX);
    fGrid->SetIncY(v.GridY);
    fGrid->SetStyle(v.GridStyle);
    TKVRSettings settings = fBaseLab->GetSettings();
    settings.SetTermColor(v.TermColor);
    settings.SetFillTermColor(v.FillTermColor);
    settings.SetTermSize(v.TermSize);
    // The label files keep the line ends: a changed one is a change to save.
    if (!(settings == fBaseLab->GetSettings())) {
        fBaseLab->SetSettings(settings);
        fBaseLab->SetModified(true);
    }
}

IKVRSymbolBrowser*& KVRDefaultSymbolBrowser()
{
    static IKVRSymbolBrowser* browser = nullptr;
    return browser;
}

IKVRSettingsDialog*& KVRDefaultSettingsDialog()
{
    static IKVRSettingsDialog* dialog = nullptr;
    return dialog;
}

// ---------------------------------------------------------------- options

void TKVRBaseEditor::SetEditorOptions(TKVREditorOptions aOptions)
{
    if (aOptions == fOptions)
        return;
    fOptions = aOptions;
    fBackEdit->fDrw->aDrawLinkPto = fOptions.testFlag(eoLinkPoints);
    if (fBaseLab)
        fBaseLab->SetEditorFlag(fOptions.testFlag(eoDocFlag));
    AdjustCtrls();
}

void TKVRBaseEditor::SetEnabledfMouseFilter(bool aValue)
{
    if (aValue == fEnabledfMouseFilter)
        return;
    fEnabledfMouseFilter = aValue;
    fBackEdit->fMouseFilter->SetEnabled(aValue);
}

void TKVRBaseEditor::SetGap(int32_t aValue)
{
    aValue = std::clamp(aValue, 0, 30);
    if (aValue == fGap)
        return;
    fGap = aValue;
    fBackEdit->SetGap();
}

void TKVRBaseEditor::SetGrid(const TKVRGrid* aGrid)
{
    if (aGrid && aGrid != fGrid.get())
        fGrid->Assign(*aGrid);
}

void TKVRBaseEditor::SetRulers(const TKVRRulers* aRulers)
{
    if (aRulers && aRulers != fRulers.get())
        fRulers->Assign(*aRulers);
}

void TKVRBaseEditor::SetLabelPos(TVKRLabelPos aValue)
{
    if (aValue == fLabelPos)
        return;
    fLabelPos = aValue;
    fBackEdit->Relayout();
}

void TKVRBaseEditor::SetMargin(int32_t aValue)
{
    aValue = std::clamp(aValue, 0, 100);
    if (aValue == fMargin)
        return;
    fMargin = aValue;
    fBackEdit->Relayout();
}

void TKVRBaseEditor::SetMarginColor(TAlphaColor aValue)
{
    if (aValue == fMarginColor)
        return;
    fMarginColor = aValue;
    fBackEdit->DrawEditor();
}

int32_t TKVRBaseEditor::ClampMove(int64_t aStep) const
{
    return TKVRGrid::ClampStep(aStep, std::max(DrawScale(), 1));
}

float TKVRBaseEditor::GetMoveX()
{
    if (!fBaseLab)
        return 0.0f;
    fMoveX = ClampMove(fMoveX);
    return GetValue(int64_t(fMoveX) * DrawScale(), Units());
}

float TKVRBaseEditor::GetMoveY()
{
    if (!fBaseLab)
        return 0.0f;
    fMoveY = ClampMove(fMoveY);
    return GetValue(int64_t(fMoveY) * DrawScale(), Units());
}

void TKVRBaseEditor::SetMoveX(float aValue)
{
    if (fBaseLab)
        fMoveX = ClampMove(SetValue(aValue, Units()) / std::max(DrawScale(), 1));
}

void TKVRBaseEditor::SetMoveY(float aValue)
{
    if (fBaseLab)
        fMoveY = ClampMove(SetValue(aValue, Units()) / std::max(DrawScale(), 1));
}

float TKVRBaseEditor::MinMoveValue() const
{
    return fBaseLab ? GetValue(int64_t(DrawScale()) * 100, Units()) : 0.0f;
}

float TKVRBaseEditor::MaxMoveValue() const
{
    if (!fBaseLab)
        return 0.0f;
    const int32_t n = std::max(DrawScale(), 1);
    return GetValue(int64_t(std::max(1000000 / n, 100)) * DrawScale(), Units());
}

void TKVRBaseEditor::SetOrtoLines(bool aValue)
{
    if (aValue == fOrtoLines)
        return;
    fOrtoLines = aValue;
    if (fInfoEdOrto->GetState() != TKVRStateInfo::siNone)
        fInfoEdOrto->SetState(aValue ? TKVRStateInfo::siOn : TKVRStateInfo::siOff);
}

void TKVRBaseEditor::SetSnap(TKVRSnapOptions aValue)
{
    if (aValue == fSnap)
        return;
    fSnap = aValue;
    if (fInfoEdSnap->GetState() != TKVRStateInfo::siNone)
        fInfoEdSnap->SetState(aValue.testFlag(skGrid) ? TKVRStateInfo::siOn : TKVRStateInfo::siOff);
}

void TKVRBaseEditor::SetSizeRef(int32_t aValue)
{
    fSizeRef = std::clamp(aValue, 2, 24);
}

void TKVRBaseEditor::SetSizePoint(int32_t aValue)
{
    fSizePoint = std::clamp(aValue, 1, 24);
}

float TKVRBaseEditor::SizeSelection(int16_t aMode) const
{
    return fBaseLab ? fBaseLab->SizeSelection(aMode) : -1.0f;
}

// The selection's edge goes onto a guide. The guides are thousandths of a
// label unit, the edges micrometres: the distance is taken and moved in whole
// micrometres, so the edge ends on the guide and a second align moves nothing.
void TKVRBaseEditor::AlignSelected(int16_t aSide)
{
    if (!fBaseLab || fBaseLab->GetSelectionCount() < 1)
        return;
    const int64_t edge = fBaseLab->SelectionBounds(aSide);
    if (edge < 0)
        return;
    const bool across = aSide <= 2;
    const int64_t guide = across ? fRulers->fAlignLeft : fRulers->fAlignTop;
    const int64_t guideMicro = RoundHalfEven(double(guide) / 1000.0 * double(MicrometresPerUnit(Units())));
    const int64_t d = guideMicro - edge;
    if (d == 0)
        return;
    fBaseLab->MoveSelectionBy(across ? d : 0, across ? 0 : d, fShowRefLines);
    fBackEdit->DrawEditor();
}

void TKVRBaseEditor::AlignSelectedLeft() { AlignSelected(1); }
void TKVRBaseEditor::AlignSelectedRight() { AlignSelected(2); }
void TKVRBaseEditor::AlignSelectedTop() { AlignSelected(3); }
void TKVRBaseEditor::AlignSelectedBottom() { AlignSelected(4); }

void TKVRBaseEditor::Assign(const TKVRBaseEditor& aSource)
{
    SetLabel(aSource.fBaseLab);
    fRulers->Assign(*aSource.fRulers);
    fGrid->Assign(*aSource.fGrid);
    fBackColor = aSource.fBackColor;
    fLabelPos = aSource.fLabelPos;
    SetSnap(aSource.fSnap);
    SetGap(aSource.fGap);
    SetSizeRef(aSource.fSizeRef);
    SetZoom(aSource.fZoom);
    SetMarginColor(aSource.fMarginColor);
    SetEditorOptions(aSource.fOptions);
    SetEnabledfMouseFilter(aSource.fEnabledfMouseFilter);
    fShowRefLines = aSource.fShowRefLines;
    // The scroll bars as the source has them; the relayout then keeps their
    // values as far as this editor's own content reaches.
    for (auto [to, from] : {std::pair{fHorzScroll, aSource.fHorzScroll}, std::pair{fVertScroll, aSource.fVertScroll}}) {
        to->setRange(from->minimum(), from->maximum());
        to->setPageStep(from->pageStep());
        to->setSingleStep(from->singleStep());
        to->setValue(from->value());
        to->setEnabled(from->isEnabled());
    }
    fBackEdit->Relayout();
}
