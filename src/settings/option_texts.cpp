#include "settings/option_texts.h"

#include "core/bilingual.h"

#include <QtGlobal>

namespace r7k {

namespace {

struct Caption {
    const char *control;
    Bilingual text;
};

const Caption Captions[] = {
    {"frm_option", {QStringLiteral("可选参数"), QStringLiteral("Optional Features")}},
    {"Combo_TOT", {QStringLiteral("超时定时器[分钟]"), QStringLiteral("Time Out Timer[Min]")}},
    {"Combo_Sql", {QStringLiteral("静噪等级"), QStringLiteral("Squelch Level")}},
    {"Combo_Scan_Way", {QStringLiteral("扫描方式"), QStringLiteral("Scan Way")}},
    {"Combo_Mode", {QStringLiteral(" 工作模式"), QStringLiteral("Work Mode")}},
    {"Combo_vox", {QStringLiteral("声控电平"), QStringLiteral("VOX")}},
    {"Check_Save", {QStringLiteral("电池省电"), QStringLiteral("Save")}},
    {"Check_Scan", {QStringLiteral("扫描"), QStringLiteral("Scan")}},
    {"Frame_vfo", {QStringLiteral("频率模式"), QStringLiteral("Frequncy Mode")}},
    {"Text_RX_Freq", {QStringLiteral("接收频率(MHZ)"), QStringLiteral("RX Frequncy(MHZ)")}},
    {"Text_TX_Freq", {QStringLiteral("发射频率(MHZ)"), QStringLiteral("TX Frequncy(MHZ)")}},
    {"Combo_Decode", {QStringLiteral("解码"), QStringLiteral("Decode")}},
    {"Check_DNI", {QStringLiteral("INV"), QStringLiteral("INV")}},
    {"Combo_Encode", {QStringLiteral("编码"), QStringLiteral("Encode")}},
    {"Check_ENI", {QStringLiteral("INV"), QStringLiteral("INV")}},
    {"Combo_Step", {QStringLiteral("步进频率(KHZ)"), QStringLiteral("Step(KHZ)")}},
    {"Combo_Sft_d", {QStringLiteral("频差方向"), QStringLiteral("Duplex")}},
    {"Text_Offset_Freq",
     {QStringLiteral("频差频率(MHZ)"), QStringLiteral("Offset Frequncy(MHZ) ")}},
    {"Combo_wn_TX", {QStringLiteral("发射宽带"), QStringLiteral("TX-W/N")}},
    {"Combo_WN_RX", {QStringLiteral("带宽"), QStringLiteral("W/N")}},
    {"Combo_TXP", {QStringLiteral("发射功率"), QStringLiteral("TX Power")}},
    {"Command_Close", {QStringLiteral("关闭"), QStringLiteral("Close")}},
    {"Command_Help", {QStringLiteral("帮助"), QStringLiteral("Help")}},
};

} // namespace

QString Option_caption(const char *control)
{
    for (const Caption &c : Captions)
        if (qstrcmp(c.control, control) == 0)
            return c.text.text();
    return {};
}

} // namespace r7k
