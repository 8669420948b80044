#include "app/desktop/commandline.h"

#include "app/application.h"
#include "app/desktop/incomingaddresshandler.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/presetlist.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace App {

CommandLine::Result CommandLine::parse(const QStringList& arguments, Source source)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Adds the videos at the addresses to the downloads of the "
                                        "running %1, which it starts when there is none.")
                                         .arg(Application::name()));
    // Made here, at each parse, so that a translator installed after the application object
    // applies. The value names below are also named in the descriptions; translate them alike.
    // Not addHelpOption(): its --help-all would need the parser to handle the exit itself.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, tr("Shows this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     tr("Shows the version."));
    const QCommandLineOption audio(QStringLiteral("audio"),
                                   tr("Audio only, as FORMAT: mp3, m4a, opus, flac or best."), tr("FORMAT"));
    const QCommandLineOption quality(QStringLiteral("quality"),
                                     tr("Video of at most HEIGHT lines, such as 720 or 1080."), tr("HEIGHT"));
    const QCommandLineOption preset(QStringLiteral("preset"), tr("Start from the saved preset NAME."),
                                    tr("NAME"));
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    tr("Save into DIR instead of the download folder."), tr("DIR"));
    parser.addOptions({help, version, audio, quality, preset, folder});
    parser.addPositionalArgument(tr("urls"), tr("Addresses of video pages, or veltqorv:// addresses."),
                                 tr("URL…"));

    Result result;
    const auto refuse = [&result](const QString& why) {
        result.action = Action::refuse;
        result.text = why;
        return result;
    };
    if (!parser.parse(QStringList{QStringLiteral("veltqorv")} + arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help)) {
        result.action = Action::help;
        result.text = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = Action::version;
        result.text = Application::name() + QLatin1Char(' ') + Application::version() + QLatin1Char('\n');
        return result;
    }
    if (parser.isSet(audio) && parser.isSet(quality))
        return refuse(tr("--audio and --quality exclude each other."));
    if (parser.isSet(audio)) {
        result.audio = Engine::DownloadChoice::audioFormatNamed(parser.value(audio));
        if (!result.audio)
            return refuse(
                tr("--audio takes mp3, m4a, opus, flac or best, not \"%1\".").arg(parser.value(audio)));
        result.handOver << QStringLiteral("--audio") << parser.value(audio);
    }
    if (parser.isSet(quality)) {
        // Zero for what is no number.
        const int height = parser.value(quality).toInt();
        if (height <= 0)
            return refuse(tr("--quality takes a height in lines, such as 1080, not \"%1\".")
                              .arg(parser.value(quality)));
        result.quality = height;
        result.handOver << QStringLiteral("--quality") << QString::number(height);
    }
    if (parser.isSet(preset)) {
        result.preset = parser.value(preset);
        result.handOver << QStringLiteral("--preset") << *result.preset;
    }
    if (parser.isSet(folder)) {
        const QString path = parser.value(folder);
        // What another process calls relative is relative to its own working folder, not ours.
        if (source == Source::handedOver && !QDir::isAbsolutePath(path))
            return refuse(tr("--folder \"%1\" is not an absolute path.").arg(path));
        const QFileInfo info(path);
        if (!info.isDir())
            return refuse(tr("--folder \"%1\" is not an existing folder.").arg(path));
        result.folder = QDir::cleanPath(info.absoluteFilePath());
        result.handOver << QStringLiteral("--folder") << *result.folder;
    }
    const QStringList positional = parser.positionalArguments();
    result.addresses = IncomingAddressHandler::addressesFromArguments(positional);
    // Addresses never read as options there.
    if (!positional.isEmpty())
        result.handOver << QStringLiteral("--") << positional;
    return result;
}

CommandLine::Options CommandLine::options(const Result& result, Engine::Preferences& preferences)
{
    if (!result.hasOptions())
        return {};
    const Library::PresetList presets(preferences);
    Library::DownloadPreset chosen = presets.defaultPreset().value_or(
        Library::DownloadPreset{QStringLiteral("Default"), presets.startingChoice()});
    if (result.preset) {
        const QList<Library::DownloadPreset> all = presets.presets();
        const auto named = std::find_if(all.begin(), all.end(), [&result](const Library::DownloadPreset& p) {
            return p.name == *result.preset;
        });
        if (named == all.end())
            return {std::nullopt, tr("no preset is named \"%1\"").arg(*result.preset)};
        chosen = *named;
    }
    if (result.audio) {
        chosen.choice.audioOnly = true;
        chosen.choice.audioFormat = *result.audio;
    }
    if (result.quality) {
        chosen.choice.audioOnly = false;
        chosen.choice.maxHeight = *result.quality;
    }
    const QUrl folder = result.folder ? QUrl::fromLocalFile(*result.folder)
                                      : preferences.value(Library::Keys::defaultOutputLocation);
    return {chosen.config(folder), {}};
}

} // namespace App
