#pragma once

#include <QString>
#include <QStringList>

namespace r7k {

// What the drive list of the file dialogs offers: the root of every mounted
// volume that can be read (on Windows the drives), the system's root first.
QStringList Volume_roots();

// The volume among `roots` that holds `path`: the longest root it lies under.
QString Volume_of(const QString &path, const QStringList &roots);

} // namespace r7k
