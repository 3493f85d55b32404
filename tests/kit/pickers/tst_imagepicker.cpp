// The action sheet, the image picker with its file chooser and camera, and the
// bounded reading of chosen pictures.

#include "TestSupport.h"

#include "kit/controllers/Application.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Owned.h"
#include "kit/pickers/ActionSheet.h"
#include "kit/pickers/ImagePickerController.h"
#include "kit/platform/Camera.h"
#include "kit/platform/PlatformModule.h"
#include "kit/views/ImageReading.h"
#include "kit/views/Label.h"
#include "kit/views/View.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// PNG's CRC-32, over chunk type and data.
quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray littleEndian(quint32 value, int size)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes.left(size);
}

QByteArray chunk(const QByteArray& type, const QByteArray& data)
{
    return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A valid PNG header claiming a size, followed by a few rows of pixels only.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray header = bigEndian(width) + bigEndian(height);
    header += QByteArray("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA, no interlace
    // qCompress puts a length of its own before the zlib stream.
    const QByteArray rows = qCompress(QByteArray(4096, '\0')).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", rows) +
           chunk("IEND", {});
}

// A 24-bit BMP header claiming a size, with a little pixel data.
QByteArray bmpClaiming(quint32 width, quint32 height)
{
    QByteArray bytes = "BM" + littleEndian(54 + 1024, 4) + littleEndian(0, 4) + littleEndian(54, 4);
    bytes += littleEndian(40, 4) + littleEndian(width, 4) + littleEndian(height, 4) +
             littleEndian(1, 2) + littleEndian(24, 2) + littleEndian(0, 4) + littleEndian(0, 4) +
             littleEndian(2835, 4) + littleEndian(2835, 4) + littleEndian(0, 4) +
             littleEndian(0, 4);
    return bytes + QByteArray(1024, '\x7f');
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        qFatal("cannot encode a %s picture", format);
    return bytes;
}

// A small JPEG whose frame header claims a square size: its scan ends far too soon,
// which the decoder pads with grey rather than refuse.
QByteArray jpegClaiming(quint16 side)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes = encoded(image, "jpeg");
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    if (frame < 0)
        qFatal("no baseline frame header");
    qToBigEndian(side, bytes.data() + frame + 5);
    qToBigEndian(side, bytes.data() + frame + 7);
    return bytes;
}

