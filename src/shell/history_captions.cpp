#include "shell/history_captions.h"

#include "core/globals.h"
#include "core/image_history.h"

#include <QAction>

namespace r7k {

namespace {

const Bilingual Undo_caption{QStringLiteral("撤销"), QStringLiteral("Undo")};
const Bilingual Redo_caption{QStringLiteral("重做"), QStringLiteral("Redo")};

void show(QAction &action, bool enabled, const Bilingual &command, const Bilingual &step)
{
    const QString caption = Language ? command.chinese + step.chinese
                            : step.english.isEmpty()
                                ? command.english
                                : command.english + QLatin1Char(' ') + step.english;
    action.setEnabled(enabled);
    action.setText(caption);
    action.setToolTip(caption);
}

} // namespace

void Show_history_state(const Image_history &history, QAction &undo, QAction &redo)
{
    show(undo, history.can_undo(), Undo_caption, history.undo_name());
    show(redo, history.can_redo(), Redo_caption, history.redo_name());
}

} // namespace r7k
