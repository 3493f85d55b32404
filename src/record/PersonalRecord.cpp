// SPDX-License-Identifier: GPL-3.0-or-later
#include "PersonalRecord.h"

#include "kit/foundation/UserDefaults.h"
#include "kit/views/ImageReading.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace record {

std::optional<QString> storedText(Field field)
{
    const kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    switch (field) {
    case WeightAndHeight: {
        const std::optional<QString> weight = defaults.stringForKey(OWN_WEIGHT);
        const std::optional<QString> height = defaults.stringForKey(OWN_GROWTH);
        if (!weight && !height)
            return std::nullopt;
        return weightAndHeightText(weight, height);
    }
    case Contacts: {
        QStringList titles;
        for (const Contact& contact : storedContacts())
            titles << contactTitle(contact);
        if (titles.isEmpty())
            return std::nullopt;
        return titles.join(QStringLiteral(", "));
    }
    case Photo:
        return std::nullopt;
    default:
        return defaults.stringForKey(keysForField(field).constFirst());
    }
}

void removeStoredField(Field field)
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    for (const QString& key : field == Contacts ? contactKeys() : keysForField(field))
        defaults.removeObjectForKey(key);
}

QString contactKey(int index, const char* part)
{
    return QStringLiteral("OWN_CONTACT%1_%2").arg(index + 1).arg(QLatin1String(part));
}

Contact storedContact(int index)
{
    const kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    return {defaults.stringForKey(contactKey(index, "NAME")).value_or(QString()),
            defaults.stringForKey(contactKey(index, "WHO")).value_or(QString()),
            defaults.stringForKey(contactKey(index, "PHONE")).value_or(QString())};
}

void storeContact(int index, const Contact& contact)
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    const std::pair<const char*, const QString*> parts[] = {
        {"NAME", &contact.name}, {"WHO", &contact.who}, {"PHONE", &contact.phone}};
    for (const auto& [part, value] : parts) {
        if (value->isEmpty())
            defaults.removeObjectForKey(contactKey(index, part));
        else
            defaults.setObject(*value, contactKey(index, part));
    }
}

std::vector<Contact> storedContacts()
{
    std::vector<Contact> contacts;
    for (int i = 0; i < contactCount; ++i) {
        Contact contact = storedContact(i);
        if (!contact.isEmpty())
            contacts.push_back(std::move(contact));
    }
    return contacts;
}

QString contactTitle(const Contact& contact)
{
    if (!contact.name.isEmpty() && !contact.who.isEmpty())
        return QStringLiteral("%1 (%2)").arg(contact.name, contact.who);
    if (!contact.name.isEmpty())
        return contact.name;
    if (!contact.who.isEmpty())
        return contact.who;
    return contact.phone;
}

QStringList contactKeys()
{
    QStringList keys;
    for (int i = 0; i < contactCount; ++i)
        for (const char* part : {"NAME", "WHO", "PHONE"})
            keys << contactKey(i, part);
    return keys;
}

PhoneCheck checkPhone(const QString& number)
{
    const QString written = number.trimmed();
    int digits = 0;
    int open = 0;
    QChar first;
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QChar c = written.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (digits++ == 0)
                first = c;
        } else if (c == QLatin1Char('+')) {
            if (i != 0)
                return {PhoneCheck::Wrong,
                        QStringLiteral("Знак + ставится только в начале номера.")};
        } else if (c == QLatin1Char('(')) {
            if (open++ > 0)
                return {PhoneCheck::Wrong, QStringLiteral("Скобка открыта дважды.")};
        } else if (c == QLatin1Char(')')) {
            if (--open < 0)
                return {PhoneCheck::Wrong,
                        QStringLiteral("Закрывающая скобка стоит без открывающей.")};
        } else if (c != QLatin1Char(' ') && c != QLatin1Char('-')) {
            return {PhoneCheck::Wrong,
                    QStringLiteral("В номере бывают только цифры, + в начале, пробелы, "
                                   "дефисы и скобки; «%1» здесь лишнее.")
                        .arg(c)};
        }
    }
    if (digits == 0)
        return {PhoneCheck::Incomplete, QStringLiteral("В номере нет ни одной цифры.")};
    if (digits > 15)
        return {PhoneCheck::Wrong,
                QStringLiteral("Цифр больше 15: таких длинных номеров не бывает.")};
    // +7 and 8 are the country's two ways to begin the same 11 digits; an 8 followed by at
    // most six more is a short local number.
    const bool plusSeven = written.startsWith(QLatin1Char('+')) && first == QLatin1Char('7');
    const bool eight =
        !written.startsWith(QLatin1Char('+')) && first == QLatin1Char('8') && digits > 7;
    if (plusSeven || eight) {
        const QString form = plusSeven ? QStringLiteral("+7") : QStringLiteral("8");
        if (digits > 11)
            return {
                PhoneCheck::Wrong,
                QStringLiteral("После %1 нужно 10 цифр, а здесь %2.").arg(form).arg(digits - 1)};
        if (digits < 11)
            return {
                PhoneCheck::Incomplete,
                QStringLiteral("После %1 нужно 10 цифр, а здесь %2.").arg(form).arg(digits - 1)};
    }
    if (open > 0)
        return {PhoneCheck::Incomplete, QStringLiteral("Скобка не закрыта.")};
    return {};
}

