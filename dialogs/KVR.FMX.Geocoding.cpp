#include "dialogs/KVR.FMX.Geocoding.h"
#include "platform/rtl/label/TKVRMapping.h"
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <cmath>
#include <memory>
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

// Services send degrees as numbers or as numeric texts. A value that is
// not finite or lies beyond aLimit names no place.
double Degrees(const QJsonValue& aValue, const char* aName, double aLimit)
{
    bool ok = aValue.isDouble();
    const double value = ok ? aValue.toDouble() : aValue.toString().trimmed().toDouble(&ok);
    if (!ok)
        throw std::runtime_error(std::string("the value \"") + aName + "\" is not a number");
    if (!std::isfinite(value) || std::fabs(value) > aLimit)
        throw std::runtime_error(std::string("the value \"") + aName + "\" is out of range (-" +
                                 std::to_string(int(aLimit)) + " to " + std::to_string(int(aLimit)) +
                                 "): " + QString::number(value).toStdString());
    return value;
}

double Latitude(const QJsonValue& aValue, const char* aName)
{
    return Degrees(aValue, aName, 90);
}

double Longitude(const QJsonValue& aValue, const char* aName)
{
    return Degrees(aValue, aName, 180);
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
    const bool keyMayGo = KVRKeyMayGo(host);
    return Address(base, QStringLiteral("/maps/api/geocode/json?address=%1&key=%2")
                             .arg(Encoded(aPlace), keyMayGo ? Encoded(aKey) : QString()));
}

TKVRGeocodeResult TKVRGeocoder::FromNominatim(const QString& aPlace)
{
    return Get(NominatimUrl(aPlace), TService::Nominatim);
}

TKVRGeocodeResult TKVRGeocoder::FromGoogle(const QString& aPlace, const QString& aKey)
{
    return Get(GoogleUrl(aPlace, aKey), TService::Google);
}

void TKVRGeocoder::Abort()
{
    if (fReply) {
        fAborted = true;
        fReply->abort();
    }
}

TKVRGeocodeResult TKVRGeocoder::Get(const QUrl& aUrl, TService aService)
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
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QNetworkReply* r = reply.get();
    fReply = r;
    fAborted = false;
    // One deadline for the whole answer: a server that trickles bytes
    // resets no clock. The body is read as it comes, up to the cap.
    QByteArray body;
    bool timedOut = false;
    bool tooBig = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        r->abort();
    });
    QObject::connect(r, &QNetworkReply::metaDataChanged, &loop, [&] {
        bool ok = false;
        const qlonglong length = r->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
        if (ok && length > MaxAnswerBytes) {
            tooBig = true;
            r->abort();
        }
    });
    QObject::connect(r, &QNetworkReply::readyRead, &loop, [&] {
        body += r->readAll();
        if (body.size() > MaxAnswerBytes) {
            tooBig = true;
            r->abort();
        }
    });
    QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(fTimeout);
    if (!r->isFinished())
        loop.exec();
    deadline.stop();
    fReply = nullptr;
    if (!tooBig && r->isOpen())
        body += r->readAll();
    tooBig = tooBig || body.size() > MaxAnswerBytes;
    if (fAborted) {
        out.Aborted = true;
        return out;
    }
    if (timedOut || r->error() == QNetworkReply::TimeoutError ||
        (r->error() == QNetworkReply::OperationCanceledError && !tooBig)) {
        out.Error = QStringLiteral("no answer within %1 s").arg(fTimeout / 1000.0);
        return out;
    }
    if (tooBig) {
        out.Error = QStringLiteral("the answer is larger than %1 bytes").arg(MaxAnswerBytes);
        return out;
    }
    const QVariant status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        out.Error = r->errorString();
        return out;
    }
    if (status.toInt() != 200)
        return out;
    QJsonParseError parse{};
    const QJsonDocument json = QJsonDocument::fromJson(body, &parse);
    if (parse.error != QJsonParseError::NoError)
        return out;
    try {
        if (aService == TService::Nominatim) {
            const QJsonArray places = json.array();
            if (!json.isArray() || places.isEmpty())
                return out;
            out.Latitude = Latitude(Member(places.at(0), "lat"), "lat");
            out.Longitude = Longitude(Member(places.at(0), "lon"), "lon");
        } else {
            const QJsonArray results = Member(json.object(), "results").toArray();
            if (results.isEmpty())
                return out;
            const QJsonValue location = Member(Member(results.at(0), "geometry"), "location");
            out.Latitude = Latitude(Member(location, "lat"), "lat");
            out.Longitude = Longitude(Member(location, "lng"), "lng");
        }
        out.Found = true;
    } catch (const std::runtime_error& e) {
        out.Error = QString::fromUtf8(e.what());
    }
    return out;
}
