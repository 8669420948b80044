#include "capture/timephrase/chrono.h"

#include "capture/logging.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QThread>

namespace Capture {

namespace {

QLoggingCategory::CategoryFilter previousLoggingFilter = nullptr;

// The engine's compiler comments on the minified bundle while it loads; that says nothing to
// our users.
void quietQmlCompiler(QLoggingCategory* category)
{
    if (previousLoggingFilter)
        previousLoggingFilter(category);
    if (qstrcmp(category->categoryName(), "qt.qml.compiler") == 0) {
        category->setEnabled(QtDebugMsg, false);
        category->setEnabled(QtInfoMsg, false);
        category->setEnabled(QtWarningMsg, false);
    }
}

// QJSValue::toDateTime() answers in local time; every date we hand out is UTC.
std::optional<QDateTime> utcDate(const QJSValue& value)
{
    if (!value.isDate())
        return std::nullopt;
    const QDateTime date = value.toDateTime();
    if (!date.isValid())
        return std::nullopt;
    return date.toUTC();
}

QString describeError(const QJSValue& error)
{
    const QJSValue line = error.property(QStringLiteral("lineNumber"));
    return line.isNumber() ? QStringLiteral("%1 (line %2)").arg(error.toString()).arg(line.toInt())
                           : error.toString();
}

} // namespace

Chrono& Chrono::shared()
{
    // Never destroyed: it lives for the rest of the process, and a static's destructor would
    // run after the application (and the thread that owns the engine) has gone.
    static Chrono* const instance = new Chrono;
    return *instance;
}

Chrono::Chrono(const QString& scriptPath) : m_scriptPath(scriptPath) {}

Chrono::~Chrono() = default;

QString Chrono::defaultScriptPath()
{
    return QStringLiteral(":/capture/chrono.min.js");
}

bool Chrono::onEngineThread() const
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool Chrono::load()
{
    if (!onEngineThread()) {
        qCWarning(lcCapture) << "The time-phrase parser runs on the main thread only; refused a call from"
                             << QThread::currentThread();
        return false;
    }
    if (m_state != State::Unloaded)
        return m_state == State::Loaded;
    m_state = State::Failed;

    QFile file(m_scriptPath);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcCapture).noquote()
            << QStringLiteral("Cannot read the chrono library %1: %2").arg(m_scriptPath, file.errorString());
        return false;
    }
    // The library expects the browser's `window` global.
    const QString program = QStringLiteral("var window = this;\n ") + QString::fromUtf8(file.readAll());

    auto engine = std::make_unique<QJSEngine>();
    previousLoggingFilter = QLoggingCategory::installFilter(quietQmlCompiler);
    const QJSValue evaluated = engine->evaluate(program, QFileInfo(m_scriptPath).fileName());
    QLoggingCategory::installFilter(previousLoggingFilter);
    previousLoggingFilter = nullptr;
    if (evaluated.isError()) {
        qCWarning(lcCapture).noquote() << QStringLiteral("The chrono library %1 failed to load: %2")
                                              .arg(m_scriptPath, describeError(evaluated));
        return false;
    }
    QJSValue chrono = engine->globalObject().property(QStringLiteral("chrono"));
    QJSValue parse = chrono.property(QStringLiteral("parse"));
    if (!parse.isCallable()) {
        qCWarning(lcCapture).noquote()
            << QStringLiteral("The chrono library %1 defines no chrono.parse function").arg(m_scriptPath);
        return false;
    }
    m_engine = std::move(engine);
    m_chrono = chrono;
    m_parse = parse;
    m_state = State::Loaded;
    return true;
}

ChronoParsedResult Chrono::parse(const QString& text, const std::optional<QDateTime>& reference)
{
    ChronoParsedResult result;
    result.inputString = text;
    if (!load())
        return result;
    // Nothing the library calls can lead back here today; the guard keeps it that way.
    if (m_busy) {
        qCWarning(lcCapture) << "Refused a time-phrase parse while another one is running";
        return result;
    }
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });

    QJSValueList arguments{QJSValue(text)};
    if (reference && reference->isValid())
        arguments.append(m_engine->toScriptValue(*reference));
    const QJSValue results = m_parse.callWithInstance(m_chrono, arguments);
    if (results.isError()) {
        qCWarning(lcCapture).noquote()
            << QStringLiteral("chrono.parse failed: %1").arg(describeError(results));
        return result;
    }
    if (!results.isArray()) {
        qCWarning(lcCapture).noquote()
            << QStringLiteral("chrono.parse returned %1 instead of a list of results")
                   .arg(results.toString());
        return result;
    }
    const QJSValue first = results.property(0);
    if (first.isObject())
        readResult(first, result);
    return result;
}

void Chrono::readResult(const QJSValue& first, ChronoParsedResult& result) const
{
    const QJSValue index = first.property(QStringLiteral("index"));
    if (index.isNumber())
        result.indexOfStartingCharacterOfTimePhrase = index.toInt();

    const QJSValue phrase = first.property(QStringLiteral("text"));
    if (phrase.isString()) {
        result.timePhrase = phrase.toString();
        result.ignoredText = ignoredText(result.inputString, *result.timePhrase);
    }

    result.referenceDate = utcDate(first.property(QStringLiteral("refDate")));

    const auto componentDate = [&](const QString& name) -> std::optional<QDateTime> {
        QJSValue component = first.property(name);
        if (!component.isObject())
            return std::nullopt;
        const QJSValue date = component.property(QStringLiteral("date")).callWithInstance(component);
        const std::optional<QDateTime> converted = utcDate(date);
        if (!converted) {
            qCWarning(lcCapture).noquote()
                << QStringLiteral("chrono's %1 of \"%2\" is not a date: %3")
                       .arg(name, result.timePhrase.value_or(result.inputString),
                            date.isError() ? describeError(date) : date.toString());
        }
        return converted;
    };
    result.startDate = componentDate(QStringLiteral("start"));
    result.endDate = componentDate(QStringLiteral("end"));

    if (result.startDate && result.endDate && *result.startDate <= *result.endDate)
        result.dateInterval = ChronoParsedResult::DateInterval{*result.startDate, *result.endDate};
}

std::optional<QDateTime> Chrono::parseDate(const QString& text)
{
    return parse(text).startDate;
}

std::optional<QDateTime> Chrono::parseDate(const QString& text, const QDateTime& reference)
{
    return parse(text, reference).startDate;
}

QString Chrono::ignoredText(const QString& input, const QString& phrase)
{
    if (phrase.isEmpty())
        return input.trimmed();
    // Connecting words before the phrase and punctuation after it go with it. The phrase is
    // literal text: "8:00 PM (EST" must not be read as a pattern. \p{P} is Unicode punctuation,
    // so "…" goes but "$" stays.
    static const QString before = QStringLiteral(R"((?>\s*)*(\bon|\bin)*(?>\s*)*(\bthe)*(?>\s*)*)");
    static const QString after = QStringLiteral(R"((?>\s*\p{P}*\s*)*)");
    const QRegularExpression pattern(before + QRegularExpression::escape(phrase) + after,
                                     QRegularExpression::CaseInsensitiveOption |
                                         QRegularExpression::UseUnicodePropertiesOption);
    if (!pattern.isValid()) {
        qCWarning(lcCapture).noquote()
            << QStringLiteral("Cannot remove the time phrase \"%1\": %2").arg(phrase, pattern.errorString());
        return input.trimmed();
    }
    QString rest = input;
    rest.replace(pattern, QStringLiteral(" "));
    return rest.trimmed();
}

} // namespace Capture
