#pragma once

#include <QListWidget>

namespace r7k {

// Dir1: the folder a file dialog looks in, shown as its chain of parent
// folders from the volume's root down, followed by its subfolders.
// Activating an entry (double click, Enter) moves there.
class Directory_list : public QListWidget {
    Q_OBJECT
public:
    explicit Directory_list(QWidget *parent = nullptr);

    QString path() const { return current; }

    // Moves to `path`; false, with nothing changed, when it cannot be read.
    bool set_path(const QString &path);

Q_SIGNALS:
    void path_changed(const QString &path);

private:
    void add_entry(const QString &path, const QString &shown, int depth, bool open);
    void enter(QListWidgetItem *item);

    QString current;
};

} // namespace r7k