// Left half red, right half blue: shows the picture's way round.
QImage twoHalves(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

bool near(QRgb pixel, QRgb expected)
{
    return std::abs(qRed(pixel) - qRed(expected)) < 40 &&
           std::abs(qGreen(pixel) - qGreen(expected)) < 40 &&
           std::abs(qBlue(pixel) - qBlue(expected)) < 40;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

// The key window with a screen on it and a tab bar at its bottom.
struct Stage {
    kit::Application application;
    kit::Window window;
    kit::ViewController screen;
    kit::TabBar* tabBar = new kit::TabBar(&window);

    Stage()
    {
        window.makeKeyAndVisible();
        window.addSubview(screen.view());
        kit::setFrame(screen.view(), kit::Window::applicationFrame());
        kit::setFrame(tabBar, QRect(0, kit::Window::height - kit::TabBar::barHeight,
                                    kit::Window::width, kit::TabBar::barHeight));
        tabBar->show();
    }
    ~Stage() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

class SheetJournal final : public kit::ActionSheetDelegate {
public:
    void clickedButtonAtIndex(kit::ActionSheet& sheet, int index) override
    {
        clicked << index;
        if (onClicked)
            onClicked(sheet);
    }
    QList<int> clicked;
    std::function<void(kit::ActionSheet&)> onClicked;
};

kit::ActionSheet* sourceSheet(kit::ActionSheetDelegate* delegate)
{
    return new kit::ActionSheet(QStringLiteral("Выберите источник"), delegate,
                                QStringLiteral("Отмена"), QStringLiteral("Камера"),
                                {QStringLiteral("Библиотека")});
}

// Notes what the picker tells and dismisses it, as a screen does.
class PickerJournal final : public kit::ImagePickerControllerDelegate {
public:
    void didFinishPickingImage(kit::ImagePickerController& picker, const QImage& image,
                               const QVariantMap& editingInfo) override
    {
        images << image;
        infos << editingInfo;
        picker.dismissModalViewControllerAnimated(true);
    }
    void imagePickerControllerDidCancel(kit::ImagePickerController& picker) override
    {
        ++cancels;
        picker.dismissModalViewControllerAnimated(true);
    }
    QList<QImage> images;
    QList<QVariantMap> infos;
    int cancels = 0;
};

class FakeChooser final {
public:
    explicit FakeChooser(std::optional<QString> answer = std::nullopt) : _answer(std::move(answer))
    {
        kit::ImagePickerController::setFileChooser([this](QWidget* parent, const QString& filter) {
            ++calls;
            this->parent = parent;
            this->filter = filter;
            return _answer;
        });
    }
    ~FakeChooser() { kit::ImagePickerController::setFileChooser({}); }
    int calls = 0;
    QWidget* parent = nullptr;
    QString filter;

private:
    std::optional<QString> _answer;
};

// A camera whose photo is a set picture, delivered from the event loop as a real one's is.
class FakeCamera final : public kit::CameraService {
public:
    class Session final : public kit::CameraSession {
    public:
        Session(FakeCamera& camera, QWidget* parent, std::function<void(const QImage&)> onCaptured)
            : _camera(camera), _viewfinder(new QWidget(parent)), _onCaptured(std::move(onCaptured))
        {
            _viewfinder->setObjectName(QStringLiteral("fakeViewfinder"));
            ++_camera.running;
        }
        ~Session() override
        {
            --_camera.running;
            delete _viewfinder.data();
        }
        QWidget* viewfinder() const override { return _viewfinder.data(); }
        void capture() override
        {
            QMetaObject::invokeMethod(
                _viewfinder.data(), [this] { _onCaptured(_camera.photo); }, Qt::QueuedConnection);
        }

    private:
        FakeCamera& _camera;
        QPointer<QWidget> _viewfinder;
        std::function<void(const QImage&)> _onCaptured;
    };

    FakeCamera() { kit::Camera::setService(this); }
    ~FakeCamera() override { kit::Camera::setService(nullptr); }

    bool isCameraAvailable() override { return available; }
    std::unique_ptr<kit::CameraSession> startSession(QWidget* parent,
                                                     std::function<void(const QImage&)> onCaptured,
                                                     std::function<void()> onFailure) override
    {
        if (!opens)
            return nullptr;
        fail = std::move(onFailure);
        return std::make_unique<Session>(*this, parent, std::move(onCaptured));
    }

    bool available = true;
    bool opens = true;
    QImage photo = twoHalves(64, 48);
    std::function<void()> fail;
    int running = 0;
};

kit::ImagePickerController* presentPicker(Stage& stage, kit::ImagePickerSourceType type,
                                          PickerJournal& journal)
{
    auto picker = std::make_unique<kit::ImagePickerController>();
    picker->setSourceType(type);
    picker->setDelegate(&journal);
    kit::ImagePickerController* shown = picker.get();
    if (!stage.screen.presentModalViewController(std::move(picker), true))
        return nullptr;
    return shown;
}

QWidget* child(kit::ImagePickerController* picker, const char* name)
{
    return picker->view()->findChild<QWidget*>(QString::fromLatin1(name));
}

} // namespace

class TestImageReading final : public QObject {
    Q_OBJECT

private slots:
    void hugePicturesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("PNG 20000 × 20000") << pngClaiming(20000, 20000);
        QTest::newRow("PNG 100000 × 100000") << pngClaiming(100000, 100000);
        QTest::newRow("BMP 9000 × 9000") << bmpClaiming(9000, 9000);
        QTest::newRow("JPEG 30000 × 30000") << jpegClaiming(30000);
    }

    void hugePicturesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(kit::readImageBounded(bytes).isNull());
    }

    void largePhotosAreReadScaledTheRightWayRound()
    {
        const QByteArray jpeg = encoded(twoHalves(3000, 2000), "jpeg");
        QTemporaryDir dir;
        for (const QImage& image :
             {kit::readImageBounded(jpeg),
              kit::readImageBounded(writeFile(dir, QStringLiteral("big.JPG"), jpeg))}) {
            QCOMPARE(image.width(), 2048);
            QVERIFY(std::abs(image.height() - 1365) <= 1);
            QVERIFY(near(image.pixel(100, 600), qRgb(255, 0, 0)));
            QVERIFY(near(image.pixel(1900, 600), qRgb(0, 0, 255)));
        }
    }

    void smallPicturesAreReadAsTheyAre()
    {
        QImage small(40, 40, QImage::Format_ARGB32);
        small.fill(qRgba(10, 200, 30, 255));
        small.setPixel(3, 5, qRgba(250, 1, 2, 255));
        const QImage read = kit::readImageBounded(encoded(small, "png"));
        QCOMPARE(read.size(), QSize(40, 40));
        QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), small);
    }

    void cameraOrientationIsApplied()
    {
        // Qt writes no EXIF: the camera's "turn 90° clockwise" goes in by hand, after SOI.
        const QByteArray tiff("II\x2a\x00\x08\x00\x00\x00"
                              "\x01\x00"
                              "\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00"
                              "\x00\x00\x00\x00",
                              26);
        const QByteArray exif = QByteArray("\xff\xe1\x00\x22"
                                           "Exif\x00\x00",
                                           10) +
                                tiff;
        QByteArray bytes = encoded(twoHalves(300, 200), "jpeg");
        bytes.insert(2, exif);
        const QImage image = kit::readImageBounded(bytes);
        QCOMPARE(image.size(), QSize(200, 300));
        // Turned clockwise: the left half is now on top.
        QVERIFY(near(image.pixel(100, 20), qRgb(255, 0, 0)));
        QVERIFY(near(image.pixel(100, 280), qRgb(0, 0, 255)));
    }

    void whatIsNotAPictureGivesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        const QByteArray png = encoded(twoHalves(120, 90), "png");
        QTest::newRow("garbage") << QByteArray("\x01\x02 not a picture at all \xff\xfe", 26)
                                 << "garbage.jpg";
        QTest::newRow("empty") << QByteArray() << "empty.png";
        QTest::newRow("truncated PNG") << png.left(png.size() / 2) << "cut.png";
        QTest::newRow("text named .png") << QByteArray("Это не картинка.\n") << "note.png";
    }

    void whatIsNotAPictureGivesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        QVERIFY(kit::readImageBounded(bytes).isNull());
        QTemporaryDir dir;
        QVERIFY(kit::readImageBounded(writeFile(dir, fileName, bytes)).isNull());
    }

    void missingFilesAndFoldersGiveNothing()
    {
        QTemporaryDir dir;
        QVERIFY(kit::readImageBounded(dir.filePath(QStringLiteral("missing.png"))).isNull());
        QVERIFY(kit::readImageBounded(dir.path()).isNull());
    }
};

