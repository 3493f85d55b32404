// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

namespace kit {

// A mostly transparent picture (text laid over a changing background) drawn only where it
// holds something: it is cut once into bands of rows that have ink, each trimmed to its
// inked columns, and each paint draws those alone. Drawn over the same background, it
// looks exactly as the whole picture drawn at once.
class InkImageView final : public QWidget {
    Q_OBJECT

public:
    explicit InkImageView(const QImage& image, QWidget* parent = nullptr);

    // The colour beneath the picture, painted by the view itself: an opaque view hides what
    // lies under it, which then is not painted with it (transparent, the default: the
    // picture is laid over whatever is beneath).
    void setBackgroundColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Piece {
        QRect area;
        QImage image;
    };
    std::vector<Piece> _pieces;
    QColor _background = Qt::transparent;
};

} // namespace kit
