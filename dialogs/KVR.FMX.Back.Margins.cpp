#include "dialogs/KVR.FMX.Back.Margins.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QLabel>
#include <QPushButton>
#include <limits>

TfBackMargins::TfBackMargins(QWidget* aOwner) : QDialog(aOwner)
{
    setObjectName(QStringLiteral("fBackMargins"));
    setFixedSize(399, 198);
    const auto box = [this](const char* aLabel, QLabel*& oLabel, const char* aName, int aX, int aY) {
        oLabel = KVRPlaced(new QLabel(this), aLabel, {aX, aY, 170, 20});
        auto* spin = KVRPlaced(new TKVRFloatBox(this), aName, {aX, aY + 22, 170, 26});
        // A layer holds any margin of zero or more.
        spin->setRange(0, double(std::numeric_limits<float>::max()));
        spin->setDecimals(3);
        return spin;
    };
    seMarginTop = box("labMarginTop", labMarginTop, "seMarginTop", 16, 12);
    seMarginLeft = box("labMarginLeft", labMarginLeft, "seMarginLeft", 16, 72);
    seMarginBottom = box("labMarginBottom", labMarginBottom, "seMarginBottom", 212, 12);
    seMarginRight = box("labMarginRight", labMarginRight, "seMarginRight", 212, 72);
    butOK = KVRPlaced(new QPushButton(this), "butOK", {196, 156, 90, 30});
    butCancel = KVRPlaced(new QPushButton(this), "butCancel", {296, 156, 90, 30});
    butOK->setDefault(true);
    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfBackMargins::Ini(TVXLabelFMX* aLabel, int32_t aLayer)
{
    FillLanguage();
    const TKVRLayer* layer = aLabel->GetLayer(aLayer);
    seMarginTop->SetExact(layer->GetImgMarTop());
    seMarginLeft->SetExact(layer->GetImgMarLeft());
    seMarginBottom->SetExact(layer->GetImgMarBottom());
    seMarginRight->SetExact(layer->GetImgMarRight());
}

void TfBackMargins::WriteBack(TKVRLayer& aLayer) const
{
    aLayer.SetImgMarLeft(float(seMarginLeft->Exact()));
    aLayer.SetImgMarRight(float(seMarginRight->Exact()));
    aLayer.SetImgMarBottom(float(seMarginBottom->Exact()));
    aLayer.SetImgMarTop(float(seMarginTop->Exact()));
}

void TfBackMargins::FillLanguage()
{
    const auto prop = [](const char* aKey) { return TKVRMsg::GetPropValue(QLatin1String(aKey)); };
    const auto dlg = [](const char* aKey) { return TKVRMsg::GetDialogsValue(QLatin1String(aKey)); };
    setWindowTitle(dlg("BackMargins"));
    labMarginTop->setText(prop("Top"));
    labMarginLeft->setText(prop("Left"));
    labMarginBottom->setText(dlg("Bottom"));
    labMarginRight->setText(dlg("Right"));
    butOK->setText(dlg("Ok"));
    butCancel->setText(dlg("Cancel"));
}
