// SPDX-License-Identifier: GPL-3.0-or-later
// Saves one key of a settings file again and again, as a second copy of the
// application would: PREFIX-1, PREFIX-2, ... PREFIX-COUNT, each save on its own.
// Usage: field_writer FILE KEY PREFIX COUNT

#include "kit/foundation/UserDefaults.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5)
        return 2;
    kit::UserDefaults defaults(arguments.at(1));
    const int count = arguments.at(4).toInt();
    for (int n = 1; n <= count; ++n) {
        defaults.setObject(QStringLiteral("%1-%2").arg(arguments.at(3)).arg(n), arguments.at(2));
        if (!defaults.synchronize())
            return 1;
    }
    return 0;
}