class TestActionSheet final : public QObject {
    Q_OBJECT

private slots:
    void buttonsAreNumberedAsOnThePhone()
    {
        SheetJournal journal;
        const std::unique_ptr<kit::ActionSheet> sheet(sourceSheet(&journal));
        QCOMPARE(sheet->numberOfButtons(), 3);
        QCOMPARE(sheet->destructiveButtonIndex(), 0);
        QCOMPARE(sheet->cancelButtonIndex(), 2);
        const QStringList titles{QStringLiteral("Камера"), QStringLiteral("Библиотека"),
                                 QStringLiteral("Отмена")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(sheet->buttonTitleAtIndex(i), titles[i]);
            QCOMPARE(sheet->buttonAtIndex(i)->accessibleName(), titles[i]);
        }

        const kit::ActionSheet plain(QString(), &journal, QString(), QString(),
                                     {QStringLiteral("Первая"), QStringLiteral("Вторая")});
        QCOMPARE(plain.cancelButtonIndex(), -1);
        QCOMPARE(plain.destructiveButtonIndex(), -1);
        QCOMPARE(plain.buttonTitleAtIndex(0), QStringLiteral("Первая"));
    }

    void coversTheWindowAndTheTabBar()
    {
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->parentWidget(), &stage.window);
        QCOMPARE(sheet->geometry(), stage.window.rect());
        const QPoint onTabBar = stage.tabBar->geometry().center();
        QVERIFY(sheet->isAncestorOf(stage.window.childAt(onTabBar)) ||
                stage.window.childAt(onTabBar) == sheet.get());

