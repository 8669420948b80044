// The New Download sheet with the real tool: what it shows of a video and what an add gets.
#include "app/choice/downloadchoiceeditor.h"
#include "app/choice/videopreview.h"
#include "app/window/newdownloaddialog.h"
#include "engine/enginekeys.h"
#include "engine/executablesearch.h"
#include "engine/loginenvironment.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/presetlist.h"

#include "support/localhttpserver.h"
#include "support/testmedia.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using App::NewDownloadDialog;
using TestSupport::LocalHttpServer;

class TestNewDownloadDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    std::unique_ptr<Engine::Preferences> m_preferences;
    std::unique_ptr<LocalHttpServer> m_server;
    QList<std::pair<QUrl, Engine::QorvConfig>> m_added;

    std::unique_ptr<NewDownloadDialog> openDialog()
    {
        auto dialog = std::make_unique<NewDownloadDialog>(
            *m_preferences, [this](const QUrl& url, const Engine::QorvConfig& config) {
                m_added.append({url, config});
            });
        dialog->show();
        return dialog;
    }

    static QStringList comboTexts(const QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        m_preferences = std::make_unique<Engine::Preferences>(m_work.filePath(QStringLiteral("prefs.conf")));
        const std::optional<QString> tool = Engine::findExecutable(QStringLiteral("yt-dlp"));
        QVERIFY2(tool, "yt-dlp is not installed");
        m_preferences->setValue(Engine::Keys::downloaderBin, tool);
        m_preferences->setValue(Library::Keys::defaultOutputLocation, QUrl::fromLocalFile(m_work.path()));
        Engine::LoginEnvironment::instance().invalidate();

        const QString served = m_work.filePath(QStringLiteral("www"));
        QVERIFY(QDir().mkpath(served));
        QVERIFY2(TestSupport::TestMedia::playerPage(served), "ffmpeg could not make the player's videos");
        QImage thumbnail(320, 180, QImage::Format_RGB32);
        thumbnail.fill(Qt::darkCyan);
        QVERIFY(thumbnail.save(served + QStringLiteral("/thumb.png")));
        QFile page(served + QStringLiteral("/preview.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        // The tool takes a page's media element's poster as the thumbnail.
        page.write("<html><head><meta property=\"og:title\" content=\"Preview Clip\">"
                   "</head><body><video poster=\"thumb.png\">"
                   "<source src=\"v720.mp4\" type=\"video/mp4\" height=\"720\">"
                   "<source src=\"v480.mp4\" type=\"video/mp4\" height=\"480\">"
                   "<track kind=\"subtitles\" src=\"en.vtt\" srclang=\"en\"></video></body></html>");
        page.close();
        m_server = std::make_unique<LocalHttpServer>(served);
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
    }

    void init() { m_added.clear(); }

    // The clipboard's address is read at once; the video's own qualities, subtitles and
    // thumbnail replace the generic choices, and the add gets exactly what was chosen.
    void previewOfTheClipboardsAddress()
    {
        const QString address = m_server->url(QStringLiteral("preview.html"));
        QGuiApplication::clipboard()->setText(address);
        const auto dialog = openDialog();
        QCOMPARE(dialog->urlField()->text(), address);
        App::DownloadChoiceEditor* editor = dialog->editor();
        // A wish above what the video has becomes the nearest lower quality it has.
        Engine::DownloadChoice wish;
        wish.maxHeight = 1080;
        editor->setChoice(wish);
        QCOMPARE(comboTexts(editor->qualityBox()),
                 QStringLiteral("Best 2160p 1080p 720p 480p").split(QLatin1Char(' ')));

        // The tool numbers a page's media: "Preview Clip (1)".
        QTRY_VERIFY_WITH_TIMEOUT(
            dialog->preview()->titleLabel()->text().startsWith(QStringLiteral("Preview Clip")), 30000);
        QCOMPARE(comboTexts(editor->qualityBox()), QStringLiteral("Best 720p 480p").split(QLatin1Char(' ')));
        QCOMPARE(editor->qualityBox()->currentText(), QStringLiteral("720p"));
        QCOMPARE(editor->subtitleList()->count(), 1);
        QCOMPARE(editor->subtitleList()->item(0)->text(), QStringLiteral("en"));
        QTRY_VERIFY(!dialog->preview()->thumbnailLabel()->pixmap().isNull());

        editor->qualityBox()->setCurrentIndex(2);
        editor->containerBox()->setCurrentIndex(editor->containerBox()->findText(QStringLiteral("MP4")));
        editor->subtitleList()->item(0)->setCheckState(Qt::Checked);
        dialog->fileNameField()->setText(QStringLiteral("100% a/b"));
        dialog->submit();
        QCOMPARE(m_added.size(), 1);
        QCOMPARE(m_added[0].first, QUrl(address));
        const QStringList arguments = m_added[0].second.arguments();
        for (const QString& expected :
             {QStringLiteral("bv*[height<=480]+ba/b[height<=480]"), QStringLiteral("--embed-subs"),
              QStringLiteral("100%% a_b.%(ext)s"), m_work.path()})
            QVERIFY2(arguments.contains(expected), qPrintable(arguments.join(QLatin1Char(' '))));
        QVERIFY(!arguments.contains(QStringLiteral("--write-auto-subs")));
        QCOMPARE(m_added[0].second.name(), QStringLiteral("480p \u00b7 MP4"));
    }

    // A failed read says so in one line and leaves the generic choices; adding still works.
    void failedReadLeavesGenericChoices()
    {
        QGuiApplication::clipboard()->clear();
        const auto dialog = openDialog();
        QVERIFY(dialog->urlField()->text().isEmpty());
        QTest::keyClicks(dialog->urlField(), m_server->url(QStringLiteral("missing.html")));
        QTRY_VERIFY_WITH_TIMEOUT(
            !dialog->preview()->statusLabel()->text().contains(QStringLiteral("Reading")), 30000);
        const QString status = dialog->preview()->statusLabel()->text();
        QVERIFY2(status.startsWith(QStringLiteral("Could not read the video's details: ")) &&
                     status.contains(QStringLiteral("404")) && !status.contains(QLatin1Char('\n')),
                 qPrintable(status));
        QCOMPARE(dialog->editor()->qualityBox()->count(), 5);
        dialog->editor()->kindBox()->setCurrentIndex(1);
        QTest::keyClick(dialog->urlField(), Qt::Key_Return);
        QCOMPARE(m_added.size(), 1);
        QVERIFY(m_added[0].second.arguments().contains(QStringLiteral("-x")));
    }

    // A preset saved from the sheet outlives the preferences object, and the next sheet
    // starts from the default one.
    void presetsAreKept()
    {
        {
            const auto dialog = openDialog();
            dialog->editor()->kindBox()->setCurrentIndex(1);
            dialog->editor()->audioFormatBox()->setCurrentIndex(
                dialog->editor()->audioFormatBox()->findText(QStringLiteral("Opus")));
            dialog->setPresetNamePrompt([](QWidget*, const QString& suggestion) {
                return suggestion == QStringLiteral("OPUS") ? QStringLiteral("Talks") : QString();
            });
            dialog->savePreset();
            QCOMPARE(dialog->presetBox()->currentText(), QStringLiteral("Talks"));
        }
        Engine::Preferences reopened(m_work.filePath(QStringLiteral("prefs.conf")));
        Library::PresetList presets(reopened);
        QCOMPARE(presets.presets().size(), 1);
        QVERIFY(presets.setDefault(QStringLiteral("Talks")));
        m_preferences = std::make_unique<Engine::Preferences>(m_work.filePath(QStringLiteral("prefs.conf")));
        const auto dialog = openDialog();
        QCOMPARE(dialog->presetBox()->currentText(), QStringLiteral("Talks"));
        QCOMPARE(dialog->config().name(), QStringLiteral("Talks"));
        QVERIFY(dialog->config().arguments().contains(QStringLiteral("opus")));
        // Changed after picking, the choices are no longer the preset's.
        dialog->editor()->kindBox()->setCurrentIndex(0);
        QCOMPARE(dialog->config().name(), QStringLiteral("Best"));
    }
};

QTEST_MAIN(TestNewDownloadDialog)
#include "tst_newdownloaddialog.moc"
