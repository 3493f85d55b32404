// SPDX-License-Identifier: GPL-3.0-or-later
// The card tab: the card screen, its four editors and the photo picker, driven as
// the owner drives them, with the store read back from its file.

#include "CardSession.h"
#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "card/CardScreen.h"
#include "card/CardTab.h"
#include "card/ChangeBlood.h"
#include "card/ChangeDate.h"
#include "card/ChangeImage.h"
#include "card/ChangeInfo.h"
#include "card/ChangeWeight.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/ActionSheet.h"
#include "kit/pickers/DatePicker.h"
#include "kit/pickers/ImagePickerController.h"
#include "kit/pickers/PickerView.h"
#include "kit/views/Image.h"
#include "kit/views/Label.h"
#include "record/PersonalRecord.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace {

QImage picture(int width, int height, QColor colour = Qt::darkCyan)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The file chooser of the photo library, answering with a prepared file or a cancel.
struct ChosenFile {
    explicit ChosenFile(std::optional<QString> path)
    {
        kit::ImagePickerController::setFileChooser(
            [path](QWidget*, const QString&) { return path; });
    }
    ~ChosenFile() { kit::ImagePickerController::setFileChooser({}); }
};

} // namespace

class TestCard final : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void emptyCardShowsEveryFieldNameWithAnAddControl()
    {
        CardSession tab;
        QVERIFY(tab.cardTab);
        QCOMPARE(tab.top(), tab.screen());
        QCOMPARE(tab.cardTab->stack()->navigationBar()->title(), QStringLiteral("Карта"));
        const QStringList names = {
            QStringLiteral("Домашний адрес"), QStringLiteral("Дата рождения"),
            QStringLiteral("Вес/рост"),       QStringLiteral("Группа крови"),
            QStringLiteral("Заболевания"),    QStringLiteral("Заметки")};
        QCOMPARE(tab.screen()->tableView()->numberOfRowsInSection(0), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(tab.rowText(i), names[i]);
            QCOMPARE(tab.controlOf(i), QStringLiteral("insertControl"));
        }
        QCOMPARE(tab.screen()->nameButton()->title(), QStringLiteral("Имя Фамилия"));
        QCOMPARE(tab.screen()->imageButton()->image(),
                 kit::imageNamed(QStringLiteral("noPhoto.png")));

        // The add control of the birthday opens its editor, as touching the row
        // does; neither writes.
        tab.tapControl(1);
        QVERIFY(qobject_cast<card::ChangeDate*>(tab.top()));
        tab.back();
        QCOMPARE(tab.top(), tab.screen());
        QVERIFY(tab.open<card::ChangeDate>(1));
        tab.back();
        QVERIFY(!QFile::exists(tab.store.path()) ||
                !storedOnDisk(tab.store.path(), record::OWN_BIRTHDAY));
        // Every row opens its own editor.
        QCOMPARE(tab.open<card::ChangeInfo>(0)->field(), record::Address);
        tab.back();
        QVERIFY(tab.open<card::ChangeWeight>(2));
        tab.back();
        QVERIFY(tab.open<card::ChangeBlood>(3));
        tab.back();
        QCOMPARE(tab.open<card::ChangeInfo>(5)->field(), record::Note);
        tab.back();
        QTest::mouseClick(tab.screen()->nameButton(), Qt::LeftButton);
        QCOMPARE(qobject_cast<card::ChangeInfo*>(tab.top())->field(), record::Name);
    }

    void theScreensTakeTheirFieldsFromOneTable()
    {
        // Each field's row of the table stands at the field's own place.
        for (int field = record::Address; field <= record::Photo; ++field)
            QCOMPARE(int(record::fieldInfo(record::Field(field)).field), field);
        // The card screen's rows are the table's, in its order, named by its captions.
        CardSession tab;
        for (const int section :
             {card::CardScreen::cardSection, card::CardScreen::emergencySection})
            for (int row = 0; row < tab.screen()->tableView()->numberOfRowsInSection(section);
                 ++row) {
                const std::optional<record::Field> field =
                    card::CardScreen::fieldAt({section, row});
                QVERIFY(field);
                QCOMPARE(card::CardScreen::indexPathOf(*field), (kit::IndexPath{section, row}));
                QCOMPARE(tab.rowText(row, section), record::fieldInfo(*field).caption);
            }
        QCOMPARE(record::fieldsAt(record::CardPlace::CardRows).size(), size_t(6));
        QVERIFY(!card::CardScreen::indexPathOf(record::Name));
        QVERIFY(!card::CardScreen::fieldAt({0, 6}));
        // What the wallet card prints, in its order, and what its code holds.
        QCOMPARE(record::frontFields(),
                 (std::vector<record::Field>{record::Name, record::Birthday, record::Blood,
                                             record::Allergy, record::Medicine, record::Illness,
                                             record::Note}));
        QCOMPARE(record::qrFields(),
                 (std::vector<record::Field>{record::Name, record::Blood, record::Allergy,
                                             record::Medicine, record::Contacts, record::Illness,
                                             record::Note, record::Birthday, record::Address,
                                             record::WeightAndHeight}));
    }

    void storedFieldsShowTheirValuesWithADeleteControl()
    {
        const QImage photo = picture(66, 50, Qt::red);
        CardSession tab({{record::OWN_ADDRESS, QStringLiteral("Москва, ул. Тверская, 1")},
                         {record::OWN_BIRTHDAY, QStringLiteral("7 декабря 1980 г.")},
                         {record::OWN_WEIGHT, QStringLiteral("60")},
                         {record::OWN_GROWTH, QStringLiteral("170")},
                         {record::OWN_BLOOD, QStringLiteral("II группа / Rh+")},
                         {record::OWN_ILLNESS, QStringLiteral("Астма")},
                         {record::OWN_NOTE, QString()},
                         {record::OWN_NAME, QStringLiteral("Иван Петров")}});
        QCOMPARE(tab.rowText(0), QStringLiteral("Москва, ул. Тверская, 1"));
        QCOMPARE(tab.rowText(1), QStringLiteral("7 декабря 1980 г."));
        QCOMPARE(tab.rowText(2), QStringLiteral("Вес 60кг / Рост 170см"));
        QCOMPARE(tab.rowText(3), QStringLiteral("II группа / Rh+"));
        QCOMPARE(tab.rowText(4), QStringLiteral("Астма"));
        // A field saved empty is present: an empty row that can be deleted, not the field's name.
        QCOMPARE(tab.rowText(5), QString());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(tab.controlOf(i), QStringLiteral("deleteControl"));
        QCOMPARE(tab.screen()->nameButton()->title(), QStringLiteral("Иван Петров"));
        QCOMPARE(tab.screen()->imageButton()->image(),
                 kit::imageNamed(QStringLiteral("noPhoto.png")));

        // A photo stored later shows when the card comes back into view; so does an empty name.
        kit::UserDefaults::standardUserDefaults().setObject(encodedImage(photo), record::OWN_IMAGE);
        kit::UserDefaults::standardUserDefaults().setObject(QString(), record::OWN_NAME);
        tab.selectTab(0);
        tab.selectTab(3);
        QCOMPARE(tab.screen()->imageButton()->image().size(), QSize(66, 50));
        QCOMPARE(tab.screen()->nameButton()->title(), QString());

        // Photo data that do not decode leave the button as it was.
        kit::UserDefaults::standardUserDefaults().setObject(QByteArray("not a picture"),
                                                            record::OWN_IMAGE);
        tab.selectTab(0);
        tab.selectTab(3);
        QCOMPARE(tab.screen()->imageButton()->image().size(), QSize(66, 50));
    }

    void weightOrHeightAloneFillsTheRow()
    {
        {
            CardSession tab({{record::OWN_WEIGHT, QStringLiteral("75")}});
            QCOMPARE(tab.rowText(2), QStringLiteral("Вес 75кг"));
            QCOMPARE(tab.controlOf(2), QStringLiteral("deleteControl"));
        }
        {
            CardSession tab({{record::OWN_GROWTH, QStringLiteral("180")}});
            QCOMPARE(tab.rowText(2), QStringLiteral("Рост 180см"));
            QCOMPARE(tab.controlOf(2), QStringLiteral("deleteControl"));
        }
    }

    void deleteAsksForConfirmationAndRemovesBothMeasures()
    {
        CardSession tab({{record::OWN_WEIGHT, QStringLiteral("75")},
                         {record::OWN_GROWTH, QStringLiteral("180")},
                         {record::OWN_BLOOD, QStringLiteral("I группа / Rh-")}});
        tab.tapControl(2);
        QVERIFY(tab.row(2)->showingDeleteConfirmation());
        QVERIFY(tab.row(2)->deleteConfirmationButton()->isVisible());
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_WEIGHT), QStringLiteral("75"));
        // A touch elsewhere takes the question back and opens nothing.
        tab.tapRow(4);
        QVERIFY(!tab.row(2)->showingDeleteConfirmation());
        QCOMPARE(tab.top(), tab.screen());
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_GROWTH), QStringLiteral("180"));

        tab.tapControl(2);
        QTest::mouseClick(tab.row(2)->deleteConfirmationButton(), Qt::LeftButton);
        QVERIFY(!storedOnDisk(tab.store.path(), record::OWN_WEIGHT));
        QVERIFY(!storedOnDisk(tab.store.path(), record::OWN_GROWTH));
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_BLOOD),
                 QStringLiteral("I группа / Rh-"));
        QCOMPARE(tab.rowText(2), QStringLiteral("Вес/рост"));
        QCOMPARE(tab.controlOf(2), QStringLiteral("insertControl"));
        QCOMPARE(tab.top(), tab.screen());
    }

    void textEditorStartsWithOrdinaryTextAndSavesExactlyWhatItHolds()
    {
        CardSession tab;
        auto* editor = tab.open<card::ChangeInfo>(0);
        QVERIFY(editor);
        QCOMPARE(editor->tableView()->headerLabelForSection(0)->text(),
                 QStringLiteral("Домашний адрес"));
        QCOMPARE(editor->textView()->text(), QStringLiteral("Введите адрес"));
        QCOMPARE(editor->textView()->geometry(), QRect(10, 10, 300, 123));
        QCOMPARE(editor->tableView()->rectForRowAtIndexPath({0, 0}).height(), 143);
        QVERIFY(!tab.saveEnabled());
        // Typed after the starting text, on two lines: all of it is the address.
        editor->textView()->moveCursor(QTextCursor::End);
        typeText(editor->textView(), QStringLiteral(": д. 5"));
        QTest::keyClick(editor->textView(), Qt::Key_Return);
        typeText(editor->textView(), QStringLiteral("кв.\u00a07"));
        QVERIFY(tab.saveEnabled());
        tab.save();
        const QString address = QStringLiteral("Введите адрес: д. 5\nкв.\u00a07");
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_ADDRESS), address);
        QCOMPARE(tab.top(), tab.screen());
        QCOMPARE(tab.rowText(0), address);

        // A stored value replaces the starting text; emptied and saved it stays present.
        editor = tab.open<card::ChangeInfo>(0);
        QCOMPARE(editor->textView()->text(), address);
        editor->textView()->selectAll();
        QTest::keyClick(editor->textView(), Qt::Key_Delete);
        tab.save();
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_ADDRESS), QString());
        QCOMPARE(tab.rowText(0), QString());
        QCOMPARE(tab.controlOf(0), QStringLiteral("deleteControl"));
    }

    void leavingAnEditorWithoutSavingWritesNothing()
    {
        CardSession tab({{record::OWN_NOTE, QStringLiteral("Аллергия на пенициллин")}});
        const QByteArray before = [&] {
            QFile file(tab.store.path());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        auto* editor = tab.open<card::ChangeInfo>(5);
        QCOMPARE(editor->textView()->text(), QStringLiteral("Аллергия на пенициллин"));
        typeText(editor->textView(), QStringLiteral(" и"));
        tab.back();
        // Typing, then a tab switch while the editor is open: asked, and "Не сохранять" brings
        // the card back, unchanged.
        editor = tab.open<card::ChangeInfo>(5);
        typeText(editor->textView(), QStringLiteral(" и"));
        tab.selectTab(0);
        QCOMPARE(tab.app->shell().tabBarController()->selectedIndex(), 3);
        answerSaveQuestion(1);
        QCOMPARE(tab.app->shell().tabBarController()->selectedIndex(), 0);
        tab.selectTab(3);
        QCOMPARE(tab.top(), tab.screen());
        QFile file(tab.store.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(tab.rowText(5), QStringLiteral("Аллергия на пенициллин"));

        // Отмена stays on the editor with the change; Сохранить writes it, then switches.
        editor = tab.open<card::ChangeInfo>(5);
        typeText(editor->textView(), QStringLiteral(" и"));
        tab.selectTab(4);
        answerSaveQuestion(2);
        QCOMPARE(tab.app->shell().tabBarController()->selectedIndex(), 3);
        QCOMPARE(tab.top(), editor);
        tab.selectTab(4);
        answerSaveQuestion(0);
        QCOMPARE(tab.app->shell().tabBarController()->selectedIndex(), 4);
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_NOTE),
                 QStringLiteral("Аллергия на пенициллин и"));
    }

    void nameEditorSetsTheNameButton()
    {
        CardSession tab;
        QTest::mouseClick(tab.screen()->nameButton(), Qt::LeftButton);
        auto* editor = qobject_cast<card::ChangeInfo*>(tab.top());
        QCOMPARE(editor->tableView()->headerLabelForSection(0)->text(),
                 QStringLiteral("Имя Фамилия"));
        QCOMPARE(editor->textView()->text(), QStringLiteral("Введите имя и фамилию"));
        // The starting text opens selected: the first key replaces it, so it never becomes
        // part of the name.
        QCOMPARE(editor->textView()->textCursor().selectedText(),
                 QStringLiteral("Введите имя и фамилию"));
        typeText(editor->textView(), QStringLiteral("Анна Смирнова"));
        // Line breaks after a name are not kept: it is one line on every card.
        QTest::keyClick(editor->textView(), Qt::Key_Return);
        QTest::keyClick(editor->textView(), Qt::Key_Return);
        QCOMPARE(editor->textView()->text(), QStringLiteral("Анна Смирнова\n\n"));
        // Ctrl+Enter saves (a shortcut: it needs the window active and the text focused).
        QApplication::setActiveWindow(tab.app->shell().window());
        editor->textView()->setFocus();
        QTest::keyClick(editor->textView(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_NAME), QStringLiteral("Анна Смирнова"));
        QCOMPARE(tab.top(), tab.screen());
        QCOMPARE(tab.screen()->nameButton()->title(), QStringLiteral("Анна Смирнова"));

        // A stored name opens with the cursor after it, nothing selected; Escape goes back.
        QTest::mouseClick(tab.screen()->nameButton(), Qt::LeftButton);
        editor = qobject_cast<card::ChangeInfo*>(tab.top());
        QVERIFY(editor->textView()->textCursor().selectedText().isEmpty());
        typeText(editor->textView(), QStringLiteral("ва"));
        QTest::keyClick(editor->textView(), Qt::Key_Escape);
        QCOMPARE(tab.top(), tab.screen());
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_NAME), QStringLiteral("Анна Смирнова"));
    }

    void valuesFarLongerThanAnyoneTypesStayWholeAndUsable()
    {
        // Five megabytes pasted into the note, with a character outside the basic plane
        // where the shown part ends, and a long name.
        QString note;
        while (note.size() < 5'000'000)
            note += QStringLiteral("Аллергия на пенициллин, приступы астмы. ");
        note.replace(record::shownLength - 1, 2, QStringLiteral("\U0001F48A"));
        const QString name = QStringLiteral("Анна ").repeated(100'000);
        CardSession tab({{record::OWN_NOTE, note}, {record::OWN_NAME, name}});

        // The card shows a bounded beginning of each, whole characters and "…".
        const QString row = tab.rowText(5);
        QCOMPARE(row.size(), record::shownLength);
        QVERIFY(row.endsWith(QStringLiteral("…")));
        QVERIFY(note.startsWith(row.chopped(1)));
        QVERIFY(!row.at(row.size() - 2).isHighSurrogate());
        QVERIFY(tab.screen()->nameButton()->title().size() <= record::shownLength + 1);

        // The editor takes the beginning and says so; the rest is kept.
        auto* editor = tab.open<card::ChangeInfo>(5);
        QVERIFY(editor);
        const QString head = editor->textView()->text();
        QCOMPARE(head.size(), record::editableLength);
        QVERIFY(note.startsWith(head));
        QVERIFY(editor->longValueNote() && editor->longValueNote()->isVisible());
        QVERIFY(!tab.saveEnabled());
        // Back without a change writes nothing; a change saves the edit and the rest.
        tab.back();
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_NOTE), note);
        editor = tab.open<card::ChangeInfo>(5);
        editor->textView()->moveCursor(QTextCursor::Start);
        typeText(editor->textView(), QStringLiteral("ВАЖНО: "));
        QVERIFY(tab.saveEnabled());
        tab.save();
        QCOMPARE(tab.top(), tab.screen());
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_NOTE),
                 QStringLiteral("ВАЖНО: ") + note);
        QVERIFY(tab.rowText(5).startsWith(QStringLiteral("ВАЖНО: Аллергия")));

        // An ordinary value opens whole, with no note.
        editor = tab.open<card::ChangeInfo>(0);
        QVERIFY(!editor->longValueNote());
    }

    void weightEditorOpensOnTheDefaultsAndChangesOnlyTheTurnedWheel()
    {
        CardSession tab({{record::OWN_WEIGHT, QStringLiteral("75")},
                         {record::OWN_GROWTH, QStringLiteral("180")}});
        auto* editor = tab.open<card::ChangeWeight>(2);
        QVERIFY(editor);
        kit::PickerView* wheels = editor->weightPicker();
        QCOMPARE(wheels->geometry(), QRect(0, 151, 320, 216));
        QVERIFY(wheels->isVisible());
        QCOMPARE(tab.editorRow(), QStringLiteral("Вес 75кг / Рост 180см"));
        QCOMPARE(wheels->selectedRowInComponent(0), 55);
        QCOMPARE(wheels->selectedRowInComponent(1), 165);
        QCOMPARE(tab.wheelText(wheels, 0), QStringLiteral("60"));
        QCOMPARE(tab.wheelText(wheels, 1), QStringLiteral("170"));
        QVERIFY(!tab.saveEnabled());
        // The wheels offer 5 to 299.
        QCOMPARE(wheels->numberOfRowsInComponent(0), 295);
        QCOMPARE(wheels->numberOfRowsInComponent(1), 295);
        wheels->selectRow(0, 0, false);
        QCOMPARE(tab.wheelText(wheels, 0), QStringLiteral("5"));
        wheels->selectRow(294, 1, false);
        QCOMPARE(tab.wheelText(wheels, 1), QStringLiteral("299"));

        wheels->userSelectRow(56, 0);
        QCOMPARE(tab.editorRow(), QStringLiteral("Вес 61кг / Рост 180см"));
        QVERIFY(tab.saveEnabled());
        tab.save();
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_WEIGHT), QStringLiteral("61"));
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_GROWTH), QStringLiteral("180"));
        QCOMPARE(tab.rowText(2), QStringLiteral("Вес 61кг / Рост 180см"));
    }

    void weightEditorKeepsWhatIsStoredAndSavesWhatItShows()
    {
        {
            CardSession tab;
            auto* editor = tab.open<card::ChangeWeight>(2);
            QCOMPARE(tab.editorRow(), QStringLiteral("Вес 60кг / Рост 170см"));
            editor->weightPicker()->userSelectRow(160, 1);
            tab.save();
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_WEIGHT), QStringLiteral("60"));
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_GROWTH), QStringLiteral("165"));
        }
        {
            // A weight stored alone is kept when the height wheel moves.
            CardSession tab({{record::OWN_WEIGHT, QStringLiteral("75")}});
            auto* editor = tab.open<card::ChangeWeight>(2);
            QCOMPARE(tab.editorRow(), QStringLiteral("Вес 75кг / Рост 170см"));
            QVERIFY(!tab.saveEnabled());
            editor->weightPicker()->userSelectRow(60, 1);
            tab.save();
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_WEIGHT), QStringLiteral("75"));
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_GROWTH), QStringLiteral("65"));
        }
        {
            // Nothing stored: what the row shows is saved as it is.
            CardSession tab;
            tab.open<card::ChangeWeight>(2);
            QVERIFY(tab.saveEnabled());
            tab.save();
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_WEIGHT), QStringLiteral("60"));
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_GROWTH), QStringLiteral("170"));
        }
    }

    void bloodEditorReplacesOnlyTheTurnedHalf()
    {
        {
            // Nothing stored: the group the row shows can be saved as it is.
            CardSession tab;
            tab.open<card::ChangeBlood>(3);
            QCOMPARE(tab.editorRow(), QStringLiteral("II группа / Rh+"));
            QVERIFY(tab.saveEnabled());
            tab.save();
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_BLOOD),
                     QStringLiteral("II группа / Rh+"));
        }
        {
            CardSession tab;
            auto* editor = tab.open<card::ChangeBlood>(3);
            QCOMPARE(tab.wheelText(editor->picker(), 0), QStringLiteral("II"));
            QCOMPARE(tab.wheelText(editor->picker(), 1), QStringLiteral("+"));
            editor->picker()->userSelectRow(3, 0);
            QCOMPARE(tab.editorRow(), QStringLiteral("IV группа / Rh+"));
            tab.save();
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_BLOOD),
                     QStringLiteral("IV группа / Rh+"));
        }
        {
            CardSession tab({{record::OWN_BLOOD, QStringLiteral("I группа / Rh-")}});
            auto* editor = tab.open<card::ChangeBlood>(3);
            QCOMPARE(tab.editorRow(), QStringLiteral("I группа / Rh-"));
            QCOMPARE(editor->picker()->selectedRowInComponent(0), 1);
            QCOMPARE(editor->picker()->selectedRowInComponent(1), 0);
            editor->picker()->userSelectRow(1, 1);
            editor->picker()->userSelectRow(0, 1);
            tab.save();
            QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_BLOOD),
                     QStringLiteral("I группа / Rh+"));
        }
    }

    void bloodValueWithoutSeparatorIsKeptWhole()
    {
        CardSession tab({{record::OWN_BLOOD, QStringLiteral("AB(IV)")}});
        auto* editor = tab.open<card::ChangeBlood>(3);
        QCOMPARE(editor->group(), QStringLiteral("AB(IV)"));
        QCOMPARE(tab.editorRow(), QStringLiteral("AB(IV) / Rh+"));
        editor->picker()->userSelectRow(3, 0);
        tab.back();
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_BLOOD), QStringLiteral("AB(IV)"));
    }

    void birthdayKeepsItsStoredWordingUntilThePickerMoves()
    {
        CardSession tab({{record::OWN_BIRTHDAY, QStringLiteral("March 2, 1985")}});
        auto* editor = tab.open<card::ChangeDate>(1);
        QCOMPARE(editor->tableView()->headerLabelForSection(0)->text(),
                 QStringLiteral("Дата рождения"));
        QCOMPARE(editor->datePicker()->geometry(), QRect(0, 151, 320, 216));
        QCOMPARE(tab.editorRow(), QStringLiteral("March 2, 1985"));
        QVERIFY(!tab.saveEnabled());
        // The wheels open on the stored date, read from its English wording.
        QCOMPARE(editor->datePicker()->date(), QDate(1985, 3, 2));
        // Only the year turns: day and month stay; the date is written in Russian.
        editor->datePicker()->userSetDate(QDate(1986, 3, 2));
        QCOMPARE(tab.editorRow(), QStringLiteral("2 марта 1986 г."));
        QVERIFY(tab.saveEnabled());
        tab.save();
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_BIRTHDAY),
                 QStringLiteral("2 марта 1986 г."));
        QCOMPARE(tab.rowText(1), QStringLiteral("2 марта 1986 г."));

        // Nothing stored: a blank row, and moving the picker then going back writes nothing new.
        kit::UserDefaults::standardUserDefaults().removeObjectForKey(record::OWN_BIRTHDAY);
        tab.selectTab(0);
        tab.selectTab(3);
        editor = tab.open<card::ChangeDate>(1);
        QCOMPARE(tab.editorRow(), QString());
        QVERIFY(!tab.saveEnabled());
        editor->datePicker()->userSetDate(QDate(1990, 12, 31));
        tab.back();
        QVERIFY(!kit::UserDefaults::standardUserDefaults().stringForKey(record::OWN_BIRTHDAY));
    }

    void aNewDateIsWrittenInRussianWhateverTheDesktopsLanguage()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        CardSession tab({{record::OWN_BIRTHDAY, QStringLiteral("12 марта 1985 г.")}});
        auto* editor = tab.open<card::ChangeDate>(1);
        QCOMPARE(editor->datePicker()->date(), QDate(1985, 3, 12));
        // The month wheel speaks Russian too.
        QCOMPARE(editor->datePicker()->locale().language(), QLocale::Russian);
        editor->datePicker()->userSetDate(QDate(1986, 3, 12));
        QCOMPARE(tab.editorRow(), QStringLiteral("12 марта 1986 г."));
        // An unreadable stored text leaves the wheels where they start, and shows as stored.
        tab.back();
        tab.store.set(record::OWN_BIRTHDAY, QStringLiteral("весной 1985"));
        editor = tab.open<card::ChangeDate>(1);
        QCOMPARE(tab.editorRow(), QStringLiteral("весной 1985"));
        QCOMPARE(editor->datePicker()->date(), QDate(1980, 1, 1));
    }

    void birthdayTextIsTheLongDateWithoutTheWeekday()
    {
        const QDate date(2026, 12, 7);
        QCOMPARE(record::formatBirthday(date, QLocale(QLocale::Russian, QLocale::Russia)),
                 QStringLiteral("7 декабря 2026 г."));
        QCOMPARE(record::formatBirthday(date, QLocale(QLocale::English, QLocale::UnitedStates)),
                 QStringLiteral("December 7, 2026"));
        QCOMPARE(record::formatBirthday(date, QLocale(QLocale::German, QLocale::Germany)),
                 QStringLiteral("7. Dezember 2026"));
        QCOMPARE(record::formatBirthday(date, QLocale(QLocale::Hungarian, QLocale::Hungary)),
                 QStringLiteral("2026. december 7."));
    }

    void thumbnailsHaveALongerSideOf66()
    {
        // Sides are rounded to the nearest pixel, halves up: 49.5 becomes 50.
        const QList<std::pair<QSize, QSize>> cases = {
            {{1600, 1200}, {66, 50}}, {{1200, 1600}, {50, 66}}, {{40, 40}, {66, 66}},
            {{66, 66}, {66, 66}},     {{1000, 1}, {66, 1}},     {{3, 2}, {66, 44}},
        };
        for (const auto& [source, expected] : cases) {
            const QByteArray png = record::photoThumbnail(picture(source.width(), source.height()));
            QVERIFY(png.startsWith("\x89PNG"));
            const QImage stored = QImage::fromData(png, "PNG");
            QCOMPARE(stored.size(), expected);
            // Filled edge to edge: no transparent strip left by the rounding.
            QCOMPARE(stored.pixelColor(stored.width() - 1, stored.height() - 1).alpha(), 255);
        }
        QVERIFY(record::photoThumbnail(QImage()).isEmpty());
    }

    void pickedPhotoReplacesTheEarlierOne()
    {
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("portrait.jpg"));
        QVERIFY(picture(1200, 1600, Qt::blue).save(path, "JPG"));
        CardSession tab;
        kit::UserDefaults::standardUserDefaults().setObject(encodedImage(picture(66, 66, Qt::red)),
                                                            record::OWN_IMAGE);
        ChosenFile chooser(path);
        QTest::mouseClick(tab.screen()->imageButton(), Qt::LeftButton);
        auto* screen = qobject_cast<card::ChangeImage*>(tab.top());
        QVERIFY(screen);
        kit::ActionSheet* sheet = screen->actionSheet();
        QVERIFY(sheet && sheet->isVisible());
        // A photo is set: it can be taken away too.
        QCOMPARE(sheet->buttonTitleAtIndex(0), QStringLiteral("Камера"));
        QCOMPARE(sheet->buttonTitleAtIndex(1), QStringLiteral("Библиотека"));
        QCOMPARE(sheet->buttonTitleAtIndex(2), QStringLiteral("Удалить фото"));
        QCOMPARE(sheet->buttonTitleAtIndex(3), QStringLiteral("Отмена"));
        QTest::mouseClick(sheet->buttonAtIndex(1), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return tab.top() == tab.screen(); }, 5000));
        const kit::UserDefaults onDisk(tab.store.path());
        const QImage stored =
            QImage::fromData(onDisk.objectForKey(record::OWN_IMAGE).toByteArray());
        QCOMPARE(stored.size(), QSize(50, 66));
        QCOMPARE(stored.pixelColor(25, 33).blue() > 200, true);
        QCOMPARE(tab.screen()->imageButton()->image().size(), QSize(50, 66));
        // A copy for paper too, sharp at the printed size; the wallet card prints that one.
        const QImage print =
            QImage::fromData(onDisk.objectForKey(record::OWN_IMAGE_PRINT).toByteArray(), "JPEG");
        QCOMPARE(print.size(), QSize(450, 600));
        QCOMPARE(record::storedWalletCard().photo.size(), QSize(450, 600));
    }

    void thePhotoCanBeDeletedAfterOneQuestion()
    {
        CardSession tab;
        kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
        defaults.setObject(encodedImage(picture(66, 66, Qt::red)), record::OWN_IMAGE);
        defaults.setObject(encodedImage(picture(600, 600, Qt::red)), record::OWN_IMAGE_PRINT);
        defaults.synchronize();
        for (const int answer : {1, 0}) {
            QTest::mouseClick(tab.screen()->imageButton(), Qt::LeftButton);
            auto* screen = qobject_cast<card::ChangeImage*>(tab.top());
            QTest::mouseClick(screen->actionSheet()->buttonAtIndex(2), Qt::LeftButton);
            const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
            QCOMPARE(alerts.size(), 1);
            QCOMPARE(alerts.constFirst()->title(), QStringLiteral("Удалить фото?"));
            QTest::mouseClick(alerts.constFirst()->buttonAt(answer), Qt::LeftButton);
            QVERIFY(waitUntil([&] { return tab.top() == tab.screen(); }, 5000));
            // Отмена keeps it; Удалить takes both the photo and its copy for paper.
            const bool kept = answer == 1;
            QCOMPARE(!kit::UserDefaults(tab.store.path()).objectForKey(record::OWN_IMAGE).isNull(),
                     kept);
            QCOMPARE(
                !kit::UserDefaults(tab.store.path()).objectForKey(record::OWN_IMAGE_PRINT).isNull(),
                kept);
        }
        QCOMPARE(tab.screen()->imageButton()->image(),
                 kit::imageNamed(QStringLiteral("noPhoto.png")));
        // Without a photo the sheet offers no deleting.
        QTest::mouseClick(tab.screen()->imageButton(), Qt::LeftButton);
        auto* screen = qobject_cast<card::ChangeImage*>(tab.top());
        QCOMPARE(screen->actionSheet()->numberOfButtons(), 3);
    }

    void cancelOrABadFileLeavesThePhotoAlone()
    {
        QTemporaryDir files;
        const QString text = files.filePath(QStringLiteral("notes.png"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
        file.close();
        const QByteArray earlier = encodedImage(picture(66, 66, Qt::red));
        CardSession tab;
        kit::UserDefaults::standardUserDefaults().setObject(earlier, record::OWN_IMAGE);
        kit::UserDefaults::standardUserDefaults().synchronize();

        // The sheet's own cancel.
        QTest::mouseClick(tab.screen()->imageButton(), Qt::LeftButton);
        auto* screen = qobject_cast<card::ChangeImage*>(tab.top());
        QTest::mouseClick(
            screen->actionSheet()->buttonAtIndex(screen->actionSheet()->cancelButtonIndex()),
            Qt::LeftButton);
        QCOMPARE(tab.top(), tab.screen());

        // The library's cancel, then a file that is not a picture, which is said.
        for (const std::optional<QString>& chosen :
             {std::optional<QString>(), std::optional<QString>(text)}) {
            ChosenFile chooser(chosen);
            QTest::mouseClick(tab.screen()->imageButton(), Qt::LeftButton);
            screen = qobject_cast<card::ChangeImage*>(tab.top());
            QTest::mouseClick(screen->actionSheet()->buttonAtIndex(1), Qt::LeftButton);
            QVERIFY(waitUntil([&] { return tab.top() == tab.screen(); }, 5000));
            const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
            QCOMPARE(alerts.size(), chosen ? 1 : 0);
            if (chosen) {
                QCOMPARE(alerts.constFirst()->title(), QStringLiteral("Фото не выбрано"));
                QVERIFY(alerts.constFirst()->message().contains(QStringLiteral("notes.png")));
                alerts.constFirst()->dismiss();
            }
        }
        QCOMPARE(kit::UserDefaults(tab.store.path()).objectForKey(record::OWN_IMAGE).toByteArray(),
                 earlier);
    }
};

FIRSTAID_TEST_MAIN(TestCard)

#include "tst_card.moc"
