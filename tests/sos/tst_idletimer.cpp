// SPDX-License-Identifier: GPL-3.0-or-later
// Holding off the screen saver while the emergency card is up, on a private
// session bus with a screen saver of the test's own.

#include "PrivateBus.h"
#include "TestSupport.h"

#include "kit/controllers/Application.h"
#include "kit/foundation/RunLoop.h"
#include "kit/platform/SystemSound.h"
#include "sos/EmergencyScreen.h"

#include <QProcess>
#include <QTest>

#include <cstdio>

namespace {

class SilentSound final : public kit::SoundService {
public:
    kit::SystemSoundID createSystemSound(const QUrl&) override { return 1; }
    void playSystemSound(kit::SystemSoundID) override {}
    void disposeSystemSound(kit::SystemSoundID) override {}
};

} // namespace

class TestIdleTimer final : public QObject {
    Q_OBJECT

public:
    QProcess* saver = nullptr;

private slots:
    void oneInhibitWhileTheCardIsUpAndItsRelease()
    {
        QVERIFY(saver);
        QStringList calls;
        // The helper was started before the application's event loop existed: poll its output.
        auto readCalls = [&] {
            saver->waitForReadyRead(5);
            while (saver->canReadLine())
                calls << QString::fromUtf8(saver->readLine()).trimmed();
        };
        SilentSound sound;
        kit::SystemSound::setService(&sound);
        kit::ManualClock clock;
        TestStore store;
        kit::Application application;
        {
            sos::EmergencyScreen card;
            card.view();
            QVERIFY(waitUntil(
                [&] {
                    readCalls();
                    return !calls.isEmpty();
                },
                10000));
            QCOMPARE(calls, QStringList{QStringLiteral("Inhibit firstaid 42")});
            card.touchesBegin();
            clock.advance(3.0);
            QVERIFY(waitUntil(
                [&] {
                    readCalls();
                    return calls.size() >= 2;
                },
                10000));
        }
        QCOMPARE(calls, (QStringList{QStringLiteral("Inhibit firstaid 42"),
                                     QStringLiteral("UnInhibit 42")}));
        kit::SystemSound::setService(nullptr);
    }
};

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    const PrivateBus bus;
    if (!bus.isRunning())
        return 1;

    QProcess saver;
    saver.start(QStringLiteral(FAKE_SCREENSAVER), {});
    if (!saver.waitForReadyRead(10000) || saver.readLine().trimmed() != "ready") {
        std::fprintf(stderr, "tst_idletimer: the screen saver of the test did not start\n");
        return 1;
    }
    int result = 0;
    {
        QApplication application(argc, argv);
        TestIdleTimer test;
        test.saver = &saver;
        result = QTest::qExec(&test, argc, argv);
    }
    saver.kill();
    saver.waitForFinished();
    return result;
}

#include "tst_idletimer.moc"