        // The buttons in their order at the bottom, the cancel one set a little apart.
        const QRect camera = sheet->buttonAtIndex(0)->geometry();
        const QRect library = sheet->buttonAtIndex(1)->geometry();
        const QRect cancel = sheet->buttonAtIndex(2)->geometry();
        QVERIFY(cancel.top() - library.bottom() > library.top() - camera.bottom());
        QVERIFY(cancel.bottom() < kit::Window::height &&
                cancel.bottom() > kit::Window::height - 40);

        // From a view the sheet covers that view's window.
        sheet->dismissWithClickedButtonIndex(2, false);
        sheet->showInView(stage.screen.view());
        QCOMPARE(sheet->parentWidget(), &stage.window);
        QCOMPARE(sheet->geometry(), stage.window.rect());
    }

    void aTapHidesTheSheetThenTellsTheDelegateOnce_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("destructive") << 0;
        QTest::newRow("other") << 1;
        QTest::newRow("cancel") << 2;
    }

    void aTapHidesTheSheetThenTellsTheDelegateOnce()
    {
        QFETCH(int, index);
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        bool hiddenWhenTold = false;
        journal.onClicked = [&](kit::ActionSheet& told) { hiddenWhenTold = !told.isVisible(); };
        sheet->showFromTabBar(stage.tabBar);
        QTest::mouseClick(sheet->buttonAtIndex(index), Qt::LeftButton);
        QCOMPARE(journal.clicked, QList<int>{index});
        QVERIFY(hiddenWhenTold);
        QVERIFY(!sheet->isVisible());
        // Gone from the window, it is its owner's alone.
        QVERIFY(!sheet->parentWidget());
        sheet->dismissWithClickedButtonIndex(index, true);
        QCOMPARE(journal.clicked, QList<int>{index});
    }

    void escapeCancelsWhereThereIsACancelButton()
    {
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        QTest::keyClick(sheet.get(), Qt::Key_Escape);
        QCOMPARE(journal.clicked, QList<int>{2});
        QVERIFY(!sheet->isVisible());

        kit::Owned<kit::ActionSheet> noCancel(new kit::ActionSheet(
            QString(), &journal, QString(), QString(), {QStringLiteral("Только это")}));
        noCancel->showFromTabBar(stage.tabBar);
        QTest::keyClick(noCancel.get(), Qt::Key_Escape);
        QVERIFY(noCancel->isVisible());
        QCOMPARE(journal.clicked, QList<int>{2});
    }

    void disabledButtonsAndTheDimmedWindowDoNothing()
    {
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        sheet->setButtonEnabled(1, false);
        QTest::mouseClick(sheet->buttonAtIndex(1), Qt::LeftButton);
        QVERIFY(sheet->isVisible());

        // Above the panel the sheet itself takes the tap, not the screen beneath.
        const QPoint dimmed(160, 120);
        QCOMPARE(stage.window.childAt(dimmed), sheet.get());
        QTest::mouseClick(sheet.get(), Qt::LeftButton, {}, dimmed);
        QVERIFY(sheet->isVisible());
        QVERIFY(journal.clicked.isEmpty());

        sheet->setButtonEnabled(1, true);
        QTest::mouseClick(sheet->buttonAtIndex(1), Qt::LeftButton);
        QCOMPARE(journal.clicked, QList<int>{1});
    }

    void theSheetMayGoAtAnyTime()
    {
        Stage stage;
        SheetJournal journal;
        // By its delegate, from inside the tap.
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        journal.onClicked = [&](kit::ActionSheet&) { sheet.reset(); };
        sheet->showFromTabBar(stage.tabBar);
        QTest::mouseClick(sheet->buttonAtIndex(0), Qt::LeftButton);
        QVERIFY(!sheet);
        QCOMPARE(journal.clicked, QList<int>{0});
        journal.onClicked = nullptr;

        // By its owner while shown.
        sheet.reset(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        sheet.reset();
        QVERIFY(!stage.window.findChild<kit::ActionSheet*>());

        // With the window it covers.
        auto window = std::make_unique<kit::Window>();
        sheet.reset(sourceSheet(&journal));
        sheet->showInView(window.get());
        QCOMPARE(sheet->parentWidget(), window.get());
        window.reset();
        QVERIFY(!sheet);
        QCOMPARE(journal.clicked, QList<int>{0});
    }
};

