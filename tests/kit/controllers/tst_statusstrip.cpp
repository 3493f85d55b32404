// SPDX-License-Identifier: GPL-3.0-or-later
// The status strip's battery: what the desktop's power service (UPower, on a system bus of
// the test's own) reports, drawn; nothing where there is no service or no battery.

#include "PrivateBus.h"
#include "TestSupport.h"

#include "kit/controllers/StatusStrip.h"
#include "kit/platform/Battery.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString upower = QStringLiteral("org.freedesktop.UPower");
const QString displayDevice = QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice");
const QString deviceInterface = QStringLiteral("org.freedesktop.UPower.Device");

// The power service's display device, as UPower shows it: the properties a reader asks for.
class DisplayDevice final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UPower.Device")
    Q_PROPERTY(bool IsPresent MEMBER present)
    Q_PROPERTY(double Percentage MEMBER percentage)
    Q_PROPERTY(uint State MEMBER state)
    Q_PROPERTY(uint Type MEMBER type)

public:
    explicit DisplayDevice(QObject* parent) : QDBusAbstractAdaptor(parent) {}

    bool present = true;
    double percentage = 42.0;
    // 2: discharging; 1: charging.
    uint state = 2;
    // 2: a battery; 0: a desktop computer's display device, which stands for nothing.
    uint type = 2;
};

// The power service on the private system bus, on a connection of its own.
struct FakeUPower {
    QObject object;
    DisplayDevice* device = new DisplayDevice(&object);
    QDBusConnection connection;

    explicit FakeUPower(const QString& address)
        : connection(QDBusConnection::connectToBus(address, QStringLiteral("fakeUPower")))
    {
        connection.registerObject(displayDevice, &object, QDBusConnection::ExportAdaptors);
        connection.registerService(upower);
    }
    ~FakeUPower()
    {
        connection.unregisterService(upower);
        connection.unregisterObject(displayDevice);
        QDBusConnection::disconnectFromBus(QStringLiteral("fakeUPower"));
    }
    // Tells the readers, as UPower does when the charge moves.
    void changed(const QVariantMap& properties)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            displayDevice, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << deviceInterface << properties << QStringList();
        connection.send(signal);
    }
};

// A strip on screen, reading the battery.
struct ShownStrip {
    QWidget host;
    kit::StatusStrip* strip = new kit::StatusStrip(&host);

    ShownStrip()
    {
        host.resize(320, 20);
        strip->setGeometry(0, 0, 320, 20);
        host.show();
        strip->readBattery();
    }
    QRgb pixel(int x, int y) const { return strip->grab().toImage().pixel(x, y); }
};

bool isBlack(QRgb pixel)
{
    return qRed(pixel) < 20 && qGreen(pixel) < 20 && qBlue(pixel) < 20;
}

} // namespace

class TestStatusStrip final : public QObject {
    Q_OBJECT

public:
    PrivateBus* bus = nullptr;

private slots:
    void noPowerServiceNoBattery()
    {
        ShownStrip shown;
        QVERIFY(shown.strip->battery());
        QVERIFY(waitUntil([&] { return shown.strip->battery()->hasAnswered(); }, 5000));
        QVERIFY(!shown.strip->battery()->charge().present);
        // Where the battery would be: the strip's black, outline and all.
        QVERIFY(isBlack(shown.pixel(292, 10)));
        QVERIFY(isBlack(shown.pixel(288, 6)));
    }

    void theChargeIsDrawnAndFollowed()
    {
        FakeUPower service(bus->address());
        ShownStrip shown;
        kit::Battery* battery = shown.strip->battery();
        QVERIFY(waitUntil([&] { return battery->charge().present; }, 5000));
        QCOMPARE(battery->charge(), (kit::Battery::Charge{true, 42.0, false}));
        // 42 %: the left of the body filled light, its right end empty.
        QVERIFY(waitUntil([&] { return qGray(shown.pixel(292, 10)) > 200; }, 2000));
        QVERIFY(isBlack(shown.pixel(304, 10)));

        service.device->percentage = 15.0;
        service.changed({{QStringLiteral("Percentage"), 15.0}});
        QVERIFY(waitUntil([&] { return battery->charge().percentage == 15.0; }, 5000));
        // Nearly empty: red.
        QVERIFY(waitUntil(
            [&] {
                const QRgb fill = shown.pixel(290, 10);
                return qRed(fill) > 200 && qGreen(fill) < 100;
            },
            2000));

        service.device->state = 1;
        service.changed({{QStringLiteral("State"), 1u}});
        QVERIFY(waitUntil([&] { return battery->charge().charging; }, 5000));
        QVERIFY(waitUntil(
            [&] {
                const QRgb fill = shown.pixel(290, 10);
                return qGreen(fill) > 180 && qRed(fill) < 120;
            },
            2000));
    }

    void aComputerWithoutABatteryShowsNone()
    {
        FakeUPower service(bus->address());
        service.device->present = false;
        service.device->type = 0;
        service.device->percentage = 0.0;
        kit::Battery battery;
        QSignalSpy changes(&battery, &kit::Battery::changed);
        QVERIFY(waitUntil([&] { return battery.hasAnswered(); }, 5000));
        QVERIFY(!battery.charge().present);
        // A battery that never was is no change.
        QCOMPARE(changes.count(), 0);
    }
};

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    PrivateBus bus(PrivateBus::System);
    if (!bus.isRunning())
        return 1;
    QApplication application(argc, argv);
    TestStatusStrip test;
    test.bus = &bus;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_statusstrip.moc"
