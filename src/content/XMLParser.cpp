#include "XMLParser.h"

#include <QXmlStreamReader>

namespace {

const QString cellName = QStringLiteral("Cell");

} // namespace

XMLParser::XMLParser(QByteArray data) : _nsData(std::move(data)) {}

bool XMLParser::parse()
{
    QXmlStreamReader reader(_nsData);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            didStartElement(reader.name().toString());
            break;
        case QXmlStreamReader::Characters:
            // Text inside a CDATA section is not collected.
            if (!reader.isCDATA())
                foundCharacters(reader.text().toString());
            break;
        case QXmlStreamReader::EndElement:
            didEndElement(reader.name().toString());
            break;
        default:
            break;
        }
    }
    return !reader.hasError();
}

void XMLParser::didStartElement(const QString& elementName)
{
    if (elementName == cellName)
        _nsCurrentElement = Record();
    _nsCurrentValue.reset();
}

void XMLParser::foundCharacters(const QString& characters)
{
    if (!_nsCurrentValue)
        _nsCurrentValue = characters;
    else
        _nsCurrentValue->append(characters);
}

void XMLParser::didEndElement(const QString& elementName)
{
    if (elementName == cellName) {
        if (_nsCurrentElement) {
            _nsElements.append(*_nsCurrentElement);
            _nsCurrentElement.reset();
        }
    } else if (_nsCurrentValue && _nsCurrentElement) {
        _nsCurrentElement->insert(elementName, decode(*_nsCurrentValue));
    }
    _nsCurrentValue.reset();
}

QString XMLParser::encode(const QString& text)
{
    QString encoded = text;
    return encoded.replace(QLatin1Char('&'), QLatin1String("%26"));
}

QString XMLParser::decode(const QString& text)
{
    QString decoded = text;
    decoded.replace(QLatin1String("%26"), QLatin1String("&"));
    decoded.replace(QLatin1Char('['), QLatin1Char('<'));
    decoded.replace(QLatin1Char(']'), QLatin1Char('>'));
    return decoded;
}
