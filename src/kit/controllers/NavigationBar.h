// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace kit {

class BarButtonItem;
class NavigationItem;

// A button of a navigation bar, drawn in the bar's tint: bordered, or with a
// left-pointing edge for the back button.
class BarButton final : public QAbstractButton {
    Q_OBJECT

public:
    enum class Shape { Bordered, Back, Plain };

    BarButton(Shape shape, QWidget* parent);
    void setTint(const QColor& tint);
    void setImage(const QImage& image);
    void setShape(Shape shape);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape _shape;
    QColor _tint;
    QImage _image;
};

// The 44-point bar over a navigation stack: the top screen's title, a back
// button captioned with the previous screen's title, the top screen's right button.
class NavigationBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int barHeight = 44;

    explicit NavigationBar(QWidget* parent = nullptr);

    QColor tintColor() const { return _tint; }
    void setTintColor(const QColor& tint);
    // A title in near-black whatever the tint (a bar whose tint flashes from white to red,
    // where white text would fade into the red).
    void setAlwaysDarkTitle(bool dark);

    // The tint every new bar starts with: the application's look, set once at launch (the
    // phone's blue-grey until then; an invalid colour goes back to it).
    static QColor standardTintColor();
    static void setStandardTintColor(const QColor& tint);

    // Shows a screen's item; a null backTitle means no back button.
    void setItems(NavigationItem* top, const QString& backTitle);
    QString title() const;
    BarButton* backButton() const { return _back; }
    BarButton* rightButton() const { return _right; }

signals:
    void backTapped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void layoutButtons();

    QColor _tint;
    bool _darkTitle = false;
    // The title as last drawn: a bar whose tint flashes repaints often, its title seldom changes.
    // The bar's glossy ground for each tint it has shown: a flashing bar comes back to the
    // same few tints, and copying a picture is far cheaper than filling a gradient.
    QHash<QRgb, QImage> _grounds;
    QImage _titleImage;
    // Where the title's picture lies on the bar.
    QRect _titleAt;
    struct TitleDrawn {
        QString title;
        int left = 0;
        int right = 0;
        int width = 0;
        bool light = false;
        // The screen's pixel density; 0 until the title is first drawn.
        qreal ratio = 0;
        bool operator==(const TitleDrawn&) const = default;
    } _titleDrawn;
    QPointer<NavigationItem> _item;
    QPointer<BarButtonItem> _rightItem;
    BarButton* _back;
    BarButton* _right;
};

} // namespace kit
