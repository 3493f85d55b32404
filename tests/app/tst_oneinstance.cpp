// SPDX-License-Identifier: GPL-3.0-or-later
// One running copy per card: a second start hands over to the first and quits, on a
// local socket and through the desktop's D-Bus convention; jobs of their own and
// other cards never hand over. Real processes, on a session bus of the test's own.

#include "PrivateBus.h"
#include "TestSupport.h"

#include "kit/platform/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <thread>

#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray broughtForward = "Another start of the application brought this window forward.";

// A copy of the application, its output gathered.
class Copy final {
public:
    explicit Copy(const QStringList& arguments, const QProcessEnvironment& environment = {})
    {
        _process.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment used =
            environment.isEmpty() ? QProcessEnvironment::systemEnvironment() : environment;
        used.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        _process.setProcessEnvironment(used);
        _process.start(QStringLiteral(FIRSTAID_EXECUTABLE), arguments);
        _process.waitForStarted();
    }
    ~Copy()
    {
        if (_process.state() != QProcess::NotRunning) {
            _process.kill();
            _process.waitForFinished();
        }
    }
    QProcess& process() { return _process; }
    QByteArray output()
    {
        _output += _process.readAll();
        return _output;
    }

private:
    QProcess _process;
    QByteArray _output;
};

// Whether a copy answers on the settings file's socket yet.
bool answering(const QString& store)
{
    return waitUntil([&] { return kit::SingleInstance::isAnswered(store); }, 15000);
}

} // namespace

