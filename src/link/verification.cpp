#include "link/verification.h"

#include "link/write_engine.h"

namespace r7k::Verification {

namespace {

const Bilingual Same{QStringLiteral("对讲机数据与当前数据一致 ！"),
                     QStringLiteral("The radio holds the current data.")};
const Bilingual Differ{QStringLiteral("对讲机数据与当前数据不一致，以下数据块不同："),
                       QStringLiteral("The radio's data differ from the current data in these "
                                      "blocks:")};

// A message box beyond this many lines no longer fits on a screen.
constexpr int Listed_blocks = 16;

Bilingual numbered(const char *chinese, const char *english, int n)
{
    return {QString::fromUtf8(chinese).arg(n), QString::fromUtf8(english).arg(n)};
}

bool is_channel_name_row(int block)
{
    return block >= First_name_row && block <= Last_name_row && block != Power_row;
}

} // namespace

Bilingual Block_meaning(int block)
{
    if (block >= 1 && block <= Channel_count)
        return numbered("信道 %1", "channel %1", block);
    if (block == Vfo_row)
        return {QStringLiteral("频率模式"), QStringLiteral("the frequency mode")};
    if (block == Settings_row)
        return {QStringLiteral("可选功能"), QStringLiteral("the optional features")};
    if (block == Radio_id_row)
        return {QStringLiteral("机型标识"), QStringLiteral("the radio model identifier")};
    if (block == Power_row)
        return {QStringLiteral("发射功率电平"), QStringLiteral("the transmit power levels")};
    if (is_channel_name_row(block))
        return numbered("信道 %1 的名称", "the name of channel %1", block - First_name_row + 1);
    if (block == Spare_name_row)
        return numbered("信道 %1 的名称", "the name of channel %1", Power_row - First_name_row + 1);
    return numbered("数据块 %1", "block %1", block);
}

QList<int> Differing_blocks(const Data_image &written, const Data_image &read_back)
{
    QList<int> differing;
    for (int block : Write_engine::Blocks()) {
        for (int c = 0; c < Block_bytes; ++c) {
            if (written(block, c) != read_back(block, c)) {
                differing.append(block);
                break;
            }
        }
    }
    return differing;
}

Bilingual Outcome_text(const QList<int> &differing)
{
    if (differing.isEmpty())
        return Same;
    Bilingual text = Differ;
    for (int block : differing.first(qMin(differing.size(), qsizetype(Listed_blocks)))) {
        const Bilingual meaning = Block_meaning(block);
        text.chinese += QStringLiteral("\n数据块 %1：%2").arg(block).arg(meaning.chinese);
        text.english += QStringLiteral("\nblock %1: %2").arg(block).arg(meaning.english);
    }
    if (differing.size() > Listed_blocks) {
        const qsizetype more = differing.size() - Listed_blocks;
        text.chinese += QStringLiteral("\n另有 %1 个数据块不同").arg(more);
        text.english += QStringLiteral("\nand %1 more blocks").arg(more);
    }
    return text;
}

} // namespace r7k::Verification
