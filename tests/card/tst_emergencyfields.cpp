// SPDX-License-Identifier: GPL-3.0-or-later
// The card's section for the emergency services (allergies, medicines, the people to
// call), their editors and the number's check, stores written before the section
// existed, and the card printed through the print dialog.

#include "CardSession.h"
#include "TestSupport.h"

#include "card/ChangeContact.h"
#include "card/ChangeInfo.h"
#include "card/ContactList.h"
#include "kit/pickers/AlertView.h"
#include "kit/platform/Printer.h"
#include "kit/views/Control.h"
#include "record/PersonalRecord.h"

#include <QDialog>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

constexpr int section = card::CardScreen::emergencySection;

// The row of a field of the section for the emergency services.
int rowOf(record::Field field)
{
    return card::CardScreen::indexPathOf(field)->row;
}

QJsonObject storedJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The owner clears a line and types into it.
void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    typeText(field, text);
}

QString alertMessage()
{
    const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
    return alerts.isEmpty() ? QString() : alerts.constLast()->message();
}

void dismissAlert()
{
    const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
    if (!alerts.isEmpty())
        QTest::mouseClick(alerts.constLast()->button(), Qt::LeftButton);
}

// A print service that draws the page on a PDF of its own, or fails, as told.
class PaperPrinter final : public kit::PrintService {
public:
    explicit PaperPrinter(QString path, bool fail = false) : _path(std::move(path)), _fail(fail) {}
    bool print(QWidget*, const QString& documentName, Paint paint, Finished finished) override
    {
        documents << documentName;
        if (_fail) {
            finished({kit::PrintOutcome::Failed, _path, QStringLiteral("disk full")});
            return true;
        }
        QPdfWriter writer(_path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        paint(painter, writer);
        painter.end();
        finished({kit::PrintOutcome::Printed, _path, {}});
        return true;
    }
    QStringList documents;

private:
    QString _path;
    bool _fail;
};

struct PrinterInPlace {
    explicit PrinterInPlace(kit::PrintService* service) { kit::Printer::setService(service); }
    ~PrinterInPlace() { kit::Printer::setService(nullptr); }
};

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestEmergencyFields final : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void theSectionSitsUnderTheSixRowsAndItsTextsAreEdited()
    {
        CardSession tab;
        kit::TableView* table = tab.screen()->tableView();
        QCOMPARE(table->numberOfSections(), 2);
        QCOMPARE(table->numberOfRowsInSection(0), 6);
        QCOMPARE(table->numberOfRowsInSection(section), 3);
        QVERIFY(!table->headerLabelForSection(0));
        QCOMPARE(table->headerLabelForSection(section)->text(),
                 QStringLiteral("Для экстренных служб"));
        // The section lies below the card's last row.
        QVERIFY(table->rectForRowAtIndexPath({section, 0}).top() >
                table->rectForRowAtIndexPath({0, 5}).bottom());
        const QStringList names = {QStringLiteral("Аллергии"), QStringLiteral("Лекарства"),
                                   QStringLiteral("Экстренные контакты")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(tab.rowText(i, section), names[i]);
            QCOMPARE(tab.controlOf(i, section), QStringLiteral("insertControl"));
        }
        QCOMPARE(tab.cardTab->stack()->navigationBar()->rightButton()->accessibleName(),
                 QStringLiteral("Печать карты для кошелька"));

        // The allergies: the text editor, saved as typed.
        auto* editor = tab.open<card::ChangeInfo>(rowOf(record::Allergy), section);
        QVERIFY(editor);
        QCOMPARE(editor->field(), record::Allergy);
        QCOMPARE(editor->title(), QStringLiteral("Аллергии"));
        QCOMPARE(editor->textView()->text(), QStringLiteral("Введите, на что аллергия"));
        QVERIFY(!tab.saveEnabled());
        editor->textView()->selectAll();
        typeText(editor->textView(), QStringLiteral("Пенициллин: отёк Квинке"));
        tab.save();
        QCOMPARE(tab.top(), tab.screen());
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_ALLERGY),
                 QStringLiteral("Пенициллин: отёк Квинке"));
        QCOMPARE(tab.rowText(rowOf(record::Allergy), section),
                 QStringLiteral("Пенициллин: отёк Квинке"));
        QCOMPARE(tab.controlOf(rowOf(record::Allergy), section), QStringLiteral("deleteControl"));

        // The medicines through the add control; back writes nothing.
        tab.tapControl(rowOf(record::Medicine), section);
        editor = qobject_cast<card::ChangeInfo*>(tab.top());
        QVERIFY(editor);
        QCOMPARE(editor->field(), record::Medicine);
        typeText(editor->textView(), QStringLiteral("Инсулин"));
        tab.back();
        QVERIFY(!storedOnDisk(tab.store.path(), record::OWN_MEDICINE));
        // The card's six rows are as they were.
        QCOMPARE(tab.rowText(0), QStringLiteral("Домашний адрес"));
        QCOMPARE(tab.rowText(5), QStringLiteral("Заметки"));
        // Deleting the allergies leaves the other fields alone.
        tab.store.set(record::OWN_ILLNESS, QStringLiteral("Астма"));
        tab.tapControl(rowOf(record::Allergy), section);
        QTest::mouseClick(tab.row(rowOf(record::Allergy), section)->deleteConfirmationButton(),
                          Qt::LeftButton);
        QVERIFY(!storedOnDisk(tab.store.path(), record::OWN_ALLERGY));
        QCOMPARE(storedOnDisk(tab.store.path(), record::OWN_ILLNESS), QStringLiteral("Астма"));
    }

    void theContactsRowNamesThePeopleAndDeletesThemTogether()
    {
        CardSession tab({{record::contactKey(0, "NAME"), QStringLiteral("Анна")},
                         {record::contactKey(0, "WHO"), QStringLiteral("мама")},
                         {record::contactKey(0, "PHONE"), QStringLiteral("+7 916 123-45-67")},
                         {record::contactKey(2, "NAME"), QStringLiteral("Пётр")},
                         {record::contactKey(2, "PHONE"), QStringLiteral("8 812 555-12-34")},
                         {record::OWN_MEDICINE, QStringLiteral("Аспирин")}});
        QCOMPARE(tab.rowText(rowOf(record::Contacts), section),
                 QStringLiteral("Анна (мама), Пётр"));
        QCOMPARE(tab.controlOf(rowOf(record::Contacts), section), QStringLiteral("deleteControl"));
        tab.tapControl(rowOf(record::Contacts), section);
        QTest::mouseClick(tab.row(rowOf(record::Contacts), section)->deleteConfirmationButton(),
                          Qt::LeftButton);
        const QJsonObject stored = storedJson(tab.store.path());
        for (const QString& key : record::contactKeys())
            QVERIFY2(!stored.contains(key), qPrintable(key));
        QCOMPARE(stored.value(record::OWN_MEDICINE).toString(), QStringLiteral("Аспирин"));
        QCOMPARE(tab.rowText(rowOf(record::Contacts), section),
                 QStringLiteral("Экстренные контакты"));
    }

    void theListAddsEditsAndRemovesUpToThreePeople()
    {
        // A store with only the second place filled, as another program might leave it.
        CardSession tab({{record::contactKey(1, "NAME"), QStringLiteral("Пётр")},
                         {record::contactKey(1, "PHONE"), QStringLiteral("8 812 555-12-34")}});
        auto* list = tab.open<card::ContactList>(rowOf(record::Contacts), section);
        QVERIFY(list);
        QCOMPARE(list->tableView()->numberOfRowsInSection(0), 2);
        QCOMPARE(tab.top()->title(), QStringLiteral("Контакты"));
        const auto listRow = [&](int row) {
            return list->tableView()->cellForRowAtIndexPath({0, row});
        };
        QCOMPARE(listRow(0)->textLabel()->text(), QStringLiteral("Пётр: 8 812 555-12-34"));
        QCOMPARE(listRow(1)->textLabel()->text(), QStringLiteral("Добавить контакт"));
        QCOMPARE(listRow(1)->editingControl()->objectName(), QStringLiteral("insertControl"));

        // The add row fills the first empty place.
        auto* editor = tab.open<card::ChangeContact>(1);
        QVERIFY(editor);
        QCOMPARE(editor->slot(), 0);
        QVERIFY(!tab.saveEnabled());
        QCOMPARE(editor->view()->window()->focusWidget(),
                 editor->field(card::ChangeContact::NameRow));
        typeText(editor->field(card::ChangeContact::NameRow), QStringLiteral("Анна Иванова"));
        typeText(editor->field(card::ChangeContact::WhoRow), QStringLiteral("мама"));
        typeText(editor->field(card::ChangeContact::PhoneRow),
                 QStringLiteral("+7 (916) 123-45-67"));
        QVERIFY(tab.saveEnabled());
        tab.save();
        QCOMPARE(tab.top(), list);
        QCOMPARE(storedOnDisk(tab.store.path(), record::contactKey(0, "NAME")),
                 QStringLiteral("Анна Иванова"));
        QCOMPARE(storedOnDisk(tab.store.path(), record::contactKey(0, "PHONE")),
                 QStringLiteral("+7 (916) 123-45-67"));
        QCOMPARE(list->tableView()->numberOfRowsInSection(0), 3);
        QCOMPARE(listRow(0)->textLabel()->text(),
                 QStringLiteral("Анна Иванова (мама): +7 (916) 123-45-67"));

        // A third person: no place is left to add to.
        editor = tab.open<card::ChangeContact>(2);
        QCOMPARE(editor->slot(), 2);
        typeText(editor->field(card::ChangeContact::PhoneRow), QStringLiteral("112"));
        tab.save();
        QCOMPARE(list->tableView()->numberOfRowsInSection(0), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(listRow(row)->editingControl()->objectName(), QStringLiteral("deleteControl"));

        // Editing a person opens what is stored; emptying every line removes the person.
        editor = tab.open<card::ChangeContact>(1);
        QCOMPARE(editor->field(card::ChangeContact::NameRow)->text(), QStringLiteral("Пётр"));
        retype(editor->field(card::ChangeContact::NameRow), QString());
        retype(editor->field(card::ChangeContact::PhoneRow), QString());
        tab.save();
        QVERIFY(!storedOnDisk(tab.store.path(), record::contactKey(1, "NAME")));
        QVERIFY(!storedOnDisk(tab.store.path(), record::contactKey(1, "PHONE")));
        QCOMPARE(list->tableView()->numberOfRowsInSection(0), 3);
        QCOMPARE(listRow(2)->textLabel()->text(), QStringLiteral("Добавить контакт"));

        // The delete control, confirmed, removes one person.
        QTest::mouseClick(listRow(0)->editingControl(), Qt::LeftButton);
        QTest::mouseClick(listRow(0)->deleteConfirmationButton(), Qt::LeftButton);
        QVERIFY(!storedOnDisk(tab.store.path(), record::contactKey(0, "NAME")));
        QCOMPARE(storedOnDisk(tab.store.path(), record::contactKey(2, "PHONE")),
                 QStringLiteral("112"));
        QCOMPARE(list->tableView()->numberOfRowsInSection(0), 2);
        tab.back();
        QCOMPARE(tab.rowText(rowOf(record::Contacts), section), QStringLiteral("112"));
    }

    void theNumberIsCheckedAsTypedAndRefusedWithAReason()
    {
        CardSession tab;
        tab.open<card::ContactList>(rowOf(record::Contacts), section);
        auto* editor = tab.open<card::ChangeContact>(0);
        QVERIFY(editor);
        QLineEdit* phone = editor->field(card::ChangeContact::PhoneRow);
        kit::Label* note = editor->phoneNote();
        const QColor quiet = note->palette().color(QPalette::WindowText);
        QVERIFY(note->isVisible());
        QVERIFY(QString(note->text())
                    .replace(QChar(0xa0), QLatin1Char(' '))
                    .contains(QStringLiteral("+7 916 123-45-67")));
        QVERIFY(note->y() > editor->tableView()->rectForRowAtIndexPath({0, 2}).bottom());

        // Digits still to come are said quietly; a character that does not belong, in red.
        typeText(editor->field(card::ChangeContact::NameRow), QStringLiteral("Анна"));
        retype(phone, QStringLiteral("+7 (916) 12"));
        QCOMPARE(note->text(), QStringLiteral("После +7 нужно 10 цифр, а здесь 5."));
        QCOMPARE(note->palette().color(QPalette::WindowText), quiet);
        typeText(phone, QStringLiteral("3-45-67 доб"));
        QVERIFY(note->text().contains(QStringLiteral("«д»")));
        QVERIFY(note->palette().color(QPalette::WindowText) != quiet);

        // Save refuses, says why, keeps the editor and writes nothing; the keyboard goes
        // back to the number.
        tab.save();
        QCOMPARE(alertMessage(), note->text());
        QCOMPARE(tab.top(), editor);
        QVERIFY(!storedOnDisk(tab.store.path(), record::contactKey(0, "PHONE")));
        dismissAlert();
        QCOMPARE(editor->view()->window()->focusWidget(), phone);

        // A name with no number at all.
        retype(phone, QStringLiteral("  "));
        tab.save();
        QVERIFY(alertMessage().startsWith(QStringLiteral("Введите номер телефона")));
        dismissAlert();
        QCOMPARE(tab.top(), editor);

        // The 8 form, stored as written (the line's outer spaces trimmed).
        retype(phone, QStringLiteral(" 8 (916) 123-45-67 "));
        QVERIFY(note->text().startsWith(QStringLiteral("Номер пишется как привычно")));
        QTest::keyClick(phone, Qt::Key_Return);
        QCOMPARE(tab.top()->title(), QStringLiteral("Контакты"));
        QCOMPARE(storedOnDisk(tab.store.path(), record::contactKey(0, "PHONE")),
                 QStringLiteral("8 (916) 123-45-67"));
        QVERIFY(!storedOnDisk(tab.store.path(), record::contactKey(0, "WHO")));
    }

    void aPersonThatCannotBeWrittenIsReportedAndTheEditorStays()
    {
        CardSession tab;
        // The store's folder is an ordinary file: nothing can be created in it.
        QTemporaryDir folder;
        const QString blocker = folder.filePath(QStringLiteral("card"));
        {
            QFile file(blocker);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("in the way");
        }
        const QString path = blocker + QStringLiteral("/defaults.json");
        kit::UserDefaults::setStandardPath(path);
        tab.open<card::ContactList>(rowOf(record::Contacts), section);
        auto* editor = tab.open<card::ChangeContact>(0);
        QVERIFY(editor);
        typeText(editor->field(card::ChangeContact::PhoneRow), QStringLiteral("112"));
        tab.save();
        QCOMPARE(kit::AlertView::visibleAlerts().size(), 1);
        QCOMPARE(kit::AlertView::visibleAlerts().constFirst()->title(),
                 QStringLiteral("Карта не сохранена"));
        QCOMPARE(tab.top(), editor);
        dismissAlert();
        // Once there is room, the same Save writes it.
        QVERIFY(QFile::remove(blocker));
        tab.save();
        QVERIFY(kit::AlertView::visibleAlerts().isEmpty());
        QCOMPARE(storedOnDisk(path, record::contactKey(0, "PHONE")), QStringLiteral("112"));
        QCOMPARE(tab.top()->title(), QStringLiteral("Контакты"));
    }

    void numberForms_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("address");
        const int good = record::PhoneCheck::Good;
        const int incomplete = record::PhoneCheck::Incomplete;
        const int wrong = record::PhoneCheck::Wrong;
        QTest::newRow("+7 with spaces and dashes")
            << "+7 916 123-45-67" << good << "tel:+79161234567";
        QTest::newRow("8 with brackets") << "8 (916) 123-45-67" << good << "tel:89161234567";
        QTest::newRow("outer spaces") << "  +7-916-123-45-67 " << good << "tel:+79161234567";
        QTest::newRow("emergency number") << "112" << good << "tel:112";
        QTest::newRow("local number") << "55-12-34" << good << "tel:551234";
        QTest::newRow("short 8 number") << "812 34" << good << "tel:81234";
        QTest::newRow("another country") << "+44 20 7946 0958" << good << "tel:+442079460958";
        QTest::newRow("nothing") << "" << incomplete << "tel:";
        QTest::newRow("no digits") << "( ) -" << incomplete << "tel:";
        QTest::newRow("+7 short") << "+7 916 123" << incomplete << "tel:+7916123";
        QTest::newRow("8 short") << "8 916 123 45 6" << incomplete << "tel:8916123456";
        QTest::newRow("bracket left open")
            << "+7 (916 123-45-67" << incomplete << "tel:+79161234567";
        QTest::newRow("8 long") << "8 916 123 45 678" << wrong << "tel:891612345678";
        QTest::newRow("+7 long") << "+7 916 123-45-67 8" << wrong << "tel:+791612345678";
        QTest::newRow("plus inside") << "7+916" << wrong << "tel:7916";
        QTest::newRow("closing first") << "916)123" << wrong << "tel:916123";
        QTest::newRow("nested") << "((916))" << wrong << "tel:916";
        QTest::newRow("extension") << "8 916 123 45 67 доб. 5" << wrong << "tel:891612345675";
        QTest::newRow("sixteen digits") << "1234567890123456" << wrong << "tel:1234567890123456";
    }

    void numberForms()
    {
        QFETCH(QString, number);
        QFETCH(int, verdict);
        QFETCH(QString, address);
        const record::PhoneCheck check = record::checkPhone(number);
        QCOMPARE(int(check.verdict), verdict);
        QCOMPARE(check.message.isEmpty(), verdict == record::PhoneCheck::Good);
        QCOMPARE(record::telephoneAddress(number), address);
    }

    void oldStoresOpenUnchangedAndUnknownKeysSurviveARewrite()
    {
        CardSession tab;
        // A store as written before the section existed, with a key of some later build.
        const QJsonObject old{
            {record::OWN_NAME, QStringLiteral("Иван Петров")},
            {record::OWN_ADDRESS, QStringLiteral("Москва")},
            {record::OWN_BIRTHDAY, QStringLiteral("7 декабря 1980 г.")},
            {record::OWN_WEIGHT, QStringLiteral("80")},
            {record::OWN_GROWTH, QStringLiteral("180")},
            {record::OWN_BLOOD, QStringLiteral("I группа / Rh-")},
            {record::OWN_ILLNESS, QStringLiteral("Астма")},
            {record::OWN_NOTE, QStringLiteral("Очки")},
            {QStringLiteral("OWN_SOMETHING_LATER"), QStringLiteral("из будущей версии")},
        };
        {
            QFile file(tab.store.path());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QJsonDocument(old).toJson());
        }
        tab.selectTab(0);
        tab.selectTab(3);
        QCOMPARE(tab.rowText(0), QStringLiteral("Москва"));
        QCOMPARE(tab.rowText(3), QStringLiteral("I группа / Rh-"));
        QCOMPARE(tab.rowText(rowOf(record::Allergy), section), QStringLiteral("Аллергии"));
        QCOMPARE(tab.rowText(rowOf(record::Contacts), section),
                 QStringLiteral("Экстренные контакты"));

        // This build writes its new keys beside the old ones and changes none of them.
        auto* editor = tab.open<card::ChangeInfo>(rowOf(record::Medicine), section);
        editor->textView()->selectAll();
        typeText(editor->textView(), QStringLiteral("Сальбутамол"));
        tab.save();
        QJsonObject expected = old;
        expected.insert(record::OWN_MEDICINE, QStringLiteral("Сальбутамол"));
        QCOMPARE(storedJson(tab.store.path()), expected);

        // A build that knows none of the new keys rewrites the store with its own save: they
        // stay, as every key it does not know does.
        {
            kit::UserDefaults older(tab.store.path());
            older.setObject(QStringLiteral("Очки, линзы"), record::OWN_NOTE);
            QVERIFY(older.synchronize());
        }
        expected.insert(record::OWN_NOTE, QStringLiteral("Очки, линзы"));
        QCOMPARE(storedJson(tab.store.path()), expected);
    }

    void printingHandsTheWalletCardToThePrinter()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("card.pdf"));
        CardSession tab({{record::OWN_NAME, QStringLiteral("Иван Петров")},
                         {record::OWN_BLOOD, QStringLiteral("I группа / Rh-")}});
        {
            PaperPrinter printer(pdf);
            PrinterInPlace inPlace(&printer);
            tab.save();
            QCOMPARE(printer.documents, QStringList{QStringLiteral("Медицинская карта")});
            QVERIFY(kit::AlertView::visibleAlerts().isEmpty());
            if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
                const QString text = pdfText(pdf);
                QVERIFY2(text.contains(QStringLiteral("Иван Петров")), qPrintable(text));
                QVERIFY(text.contains(QStringLiteral("I группа / Rh-")));
            }
        }
        {
            PaperPrinter failing(pdf, true);
            PrinterInPlace inPlace(&failing);
            tab.save();
            QVERIFY(alertMessage().contains(QStringLiteral("disk full")));
            dismissAlert();
        }
    }

    void thePrintDialogOffersAFileAndWritesItOwnerOnly()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("карта.pdf"));
        CardSession tab({{record::OWN_NAME, QStringLiteral("Мария Иванова")},
                         {record::OWN_ALLERGY, QStringLiteral("Пенициллин")}});
        tab.save();
        QDialog* dialog = nullptr;
        QVERIFY(waitUntil(
            [&] {
                for (QWidget* widget : QApplication::topLevelWidgets())
                    if (widget->inherits("QPrintDialog") && widget->isVisible())
                        dialog = static_cast<QDialog*>(widget);
                return dialog != nullptr;
            },
            10000));
        QVERIFY(dialog->isModal() || dialog->windowModality() != Qt::NonModal);
        // The dialog's file line, where printing to a PDF file is chosen.
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        QVERIFY(file);
        file->setText(pdf);
        dialog->accept();
        QVERIFY(waitUntil([&] { return QFile::exists(pdf); }, 10000));
        QCOMPARE(QFile::permissions(pdf) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
        if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            const QString text = pdfText(pdf);
            QVERIFY2(text.contains(QStringLiteral("Мария Иванова")), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Пенициллин")));
        }
    }
};

FIRSTAID_TEST_MAIN(TestEmergencyFields)

#include "tst_emergencyfields.moc"
