#include "engine/loginenvironment.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Engine::LoginEnvironment;

class TestLoginEnvironment : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

    void writeProfile(const QByteArray& text)
    {
        for (const char* name : {"/.bash_profile", "/.zprofile"}) {
            QFile profile(m_home.path() + QLatin1String(name));
            QVERIFY(profile.open(QIODevice::WriteOnly));
            profile.write(text);
        }
    }

    QProcessEnvironment read()
    {
        QProcessEnvironment read;
        bool done = false;
        LoginEnvironment::instance().invalidate();
        LoginEnvironment::instance().request(this, [&](const QProcessEnvironment& e) {
            read = e;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 20000))
            qFatal("the login environment was never read");
        return read;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        qputenv("SHELL", "/bin/bash");
    }

    // What a profile exports reaches us, whatever it prints first and whatever the values hold.
    void readsWhatTheProfileExports()
    {
        writeProfile("echo 'chatty profile A=B'; printf 'no newline'\n"
                     "export VELTQORV_FROM_PROFILE=$'two\\nlines = and more'\n");
        const QProcessEnvironment environment = read();
        QCOMPARE(environment.value(QStringLiteral("VELTQORV_FROM_PROFILE")),
                 QStringLiteral("two\nlines = and more"));
        QVERIFY(!environment.contains(QStringLiteral("chatty profile A")));
        QVERIFY(LoginEnvironment::instance().isKnown());
    }

    // A shell that fails leaves the tools our own environment.
    void fallsBackToOurs()
    {
        qputenv("SHELL", "/bin/false");
        qputenv("VELTQORV_OURS", "1");
        const QProcessEnvironment environment = read();
        qputenv("SHELL", "/bin/bash");
        QCOMPARE(environment.value(QStringLiteral("VELTQORV_OURS")), QStringLiteral("1"));
    }

    void parse()
    {
        const QByteArray marker = "m-1";
        QCOMPARE(LoginEnvironment::parse("text\nA=1\0", marker), std::nullopt);
        const auto parsed = LoginEnvironment::parse(QByteArray("m-0\nm-1\nA=x=y\0B=\0=bad\0", 19), marker);
        QVERIFY(parsed);
        QCOMPARE(parsed->keys(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(parsed->value(QStringLiteral("A")), QStringLiteral("x=y"));
    }
};

QTEST_GUILESS_MAIN(TestLoginEnvironment)
#include "tst_loginenvironment.moc"
