// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListLoader.h"

#include "kit/foundation/Bundle.h"
#include "kit/foundation/Log.h"

#include <QFile>
#include <QStringDecoder>

namespace articlelist {
namespace {

// Far beyond any list the bundle ships (tens of kilobytes): a larger file is damaged or
// foreign, and reading it would hold the screen up for seconds.
constexpr qint64 largestList = 8 * 1024 * 1024;

} // namespace

std::unique_ptr<ListReader> loadList(const QString& name, const QString& type)
{
    const QString path = kit::Bundle::mainBundle().pathForResource(name, type);

    QByteArray bytes;
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly) && file.size() <= largestList)
        bytes = file.readAll();

    // Bytes that are not valid UTF-8 give no text at all.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text.clear();

    auto reader = std::make_unique<ListReader>(ListReader::encode(text).toUtf8());
    if (!reader->read())
        kit::log(QStringLiteral("Error while parsing file %1.")
                     .arg(path.isEmpty() ? QStringLiteral("(null)") : path));
    return reader;
}

} // namespace articlelist
