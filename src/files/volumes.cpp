#include "files/volumes.h"

#include <QDir>
#include <QStorageInfo>
#include <algorithm>

namespace r7k {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity Path_case = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity Path_case = Qt::CaseSensitive;
#endif

} // namespace

QStringList Volume_roots()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            roots.append(volume.rootPath());
    roots.removeDuplicates();
    const QString system_root = QDir::rootPath();
    std::sort(roots.begin(), roots.end(), [&](const QString &a, const QString &b) {
        if ((a == system_root) != (b == system_root))
            return a == system_root;
        return a.compare(b, Path_case) < 0;
    });
    return roots;
}

QString Volume_of(const QString &path, const QStringList &roots)
{
    const QString within = QDir::cleanPath(path) + QLatin1Char('/');
    QString best;
    for (const QString &root : roots) {
        QString prefix = QDir::cleanPath(root);
        if (!prefix.endsWith(QLatin1Char('/')))
            prefix += QLatin1Char('/');
        if (within.startsWith(prefix, Path_case) && root.size() > best.size())
            best = root;
    }
    return best;
}

} // namespace r7k
