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
// A4 sheet. The front has the photo, name, birthday, blood group, allergies, medicines and
// illnesses under a red heading; the back the people to call and a QR code holding all of
// it as plain UTF-8 text, which any phone's camera reads without an application.
namespace record {

// What the wallet card prints: the text of each printed field (empty where nothing is
// stored), the people to call and the photo.
struct WalletCard {
    QHash<Field, QString> text;
    std::vector<Contact> contacts;
    QImage photo;
};

// The card as stored now.
WalletCard storedWalletCard();

// The text the QR code holds: a heading line, then one line per filled field, then the
// contacts; empty fields leave no line.
QString walletQrText(const WalletCard& card);

// A QR code's modules for text (UTF-8, marked as such), dark ones true, row by row, side
// by side; the text is cut and ends in "…" where the whole would need more than
// maximumQrVersion. Empty when it cannot be made.
struct QrCode {
    int side = 0;
    std::vector<bool> modules;
    bool cut = false;
    bool dark(int x, int y) const { return modules[size_t(y * side + x)]; }
};
// Version 20 (97 × 97 modules) printed 30 mm wide: modules of 0.31 mm, which phone
// cameras read.
inline constexpr int maximumQrVersion = 20;
QrCode encodeQr(const QString& text);

// Draws the sheet on device (its page set to A4 by the caller), at its resolution.
void paintWalletSheet(QPainter& painter, QPagedPaintDevice& device, const WalletCard& card);

// Writes the sheet as a PDF, created readable by its owner only (it holds medical data).
// False, with why, when it cannot be written.
bool writeWalletPdf(const QString& path, const WalletCard& card, QString* error);

} // namespace record
