#include "core/tables.h"

#include "core/globals.h"

#include <cmath>

namespace r7k {

std::array<QString, 301> Tone_text;
std::array<QString, Model_count> Model_name;
std::array<qint16, 2 * Model_count> Band_limit{};

namespace {

constexpr const char *Ctcss_tones[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

constexpr const char *Dcs_codes[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

// Entries 1..154 are padded for lists and grid cells by their index.
QString padded_tone(int index, const QString &name)
{
    const auto blanks = [](int n) { return QString(n, QLatin1Char(' ')); };
    if (index <= 9)
        return blanks(3) + name + blanks(4);
    if (index <= 12)
        return blanks(2) + name + blanks(4);
    if (index <= 99)
        return blanks(2) + name + blanks(3);
    return blanks(1) + name + blanks(3);
}

struct Model {
    const char *name;
    double low;
    double high;
};

constexpr Model Models[Model_count] = {
    {"R7K", 136, 470.0005},       {"R7K VHF", 136, 174.0005},   {"KL7M UHF1", 136, 174.9875},
    {"KL7M UHF2", 244, 246.9875}, {"KL7M UHF3", 350, 390.9875}, {"KL7M UHF4", 450, 520.9875},
    {"KL7M FULL", 100, 600.9875},
};

} // namespace

const QString &Tone_entry(int index)
{
    Q_ASSERT(index >= 0 && index <= Tone_last);
    return Tone_text[index];
}

void Init_tone_table()
{
    constexpr int dcs_count = int(std::size(Dcs_codes));
    static_assert(std::size(Ctcss_tones) == Tone_ctcss_last);
    static_assert(Tone_dcsn_last == Tone_ctcss_last + dcs_count);
    static_assert(Tone_last == Tone_dcsn_last + dcs_count);

    Tone_text[0] = QStringLiteral("   OFF      ");
    for (int i = 1; i <= Tone_ctcss_last; ++i)
        Tone_text[i] = padded_tone(i, QLatin1String(Ctcss_tones[i - 1]));
    for (int i = Tone_ctcss_last + 1; i <= Tone_dcsn_last; ++i) {
        const QString code = QLatin1String(Dcs_codes[i - Tone_ctcss_last - 1]);
        Tone_text[i] = padded_tone(i, QLatin1Char('D') + code + QLatin1Char('N'));
        Tone_text[i + dcs_count] = Tone_text[i].trimmed().left(4) + QLatin1Char('I');
    }
}

void Init_model_table()
{
    for (int m = 0; m < Model_count; ++m) {
        Model_name[m] = QLatin1String(Models[m].name);
        Band_limit[m] = qint16(std::lround(Models[m].low));
        Band_limit[m + Model_count] = qint16(std::lround(Models[m].high));
    }
    Freq_low = Band_limit[Model_no];
    Freq_high = Band_limit[Model_no + Model_count];
}

} // namespace r7k
