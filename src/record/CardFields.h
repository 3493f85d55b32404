// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The owner's medical card, field by field: one table, one row per field, saying under
// which keys the field is stored, what it is called, how it is edited and how it shows on
// the card screen, the emergency card and the printed wallet card. Every screen that lists
// fields reads them from here; a new field is a row here and, when it needs one, an editor.
namespace record {

// The fields, in the order of the table.
enum Field : int {
    Address,
    Birthday,
    WeightAndHeight,
    Blood,
    Illness,
    Note,
    Name,
    Allergy,
    Medicine,
    Contacts,
    Photo,
};

// The keys of the user-defaults store. The values are display text, never parsed back.
// Free text exactly as typed.
inline const QString OWN_ADDRESS = QStringLiteral("OWN_ADDRESS");
// Display text of the long date style in the locale in force when saved.
inline const QString OWN_BIRTHDAY = QStringLiteral("OWN_BIRTHDAY");
// Kilograms and centimetres as unsigned decimal integers ("%u"), written together.
inline const QString OWN_WEIGHT = QStringLiteral("OWN_WEIGHT");
inline const QString OWN_GROWTH = QStringLiteral("OWN_GROWTH");
// Group text, " / ", rhesus text: "II группа / Rh+".
inline const QString OWN_BLOOD = QStringLiteral("OWN_BLOOD");
inline const QString OWN_ILLNESS = QStringLiteral("OWN_ILLNESS");
inline const QString OWN_NOTE = QStringLiteral("OWN_NOTE");
inline const QString OWN_NAME = QStringLiteral("OWN_NAME");
// For the emergency services, free text exactly as typed.
inline const QString OWN_ALLERGY = QStringLiteral("OWN_ALLERGY");
inline const QString OWN_MEDICINE = QStringLiteral("OWN_MEDICINE");
// PNG bytes of the photo, its longer side 66 pixels.
inline const QString OWN_IMAGE = QStringLiteral("OWN_IMAGE");
// The same photo for paper: JPEG bytes, its longer side at most 600 pixels.
inline const QString OWN_IMAGE_PRINT = QStringLiteral("OWN_IMAGE_PRINT");
// The people to call are stored under OWN_CONTACT1_NAME, OWN_CONTACT1_WHO and
// OWN_CONTACT1_PHONE, then 2 and 3 (PersonalRecord.h).

// How a field is edited.
enum class Editor {
    Text,
    Birthday,
    WeightAndHeight,
    BloodGroup,
    Photo,
    Contacts,
};

// Where a field stands on the card screen: in the header (the photo and the name), among
// the card's rows, or in the section for the emergency services.
enum class CardPlace { Header, CardRows, EmergencyRows };

// How a field shows on the emergency card: a caption and the value always (an empty value
// too), only when filled in, or not as a line of its own (the photo and the name head the
// card, the people to call end it).
enum class EmergencyLine { Always, WhenFilled, Own };

// How a field shows on the front of the wallet card: not at all, as the name, as a plain
// line under it, as the blood group, or as a line of the medical part (in bold: allergies).
enum class WalletLine { None, Name, Detail, Emphasis, MedicalBold, Medical };

struct FieldInfo {
    Field field;
    // The keys the field is stored under: two for the weight and height, none for the people
    // to call (three each, PersonalRecord.h), one for every other.
    QStringList keys;
    // What the field is called: the card's row while it is empty, the emergency card's and
    // the printed card's caption (with ":" after it).
    QString caption;
    // The editor: its bar title, its section header, and what a text editor starts with
    // while nothing is stored.
    Editor editor;
    QString editorTitle;
    QString editorHeader;
    QString startingText;
    CardPlace place;
    EmergencyLine emergency;
    WalletLine wallet;
    // Where the field comes on the wallet card's front (1 first; 0 not there), and in the QR
    // code that holds the whole card (1 first).
    int frontOrder;
    int qrOrder;
    // What a crew must read before anything else: kept whole in the QR code, which cuts the
    // rest first when the whole card cannot fit.
    bool vital;
};

// Every field, in the card's order: the card's rows, the name, the section for the
// emergency services, the photo.
const std::vector<FieldInfo>& cardFields();
const FieldInfo& fieldInfo(Field field);
// The fields of one place of the card screen, in their order.
std::vector<Field> fieldsAt(CardPlace place);
// The fields printed on the wallet card's front, in their order.
std::vector<Field> frontFields();
// The fields the QR code holds, in its order: the vital ones first.
std::vector<Field> qrFields();

// The keys a field is stored under.
inline const QStringList& keysForField(Field field)
{
    return fieldInfo(field).keys;
}

// The caption with a colon: "Группа крови:", as the emergency card writes it.
QString captionLine(Field field);

} // namespace record
