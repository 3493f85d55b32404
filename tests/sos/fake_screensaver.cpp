// SPDX-License-Identifier: GPL-3.0-or-later
// A screen saver of the tests' own on the session bus: answers Inhibit with a
// cookie and UnInhibit, and prints every call on a line of its own.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <cstdio>

class ScreenSaver final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        std::printf("Inhibit %s %u\n", qPrintable(application), ++_cookie);
        std::fflush(stdout);
        Q_UNUSED(reason);
        return _cookie;
    }
    void UnInhibit(uint cookie)
    {
        std::printf("UnInhibit %u\n", cookie);
        std::fflush(stdout);
    }

private:
    uint _cookie = 41;
};

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ScreenSaver saver;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")) ||
        !bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &saver,
                            QDBusConnection::ExportAllSlots))
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "fake_screensaver.moc"
