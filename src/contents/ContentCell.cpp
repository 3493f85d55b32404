// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentCell.h"

#include "kit/views/Font.h"
#include "kit/views/View.h"

#include <cmath>

namespace contents {
namespace {

const QString textField = QStringLiteral("Text");
const QString linkField = QStringLiteral("Link");

} // namespace

ContentCell::ContentCell() : _text(new kit::Label(this))
{
    _text->setObjectName(QStringLiteral("contentCellText"));
    _text->setNumberOfLines(0);
    _text->setLineBreakMode(kit::LineBreakMode::WordWrap);
    _text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    _text->setFont(kit::systemFont(15));
    kit::setFrame(_text, geometry());
}

void ContentCell::customizeWithDictionary(const articlelist::Record& dictionary, unsigned row)
{
    _dictionary = dictionary;
    _cellLink = dictionary.value(linkField);
    _text->setText(dictionary.value(textField));
    _textStr = _text->text();

    _cellHeight = kit::fittingHeight(*_text) + 10.0f;
    kit::setFrame(_text, QRect(5, 0, _text->width() - 10, int(std::lround(_cellHeight))));

    // Shading by the row's place in the whole list: the first row grey, the next white.
    const QColor ground = row % 2 == 1 ? QColor(Qt::white) : kit::color(0.9, 0.9, 0.9, 1.0);
    _text->setBackgroundColor(ground);
    // The row's own ground shows in the margins beside the label.
    setBackgroundColor(ground);
}

} // namespace contents
