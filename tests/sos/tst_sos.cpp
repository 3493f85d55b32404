// SPDX-License-Identifier: GPL-3.0-or-later
// The SOS tab, the emergency card and its alarm, on the manual clock.

#include "FakeDesktop.h"
#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/platform/SystemSound.h"
#include "kit/views/Button.h"
#include "kit/views/ColorView.h"
#include "kit/views/FocusRing.h"
#include "kit/views/Font.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/ProgressView.h"
#include "kit/views/ScrollView.h"
#include "kit/views/TitledButton.h"
#include "record/PersonalRecord.h"
#include "sos/EmergencyScreen.h"
#include "sos/SOS.h"
#include "viewer/AddressPanel.h"
#include "viewer/AddressScreen.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Notes what the screens ask of the sound service.
class RecordingSound final : public kit::SoundService {
public:
    RecordingSound() { kit::SystemSound::setService(this); }
    ~RecordingSound() override { kit::SystemSound::setService(nullptr); }
    kit::SystemSoundID createSystemSound(const QUrl& file) override
    {
        created << file;
        return 7;
    }
    void playSystemSound(kit::SystemSoundID sound) override { played << sound; }
    void disposeSystemSound(kit::SystemSoundID sound) override { disposed << sound; }
    QList<QUrl> created;
    QList<kit::SystemSoundID> played;
    QList<kit::SystemSoundID> disposed;
};

// The application on the SOS tab, its timers on a manual clock and its sound recorded.
struct SosTab {
    kit::ManualClock clock;
    RecordingSound sound;
    TestStore store;
    std::unique_ptr<LaunchedApplication> app;
    sos::SOS* sos = nullptr;

    SosTab()
    {
        app = std::make_unique<LaunchedApplication>();
        sos = app->showTab<sos::SOS>(4);
    }
    ~SosTab()
    {
        for (kit::Timer* timer : kit::RunLoop::main().timers())
            timer->invalidate();
    }
    void press() { QTest::mousePress(sos->helpButton(), Qt::LeftButton, {}, QPoint(90, 90)); }
    void release() { QTest::mouseRelease(sos->helpButton(), Qt::LeftButton, {}, QPoint(90, 90)); }
    sos::EmergencyScreen* emergency() const
    {
        return qobject_cast<sos::EmergencyScreen*>(sos->modalViewController());
    }
    sos::EmergencyScreen* callHelp()
    {
        press();
        clock.advance(3.0);
        release();
        return emergency();
    }
    int emergencyScreensInWindow() const
    {
        return int(app->shell()
                       .window()
                       ->findChildren<QWidget*>(QStringLiteral("emergencyView"),
                                                Qt::FindDirectChildrenOnly)
                       .size());
    }
};

QString title(sos::EmergencyScreen* screen)
{
    return screen->navCon()->navigationBar()->title();
}

QColor background(sos::EmergencyScreen* screen)
{
    return screen->bgView()->backgroundColor();
}

} // namespace

class TestSos final : public QObject {
    Q_OBJECT

private slots:
    void holdReleasedBeforeThreeSecondsShowsNothing()
    {
        SosTab tab;
        tab.press();
        QVERIFY(tab.sos->image()->isVisible());
        QVERIFY(tab.sos->progressBar()->isVisible());
        tab.clock.advance(2.9);
        QVERIFY(tab.sos->progressBar()->progress() > 0.9f);
        tab.release();
        QVERIFY(!tab.sos->image()->isVisible());
        QVERIFY(!tab.sos->progressBar()->isVisible());
        QCOMPARE(tab.sos->progressBar()->progress(), 0.0f);
        tab.clock.advance(5);
        QVERIFY(!tab.emergency());
        QVERIFY(kit::RunLoop::main().timers().empty());
    }