class TestImagePicker final : public QObject {
    Q_OBJECT

private slots:
    void aChosenPictureReachesTheDelegate()
    {
        Stage stage;
        QTemporaryDir dir;
        const QImage picture = twoHalves(40, 30);
        FakeChooser chooser(writeFile(dir, QStringLiteral("photo.png"), encoded(picture, "png")));
        PickerJournal journal;
        LogCapture log;
        kit::ImagePickerController* picker =
            presentPicker(stage, kit::ImagePickerSourceType::PhotoLibrary, journal);
        QVERIFY(picker);
        QCOMPARE(picker->view()->parentWidget(), &stage.window);
        QCOMPARE(picker->view()->geometry(), stage.window.rect());
        // Not from inside the presentation: once the event loop runs.
        QCOMPARE(chooser.calls, 0);
        QCoreApplication::processEvents();
        QCOMPARE(chooser.calls, 1);
        QCOMPARE(chooser.parent, picker->view());
        QVERIFY(chooser.filter.startsWith(QStringLiteral("Изображения (")));
        for (const char* pattern : {"*.png", "*.jpg", "*.jpeg", "*.JPG"})
            QVERIFY2(chooser.filter.split(QRegularExpression(QStringLiteral("[ ()]")))
                         .contains(QLatin1String(pattern)),
                     pattern);

        QCOMPARE(journal.images.size(), 1);
        QCOMPARE(journal.images[0].convertToFormat(QImage::Format_RGB32), picture);
        QVERIFY(journal.infos[0].isEmpty());
        QCOMPARE(journal.cancels, 0);
        QVERIFY(!stage.screen.modalViewController());
        QCoreApplication::processEvents();
        QCOMPARE(chooser.calls, 1);
        QVERIFY(log.lines().isEmpty());
    }

