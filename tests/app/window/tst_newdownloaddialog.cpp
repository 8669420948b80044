#include "app/window/newdownloaddialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using App::NewDownloadDialog;

class TestNewDownloadDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void add_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("added"); // empty: refused

        // Which texts are one address is the link detector's to say.
        QTest::newRow("address") << QStringLiteral("https://example.com/watch?v=1") << true
                                 << QStringLiteral("https://example.com/watch?v=1");
        QTest::newRow("text around the link")
            << QStringLiteral("watch https://example.com/v") << true << QString();
        QTest::newRow("spaces only") << QStringLiteral("   ") << false << QString();
    }

    void add()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        QFETCH(QString, added);

        QList<QUrl> urls;
        NewDownloadDialog dialog([&urls](const QUrl& url) { urls << url; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy accepted(&dialog, &QDialog::accepted);

        dialog.urlField()->setFocus();
        dialog.urlField()->setText(text);
        QCOMPARE(dialog.addButton()->isEnabled(), enabled);
        QTest::keyClick(dialog.urlField(), Qt::Key_Return);

        if (!added.isEmpty()) {
            QCOMPARE(urls, QList<QUrl>{QUrl(added)});
            QCOMPARE(accepted.size(), 1);
            QVERIFY(!dialog.isVisible());
            return;
        }
        QVERIFY(urls.isEmpty());
        QCOMPARE(accepted.size(), 0);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.urlField()->text(), text);
        QCOMPARE(dialog.errorText(), enabled ? QStringLiteral("URL is invalid!") : QString());
    }

    // The refusal stays until the next add, which closes the sheet once it succeeds.
    void correctedAfterARefusal()
    {
        QList<QUrl> urls;
        NewDownloadDialog dialog([&urls](const QUrl& url) { urls << url; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.urlField(), QStringLiteral("see https://example.com/v"));
        QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
        QVERIFY(urls.isEmpty());
        QTest::keyClick(dialog.urlField(), Qt::Key_Home);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(dialog.urlField(), Qt::Key_Delete);
        QCOMPARE(dialog.errorText(), QStringLiteral("URL is invalid!"));
        QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
        QCOMPARE(urls, QList<QUrl>{QUrl(QStringLiteral("https://example.com/v"))});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestNewDownloadDialog)
#include "tst_newdownloaddialog.moc"
