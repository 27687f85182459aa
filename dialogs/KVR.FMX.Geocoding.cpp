#include "dialogs/KVR.FMX.Geocoding.h"
#include "document/KVR.FMX.MapCompose.h"
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <stdexcept>

namespace {

QString Setting(const QString& aValue, const char* aVariable, const QString& aDefault)
{
    if (!aValue.isEmpty())
        return aValue;
    const QString env = qEnvironmentVariable(aVariable);
    return env.isEmpty() ? aDefault : env;
}

QString Encoded(const QString& aValue)
{
    // Every reserved character goes encoded: "+" read as a blank, "&" and "#"
    // would cut the value short.
    return QString::fromLatin1(QUrl::toPercentEncoding(aValue));
}

QUrl Address(QString aBase, const QString& aPathAndQuery)
{
    while (aBase.endsWith('/'))
        aBase.chop(1);
    return QUrl::fromEncoded((aBase + aPathAndQuery).toLatin1(), QUrl::StrictMode);
}

[[noreturn]] void Missing(const char* aName)
{
    throw std::runtime_error(std::string("the answer has no value \"") + aName + "\"");
}

QJsonValue Member(const QJsonValue& aValue, const char* aName)
{
    const QJsonValue member = aValue.toObject().value(QLatin1String(aName));
    if (member.isUndefined() || member.isNull())
        Missing(aName);
    return member;
}

// Services send degrees as numbers or as numeric texts.
double Degrees(const QJsonValue& aValue, const char* aName)
{
    if (aValue.isDouble())
        return aValue.toDouble();
    bool ok = false;
    const double value = aValue.toString().trimmed().toDouble(&ok);
    if (!ok)
        throw std::runtime_error(std::string("the value \"") + aName + "\" is not a number");
    return value;
}

}  // namespace

QString TKVRGeocoder::UserAgent() const
{
    return QStringLiteral("ZORVEL_VCL/1.0 (") + Setting(fContact, ContactVariable, DefaultContact()) + ')';
}

QUrl TKVRGeocoder::NominatimUrl(const QString& aPlace) const
{
    return Address(Setting(fNominatimBase, NominatimVariable, DefaultNominatimBase()),
                   QStringLiteral("/search?q=%1&format=json&limit=1").arg(Encoded(aPlace)));
}

QUrl TKVRGeocoder::GoogleUrl(const QString& aPlace, const QString& aKey) const
{
    const QString base = Setting(fGoogleBase, GoogleVariable, DefaultGoogleBase());
    const QUrl host = Address(base, QString());
    const bool keyMayGo = host.scheme() == QLatin1String("https") || KVRIsLoopback(host);
    return Address(base, QStringLiteral("/maps/api/geocode/json?address=%1&key=%2")
                             .arg(Encoded(aPlace), keyMayGo ? Encoded(aKey) : QString()));
}

TKVRGeocodeResult TKVRGeocoder::FromNominatim(const QString& aPlace) const
{
    return Get(NominatimUrl(aPlace), TService::Nominatim);
}

TKVRGeocodeResult TKVRGeocoder::FromGoogle(const QString& aPlace, const QString& aKey) const
{
    return Get(GoogleUrl(aPlace, aKey), TService::Google);
}

TKVRGeocodeResult TKVRGeocoder::Get(const QUrl& aUrl, TService aService) const
{
    TKVRGeocodeResult out;
    if (!aUrl.isValid() || (aUrl.scheme() != QLatin1String("http") && aUrl.scheme() != QLatin1String("https"))) {
        out.Error = QStringLiteral("the service address is not valid");
        return out;
    }
    QNetworkAccessManager manager;
    manager.setProxy(KVRIsLoopback(aUrl) ? QNetworkProxy(QNetworkProxy::NoProxy)
                                         : QNetworkProxy(QNetworkProxy::DefaultProxy));
    QNetworkRequest request(aUrl);
    request.setTransferTimeout(fTimeout);
    if (aService == TService::Nominatim)
        request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent());
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    const std::unique_ptr<QNetworkReply> owned(reply);

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        out.Error = reply->error() == QNetworkReply::OperationCanceledError
                        ? QStringLiteral("no answer within %1 s").arg(fTimeout / 1000.0)
                        : reply->errorString();
        return out;
    }
    if (status.toInt() != 200)
        return out;
    QJsonParseError parse{};
    const QJsonDocument json = QJsonDocument::fromJson(reply->readAll(), &parse);
    if (parse.error != QJsonParseError::NoError)
        return out;
    try {
        if (aService == TService::Nominatim) {
            const QJsonArray places = json.array();
            if (!json.isArray() || places.isEmpty())
                return out;
            out.Latitude = Degrees(Member(places.at(0), "lat"), "lat");
            out.Longitude = Degrees(Member(places.at(0), "lon"), "lon");
        } else {
            const QJsonArray results = Member(json.object(), "results").toArray();
            if (results.isEmpty())
                return out;
            const QJsonValue location = Member(Member(results.at(0), "geometry"), "location");
            out.Latitude = Degrees(Member(location, "lat"), "lat");
            out.Longitude = Degrees(Member(location, "lng"), "lng");
        }
        out.Found = true;
    } catch (const std::runtime_error& e) {
        out.Error = QString::fromUtf8(e.what());
    }
    return out;
}
