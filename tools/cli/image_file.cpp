#include "cli/image_file.h"

namespace r7k::cli {

std::optional<QString> File_problem(const QString &path, const Channel_file::Outcome &outcome)
{
    if (outcome.ok)
        return std::nullopt;
    QString line = path + QStringLiteral(": ") + outcome.message.english;
    if (!outcome.details.english.isEmpty())
        line += QStringLiteral(" (") + outcome.details.english + QLatin1Char(')');
    return line;
}

std::optional<QString> Load_image(const QString &path, Data_image &image)
{
    return File_problem(path, Channel_file::Load(path, image));
}

std::optional<QString> Save_image(const QString &path, const Data_image &image)
{
    return File_problem(path, Channel_file::Save(path, image));
}

} // namespace r7k::cli
