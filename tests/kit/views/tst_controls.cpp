// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "kit/foundation/Bundle.h"
#include "kit/foundation/Owned.h"
#include "kit/platform/Aiff.h"
#include "kit/views/Button.h"
#include "kit/views/FocusRing.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/Slider.h"
#include "kit/views/TextMeasure.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>

#include <optional>

class TestControls final : public QObject {
    Q_OBJECT

private slots:
    void sliderFrameIsTheTrackAndTheThumbReachesBeyondIt()
    {
        kit::Slider slider;
        slider.setFrame(QRect(20, 20, 180, 10));
        QCOMPARE(slider.frame(), QRect(20, 20, 180, 10));
        QVERIFY(slider.geometry().contains(slider.frame()));
        QVERIFY(slider.height() >= kit::Slider::thumbDiameter);
        QCOMPARE(slider.geometry().center().y(), slider.frame().center().y());
    }

    void sliderAnswersTheKeyboardWithoutJumping()
    {
        kit::Slider slider;
        slider.setMinimumValue(1.0f);
        slider.setMaximumValue(2.0f);
        slider.setValue(1.5f);
        QObject target;
        QStringList events;
        slider.addTarget(
            &target, [&] { events << QString::number(slider.value(), 'f', 2); },
            kit::ControlEvent::ValueChanged);
        slider.addTarget(
            &target, [&] { events << QStringLiteral("up"); }, kit::ControlEvent::TouchUpInside);
        QTest::keyClick(&slider, Qt::Key_Right);
        QTest::keyClick(&slider, Qt::Key_Left);
        QTest::keyClick(&slider, Qt::Key_Left);
        QTest::keyClick(&slider, Qt::Key_End);
        QTest::keyClick(&slider, Qt::Key_End);
        // Space ends the gesture where the thumb is; it does not press the track's middle.
        QTest::keyClick(&slider, Qt::Key_Space);
        QCOMPARE(events, QStringList({QStringLiteral("1.60"), QStringLiteral("1.50"),
                                      QStringLiteral("1.40"), QStringLiteral("2.00"),
                                      QStringLiteral("up")}));
        QCOMPARE(slider.value(), 2.0f);
    }

    void sliderValueStaysInItsRange()
    {
        kit::Slider slider;
        slider.setMinimumValue(1.0f);
        slider.setMaximumValue(2.0f);
        QCOMPARE(slider.value(), 1.0f);
        slider.setValue(5.0f);
        QCOMPARE(slider.value(), 2.0f);
        slider.setValue(-1.0f);
        QCOMPARE(slider.value(), 1.0f);
    }

    void sliderSendsTouchAndValueEventsAsTheFingerMoves()
    {
        QWidget host;
        host.resize(320, 200);
        auto* slider = new kit::Slider(&host);
        slider->setFrame(QRect(20, 80, 180, 10));
        slider->setMinimumValue(1.0f);
        slider->setMaximumValue(2.0f);
        QObject target;
        QStringList events;
        slider->addTarget(
            &target, [&] { events << QStringLiteral("down"); }, kit::ControlEvent::TouchDown);
        slider->addTarget(
            &target, [&] { events << QString::number(slider->value(), 'f', 2); },
            kit::ControlEvent::ValueChanged);
        slider->addTarget(
            &target, [&] { events << QStringLiteral("up inside"); },
            kit::ControlEvent::TouchUpInside);
        slider->addTarget(
            &target, [&] { events << QStringLiteral("up outside"); },
            kit::ControlEvent::TouchUpOutside);

        const int y = slider->height() / 2;
        // A press on the thumb does not move it.
        QTest::mousePress(slider, Qt::LeftButton, {}, slider->thumbCenter().toPoint());
        QCOMPARE(events, QStringList{QStringLiteral("down")});
        // Dragging to the far right end reports every change, up to the maximum.
        QTest::mouseMove(slider, QPoint(90, y));
        QTest::mouseMove(slider, QPoint(400, y));
        QCOMPARE(events.last(), QStringLiteral("2.00"));
        QCOMPARE(events.size(), 3);
        // Lifted far away: outside.
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(400, 150));
        QCOMPARE(events.last(), QStringLiteral("up outside"));

