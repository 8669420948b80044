#pragma once

#include <QCryptographicHash>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <memory>
#include <optional>

class QNetworkAccessManager;
#include <QNetworkReply>
class QSaveFile;

namespace Engine {
class Preferences;
}

namespace App {

// Installs the official yt-dlp release for this user and records where it is. The release's
// file is streamed into a private temporary file beside its destination, checked against the
// SHA-256 sum the release publishes, made executable and only then renamed into place, so a
// failed or tampered download never becomes the tool. After an install, or a file chosen by
// hand, `downloaderBin` holds exactly that file's absolute path.
class ToolInstaller : public QObject
{
    Q_OBJECT
public:
    explicit ToolInstaller(Engine::Preferences& preferences, QObject* parent = nullptr);
    ~ToolInstaller() override;

    // The folder the release files are fetched from; VELTQORV_RELEASE_URL overrides it.
    static QUrl defaultReleaseUrl();
    // The release file for this machine.
    static QString assetName();
    static QString checksumFileName() { return QStringLiteral("SHA2-256SUMS"); }
    // ~/.local/bin/yt-dlp: the user may write it without privileges.
    static QString defaultDestination();
    // The sum listed for `asset` in a SHA2-256SUMS text, in lower-case hex.
    static std::optional<QByteArray> checksumFor(const QByteArray& sums, const QString& asset);

    QUrl releaseUrl() const { return m_releaseUrl; }
    void setReleaseUrl(const QUrl& url) { m_releaseUrl = url; }
    QString destination() const { return m_destination; }
    void setDestination(const QString& path) { m_destination = path; }

    bool isInstalling() const { return m_installing; }
    // Why the last install or manual choice failed; empty after a success.
    QString errorMessage() const { return m_error; }
    // The stored tool's version text, once asked for; absent when unknown.
    std::optional<QString> version() const { return m_version; }
    bool isBinMissing() const;

public Q_SLOTS:
    void install();
    // Asks the stored tool for its version (versionChanged follows).
    void refreshVersion();

public:
    // Stores `path` as the tool when it is an executable file; false (errorMessage() says why)
    // otherwise, changing nothing.
    bool choose(const QString& path);

Q_SIGNALS:
    void installingChanged(bool installing);
    // An install ended; on failure errorMessage() says why.
    void finished(bool ok);
    void errorChanged(const QString& message);
    void versionChanged();
    void downloadProgress(qint64 received, qint64 total);

private:
    void fetchChecksums();
    void fetchAsset(const QByteArray& expected);
    void finishAsset(QNetworkReply* reply, const QByteArray& expected);
    void fail(const QString& message);
    void setInstalling(bool installing);
    void setError(const QString& message);
    static QString replyError(QNetworkReply* reply);

    Engine::Preferences& m_preferences;
    QNetworkAccessManager* m_network;
    QUrl m_releaseUrl;
    QString m_destination;
    bool m_installing = false;
    QString m_error;
    std::optional<QString> m_version;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QCryptographicHash> m_hash;
    QPointer<QNetworkReply> m_reply;
    quint64 m_versionRequest = 0;
};

} // namespace App
