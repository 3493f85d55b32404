// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardFields.h"

#include <algorithm>

namespace record {

const std::vector<FieldInfo>& cardFields()
{
    // clang-format off
    static const std::vector<FieldInfo> fields = {
        // field, keys, caption,
        //   editor, editor's title, its header, its starting text,
        //   card screen, emergency card, wallet card's front, its order, the QR code's order,
        //   vital
        {Address, {OWN_ADDRESS}, QStringLiteral("Домашний адрес"),
            Editor::Text, QStringLiteral("Адрес"), QStringLiteral("Домашний адрес"), QStringLiteral("Введите адрес"),
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::None, 0, 9, false},
        {Birthday, {OWN_BIRTHDAY}, QStringLiteral("Дата рождения"),
            Editor::Birthday, QStringLiteral("Дата рождения"), QStringLiteral("Дата рождения"), {},
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::Detail, 2, 8, false},
        {WeightAndHeight, {OWN_WEIGHT, OWN_GROWTH}, QStringLiteral("Вес/рост"),
            Editor::WeightAndHeight, QStringLiteral("Вес и рост"), QStringLiteral("Вес/Рост"), {},
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::None, 0, 10, false},
        {Blood, {OWN_BLOOD}, QStringLiteral("Группа крови"),
            Editor::BloodGroup, QStringLiteral("Группа крови"), QStringLiteral("Группа/Резус"), {},
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::Emphasis, 3, 2, true},
        {Illness, {OWN_ILLNESS}, QStringLiteral("Заболевания"),
            Editor::Text, QStringLiteral("Болезни"), QStringLiteral("Заболевания"), QStringLiteral("Введите заболевания"),
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::Medical, 6, 6, false},
        {Note, {OWN_NOTE}, QStringLiteral("Заметки"),
            Editor::Text, QStringLiteral("Заметки"), QStringLiteral("Заметки"), QStringLiteral("Введите заметки"),
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::Medical, 7, 7, false},
        {Name, {OWN_NAME}, QStringLiteral("Имя Фамилия"),
            Editor::Text, QStringLiteral("Имя"), QStringLiteral("Имя Фамилия"), QStringLiteral("Введите имя и фамилию"),
            CardPlace::Header, EmergencyLine::Own, WalletLine::Name, 1, 1, true},
        {Allergy, {OWN_ALLERGY}, QStringLiteral("Аллергии"),
            Editor::Text, QStringLiteral("Аллергии"), QStringLiteral("Аллергии"), QStringLiteral("Введите, на что аллергия"),
            CardPlace::EmergencyRows, EmergencyLine::WhenFilled, WalletLine::MedicalBold, 4, 3, true},
        {Medicine, {OWN_MEDICINE}, QStringLiteral("Лекарства"),
            Editor::Text, QStringLiteral("Лекарства"), QStringLiteral("Лекарства"), QStringLiteral("Введите лекарства, которые принимаете"),
            CardPlace::EmergencyRows, EmergencyLine::WhenFilled, WalletLine::Medical, 5, 4, true},
        {Contacts, {}, QStringLiteral("Экстренные контакты"),
            Editor::Contacts, QStringLiteral("Контакты"), QStringLiteral("Кому позвонить"), {},
            CardPlace::EmergencyRows, EmergencyLine::Own, WalletLine::None, 0, 5, true},
        {Photo, {OWN_IMAGE, OWN_IMAGE_PRINT}, QStringLiteral("Фотография"),
            Editor::Photo, QStringLiteral("Фотография"), {}, {},
            CardPlace::Header, EmergencyLine::Own, WalletLine::None, 0, 0, false},
    };
    // clang-format on
    return fields;
}

const FieldInfo& fieldInfo(Field field)
{
    const std::vector<FieldInfo>& fields = cardFields();
    Q_ASSERT(size_t(field) < fields.size() && fields[size_t(field)].field == field);
    return fields[size_t(field)];
}

std::vector<Field> fieldsAt(CardPlace place)
{
    std::vector<Field> found;
    for (const FieldInfo& info : cardFields())
        if (info.place == place)
            found.push_back(info.field);
    return found;
}

namespace {

std::vector<Field> fieldsInOrder(int FieldInfo::*order)
{
    std::vector<Field> fields;
    for (const FieldInfo& info : cardFields())
        if (info.*order > 0)
            fields.push_back(info.field);
    std::sort(fields.begin(), fields.end(),
              [order](Field a, Field b) { return fieldInfo(a).*order < fieldInfo(b).*order; });
    return fields;
}

} // namespace

std::vector<Field> frontFields()
{
    return fieldsInOrder(&FieldInfo::frontOrder);
}

std::vector<Field> qrFields()
{
    return fieldsInOrder(&FieldInfo::qrOrder);
}

QString captionLine(Field field)
{
    return fieldInfo(field).caption + QLatin1Char(':');
}

} // namespace record
