#include "files/directory_list.h"

#include "ui/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace r7k {

namespace {

const Bilingual Cannot_enter{QStringLiteral("无法打开该文件夹。"),
                             QStringLiteral("The folder cannot be opened.")};

constexpr int Indent_blanks = 2;

} // namespace

Directory_list::Directory_list(QWidget *parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, &Directory_list::enter);
}

bool Directory_list::set_path(const QString &path)
{
    const QDir target(path);
    if (!target.exists() || !target.isReadable())
        return false;
    current = QDir::cleanPath(target.absolutePath());

    clear();
    // The chain from the root down to the folder itself, each one step deeper.
    QStringList chain;
    for (QDir step(current);;) {
        chain.prepend(step.absolutePath());
        if (!step.cdUp())
            break;
    }
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString &folder = chain[depth];
        const QString name = depth == 0 ? QDir::toNativeSeparators(folder) : QDir(folder).dirName();
        add_entry(folder, name, depth, true);
    }
    setCurrentRow(int(chain.size()) - 1);
    const QDir::Filters subfolders = QDir::Dirs | QDir::NoDotAndDotDot;
    for (const QFileInfo &sub : target.entryInfoList(subfolders, QDir::Name | QDir::IgnoreCase))
        add_entry(sub.absoluteFilePath(), sub.fileName(), int(chain.size()), false);

    Q_EMIT path_changed(current);
    return true;
}

void Directory_list::add_entry(const QString &path, const QString &shown, int depth, bool open)
{
    const QStyle::StandardPixmap icon = open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon;
    auto *item =
        new QListWidgetItem(style()->standardIcon(icon),
                            QString(depth * Indent_blanks, QLatin1Char(' ')) + shown, this);
    item->setData(Qt::UserRole, path);
}

void Directory_list::enter(QListWidgetItem *item)
{
    const QString target = item->data(Qt::UserRole).toString();
    if (target != current && !set_path(target))
        Messages::show(Cannot_enter, QDir::toNativeSeparators(target));
}

} // namespace r7k
