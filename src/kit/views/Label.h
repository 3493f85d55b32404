// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextMeasure.h"

#include <QImage>
#include <QLabel>

namespace kit {

// A text label: one line by default, several when numberOfLines is 0.
class Label final : public QLabel {
    Q_OBJECT

public:
    explicit Label(QWidget* parent = nullptr);

    LineBreakMode lineBreakMode() const { return _lineBreakMode; }
    void setLineBreakMode(LineBreakMode mode);
    // 0 means as many lines as the text needs.
    int numberOfLines() const { return _numberOfLines; }
    void setNumberOfLines(int lines);
    void setTextColor(const QColor& color);
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return _background; }
    // On a selected row: white text on a clear background until it ends.
    void setHighlighted(bool highlighted);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyWrapping();

    void applyColours();

    // The text as last drawn, kept while nothing that shapes it changes: a screen that
    // repaints often (a flashing background) then only copies it.
    struct Drawn {
        QString text;
        QFont font;
        QColor colour;
        QSize size;
        LineBreakMode mode = LineBreakMode::TailTruncation;
        int lines = 1;
        Qt::Alignment alignment;
        qreal ratio = 0;
        bool operator==(const Drawn&) const = default;
    };
    QImage _rendered;
    QPoint _renderedAt;
    Drawn _drawn;
    bool _renderedValid = false;

    QColor _text = Qt::black;
    QColor _background = Qt::transparent;
    bool _highlighted = false;
    LineBreakMode _lineBreakMode = LineBreakMode::TailTruncation;
    int _numberOfLines = 1;
};

// The height a label's text needs at the label's current width in its font and line-break
// mode, with 4 points above and below it. The label's frame is left as it is.
float fittingHeight(const Label& label);

} // namespace kit
