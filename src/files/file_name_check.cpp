#include "files/file_name_check.h"

namespace r7k {

namespace {

struct Name_messages {
    Bilingual invalid_character;
    Bilingual wrong_suffix;
};

const Name_messages Open_messages{
    {QStringLiteral("打开信道参数文件名无效 "),
     QStringLiteral("Open the file name of channel parameter is nullity ")},
    {QStringLiteral("无效的信道参数文件后缀名！"),
     QStringLiteral("Nullity file suffix name of channel parameter.")},
};
const Name_messages Save_messages{
    {QStringLiteral("保存信道参数所需要的文件名无效 "),
     QStringLiteral("Store the file name of channel parameter need is nullity. ")},
    {QStringLiteral("建议不要修改系统默认的文件后缀名！"),
     QStringLiteral("Advice don't modify file suffix name of system default ！")},
};

} // namespace

File_name_problem Check_file_name(const QString &name)
{
    static const QString forbidden = QStringLiteral("*$\\/#");
    const QString trimmed = name.trimmed();
    for (const QChar ch : trimmed)
        if (forbidden.contains(ch))
            return File_name_problem::Invalid_character;
    const QString suffix = trimmed.right(6);
    if (suffix != QLatin1String(".chann") && suffix != QLatin1String(".CHANN"))
        return File_name_problem::Wrong_suffix;
    return File_name_problem::None;
}

Bilingual File_name_message(Channel_file_dialog_kind kind, File_name_problem problem)
{
    const Name_messages &messages =
        kind == Channel_file_dialog_kind::Open ? Open_messages : Save_messages;
    switch (problem) {
    case File_name_problem::Invalid_character:
        return messages.invalid_character;
    case File_name_problem::Wrong_suffix:
        return messages.wrong_suffix;
    case File_name_problem::None:
        break;
    }
    return {};
}

QString Channel_file_path(const QString &directory, const QString &name)
{
    QString path = directory;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + name.trimmed();
}

} // namespace r7k
