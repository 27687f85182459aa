#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "document/KVR.FMX.h"
#include "tests/dialogs/StreamServer.h"
#include "tests/document/MapTileServer.h"
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

const QString KPlace = QStringLiteral("C++ & Co #1 Zürich");

class Geocoding : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TKVRPrompts::THandlers handlers;
        handlers.Message = [this](QWidget*, const QString& aText) { fMessages << aText; };
        TKVRPrompts::SetHandlers(handlers);
        fLabel.GetMapping().SetApiKey("mapping-key");
        fForm.Ini(&fLabel, false, 96, 48);
        fForm.Geocoder().SetNominatimBase(fServer.Base());
        fForm.Geocoder().SetGoogleBase(fServer.Base());
        fForm.Geocoder().SetContact("https://contact.test");
        fForm.Geocoder().SetTimeout(1000);
    }
    void TearDown() override { TKVRPrompts::Reset(); }

    // Searches KPlace with the service (rb1 Nominatim, rb2 Google), the server answering aAnswer.
    void Search(const char* aService, TMapTileServer::TResponse aAnswer)
    {
        fServer.Handler = [aAnswer](const QString&) { return aAnswer; };
        fForm.findChild<QRadioButton*>(aService)->setChecked(true);
        fForm.findChild<QLineEdit*>("edLocation")->setText(KPlace);
        fForm.findChild<QPushButton*>("butSearch")->click();
    }
    QString Lat() const { return fForm.findChild<QLineEdit*>("edLatitude")->text(); }
    QString Lon() const { return fForm.findChild<QLineEdit*>("edLongitude")->text(); }

    TMapTileServer fServer;
    TVXLabelFMX fLabel;
    TfSelMap fForm;
    QStringList fMessages;
};

TMapTileServer::TResponse Json(const char* aBody, int aStatus = 200)
{
    return {aStatus, "application/json", aBody};
}

}  // namespace

TEST_F(Geocoding, EachServiceFillsSixDecimalsAndGetsThePlaceWhole)
{
    const struct
    {
        const char* Service;
        const char* Body;
        const char* Value;  // the query item that carries the place
        QByteArray UserAgent;
        const char* Key;
    } rows[] = {
        {"rb1", R"([{"lat":"40.4168","lon":"-3.7038"}])", "q", "ZORVEL_VCL/1.0 (https://contact.test)", nullptr},
        {"rb2", R"({"results":[{"geometry":{"location":{"lat":40.4168,"lng":-3.7038}}}]})", "address", {},
         "mapping-key"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Service);
        fForm.findChild<QLineEdit*>("edLatitude")->clear();
        Search(r.Service, Json(r.Body));
        EXPECT_TRUE(fMessages.isEmpty()) << fMessages.join('|').toStdString();
        EXPECT_EQ(Lat(), "40,416800");
        EXPECT_EQ(Lon(), "-3,703800");
        ASSERT_FALSE(fServer.Requests().isEmpty());
        const TMapTileServer::TRequest request = fServer.Requests().back();
        EXPECT_TRUE(request.Path.contains("C%2B%2B%20%26%20Co%20%231%20Z%C3%BCrich")) << request.Path.toStdString();
        const QUrlQuery query(QUrl(request.Path).query());
        EXPECT_EQ(query.queryItemValue(r.Value, QUrl::FullyDecoded), KPlace);
        if (r.Key)
            EXPECT_EQ(query.queryItemValue("key"), r.Key);
        else
            EXPECT_EQ(request.UserAgent, r.UserAgent);
    }
}

