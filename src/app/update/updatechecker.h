#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <optional>

class QNetworkAccessManager;
#include <QNetworkReply>

namespace Engine {
class Preferences;
}

namespace App {

// Looks for a newer release in the product's appcast (an RSS feed with Sparkle's version
// fields). It only reports and links to a newer version; it never replaces the program.
// With `autoCheckForUpdates` on it checks shortly after start and then once a day.
class UpdateChecker : public QObject
{
    Q_OBJECT
public:
    struct Release
    {
        // sparkle:shortVersionString, e.g. "1.2.0"; may be empty when the feed gives only a build.
        QString version;
        // sparkle:version, the build number.
        QString build;
        QString title;
        // Where to read about or fetch the release: the item's link, else its enclosure.
        QUrl link;
    };

    enum class Outcome
    {
        UpdateAvailable,
        UpToDate,
        Failed
    };
    Q_ENUM(Outcome)

    explicit UpdateChecker(Engine::Preferences& preferences, QObject* parent = nullptr);
    ~UpdateChecker() override;

    // VELTQORV_APPCAST_URL when set, else the product's feed.
    static QUrl defaultFeedUrl();
    QUrl feedUrl() const { return m_feedUrl; }
    void setFeedUrl(const QUrl& url) { m_feedUrl = url; }

    // The newest release in an appcast; absent with `error` set when the text is not a feed.
    static std::optional<Release> newestRelease(const QByteArray& feed, QString* error = nullptr);
    // True when `release` is later than the running version and build.
    static bool isNewer(const Release& release, const QString& currentVersion, const QString& currentBuild);

    // False while a check is under way.
    bool canCheckForUpdates() const { return !m_reply; }
    // Follows the preference from now on.
    void start();

public Q_SLOTS:
    // A check the user asked for; its outcome is always reported.
    void checkForUpdates();

Q_SIGNALS:
    void canCheckForUpdatesChanged(bool canCheck);
    // `message` is the error for Failed; `userInitiated` tells an automatic check apart.
    void checkFinished(App::UpdateChecker::Outcome outcome, const App::UpdateChecker::Release& release,
                       const QString& message, bool userInitiated);

private:
    void check(bool userInitiated);
    void setAutomatic(bool on);

    Engine::Preferences& m_preferences;
    QNetworkAccessManager* m_network;
    QUrl m_feedUrl;
    QPointer<QNetworkReply> m_reply;
    QTimer m_daily;
};

} // namespace App

Q_DECLARE_METATYPE(App::UpdateChecker::Release)
