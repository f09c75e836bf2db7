#include "channels/clipboard_rows.h"

#include "channels/channel_clipboard.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace r7k {

namespace {

QTextTable *first_table(QTextFrame *frame)
{
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            return table;
        if (QTextTable *inner = first_table(child))
            return inner;
    }
    return nullptr;
}

QString cell_text(const QTextTableCell &cell)
{
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

} // namespace

Tab_rows Clipboard_rows(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasText() && !data->text().isEmpty())
        return Pasted_rows(data->text());
    if (!data->hasHtml())
        return {};
    QTextDocument document;
    document.setHtml(data->html());
    QTextTable *table = first_table(document.rootFrame());
    if (!table)
        return {};
    Tab_rows rows;
    for (int row = 0; row < table->rows(); ++row) {
        QStringList values;
        for (int column = 0; column < table->columns(); ++column)
            values.append(cell_text(table->cellAt(row, column)));
        rows.append(values);
    }
    return rows;
}

} // namespace r7k
