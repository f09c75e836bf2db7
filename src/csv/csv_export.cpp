#include "csv/csv_export.h"

#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "csv/chirp_row.h"
#include "csv/csv_text.h"
#include "csv/image_channel.h"

namespace r7k::Channel_csv {

namespace {

const Bilingual Cannot_write{QStringLiteral("无法保存 CSV 文件。"),
                             QStringLiteral("The CSV file cannot be saved.")};
const Bilingual Nothing_to_export{
    QStringLiteral("没有已设置的信道，未导出 CSV 文件。"),
    QStringLiteral("No channel is programmed; no CSV file was exported.")};

int programmed(const Data_image &image)
{
    int channels = 0;
    for (int channel = 1; channel <= Channel_count; ++channel)
        channels += Channel_is_empty(channel, image) ? 0 : 1;
    return channels;
}

// A name the other program cannot read back as it is: one with a control
// character or a code that is no GBK character.
bool unreadable_name(const QString &name)
{
    return Has_control_character(name) || name.contains(QChar::ReplacementCharacter);
}

Bilingual warning(int channel, const Bilingual &what)
{
    return {QStringLiteral("信道 %1：%2，导入本机型时不会恢复。").arg(channel).arg(what.chinese),
            QStringLiteral("Channel %1: %2; it will not come back on import into this model.")
                .arg(channel)
                .arg(what.english)};
}

} // namespace

QByteArray Export(const Data_image &image, Form form)
{
    const Tone_list tones;
    QString text = Csv_line(Csv_header());
    for (int channel = 1; channel <= Channel_count; ++channel)
        if (!Channel_is_empty(channel, image))
            text += Csv_line(Csv_fields(Listed_channel(image, channel, tones)));
    return (form == Form::Spreadsheet ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}

QList<Bilingual> Export_warnings(const Data_image &image, int model)
{
    const Band band = Band::of_model(model);
    const Tone_list tones;
    QList<Bilingual> warnings;
    for (int channel = 1; channel <= Channel_count; ++channel) {
        if (Channel_is_empty(channel, image))
            continue;
        const Csv_channel listed = Listed_channel(image, channel, tones);
        const bool rx_in = band.holds(listed.rx_hz);
        if (!rx_in || (listed.tx_hz && !band.holds(*listed.tx_hz)))
            warnings.append(warning(
                channel,
                {QStringLiteral("%1频率 %2 MHz 不在所选机型的频段之内（%3）")
                     .arg(rx_in ? QStringLiteral("发射") : QStringLiteral("接收"),
                          Mhz_text(rx_in ? *listed.tx_hz : listed.rx_hz), band.text().chinese),
                 QStringLiteral("the %1 frequency %2 MHz is outside the band of the selected "
                                "model, %3")
                     .arg(rx_in ? QStringLiteral("transmit") : QStringLiteral("receive"),
                          Mhz_text(rx_in ? *listed.tx_hz : listed.rx_hz), band.text().english)}));
        else if (unreadable_name(listed.name))
            warnings.append(warning(
                channel,
                {QStringLiteral("名称中有其他软件无法读取的字符"),
                 QStringLiteral("its name holds a character that other programs cannot read")}));
    }
    return warnings;
}

Channel_file::Outcome Export_file(const Data_image &image, const QString &path, int model,
                                  Form form)
{
    const int channels = programmed(image);
    if (channels == 0)
        return Channel_file::Outcome::failure(Nothing_to_export);
    const Channel_file::Outcome written =
        File_io::Write_file(path, Export(image, form), Cannot_write);
    if (!written.ok)
        return written;
    Bilingual message{
        QStringLiteral("已将 %1 个信道导出到 CSV 文件。").arg(channels),
        QStringLiteral("%1 %2 exported to the CSV file.")
            .arg(channels)
            .arg(channels == 1 ? QStringLiteral("channel was") : QStringLiteral("channels were"))};
    const QList<Bilingual> warnings = Export_warnings(image, model);
    Bilingual details;
    if (!warnings.isEmpty()) {
        message.chinese +=
            QStringLiteral("其中 %1 个信道导入本机型时不会恢复，见详细信息。").arg(warnings.size());
        message.english += QStringLiteral(" %1 of them will not come back on import into this "
                                          "model; see the details.")
                               .arg(warnings.size());
        QStringList chinese, english;
        for (const Bilingual &warning : warnings) {
            chinese.append(warning.chinese);
            english.append(warning.english);
        }
        details = {chinese.join(u'\n'), english.join(u'\n')};
    }
    return {true, message, details};
}

} // namespace r7k::Channel_csv
