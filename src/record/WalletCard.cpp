// SPDX-License-Identifier: GPL-3.0-or-later
#include "WalletCard.h"

#include "kit/foundation/UserDefaults.h"
#include "kit/views/Font.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>

#include <qrencode.h>

#include <algorithm>
#include <memory>

namespace record {
namespace {

const QColor heading(0xb7, 0x1c, 0x1c);
const QColor ink(0x1a, 0x1a, 0x1a);
const QColor quiet(0x55, 0x55, 0x55);

// Card and sheet sizes in millimetres.
constexpr qreal cardWidth = 85.6;
constexpr qreal cardHeight = 54.0;
constexpr qreal sheetWidth = 210.0;
constexpr qreal stripTop = 45.0;
constexpr qreal band = 8.0;
constexpr qreal inset = 3.0;
constexpr qreal qrSide = printedQrSide;

// Draws in millimetres on a device of any resolution.
class Sheet {
public:
    Sheet(QPainter& painter, QPaintDevice& device)
        : _painter(painter), _device(device), _unit(device.logicalDpiX() / 25.4)
    {
    }

    qreal px(qreal mm) const { return mm * _unit; }
    QRectF box(qreal x, qreal y, qreal w, qreal h) const { return {px(x), px(y), px(w), px(h)}; }

    QFont font(qreal heightMm, bool bold) const
    {
        return bold ? kit::boldSystemFont(px(heightMm)) : kit::systemFont(px(heightMm));
    }

    // text wrapped into at most maxLines lines of width (mm); the last one ends in "…" when
    // the text goes on. Returns the height used (mm).
    qreal text(const QString& text, qreal x, qreal y, qreal width, const QFont& font,
               const QColor& colour, int maxLines)
    {
        const QStringList shown = wrap(text, font, px(width), maxLines);
        const QFontMetricsF metrics(font, &_device);
        _painter.setFont(font);
        _painter.setPen(colour);
        qreal top = px(y);
        for (const QString& line : shown) {
            _painter.drawText(QPointF(px(x), top + metrics.ascent()), line);
            top += metrics.lineSpacing();
        }
        return (top - px(y)) / _unit;
    }

    QPainter& painter() { return _painter; }

private:
    QStringList wrap(const QString& text, const QFont& font, qreal width, int maxLines) const
    {
        const QString flat = text.simplified();
        QStringList lines;
        if (flat.isEmpty())
            return lines;
        QTextLayout layout(flat, font, &_device);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(width);
            if (lines.size() == maxLines - 1) {
                // The last line room allows: the rest of the text, cut to fit.
                const QFontMetricsF metrics(font, &_device);
                lines << metrics.elidedText(flat.mid(line.textStart()), Qt::ElideRight, width);
                break;
            }
            lines << flat.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        return lines;
    }

