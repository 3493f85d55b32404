// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFiles.h"
#include "TestSupport.h"

#include "kit/views/ImageReading.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

class TestImageReading final : public QObject {
    Q_OBJECT

private slots:
    void hugePicturesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // A whole picture Qt decodes (see below): only the reader's own bound refuses it.
        QTest::newRow("PBM 8100 × 8000") << pbmWhite(8100, 8000);
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

    void theHugePictureIsOneQtWouldRead()
    {
        // The refusal above is the reader's own (over 64 megapixels in a format that cannot
        // be read scaled): under the reader's allocation limit (256 MB) Qt alone decodes the
        // same bytes, whole.
        const int limit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(256);
        QBuffer buffer;
        buffer.setData(pbmWhite(8100, 8000));
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        QVERIFY(!reader.supportsOption(QImageIOHandler::ScaledSize));
        const QImage image = reader.read();
        QImageReader::setAllocationLimit(limit);
        QCOMPARE(image.size(), QSize(8100, 8000));
        QCOMPARE(image.pixel(8099, 7999), qRgb(255, 255, 255));
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

FIRSTAID_TEST_MAIN(TestImageReading)

#include "tst_imagereading.moc"
