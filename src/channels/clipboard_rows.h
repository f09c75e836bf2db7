#pragma once

#include "channels/tab_text.h"

class QMimeData;

namespace r7k {

// The lines and values a clipboard holds: its text (see Pasted_rows), or,
// when it holds no text, the cells of the first table of its HTML, as some
// spreadsheets and web pages give it.
Tab_rows Clipboard_rows(const QMimeData *data);

} // namespace r7k
