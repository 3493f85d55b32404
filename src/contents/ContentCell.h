// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "articlelist/ListReader.h"
#include "kit/tables/TableViewCell.h"
#include "kit/views/Label.h"

namespace contents {

// One row of the table of contents: the article's title in a label, measured
// once when the row is filled, on a grey or white ground by its place in the list.
class ContentCell final : public kit::TableViewCell {
    Q_OBJECT

public:
    ContentCell();

    // Fills the row from its record; called once per row.
    void customizeWithDictionary(const articlelist::Record& dictionary, unsigned row);

    QString text() const { return _textStr; }
    QString link() const { return _cellLink; }
    bool hasLink() const { return _dictionary.contains(QStringLiteral("Link")); }
    // The row's height: the title's measured height plus 18.
    float height() const { return _cellHeight; }
    kit::Label* label() const { return _text; }

private:
    articlelist::Record _dictionary;
    kit::Label* _text;
    QString _textStr;
    float _cellHeight = 0;
    QString _cellLink;
};

} // namespace contents
