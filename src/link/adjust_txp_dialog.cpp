#include "link/adjust_txp_dialog.h"

#include "core/image.h"
#include "ui/dialog_placement.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Caption{QStringLiteral("发射功率调整"), QStringLiteral("Power Adjust")};
const Bilingual Close_text{QStringLiteral("关闭"), QStringLiteral("Close")};

// Low, mid and high: the bar, its value label, its caption label.
const struct {
    const char *bar;
    const char *value;
    const char *caption_name;
    Bilingual caption;
} Levels[3] = {
    {"HScroll_L", "Label_L", "Label_Low", {QStringLiteral("低功率"), QStringLiteral("Low Power")}},
    {"HScroll_M", "Label_M", "Label_Mid", {QStringLiteral("中功率"), QStringLiteral("Mid Power")}},
    {"HScroll_H",
     "Label_H",
     "Label_High",
     {QStringLiteral("高功率"), QStringLiteral("High Power")}},
};

constexpr int Level_max = 255;
constexpr int Level_column = 3; // the level changed last

// "High Power 200": the level the last frame changed and its value.
Bilingual last_level()
{
    const int index = qBound(0, int(chann(Power_row, Level_column)), 2);
    const QString value = QString::number(chann(Power_row, index));
    return {Levels[index].caption.chinese + QLatin1Char(' ') + value,
            Levels[index].caption.english + QLatin1Char(' ') + value};
}

} // namespace

Form_Adjust_Txp::Form_Adjust_Txp(QWidget *parent, Link_parts link_parts)
    : Link_dialog(parent, "Form_Adjust_Txp", Caption, std::move(link_parts))
{
    link = std::make_unique<Power_engine>(*parts.line, *parts.timers, *this, chann);

    auto *grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        auto *caption = new QLabel(Levels[i].caption.text(), this);
        caption->setObjectName(QLatin1String(Levels[i].caption_name));
        values[i] = new QLabel(QStringLiteral("0"), this);
        values[i]->setObjectName(QLatin1String(Levels[i].value));
        values[i]->setMinimumWidth(
            values[i]->fontMetrics().horizontalAdvance(QStringLiteral("000")));
        bars[i] = new QScrollBar(Qt::Horizontal, this);
        bars[i]->setObjectName(QLatin1String(Levels[i].bar));
        bars[i]->setRange(0, Level_max);
        connect(bars[i], &QScrollBar::valueChanged, this, [this, i](int value) {
            values[i]->setText(QString::number(value));
            link->set_level(i, value);
        });
        grid->addWidget(caption, i, 0);
        grid->addWidget(bars[i], i, 1);
        grid->addWidget(values[i], i, 2);
    }
    grid->setColumnStretch(1, 1);

    QPushButton *close_button = make_button("Command_Close", Close_text);
    QPushButton *help = make_help_button();
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_button);
    buttons->addWidget(help);
    sent = new QLabel(this);
    sent->setObjectName(QStringLiteral("Label_sent"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sent);
    layout->addWidget(progress);
    layout->addStretch();
    layout->addLayout(buttons);

    Dialog_placement::Size_from_main_window(this, 1.8, 2);
    Dialog_placement::Place_by_divisors(this, 2, 3);
    link->opened();
}

void Form_Adjust_Txp::levels_received()
{
    for (int i = 0; i < 3; ++i)
        bars[i]->setValue(chann(Power_row, i));
}

void Form_Adjust_Txp::power_frame_answered(bool acknowledged)
{
    const Bilingual level = last_level();
    if (acknowledged) {
        sent->setText(Bilingual{QStringLiteral("已发送：") + level.chinese,
                                QStringLiteral("Sent: ") + level.english}
                          .text());
        return;
    }
    sent->clear();
    show_message({QStringLiteral("对讲机没有确认%1，连接已断开 ！").arg(level.chinese),
                  QStringLiteral("The radio did not acknowledge %1; the link is closed.")
                      .arg(level.english)},
                 Operate_prompt(), {});
}

void Form_Adjust_Txp::closeEvent(QCloseEvent *event)
{
    end_link();
    event->accept();
}

void Form_Adjust_Txp::end_link()
{
    link->leave();
}

} // namespace r7k
