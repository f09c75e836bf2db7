#pragma once

#include "core/bilingual.h"

#include <QString>
#include <optional>

class QPagedPaintDevice;
class QPageLayout;

namespace r7k {

struct Channel_sheet;

// Portrait A4, or Letter where the system measures in inches, with margins
// of 15 mm.
QPageLayout Sheet_page_layout();

// Paints the sheet onto the device's pages: every page starts with the title,
// the model, the source, the date and its page number; the channel table
// continues from page to page under its headings, and the optional features
// follow it. Returns the number of pages.
int Paint_channel_sheet(QPagedPaintDevice &device, const Channel_sheet &sheet);

struct Sheet_export {
    bool ok = false;
    Bilingual message;
    QString details; // the system's reason for a failure
};

// Writes the sheet of the program's image to a PDF file.
Sheet_export Export_channel_sheet(const QString &path);

} // namespace r7k
