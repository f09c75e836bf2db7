#include "sim/sim_options.h"

#include <algorithm>

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
        "  --no-answer            answer nothing at all\n"
        "  --wrong-identity       identify as another model\n"
        "  --short-reply-at K     answer the read of block K with 19 bytes\n"
        "  --noise-at K           answer block K with 7 noise bytes\n"
        "  --stall-at K           answer nothing from block K on\n"
        "  --hang-up-at K         close the line and exit at block K\n"
        "  --corrupt-at K         acknowledge a write of block K but store it altered\n"
        "  --once                 faults strike only in the first session; after a\n"
        "                         hang-up the radio serves again on a new line\n"
        "  --help                 show this text\n"
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
        const auto switch_option =
            std::find_if(std::begin(Switch_options), std::end(Switch_options),
                         [&](const Switch_option &o) { return argument == QLatin1String(o.name); });
        if (switch_option != std::end(Switch_options)) {
            options.faults.*switch_option->field = true;
            continue;
        }

        const auto block_option =
            std::find_if(std::begin(Block_options), std::end(Block_options),
                         [&](const Block_option &o) { return argument == QLatin1String(o.name); });
        const bool takes_path = argument == QLatin1String("--link") ||
                                argument == QLatin1String("--memory") ||
                                argument == QLatin1String("--save-to");
        if (block_option == std::end(Block_options) && !takes_path)
            return fail(QStringLiteral("unknown option %1").arg(argument));
        if (i + 1 == arguments.size() || arguments[i + 1].isEmpty())
            return fail(QStringLiteral("%1 needs a value").arg(argument));
        const QString value = arguments[++i];

        if (block_option != std::end(Block_options)) {
            bool number = false;
            const int block = value.toInt(&number);
            if (!number || block < 0 || block >= Radio::Block_count)
                return fail(QStringLiteral("%1 needs a block number 0..%2, not \"%3\"")
                                .arg(argument)
                                .arg(Radio::Block_count - 1)
                                .arg(value));
            options.faults.*block_option->field = block;
        } else if (argument == QLatin1String("--link")) {
            options.link = value;
        } else if (argument == QLatin1String("--memory")) {
            options.memory = value;
        } else {
            options.save_to = value;
        }
    }
    return parsed;
}

} // namespace r7k::sim