    QPainter& _painter;
    QPaintDevice& _device;
    qreal _unit;
};

void drawCutMarks(Sheet& sheet, qreal left, qreal top, qreal width, qreal height)
{
    QPainter& painter = sheet.painter();
    painter.setPen(QPen(Qt::black, sheet.px(0.2)));
    constexpr qreal gap = 1.5;
    constexpr qreal length = 5.0;
    for (const qreal x : {left, left + width}) {
        for (const qreal y : {top, top + height}) {
            const qreal outX = x == left ? -1 : 1;
            const qreal outY = y == top ? -1 : 1;
            painter.drawLine(QPointF(sheet.px(x + outX * gap), sheet.px(y)),
                             QPointF(sheet.px(x + outX * (gap + length)), sheet.px(y)));
            painter.drawLine(QPointF(sheet.px(x), sheet.px(y + outY * gap)),
                             QPointF(sheet.px(x), sheet.px(y + outY * (gap + length))));
        }
    }
}

void drawBand(Sheet& sheet, qreal left, qreal top, const QString& title)
{
    QPainter& painter = sheet.painter();
    QPainterPath path;
    path.addRect(sheet.box(left, top, cardWidth, band));
    painter.fillPath(path, heading);
    sheet.text(title, left + inset, top + 1.9, cardWidth - 2 * inset, sheet.font(3.4, true),
               Qt::white, 1);
}

// The caption a printed line starts with: "Группа крови: ".
QString printedCaption(Field field)
{
    return captionLine(field) + QLatin1Char(' ');
}

void drawFront(Sheet& sheet, const WalletCard& card, qreal left, qreal top)
{
    drawBand(sheet, left, top, QStringLiteral("Медицинская карта / ICE"));
    qreal textLeft = left + inset;
    const qreal photoTop = top + band + 2.5;
    if (!card.photo.isNull()) {
        const QRectF place = sheet.box(left + inset, photoTop, 16, 20);
        const QSizeF size = QSizeF(card.photo.size()).scaled(place.size(), Qt::KeepAspectRatio);
        const QRectF target(place.topLeft(), size);
        sheet.painter().drawImage(target, card.photo);
        textLeft = left + inset + 16 + 2.5;
    }
    const qreal textWidth = left + cardWidth - inset - textLeft;
    // Beside the photo: the name, the plain lines, the blood group.
    qreal y = photoTop;
    const std::vector<Field> printed = frontFields();
    for (const Field field : printed) {
        const QString value = oneLine(card.text.value(field));
        if (value.isEmpty())
            continue;
        switch (fieldInfo(field).wallet) {
        case WalletLine::Name:
            y += sheet.text(value, textLeft, y, textWidth, sheet.font(3.4, true), ink, 2) + 0.8;
            break;
        case WalletLine::Detail:
            y += sheet.text(printedCaption(field) + value, textLeft, y, textWidth,
                            sheet.font(2.5, false), ink, 1) +
                 0.8;
            break;
        case WalletLine::Emphasis:
            y += sheet.text(printedCaption(field) + value, textLeft, y, textWidth,
                            sheet.font(3.0, true), heading, 1);
            break;
        default:
            break;
        }
    }
    // The medical lines run the card's width below the photo: allergies in bold, since a crew
    // must know them before giving anything, then medicines, illnesses and notes.
    y = std::max(y, card.photo.isNull() ? y : photoTop + 20) + 1.5;
    const qreal bottom = top + cardHeight - 2;
    for (const Field field : printed) {
        const WalletLine style = fieldInfo(field).wallet;
        const QString value = oneLine(card.text.value(field));
        if ((style != WalletLine::MedicalBold && style != WalletLine::Medical) || value.isEmpty())
            continue;
        const bool bold = style == WalletLine::MedicalBold;
        const QFont font = sheet.font(2.4, bold);
        const qreal lineHeight =
            QFontMetricsF(font, sheet.painter().device()).lineSpacing() / sheet.px(1);
        const int room = int((bottom - y) / lineHeight);
        if (room < 1)
            break;
        y += sheet.text(printedCaption(field) + value, left + inset, y, cardWidth - 2 * inset, font,
                        bold ? heading : ink, std::min(room, 2)) +
             0.6;
    }
}

void drawBack(Sheet& sheet, const WalletCard& card, qreal left, qreal top)
{
    drawBand(sheet, left, top, QStringLiteral("Экстренные контакты / ICE"));
    const WalletQr qr = walletQr(card);
    const QrCode& code = qr.code;
    const qreal qrLeft = left + cardWidth - inset - qrSide;
    const qreal qrTop = top + band + 2.5;
    if (code.side > 0) {
        // A quiet zone is the card's white around it; each module a filled square.
        QPainter& painter = sheet.painter();
        const qreal module = sheet.px(qrSide) / code.side;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        for (int y = 0; y < code.side; ++y)
            for (int x = 0; x < code.side; ++x)
                if (code.dark(x, y))
                    painter.drawRect(QRectF(sheet.px(qrLeft) + x * module,
                                            sheet.px(qrTop) + y * module, module, module));
        sheet.text(qr.caption(), qrLeft, qrTop + qrSide + 0.8, qrSide, sheet.font(2.0, false),
                   quiet, 1);
    }
    const qreal width = qrLeft - 2.5 - (left + inset);
    qreal y = top + band + 2.5;
    for (const Contact& contact : card.contacts) {
        QString who = contact.name;
        if (!contact.who.isEmpty())
            who +=
                who.isEmpty() ? contact.who : QStringLiteral(" (") + contact.who + QLatin1Char(')');
        if (!who.isEmpty())
            y += sheet.text(who, left + inset, y, width, sheet.font(2.6, false), ink, 1) + 0.3;
        if (!contact.phone.isEmpty())
            y += sheet.text(contact.phone, left + inset, y, width, sheet.font(3.4, true), ink, 1);
        y += 2.0;
    }
}

} // namespace

bool WalletCard::isEmpty() const
{
    for (auto it = text.cbegin(); it != text.cend(); ++it)
        if (!it.value().trimmed().isEmpty())
            return false;
    return contacts.empty() && photo.isNull();
}

WalletCard storedWalletCard()
{
    WalletCard card;
    for (const std::vector<Field>& fields : {frontFields(), qrFields()})
        for (const Field field : fields)
            if (field != Contacts && !card.text.contains(field))
                card.text.insert(field, storedText(field).value_or(QString()));
    card.contacts = storedContacts();
    card.photo = storedPrintPhoto();
    return card;
}

QString oneLine(const QString& value)
{
    QStringList parts;
    for (const QString& line : value.split(QRegularExpression(QStringLiteral("[\\r\\n]+"))))
        if (!line.trimmed().isEmpty())
            parts << line.trimmed();
    return parts.join(QStringLiteral(", "));
}

namespace {

// One entry of the code: a field's line (the people to call: their caption and a line each).
struct QrEntry {
    QString text;
    bool vital = false;
};

std::vector<QrEntry> qrEntries(const WalletCard& card)
{
    std::vector<QrEntry> entries;
    for (const Field field : qrFields()) {
        const bool vital = fieldInfo(field).vital;
        if (field == Contacts) {
            if (card.contacts.empty())
                continue;
            QStringList lines{captionLine(Contacts)};
            for (const Contact& contact : card.contacts) {
                QStringList parts;
                for (const QString& part : {contact.name, contact.who, contact.phone})
                    if (!part.trimmed().isEmpty())
                        parts << part.trimmed();
                lines << parts.join(QStringLiteral(", "));
            }
            entries.push_back({lines.join(QLatin1Char('\n')), vital});
            continue;
        }
        const QString value = oneLine(card.text.value(field));
        if (value.isEmpty())
            continue;
        // The name stands alone on its line; every other field after its caption.
        entries.push_back(
            {fieldInfo(field).wallet == WalletLine::Name ? value : printedCaption(field) + value,
             vital});
    }
    return entries;
}

const QString qrHeading = QStringLiteral("МЕДИЦИНСКАЯ КАРТА / ICE");

// The code of UTF-8 bytes (ECI 26 says they are UTF-8, so readers do not guess another
// encoding), or none when it would need more than the largest version.
QRcode* encodeBytes(const QByteArray& bytes)
{
    QRinput* input = QRinput_new2(0, QR_ECLEVEL_M);
    if (!input)
        return nullptr;
    QRcode* code = nullptr;
    if (QRinput_appendECIheader(input, 26) == 0 &&
        QRinput_append(input, QR_MODE_8, int(bytes.size()),
                       reinterpret_cast<const unsigned char*>(bytes.constData())) == 0)
        code = QRcode_encodeInput(input);
    QRinput_free(input);
    if (code && code->version > maximumQrVersion) {
        QRcode_free(code);
        code = nullptr;
    }
    return code;
}

bool fits(const QString& text)
{
    QRcode* code = encodeBytes(text.toUtf8());
    QRcode_free(code);
    return code != nullptr;
}

// The longest beginning of text, cut after a whole word and ended with "…", that still fits
// after what comes before it; empty when not even one word does.
QString cutToFit(const QString& before, const QString& text)
{
    std::vector<qsizetype> ends;
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text.at(i).isSpace() && !text.at(i - 1).isSpace())
            ends.push_back(i);
    const auto cut = [&](size_t index) {
        QString piece = text.left(ends[index]);
        while (!piece.isEmpty() && (piece.back().isPunct() || piece.back().isSpace()))
            piece.chop(1);
        return piece + QStringLiteral("…");
    };
    // The most words that fit, found by halving.
    qsizetype low = -1;
    qsizetype high = qsizetype(ends.size());
    while (high - low > 1) {
        const qsizetype middle = (low + high) / 2;
        if (fits(before + cut(size_t(middle))))
            low = middle;
        else
            high = middle;
    }
    return low < 0 ? QString() : cut(size_t(low));
}

QrCode modulesOf(QRcode* code, bool cut)
{
    QrCode result;
    if (!code)
        return result;
    result.side = code->width;
    result.modules.resize(size_t(code->width) * size_t(code->width));
    for (size_t i = 0; i < result.modules.size(); ++i)
        result.modules[i] = code->data[i] & 1;
    result.cut = cut;
    QRcode_free(code);
    return result;
}

} // namespace

