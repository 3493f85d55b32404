// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonText.h"

#include <QJsonDocument>

namespace kit {

std::optional<QJsonObject> readJsonObject(const QByteArray& text, const QString& fields,
                                          QStringList* faults)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        // The line of the fault, for a writer with a text editor.
        const int line = int(text.left(error.offset).count('\n')) + 1;
        faults->append(
            QStringLiteral("строка %1: не JSON (%2)").arg(line).arg(error.errorString()));
        return std::nullopt;
    }
    if (!document.isObject()) {
        faults->append(QStringLiteral("файл — не объект JSON с полями %1").arg(fields));
        return std::nullopt;
    }
    return document.object();
}

} // namespace kit
