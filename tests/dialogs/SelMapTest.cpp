#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include "tests/document/MapTileServer.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
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
        EXPECT_TRUE(fLabel.GetMapping().GetImageFile().endsWith("0_0_2_64x32.png"));
    }
    // A refused request is shown and OK stays off.
    TfSelMap form;
    form.Ini(&fLabel, false, 64, 32);
    form.edLatitude->setText("north");
    form.butGetMap->click();
    EXPECT_EQ(fMessages.size(), 1);
    EXPECT_FALSE(form.butOK->isEnabled());
}

TEST_F(SelMap, ClosingMidCompositionIsClean)
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
        form.butCancel->click();
    }
    EXPECT_TRUE(WaitFor([&] { return fHostEvents == 1; }, KWait));
    EXPECT_TRUE(fMessages.isEmpty());
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
