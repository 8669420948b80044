#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QString>

#include <functional>

namespace Engine {

// What the installed tool can be asked for. Releases add options every few weeks and an old
// one takes an option it does not know for an address or a template, so options newer than
// the oldest supported release are passed only when its --help lists them.
class ToolFeatures
{
public:
    static ToolFeatures fromHelp(const QString& helpText);

    // --print with a stage (before_dl:, after_move:), which names the final file after every
    // post-processor; older releases print such a template as it stands and download nothing.
    bool printsAtStages() const { return m_printsAtStages; }

    // Reads the features of the tool at `bin` and calls `done` on `context`'s thread (never
    // from inside this call). The answer is kept per file and modification time, as an update
    // replaces the file; a tool that fails or hangs on --help is taken to know nothing new.
    static void probe(const QString& bin, const QProcessEnvironment& environment, QObject* context,
                      std::function<void(const ToolFeatures&)> done);
    static constexpr int ProbeTimeoutMs = 10000;

private:
    bool m_printsAtStages = false;
};

} // namespace Engine
