// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Control.h"

#include <QImage>

class QPainter;

namespace kit {

// A custom button: an optional background picture stretched over the frame and,
// centred on it, a picture and a title side by side (the title gets the room the
// picture leaves). While pressed it is drawn darker unless it has a picture of its own
// for that state.
class Button final : public Control {
    Q_OBJECT

public:
    enum class State { Normal, Highlighted };

    explicit Button(QWidget* parent = nullptr);

    QString title() const { return _title; }
    void setTitle(const QString& title);
    void setTitleColor(const QColor& color);
    void setImage(const QImage& image, State state = State::Normal);
    void setBackgroundImage(const QImage& image, State state = State::Normal);
    QImage image(State state = State::Normal) const;
    void setUnderlined(bool underlined);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void drawFace(QPainter& painter, bool pressed) const;
    void forgetFaces();

    // The button as drawn at rest and with the pressed state's own pictures.
    struct Face {
        QImage image;
        QSize size;
    };
    Face _faces[2];
    QString _title;
    QColor _titleColor = Qt::white;
    QImage _image[2];
    QImage _background[2];
    bool _underlined = false;
};

} // namespace kit