QString telephoneAddress(const QString& number)
{
    const QString written = number.trimmed();
    QString address = QStringLiteral("tel:");
    if (written.startsWith(QLatin1Char('+')))
        address += QLatin1Char('+');
    for (const QChar c : written)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            address += c;
    return address;
}

qsizetype cutLength(const QString& value, qsizetype limit)
{
    if (limit >= value.size())
        return value.size();
    qsizetype length = std::max<qsizetype>(limit, 0);
    // A surrogate pair is one character; a combining mark stays with its letter.
    while (length > 0 && (value.at(length).isLowSurrogate() || value.at(length).isMark()))
        --length;
    return length;
}

QString shownPart(const QString& value, qsizetype limit)
{
    if (value.size() <= limit)
        return value;
    return value.left(cutLength(value, limit)) + QStringLiteral("…");
}

QLocale russian()
{
    return QLocale(QLocale::Russian, QLocale::Russia);
}

namespace {

// The locale's long date format without the weekday: how a birthday is written.
QString birthdayFormat(const QLocale& locale)
{
    // The locale's long format names the weekday too; a date of birth reads without it.
    QString format = locale.dateFormat(QLocale::LongFormat);
    const qsizetype weekday = format.indexOf(QLatin1String("dddd"));
    if (weekday >= 0) {
        qsizetype from = weekday;
        qsizetype to = weekday + 4;
        if (format.mid(to, 2) == QLatin1String(", "))
            to += 2;
        else if (format.mid(to, 1) == QLatin1String(",") || format.mid(to, 1) == QLatin1String(" "))
            to += 1;
        else if (from >= 2 && format.mid(from - 2, 2) == QLatin1String(", "))
            from -= 2;
        else if (from >= 1 && format.mid(from - 1, 1) == QLatin1String(" "))
            from -= 1;
        format.remove(from, to - from);
    }
    return format;
}

} // namespace

QString formatBirthday(QDate date, const QLocale& locale)
{
    return locale.toString(date, birthdayFormat(locale));
}

QDate readBirthday(const QString& text)
{
    for (const QLocale& locale : {russian(), QLocale::system(), QLocale(QLocale::English)}) {
        const QDate date = locale.toDate(text.trimmed(), birthdayFormat(locale));
        if (date.isValid())
            return date;
    }
    return {};
}

QString weightAndHeightText(const std::optional<QString>& weight,
                            const std::optional<QString>& height)
{
    if (weight && height)
        return QStringLiteral("Вес %1кг / Рост %2см").arg(*weight, *height);
    if (weight)
        return QStringLiteral("Вес %1кг").arg(*weight);
    if (height)
        return QStringLiteral("Рост %1см").arg(*height);
    return {};
}

QByteArray photoThumbnail(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const double w = picture.width();
    const double h = picture.height();
    const double scale = photoSide / std::max(w, h);
    // 1600 × 1200 gives 66 × 49.5, which becomes 66 × 50; no side is ever less than a pixel.
    const QSize target(std::max(1, int(std::lround(scale * w))),
                       std::max(1, int(std::lround(scale * h))));
    QImage thumbnail = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32);
    thumbnail.setDevicePixelRatio(1.0);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!thumbnail.save(&buffer, "PNG"))
        return {};
    return png;
}

QByteArray photoForPrint(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QImage copy = picture;
    if (std::max(copy.width(), copy.height()) > printPhotoSide)
        copy = copy.scaled(printPhotoSide, printPhotoSide, Qt::KeepAspectRatio,
                           Qt::SmoothTransformation);
    // A photo has no transparency worth keeping on paper: white under it.
    QImage flat(copy.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, copy);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!flat.save(&buffer, "JPEG", 90))
        return {};
    return jpeg;
}

bool storePhoto(const QImage& picture)
{
    const QByteArray thumbnail = photoThumbnail(picture);
    if (thumbnail.isEmpty())
        return false;
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    defaults.setObject(thumbnail, OWN_IMAGE);
    const QByteArray print = photoForPrint(picture);
    if (print.isEmpty())
        defaults.removeObjectForKey(OWN_IMAGE_PRINT);
    else
        defaults.setObject(print, OWN_IMAGE_PRINT);
    return true;
}

QImage storedPrintPhoto()
{
    const kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    QImage photo = kit::readImageBounded(defaults.objectForKey(OWN_IMAGE_PRINT).toByteArray());
    if (photo.isNull())
        photo = kit::readImageBounded(defaults.objectForKey(OWN_IMAGE).toByteArray());
    if (!photo.isNull() && std::max(photo.width(), photo.height()) > printPhotoSide)
        photo = photo.scaled(printPhotoSide, printPhotoSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    return photo;
}

QImage decodePhoto(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize stored = reader.size();
    const QSize place(photoSide, photoSide);
    // Read scaled, so a picture that claims to be enormous can never cover the
    // card or exhaust memory.
    if (stored.isValid() && (stored.width() > place.width() || stored.height() > place.height()))
        reader.setScaledSize(stored.scaled(place, Qt::KeepAspectRatio));
    QImage photo = reader.read();
    if (!photo.isNull() && (photo.width() > place.width() || photo.height() > place.height()))
        photo = photo.scaled(place, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return photo;
}

} // namespace record
