#pragma once

#include <QMetaType>
#include <QString>

namespace Engine {

// The outcome of one command: its standard output after exit status 0, its standard error
// after any other status, or the reason it could not be started at all.
class ProcessResult
{
public:
    enum class Kind
    {
        Output,
        Error,
        LaunchFailure
    };

    ProcessResult() = default;
    static ProcessResult output(QString text) { return ProcessResult(Kind::Output, std::move(text), 0); }
    static ProcessResult error(QString text, int exitStatus)
    {
        return ProcessResult(Kind::Error, std::move(text), exitStatus);
    }
    static ProcessResult launchFailure(QString reason)
    {
        return ProcessResult(Kind::LaunchFailure, std::move(reason), -1);
    }

    Kind kind() const { return m_kind; }
    bool isOutput() const { return m_kind == Kind::Output; }
    const QString& text() const { return m_text; }
    // Exit status for Error (-1 after a death by signal) and -1 for a launch failure.
    int exitStatus() const { return m_exitStatus; }

    bool operator==(const ProcessResult&) const = default;

private:
    ProcessResult(Kind kind, QString text, int exitStatus)
        : m_kind(kind), m_text(std::move(text)), m_exitStatus(exitStatus)
    {
    }

    Kind m_kind = Kind::LaunchFailure;
    QString m_text;
    int m_exitStatus = -1;
};

} // namespace Engine

Q_DECLARE_METATYPE(Engine::ProcessResult)