QString walletQrText(const WalletCard& card)
{
    QStringList lines{qrHeading};
    for (const QrEntry& entry : qrEntries(card))
        lines << entry.text;
    return lines.join(QLatin1Char('\n'));
}

QrCode encodeQr(const QString& text)
{
    if (QRcode* code = encodeBytes(text.toUtf8()))
        return modulesOf(code, false);
    const QString cut = cutToFit(QString(), text);
    return modulesOf(encodeBytes((cut.isEmpty() ? QStringLiteral("…") : cut).toUtf8()), true);
}

QString WalletQr::caption() const
{
    return whole ? QStringLiteral("Вся карта в QR-коде")
                 : QStringLiteral("В QR-коде главное, остальное сокращено");
}

WalletQr walletQr(const WalletCard& card)
{
    WalletQr qr;
    qr.text = walletQrText(card);
    if (fits(qr.text)) {
        qr.code = encodeQr(qr.text);
        return qr;
    }
    // Line by line in the code's order, the vital ones first, as far as they fit; the line
    // that does not is cut at a word, and the rest left out.
    qr.whole = false;
    QString text = qrHeading;
    for (const QrEntry& entry : qrEntries(card)) {
        const QString next = text + QLatin1Char('\n') + entry.text;
        if (fits(next)) {
            text = next;
            continue;
        }
        const QString cut = cutToFit(text + QLatin1Char('\n'), entry.text);
        if (!cut.isEmpty())
            text += QLatin1Char('\n') + cut;
        break;
    }
    qr.text = text;
    qr.code = encodeQr(text);
    return qr;
}

