#pragma once

class QAction;

namespace r7k {
class Image_history;
}

namespace r7k {

// Shows the state of a history on the Undo and Redo commands: each is
// enabled when there is a step for it, and its caption and tooltip name that
// step ("撤销粘贴", "Undo Paste"), in the current language.
void Show_history_state(const Image_history &history, QAction &undo, QAction &redo);

} // namespace r7k