    void threeSecondsPresentExactlyOneCard()
    {
        SosTab tab;
        tab.press();
        tab.clock.advance(3.0);
        sos::EmergencyScreen* card = tab.emergency();
        QVERIFY(card);
        // While the finger is still down, over the whole window, status strip included.
        QCOMPARE(card->view()->parentWidget(), tab.app->shell().window());
        QCOMPARE(card->view()->geometry(), QRect(0, 0, 320, 480));
        QVERIFY(card->view()->isVisible());
        QVERIFY(!tab.sos->image()->isVisible());
        tab.clock.advance(5);
        tab.release();
        QCOMPARE(tab.emergency(), card);
        QCOMPARE(tab.emergencyScreensInWindow(), 1);
        // Holding again behind the card never lays a second one over it.
        tab.sos->helpButtonPressed();
        tab.clock.advance(3.0);
        QCOMPARE(tab.emergency(), card);
        QCOMPARE(tab.emergencyScreensInWindow(), 1);
    }

    void aSecondPressStartsTheHoldOver()
    {
        SosTab tab;
        tab.sos->helpButtonPressed();
        tab.clock.advance(1.0);
        tab.sos->helpButtonPressed();
        QCOMPARE(kit::RunLoop::main().timers().size(), size_t(2));
        QCOMPARE(tab.sos->progressBar()->progress(), 0.0f);
        tab.clock.advance(2.5);
        QVERIFY(!tab.emergency());
        tab.sos->helpButtonCanceled();
        QVERIFY(kit::RunLoop::main().timers().empty());
    }

    void rightAfterLoadingTheAlarmHasSoundedOnce()
    {
        SosTab tab;
        sos::EmergencyScreen* card = tab.callHelp();
        QVERIFY(card);
        QCOMPARE(tab.sound.created.size(), 1);
        QCOMPARE(tab.sound.created.first().fileName(), QStringLiteral("alarm.aif"));
        QCOMPARE(tab.sound.played, (QList<kit::SystemSoundID>{7}));
        QCOMPARE(card->navCon()->navigationBar()->tintColor(), QColor(Qt::white));
        QCOMPARE(background(card), QColor(Qt::white));
        QVERIFY(title(card).isEmpty());
        QVERIFY(tab.app->shell().window() &&
                kit::Application::sharedApplication()->isIdleTimerDisabled());

        tab.clock.advance(double(0.01f));
        QCOMPARE(card->navCon()->navigationBar()->tintColor(), QColor::fromRgbF(1, 0, 0));
        QCOMPARE(background(card), QColor::fromRgbF(1, 0, 0));
        tab.clock.advance(1.0 - double(0.01f));
        QCOMPARE(title(card), QStringLiteral("00:00:01"));
        tab.clock.advance(9.0);
        QCOMPARE(tab.sound.played.size(), 2);
        tab.clock.advance(10.0);
        QCOMPARE(tab.sound.played.size(), 3);
    }

    void elapsedTimeCountsTicks()
    {
        SosTab tab;
        sos::EmergencyScreen* card = tab.callHelp();
        for (int i = 0; i < 3661; ++i)
            card->increaseTime();
        QCOMPARE(title(card), QStringLiteral("01:01:01"));
        for (int i = 3661; i < 360000; ++i)
            card->increaseTime();
        QCOMPARE(title(card), QStringLiteral("100:00:00"));
    }

    void pulseTurnsAtTheTopAndBottom()
    {
        SosTab tab;
        sos::EmergencyScreen* card = tab.callHelp();
        std::vector<float> intensities;
        std::vector<float> greens;
        for (int i = 0; i < 70; ++i) {
            intensities.push_back(card->intensity());
            card->updateBarColor();
            greens.push_back(background(card).greenF());
        }
        // Red at the first tick and again 34 ticks later; white-most at 1.02, shown as 1.
        QCOMPARE(greens[0], 0.0f);
        QCOMPARE(greens[34], 0.0f);
        QCOMPARE(greens[68], 0.0f);
        const float top = *std::max_element(intensities.begin(), intensities.end());
        const float bottom = *std::min_element(intensities.begin(), intensities.end());
        QVERIFY(std::abs(top - 1.02f) < 1e-4f);
        QVERIFY(bottom <= 1e-4f && bottom > -0.06f);
        QCOMPARE(*std::max_element(greens.begin(), greens.end()), 1.0f);
    }

