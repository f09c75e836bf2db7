// r7k diff: what differs between two channel files, in words.

#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/image_words.h"
#include "cli/report.h"
#include "cli/verb_line.h"
#include "cli/verbs.h"
#include "files/channel_file.h"
#include "link/verification.h"

#include <QMap>
#include <QSet>

namespace r7k::cli {

namespace {

const QString Help =
    QStringLiteral("Usage: r7k diff A.chann B.chann\n"
                   "Says in words what differs from channel file A to channel file B: per channel\n"
                   "the columns of the channel table, per setting the optional features, the\n"
                   "frequency mode and the power levels, and any other stored byte by its block.\n"
                   "Prints nothing when the files hold the same data.\n"
                   "\n"
                   "  -h, --help   show this text\n"
                   "\n"
                   "Exit status: 0 the same, 1 different, 2 bad command line, 3 a file cannot be\n"
                   "read or holds a bad value.\n");

// The words of one file.
struct Words {
    QMap<int, QList<Image_field>> channels; // by channel number
    QList<Image_field> settings;
};

Words words_of(const Data_image &image)
{
    Words words;
    for (const Image_field &field : Channel_fields(image))
        words.channels[field.section.section(QLatin1Char(' '), 1).toInt()].append(field);
    words.settings = Setting_fields(image);
    return words;
}

QString shown(const Image_field &field)
{
    return field.name == QLatin1String("Name") ? QLatin1Char('"') + field.value + QLatin1Char('"')
                                               : field.value;
}

QString summary(const QList<Image_field> &fields)
{
    QStringList parts;
    for (const Image_field &field : fields)
        parts.append(field.name + QLatin1Char(' ') + shown(field));
    return parts.join(QStringLiteral(", "));
}

// Field by field; the blocks that hold a difference are noted.
void compare_fields(const QList<Image_field> &a, const QList<Image_field> &b, QStringList &lines,
                    QSet<int> &blocks)
{
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].value == b[i].value)
            continue;
        lines.append(QStringLiteral("%1: %2: %3 -> %4")
                         .arg(a[i].section, a[i].name, shown(a[i]), shown(b[i])));
        blocks.insert(a[i].block);
    }
}

// The bytes of a block that differ, for blocks whose difference no field
// shows (bits the table does not show, rows that nothing shows).
QString byte_line(int block, const Data_image &a, const Data_image &b)
{
    QStringList bytes;
    for (int c = 0; c < Channel_file::Columns; ++c)
        if (a(block, c) != b(block, c))
            bytes.append(
                QStringLiteral("byte %1: %2 -> %3").arg(c).arg(a(block, c)).arg(b(block, c)));
    if (bytes.isEmpty())
        return {};
    const QString meaning = Verification::Block_meaning(block).english;
    const QString name = meaning == QStringLiteral("block %1").arg(block)
                             ? QStringLiteral("Block %1").arg(block)
                             : QStringLiteral("Block %1 (%2)").arg(block).arg(meaning);
    return name + QStringLiteral(": ") + bytes.join(QStringLiteral(", "));
}

} // namespace

int Run_diff(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("diff"), Help,
                   {QStringLiteral("需要两个要比较的文件。"),
                    QStringLiteral("Two files to compare are needed.")});
    if (const std::optional<int> status = line.parse(arguments, 2, 2))
        return *status;
    const QStringList paths = line.parser.positionalArguments();
    Data_image a, b;
    for (const auto &[path, image] : {std::pair{paths[0], &a}, std::pair{paths[1], &b}})
        if (const std::optional<QString> problem = Load_image(path, *image))
            return Fail(Exit_file, *problem);

    const Words from = words_of(a);
    const Words to = words_of(b);
    QStringList lines;
    QSet<int> shown_blocks;
    for (int channel = 1; channel <= Channel_count; ++channel) {
        const QList<Image_field> before = from.channels.value(channel);
        const QList<Image_field> after = to.channels.value(channel);
        const QString section = QStringLiteral("Channel %1: ").arg(channel);
        if (!before.isEmpty() && !after.isEmpty()) {
            compare_fields(before, after, lines, shown_blocks);
            continue;
        }
        if (before.isEmpty() && after.isEmpty())
            continue;
        lines.append(section + (before.isEmpty() ? QStringLiteral("empty -> ") + summary(after)
                                                 : summary(before) + QStringLiteral(" -> empty")));
        for (const Image_field &field : before + after)
            shown_blocks.insert(field.block);
    }
    compare_fields(from.settings, to.settings, lines, shown_blocks);
    for (int block = 0; block < Channel_file::Rows; ++block)
        if (!shown_blocks.contains(block))
            if (const QString bytes = byte_line(block, a, b); !bytes.isEmpty())
                lines.append(bytes);

    // Names come from the files: their control characters are shown, not sent.
    for (const QString &difference : lines)
        Say(Visible(difference));
    return lines.isEmpty() ? Exit_ok : Exit_differ;
}

} // namespace r7k::cli
