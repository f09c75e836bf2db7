#include "sim/sim_options.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace r7k::sim {

namespace {

// Options that take a block number, and the fault each one sets.
struct Block_option {
    const char *name;
    int Faults::*field;
};
constexpr Block_option Block_options[] = {
    {"--short-reply-at", &Faults::short_reply_at},
    {"--noise-at", &Faults::noise_at},
    {"--stall-at", &Faults::stall_at},
    {"--hang-up-at", &Faults::hang_up_at},
    {"--corrupt-at", &Faults::corrupt_at},
};

struct Switch_option {
    const char *name;
    bool Faults::*field;
};
constexpr Switch_option Switch_options[] = {
    {"--no-answer", &Faults::no_answer},
    {"--wrong-identity", &Faults::wrong_identity},
    {"--once", &Faults::once},
};

// Options that take bytes in hex: how many, and whether the first must be
// an ACK (a write waits for one).
struct Bytes_option {
    const char *name;
    QByteArray Personality::*field;
    int least;
    int most;
    bool ack_first;
};
constexpr Bytes_option Bytes_options[] = {
    {"--connect-reply", &Personality::connect_reply, 1, 8, true},
    {"--identity-tail", &Personality::identity_tail, 1, 8, false},
    {"--start-reply", &Personality::start_reply, 2, 8, true},
    // The identifier must start within the first ten bytes of the reply.
    {"--power-lead", &Personality::power_lead, 1, 9, false},
    {"--power-tail", &Personality::power_tail, 1, 8, false},
};

// Options that take a number.
struct Number_option {
    const char *name;
    int Personality::*field;
    int least;
    int most;
    const char *what;
};
constexpr Number_option Number_options[] = {
    {"--pieces", &Personality::pieces, 1, 20, "a number"},
    {"--gap", &Personality::gap_ms, 0, 500, "milliseconds"},
};

template <class Option, std::size_t N>
const Option *find_option(const Option (&options)[N], const QString &argument)
{
    const auto found = std::find_if(std::begin(options), std::end(options), [&](const Option &o) {
        return argument == QLatin1String(o.name);
    });
    return found == std::end(options) ? nullptr : found;
}

// "06 57 00" or "065700"; nothing when the text is not bytes in hex.
std::optional<QByteArray> hex_bytes(QString text)
{
    text.remove(QLatin1Char(' '));
    static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})+$"));
    if (!hex.match(text).hasMatch())
        return std::nullopt;
    return QByteArray::fromHex(text.toLatin1());
}

std::optional<int> number_in(const QString &text, int least, int most)
{
    bool number = false;
    const int value = text.toInt(&number);
    if (!number || value < least || value > most)
        return std::nullopt;
    return value;
}

// Takes the value of a personality option; an error, or empty when it is good.
QString take_personality(const QString &option, const QString &value, Personality &personality)
{
    const auto bad = [&](const QString &needs) {
        return QStringLiteral("%1 needs %2, not \"%3\"").arg(option, needs, value);
    };
    if (const Bytes_option *o = find_option(Bytes_options, option)) {
        const std::optional<QByteArray> bytes = hex_bytes(value);
        if (!bytes || bytes->size() < o->least || bytes->size() > o->most ||
            (o->ack_first && bytes->at(0) != Protocol::Ack))
            return bad(QStringLiteral("%1 to %2 bytes in hex%3")
                           .arg(o->least)
                           .arg(o->most)
                           .arg(o->ack_first ? QStringLiteral(", the first 06 (ACK)") : QString()));
        personality.*o->field = *bytes;
    } else if (const Number_option *n = find_option(Number_options, option)) {
        const std::optional<int> number = number_in(value, n->least, n->most);
        if (!number)
            return bad(
                QStringLiteral("%1 %2..%3").arg(QLatin1String(n->what)).arg(n->least).arg(n->most));
        personality.*n->field = *number;
    } else if (option == QLatin1String("--header")) {
        const std::optional<QByteArray> bytes = hex_bytes(value);
        if (value == QLatin1String("random"))
            personality.header = Personality::Header::Random;
        else if (bytes && bytes->size() == 4)
            personality.header = Personality::Header::Fixed;
        else
            return bad(QStringLiteral("4 bytes in hex or \"random\""));
        personality.fixed_header = bytes.value_or(QByteArray());
    } else {
        QList<int> levels;
        for (const QString &level : value.split(QLatin1Char(',')))
            if (const std::optional<int> number = number_in(level, 0, 255))
                levels.append(*number);
        if (levels.size() != 3 || value.count(QLatin1Char(',')) != 2)
            return bad(QStringLiteral("three levels 0..255 such as 40,120,220"));
        personality.levels = levels;
    }
    return {};
}

