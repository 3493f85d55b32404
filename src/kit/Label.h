#pragma once

#include "TextMeasure.h"

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

private:
    void applyWrapping();

    LineBreakMode _lineBreakMode = LineBreakMode::TailTruncation;
    int _numberOfLines = 1;
};

} // namespace kit
