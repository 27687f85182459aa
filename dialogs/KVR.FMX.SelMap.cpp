#include "dialogs/KVR.FMX.SelMap.h"
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <stdexcept>

static_assert(std::char_traits<char>::length(TfSelMap::DefaultApiKey) == 39);

QString KVRDegreesText(double aValue, int32_t aDecimals)
{
    return QString::number(aValue, 'f', aDecimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

TfSelMap::TfSelMap(QWidget* aOwner)
    : QDialog(aOwner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fSelMap"));
    setFixedSize(370, 248);
    labProvider = KVRPlaced(new QLabel(this), "labProvider", {8, 10, 108, 22});
    cbMapProvider = KVRPlaced(new QComboBox(this), "cbMapProvider", {120, 8, 242, 26});
    labZoom = KVRPlaced(new QLabel(this), "labZoom", {8, 42, 108, 22});
    cbZoom = KVRPlaced(new QComboBox(this), "cbZoom", {120, 40, 110, 26});
    ckShowCenter = KVRPlaced(new QCheckBox(this), "ckShowCenter", {240, 40, 122, 26});
    labLatitude = KVRPlaced(new QLabel(this), "labLatitude", {8, 74, 108, 22});
    edLatitude = KVRPlaced(new QLineEdit(this), "edLatitude", {120, 72, 110, 26});
    labLongitude = KVRPlaced(new QLabel(this), "labLongitude", {8, 106, 108, 22});
    edLongitude = KVRPlaced(new QLineEdit(this), "edLongitude", {120, 104, 110, 26});
    butGetMap = KVRPlaced(new QPushButton(this), "butGetMap", {240, 72, 122, 58});
    RGLoc = KVRPlaced(new QGroupBox(this), "RGLoc", {8, 134, 354, 44});
    rb1 = KVRPlaced(new QRadioButton(QStringLiteral("Nominatim"), RGLoc), "rb1", {10, 18, 120, 22});
    rb2 = KVRPlaced(new QRadioButton(QStringLiteral("Google"), RGLoc), "rb2", {140, 18, 120, 22});
    edLocation = KVRPlaced(new QLineEdit(this), "edLocation", {8, 184, 250, 26});
    butSearch = KVRPlaced(new QPushButton(this), "butSearch", {264, 184, 98, 26});
    ckAsignScale = KVRPlaced(new QCheckBox(this), "ckAsignScale", {8, 218, 196, 24});
    butOK = KVRPlaced(new QPushButton(this), "butOK", {210, 216, 74, 28});
    butCancel = KVRPlaced(new QPushButton(this), "butCancel", {288, 216, 74, 28});

    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(butGetMap, &QPushButton::clicked, this, &TfSelMap::butGetMapClick);
    connect(butSearch, &QPushButton::clicked, this, &TfSelMap::butSearchClick);
    // Enter in the place name searches, not the default button.
    edLocation->installEventFilter(this);
    // A map needs a provider.
    connect(cbMapProvider, &QComboBox::currentIndexChanged, this,
            [this](int aIndex) { butGetMap->setEnabled(aIndex >= 0); });
}

TfSelMap::~TfSelMap()
{
    Disconnect();
}

void TfSelMap::Ini(TVXLabelFMX* aLabel, bool aShowAssignScale, int32_t aWidth, int32_t aHeight)
{
    Disconnect();
    fLabel = aLabel;
    fRequest = 0;
    // The host keeps its own OnComposeImage; the dialog listens beside it,
    // to the answers of its own requests only.
    TKVRMapComposer& composer = aLabel->GetMapComposer();
    fComposed = connect(&composer, &TKVRMapComposer::Composed, this, [this] {
        if (OwnAnswer())
            OnGetMap(fLabel.data());
    });
    fFailed = connect(&composer, &TKVRMapComposer::Failed, this, [this](const QString& aMessage) {
        if (fAsking || OwnAnswer())
            TKVRPrompts::ShowMessage(this, aMessage);
    });

    TKVRMapping& mapping = aLabel->GetMapping();
    fFound = mapping;
    ckShowCenter->setChecked(mapping.GetShowCenter());
    ckAsignScale->setVisible(aShowAssignScale);
    if (aWidth == 0 || aHeight == 0) {
        const auto* item = dynamic_cast<const TKVR2DItem*>(aLabel->Select());
        if (!item)
            throw std::runtime_error(TKVRMsg::GetErrorValue(QStringLiteral("MapNoElement")).toStdString());
        if (aWidth == 0)
            aWidth = item->WidthPx(96);
        if (aHeight == 0)
            aHeight = item->HeightPx(96);
    }
    fImgWidth = aWidth;
    fImgHeight = aHeight;
    butOK->setEnabled(false);
    FillLanguage();
    edLatitude->setText(KVRDegreesText(mapping.GetLatitude(), 5));
    edLongitude->setText(KVRDegreesText(mapping.GetLongitude(), 5));
    cbMapProvider->clear();
    for (int32_t n = 0; n < TKVRMapping::ProviderCount; ++n)
        if (mapping.GetAllowed() & (1u << n))
            cbMapProvider->addItem(TKVRMapping::ProviderName(n), n);
    cbMapProvider->setCurrentIndex(cbMapProvider->findData(int32_t(mapping.GetProvider())));
    butGetMap->setEnabled(cbMapProvider->currentIndex() >= 0);
}

void TfSelMap::FillLanguage()
{
    setWindowTitle(TKVRMsg::GetDialogsValue(QStringLiteral("SelMap")));
    butOK->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Ok")));
    butCancel->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Cancel")));
    labProvider->setText(TKVRMsg::GetDialogsValue(QStringLiteral("MapProv")));
    labZoom->setText(TKVRMsg::GetEditorValue(QStringLiteral("Zoom")));
    butGetMap->setText(TKVRMsg::GetDialogsValue(QStringLiteral("GepMap")));
    ckShowCenter->setText(TKVRMsg::GetDialogsValue(QStringLiteral("ShowCenter")));
    labLatitude->setText(TKVRMsg::GetPropValue(QStringLiteral("Latitude")));
    labLongitude->setText(TKVRMsg::GetPropValue(QStringLiteral("Longitude")));
    ckAsignScale->setText(TKVRMsg::GetDialogsValue(QStringLiteral("AssignScale")));
    butSearch->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Search")));
    butSearch->setToolTip(TKVRMsg::GetDialogsValue(QStringLiteral("SearchLoc")));
    RGLoc->setTitle(TKVRMsg::GetDialogsValue(QStringLiteral("LocService")));
    cbZoom->clear();
    for (int i = 0; i <= 20; ++i)
        cbZoom->addItem(QString(TKVRMsg::GetDialogsValue(QStringLiteral("Level")) + QStringLiteral(" %1")).arg(i));
    cbZoom->setCurrentIndex(15);
    rb1->setChecked(true);
}

void TfSelMap::butGetMapClick()
{
    if (!fLabel || cbMapProvider->currentIndex() < 0)
        return;
    butOK->setEnabled(false);
    TKVRMapping& mapping = fLabel->GetMapping();
    if (mapping.GetApiKey().isEmpty())
        mapping.SetApiKey(QString::fromLatin1(DefaultApiKey));
    mapping.SetShowCenter(ckShowCenter->isChecked());
    mapping.SetProvider(cbMapProvider->currentData().toInt());
    // Refusals come back through the composer's Failed.
    fRequest = 0;
    QScopedValueRollback<bool> asking(fAsking, true);
    if (fLabel->ComposeImage(edLatitude->text(), edLongitude->text(), cbZoom->currentIndex(), fImgWidth,
                             fImgHeight))
        fRequest = fLabel->GetMapComposer().LastRequest();
}

bool TfSelMap::OwnAnswer() const
{
    return fRequest != 0 && fLabel && fLabel->GetMapComposer().LastRequest() == fRequest;
}

void TfSelMap::butSearchClick()
{
    const QString place = edLocation->text();
    if (place.isEmpty() || fBusy)
        return;
    double latitude = 0;
    double longitude = 0;
    bool found = false;
    {
        // The form repaints while it waits; only Cancel (and Esc) take input.
        QScopedValueRollback<bool> busy(fBusy, true);
        fCancelled = false;
        HoldInput(true);
        found = rb1->isChecked() ? GeocodingFromNominatim(place, latitude, longitude)
                                 : GeocodingFromGoogle(place, latitude, longitude);
        HoldInput(false);
    }
    if (fCancelled) {
        fCancelled = false;
        reject();
        return;
    }
    if (found) {
        edLatitude->setText(KVRDegreesText(latitude, 6));
        edLongitude->setText(KVRDegreesText(longitude, 6));
    } else {
        TKVRPrompts::ShowMessage(this, TKVRMsg::GetErrorValue(QStringLiteral("LocNotFound")));
    }
}

void TfSelMap::HoldInput(bool aHold)
{
    if (aHold) {
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child != butCancel && child->isEnabled()) {
                child->setEnabled(false);
                fHeld << child;
            }
        return;
    }
    for (const QPointer<QWidget>& child : std::as_const(fHeld))
        if (child)
            child->setEnabled(true);
    fHeld.clear();
}

bool TfSelMap::Found(const TKVRGeocodeResult& aResult, double& aLatitude, double& aLongitude)
{
    if (aResult.Aborted)
        return false;
    if (!aResult.Error.isEmpty())
        TKVRPrompts::ShowMessage(this, TKVRMsg::GetErrorValue(QStringLiteral("Geocoding")) + QStringLiteral(": ") +
                                           aResult.Error);
    if (!aResult.Found)
        return false;
    aLatitude = aResult.Latitude;
    aLongitude = aResult.Longitude;
    return true;
}

bool TfSelMap::GeocodingFromGoogle(const QString& aLocation, double& aLatitude, double& aLongitude)
{
    QString key = fLabel ? fLabel->GetMapping().GetApiKey() : QString();
    if (key.isEmpty())
        key = QString::fromLatin1(DefaultApiKey);
    return Found(fGeocoder.FromGoogle(aLocation, key), aLatitude, aLongitude);
}

bool TfSelMap::GeocodingFromNominatim(const QString& aLocation, double& aLatitude, double& aLongitude)
{
    return Found(fGeocoder.FromNominatim(aLocation), aLatitude, aLongitude);
}

void TfSelMap::OnGetMap(QObject*)
{
    butOK->setEnabled(true);
}

void TfSelMap::done(int aResult)
{
    if (fBusy) {
        // The search returns first; butSearchClick then closes the form.
        if (aResult != QDialog::Accepted) {
            fCancelled = true;
            fGeocoder.Abort();
        }
        return;
    }
    if (aResult != QDialog::Accepted && OwnAnswer() && fLabel->GetMapComposer().IsBusy())
        fLabel->GetMapComposer().Cancel();
    // Get map wrote provider, place, zoom and the centre mark into the
    // label: a cancelled dialog leaves none of it behind.
    if (aResult != QDialog::Accepted && fLabel && fFound)
        fLabel->SetMapping(*fFound);
    fFound.reset();
    Disconnect();
    fRequest = 0;
    QDialog::done(aResult);
}

void TfSelMap::closeEvent(QCloseEvent* aEvent)
{
    if (fBusy) {
        aEvent->ignore();
        reject();
        return;
    }
    QDialog::closeEvent(aEvent);
}

bool TfSelMap::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    if (aWatched == edLocation && aEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(aEvent)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            butSearchClick();
            return true;
        }
    }
    return QDialog::eventFilter(aWatched, aEvent);
}

void TfSelMap::Disconnect()
{
    disconnect(fComposed);
    disconnect(fFailed);
}
