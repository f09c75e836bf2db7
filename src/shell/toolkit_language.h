#pragma once

namespace r7k {

// The toolkit's own texts (message box buttons, "Show Details...", the
// context menu of a text field) in the program's language: Qt's Chinese
// translations are loaded for Chinese and unloaded for English. Where they
// are not installed, those texts stay English.
void Use_toolkit_language(bool chinese);

} // namespace r7k
