#include "metadatareader.h"

#include "commandrunner.h"
#include "downloader.h"
#include "loginenvironment.h"
#include "toolpath.h"

namespace Engine {

namespace {
// The tool's JSON of a long list holds every entry; flat, it is read in seconds.
const QStringList ReadOptions{QStringLiteral("-J"), QStringLiteral("--flat-playlist"),
                              QStringLiteral("--no-warnings")};

constexpr qsizetype JsonLineLimit = 64 * 1024 * 1024;

QString reasonIn(const QString& errorText)
{
    const QStringList lines = errorText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("ERROR:")))
            return line.mid(6).trimmed();
    }
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}
} // namespace

MetadataReader::MetadataReader(Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences)
{
}

MetadataReader::~MetadataReader()
{
    cancel();
}

void MetadataReader::cancel()
{
    ++m_generation;
    m_reading = false;
    if (m_runner) {
        m_runner->disconnect(this);
        m_runner->terminate();
        m_runner->deleteLater();
    }
}

void MetadataReader::read(const QString& address)
{
    cancel();
    m_reading = true;
    const quint64 generation = m_generation;
    QString refusal;
    const std::optional<QString> toolAddress = Downloader::toolAddress(address, &refusal);
    if (!toolAddress) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, refusal] {
                if (generation == m_generation)
                    fail(refusal);
            },
            Qt::QueuedConnection);
        return;
    }
    m_toolAddress = *toolAddress;
    LoginEnvironment::instance().follow(m_preferences);
    LoginEnvironment::instance().request(this, [this, generation](const QProcessEnvironment& environment) {
        onEnvironment(generation, environment);
    });
}

void MetadataReader::onEnvironment(quint64 generation, const QProcessEnvironment& environment)
{
    if (generation != m_generation)
        return;
    m_environment = environment;
    ToolPath::resolveBin(m_preferences, false, this,
                         [this, generation](const std::optional<QString>& bin) { onBin(generation, bin); });
}

void MetadataReader::onBin(quint64 generation, const std::optional<QString>& path)
{
    if (generation != m_generation)
        return;
    const std::optional<QString> bin = path ? ToolPath::runnableBin(*path, m_environment) : std::nullopt;
    if (!bin) {
        fail(tr("yt-dlp not found!"));
        return;
    }
    m_runner = new CommandRunner(this);
    // The whole answer is one line; a video with hundreds of formats makes megabytes of it.
    m_runner->setLineLimit(JsonLineLimit);
    connect(m_runner, &CommandRunner::finished, this, [this](const ProcessResult& result) {
        m_runner->deleteLater();
        if (!result.isOutput()) {
            const QString reason = reasonIn(result.text());
            fail(reason.isEmpty() ? tr("yt-dlp could not read the address.") : reason);
            return;
        }
        QString error;
        const std::optional<VideoMetadata> metadata = VideoMetadata::fromJson(result.text().toUtf8(), &error);
        if (!metadata) {
            fail(tr("yt-dlp answered with something unreadable (%1).").arg(error));
            return;
        }
        m_reading = false;
        Q_EMIT finished(*metadata);
    });
    m_runner->start(*bin, ReadOptions + QStringList{QStringLiteral("--"), m_toolAddress}, m_environment);
}

void MetadataReader::fail(const QString& reason)
{
    m_reading = false;
    Q_EMIT failed(reason);
}

} // namespace Engine
