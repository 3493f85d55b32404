// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt Widgets window of the application's size with one line of text (the floor for
// any program that draws text: the font found, loaded and shaped): shows itself, saves a
// PNG once it has painted and quits, exactly as `firstaid --screenshot` does.
// Usage: bare_window FILE

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget* window, QString file) : _window(window), _file(std::move(file)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == _window && event->type() == QEvent::Paint && !_done) {
            _done = true;
            QTimer::singleShot(0, this, [this] {
                // As the application saves its screenshot (Qt's quality 80: zlib's fastest).
                _window->grab().save(_file, "PNG", 80);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* _window;
    QString _file;
    bool _done = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    QWidget window;
    window.setFixedSize(320, 480);
    window.setWindowTitle(QStringLiteral("bare"));
    QLabel line(QStringLiteral("Первая помощь"), &window);
    line.move(20, 20);
    FirstPaint shot(&window, QString::fromLocal8Bit(argv[1]));
    window.installEventFilter(&shot);
    window.show();
    return QApplication::exec();
}