TEST_F(Geocoding, FailuresShowTheirMessagesAndKeepTheCoordinates)
{
    const QString notFound = QStringLiteral("Location not found");
    TMapTileServer::TResponse silent;
    silent.Mode = TMapTileServer::TMode::Silent;
    const struct
    {
        const char* Service;
        TMapTileServer::TResponse Answer;
        QStringList Messages;
    } rows[] = {
        {"rb1", Json("[]"), {notFound}},
        {"rb2", Json(R"({"results":[]})"), {notFound}},
        {"rb1", Json(R"([{"lat":"1"}])", 500), {notFound}},
        {"rb2", Json("<html>busy</html>"), {notFound}},
        {"rb2", Json(R"({"results":[{"place":1}]})"), {"Geocoding: the answer has no value \"geometry\"", notFound}},
        {"rb1", silent, {"Geocoding: no answer within 1 s", notFound}},
    };
    const QString lat = Lat();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Messages.join('|').toStdString());
        fMessages.clear();
        QElapsedTimer clock;
        clock.start();
        Search(r.Service, r.Answer);
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_EQ(fMessages, r.Messages);
        EXPECT_EQ(Lat(), lat);
        EXPECT_TRUE(fForm.isEnabled());
    }
}

TEST_F(Geocoding, AnEmptySearchSendsNothing)
{
    fForm.findChild<QLineEdit*>("edLocation")->clear();
    fForm.findChild<QPushButton*>("butSearch")->click();
    EXPECT_TRUE(fServer.Requests().isEmpty());
    EXPECT_TRUE(fMessages.isEmpty());
}

// A key goes over HTTPS or to this machine, never to another host in plain HTTP.
TEST(GeocodingKey, NoKeyToAPlainHttpHost)
{
    const struct
    {
        const char* Base;
        const char* Key;
    } rows[] = {{"https://maps.example.com", "k1"}, {"http://127.0.0.1:8080", "k1"}, {"http://maps.example.com", ""}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Base);
        TKVRGeocoder geocoder;
        geocoder.SetGoogleBase(r.Base);
        EXPECT_EQ(QUrlQuery(geocoder.GoogleUrl("x", "k1")).queryItemValue("key"), r.Key);
    }
}

// While a request waits only Cancel takes input: a second search cannot start.
TEST_F(Geocoding, AWaitingSearchHoldsAllButCancel)
{
    fForm.show();
    bool held = false;
    QTimer::singleShot(200, &fForm, [this, &held] {
        held = !fForm.findChild<QPushButton*>("butSearch")->isEnabled() &&
               !fForm.findChild<QLineEdit*>("edLocation")->isEnabled() &&
               !fForm.findChild<QPushButton*>("butGetMap")->isEnabled() &&
               fForm.findChild<QPushButton*>("butCancel")->isEnabled();
        fForm.findChild<QPushButton*>("butSearch")->click();
        QTest::keyClick(fForm.findChild<QLineEdit*>("edLocation"), Qt::Key_Return);
    });
    TMapTileServer::TResponse slow = Json(R"([{"lat":"1.5","lon":"2.5"}])");
    slow.DelayMs = 600;
    Search("rb1", slow);
    EXPECT_TRUE(held);
    EXPECT_EQ(fServer.Requests().size(), 1);
    EXPECT_EQ(Lat(), "1,500000");
    // Afterwards every control takes input again.
    EXPECT_TRUE(fForm.findChild<QPushButton*>("butSearch")->isEnabled());
    EXPECT_TRUE(fForm.findChild<QLineEdit*>("edLocation")->isEnabled());
    EXPECT_FALSE(fForm.findChild<QPushButton*>("butOK")->isEnabled());
}

// Esc, Cancel and the window's close end a waiting search and the dialog at
// once, without a message, however long the server would take.
TEST_F(Geocoding, CancelAndEscEndAWaitingSearch)
{
    fForm.Geocoder().SetTimeout(30000);
    const std::function<void(TfSelMap&)> ways[] = {
        [](TfSelMap& aForm) { QTest::keyClick(&aForm, Qt::Key_Escape); },
        [](TfSelMap& aForm) { aForm.findChild<QPushButton*>("butCancel")->click(); },
        [](TfSelMap& aForm) { aForm.close(); },
    };
    TMapTileServer::TResponse silent;
    silent.Mode = TMapTileServer::TMode::Silent;
    for (const auto& cancel : ways) {
        fMessages.clear();
        fForm.show();
        QTimer::singleShot(200, &fForm, [this, &cancel] { cancel(fForm); });
        QElapsedTimer clock;
        clock.start();
        Search("rb1", silent);
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_FALSE(fForm.isVisible());
        EXPECT_EQ(fForm.result(), QDialog::Rejected);
        EXPECT_TRUE(fMessages.isEmpty()) << fMessages.join('|').toStdString();
    }
}

