// SPDX-License-Identifier: GPL-3.0-or-later
// Saves the whole medical card again and again into a settings file, each save a
// new generation written into every field, until it is killed. Prints "ready"
// after its first save.
// Usage: card_writer FILE

#include "kit/foundation/UserDefaults.h"
#include "record/PersonalRecord.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    kit::UserDefaults defaults(arguments.at(1));
    qint64 generation =
        defaults.stringForKey(record::OWN_WEIGHT).value_or(QStringLiteral("0")).toLongLong();
    // A note and a photo of some size, so a save takes long enough to be cut in the middle.
    const QString padding = QString(40000, QLatin1Char('x'));
    const QByteArray photo(60000, '\x5a');
    for (bool first = true;; first = false) {
        ++generation;
        const QString n = QString::number(generation);
        defaults.setObject(QStringLiteral("Имя %1").arg(n), record::OWN_NAME);
        defaults.setObject(QStringLiteral("Адрес %1").arg(n), record::OWN_ADDRESS);
        defaults.setObject(QStringLiteral("Дата %1").arg(n), record::OWN_BIRTHDAY);
        defaults.setObject(n, record::OWN_WEIGHT);
        defaults.setObject(n, record::OWN_GROWTH);
        defaults.setObject(QStringLiteral("Группа %1").arg(n), record::OWN_BLOOD);
        defaults.setObject(QStringLiteral("Болезни %1").arg(n), record::OWN_ILLNESS);
        defaults.setObject(QStringLiteral("Заметки %1 %2").arg(n, padding), record::OWN_NOTE);
        defaults.setObject(n.toLatin1() + photo, record::OWN_IMAGE);
        if (!defaults.synchronize())
            return 1;
        if (first) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
