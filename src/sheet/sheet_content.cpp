#include "sheet/sheet_content.h"

#include "channels/channel_record.h"
#include "core/bilingual.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "settings/option_rules.h"
#include "settings/option_texts.h"

#include <QFileInfo>

namespace r7k {

namespace {

const Bilingual Title{QStringLiteral("R7K 系列对讲机信道表"),
                      QStringLiteral("R7K Series Channel Sheet")};
const Bilingual Model_label{QStringLiteral("机型"), QStringLiteral("Model")};
const Bilingual Source_label{QStringLiteral("来源"), QStringLiteral("Source")};
const Bilingual Date_label{QStringLiteral("日期"), QStringLiteral("Date")};
const Bilingual From_radio{QStringLiteral("从对讲机读取"), QStringLiteral("read from radio")};
const Bilingual Not_saved{QStringLiteral("未保存"), QStringLiteral("not saved")};
const Bilingual No_channels{QStringLiteral("没有已编程的信道。"),
                            QStringLiteral("No channel is programmed.")};
const Bilingual Switch_on{QStringLiteral("开"), QStringLiteral("On")};
const Bilingual Switch_off{QStringLiteral("关"), QStringLiteral("Off")};
const Bilingual Page_pattern{QStringLiteral("第 %1 页，共 %2 页"), QStringLiteral("Page %1 of %2")};

// The features in the order of the optional features window, each named by
// the caption of its control.
struct Listed {
    const char *control;
    Option_list list;
};
constexpr Listed Settings_features[] = {
    {"Combo_Sql", Option_list::Sql},           {"Combo_TOT", Option_list::TOT},
    {"Combo_Scan_Way", Option_list::Scan_way}, {"Combo_Mode", Option_list::Mode},
    {"Combo_Step", Option_list::Step},         {"Combo_Sft_d", Option_list::Sft_d},
};
constexpr Listed Vfo_features[] = {
    {"Combo_Decode", Option_list::Decode}, {"Combo_Encode", Option_list::Encode},
    {"Combo_vox", Option_list::Vox},       {"Combo_TXP", Option_list::TXP},
    {"Combo_wn_TX", Option_list::WN_TX},   {"Combo_WN_RX", Option_list::WN_RX},
};

QString source_text()
{
    switch (Image_origin.kind) {
    case Image_source::File:
        return QFileInfo(Image_origin.file).fileName();
    case Image_source::Radio:
        return From_radio.text();
    case Image_source::Start_up:
        break;
    }
    return Not_saved.text();
}

Channel_sheet::Item item(const char *control, const QString &value)
{
    return {Option_caption(control).trimmed(), value};
}

void add_lists(QList<Channel_sheet::Item> &items, const auto &listed)
{
    for (const Listed &feature : listed)
        items.append(
            item(feature.control, List_entries(feature.list).value(Shown_index(feature.list))));
}

QList<Channel_sheet::Item> features()
{
    QList<Channel_sheet::Item> items;
    add_lists(items, Settings_features);
    for (const auto &[control, setting] : {std::pair("Check_Save", Option_switch::Save),
                                           std::pair("Check_Scan", Option_switch::Scan)})
        items.append(item(control, (Shown_checked(setting) ? Switch_on : Switch_off).text()));
    items.append(item("Text_Offset_Freq", Shown_offset_text()));
    const QString vfo = Option_caption("Frame_vfo").trimmed() + QStringLiteral(" - ");
    const qsizetype first_vfo = items.size();
    items.append(item("Text_RX_Freq", Shown_rx_text()));
    items.append(item("Text_TX_Freq", Shown_tx_text()));
    add_lists(items, Vfo_features);
    for (qsizetype i = first_vfo; i < items.size(); ++i)
        items[i].label.prepend(vfo);
    return items;
}

} // namespace

Channel_sheet Make_channel_sheet(const QDate &date)
{
    Channel_sheet sheet;
    sheet.title = Title.text();
    sheet.facts = {{Model_label.text(), Model_name[Model_no]},
                   {Source_label.text(), source_text()},
                   {Date_label.text(), date.toString(Qt::ISODate)}};
    for (int column = 0; column < Grid_column_count; ++column)
        sheet.headings.append(Column_title(column).text());
    for (int channel = 1; channel <= Channel_count; ++channel) {
        if (Channel_is_empty(channel))
            continue;
        const Row_texts texts = Channel_row_texts(channel);
        QStringList values;
        for (const QString &text : texts)
            values.append(text.trimmed());
        sheet.channels.append(values);
    }
    sheet.no_channels = No_channels.text();
    sheet.features_title = Option_caption("frm_option");
    sheet.features = features();
    sheet.page_pattern = Page_pattern.text();
    return sheet;
}

} // namespace r7k
