#include "PersonalRecord.h"

#include "kit/foundation/UserDefaults.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace record {

std::optional<QString> storedText(Field field)
{
    const kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    if (field != WeightAndHeight)
        return defaults.stringForKey(keysForField(field).constFirst());
    const std::optional<QString> weight = defaults.stringForKey(OWN_WEIGHT);
    const std::optional<QString> height = defaults.stringForKey(OWN_GROWTH);
    if (!weight && !height)
        return std::nullopt;
    return weightAndHeightText(weight, height);
}

QString contactKey(int index, const char* part)
{
    return QStringLiteral("OWN_CONTACT%1_%2").arg(index + 1).arg(QLatin1String(part));
}

std::vector<Contact> storedContacts()
{
    const kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    std::vector<Contact> contacts;
    for (int i = 0; i < contactCount; ++i) {
        Contact contact{defaults.stringForKey(contactKey(i, "NAME")).value_or(QString()),
                        defaults.stringForKey(contactKey(i, "WHO")).value_or(QString()),
                        defaults.stringForKey(contactKey(i, "PHONE")).value_or(QString())};
        if (!contact.isEmpty())
            contacts.push_back(contact);
    }
    return contacts;
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

QString formatBirthday(QDate date, const QLocale& locale)
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
    return locale.toString(date, format);
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
