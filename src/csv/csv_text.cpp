#include "csv/csv_text.h"

namespace r7k {

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Comma = u',';
constexpr QChar Cr = u'\r';
constexpr QChar Lf = u'\n';
constexpr QChar Comment = u'#';

// Walks a text record by record, counting lines.
class Csv_scanner {
public:
    Csv_scanner(QStringView csv, QChar separator) : text(csv), comma(separator) {}

    bool at_end() const { return pos >= text.size(); }

    // The record that starts here; a comment line yields no fields.
    Csv_record next()
    {
        Csv_record record{line, {}};
        if (peek() == Comment) {
            while (!at_end() && !at_line_end())
                ++pos;
            skip_line_end();
            return record;
        }
        for (;;) {
            record.fields.append(field());
            if (peek() != comma)
                break;
            ++pos;
        }
        skip_line_end();
        return record;
    }

private:
    QChar peek() const { return at_end() ? QChar() : text[pos]; }
    bool at_line_end() const { return peek() == Cr || peek() == Lf; }

    void skip_line_end()
    {
        if (peek() == Cr)
            ++pos;
        if (peek() == Lf)
            ++pos;
        ++line;
    }

    // A field up to the next separator or line end. A quote opens a quoted part
    // only at the start of the field; text after the closing quote belongs
    // to the field, as spreadsheets read it.
    QString field()
    {
        QString value;
        bool quoted = false;
        const qsizetype start = pos;
        while (!at_end()) {
            const QChar ch = text[pos];
            if (quoted) {
                ++pos;
                if (ch == Quote && peek() == Quote) {
                    value += Quote;
                    ++pos;
                } else if (ch == Quote) {
                    quoted = false;
                } else {
                    count_line_break(ch);
                    value += ch;
                }
            } else if (ch == comma || ch == Cr || ch == Lf) {
                break;
            } else {
                if (ch == Quote && pos == start)
                    quoted = true;
                else
                    value += ch;
                ++pos;
            }
        }
        return value;
    }

    // A line break inside quotes: CR LF counts once.
    void count_line_break(QChar ch)
    {
        if (ch == Lf || (ch == Cr && peek() != Lf))
            ++line;
    }

    QStringView text;
    const QChar comma;
    qsizetype pos = 0;
    int line = 1;
};

// Neither a comment nor a record of empty fields.
bool is_data(const QStringList &fields)
{
    if (!fields.isEmpty() && fields[0].trimmed().startsWith(Comment))
        return false;
    for (const QString &field : fields)
        if (!field.trimmed().isEmpty())
            return true;
    return false;
}

bool needs_quotes(const QString &field)
{
    return field.contains(Comma) || field.contains(Quote) || field.contains(Cr) ||
           field.contains(Lf);
}

} // namespace

QList<Csv_record> Read_csv(QStringView text, QChar separator)
{
    QList<Csv_record> records;
    Csv_scanner scanner(text, separator);
    while (!scanner.at_end()) {
        Csv_record record = scanner.next();
        if (is_data(record.fields))
            records.append(std::move(record));
    }
    return records;
}

QString Csv_line(const QStringList &fields)
{
    QStringList written;
    for (const QString &field : fields) {
        if (needs_quotes(field))
            written.append(Quote + QString(field).replace(Quote, QStringLiteral("\"\"")) + Quote);
        else
            written.append(field);
    }
    return written.join(Comma) + QStringLiteral("\r\n");
}

} // namespace r7k
