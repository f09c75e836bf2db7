// Comparing a written image with the image read back, and the words for
// what each block holds.
#include "link/verification.h"
#include "link_rig.h"

#include <QTest>

using namespace r7k;
using namespace r7k::Verification;

class Test_verification : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void block_meaning_and_outcome_texts()
    {
        const std::tuple<int, QString, QString> meanings[] = {
            {1, "信道 1", "channel 1"},
            {128, "信道 128", "channel 128"},
            {131, "频率模式", "the frequency mode"},
            {139, "机型标识", "the radio model identifier"},
            {140, "可选功能", "the optional features"},
            {144, "信道 1 的名称", "the name of channel 1"},
            {239, "信道 96 的名称", "the name of channel 96"}, // before the levels
            {240, "发射功率电平", "the transmit power levels"},
            {241, "信道 98 的名称", "the name of channel 98"}, // after them
            {271, "信道 128 的名称", "the name of channel 128"},
            {273, "信道 97 的名称", "the name of channel 97"},
            {130, "数据块 130", "block 130"}, // a gap
            {272, "数据块 272", "block 272"}, // never sent
        };
        for (const auto &[block, chinese, english] : meanings)
            QCOMPARE(Block_meaning(block), (Bilingual{chinese, english}));

        QCOMPARE(Outcome_text({}),
                 (Bilingual{"对讲机数据与当前数据一致 ！", "The radio holds the current data."}));
        QCOMPARE(Outcome_text({7, 150}),
                 (Bilingual{"对讲机数据与当前数据不一致，以下数据块不同：\n"
                            "数据块 7：信道 7\n数据块 150：信道 7 的名称",
                            "The radio's data differ from the current data in these blocks:\n"
                            "block 7: channel 7\nblock 150: the name of channel 7"}));

        // A box that lists every block of a wholly different radio would not
        // fit on a screen.
        const QList<int> blocks = Transfer_blocks(128);
        const Bilingual many = Outcome_text(blocks);
        QCOMPARE(many.english.count('\n'), 16 + 1);
        QVERIFY(many.english.endsWith("\nblock 16: channel 16\nand 112 more blocks"));
        QVERIFY(many.chinese.endsWith("\n数据块 16：信道 16\n另有 112 个数据块不同"));
        QVERIFY(Outcome_text(blocks.first(16)).english.endsWith("\nblock 16: channel 16"));
        QVERIFY(Outcome_text(blocks.first(17)).english.endsWith("channel 16\nand 1 more blocks"));
    }

    // Only the blocks a write sends count, in the order it sends them.
    void differing_blocks_are_the_written_ones()
    {
        Data_image written;
        Reset_image(written);
        Data_image read_back = written;
        QVERIFY(Differing_blocks(written, read_back).isEmpty());
        for (int block : {0, 129, 139, 141, 272, 273})
            read_back(block, 3) = 99;
        read_back(33, 16) = 5; // beyond the 16 bytes of a block
        QVERIFY(Differing_blocks(written, read_back).isEmpty());
        for (int block : {271, 140, 1, 240, 131})
            read_back(block, 15) = 7;
        QCOMPARE(Differing_blocks(written, read_back), (QList<int>{1, 131, 140, 240, 271}));
    }
};

QTEST_GUILESS_MAIN(Test_verification)
#include "test_verification.moc"