        // A press on the track brings the thumb there at once.
        events.clear();
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, y));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, y));
        QCOMPARE(events, (QStringList{QStringLiteral("down"), QStringLiteral("1.50"),
                                      QStringLiteral("up inside")}));
    }

    void anActionMayDiscardTheControlThatSentIt()
    {
        kit::Owned<QWidget> pane(new QWidget());
        pane->resize(204, 50);
        auto* slider = new kit::Slider(pane.get());
        slider->setFrame(QRect(20, 20, 180, 10));
        QPointer<kit::Slider> watched = slider;
        QObject target;
        int later = 0;
        slider->addTarget(
            &target, [&] { pane.resetLater(); }, kit::ControlEvent::TouchUpInside);
        slider->addTarget(
            &target, [&] { ++later; }, kit::ControlEvent::TouchUpInside);
        QTest::mouseClick(slider, Qt::LeftButton, {}, slider->thumbCenter().toPoint());
        QVERIFY(!pane);
        QVERIFY(watched);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watched.isNull());
        QCOMPARE(later, 1);
    }

    void actionsOfADestroyedTargetDoNotRun()
    {
        kit::Slider slider;
        int count = 0;
        {
            QObject target;
            slider.addTarget(
                &target, [&] { ++count; }, kit::ControlEvent::TouchDown);
        }
        slider.sendActionsForControlEvents(kit::ControlEvent::TouchDown);
        QCOMPARE(count, 0);
    }

    void alarmSoundReadsAsSixteenBitPcm()
    {
        QFile file(
            QDir(kit::Bundle::mainBundle().bundlePath()).filePath(QStringLiteral("alarm.aif")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const std::optional<kit::PcmSound> sound = kit::readAiff(bytes);
        QVERIFY(sound);
        QCOMPARE(sound->channels, 1);
        QCOMPARE(sound->sampleRate, 22050);
        // 1.5 seconds of 16-bit mono samples.
        QCOMPARE(sound->samples.size(), qsizetype(33075 * 2) - 6);
        // Damaged files give nothing rather than noise.
        QVERIFY(!kit::readAiff(bytes.left(40)));
        QVERIFY(!kit::readAiff(QByteArray("RIFF....WAVEfmt ")));
        QByteArray lying = bytes;
        lying[16] = char(0x7f); // the first chunk claims to be far longer than the file
        QVERIFY(!kit::readAiff(lying));
    }

    void textMeasurementWrapsAtTheGivenWidth()
    {
        const QFont font = kit::fontWithName(QStringLiteral("Arial-ItalicMT"), 15);
        const QString text =
            QStringLiteral("Москва, улица Большая Садовая, дом 10, квартира 50, подъезд 2");
        const double huge = 3.4028235e38;
        const QSizeF oneLine = kit::sizeWithFont(QStringLiteral("Москва"), font, {300, huge},
                                                 kit::LineBreakMode::WordWrap);
        const QSizeF wide =
            kit::sizeWithFont(text, font, {300, huge}, kit::LineBreakMode::WordWrap);
        const QSizeF narrow =
            kit::sizeWithFont(text, font, {120, huge}, kit::LineBreakMode::WordWrap);
        QVERIFY(oneLine.height() > 0);
        QVERIFY(wide.height() > oneLine.height());
        QVERIFY(narrow.height() > wide.height());
        QVERIFY(narrow.width() <= 120);

        // A word wider than the limit still breaks rather than overflow.
        const QSizeF longWord = kit::sizeWithFont(QString(60, QLatin1Char('W')), font, {100, huge},
                                                  kit::LineBreakMode::WordWrap);
        QVERIFY(longWord.width() <= 100);
        QVERIFY(longWord.height() > 3 * oneLine.height());

        // Line breaks count; truncating modes keep one line; empty text takes no room.
        QVERIFY(kit::sizeWithFont(QStringLiteral("а\nб\nв"), font, {300, huge},
                                  kit::LineBreakMode::WordWrap)
                    .height() >= 3 * oneLine.height() - 1);
        QCOMPARE(
            kit::sizeWithFont(text, font, {120, huge}, kit::LineBreakMode::TailTruncation).height(),
            oneLine.height());
        QCOMPARE(kit::sizeWithFont(QString(), font, {120, huge}, kit::LineBreakMode::WordWrap),
                 QSizeF(0, 0));
    }

    void labelHeightIsMeasuredAtTheLabelsWidth()
    {
        kit::Label label;
        label.setFont(kit::fontWithName(QStringLiteral("Arial-ItalicMT"), 15));
        label.setLineBreakMode(kit::LineBreakMode::WordWrap);
        label.setNumberOfLines(0);
        label.setText(QStringLiteral("г. Санкт-Петербург, Невский проспект, дом 28, квартира 15"));
        label.setGeometry(0, 0, 280, 20);
        const float wide = kit::fittingHeight(label);
        const QSizeF wideText = kit::sizeWithFont(label.text(), label.font(), {280, 3.4028235e38},
                                                  kit::LineBreakMode::WordWrap);
        QCOMPARE(wide, float(wideText.height()) + 8.0f);
        // The label's frame is not touched.
        QCOMPARE(label.height(), 20);

        label.setGeometry(0, 0, 100, 20);
        QVERIFY(kit::fittingHeight(label) > wide);
        // An empty label needs only the margin.
        label.setText(QString());
        QCOMPARE(kit::fittingHeight(label), 8.0f);
    }

    void focusOutlineFollowsTheKeyboardOnly()
    {
        kit::FocusRing::install();
        kit::FocusRing* ring = kit::FocusRing::installed();
        QVERIFY(ring);
        QWidget window;
        window.resize(320, 200);
        std::vector<kit::Button*> buttons;
        for (int i = 0; i < 3; ++i) {
            buttons.push_back(new kit::Button(&window));
            buttons.back()->setGeometry(10, 10 + 50 * i, 100, 40);
        }
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        buttons[0]->setFocus(Qt::OtherFocusReason);
        QVERIFY(!ring->isVisible());
        // Tab moves the focus: the outline shows where it went.
        QTest::keyClick(buttons[0], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), buttons[1]);
        QCOMPARE(ring->target(), buttons[1]);
        QVERIFY(ring->isVisible());
        // The focused control goes away and focus moves on by itself: no outline.
        buttons[1]->hide();
        QVERIFY(QApplication::focusWidget() && QApplication::focusWidget() != buttons[1]);
        QVERIFY(!ring->isVisible());
        // Tab again, then a click anywhere takes the outline away, though focus stays.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(ring->isVisible());
        QWidget* const focused = QApplication::focusWidget();
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 190));
        QCOMPARE(QApplication::focusWidget(), focused);
        QVERIFY(!ring->isVisible());
    }
};

FIRSTAID_TEST_MAIN(TestControls)

#include "tst_controls.moc"
