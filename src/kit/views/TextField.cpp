// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextField.h"

#include "Font.h"

namespace kit {

TextField::TextField(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("textField"));
    setFont(systemFont(17));
    setFrame(false);
    setTextMargins(4, 0, 4, 0);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0));
    setPalette(colours);
    // textEdited comes from the owner's typing only, never from setText.
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (_delegate)
            _delegate->textFieldDidChange(*this);
    });
    connect(this, &QLineEdit::returnPressed, this, [this] {
        if (_delegate)
            _delegate->textFieldDidReturn(*this);
    });
}

void TextField::setTextColor(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Text, color);
    setPalette(colours);
}

} // namespace kit
