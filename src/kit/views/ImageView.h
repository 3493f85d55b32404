// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace kit {

// Shows a picture stretched over its frame. Like the phone's image view it lets
// touches through to what lies beneath until user interaction is enabled.
class ImageView : public QWidget {
    Q_OBJECT

public:
    explicit ImageView(const QImage& image = QImage(), QWidget* parent = nullptr);

    QImage image() const { return _image; }
    void setImage(const QImage& image);
    bool isUserInteractionEnabled() const;
    void setUserInteractionEnabled(bool enabled);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage _image;
};

} // namespace kit
