#pragma once

#include <QImage>
#include <QObject>

#include <functional>

namespace kit {

// A button for a navigation bar: a picture or a caption, and an action.
class BarButtonItem final : public QObject {
    Q_OBJECT

public:
    enum class Style { Plain, Bordered, Done };

    BarButtonItem(const QImage& image, Style style, std::function<void()> action,
                  QObject* parent = nullptr);
    BarButtonItem(const QString& title, Style style, std::function<void()> action,
                  QObject* parent = nullptr);

    QImage image() const { return _image; }
    QString title() const { return _title; }
    Style style() const { return _style; }
    bool isEnabled() const { return _enabled; }
    void setEnabled(bool enabled);
    // Runs the action, as a tap on the item's button does.
    void trigger();

signals:
    void changed();

private:
    QImage _image;
    QString _title;
    Style _style;
    std::function<void()> _action;
    bool _enabled = true;
};

} // namespace kit
