#include "app/update/updatedialog.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QTest>

using App::UpdateChecker;
using App::UpdateDialog;
using Outcome = App::UpdateChecker::Outcome;

class TestUpdateDialog : public QObject
{
    Q_OBJECT

    QList<QUrl> m_opened;

public Q_SLOTS:
    void open(const QUrl& url) { m_opened << url; }

private Q_SLOTS:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
    }

    void present_data()
    {
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<bool>("userInitiated");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("text"); // empty: nothing is shown
        QTest::addColumn<QStringList>("buttons");

        const QString available = QStringLiteral("VeltQorv 9.0.0 is available — you have 1.0.0.");
        const QStringList later{QStringLiteral("Later")};
        QTest::newRow("automatic, newer")
            << Outcome::UpdateAvailable << false << QStringLiteral("https://veltqorv.org/9") << available
            << QStringList{QStringLiteral("Download…")} + later;
        QTest::newRow("newer without a link")
            << Outcome::UpdateAvailable << true << QString() << available << later;
        QTest::newRow("a link that is no web page")
            << Outcome::UpdateAvailable << true << QStringLiteral("file:///etc/passwd") << available
            << QStringList{QStringLiteral("Download…")} + later;
        QTest::newRow("asked, up to date")
            << Outcome::UpToDate << true << QString()
            << QStringLiteral("You're up to date! VeltQorv 1.0.0 is the newest version.")
            << QStringList{QStringLiteral("OK")};
        QTest::newRow("asked, failed") << Outcome::Failed << true << QString() << QStringLiteral("HTTP 404")
                                       << QStringList{QStringLiteral("OK")};
        QTest::newRow("automatic, up to date")
            << Outcome::UpToDate << false << QString() << QString() << QStringList();
    }

    void present()
    {
        QFETCH(Outcome, outcome);
        QFETCH(bool, userInitiated);
        QFETCH(QString, link);
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);
        m_opened.clear();
        QWidget parent;
        const UpdateChecker::Release release{QStringLiteral("9.0.0"), QStringLiteral("90"), QString(),
                                             QUrl(link)};
        UpdateDialog* dialog =
            UpdateDialog::present(outcome, release, QStringLiteral("HTTP 404"), userInitiated, &parent);
        QCOMPARE(dialog != nullptr, !text.isEmpty());
        if (!dialog)
            return;
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->text(), text);
        QCOMPARE(dialog->icon(),
                 outcome == Outcome::Failed ? QMessageBox::Warning : QMessageBox::Information);
        QStringList shown;
        for (QAbstractButton* button : dialog->buttons())
            shown << button->text().remove(QLatin1Char('&'));
        const qsizetype download = shown.indexOf(QStringLiteral("Download…"));
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, buttons);
        if (download < 0)
            return;
        // Only a web page is opened.
        dialog->buttons().at(download)->click();
        QCOMPARE(m_opened,
                 link.startsWith(QStringLiteral("https:")) ? QList<QUrl>{QUrl(link)} : QList<QUrl>());
    }
};

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
