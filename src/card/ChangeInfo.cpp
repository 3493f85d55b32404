#include "ChangeInfo.h"

#include "PersonalRecord.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"

#include <QLocale>

#include <optional>

namespace {

struct TextField {
    QString title;
    QString header;
    QString startingText;
};

TextField textField(record::Field type)
{
    switch (type) {
    case record::Address:
        return {QStringLiteral("Адрес"), QStringLiteral("Домашний адрес"),
                QStringLiteral("Введите адрес")};
    case record::Illness:
        return {QStringLiteral("Болезни"), QStringLiteral("Заболевания"),
                QStringLiteral("Введите заболевания")};
    case record::Note:
        return {QStringLiteral("Заметки"), QStringLiteral("Заметки"),
                QStringLiteral("Введите заметки")};
    case record::Name:
        return {QStringLiteral("Имя"), QStringLiteral("Имя Фамилия"),
                QStringLiteral("Введите имя и фамилию")};
    case record::Allergy:
        return {QStringLiteral("Аллергии"), QStringLiteral("Аллергии"),
                QStringLiteral("Введите, на что аллергия")};
    case record::Medicine:
        return {QStringLiteral("Лекарства"), QStringLiteral("Лекарства"),
                QStringLiteral("Введите лекарства, которые принимаете")};
    default:
        return {};
    }
}

} // namespace

ChangeInfo::ChangeInfo() : FieldEditor(QString(), QString(), [this] { saveInfo(); }) {}

void ChangeInfo::setType(record::Field type)
{
    _type = type;
    setTitle(textField(type).title);
}

QString ChangeInfo::titleForHeaderInSection(kit::TableView&, int)
{
    return textField(_type).header;
}

kit::TableViewCell* ChangeInfo::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath)
{
    if (_cell.get())
        return _cell.get();
    auto* cell = new kit::TableViewCell();
    cell->setObjectName(QStringLiteral("Cell"));
    cell->setAccessibleName(textField(_type).header);
    _cell.reset(cell);
    const QRect frame = cell->geometry();
    _text = new kit::TextView(cell);
    _text->setGeometry(frame.x() + 10, frame.y() + 10, frame.width() - 20, 123);
    _text->setAccessibleName(textField(_type).header);
    _text->setText(textField(_type).startingText);
    if (const std::optional<QString> stored =
            kit::UserDefaults::standardUserDefaults().stringForKey(key())) {
        // A value far longer than anyone types is edited from its beginning; the rest is
        // kept as it is and saved after the edited part, so nothing of it is lost.
        const qsizetype editable = record::cutLength(*stored, record::editableLength);
        _text->setText(stored->left(editable));
        _kept = stored->mid(editable);
    }
    _text->setDelegate(this);
    if (!_kept.isEmpty())
        showLongValueNote();
    return cell;
}

void ChangeInfo::showLongValueNote()
{
    const qsizetype whole = _text->text().size() + _kept.size();
    auto* note = new kit::Label(tableView());
    note->setObjectName(QStringLiteral("longValueNote"));
    note->setText(QStringLiteral("Текст очень длинный (%1 знаков): здесь его начало. "
                                 "Остальное сохранится как было.")
                      .arg(QLocale(QLocale::Russian).toString(whole)));
    note->setFont(kit::systemFont(14));
    note->setTextColor(QColor(0x4c, 0x56, 0x6c));
    note->setBackgroundColor(Qt::transparent);
    note->setNumberOfLines(0);
    note->setLineBreakMode(kit::LineBreakMode::WordWrap);
    note->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    note->setGeometry(20, 196, 280, 60);
    note->show();
    _note = note;
}

void ChangeInfo::viewDidAppear(bool animated)
{
    FieldEditor::viewDidAppear(animated);
    // Typing goes straight into the text, after what it already holds.
    if (_text) {
        _text->setFocus();
        _text->moveCursor(QTextCursor::End);
    }
}

void ChangeInfo::saveInfo()
{
    if (!_text)
        return;
    kit::UserDefaults::standardUserDefaults().setObject(_text->text() + _kept, key());
    finishSave();
}
