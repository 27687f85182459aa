#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include "tests/document/MapTileServer.h"
#include "tests/support/LabelDocuments.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int KWait = 10000;

class SelMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TKVRPrompts::THandlers handlers;
        handlers.Message = [this](QWidget*, const QString& aText) { fMessages << aText; };
        handlers.OpenFile = [this](QWidget*, const QString&, const QString& aFolder, const QString& aFilter) {
            fAsked << aFolder << aFilter;
            return fChosen;
        };
        TKVRPrompts::SetHandlers(handlers);
        fLabel.SetImageFolder(fDir.path());
        fLabel.GetMapping().SetServiceBase(fServer.Base());
        fLabel.GetMapping().SetProvider(0);
        fLabel.OnComposeImage = [this](QObject*) { ++fHostEvents; };
    }
    void TearDown() override { TKVRPrompts::Reset(); }

    // Asks for a map of 0, 0 at zoom 2 and waits until OK is enabled.
    static bool GetMap(TfSelMap& aForm)
    {
        aForm.edLatitude->setText("0");
        aForm.edLongitude->setText("0");
        aForm.cbZoom->setCurrentIndex(2);
        aForm.butGetMap->click();
        return WaitFor([&] { return aForm.butOK->isEnabled(); }, KWait);
    }

    QTemporaryDir fDir;
    TMapTileServer fServer;
    TVXLabelFMX fLabel;
    QStringList fMessages;
    QStringList fAsked;
    QString fChosen;
    int fHostEvents = 0;
};

}  // namespace

TEST_F(SelMap, IniListsTheAllowedProvidersAndTheMappingsPlace)
{
    TKVRMapping& mapping = fLabel.GetMapping();
    mapping.SetAllowed((1u << 0) | (1u << 12));
    mapping.SetProvider(12);
    ASSERT_TRUE(mapping.LoadMap("40.5", "3", 8, 8));
    TfSelMap form;
    form.Ini(&fLabel, false, 96, 48);
    ASSERT_EQ(form.cbMapProvider->count(), 2);
    EXPECT_EQ(form.cbMapProvider->itemText(1), "Carto - Dark Matter");
    EXPECT_EQ(form.cbMapProvider->itemData(1).toInt(), 12);
    EXPECT_EQ(form.cbMapProvider->currentIndex(), 1);
    EXPECT_EQ(form.cbZoom->count(), 21);
    EXPECT_EQ(form.cbZoom->currentIndex(), 15);
    EXPECT_EQ(form.edLatitude->text(), "40,50000");
    EXPECT_FALSE(form.butOK->isEnabled());
    // A provider outside the allowed set leaves nothing selected: no map can be asked for.
    mapping.SetProvider(3);
    form.Ini(&fLabel, false, 96, 48);
    EXPECT_EQ(form.cbMapProvider->currentIndex(), -1);
    EXPECT_FALSE(form.butGetMap->isEnabled());
}

TEST_F(SelMap, IniTakesTheSelectedElementsSizeOrRefuses)
{
    TfSelMap form;
    EXPECT_THROW(form.Ini(&fLabel, false, 0, 0), std::runtime_error);
    fLabel.SelectItem(fLabel.AddBaseRectangle(0, 0, 25400, 12700), false);
    form.Ini(&fLabel, false, 0, 0);
    EXPECT_EQ(form.GetImgWidth(), 96);
    EXPECT_EQ(form.GetImgHeight(), 48);
}

TEST_F(SelMap, ACompositionEnablesOkAndTheHostStillHearsIt)
{
    const struct
    {
        const char* Key;
        const char* Kept;
    } rows[] = {{"mine", "mine"}, {"", TfSelMap::DefaultApiKey}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Key);
        fLabel.GetMapping().SetApiKey(r.Key);
        const int before = fHostEvents;
        TfSelMap form;
        form.Ini(&fLabel, false, 64, 32);
        ASSERT_TRUE(GetMap(form)) << fMessages.join('|').toStdString();
        EXPECT_EQ(fHostEvents, before + 1);
        EXPECT_EQ(fLabel.GetMapping().GetApiKey(), r.Kept);
        EXPECT_TRUE(fLabel.GetMapping().GetImageFile().endsWith("0_0_2_64x32_p0.png"));
    }
    // A refused request is shown and OK stays off.
    TfSelMap form;
    form.Ini(&fLabel, false, 64, 32);
    form.edLatitude->setText("north");
    form.butGetMap->click();
    EXPECT_EQ(fMessages.size(), 1);
    EXPECT_FALSE(form.butOK->isEnabled());
}

