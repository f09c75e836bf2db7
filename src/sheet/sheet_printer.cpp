#include "sheet/sheet_printer.h"

#include "sheet/sheet_content.h"

#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace r7k {

namespace {

const Bilingual Exported{QStringLiteral("信道表已导出为 PDF 文件 ！"),
                         QStringLiteral("The channel sheet has been exported as a PDF file.")};
const Bilingual Not_written{QStringLiteral("无法写入 PDF 文件 ！"),
                            QStringLiteral("The PDF file cannot be written.")};

constexpr double Margin_mm = 15;
// Sizes in points. Lines have a height of their own, so that where a page
// breaks does not depend on the fonts a computer has.
constexpr double Title_points = 14;
constexpr double Text_points = 8.5;
constexpr double Title_height_points = 22;
constexpr double Row_height_points = 12.5;
constexpr double Points_per_inch = 72;
// Shares of the page width the table's columns take, in the grid's order.
constexpr double Column_share[] = {0.07, 0.115, 0.115, 0.125, 0.125, 0.09, 0.09, 0.12, 0.15};

// A font with Chinese characters where the system has one.
QFont sheet_font(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Microsoft YaHei")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Where the lines of the sheet go, measured in the device's units.
class Sheet_layout {
public:
    Sheet_layout(QPainter &on_painter, const Channel_sheet &of_sheet, QSizeF page_size)
        : painter(on_painter), sheet(of_sheet), page(page_size)
    {
        const double unit = painter.device()->logicalDpiY() / Points_per_inch;
        row = Row_height_points * unit;
        title_height = Title_height_points * unit;
        for (double share : Column_share)
            columns.append(share * page.width());
    }

    // The channel lines on each page, and whether the features need a page
    // of their own after the last.
    QList<int> paginate(bool &features_apart) const
    {
        const int lines = qMax(int(sheet.channels.size()), 1);
        // At least one line a page, however small the paper.
        const int per_page = qMax(1, int((page.height() - top_of_table()) / row));
        QList<int> pages;
        for (int left = lines; left > 0; left -= per_page)
            pages.append(qMin(left, per_page));
        const double used = top_of_table() + pages.last() * row;
        features_apart = used + features_height() > page.height();
        return pages;
    }

    void paint_page(int number, int count)
    {
        double y = 0;
        painter.setFont(title_font);
        painter.drawText(QRectF(0, y, page.width(), title_height), Qt::AlignLeft | Qt::AlignVCenter,
                         sheet.title);
        painter.setFont(text_font);
        painter.drawText(QRectF(0, y, page.width(), title_height),
                         Qt::AlignRight | Qt::AlignVCenter,
                         sheet.page_pattern.arg(number).arg(count));
        y += title_height;
        QStringList facts;
        for (const Channel_sheet::Item &fact : sheet.facts)
            facts.append(fact.label + QStringLiteral(": ") + fact.value);
        painter.drawText(QRectF(0, y, page.width(), row), Qt::AlignLeft | Qt::AlignVCenter,
                         facts.join(QStringLiteral("    ")));
        y += row;
        painter.drawLine(QPointF(0, y), QPointF(page.width(), y));
    }

    // The table's headings, then `count` channel lines from `first` on.
    void paint_channels(int first, int count)
    {
        double y = top_of_table() - row;
        painter.setFont(bold_font);
        paint_cells(sheet.headings, y);
        painter.drawLine(QPointF(0, y + row), QPointF(page.width(), y + row));
        painter.setFont(text_font);
        if (sheet.channels.isEmpty()) {
            painter.drawText(QRectF(0, y + row, page.width(), row),
                             Qt::AlignLeft | Qt::AlignVCenter, sheet.no_channels);
            return;
        }
        for (int i = first; i < first + count; ++i)
            paint_cells(sheet.channels[i], y += row);
    }

    // The features under a heading, in two columns, from `y` down.
    void paint_features(double y)
    {
        y += row / 2;
        painter.setFont(bold_font);
        painter.drawText(QRectF(0, y, page.width(), row), Qt::AlignLeft | Qt::AlignVCenter,
                         sheet.features_title);
        painter.setFont(text_font);
        const qsizetype half = (sheet.features.size() + 1) / 2;
        for (qsizetype i = 0; i < sheet.features.size(); ++i) {
            const Channel_sheet::Item &feature = sheet.features[i];
            const double x = i < half ? 0 : page.width() / 2;
            const double line_y = y + row * double(1 + i % half);
            painter.drawText(QRectF(x, line_y, page.width() / 2, row),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             feature.label + QStringLiteral(": ") + feature.value);
        }
    }

    double top_of_table() const { return title_height + 2 * row + row / 2; }
    double rows_height(int lines) const { return lines * row; }

private:
    double features_height() const
    {
        return row / 2 + row * double(1 + (sheet.features.size() + 1) / 2);
    }

    void paint_cells(const QStringList &texts, double y)
    {
        double x = 0;
        for (int column = 0; column < columns.size(); ++column) {
            const QRectF cell(x, y, columns[column], row);
            const QString text = painter.fontMetrics().elidedText(
                texts.value(column), Qt::ElideRight, int(cell.width()));
            painter.drawText(cell, Qt::AlignCenter, text);
            x += columns[column];
        }
    }

    QPainter &painter;
    const Channel_sheet &sheet;
    QSizeF page;
    const QFont title_font = sheet_font(Title_points, true);
    const QFont text_font = sheet_font(Text_points, false);
    const QFont bold_font = sheet_font(Text_points, true);
    double row = 0;
    double title_height = 0;
    QList<double> columns;
};

} // namespace

QPageLayout Sheet_page_layout()
{
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(Margin_mm, Margin_mm, Margin_mm, Margin_mm),
                       QPageLayout::Millimeter);
}

int Paint_channel_sheet(QPagedPaintDevice &device, const Channel_sheet &sheet)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    Sheet_layout layout(painter, sheet, QSizeF(device.width(), device.height()));
    bool features_apart = false;
    const QList<int> pages = layout.paginate(features_apart);
    const int count = int(pages.size()) + (features_apart ? 1 : 0);
    int first = 0;
    for (int page = 0; page < pages.size(); ++page) {
        if (page > 0)
            device.newPage();
        layout.paint_page(page + 1, count);
        layout.paint_channels(first, pages[page]);
        first += pages[page];
    }
    double features_at = layout.top_of_table() + layout.rows_height(pages.last());
    if (features_apart) {
        device.newPage();
        layout.paint_page(count, count);
        features_at = layout.top_of_table() - layout.rows_height(1);
    }
    layout.paint_features(features_at);
    painter.end();
    return count;
}

Sheet_export Export_channel_sheet(const QString &path)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter writer(&file);
        writer.setPageLayout(Sheet_page_layout());
        writer.setCreator(QStringLiteral("r7k-cps"));
        if (Paint_channel_sheet(writer, Make_channel_sheet(QDate::currentDate())) > 0 &&
            file.commit())
            return {true, Exported, {}};
    }
    return {false, Not_written, file.errorString()};
}

} // namespace r7k
