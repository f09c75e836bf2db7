#include "files/backups.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace r7k::Backups {

namespace {

const Bilingual Not_saved{QStringLiteral("备份未能保存 ！"),
                          QStringLiteral("The backup could not be saved.")};

const Bilingual Folder_not_made{QStringLiteral("无法创建该文件夹"),
                                QStringLiteral("the folder cannot be created")};

QString name_format(Kind kind)
{
    return kind == Kind::Read ? QStringLiteral("'r7k-'yyyyMMdd-HHmmss-zzz'-read.chann'")
                              : QStringLiteral("'r7k-'yyyyMMdd-HHmmss-zzz'-before-write.chann'");
}

// "where: reason" in both languages.
Bilingual at(const QString &where, const Bilingual &reason)
{
    const QString place = QDir::toNativeSeparators(where) + QStringLiteral(": ");
    return {place + reason.chinese, place + reason.english};
}

// The names of backups, also of those from before the names said what they
// hold.
bool is_backup(const QString &name)
{
    static const QRegularExpression form(
        QStringLiteral("^r7k-\\d{8}-\\d{6}-\\d{3}(-read|-before-write)?\\.chann$"));
    return form.match(name).hasMatch();
}

// The other backups, newest first by their files' time, beyond the Kept - 1
// that stay beside the one just made.
void remove_oldest(const QDir &folder, const QString &kept_name)
{
    QFileInfoList backups = folder.entryInfoList(QDir::Files);
    backups.removeIf([&](const QFileInfo &file) {
        return file.fileName() == kept_name || !is_backup(file.fileName());
    });
    std::sort(backups.begin(), backups.end(), [](const QFileInfo &a, const QFileInfo &b) {
        return a.lastModified() != b.lastModified() ? a.lastModified() > b.lastModified()
                                                    : a.fileName() > b.fileName();
    });
    for (qsizetype i = Kept - 1; i < backups.size(); ++i)
        QFile::remove(backups[i].filePath());
}

} // namespace

QString Folder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/backups");
}

Channel_file::Outcome Keep(const Data_image &image, Kind kind, const QDateTime &when)
{
    const QString where = Folder();
    const QDir folder(where);
    if (where.isEmpty() || !folder.mkpath(QStringLiteral(".")))
        return Channel_file::Outcome::failure(Not_saved, at(where, Folder_not_made));
    // Two backups within a millisecond take the next free one.
    QDateTime time = when;
    while (folder.exists(time.toString(name_format(kind))))
        time = time.addMSecs(1);
    const QString name = time.toString(name_format(kind));
    const QString path = folder.filePath(name);
    const Channel_file::Outcome saved = Channel_file::Save(path, image);
    if (!saved.ok)
        return Channel_file::Outcome::failure(Not_saved, at(path, saved.details));
    remove_oldest(folder, name);
    return saved;
}

} // namespace r7k::Backups
