// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardStore.h"

#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"

namespace record {
namespace {

// A path lets its line break after a slash, dot or dash: it is longer than the alert is wide.
QString breakable(QString path)
{
    for (const QChar mark : {QLatin1Char('/'), QLatin1Char('.'), QLatin1Char('-')})
        path.replace(mark, QString(mark) + QChar(0x200B));
    return path;
}

} // namespace

bool synchronizeCard()
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    if (defaults.synchronize())
        return true;
    auto* alert = new kit::AlertView(
        QStringLiteral("Карта не сохранена"),
        QStringLiteral("Не удалось записать файл карты %1 (%2). Изменение осталось в приложении: "
                       "освободите место на диске или проверьте права доступа и сохраните ещё раз.")
            .arg(breakable(defaults.path()), defaults.lastError()),
        QStringLiteral("OK"));
    alert->show();
    return false;
}

void reportUnreadableCard()
{
    const kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    QString message;
    if (!defaults.setAsidePath().isEmpty())
        message = QStringLiteral(
                      "Файл карты повреждён, поэтому карта открыта пустой. Прежний файл не удалён: "
                      "он сохранён как %1.")
                      .arg(breakable(defaults.setAsidePath()));
    else if (defaults.isReadOnly())
        message = QStringLiteral(
                      "Файл карты %1 не удалось прочитать. Он оставлен как есть, а изменения карты "
                      "не будут сохраняться, пока файл не исправлен или не убран.")
                      .arg(breakable(defaults.path()));
    else
        return;
    auto* alert =
        new kit::AlertView(QStringLiteral("Карта не прочитана"), message, QStringLiteral("OK"));
    alert->show();
}

} // namespace record
