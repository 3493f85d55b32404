// SPDX-License-Identifier: GPL-3.0-or-later
// The image picker with its file chooser and camera.

#include "PictureFiles.h"
#include "Stage.h"
#include "TestSupport.h"

#include "kit/foundation/Owned.h"
#include "kit/pickers/ImagePickerController.h"
#include "kit/platform/Camera.h"
#include "kit/platform/PlatformModule.h"
#include "kit/views/Label.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

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
        // Whole and decodable, but more pixels than the picker reads.
        QTest::newRow("too many pixels") << "huge.pbm" << pbmWhite(8100, 8000);
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

FIRSTAID_TEST_MAIN(TestImagePicker)

#include "tst_imagepicker.moc"
