#include "csv/csv_import.h"
#include "files/channel_file.h"

namespace r7k::Channel_csv {

namespace {

const Bilingual Cannot_read{QStringLiteral("无法读取 CSV 文件。"),
                            QStringLiteral("The CSV file cannot be read.")};

// "1 channel", "2 channels".
QString counted(int count, const char *noun)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(noun),
                                                    count == 1 ? QString() : QStringLiteral("s"));
}

QString was(int count)
{
    return count == 1 ? QStringLiteral("was") : QStringLiteral("were");
}

} // namespace

Report Report::Refused(const Bilingual &why, const Bilingual &details)
{
    Report report;
    report.failure = why;
    report.details = details;
    return report;
}

Report Import_file(Data_image &image, const QString &path, Scope scope, int model,
                   Csv_encoding encoding)
{
    QByteArray bytes;
    const Channel_file::Outcome read = File_io::Read_file(path, bytes, Cannot_read);
    return read.ok ? Import(image, bytes, scope, model, encoding)
                   : Report::Refused(read.message, read.details);
}

Bilingual Summary(const Report &report)
{
    if (!report.imported)
        return report.failure;
    const QString encoding = Encoding_name(report.encoding);
    Bilingual summary{
        QStringLiteral("已从 CSV 文件（按 %1 读取）导入 %2 个信道")
            .arg(encoding)
            .arg(report.channels),
        QStringLiteral("%1 %2 imported from the CSV file (read as %3)")
            .arg(counted(report.channels, "channel"), was(report.channels), encoding)};
    if (report.skipped > 0) {
        summary.chinese += QStringLiteral("，%1 行未导入").arg(report.skipped);
        summary.english += QStringLiteral("; %1 %2 skipped")
                               .arg(counted(report.skipped, "row"), was(report.skipped));
    }
    summary.chinese += QStringLiteral("。");
    summary.english += u'.';
    if (report.kept > 0) {
        summary.chinese += QStringLiteral("其中 %1 个信道保留了原有的声控及 CSV 文件不含的设置。")
                               .arg(report.kept);
        summary.english +=
            QStringLiteral(" %1 kept %2 VOX and the settings a CSV file does not carry.")
                .arg(counted(report.kept, "channel"),
                     report.kept == 1 ? QStringLiteral("its") : QStringLiteral("their"));
    }
    if (report.emptied > 0) {
        summary.chinese += QStringLiteral("文件中没有的 %1 个信道已清空。").arg(report.emptied);
        summary.english += QStringLiteral(" %1 not in the file %2 emptied.")
                               .arg(counted(report.emptied, "channel"), was(report.emptied));
    }
    for (const Bilingual &assumed : report.assumed) {
        summary.chinese += assumed.chinese + QStringLiteral("。");
        summary.english += u' ' + assumed.english.left(1).toUpper() + assumed.english.mid(1) + u'.';
    }
    return summary;
}

} // namespace r7k::Channel_csv
