#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "document/KVR.FMX.h"
#include "tests/document/MapTileServer.h"
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

// While a request waits the form cannot be closed, nor a second search started.
TEST_F(Geocoding, AWaitingSearchHoldsTheForm)
{
    fForm.show();
    bool enabled = true;
    QTimer::singleShot(200, &fForm, [this, &enabled] {
        enabled = fForm.isEnabled();
        fForm.reject();
        fForm.close();
        fForm.findChild<QPushButton*>("butSearch")->click();
    });
    TMapTileServer::TResponse silent;
    silent.Mode = TMapTileServer::TMode::Silent;
    Search("rb1", silent);
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(fForm.isVisible());
    EXPECT_EQ(fServer.Requests().size(), 1);
}
