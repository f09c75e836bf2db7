#include "channels/tab_text.h"

namespace r7k {

namespace {

constexpr QChar Tab = QLatin1Char('\t');
constexpr QChar Quote = QLatin1Char('"');
constexpr QChar Cr = QLatin1Char('\r');
constexpr QChar Lf = QLatin1Char('\n');

QString written(const QString &value)
{
    if (!value.contains(Tab) && !value.contains(Cr) && !value.contains(Lf) &&
        !value.contains(Quote))
        return value;
    QString quoted = value;
    quoted.replace(Quote, QStringLiteral("\"\""));
    return Quote + quoted + Quote;
}

} // namespace

Tab_rows Parse_tab_text(const QString &text, QChar separator)
{
    Tab_rows rows;
    QStringList row;
    QString value;
    bool quoted = false;
    bool value_begun = false; // a character of the value, or its opening quote, was read
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != Quote)
                value += c;
            else if (i + 1 < text.size() && text[i + 1] == Quote)
                value += text[++i];
            else
                quoted = false;
        } else if (c == separator) {
            row.append(value);
            value.clear();
            value_begun = false;
        } else if (c == Cr || c == Lf) {
            if (c == Cr && i + 1 < text.size() && text[i + 1] == Lf)
                ++i;
            row.append(value);
            rows.append(row);
            row.clear();
            value.clear();
            value_begun = false;
        } else {
            quoted = c == Quote && !value_begun;
            if (!quoted)
                value += c;
            value_begun = true;
        }
    }
    // The last line needs no line end.
    if (value_begun || !row.isEmpty()) {
        row.append(value);
        rows.append(row);
    }
    return rows;
}

QString Tab_text(const Tab_rows &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList values;
        for (const QString &value : row)
            values.append(written(value));
        text += values.join(Tab) + Lf;
    }
    return text;
}

} // namespace r7k
