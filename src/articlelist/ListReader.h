// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace articlelist {

// One element "Cell" of a list file: field name to text. A field that is empty
// or not given is absent, never an empty string.
using Record = QHash<QString, QString>;

// Reads a list file (the contents list, Content.xml) into records, reacting to the events
// of an XML stream: a Cell's start opens a record, its end closes it; every other element
// inside a Cell is a field whose value is the text gathered since the last tag.
// The first error stops the reading; the records completed before it stay.
class ListReader final {
public:
    explicit ListReader(QByteArray data);

    // True when the whole document was read without error.
    bool read();

    const QList<Record>& records() const { return _records; }

    // Every "&" becomes "%26", so bare ampersands cannot break the XML.
    static QString encode(const QString& text);
    // "%26" back to "&", then "[" to "<", then "]" to ">".
    static QString decode(const QString& text);

private:
    void elementStarted(const QString& elementName);
    void textFound(const QString& text);
    void elementEnded(const QString& elementName);

    QByteArray _data;
    // The text gathered since the last tag; none right after one.
    std::optional<QString> _text;
    QList<Record> _records;
    // The Cell being read; none outside one.
    std::optional<Record> _record;
};

} // namespace articlelist
