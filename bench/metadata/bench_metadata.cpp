// The New Download window: how long it takes to show an address's title and qualities (the
// login environment, the tool lookup, the read and the display) against the same read by a bare
// yt-dlp, in paired runs; and how long the window takes to paint first, against a plain dialog.
#include "app/window/newdownloaddialog.h"
#include "engine/enginekeys.h"
#include "engine/executablesearch.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"

#include "support/localhttpserver.h"
#include "support/testmedia.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

using namespace Engine;

namespace {

constexpr int Runs = 9;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Seconds from pasting the address to its title and qualities on screen; negative on failure.
double throughDialog(Preferences& preferences, const QString& url)
{
    // Not an address: the window opens empty. (Clearing the clipboard is not seen at once.)
    QGuiApplication::clipboard()->setText(QStringLiteral("-"));
    App::NewDownloadDialog dialog(preferences, {});
    dialog.show();
    bool shown = false;
    QObject::connect(&dialog, &App::NewDownloadDialog::metadataShown, [&] { shown = true; });
    QGuiApplication::clipboard()->setText(url);
    QElapsedTimer timer;
    timer.start();
    dialog.urlField()->paste();
    // A loop of its own: processEvents() in a loop spins under a window and steals the tool's CPU.
    QEventLoop loop;
    QObject::connect(&dialog, &App::NewDownloadDialog::metadataShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    return shown ? timer.nsecsElapsed() / 1e9 : -1;
}

// Milliseconds from creating `make`'s window to its first paint.
template <typename Make> double firstPaint(Make make)
{
    struct PaintWatch : QObject
    {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            painted = painted || event->type() == QEvent::Paint;
            return false;
        }
    } watch;
    QElapsedTimer timer;
    timer.start();
    auto window = make();
    window->installEventFilter(&watch);
    window->show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return timer.nsecsElapsed() / 1e6;
}

double bare(const QString& tool, const QString& url)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(tool, {QStringLiteral("-J"), QStringLiteral("--flat-playlist"),
                         QStringLiteral("--no-warnings"), QStringLiteral("--"), url});
    const bool ok =
        process.waitForFinished(120000) && process.exitCode() == 0 && !process.readAll().isEmpty();
    return ok ? timer.nsecsElapsed() / 1e9 : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
    if (!tool) {
        std::fprintf(stderr, "yt-dlp is not installed\n");
        return 1;
    }
    QTemporaryDir work;
    const QString served = work.filePath(QStringLiteral("www"));
    QDir().mkpath(served);
    TestSupport::LocalHttpServer server(served);
    if (!TestSupport::TestMedia::playerPage(served) || !server.start()) {
        std::fprintf(stderr, "no page to read: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    Preferences preferences(work.filePath(QStringLiteral("prefs.conf")));
    preferences.setValue(Keys::downloaderBin, std::optional<QString>(*tool));
    preferences.setValue(Library::Keys::defaultOutputLocation, QUrl::fromLocalFile(work.path()));
    const QString url = server.url(QStringLiteral("player.html"));

    QList<double> ours;
    QList<double> theirs;
    for (int run = 0; run < Runs + 1; ++run) {
        // Alternate which goes first, so drift in the machine's load hits both alike.
        double a = 0;
        double b = 0;
        if (run % 2) {
            a = throughDialog(preferences, url);
            b = bare(*tool, url);
        } else {
            b = bare(*tool, url);
            a = throughDialog(preferences, url);
        }
        if (a < 0 || b < 0)
            return 1;
        // The first pair warms caches and reads the login environment once, as a running
        // program has long done by the time a window asks.
        if (run == 0)
            continue;
        ours.append(a);
        theirs.append(b);
        std::printf("run %d: New Download %.3f s, bare yt-dlp -J %.3f s\n", run, a, b);
    }
    const double ratio = median(ours) / median(theirs);
    std::printf(
        "FIGURE\taddress to title and qualities, New Download / bare yt-dlp -J (medians)\t%.3f s / %.3f s\t"
        "<= 1.05\t%.3f\n",
        median(ours), median(theirs), ratio / 1.05);

    // With an address on the clipboard, as when the window is opened to add it.
    QGuiApplication::clipboard()->setText(url);
    QList<double> dialogPaints;
    QList<double> plainPaints;
    for (int run = 0; run < Runs; ++run) {
        dialogPaints.append(
            firstPaint([&] { return std::make_unique<App::NewDownloadDialog>(preferences, nullptr); }));
        plainPaints.append(firstPaint([] {
            auto plain = std::make_unique<QDialog>();
            auto* layout = new QVBoxLayout(plain.get());
            layout->addWidget(new QLineEdit);
            return plain;
        }));
    }
    std::printf("first paint: New Download %.1f ms (median), plain dialog with one field %.1f ms\n",
                median(dialogPaints), median(plainPaints));
    std::printf("FIGURE\tNew Download to first paint (median)\t%.1f ms\t< 50 ms\t%.3f\n",
                median(dialogPaints), median(dialogPaints) / 50.0);
    return 0;
}
