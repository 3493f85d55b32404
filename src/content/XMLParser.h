#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// One element "Cell" of a list file: field name to text. A field that is empty
// or not given is absent, never an empty string.
using Record = QHash<QString, QString>;

// Reads a list file into records, reacting to the events of an XML stream:
// a Cell's start opens a record, its end closes it; every other element inside
// a Cell is a field whose value is the text gathered since the last tag.
// The first error stops the parse; the records completed before it stay.
class XMLParser final {
public:
    explicit XMLParser(QByteArray data);

    // True when the whole document was read without error.
    bool parse();

    const QList<Record>& elements() const { return _nsElements; }

    // Every "&" becomes "%26", so bare ampersands cannot break the XML.
    static QString encode(const QString& text);
    // "%26" back to "&", then "[" to "<", then "]" to ">".
    static QString decode(const QString& text);

private:
    void didStartElement(const QString& elementName);
    void foundCharacters(const QString& characters);
    void didEndElement(const QString& elementName);

    QByteArray _nsData;
    std::optional<QString> _nsCurrentValue;
    QList<Record> _nsElements;
    std::optional<Record> _nsCurrentElement;
};
