#pragma once

#include <QString>

namespace r7k {

// The captions of the optional features window by control name, in the
// current language; a list or text field carries its caption on the label
// beside it. The channel sheet names the settings by the same captions.
QString Option_caption(const char *control);

} // namespace r7k
