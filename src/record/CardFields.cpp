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
        //   card screen, emergency card, wallet card, printed as
        {Address, {OWN_ADDRESS}, QStringLiteral("Домашний адрес"),
            Editor::Text, QStringLiteral("Адрес"), QStringLiteral("Домашний адрес"), QStringLiteral("Введите адрес"),
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::None, 0},
        {Birthday, {OWN_BIRTHDAY}, QStringLiteral("Дата рождения"),
            Editor::Birthday, QStringLiteral("Дата рождения"), QStringLiteral("Дата рождения"), {},
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::Detail, 2},
        {WeightAndHeight, {OWN_WEIGHT, OWN_GROWTH}, QStringLiteral("Вес/рост"),
            Editor::WeightAndHeight, QStringLiteral("Вес и рост"), QStringLiteral("Вес/Рост"), {},
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::None, 0},
        {Blood, {OWN_BLOOD}, QStringLiteral("Группа крови"),
            Editor::BloodGroup, QStringLiteral("Группа крови"), QStringLiteral("Группа/Резус"), {},
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::Emphasis, 3},
        {Illness, {OWN_ILLNESS}, QStringLiteral("Заболевания"),
            Editor::Text, QStringLiteral("Болезни"), QStringLiteral("Заболевания"), QStringLiteral("Введите заболевания"),
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::Medical, 6},
        {Note, {OWN_NOTE}, QStringLiteral("Заметки"),
            Editor::Text, QStringLiteral("Заметки"), QStringLiteral("Заметки"), QStringLiteral("Введите заметки"),
            CardPlace::CardRows, EmergencyLine::Always, WalletLine::None, 0},
        {Name, {OWN_NAME}, QStringLiteral("Имя Фамилия"),
            Editor::Text, QStringLiteral("Имя"), QStringLiteral("Имя Фамилия"), QStringLiteral("Введите имя и фамилию"),
            CardPlace::Header, EmergencyLine::Own, WalletLine::Name, 1},
        {Allergy, {OWN_ALLERGY}, QStringLiteral("Аллергии"),
            Editor::Text, QStringLiteral("Аллергии"), QStringLiteral("Аллергии"), QStringLiteral("Введите, на что аллергия"),
            CardPlace::EmergencyRows, EmergencyLine::WhenFilled, WalletLine::MedicalBold, 4},
        {Medicine, {OWN_MEDICINE}, QStringLiteral("Лекарства"),
            Editor::Text, QStringLiteral("Лекарства"), QStringLiteral("Лекарства"), QStringLiteral("Введите лекарства, которые принимаете"),
            CardPlace::EmergencyRows, EmergencyLine::WhenFilled, WalletLine::Medical, 5},
        {Contacts, {}, QStringLiteral("Экстренные контакты"),
            Editor::Contacts, QStringLiteral("Контакты"), QStringLiteral("Кому позвонить"), {},
            CardPlace::EmergencyRows, EmergencyLine::Own, WalletLine::None, 7},
        {Photo, {OWN_IMAGE}, QStringLiteral("Фотография"),
            Editor::Photo, QStringLiteral("Фотография"), {}, {},
            CardPlace::Header, EmergencyLine::Own, WalletLine::None, 0},
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

std::vector<Field> walletFields()
{
    std::vector<Field> printed;
    for (const FieldInfo& info : cardFields())
        if (info.printOrder > 0)
            printed.push_back(info.field);
    std::sort(printed.begin(), printed.end(),
              [](Field a, Field b) { return fieldInfo(a).printOrder < fieldInfo(b).printOrder; });
    return printed;
}

QString captionLine(Field field)
{
    return fieldInfo(field).caption + QLatin1Char(':');
}

} // namespace record