// Enter in the place name searches; it does not press the default button.
TEST_F(Geocoding, EnterInThePlaceNameSearches)
{
    fServer.Handler = [](const QString&) { return Json(R"([{"lat":"48.8566","lon":"2.3522"}])"); };
    fForm.show();
    auto* place = fForm.findChild<QLineEdit*>("edLocation");
    place->setText("Paris");
    place->setFocus();
    QTest::keyClick(place, Qt::Key_Return);
    EXPECT_EQ(Lat(), "48,856600");
    EXPECT_EQ(Lon(), "2,352200");
    ASSERT_EQ(fServer.Requests().size(), 1);
    EXPECT_TRUE(fServer.Requests()[0].Path.startsWith("/search?q=Paris"));
    EXPECT_FALSE(fLabel.GetMapComposer().IsBusy());
    EXPECT_TRUE(fForm.isVisible());
}

// One deadline for the whole answer and a cap on its size: a server that
// trickles a byte at a time or streams without end is cut off.
TEST_F(Geocoding, AStreamingServerIsCutOff)
{
    const struct
    {
        int EveryMs;
        qsizetype Chunk;
        QString Message;
    } servers[] = {
        {150, 1, "Geocoding: no answer within 1 s"},
        {1, 256 * 1024, QString("Geocoding: the answer is larger than %1 bytes").arg(TKVRGeocoder::MaxAnswerBytes)},
    };
    for (const auto& r : servers) {
        SCOPED_TRACE(r.Message.toStdString());
        TStreamServer server(r.EveryMs, r.Chunk);
        fForm.Geocoder().SetNominatimBase(server.Base());
        fForm.Geocoder().SetTimeout(r.Chunk > 1 ? 20000 : 1000);
        fMessages.clear();
        QElapsedTimer clock;
        clock.start();
        fForm.findChild<QLineEdit*>("edLocation")->setText(KPlace);
        fForm.findChild<QPushButton*>("butSearch")->click();
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_EQ(fMessages, QStringList({r.Message, "Location not found"}));
        EXPECT_LT(server.Sent(), 4 * TKVRGeocoder::MaxAnswerBytes);
    }
}

// An answer that names no place on Earth is refused; the coordinates stay.
TEST_F(Geocoding, CoordinatesOffTheEarthAreRefused)
{
    const struct
    {
        const char* Service;
        const char* Body;
        const char* Why;
    } rows[] = {
        {"rb1", R"([{"lat":"nan","lon":"2"}])", R"("lat" is out of range (-90 to 90): nan)"},
        {"rb1", R"([{"lat":"1","lon":"inf"}])", R"("lon" is out of range (-180 to 180): inf)"},
        {"rb2", R"({"results":[{"geometry":{"location":{"lat":1e308,"lng":2}}}]})",
         R"("lat" is out of range (-90 to 90): 1e+308)"},
        {"rb2", R"({"results":[{"geometry":{"location":{"lat":100.5,"lng":2}}}]})",
         R"("lat" is out of range (-90 to 90): 100.5)"},
        {"rb1", R"([{"lat":"1","lon":"400"}])", R"("lon" is out of range (-180 to 180): 400)"},
    };
    fForm.findChild<QLineEdit*>("edLatitude")->setText("12,5");
    fForm.findChild<QLineEdit*>("edLongitude")->setText("-7,25");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Body);
        fMessages.clear();
        Search(r.Service, Json(r.Body));
        ASSERT_EQ(fMessages.size(), 2);
        EXPECT_EQ(fMessages[0], QString("Geocoding: the value ") + r.Why);
        EXPECT_EQ(fMessages[1], "Location not found");
        EXPECT_EQ(Lat(), "12,5");
        EXPECT_EQ(Lon(), "-7,25");
    }
}
