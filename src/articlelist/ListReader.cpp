// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListReader.h"

#include <QXmlStreamReader>

namespace articlelist {
namespace {

const QString cellName = QStringLiteral("Cell");

} // namespace

ListReader::ListReader(QByteArray data) : _data(std::move(data)) {}

bool ListReader::read()
{
    QXmlStreamReader reader(_data);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            elementStarted(reader.name().toString());
            break;
        case QXmlStreamReader::Characters:
            // Text inside a CDATA section is not collected.
            if (!reader.isCDATA())
                textFound(reader.text().toString());
            break;
        case QXmlStreamReader::EndElement:
            elementEnded(reader.name().toString());
            break;
        default:
            break;
        }
    }
    return !reader.hasError();
}

void ListReader::elementStarted(const QString& elementName)
{
    if (elementName == cellName)
        _record = Record();
    _text.reset();
}

void ListReader::textFound(const QString& text)
{
    if (!_text)
        _text = text;
    else
        _text->append(text);
}

void ListReader::elementEnded(const QString& elementName)
{
    if (elementName == cellName) {
        if (_record) {
            _records.append(*_record);
            _record.reset();
        }
    } else if (_text && _record) {
        _record->insert(elementName, decode(*_text));
    }
    _text.reset();
}

QString ListReader::encode(const QString& text)
{
    QString encoded = text;
    return encoded.replace(QLatin1Char('&'), QLatin1String("%26"));
}

QString ListReader::decode(const QString& text)
{
    QString decoded = text;
    decoded.replace(QLatin1String("%26"), QLatin1String("&"));
    decoded.replace(QLatin1Char('['), QLatin1Char('<'));
    decoded.replace(QLatin1Char(']'), QLatin1Char('>'));
    return decoded;
}

} // namespace articlelist
