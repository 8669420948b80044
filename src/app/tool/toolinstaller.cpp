#include "app/tool/toolinstaller.h"

#include "engine/bininstaller.h"
#include "engine/executablesearch.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "engine/toolpath.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcessEnvironment>
#include <QSaveFile>
#include <QSysInfo>

#include <algorithm>

namespace App {

namespace {

constexpr int transferTimeoutMs = 60000;

QNetworkRequest request(const QUrl& url)
{
    QNetworkRequest result(url);
    result.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    result.setMaximumRedirectsAllowed(10);
    result.setTransferTimeout(transferTimeoutMs);
    return result;
}

} // namespace

ToolInstaller::ToolInstaller(Engine::Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_network(new QNetworkAccessManager(this)),
      m_releaseUrl(defaultReleaseUrl()), m_destination(defaultDestination())
{
}

ToolInstaller::~ToolInstaller()
{
    if (m_reply)
        m_reply->abort();
    if (m_file)
        m_file->cancelWriting();
}

QUrl ToolInstaller::defaultReleaseUrl()
{
    const QString overridden =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("VELTQORV_RELEASE_URL"));
    QString base = overridden.isEmpty()
                       ? QStringLiteral("https://github.com/yt-dlp/yt-dlp/releases/latest/download/")
                       : overridden;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return QUrl(base);
}

QString ToolInstaller::assetName()
{
    // The self-contained builds need no Python; elsewhere the zipimport build runs on the
    // system's python3.
    const QString arch = QSysInfo::currentCpuArchitecture();
    if (arch == QLatin1String("x86_64"))
        return QStringLiteral("yt-dlp_linux");
    if (arch == QLatin1String("arm64"))
        return QStringLiteral("yt-dlp_linux_aarch64");
    return QStringLiteral("yt-dlp");
}

QString ToolInstaller::defaultDestination()
{
    return QDir::homePath() + QStringLiteral("/.local/bin/yt-dlp");
}

std::optional<QByteArray> ToolInstaller::checksumFor(const QByteArray& sums, const QString& asset)
{
    // "<64 hex digits>  <name>" (or " *<name>" for binary mode), one file a line.
    const QByteArray name = asset.toUtf8();
    for (QByteArray line : sums.split('\n')) {
        line = line.trimmed();
        const qsizetype space = line.indexOf(' ');
        if (space != 64)
            continue;
        QByteArray file = line.mid(space).trimmed();
        if (file.startsWith('*'))
            file.remove(0, 1);
        if (file != name)
            continue;
        const QByteArray hex = line.left(64).toLower();
        const bool isHex = std::all_of(hex.cbegin(), hex.cend(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
        });
        if (isHex)
            return hex;
    }
    return std::nullopt;
}

bool ToolInstaller::isBinMissing() const
{
    return Engine::ToolPath::isBinMissing(m_preferences);
}

void ToolInstaller::install()
{
    if (m_installing)
        return;
    setError(QString());
    setInstalling(true);
    fetchChecksums();
}

void ToolInstaller::fetchChecksums()
{
    QNetworkReply* reply = m_network->get(request(m_releaseUrl.resolved(QUrl(checksumFileName()))));
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (const QString error = replyError(reply); !error.isEmpty()) {
            fail(tr("Could not download the release's checksums: %1").arg(error));
            return;
        }
        const std::optional<QByteArray> expected = checksumFor(reply->readAll(), assetName());
        if (!expected) {
            fail(tr("The release lists no SHA-256 sum for %1.").arg(assetName()));
            return;
        }
        fetchAsset(*expected);
    });
}

void ToolInstaller::fetchAsset(const QByteArray& expected)
{
    const QFileInfo target(m_destination);
    if (!QDir().mkpath(target.absolutePath())) {
        fail(tr("Cannot create the folder %1.").arg(target.absolutePath()));
        return;
    }
    // QSaveFile writes a temporary file of its own (owner-only) beside the target and renames it
    // over the target only on commit.
    m_file = std::make_unique<QSaveFile>(target.absoluteFilePath());
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString why = m_file->errorString();
        m_file.reset();
        fail(tr("Cannot write to %1: %2").arg(target.absolutePath(), why));
        return;
    }
    m_hash = std::make_unique<QCryptographicHash>(QCryptographicHash::Sha256);

    QNetworkReply* reply = m_network->get(request(m_releaseUrl.resolved(QUrl(assetName()))));
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, &ToolInstaller::downloadProgress);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        // An error page is not written anywhere.
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 400 || !m_file)
            return;
        const QByteArray chunk = reply->readAll();
        m_hash->addData(chunk);
        if (m_file->write(chunk) != chunk.size())
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, expected] { finishAsset(reply, expected); });
}

void ToolInstaller::finishAsset(QNetworkReply* reply, const QByteArray& expected)
{
    reply->deleteLater();
    const QString writeError = m_file->error() != QFileDevice::NoError ? m_file->errorString() : QString();
    if (const QString error = replyError(reply); !error.isEmpty() || !writeError.isEmpty()) {
        m_file->cancelWriting();
        m_file.reset();
        fail(writeError.isEmpty() ? tr("Download failed: %1").arg(error)
                                  : tr("Cannot write %1: %2").arg(m_destination, writeError));
        return;
    }
    const QByteArray rest = reply->readAll();
    m_hash->addData(rest);
    m_file->write(rest);
    if (m_hash->result().toHex() != expected) {
        m_file->cancelWriting();
        m_file.reset();
        fail(tr("Checksum mismatch: the downloaded %1 does not match the release's SHA-256 sum. "
                "Nothing was installed.")
                 .arg(assetName()));
        return;
    }
    m_file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                           QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                           QFileDevice::ExeOther);
    const bool committed = m_file->commit();
    const QString commitError = m_file->errorString();
    m_file.reset();
    if (!committed) {
        fail(tr("Cannot install %1: %2").arg(m_destination, commitError));
        return;
    }
    m_preferences.setValue(Engine::Keys::downloaderBin,
                           std::optional<QString>(QFileInfo(m_destination).absoluteFilePath()));
    setInstalling(false);
    Q_EMIT finished(true);
    refreshVersion();
}

bool ToolInstaller::choose(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!Engine::isExecutableFile(absolute)) {
        setError(tr("%1 is not an executable file.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    setError(QString());
    m_preferences.setValue(Engine::Keys::downloaderBin, std::optional<QString>(absolute));
    refreshVersion();
    return true;
}

void ToolInstaller::refreshVersion()
{
    // Only the newest question's answer counts.
    const quint64 ticket = ++m_versionRequest;
    if (isBinMissing()) {
        m_version.reset();
        Q_EMIT versionChanged();
        return;
    }
    Engine::BinInstaller::version(m_preferences, this, [this, ticket](const std::optional<QString>& text) {
        if (ticket != m_versionRequest)
            return;
        m_version = text;
        Q_EMIT versionChanged();
    });
}

void ToolInstaller::fail(const QString& message)
{
    m_hash.reset();
    setError(message);
    setInstalling(false);
    Q_EMIT finished(false);
}

void ToolInstaller::setInstalling(bool installing)
{
    if (m_installing == installing)
        return;
    m_installing = installing;
    Q_EMIT installingChanged(installing);
}

void ToolInstaller::setError(const QString& message)
{
    if (m_error == message)
        return;
    m_error = message;
    Q_EMIT errorChanged(message);
}

QString ToolInstaller::replyError(QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return tr("HTTP %1 from %2").arg(status).arg(reply->url().toDisplayString());
    if (reply->error() != QNetworkReply::NoError)
        return reply->errorString();
    return QString();
}

} // namespace App
