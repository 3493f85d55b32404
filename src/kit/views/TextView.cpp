// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextView.h"

#include "Font.h"

#include <QTextDocument>

namespace kit {

TextView::TextView(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("textView"));
    setFont(systemFont(17));
    setFrameShape(QFrame::NoFrame);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Clear, so the view can lie on a row's rounded box; the margin keeps text off its edge.
    document()->setDocumentMargin(6);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    setPalette(colours);
    viewport()->setAutoFillBackground(false);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!_settingText && _delegate)
            _delegate->textViewDidChange(*this);
    });
}

QString TextView::text() const
{
    // The plain-text form would turn no-break spaces into spaces; the raw text keeps
    // every character and marks line breaks as paragraph or line separators.
    QString text = document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    return text;
}

void TextView::setText(const QString& text)
{
    _settingText = true;
    setPlainText(text);
    _settingText = false;
}

} // namespace kit
