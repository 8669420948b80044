#pragma once

#include "engine/downloadchoice.h"
#include "engine/qorvconfig.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace Engine {
class Preferences;
}

namespace App {

// veltqorv [--audio FORMAT | --quality HEIGHT] [--preset NAME] [--folder DIR] URL…, read alike by
// the starting process and by the running instance it hands its arguments to.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Source
    {
        own,        // this process's command line: a relative folder is taken from the working folder
        handedOver, // another process's, untrusted: only an absolute folder is taken
    };
    enum class Action
    {
        add,
        help,
        version,
        refuse,
    };

    struct Result
    {
        Action action = Action::add;
        // The help or version text, or in one line why the arguments are refused.
        QString text;
        // Each passed the address validity rule.
        QList<QUrl> addresses;
        std::optional<Engine::DownloadChoice::AudioFormat> audio;
        std::optional<int> quality;
        std::optional<QString> preset;
        // An existing folder's absolute path.
        std::optional<QString> folder;
        // What the running instance gets: these options, then the addresses as given.
        QStringList handOver;

        bool hasOptions() const { return audio || quality || preset || folder; }
    };

    // `arguments` without the program's name.
    static Result parse(const QStringList& arguments, Source source);

    struct Options
    {
        // Nothing: a quick add, with the default preset.
        std::optional<Engine::QorvConfig> config;
        // Set when the options cannot be met (an unknown preset); nothing is to be added then.
        QString refusal;
    };
    // The named preset, else the starting choice, with --audio or --quality applied, saving into
    // the folder given or else the download folder setting.
    static Options options(const Result& result, Engine::Preferences& preferences);
};

} // namespace App