class TestOneInstance final : public QObject {
    Q_OBJECT

private slots:
    void aSecondStartBringsTheFirstForwardAndQuits()
    {
        TestStore store;
        Copy first({QStringLiteral("--defaults"), store.path()});
        QVERIFY(answering(store.path()));
        // The second copy ends by itself instead of staying as a second window (how fast is
        // for the start-up benchmark, not for a test on a loaded or sanitized build).
        Copy second({QStringLiteral("--defaults"), store.path()});
        QVERIFY(second.process().waitForFinished(5000));
        QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process().exitCode(), 0);
        QVERIFY(waitUntil([&] { return first.output().contains(broughtForward); }, 5000));
        QCOMPARE(first.process().state(), QProcess::Running);
        // --cpr hands its action over: the running copy opens the coach.
        QVERIFY(!first.output().contains("CPR coach started"));
        Copy coach({QStringLiteral("--defaults"), store.path(), QStringLiteral("--cpr")});
        QVERIFY(coach.process().waitForFinished(5000));
        QCOMPARE(coach.process().exitCode(), 0);
        QVERIFY(waitUntil([&] { return first.output().contains("CPR coach started"); }, 5000));
    }

    void anActionIsHandedOverByItsNameOnly()
    {
        TestStore store;
        QStringList actions;
        kit::SingleInstance first(QStringLiteral("org.example.Test"), store.path(), false);
        first.listen([&](const QString& action) { actions << action; });
        bool handed = false;
        std::thread caller([&] {
            kit::SingleInstance later(QStringLiteral("org.example.Test"), store.path(), false);
            handed = later.handOver(QStringLiteral("cpr"));
            // A name that could carry anything else is not sent at all.
            handed = handed && !later.handOver(QStringLiteral("cpr\nactivate"));
            handed = handed && later.handOver();
        });
        QVERIFY(waitUntil([&] { return actions.size() == 2; }, 5000));
        caller.join();
        QVERIFY(handed);
        QCOMPARE(actions, (QStringList{QStringLiteral("cpr"), QString()}));
    }

    void aSocketLeftBehindIsTakenOverAndALiveOneIsNot()
    {
        TestStore store;
        const QString path = kit::SingleInstance::socketPath(store.path());
        // What a killed copy leaves: a socket file nobody listens on.
        {
            const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const QByteArray name = QFile::encodeName(path);
            std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
            QVERIFY(::bind(left, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0);
            ::close(left);
        }
        QVERIFY(QFile::exists(path));
        QVERIFY(!kit::SingleInstance::isAnswered(store.path()));
        int activations = 0;
        auto first = std::make_unique<kit::SingleInstance>(QStringLiteral("org.example.Test"),
                                                           store.path(), false);
        QVERIFY(!first->handOver());
        first->listen([&](const QString&) { ++activations; });
        QVERIFY(kit::SingleInstance::isAnswered(store.path()));
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());

        // A second listener on the same card (a start that raced the first) leaves it be.
        kit::SingleInstance second(QStringLiteral("org.example.Test"), store.path(), false);
        second.listen([](const QString&) {});
        // A caller on another thread, while this one answers as the event loop does.
        bool handedOver = false;
        std::thread caller([&] {
            kit::SingleInstance later(QStringLiteral("org.example.Test"), store.path(), false);
            handedOver = later.handOver();
        });
        QVERIFY(waitUntil([&] { return activations == 1; }, 5000));
        caller.join();
        QVERIFY(handedOver);
        // Gone with the copy that made it.
        first.reset();
        QVERIFY(!QFile::exists(path));
    }

    void anotherCardAndJobsOfTheirOwnNeverHandOver()
    {
        TestStore store;
        TestStore otherStore;
        Copy first({QStringLiteral("--defaults"), store.path()});
        QVERIFY(answering(store.path()));
        // Another card is another owner's: it runs on its own.
        Copy other({QStringLiteral("--defaults"), otherStore.path()});
        QVERIFY(answering(otherStore.path()));
        QCOMPARE(other.process().state(), QProcess::Running);
        // A screenshot, the help and a search do their job and quit without a word to the first.
        const QString shot = QDir(store.folder()).filePath(QStringLiteral("shot.png"));
        Copy screenshot(
            {QStringLiteral("--defaults"), store.path(), QStringLiteral("--screenshot"), shot});
        QVERIFY(screenshot.process().waitForFinished(30000));
        QCOMPARE(screenshot.process().exitCode(), 0);
        QVERIFY(QFile::exists(shot));
        for (const QStringList& job :
             {QStringList{QStringLiteral("--help")},
              QStringList{QStringLiteral("--find"), QStringLiteral("ожог")}}) {
            Copy quick(QStringList{QStringLiteral("--defaults"), store.path()} + job);
            QVERIFY(quick.process().waitForFinished(30000));
            QCOMPARE(quick.process().exitCode(), 0);
            QVERIFY(!quick.output().isEmpty());
        }
        QTest::qWait(200);
        QVERIFY(!first.output().contains(broughtForward));
    }

    void theDesktopActivatesTheStandardCardThroughTheBus()
    {
        // The standard card (no --defaults): the copy owns the application's name on the bus.
        QTemporaryDir config;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("FIRSTAID_DEFAULTS"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        Copy first({}, environment);
        const QString name = QStringLiteral("ru.tkl_apps.FirstAid");
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.isConnected());
        QVERIFY(
            waitUntil([&] { return bus.interface()->isServiceRegistered(name).value(); }, 15000));
        QDBusMessage activate = QDBusMessage::createMethodCall(
            name, QStringLiteral("/ru/tkl_apps/FirstAid"),
            QStringLiteral("org.freedesktop.Application"), QStringLiteral("Activate"));
        activate << QVariantMap();
        const QDBusMessage reply = bus.call(activate, QDBus::Block, 5000);
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QVERIFY(waitUntil([&] { return first.output().contains(broughtForward); }, 5000));
        // The entry's action, as the launcher sends it: the coach.
        QDBusMessage action = QDBusMessage::createMethodCall(
            name, QStringLiteral("/ru/tkl_apps/FirstAid"),
            QStringLiteral("org.freedesktop.Application"), QStringLiteral("ActivateAction"));
        action << QStringLiteral("cpr") << QVariantList() << QVariantMap();
        QCOMPARE(bus.call(action, QDBus::Block, 5000).type(), QDBusMessage::ReplyMessage);
        QVERIFY(waitUntil([&] { return first.output().contains("CPR coach started"); }, 5000));
        // And a second start of the standard card hands over too.
        Copy second({}, environment);
        QVERIFY(second.process().waitForFinished(5000));
        QCOMPARE(second.process().exitCode(), 0);
        QVERIFY(waitUntil([&] { return first.output().count(broughtForward) == 3; }, 5000));
    }
};

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    const PrivateBus bus;
    if (!bus.isRunning())
        return 1;
    int result = 0;
    {
        QApplication application(argc, argv);
        TestOneInstance test;
        result = QTest::qExec(&test, argc, argv);
    }
    return result;
}

#include "tst_oneinstance.moc"
