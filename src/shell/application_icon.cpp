#include "shell/application_icon.h"

#include <QDir>

namespace r7k {

QIcon Application_icon()
{
    // The build renders the icon into one folder a size (16x16, 32x32, ...).
    static const QIcon icon = [] {
        QIcon sizes;
        const QDir icons(QStringLiteral(":/icons"));
        for (const QString &size : icons.entryList(QDir::Dirs))
            sizes.addFile(icons.filePath(size + QStringLiteral("/r7k-cps.png")));
        return sizes;
    }();
    return icon;
}

} // namespace r7k