// Cancel while the tiles load stops the composition: nothing is saved, the
// host hears nothing, and a dialog opened later does not take the old map.
TEST_F(SelMap, ACancelledMapStaysCancelled)
{
    fServer.Handler = [](const QString& aPath) {
        TMapTileServer::TResponse r;
        int z, x, y;
        TMapTileServer::TilePath(aPath, z, x, y);
        r.Body = TMapTileServer::SolidPng(TMapTileServer::TileColor(x, y));
        r.DelayMs = 300;
        return r;
    };
    {
        TfSelMap form;
        form.Ini(&fLabel, false, 64, 32);
        form.edLatitude->setText("0");
        form.edLongitude->setText("0");
        form.butGetMap->click();
        ASSERT_TRUE(fLabel.GetMapComposer().IsBusy());
        form.butCancel->click();
    }
    TfSelMap later;
    later.Ini(&fLabel, false, 64, 32);
    WaitFor([&] { return !fLabel.GetMapComposer().IsBusy(); }, KWait);
    WaitFor([] { return false; }, 400);  // room for a late answer, were there one
    EXPECT_FALSE(later.butOK->isEnabled());
    EXPECT_EQ(fHostEvents, 0);
    EXPECT_TRUE(fLabel.GetMapping().GetImageFile().isEmpty());
    EXPECT_FALSE(fLabel.GetMapping().GetPending());
    EXPECT_TRUE(QDir(fDir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(fMessages.isEmpty());
}

// A dialog takes only the answers to its own requests: a map the host
// composes meanwhile, or its failure, is not the dialog's.
TEST_F(SelMap, ADialogTakesOnlyItsOwnAnswer)
{
    TfSelMap form;
    form.Ini(&fLabel, false, 64, 32);
    ASSERT_TRUE(fLabel.ComposeImage("0", "0", 2, 64, 32));
    ASSERT_TRUE(WaitFor([&] { return fHostEvents == 1; }, KWait));
    fLabel.GetMapping().SetServiceBase("http://127.0.0.1:1");  // nobody listens there
    ASSERT_TRUE(fLabel.ComposeImage("0", "0", 2, 64, 32));
    ASSERT_TRUE(WaitFor([&] { return !fLabel.GetMapComposer().IsBusy(); }, KWait));
    WaitFor([] { return false; }, 100);
    EXPECT_FALSE(form.butOK->isEnabled());
    EXPECT_TRUE(fMessages.isEmpty()) << fMessages.join('|').toStdString();
}

// Maps of one place, zoom and size from two providers are two pictures:
// the second does not rewrite the first one's file.
TEST_F(SelMap, TwoProvidersOfOnePlaceKeepTwoPictures)
{
    fServer.Handler = [](const QString& aPath) {
        TMapTileServer::TResponse r;
        int z, x, y;
        const bool esri = aPath.contains("World_Imagery");
        if (!esri)
            TMapTileServer::TilePath(aPath, z, x, y);
        r.Body = TMapTileServer::SolidPng(esri ? QColor(Qt::blue) : TMapTileServer::TileColor(x, y));
        return r;
    };
    QList<TKVRBaseImage*> images;
    for (const int provider : {0, 2}) {
        WhenModal([&, provider](QWidget* aForm) {
            auto* form = qobject_cast<TfSelMap*>(aForm);
            form->cbMapProvider->setCurrentIndex(form->cbMapProvider->findData(provider));
            if (GetMap(*form))
                form->butOK->click();
            else
                form->butCancel->click();
        });
        images << static_cast<TKVRBaseImage*>(fLabel.AddBaseImage(0, 0, 25400, 12700, true, QString()));
        ASSERT_NE(images.back(), nullptr) << fMessages.join('|').toStdString();
    }
    ASSERT_NE(images[0]->GetFileName(), images[1]->GetFileName());
    const QImage first(images[0]->GetFileName());
    const QImage second(images[1]->GetFileName());
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(first.pixel(48, 24), TMapTileServer::TileColor(2, 2).rgba());
    EXPECT_EQ(second.pixel(48, 24), QColor(Qt::blue).rgba());
}

// A side that rounds to no pixel at 96 dpi is refused with its own message,
// not read as "the selected element's size".
TEST_F(SelMap, AMapBelowOnePixelIsRefused)
{
    fLabel.SelectItem(fLabel.AddBaseRectangle(0, 0, 25400, 12700), false);
    const int64_t sides[][2] = {{130, 25400}, {25400, 100}, {0, 0}};
    for (const auto& side : sides) {
        fMessages.clear();
        bool opened = false;
        WhenModal([&](QWidget* aForm) {
            opened = true;
            qobject_cast<QDialog*>(aForm)->reject();
        });
        EXPECT_EQ(fLabel.AddBaseImage(0, 0, side[0], side[1], true, QString()), nullptr);
        WaitFor([] { return false; }, 20);
        EXPECT_FALSE(opened);
        EXPECT_EQ(fMessages, QStringList{"The map is too small: each side needs one pixel at 96 dpi (about 0.14 mm) or more"});
    }
    EXPECT_EQ(fLabel.GetItemsCount(), 1);
}

TEST_F(SelMap, AddBaseImageOpensTheMapAtTheElementsSize)
{
    int width = 0, height = 0;
    WhenModal([&](QWidget* aForm) {
        auto* form = qobject_cast<TfSelMap*>(aForm);
        width = form->GetImgWidth();
        height = form->GetImgHeight();
        form->butCancel->click();
    });
    EXPECT_EQ(fLabel.AddBaseImage(1000, 2000, 25400, 12700, true, QString()), nullptr);
    EXPECT_EQ(width, 96);
    EXPECT_EQ(height, 48);
    EXPECT_EQ(fLabel.GetItemsCount(), 0);

    WhenModal([&](QWidget* aForm) {
        auto* form = qobject_cast<TfSelMap*>(aForm);
        if (GetMap(*form))
            form->butOK->click();
    });
    auto* image = fLabel.AddBaseImage(1000, 2000, 25400, 12700, true, QString());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetFileName(), fLabel.GetMapping().GetImageFile());
}

TEST_F(SelMap, AddBaseImageFromAFile)
{
    fLabel.SetOpenImgFolder(fDir.path());
    EXPECT_EQ(fLabel.AddBaseImage(0, 0, 10000, 10000, false, QString()), nullptr);
    EXPECT_EQ(fLabel.GetItemsCount(), 0);
    ASSERT_EQ(fAsked.size(), 2);
    EXPECT_EQ(fAsked[0], fDir.path());
    EXPECT_TRUE(fAsked[1].startsWith("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif)"));

    fChosen = QDir(fDir.path()).filePath("tile.png");
    QImage(8, 8, QImage::Format_ARGB32).save(fChosen);
    auto* image = fLabel.AddBaseImage(0, 0, 10000, 10000, false, QString());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetFileName(), fChosen);
}