void paintWalletSheet(QPainter& painter, QPagedPaintDevice& device, const WalletCard& card)
{
    Sheet sheet(painter, device);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal stripLeft = (sheetWidth - 2 * cardWidth) / 2;
    sheet.text(QStringLiteral("Медицинская карта для кошелька"), stripLeft, 20, 2 * cardWidth,
               sheet.font(5.0, true), heading, 1);
    sheet.text(QStringLiteral("Вырежьте по меткам и сложите пополам по пунктиру: слева лицевая "
                              "сторона, справа оборот. Держите карту рядом с документами."),
               stripLeft, 28, 2 * cardWidth, sheet.font(3.2, false), quiet, 2);

    // A hairline around each side helps the scissors; the fold is dashed.
    painter.setPen(QPen(QColor(0xbb, 0xbb, 0xbb), sheet.px(0.15)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sheet.box(stripLeft, stripTop, 2 * cardWidth, cardHeight));
    drawFront(sheet, card, stripLeft, stripTop);
    drawBack(sheet, card, stripLeft + cardWidth, stripTop);
    painter.setPen(QPen(QColor(0x88, 0x88, 0x88), sheet.px(0.25), Qt::DashLine));
    painter.drawLine(QPointF(sheet.px(stripLeft + cardWidth), sheet.px(stripTop - 4)),
                     QPointF(sheet.px(stripLeft + cardWidth), sheet.px(stripTop + cardHeight + 4)));
    drawCutMarks(sheet, stripLeft, stripTop, 2 * cardWidth, cardHeight);
}

bool writeWalletPdf(const QString& path, const WalletCard& card, QString* error)
{
    QFile file(path);
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate, ownerOnly) ||
        !file.setPermissions(ownerOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Медицинская карта"));
        writer.setCreator(QStringLiteral("Первая помощь"));
        QPainter painter(&writer);
        if (!painter.isActive()) {
            if (error)
                *error = QStringLiteral("the PDF could not be started");
            return false;
        }
        paintWalletSheet(painter, writer, card);
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace record
