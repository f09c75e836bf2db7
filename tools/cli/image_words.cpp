#include "cli/image_words.h"

#include "channels/channel_record.h"
#include "settings/option_rules.h"

namespace r7k::cli {

namespace {

QString channel_section(int channel)
{
    return QStringLiteral("Channel %1").arg(channel);
}

const QString Options = QStringLiteral("Optional features");
const QString Frequency_mode = QStringLiteral("Frequency mode");
const QString Power_levels = QStringLiteral("Power levels");

QString shown_entry(Option_list list, const Data_image &image)
{
    return List_entries(list).value(Shown_index(list, image));
}

QString on_off(bool on)
{
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

} // namespace

QList<QStringList> Channel_table_rows(const Data_image &image)
{
    QList<QStringList> rows;
    QStringList titles = Channel_column_titles();
    for (QString &title : titles)
        title = title.trimmed();
    rows.append(titles);
    for (int channel = 1; channel <= Channel_count; ++channel) {
        if (Channel_is_empty(channel, image))
            continue;
        QStringList row;
        for (const QString &text : Channel_row_texts(channel, image))
            row.append(text.trimmed());
        rows.append(row);
    }
    return rows;
}

QList<Image_field> Channel_fields(const Data_image &image)
{
    QList<Image_field> fields;
    const QList<QStringList> table = Channel_table_rows(image);
    const QStringList &titles = table.first();
    for (const QStringList &row : table.mid(1)) {
        const int channel = row.first().toInt();
        for (int column = Rx_column; column < Grid_column_count; ++column) {
            const int block = column == Name_column ? Name_row(channel) : channel;
            fields.append({block, channel_section(channel), titles[column], row[column]});
        }
    }
    return fields;
}

QList<Image_field> Setting_fields(const Data_image &image)
{
    QList<Image_field> fields;
    const auto add = [&fields](int block, const QString &section, const char *name,
                               const QString &value) {
        fields.append({block, section, QLatin1String(name), value});
    };
    add(Settings_row, Options, "Squelch level", shown_entry(Option_list::Sql, image));
    add(Settings_row, Options, "Time-out timer (min)", shown_entry(Option_list::TOT, image));
    add(Settings_row, Options, "Scan resume", shown_entry(Option_list::Scan_way, image));
    add(Settings_row, Options, "Scan", on_off(Shown_checked(Option_switch::Scan, image)));
    add(Settings_row, Options, "Battery save", on_off(Shown_checked(Option_switch::Save, image)));
    add(Settings_row, Options, "Work mode", shown_entry(Option_list::Mode, image));
    add(Settings_row, Options, "Step (kHz)", shown_entry(Option_list::Step, image));
    add(Settings_row, Options, "Duplex", shown_entry(Option_list::Sft_d, image));
    add(Settings_row, Options, "Offset (MHz)", Shown_offset_text(image));

    add(Vfo_row, Frequency_mode, "RX frequency (MHz)", Shown_rx_text(image));
    add(Vfo_row, Frequency_mode, "TX frequency (MHz)", Shown_tx_text(image));
    add(Vfo_row, Frequency_mode, "Decode", shown_entry(Option_list::Decode, image));
    add(Vfo_row, Frequency_mode, "Encode", shown_entry(Option_list::Encode, image));
    add(Vfo_row, Frequency_mode, "VOX", shown_entry(Option_list::Vox, image));
    add(Vfo_row, Frequency_mode, "TX power", shown_entry(Option_list::TXP, image));
    add(Vfo_row, Frequency_mode, "Bandwidth", shown_entry(Option_list::WN_RX, image));
    add(Vfo_row, Frequency_mode, "TX bandwidth", shown_entry(Option_list::WN_TX, image));

    const char *levels[] = {"Low", "Mid", "High"};
    for (int level = 0; level < 3; ++level)
        add(Power_row, Power_levels, levels[level], QString::number(image(Power_row, level)));
    return fields;
}

} // namespace r7k::cli
