#include "app/window/newdownloaddialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
        QTest::keyClicks(dialog.urlField(), text);
        QCOMPARE(dialog.addButton()->isEnabled(), enabled);
        QTest::keyClick(dialog.urlField(), Qt::Key_Return);
        if (added.isEmpty()) {
            QVERIFY(urls.isEmpty());
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.urlField()->text(), text);
            const QString error = enabled ? QStringLiteral("URL is invalid!") : QString();
            QCOMPARE(dialog.errorText(), error);
            // The refusal stays while the text is corrected, until the next add.
            added = QStringLiteral("https://example.com/v");
            dialog.urlField()->setText(added);
            QCOMPARE(dialog.errorText(), error);
            QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
        }
        QCOMPARE(urls, QList<QUrl>{QUrl(added)});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestNewDownloadDialog)
#include "tst_newdownloaddialog.moc"
