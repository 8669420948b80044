#include "app/update/updatechecker.h"

#include "app/application.h"
#include "app/appkeys.h"
#include "engine/preferences.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcessEnvironment>
#include <QVersionNumber>
#include <QXmlStreamReader>

namespace App {

namespace {

const QString sparkleNamespace = QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");
constexpr int dayMs = 24 * 60 * 60 * 1000;
constexpr int firstAutomaticCheckMs = 5000;

// Version texts compare by their numbers; a text without numbers is lower than any other.
int compareVersions(const QString& a, const QString& b)
{
    return QVersionNumber::compare(QVersionNumber::fromString(a), QVersionNumber::fromString(b));
}

bool isLater(const UpdateChecker::Release& a, const UpdateChecker::Release& b)
{
    if (!a.version.isEmpty() && !b.version.isEmpty()) {
        if (const int order = compareVersions(a.version, b.version); order != 0)
            return order > 0;
    }
    return compareVersions(a.build, b.build) > 0;
}

} // namespace

UpdateChecker::UpdateChecker(Engine::Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_network(new QNetworkAccessManager(this)),
      m_feedUrl(defaultFeedUrl())
{
    m_daily.setInterval(dayMs);
    connect(&m_daily, &QTimer::timeout, this, [this] {
        m_daily.setInterval(dayMs);
        check(false);
    });
}

UpdateChecker::~UpdateChecker()
{
    if (m_reply)
        m_reply->abort();
}

QUrl UpdateChecker::defaultFeedUrl()
{
    const QString overridden =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("VELTQORV_APPCAST_URL"));
    return QUrl(overridden.isEmpty() ? QStringLiteral("https://veltqorv.org/velt-qorv/appcast.xml")
                                     : overridden);
}

void UpdateChecker::start()
{
    m_preferences.subscribe(App::Keys::autoCheckForUpdates, this,
                            std::function<void(const bool&)>([this](const bool& on) { setAutomatic(on); }));
}

void UpdateChecker::setAutomatic(bool on)
{
    if (!on) {
        m_daily.stop();
        return;
    }
    if (!m_daily.isActive()) {
        m_daily.start(firstAutomaticCheckMs);
    }
}

void UpdateChecker::checkForUpdates()
{
    check(true);
}

void UpdateChecker::check(bool userInitiated)
{
    if (m_reply)
        return;
    QNetworkRequest request(m_feedUrl);
    request.setTransferTimeout(30000);
    request.setHeader(
        QNetworkRequest::UserAgentHeader,
        QStringLiteral("%1 %2(%3)").arg(Application::name(), Application::version(), Application::build()));
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    Q_EMIT canCheckForUpdatesChanged(false);
    connect(reply, &QNetworkReply::finished, this, [this, reply, userInitiated] {
        reply->deleteLater();
        m_reply = nullptr;
        Q_EMIT canCheckForUpdatesChanged(true);
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError || status >= 400) {
            const QString why =
                status >= 400 ? tr("the server answered HTTP %1").arg(status) : reply->errorString();
            Q_EMIT checkFinished(Outcome::Failed, {}, tr("Could not check for updates: %1").arg(why),
                                 userInitiated);
            return;
        }
        QString error;
        const std::optional<Release> newest = newestRelease(reply->readAll(), &error);
        if (!newest) {
            Q_EMIT checkFinished(Outcome::Failed, {}, tr("Could not check for updates: %1").arg(error),
                                 userInitiated);
            return;
        }
        const bool newer = isNewer(*newest, Application::version(), Application::build());
        Q_EMIT checkFinished(newer ? Outcome::UpdateAvailable : Outcome::UpToDate, *newest, QString(),
                             userInitiated);
    });
}

std::optional<UpdateChecker::Release> UpdateChecker::newestRelease(const QByteArray& feed, QString* error)
{
    QXmlStreamReader xml(feed);
    std::optional<Release> newest;
    bool sawChannel = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("rss"))
            continue;
        if (xml.name() != QLatin1String("channel")) {
            xml.skipCurrentElement();
            continue;
        }
        sawChannel = true;
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("item")) {
                xml.skipCurrentElement();
                continue;
            }
            Release release;
            QUrl enclosure;
            while (xml.readNextStartElement()) {
                const bool sparkle = xml.namespaceUri() == sparkleNamespace;
                if (sparkle && xml.name() == QLatin1String("version")) {
                    release.build = xml.readElementText().trimmed();
                } else if (sparkle && xml.name() == QLatin1String("shortVersionString")) {
                    release.version = xml.readElementText().trimmed();
                } else if (!sparkle && xml.name() == QLatin1String("title")) {
                    release.title = xml.readElementText().trimmed();
                } else if (!sparkle && xml.name() == QLatin1String("link")) {
                    release.link = QUrl(xml.readElementText().trimmed());
                } else if (xml.name() == QLatin1String("enclosure")) {
                    const QXmlStreamAttributes attributes = xml.attributes();
                    enclosure = QUrl(attributes.value(QLatin1String("url")).toString());
                    if (release.build.isEmpty())
                        release.build =
                            attributes.value(sparkleNamespace, QLatin1String("version")).toString();
                    if (release.version.isEmpty())
                        release.version =
                            attributes.value(sparkleNamespace, QLatin1String("shortVersionString"))
                                .toString();
                    xml.skipCurrentElement();
                } else {
                    xml.skipCurrentElement();
                }
            }
            if (!release.link.isValid() || release.link.isEmpty())
                release.link = enclosure;
            if (release.version.isEmpty() && release.build.isEmpty())
                continue;
            if (!newest || isLater(release, *newest))
                newest = release;
        }
    }
    if (xml.hasError()) {
        if (error)
            *error = tr("the feed is not valid XML (%1)").arg(xml.errorString());
        return std::nullopt;
    }
    if (!sawChannel || !newest) {
        if (error)
            *error = tr("the feed lists no release");
        return std::nullopt;
    }
    return newest;
}

bool UpdateChecker::isNewer(const Release& release, const QString& currentVersion,
                            const QString& currentBuild)
{
    return isLater(release, Release{currentVersion, currentBuild, {}, {}});
}

} // namespace App
