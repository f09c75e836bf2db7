#include "channels/paste_report.h"

#include "channels/channel_record.h"

namespace r7k {

namespace {

const Bilingual Not_pasted{QStringLiteral("以下数值未粘贴："),
                           QStringLiteral("These values were not pasted:")};
const Bilingual Cut_names{QStringLiteral("以下名称被截短："),
                          QStringLiteral("These names were cut:")};
const Bilingual Value_line{QStringLiteral("信道 %1，%2：%3（%4）"),
                           QStringLiteral("Channel %1, %2: %3 (%4)")};
const Bilingual More_lines{QStringLiteral("……另有 %1 个"), QStringLiteral("... and %1 more")};
const Bilingual Outside_table{QStringLiteral("%1 个数值超出信道表"),
                              QStringLiteral("%1 values lie outside the table")};
const Bilingual Unreadable{
    QStringLiteral("剪贴板中的文本不是信道表，未粘贴任何数值 ！"),
    QStringLiteral("The text on the clipboard cannot be read as channels; nothing was pasted.")};

// A long list would make a box taller than the screen.
constexpr int Listed_at_most = 20;

void add_line(Bilingual &text, const Bilingual &pattern, const QString &argument)
{
    text.chinese += QLatin1Char('\n') + pattern.chinese.arg(argument);
    text.english += QLatin1Char('\n') + pattern.english.arg(argument);
}

// A heading, then at most Listed_at_most lines and how many more there are.
template <typename Lines> Bilingual section(const Bilingual &heading, const Lines &lines)
{
    Bilingual text = heading;
    for (const auto &line : lines.mid(0, Listed_at_most)) {
        const Bilingual column = Column_title(line.column);
        const QString channel = QString::number(line.channel);
        // One pass over the pattern: a value may hold a "%1" of its own.
        text.chinese += QLatin1Char('\n') + Value_line.chinese.arg(channel, column.chinese,
                                                                   line.value, line.reason.chinese);
        text.english += QLatin1Char('\n') + Value_line.english.arg(channel, column.english,
                                                                   line.value, line.reason.english);
    }
    if (lines.size() > Listed_at_most)
        add_line(text, More_lines, QString::number(lines.size() - Listed_at_most));
    return text;
}

} // namespace

void Paste_report::refused(int channel, int column, const QString &value, const Bilingual &reason,
                           bool readable)
{
    refusals.append({channel, column, value, reason});
    any_readable = any_readable || readable;
}

void Paste_report::cut(int channel, const QString &value, const Bilingual &notice)
{
    cuts.append({channel, Name_column, value, notice});
}

std::optional<Bilingual> Paste_report::message() const
{
    if (stored_values == 0 && !refusals.isEmpty() && !any_readable)
        return Unreadable;
    std::optional<Bilingual> text;
    if (!refusals.isEmpty() || outside > 0) {
        text = section(Not_pasted, refusals);
        if (outside > 0)
            add_line(*text, Outside_table, QString::number(outside));
    }
    if (!cuts.isEmpty()) {
        const Bilingual names = section(Cut_names, cuts);
        text = text ? Bilingual{text->chinese + QLatin1Char('\n') + names.chinese,
                                text->english + QLatin1Char('\n') + names.english}
                    : names;
    }
    return text;
}

} // namespace r7k
