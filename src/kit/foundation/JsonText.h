// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

#include <optional>

namespace kit {

// The object a JSON file written by hand holds. What is wrong goes to faults in Russian, for
// the writer: "строка N: не JSON (…)" with the line of the fault, or, when the file holds
// something other than an object, "файл — не объект JSON с полями <fields>".
std::optional<QJsonObject> readJsonObject(const QByteArray& text, const QString& fields,
                                          QStringList* faults);

} // namespace kit
