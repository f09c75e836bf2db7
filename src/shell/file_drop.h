#pragma once

#include <QObject>

class QWidget;

namespace r7k {

// Lets a channel file (.chann) or a CSV list (.csv) be dropped onto a window
// from a file manager. Only one local file of these kinds is taken; the
// drop is refused for anything else, so the pointer shows it cannot land.
class File_drop : public QObject {
    Q_OBJECT
public:
    // Watches `target`, which it makes accept drops, and belongs to it.
    explicit File_drop(QWidget *target);

Q_SIGNALS:
    void channel_file_dropped(const QString &path);
    void csv_file_dropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace r7k
