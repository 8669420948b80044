#include "toolfeatures.h"

#include "commandrunner.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QTimer>

namespace Engine {

namespace {

struct Waiter
{
    QPointer<QObject> context;
    std::function<void(const ToolFeatures&)> done;
};

// The window's thread asks; both tables are only touched there.
QHash<QString, ToolFeatures>& known()
{
    static QHash<QString, ToolFeatures> table;
    return table;
}

QHash<QString, QList<Waiter>>& waiting()
{
    static QHash<QString, QList<Waiter>> table;
    return table;
}

QString keyOf(const QString& bin)
{
    const QFileInfo info(bin);
    return QStringLiteral("%1\n%2\n%3")
        .arg(info.canonicalFilePath())
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(info.size());
}

void answer(const QString& key, const ToolFeatures& features)
{
    known().insert(key, features);
    for (const Waiter& waiter : waiting().take(key)) {
        if (waiter.context)
            QMetaObject::invokeMethod(
                waiter.context, [waiter, features] { waiter.done(features); }, Qt::QueuedConnection);
    }
}

} // namespace

ToolFeatures ToolFeatures::fromHelp(const QString& helpText)
{
    ToolFeatures features;
    features.m_printsAtStages =
        helpText.contains(QLatin1String("--print [WHEN:]")) && helpText.contains(QLatin1String("after_move"));
    return features;
}

void ToolFeatures::probe(const QString& bin, const QProcessEnvironment& environment, QObject* context,
                         std::function<void(const ToolFeatures&)> done)
{
    const QString key = keyOf(bin);
    if (const auto found = known().constFind(key); found != known().constEnd()) {
        QMetaObject::invokeMethod(
            context, [done, features = *found] { done(features); }, Qt::QueuedConnection);
        return;
    }
    QList<Waiter>& waiters = waiting()[key];
    waiters.append({context, std::move(done)});
    if (waiters.size() > 1)
        return;

    auto* runner = new CommandRunner;
    auto* timeout = new QTimer(runner);
    timeout->setSingleShot(true);
    QObject::connect(timeout, &QTimer::timeout, runner, &CommandRunner::terminate);
    QObject::connect(runner, &CommandRunner::finished, runner, [runner, key](const ProcessResult& result) {
        answer(key, result.isOutput() ? fromHelp(result.text()) : ToolFeatures{});
        runner->deleteLater();
    });
    timeout->start(ProbeTimeoutMs);
    runner->start(bin, {QStringLiteral("--help")}, environment);
}

} // namespace Engine
