// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// The reading zoom shared by every screen that shows articles, and where the articles are.
namespace viewer {

// The stored zoom (1 to 2), 1 when none is stored. Kept under STORED_ZOOM as "%f" text.
float storedZoom();
// Stores the zoom and flushes the store at once, so every change outlives an abrupt end.
void storeZoom(float zoom);

// A file URL for a page of the bundle (a path relative to the resource folder); whether
// the file exists is not checked.
QUrl pageUrl(const QString& name);

} // namespace viewer
