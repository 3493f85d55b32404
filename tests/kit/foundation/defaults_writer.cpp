// SPDX-License-Identifier: GPL-3.0-or-later
// Writes KEY=VALUE pairs into a settings file and exits: a process of its own,
// so tests see what survives the end of the process that wrote it.
// Usage: defaults_writer FILE KEY=VALUE...

#include "kit/foundation/UserDefaults.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    kit::UserDefaults defaults(arguments.at(1));
    for (const QString& pair : arguments.mid(2)) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals < 0)
            return 2;
        defaults.setObject(pair.mid(equals + 1), pair.left(equals));
    }
    return defaults.synchronize() ? 0 : 1;
}