    void aTapOnCancelLeavesTheAlarmRunning()
    {
        SosTab tab;
        sos::EmergencyScreen* card = tab.callHelp();
        tab.clock.advance(1.0);
        QCOMPARE(title(card), QStringLiteral("00:00:01"));
        QTest::mousePress(card->cancelButton(), Qt::LeftButton);
        QVERIFY(title(card).isEmpty());
        QVERIFY(card->progress()->isVisible());
        tab.clock.advance(0.5);
        QVERIFY(card->progress()->progress() > 0.1f);
        QTest::mouseRelease(card->cancelButton(), Qt::LeftButton);
        QVERIFY(!card->progress()->isVisible());
        QCOMPARE(card->progress()->progress(), 0.0f);
        tab.clock.advance(0.5);
        // Counted from the start, not from the tap.
        QCOMPARE(title(card), QStringLiteral("00:00:02"));
        QCOMPARE(tab.emergency(), card);
    }

    void threeSecondHoldOfCancelStopsEverything()
    {
        SosTab tab;
        QPointer<sos::EmergencyScreen> card = tab.callHelp();
        QTest::mousePress(card->cancelButton(), Qt::LeftButton);
        // A second press during the hold starts it over, with no timer left behind.
        card->touchesBegin();
        tab.clock.advance(3.0);
        QVERIFY(!tab.emergency());
        QVERIFY(kit::RunLoop::main().timers().empty());
        QVERIFY(!kit::Application::sharedApplication()->isIdleTimerDisabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(card.isNull());
        QCOMPARE(tab.sound.disposed, (QList<kit::SystemSoundID>{7}));
        tab.clock.advance(30);
        QCOMPARE(tab.sound.played.size(), 1);

        // A new hold starts from nothing and needs the full 3 seconds.
        tab.press();
        QCOMPARE(tab.sos->progressBar()->progress(), 0.0f);
        tab.clock.advance(2.9);
        QVERIFY(!tab.emergency());
        tab.clock.advance(0.1);
        QVERIFY(tab.emergency());
    }

    void aHeldSpaceBarIsOneHoldWhateverItsRepeatsSay()
    {
        SosTab tab;
        // What a desktop delivers for a key held for a while: one press, then after the
        // repeat delay a release and a press together at every repeat. Some desktops mark
        // the pairs as repeats, some do not.
        const auto key = [](QWidget* to, QEvent::Type type, bool repeat) {
            QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
            QApplication::sendEvent(to, &event);
        };
        const auto hold = [&](QWidget* to, double seconds, bool marked) {
            key(to, QEvent::KeyPress, false);
            tab.clock.advance(0.66);
            for (double held = 0.66; held < seconds; held += 0.04) {
                key(to, QEvent::KeyRelease, marked);
                key(to, QEvent::KeyPress, marked);
                tab.clock.advance(0.04);
            }
            key(to, QEvent::KeyRelease, false);
        };
        for (const bool marked : {false, true}) {
            kit::Button* help = tab.sos->helpButton();
            help->setFocus();
            hold(help, 2.0, marked);
            // Two seconds of repeats are two seconds of one hold, not a row of short ones.
            QVERIFY(tab.sos->progressBar()->progress() > 0.6f);
            tab.clock.advance(0.2);
            QVERIFY(!tab.sos->progressBar()->isVisible());
            QVERIFY(!tab.emergency());
            hold(help, 3.6, marked);
            QPointer<sos::EmergencyScreen> card = tab.emergency();
            QVERIFY(card);
            // The card's cancel takes the same held key.
            card->cancelButton()->setFocus();
            hold(card->cancelButton(), 3.6, marked);
            tab.clock.advance(0.2);
            QVERIFY(!tab.emergency());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void aHugeStoredValueShowsItsBeginningOnTheCard()
    {
        SosTab tab;
        const QString illness = QStringLiteral("Диабет 1 типа, инсулин. ").repeated(200'000);
        tab.store.set(record::OWN_ILLNESS, illness);
        sos::EmergencyScreen* card = tab.callHelp();
        QVERIFY(card);
        const QString shown = card->value(4)->text();
        QCOMPARE(shown, record::shownPart(illness));
        QVERIFY(shown.endsWith(QStringLiteral("…")));
        // Laid out to its end, within a card that still scrolls to a bounded height.
        QVERIFY(card->value(5)->y() > card->value(4)->y() + 100);
        QVERIFY(card->value(5)->y() < 10'000);
    }

    void theCardIsDrawnWhereItsLinesLieAndAtTheirSize()
    {
        SosTab tab;
        sos::EmergencyScreen* card = tab.callHelp();
        QWidget* content = card->mainView()->contentView();
        // The drawn card, over whatever colour the background has this moment.
        const QImage drawn = card->view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb ground = drawn.pixel(drawn.width() - 2, drawn.height() - 2);
        const auto inkInRows = [&](int top, int bottom) {
            for (int y = std::max(top, 0); y < std::min(bottom, drawn.height()); ++y)
                for (int x = 0; x < drawn.width() - 10; ++x)
                    if (drawn.pixel(x, y) != ground)
                        return true;
            return false;
        };
        // Every caption is drawn within its own line, and nothing lies in the gaps between
        // the lines (a picture stretched to the view would slide down into them).
        for (int i = 0; i < 6; ++i) {
            const QRect line =
                card->caption(i)->geometry().translated(content->mapTo(card->view(), QPoint(0, 0)));
            QVERIFY2(inkInRows(line.top(), line.bottom() + 1), qPrintable(QString::number(i)));
            QVERIFY2(!inkInRows(line.bottom() + 1, line.bottom() + 9),
                     qPrintable(QString::number(i)));
        }
    }

    void emptyRecordLayout()
    {
        SosTab tab;
        sos::EmergencyScreen* card = tab.callHelp();
        QCOMPARE(card->imageView()->geometry(), QRect(20, 20, 66, 66));
        QVERIFY(!card->imageView()->image().isNull());
        QCOMPARE(card->nameLabel()->text(), QStringLiteral("Имя Фамилия"));
        const QStringList captions = {
            QStringLiteral("Домашний адрес:"), QStringLiteral("Дата рождения:"),
            QStringLiteral("Вес/рост:"),       QStringLiteral("Группа крови:"),
            QStringLiteral("Заболевания:"),    QStringLiteral("Заметки:")};
        QCOMPARE(card->caption(0)->geometry().topLeft(), QPoint(15, 94));
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(card->caption(i)->text(), captions[i]);
            QVERIFY(card->caption(i)->font().italic());
            QCOMPARE(card->caption(i)->palette().color(QPalette::WindowText),
                     QColor(0x11, 0x11, 0x11));
            QVERIFY(card->value(i)->text().isEmpty());
            QCOMPARE(card->value(i)->height(), 8);
            QCOMPARE(card->value(i)->y(), card->caption(i)->geometry().bottom() + 1 - 3);
            if (i > 0)
                QCOMPARE(card->caption(i)->y(), card->value(i - 1)->geometry().bottom() + 1 + 12);
        }
        const QRect note = card->value(5)->geometry();
        QCOMPARE(card->mainView()->contentSize().height(), note.y() + note.height() + 40);
        // Nothing stored for the emergency services adds nothing.
        QCOMPARE(card->lineCount(), 6);
        QVERIFY(!card->contactsCaption());
        QCOMPARE(card->contactCount(), 0);
    }

    void allergiesMedicinesAndPeopleToCallFollowTheNotes()
    {
        SosTab tab;
        tab.store.set(record::OWN_NOTE, QStringLiteral("Очки"));
        tab.store.set(record::OWN_ALLERGY, QStringLiteral("Пенициллин"));
        // Saved empty: no line for it.
        tab.store.set(record::OWN_MEDICINE, QString());
        tab.store.set(record::contactKey(0, "NAME"), QStringLiteral("Анна"));
        tab.store.set(record::contactKey(0, "WHO"), QStringLiteral("мама"));
        tab.store.set(record::contactKey(0, "PHONE"), QStringLiteral("+7 916 123-45-67"));
        tab.store.set(record::contactKey(2, "NAME"), QStringLiteral("Пётр"));
        tab.store.set(record::contactKey(2, "PHONE"), QStringLiteral("8 (812) 555-12-34"));
        QPointer<sos::EmergencyScreen> card = tab.callHelp();
        QVERIFY(card);

        // The same layout pass: captions 12 points below what comes before, values measured.
        QCOMPARE(card->lineCount(), 7);
        QCOMPARE(card->caption(6)->text(), QStringLiteral("Аллергии:"));
        QCOMPARE(card->value(6)->text(), QStringLiteral("Пенициллин"));
        QCOMPARE(card->caption(6)->y(), card->value(5)->geometry().bottom() + 1 + 12);
        QCOMPARE(card->value(6)->y(), card->caption(6)->geometry().bottom() + 1 - 3);
        QVERIFY(card->value(6)->height() > 8);
        kit::Label* caption = card->contactsCaption();
        QVERIFY(caption);
        QCOMPARE(caption->text(), QStringLiteral("Экстренные контакты:"));
        QCOMPARE(caption->y(), card->value(6)->geometry().bottom() + 1 + 12);
        QCOMPARE(card->contactCount(), 2);
        QCOMPARE(card->contactName(0)->text(), QStringLiteral("Анна (мама)"));
        QCOMPARE(card->contactName(1)->text(), QStringLiteral("Пётр"));
        QCOMPARE(card->contactName(0)->y(), caption->geometry().bottom() + 1 - 3);
        kit::TitledButton* first = card->callButton(0);
        QCOMPARE(first->title(), QStringLiteral("+7 916 123-45-67"));
        QCOMPARE(first->y(), card->contactName(0)->geometry().bottom() + 1);
        QVERIFY(first->width() >= 280 && first->height() >= 44);
        QCOMPARE(card->contactName(1)->y(), first->geometry().bottom() + 1 + 10);
        QVERIFY(card->mainView()->contentSize().height() >=
                card->callButton(1)->geometry().bottom() + 40);

        // The buttons are live above the card's picture: a touch there reaches them.
        QWidget* content = card->mainView()->contentView();
        for (int i = 0; i < 2; ++i) {
            kit::TitledButton* button = card->callButton(i);
            QVERIFY(button->isVisible());
            QCOMPARE(content->childAt(button->geometry().center()), button);
        }
        {
            FakeDesktop desktop({QStringLiteral("tel")});
            QTest::mouseClick(card->callButton(0), Qt::LeftButton);
            QTest::mouseClick(card->callButton(1), Qt::LeftButton);
            QVERIFY(waitUntil([&] { return desktop.opened().size() == 2; }, 10000));
            QCOMPARE(desktop.opened(), (QStringList{QStringLiteral("tel:+79161234567"),
                                                    QStringLiteral("tel:88125551234")}));
            QVERIFY(!card->modalViewController());
        }
        {
            // Without a dialler the number, as written, is shown in a panel over the card,
            // which goes on flashing and sounding around it.
            FakeDesktop desktop({});
            QTest::mouseClick(card->callButton(1), Qt::LeftButton);
            QVERIFY(!card->modalViewController());
            viewer::AddressPanel* panel = card->numberPanel();
            QVERIFY(panel && panel->isVisible());
            QCOMPARE(panel->addressLabel()->text(), QStringLiteral("8 (812) 555-12-34"));
            // The card shows around it.
            QVERIFY(panel->width() < card->view()->width());
            QVERIFY(panel->height() < card->view()->height() - 100);
            const QColor before = background(card);
            tab.clock.advance(0.05);
            QVERIFY(background(card) != before);
            QTest::mouseClick(panel->copyButton(), Qt::LeftButton);
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("8 (812) 555-12-34"));
            // Tab goes round the panel's buttons only: never to the card's cancel or calls
            // beneath it, nor to the tab bar.
            kit::Window* window = tab.app->shell().window();
            QCOMPARE(window->modalView(), panel);
            for (int i = 0; i < 4; ++i) {
                window->focusNextPrevChild(true);
                QVERIFY(panel->isAncestorOf(window->focusWidget()));
            }
            QTest::keyClick(panel, Qt::Key_Escape);
            QVERIFY(!card->numberPanel());
            QCOMPARE(window->modalView(), card->view());
        }
        // Hold-to-cancel is as before.
        QTest::mousePress(card->cancelButton(), Qt::LeftButton);
        tab.clock.advance(3.0);
        QVERIFY(!tab.emergency());
    }

    void everyCaptionStaysReadableInEveryFrameOfTheFlashing()
    {
        SosTab tab;
        tab.store.set(record::contactKey(0, "PHONE"), QStringLiteral("112"));
        sos::EmergencyScreen* card = tab.callHelp();
        // Relative luminance and contrast ratio, as the web's accessibility guidelines define
        // them.
        const auto luminance = [](const QColor& colour) {
            const auto channel = [](double c) {
                return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
                   0.0722 * channel(colour.blueF());
        };
        const auto contrast = [&](const QColor& a, const QColor& b) {
            const double la = luminance(a);
            const double lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        std::vector<kit::Label*> captions;
        for (int i = 0; i < card->lineCount(); ++i)
            captions.push_back(card->caption(i));
        captions.push_back(card->contactsCaption());
        double lowest = 100;
        // A whole cycle of the flashing, white to red and back, frame by frame.
        for (int frame = 0; frame < 40; ++frame) {
            const QColor ground = background(card);
            for (kit::Label* caption : captions)
                lowest = std::min(lowest,
                                  contrast(caption->palette().color(QPalette::WindowText), ground));
            tab.clock.advance(double(0.01f));
        }
        qInfo("lowest contrast of a caption over the flashing: %.2f : 1", lowest);
        QVERIFY(lowest >= 4.5);
        // The darkest frame, pure red, is among those seen.
        QVERIFY(contrast(QColor(0x11, 0x11, 0x11), Qt::red) >= 4.5);
    }

    void theCardKeepsTheKeyboardToItself()
    {
        SosTab tab;
        tab.store.set(record::contactKey(0, "PHONE"), QStringLiteral("112"));
        tab.store.set(record::contactKey(1, "PHONE"), QStringLiteral("103"));
        tab.store.set(record::OWN_NOTE, QStringLiteral("Строка\n").repeated(40));
        kit::Window* window = tab.app->shell().window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        sos::EmergencyScreen* card = tab.callHelp();
        QCOMPARE(window->modalView(), card->view());
        // The keyboard is on the card at once, never left on the help button beneath it.
        QVERIFY(card->view()->isAncestorOf(window->focusWidget()));
        std::vector<QWidget*> reached;
        for (int i = 0; i < 6; ++i) {
            window->focusNextPrevChild(true);
            QWidget* focused = window->focusWidget();
            QVERIFY(card->view()->isAncestorOf(focused));
            reached.push_back(focused);
        }
        // The call buttons far down the card are reached, and scrolled into view.
        QVERIFY(std::find(reached.begin(), reached.end(), card->callButton(1)) != reached.end());
        card->callButton(1)->setFocus(Qt::TabFocusReason);
        const QRect visible = card->mainView()->visibleRect();
        QVERIFY(visible.contains(card->callButton(1)->geometry()));
        QVERIFY(card->mainView()->contentOffset().y() > 0);

        // Tabbed to from the top of the card, the button is outlined where it lies once
        // scrolled into view, not where it lay before.
        card->mainView()->setContentOffset(QPoint(0, 0));
        card->callButton(0)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(card->callButton(0), Qt::Key_Tab);
        QCOMPARE(window->focusWidget(), card->callButton(1));
        kit::FocusRing* ring = kit::FocusRing::installed();
        QVERIFY(ring && ring->isVisible());
        const QRect button(card->callButton(1)->mapTo(window, QPoint(0, 0)),
                           card->callButton(1)->size());
        QVERIFY(window->rect().contains(button));
        QCOMPARE(ring->geometry(), button.adjusted(-3, -3, 3, 3).intersected(window->rect()));
    }

    void aLongNumberIsFittedToItsButton()
    {
        SosTab tab;
        // Written by another program: longer than the editor lets through.
        tab.store.set(record::contactKey(0, "PHONE"),
                      QStringLiteral("+7 (916) 123-45-67, рабочий +7 (495) 765-43-21"));
        sos::EmergencyScreen* card = tab.callHelp();
        QCOMPARE(card->contactCount(), 1);
        kit::TitledButton* button = card->callButton(0);
        QVERIFY(button->font().pixelSize() < 22);
        QVERIFY(QFontMetrics(button->font()).horizontalAdvance(button->title()) <= button->width());
        QVERIFY(button->title().endsWith(QStringLiteral("…")));
    }

    void aLongAddressMovesEverythingBelowByTheSameAmount()
    {
        std::vector<int> shortTops;
        std::vector<int> longTops;
        int grown = 0;
        for (const QString& address :
             {QStringLiteral("ул. Мира, 1"),
              QStringLiteral("г. Санкт-Петербург, Невский проспект, дом 28, корпус 2, квартира "
                             "115, подъезд 3, этаж 7, код домофона 115В")}) {
            SosTab tab;
            tab.store.set(record::OWN_ADDRESS, address);
            tab.store.set(record::OWN_NOTE, QStringLiteral("Заметка"));
            sos::EmergencyScreen* card = tab.callHelp();
            std::vector<int>& tops = shortTops.empty() ? shortTops : longTops;
            for (int i = 1; i < 6; ++i) {
                tops.push_back(card->caption(i)->y());
                tops.push_back(card->value(i)->y());
            }
            tops.push_back(card->mainView()->contentSize().height());
            grown = card->value(0)->height() - grown;
        }
        QVERIFY(grown > 0);
        for (size_t i = 0; i < shortTops.size(); ++i)
            QCOMPARE(longTops[i] - shortTops[i], grown);
    }

    void photoAndName()
    {
        {
            SosTab tab;
            kit::UserDefaults::standardUserDefaults().setObject(pngBytes(66, 44),
                                                                record::OWN_IMAGE);
            tab.store.set(
                record::OWN_NAME,
                QStringLiteral("Константинопольский-Преображенский Александр Александрович"));
            sos::EmergencyScreen* card = tab.callHelp();
            QCOMPARE(card->imageView()->geometry(), QRect(20, 20, 66, 44));
            QCOMPARE(card->nameLabel()->geometry(), QRect(94, 30, 206, 45));
            QCOMPARE(card->nameLabel()->numberOfLines(), 1);
        }
        {
            // A larger picture is shown within the photo's place, its shape kept.
            SosTab tab;
            kit::UserDefaults::standardUserDefaults().setObject(pngBytes(300, 150),
                                                                record::OWN_IMAGE);
            QCOMPARE(tab.callHelp()->imageView()->geometry(), QRect(20, 20, 66, 33));
        }
        {
            SosTab tab;
            kit::UserDefaults::standardUserDefaults().setObject(QByteArray("not a picture"),
                                                                record::OWN_IMAGE);
            sos::EmergencyScreen* card = tab.callHelp();
            QCOMPARE(card->imageView()->geometry(), QRect(20, 20, 66, 66));
            QCOMPARE(card->imageView()->image().size(), QSize(66, 66));
        }
    }

    void realSoundServiceNeverBlocks()
    {
        // Whatever the machine's audio, registering and playing the alarm returns at once.
        const QUrl alarm = kit::Bundle::mainBundle().urlForResource(QStringLiteral("alarm"),
                                                                    QStringLiteral("aif"));
        const kit::SystemSoundID sound = kit::SystemSound::create(alarm);
        QVERIFY(sound != 0);
        for (int i = 0; i < 3; ++i)
            kit::SystemSound::play(sound);
        QCoreApplication::processEvents();
        kit::SystemSound::dispose(sound);
        kit::SystemSound::play(sound);
        QCOMPARE(
            kit::SystemSound::create(QUrl::fromLocalFile(QStringLiteral("/nonexistent/alarm.aif"))),
            0u);
    }

    void weightAndHeightForms_data()
    {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("shown");
        QTest::newRow("both") << "60"
                              << "170"
                              << "Вес 60кг / Рост 170см";
        QTest::newRow("weight only") << "60" << QString() << "Вес 60кг";
        QTest::newRow("height only") << QString() << "170"
                                     << "Рост 170см";
        QTest::newRow("neither") << QString() << QString() << QString();
    }

    void weightAndHeightForms()
    {
        QFETCH(QString, weight);
        QFETCH(QString, height);
        QFETCH(QString, shown);
        SosTab tab;
        if (!weight.isNull())
            tab.store.set(record::OWN_WEIGHT, weight);
        if (!height.isNull())
            tab.store.set(record::OWN_GROWTH, height);
        QCOMPARE(tab.callHelp()->value(2)->text(), shown);
    }
};

FIRSTAID_TEST_MAIN(TestSos)

#include "tst_sos.moc"
