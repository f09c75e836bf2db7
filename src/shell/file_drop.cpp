#include "shell/file_drop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace r7k {

namespace {

// The one local file that the drop carries; empty when it carries none, or
// several.
QString dropped_file(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

QString suffix_of(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

bool takes(const QString &path)
{
    return suffix_of(path) == QLatin1String("chann") || suffix_of(path) == QLatin1String("csv");
}

} // namespace

File_drop::File_drop(QWidget *target) : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool File_drop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (takes(dropped_file(drag->mimeData())))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = dropped_file(drop->mimeData());
        if (!takes(path))
            return QObject::eventFilter(watched, event);
        drop->acceptProposedAction();
        if (suffix_of(path) == QLatin1String("csv"))
            Q_EMIT csv_file_dropped(path);
        else
            Q_EMIT channel_file_dropped(path);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace r7k
