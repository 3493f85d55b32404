// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace kit {

// A plain view filled with its background colour. Changing the colour repaints
// the view and nothing else about it changes, which keeps a flashing view cheap.
class ColorView final : public QWidget {
    Q_OBJECT

public:
    explicit ColorView(const QColor& color = Qt::transparent, QWidget* parent = nullptr);

    QColor backgroundColor() const { return _color; }
    void setBackgroundColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor _color;
};

} // namespace kit
