// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PersonalRecord.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <vector>

class QPainter;
class QPagedPaintDevice;

// The medical card on paper: a bank-card-size card (85.6 × 54 mm) printed as its front
// and back side by side, to be cut out along the marks and folded in two, laid out on an
// A4 sheet. The front has the photo, name, birthday, blood group, allergies, medicines,
// illnesses and notes under a red heading; the back the people to call and a QR code
// holding the whole card as plain UTF-8 text, which any phone's camera reads without an
// application.
namespace record {

// What the wallet card prints: the text of each printed field (empty where nothing is
// stored), the people to call and the photo.
struct WalletCard {
    QHash<Field, QString> text;
    std::vector<Contact> contacts;
    QImage photo;
    // Nothing to print: no field, no person, no photo.
    bool isEmpty() const;
};

// The card as stored now, the photo as printed (the copy for paper where there is one).
WalletCard storedWalletCard();

// A value on one line, as paper and the code write it: its line breaks become commas
// ("Диабет\nАстма" reads "Диабет, Астма").
QString oneLine(const QString& value);

// The whole card as the QR code holds it: a heading line, then one line per filled field in
// the code's order (name, blood group, allergies, medicines, the people to call; then
// illnesses, notes, birthday, address, weight and height); empty fields leave no line.
QString walletQrText(const WalletCard& card);

// A QR code's modules (UTF-8, marked as such), dark ones true, row by row, side by side.
struct QrCode {
    int side = 0;
    std::vector<bool> modules;
    bool cut = false;
    bool dark(int x, int y) const { return modules[size_t(y * side + x)]; }
};
// The largest code that scans from the card: version 24 (113 × 113 modules) printed 38 mm
// wide gives modules of a third of a millimetre, which phone cameras read.
inline constexpr int maximumQrVersion = 24;
inline constexpr double printedQrSide = 38.0;
// The code of a text; where the whole would need more than maximumQrVersion, the longest
// beginning that fits, cut at a word and ended with "…" (cut set). Empty when none can be made.
QrCode encodeQr(const QString& text);

// The wallet card's code: the whole card where it fits; where it does not, the vital lines
// (name, blood group, allergies, medicines, the people to call) whole, and the rest, in order,
// as far as it fits, the last line cut at a word with "…". The caption says which.
struct WalletQr {
    QrCode code;
    bool whole = true;
    QString text;
    QString caption() const;
};
WalletQr walletQr(const WalletCard& card);

// Draws the sheet on device (its page set to A4 by the caller), at its resolution.
void paintWalletSheet(QPainter& painter, QPagedPaintDevice& device, const WalletCard& card);

// Writes the sheet as a PDF, created readable by its owner only (it holds medical data).
// False, with why, when it cannot be written.
bool writeWalletPdf(const QString& path, const WalletCard& card, QString* error);

} // namespace record