    void noUsablePictureCountsAsCancelled_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray png = encoded(twoHalves(200, 100), "png");
        QTest::newRow("cancelled") << QString() << QByteArray();
        QTest::newRow("text file") << "notes.txt" << QByteArray("Аптечка: бинт, пластырь.\n");
        QTest::newRow("truncated PNG") << "cut.png" << png.left(png.size() / 3);
        QTest::newRow("far too large") << "huge.png" << pngClaiming(100000, 100000);
        QTest::newRow("missing file") << "gone.png" << QByteArray();
    }

    void noUsablePictureCountsAsCancelled()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        Stage stage;
        QTemporaryDir dir;
        std::optional<QString> answer;
        if (!fileName.isEmpty())
            answer = bytes.isEmpty() ? dir.filePath(fileName) : writeFile(dir, fileName, bytes);
        FakeChooser chooser(answer);
        PickerJournal journal;
        LogCapture log;
        QVERIFY(presentPicker(stage, kit::ImagePickerSourceType::SavedPhotosAlbum, journal));
        QCoreApplication::processEvents();
        QCOMPARE(chooser.calls, 1);
        QCOMPARE(journal.cancels, 1);
        QVERIFY(journal.images.isEmpty());
        QVERIFY(!stage.screen.modalViewController());
        QVERIFY(log.lines().isEmpty());
    }

    void theCameraDeliversItsPhoto()
    {
        Stage stage;
        FakeCamera camera;
        camera.photo = twoHalves(3000, 2000);
        FakeChooser chooser;
        PickerJournal journal;
        QPointer<kit::ImagePickerController> picker =
            presentPicker(stage, kit::ImagePickerSourceType::Camera, journal);
        QVERIFY(picker);
        QCOMPARE(camera.running, 1);
        QWidget* viewfinder = child(picker, "fakeViewfinder");
        QVERIFY(viewfinder && viewfinder->isVisible());
        QVERIFY(picker->view()->rect().contains(viewfinder->geometry()));
        QVERIFY(!child(picker, "cameraUnavailableLabel")->isVisible());

        QTest::mouseClick(child(picker, "captureButton"), Qt::LeftButton);
        QVERIFY(journal.images.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(journal.images.size(), 1);
        // A camera's photo is bounded as a chosen file is.
        QCOMPARE(journal.images[0].width(), 2048);
        QVERIFY(near(journal.images[0].pixel(10, 10), qRgb(255, 0, 0)));
        QCOMPARE(journal.cancels, 0);
        QCOMPARE(chooser.calls, 0);
        // Dismissed, it lets the camera go.
        QVERIFY(!stage.screen.modalViewController());
        QCOMPARE(camera.running, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!picker);
    }

    void cancelLeavesTheCamera()
    {
        Stage stage;
        FakeCamera camera;
        PickerJournal journal;
        kit::ImagePickerController* picker =
            presentPicker(stage, kit::ImagePickerSourceType::Camera, journal);
        QWidget* cancel = child(picker, "cancelButton");
        QCOMPARE(cancel->accessibleName(), QStringLiteral("Отмена"));
        QCOMPARE(child(picker, "captureButton")->accessibleName(), QStringLiteral("Снять"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(journal.cancels, 1);
        QVERIFY(journal.images.isEmpty());
        QCOMPARE(camera.running, 0);
    }

    void aCameraThatFailsLeavesOnlyCancel_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::newRow("does not open") << false;
        QTest::newRow("fails once running") << true;
    }

    void aCameraThatFailsLeavesOnlyCancel()
    {
        QFETCH(bool, opens);
        Stage stage;
        FakeCamera camera;
        camera.opens = opens;
        PickerJournal journal;
        kit::ImagePickerController* picker =
            presentPicker(stage, kit::ImagePickerSourceType::Camera, journal);
        if (camera.fail)
            camera.fail();
        auto* unavailable = qobject_cast<kit::Label*>(child(picker, "cameraUnavailableLabel"));
        QVERIFY(unavailable && unavailable->isVisible());
        QCOMPARE(unavailable->text(), QStringLiteral("Камера недоступна"));
        if (QWidget* viewfinder = child(picker, "fakeViewfinder"))
            QVERIFY(!viewfinder->isVisible());
        QWidget* capture = child(picker, "captureButton");
        QVERIFY(!capture->isEnabled());
        QTest::mouseClick(capture, Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(journal.images.isEmpty());
        QTest::mouseClick(child(picker, "cancelButton"), Qt::LeftButton);
        QCOMPARE(journal.cancels, 1);
    }

    void theCameraIsOfferedOnlyWhenThereIsOne()
    {
        FakeCamera camera;
        camera.available = false;
        QVERIFY(
            !kit::ImagePickerController::isSourceTypeAvailable(kit::ImagePickerSourceType::Camera));
        camera.available = true;
        QVERIFY(
            kit::ImagePickerController::isSourceTypeAvailable(kit::ImagePickerSourceType::Camera));
        camera.available = false;
        QVERIFY(kit::ImagePickerController::isSourceTypeAvailable(
            kit::ImagePickerSourceType::PhotoLibrary));
        QVERIFY(kit::ImagePickerController::isSourceTypeAvailable(
            kit::ImagePickerSourceType::SavedPhotosAlbum));
    }

    void theRealCameraModuleCopesWithNoCamera()
    {
        const auto create = reinterpret_cast<kit::CameraService* (*)()>(
            kit::resolvePlatformFunction(kit::cameraModule, "firstaidCreateCameraService"));
        QVERIFY(create);
        const std::unique_ptr<kit::CameraService> real(create());
        QVERIFY(real);
        if (real->isCameraAvailable())
            QSKIP("this machine has a camera");
        QWidget parent;
        bool called = false;
        QVERIFY(!real->startSession(
            &parent, [&](const QImage&) { called = true; }, [&] { called = true; }));
        QVERIFY(parent.children().isEmpty());

        // The picker on the real service.
        QVERIFY(
            !kit::ImagePickerController::isSourceTypeAvailable(kit::ImagePickerSourceType::Camera));
        Stage stage;
        PickerJournal journal;
        kit::ImagePickerController* picker =
            presentPicker(stage, kit::ImagePickerSourceType::Camera, journal);
        QCoreApplication::processEvents();
        QVERIFY(child(picker, "cameraUnavailableLabel")->isVisible());
        QTest::mouseClick(child(picker, "cancelButton"), Qt::LeftButton);
        QCOMPARE(journal.cancels, 1);
        QVERIFY(!called);
    }
};

int main(int argc, char** argv)
{
    return runTestObjects(argc, argv,
                          {[] { return std::unique_ptr<QObject>(new TestImageReading()); },
                           [] { return std::unique_ptr<QObject>(new TestActionSheet()); },
                           [] { return std::unique_ptr<QObject>(new TestImagePicker()); }});
}

#include "tst_imagepicker.moc"