bool is_personality_option(const QString &argument)
{
    return find_option(Bytes_options, argument) || find_option(Number_options, argument) ||
           argument == QLatin1String("--header") || argument == QLatin1String("--levels");
}

} // namespace

QString Sim_usage()
{
    return QStringLiteral(
        "Usage: r7k-sim [options]\n"
        "Serves a simulated R7K radio on a pseudo-terminal.\n"
        "\n"
        "  --link PATH            link to the pseudo-terminal (default /tmp/r7k-radio)\n"
        "  --memory FILE.chann    start from this channel file (default: the demo memory)\n"
        "  --save-to FILE.chann   save the memory after every End or Leave and on exit\n"
        "  --pace                 send and take bytes at the speed of a 9600-baud wire\n"
        "  --help                 show this text\n"
        "What the radio decides for itself (BYTES in hex, such as \"06 57\"):\n"
        "  --connect-reply BYTES  answer Connect with these bytes, the first 06 (default 06)\n"
        "  --identity-tail BYTES  send these bytes after the identifier\n"
        "  --start-reply BYTES    answer Start with 2..8 bytes, the first 06 (default 06 06)\n"
        "  --header BYTES|random  begin every block reply with these 4 bytes, or random\n"
        "                         ones (default: \"R\", the address and the length)\n"
        "  --levels L,M,H         the low, mid and high power levels 0..255\n"
        "  --power-lead BYTES     send these bytes before the identifier to the power\n"
        "                         adjustment\n"
        "  --power-tail BYTES     and these after its levels\n"
        "  --pieces N             send each reply in N pieces (default 1)\n"
        "  --gap MS               MS milliseconds between the pieces (default 0)\n"
        "Faults:\n"
        "  --no-answer            answer nothing at all\n"
        "  --wrong-identity       identify as another model\n"
        "  --short-reply-at K     answer the read of block K with 19 bytes\n"
        "  --noise-at K           answer block K with 7 noise bytes\n"
        "  --stall-at K           answer nothing from block K on\n"
        "  --hang-up-at K         close the line and exit at block K\n"
        "  --corrupt-at K         acknowledge a write of block K but store it altered\n"
        "  --once                 faults strike only in the first session; after a\n"
        "                         hang-up the radio serves again on a new line\n"
        "A power frame writes block 240: noise, stall and hang-up at 240 strike it.\n");
}

Sim_arguments Parse_sim_arguments(const QStringList &arguments)
{
    Sim_arguments parsed;
    Sim_options &options = parsed.options;
    const auto fail = [&](const QString &error) {
        parsed.error = error;
        return parsed;
    };

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--help")) {
            parsed.help = true;
            continue;
        }
        if (argument == QLatin1String("--pace")) {
            options.pace = true;
            continue;
        }
        if (const Switch_option *o = find_option(Switch_options, argument)) {
            options.faults.*o->field = true;
            continue;
        }

        const Block_option *block_option = find_option(Block_options, argument);
        const bool takes_path = argument == QLatin1String("--link") ||
                                argument == QLatin1String("--memory") ||
                                argument == QLatin1String("--save-to");
        if (!block_option && !takes_path && !is_personality_option(argument))
            return fail(QStringLiteral("unknown option %1").arg(argument));
        if (i + 1 == arguments.size() || arguments[i + 1].isEmpty())
            return fail(QStringLiteral("%1 needs a value").arg(argument));
        const QString value = arguments[++i];

        if (block_option) {
            const std::optional<int> block = number_in(value, 0, Radio::Block_count - 1);
            if (!block)
                return fail(QStringLiteral("%1 needs a block number 0..%2, not \"%3\"")
                                .arg(argument)
                                .arg(Radio::Block_count - 1)
                                .arg(value));
            options.faults.*block_option->field = *block;
        } else if (argument == QLatin1String("--link")) {
            options.link = value;
        } else if (argument == QLatin1String("--memory")) {
            options.memory = value;
        } else if (argument == QLatin1String("--save-to")) {
            options.save_to = value;
        } else if (const QString error = take_personality(argument, value, options.personality);
                   !error.isEmpty()) {
            return fail(error);
        }
    }
    return parsed;
}

} // namespace r7k::sim
