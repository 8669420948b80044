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

        QTest::newRow("address") << QStringLiteral("https://example.com/watch?v=1") << true
                                 << QStringLiteral("https://example.com/watch?v=1");
        QTest::newRow("spaces and a line break around") << QStringLiteral("  https://example.com/v \n")
                                                        << true << QStringLiteral("https://example.com/v");
        QTest::newRow("bare host and path")
            << QStringLiteral("www.example.com/v") << true << QStringLiteral("https://www.example.com/v");
        QTest::newRow("text before the link")
            << QStringLiteral("watch https://example.com/v") << true << QString();
        QTest::newRow("text after the link")
            << QStringLiteral("https://example.com/v please") << true << QString();
        QTest::newRow("two links") << QStringLiteral("https://example.com/a https://example.com/b") << true
                                   << QString();
        QTest::newRow("not a link") << QStringLiteral("hello") << true << QString();
        QTest::newRow("another scheme") << QStringLiteral("file:///etc/passwd") << true << QString();
        QTest::newRow("option-like") << QStringLiteral("--exec=rm") << true << QString();
        QTest::newRow("spaces only") << QStringLiteral("   ") << false << QString();
        QTest::newRow("empty") << QString() << false << QString();
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

    void typedAndCorrectedAfterARefusal()
    {
        QList<QUrl> urls;
        NewDownloadDialog dialog([&urls](const QUrl& url) { urls << url; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.addButton()->isEnabled());

        QTest::keyClicks(dialog.urlField(), QStringLiteral("see https://example.com/v"));
        QVERIFY(dialog.addButton()->isEnabled());
        QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
        QCOMPARE(dialog.errorText(), QStringLiteral("URL is invalid!"));
        QVERIFY(urls.isEmpty());

        // Editing keeps the message; a successful add closes the sheet.
        QTest::keyClick(dialog.urlField(), Qt::Key_Home);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(dialog.urlField(), Qt::Key_Delete);
        QCOMPARE(dialog.errorText(), QStringLiteral("URL is invalid!"));
        QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
        QCOMPARE(urls, QList<QUrl>{QUrl(QStringLiteral("https://example.com/v"))});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void cancelAddsNothing()
    {
        QList<QUrl> urls;
        NewDownloadDialog dialog([&urls](const QUrl& url) { urls << url; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.urlField()->setText(QStringLiteral("https://example.com/v"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(urls.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestNewDownloadDialog)
#include "tst_newdownloaddialog.moc"
