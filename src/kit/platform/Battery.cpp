// SPDX-License-Identifier: GPL-3.0-or-later
#include "Battery.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

const QString service = QStringLiteral("org.freedesktop.UPower");
const QString displayDevice = QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice");
const QString deviceInterface = QStringLiteral("org.freedesktop.UPower.Device");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// UPower's device types and states that matter here.
constexpr uint batteryType = 2;
constexpr uint chargingState = 1;
constexpr uint fullyChargedState = 4;
constexpr uint pendingChargeState = 5;

} // namespace

Battery::Battery(QObject* parent, const QDBusConnection& bus) : QObject(parent), _bus(bus)
{
    if (!_bus.isConnected()) {
        _answered = true;
        return;
    }
    // Every change of the display device's properties (the charge, plugged in or out).
    _bus.connect(service, displayDevice, propertiesInterface, QStringLiteral("PropertiesChanged"),
                 this, SLOT(read()));
    read();
}

void Battery::read()
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, displayDevice, propertiesInterface,
                                                       QStringLiteral("GetAll"));
    call << deviceInterface;
    auto* watcher = new QDBusPendingCallWatcher(_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QVariantMap> reply = *finished;
                take(reply.isError() ? QVariantMap() : reply.value());
            });
}

void Battery::take(const QVariantMap& properties)
{
    _answered = true;
    Charge charge;
    const uint state = properties.value(QStringLiteral("State")).toUInt();
    charge.present = properties.value(QStringLiteral("IsPresent")).toBool() &&
                     properties.value(QStringLiteral("Type")).toUInt() == batteryType;
    if (charge.present) {
        const double percentage = properties.value(QStringLiteral("Percentage")).toDouble();
        charge.percentage = std::isfinite(percentage) ? std::clamp(percentage, 0.0, 100.0) : 0.0;
        charge.charging =
            state == chargingState || state == fullyChargedState || state == pendingChargeState;
    }
    if (charge == _charge)
        return;
    _charge = charge;
    emit changed();
}

} // namespace kit
