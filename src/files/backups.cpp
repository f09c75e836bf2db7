#include "files/backups.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace r7k::Backups {

namespace {

const Bilingual Not_saved{QStringLiteral("备份未能保存 ！"),
                          QStringLiteral("The backup could not be saved.")};

const Bilingual Folder_not_made{QStringLiteral("无法创建该文件夹"),
                                QStringLiteral("the folder cannot be created")};

const QString Name_format = QStringLiteral("'r7k-'yyyyMMdd-HHmmss-zzz'.chann'");

// "where: reason" in both languages.
Bilingual at(const QString &where, const Bilingual &reason)
{
    const QString place = QDir::toNativeSeparators(where) + QStringLiteral(": ");
    return {place + reason.chinese, place + reason.english};
}

// Names in this form sort by their time.
bool is_backup(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^r7k-\\d{8}-\\d{6}-\\d{3}\\.chann$"));
    return form.match(name).hasMatch();
}

void remove_oldest(const QDir &folder)
{
    QStringList backups = folder.entryList(QDir::Files, QDir::Name);
    backups.removeIf([](const QString &name) { return !is_backup(name); });
    for (qsizetype i = 0; i + Kept < backups.size(); ++i)
        QFile::remove(folder.filePath(backups[i]));
}

} // namespace

QString Folder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/backups");
}

Channel_file::Outcome Keep(const Data_image &image, const QDateTime &when)
{
    const QString where = Folder();
    const QDir folder(where);
    if (where.isEmpty() || !folder.mkpath(QStringLiteral(".")))
        return Channel_file::Outcome::failure(Not_saved, at(where, Folder_not_made));
    // Two backups within a millisecond take the next free one.
    QDateTime time = when;
    while (folder.exists(time.toString(Name_format)))
        time = time.addMSecs(1);
    const QString path = folder.filePath(time.toString(Name_format));
    const Channel_file::Outcome saved = Channel_file::Save(path, image);
    if (!saved.ok)
        return Channel_file::Outcome::failure(Not_saved, at(path, saved.details));
    remove_oldest(folder);
    return saved;
}

} // namespace r7k::Backups
