// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardFields.h"

#include <QDate>
#include <QImage>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The owner's medical card: entries of the user-defaults store, one key per field (the
// fields and their keys: CardFields.h). Every reader and writer of the card takes its
// value forms from here.
namespace record {

// Up to three people to call, each under three keys: OWN_CONTACT1_NAME, OWN_CONTACT1_WHO
// (who they are: "мама", "муж") and OWN_CONTACT1_PHONE (the number as written), then 2, 3.
inline constexpr int contactCount = 3;
QString contactKey(int index, const char* part);
struct Contact {
    QString name;
    QString who;
    QString phone;
    bool isEmpty() const { return name.isEmpty() && who.isEmpty() && phone.isEmpty(); }
};
// The contact stored at index (0 to 2); empty when nothing is.
Contact storedContact(int index);
// Writes the contact at index; an empty part's key is removed, so an empty contact
// leaves nothing behind.
void storeContact(int index, const Contact& contact);
// The stored contacts, in order, the empty ones left out.
std::vector<Contact> storedContacts();
// How a contact reads in one line: "Анна (мама)", the name or who alone, else the number.
QString contactTitle(const Contact& contact);
// Every key of every contact.
QStringList contactKeys();

// A telephone number as people write it: digits, a + in front, spaces, dashes and
// brackets. Russian numbers in the 8 and +7 forms have 11 digits.
struct PhoneCheck {
    enum Verdict {
        Good,
        // Nothing wrong yet, but digits are missing (none at all, or fewer than the form needs).
        Incomplete,
        // A character or a bracket that does not belong in a number, or too many digits.
        Wrong,
    };
    Verdict verdict = Good;
    // Why the number cannot be saved as it is; empty when it can.
    QString message;
};
PhoneCheck checkPhone(const QString& number);
// The address that calls number: "tel:" and its digits, after a + when it starts with one.
QString telephoneAddress(const QString& number);

// The keys that must all be present for the card to count as complete, in the
// order the launch reads them. The note and the photo are not required.
inline const std::array<QString, 7> completenessKeys = {
    OWN_NAME, OWN_ADDRESS, OWN_BIRTHDAY, OWN_WEIGHT, OWN_GROWTH, OWN_BLOOD, OWN_ILLNESS,
};

// What a field of the stored card reads as (the weight and height composed into one
// text, the people to call by name: "Анна (мама), Пётр"); none when nothing of it is
// stored, and none for the photo, which is no text.
std::optional<QString> storedText(Field field);
// Removes every key of the field from the store (all the people to call for the contacts).
void removeStoredField(Field field);

// Long values. A stored value is kept whole however long it is (pasted, or written by
// another program), but no screen lays out more of one than a person would type:
// laying out megabytes of text holds the window for seconds.
// What the card screen and the emergency card show of a value.
inline constexpr qsizetype shownLength = 4000;
// What an editor takes in; the rest stays as stored and is written back after it.
inline constexpr qsizetype editableLength = 100000;
// How much of value fits in limit characters without splitting a character in two.
qsizetype cutLength(const QString& value, qsizetype limit);
// value when it has at most limit characters; else its beginning and "…".
QString shownPart(const QString& value, qsizetype limit = shownLength);

// The interface's language: dates are written in Russian whatever the desktop's locale.
QLocale russian();
// The birthday as stored: the locale's long date, month written out, without the weekday
// ("7 декабря 2026 г."; in another locale "December 7, 2026").
QString formatBirthday(QDate date, const QLocale& locale = russian());
// The date a stored birthday names, when its text can be read: as this application writes
// it in Russian, or in the desktop's language, or in English; invalid otherwise.
QDate readBirthday(const QString& text);

// Weight and height.
// Row text of the weight and height: both, either one alone, or empty when neither is stored.
QString weightAndHeightText(const std::optional<QString>& weight,
                            const std::optional<QString>& height);
inline constexpr unsigned minimumMeasure = 5;
inline constexpr unsigned maximumMeasure = 299;
inline constexpr unsigned defaultWeight = 60;
inline constexpr unsigned defaultGrowth = 170;
inline QString formatMeasure(unsigned value)
{
    return QString::number(value);
}

// Blood group.
inline const QString bloodSeparator = QStringLiteral(" / ");
inline const QStringList bloodGroups = {
    QStringLiteral("I группа"),
    QStringLiteral("II группа"),
    QStringLiteral("III группа"),
    QStringLiteral("IV группа"),
};
inline const QStringList rhesusFactors = {QStringLiteral("Rh+"), QStringLiteral("Rh-")};
inline QString formatBlood(const QString& group, const QString& rhesus)
{
    return group + bloodSeparator + rhesus;
}

// The photo's longer side, in pixels.
inline constexpr int photoSide = 66;
// The photo as stored from a picked picture: scaled so that its longer side is 66
// pixels (a smaller picture is enlarged), each side rounded to the nearest pixel,
// encoded as PNG. Empty for a null picture.
QByteArray photoThumbnail(const QImage& picture);
// The stored photo; null when the data do not decode. A picture larger than the
// photo place, which the picker never writes, is read scaled into it.
QImage decodePhoto(const QByteArray& data);
// The photo's copy for paper: its longer side at most 600 pixels, JPEG. Empty for a null
// picture.
inline constexpr int printPhotoSide = 600;
QByteArray photoForPrint(const QImage& picture);
// Stores a picked picture as the photo: the thumbnail and the copy for paper. False when the
// picture gives no thumbnail (nothing is stored then).
bool storePhoto(const QImage& picture);
// The photo as it is printed: the copy for paper, or where there is none (a photo stored
// before), the thumbnail at its own size; null when none decodes.
QImage storedPrintPhoto();

} // namespace record
