// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextResultCell.h"

#include "kit/controllers/Window.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/TextMeasure.h"

#include <QLabel>
#include <QPainter>

#include <cmath>
#include <limits>

namespace contents {
namespace {

constexpr int margin = 5;
constexpr int top = 6;
constexpr int gap = 2;
constexpr int bottom = 8;

} // namespace

TextResultCell::TextResultCell() : _title(new kit::Label(this)), _snippet(new QLabel(this))
{
    setObjectName(QStringLiteral("textResultCell"));
    _title->setObjectName(QStringLiteral("textResultTitle"));
    _title->setFont(kit::systemFont(15));
    _title->setNumberOfLines(0);
    _title->setLineBreakMode(kit::LineBreakMode::WordWrap);
    _title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    _snippet->setObjectName(QStringLiteral("textResultSnippet"));
    _snippet->setTextFormat(Qt::RichText);
    _snippet->setWordWrap(true);
    _snippet->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    _snippet->setFont(kit::systemFont(13));
    _snippet->setAttribute(Qt::WA_TransparentForMouseEvents);
    setSelected(false, false);
    setBackgroundColor(Qt::white);
}

void TextResultCell::setResult(const QString& title, const QString& snippet)
{
    const int width = kit::Window::width - 2 * margin;
    _title->setText(title);
    const int titleHeight = int(std::ceil(
        kit::sizeWithFont(title, _title->font(), QSizeF(width, std::numeric_limits<float>::max()),
                          kit::LineBreakMode::WordWrap)
            .height()));
    _title->setGeometry(margin, top, width, titleHeight);
    _snippet->setText(snippet);
    const int snippetHeight = snippet.isEmpty() ? 0 : _snippet->heightForWidth(width);
    _snippet->setGeometry(margin, top + titleHeight + gap, width, snippetHeight);
    _snippet->setVisible(!snippet.isEmpty());
    _height = float(top + titleHeight + (snippet.isEmpty() ? 0 : gap + snippetHeight) + bottom);
    resize(kit::Window::width, int(_height));
    setAccessibleName(title);
}

QString TextResultCell::title() const
{
    return _title->text();
}

QString TextResultCell::snippet() const
{
    return _snippet->text();
}

void TextResultCell::paintEvent(QPaintEvent* event)
{
    kit::TableViewCell::paintEvent(event);
    // A hairline between the rows, which share one white ground.
    QPainter painter(this);
    painter.fillRect(QRect(margin, rect().bottom(), width() - 2 * margin, 1),
                     QColor(0xdd, 0xdd, 0xdd));
}

void TextResultCell::setSelected(bool selected, bool animated)
{
    kit::TableViewCell::setSelected(selected, animated);
    // On the highlight the snippet turns white with the title.
    QPalette colours = _snippet->palette();
    colours.setColor(QPalette::WindowText, selected ? QColor(Qt::white) : QColor(0x66, 0x66, 0x66));
    _snippet->setPalette(colours);
}

} // namespace contents
