#include "channels/channel_record.h"
#include "files/channel_csv.h"

namespace r7k::Channel_csv {

namespace {

const Bilingual Cannot_read{QStringLiteral("无法读取 CSV 文件。"),
                            QStringLiteral("The CSV file cannot be read.")};
const Bilingual Cannot_write{QStringLiteral("无法保存 CSV 文件。"),
                             QStringLiteral("The CSV file cannot be saved.")};

} // namespace

Report Report::Refused(const Bilingual &why, const Bilingual &details)
{
    Report report;
    report.failure = why;
    report.details = details;
    return report;
}

Channel_file::Outcome Export_file(const Data_image &image, const QString &path)
{
    const Channel_file::Outcome written =
        File_io::Write_file(path, Export(image), Cannot_write);
    if (!written.ok)
        return written;
    int channels = 0;
    for (int channel = 1; channel <= Channel_count; ++channel)
        channels += Channel_is_empty(channel, image) ? 0 : 1;
    return {true,
            {QStringLiteral("已将 %1 个信道导出到 CSV 文件。").arg(channels),
             QStringLiteral("%1 channels were exported to the CSV file.").arg(channels)},
            {}};
}

Report Import_file(Data_image &image, const QString &path, Scope scope)
{
    QByteArray bytes;
    const Channel_file::Outcome read = File_io::Read_file(path, bytes, Cannot_read);
    return read.ok ? Import(image, bytes, scope) : Report::Refused(read.message, read.details);
}
Bilingual Summary(const Report &report)
{
    if (!report.imported)
        return report.failure;
    if (report.skipped == 0)
        return {
            QStringLiteral("已从 CSV 文件导入 %1 个信道。").arg(report.channels),
            QStringLiteral("%1 channels were imported from the CSV file.").arg(report.channels)};
    return {QStringLiteral("已从 CSV 文件导入 %1 个信道，%2 行未导入。")
                .arg(report.channels)
                .arg(report.skipped),
            QStringLiteral("%1 channels were imported from the CSV file; %2 rows were skipped.")
                .arg(report.channels)
                .arg(report.skipped)};
}

} // namespace r7k::Channel_csv
