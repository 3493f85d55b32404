// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>

namespace kit {

// The charge of the machine's battery as the desktop's power service (UPower, on the system
// bus) reports it: its display device, which stands for all batteries together. Asked
// without waiting, so nothing ever stalls on the bus; a machine without the service, or
// without a battery, has none.
class Battery final : public QObject {
    Q_OBJECT

public:
    struct Charge {
        bool present = false;
        // 0 to 100.
        double percentage = 0;
        bool charging = false;
        bool operator==(const Charge&) const = default;
    };

    // Starts reading at once, from the given bus (the system bus by default).
    explicit Battery(QObject* parent = nullptr,
                     const QDBusConnection& bus = QDBusConnection::systemBus());

    // None until the service has answered.
    Charge charge() const { return _charge; }
    // Whether the first question has had its answer (or could not be asked).
    bool hasAnswered() const { return _answered; }

signals:
    // The charge read differs from the one before.
    void changed();

private:
    // A slot: the bus names what it calls by its signature.
    Q_SLOT void read();
    void take(const QVariantMap& properties);

    QDBusConnection _bus;
    Charge _charge;
    bool _answered = false;
};

} // namespace kit
