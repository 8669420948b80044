#pragma once

#include "capture/timephrase/chronoparsedresult.h"
#include "engine/timephraseparser.h"

#include <QJSValue>
#include <QString>

#include <memory>
#include <optional>

class QJSEngine;

namespace Capture {

// Reads English time phrases ("in 3 days", "tomorrow at 5 PM") out of a text with the chrono
// library running in a QJSEngine. The engine belongs to the main thread: it is loaded there on
// first use and every parse runs there, one at a time. Calls from any other thread are refused
// (no result and a log line), never run on an engine that is not theirs.
class Chrono final : public Engine::TimePhraseParser
{
public:
    // The process-wide parser, which loads the bundled library.
    static Chrono& shared();

    // A parser over another copy of the library; the product uses shared().
    explicit Chrono(const QString& scriptPath = defaultScriptPath());
    ~Chrono() override;
    Chrono(const Chrono&) = delete;
    Chrono& operator=(const Chrono&) = delete;

    static QString defaultScriptPath();

    // Loads the library unless it already is (or already failed); true when it is usable.
    bool load();

    // The first phrase of `text`, with relative phrases resolved against `reference` (absent or
    // invalid: now). A text without a phrase, or a library that cannot be used, gives a record
    // holding only the input.
    ChronoParsedResult parse(const QString& text, const std::optional<QDateTime>& reference = std::nullopt);

    // The start of the first phrase, in UTC.
    std::optional<QDateTime> parseDate(const QString& text);
    std::optional<QDateTime> parseDate(const QString& text, const QDateTime& reference) override;

    // `input` without each occurrence of `phrase` and the connecting words ("on", "in", "the")
    // before it and the punctuation after it, trimmed.
    static QString ignoredText(const QString& input, const QString& phrase);

private:
    enum class State
    {
        Unloaded,
        Loaded,
        Failed
    };

    bool onEngineThread() const;
    void readResult(const QJSValue& first, ChronoParsedResult& result) const;

    QString m_scriptPath;
    // Declared before the script values, so that they are released before the engine.
    std::unique_ptr<QJSEngine> m_engine;
    QJSValue m_chrono;
    QJSValue m_parse;
    State m_state = State::Unloaded;
    bool m_busy = false;
};

} // namespace Capture