// Get map writes provider, place, zoom and the centre mark into the label
// as it asks for the map; Cancel afterwards, by the button or by Esc, leaves
// the label's saved files as the dialog found them.
TEST_F(SelMap, CancelAfterGetMapGivesTheSettingsBack)
{
    fServer.Handler = [](const QString&) {
        TMapTileServer::TResponse r;
        r.Body = TMapTileServer::SolidPng(Qt::blue);
        return r;
    };
    TKVRMapping& mapping = fLabel.GetMapping();
    ASSERT_TRUE(mapping.SetZoom(7));
    ASSERT_TRUE(mapping.LoadMap("40.5", "-3.25", 8, 8));
    mapping.SetShowCenter(false);
    mapping.SetImageFile(QDir(fDir.path()).filePath("earlier.png"));
    const QByteArray eti = SaveEti(fLabel);
    const std::string json = Snapshot(fLabel);
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "Esc" : "Cancel");
        bool composed = false;
        WhenModal([&](QWidget* aForm) {
            auto* form = qobject_cast<TfSelMap*>(aForm);
            form->cbMapProvider->setCurrentIndex(form->cbMapProvider->findData(2));
            form->ckShowCenter->setChecked(true);
            composed = GetMap(*form);
            if (byKey)
                QTest::keyClick(form, Qt::Key_Escape);
            else
                form->butCancel->click();
        });
        EXPECT_EQ(fLabel.AddBaseImage(0, 0, 25400, 12700, true, QString()), nullptr);
        EXPECT_TRUE(composed) << fMessages.join('|').toStdString();
        EXPECT_EQ(Snapshot(fLabel), json);
        EXPECT_TRUE(SaveEti(fLabel) == eti);
    }
    // OK keeps what Get map wrote.
    WhenModal([&](QWidget* aForm) {
        auto* form = qobject_cast<TfSelMap*>(aForm);
        form->ckShowCenter->setChecked(true);
        if (GetMap(*form))
            form->butOK->click();
        else
            form->butCancel->click();
    });
    ASSERT_NE(fLabel.AddBaseImage(0, 0, 25400, 12700, true, QString()), nullptr);
    EXPECT_TRUE(mapping.GetShowCenter());
    EXPECT_EQ(mapping.GetZoom(), 2);
}
