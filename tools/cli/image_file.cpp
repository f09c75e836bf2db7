#include "cli/image_file.h"

#include "cli/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace r7k::cli {

std::optional<QString> File_problem(const QString &path, const Channel_file::Outcome &outcome)
{
    if (outcome.ok)
        return std::nullopt;
    QString line = path + QStringLiteral(": ") + In_language(outcome.message);
    if (const QString details = In_language(outcome.details); !details.isEmpty())
        line += QStringLiteral(" (") + details + QLatin1Char(')');
    return line;
}

namespace {

// A first line that names CHIRP's Location column.
bool starts_like_a_csv_list(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray first = file.readLine(4096);
    for (const QByteArray &field : first.split(','))
        if (field.trimmed().toLower().endsWith("location") ||
            field.trimmed().toLower() == "\"location\"")
            return true;
    return false;
}

} // namespace

std::optional<QString> Load_image(const QString &path, Data_image &image)
{
    const Channel_file::Outcome loaded = Channel_file::Load(path, image);
    if (!loaded.ok && starts_like_a_csv_list(path))
        return path + In_language({QStringLiteral("：这是 CSV 信道列表，不是信道文件；请用“r7k "
                                                  "import-csv”由它生成信道文件。"),
                                   QStringLiteral(": this is a CSV channel list, not a channel "
                                                  "file; make one of it with 'r7k import-csv'.")});
    return File_problem(path, loaded);
}

std::optional<QString> Unwritable(const QString &path)
{
    const QFileInfo file(path);
    if (!file.absoluteDir().exists())
        return path + In_language({QStringLiteral("：文件夹不存在。"),
                                   QStringLiteral(": the folder does not exist.")});
    if (file.exists() && !file.isFile())
        return path + In_language({QStringLiteral("：它不是普通文件，而是设备、管道或文件夹。"),
                                   QStringLiteral(": it is not a regular file but a device, a "
                                                  "pipe or a folder.")});
    // A save goes through a new file in the folder, or else over the file
    // itself: one of the two must be possible.
    QTemporaryFile probe(file.absoluteDir().filePath(QStringLiteral(".r7k-probe-XXXXXX")));
    if (probe.open())
        return std::nullopt;
    QFile existing(path);
    if (file.exists() && existing.open(QIODevice::WriteOnly | QIODevice::Append))
        return std::nullopt;
    return path + In_language({QStringLiteral("：无法在此写入文件（%1）"),
                               QStringLiteral(": the file cannot be written here (%1)")})
                      .arg(file.exists() ? existing.errorString() : probe.errorString());
}

std::optional<QString> Same_file(const QString &input, const QString &output)
{
    if (!QFileInfo::exists(output) || QFileInfo(input) != QFileInfo(output))
        return std::nullopt;
    return output + In_language({QStringLiteral("：这是输入文件；输出必须写到另一个文件。"),
                                 QStringLiteral(": this is the input file; the output must go to "
                                                "another file.")});
}

void Keep_backup(const Data_image &image, Backups::Kind kind)
{
    const Channel_file::Outcome kept = Backups::Keep(image, kind);
    if (!kept.ok)
        Fail(Exit_ok,
             In_language(kept.message) + QStringLiteral(" (") + In_language(kept.details) + ')');
}

std::optional<QString> Save_image(const QString &path, const Data_image &image)
{
    return File_problem(path, Channel_file::Save(path, image));
}

} // namespace r7k::cli
