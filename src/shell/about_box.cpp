#include "shell/about_box.h"

#include "core/globals.h"
#include "shell/system_info.h"
#include "ui/dialog_placement.h"
#include "ui/messages.h"
#include "ui/named.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace r7k {

namespace {

const Bilingual Title{QStringLiteral("关于"), QStringLiteral("About")};
const Bilingual No_system_info{QStringLiteral("此时系统信息不可用"),
                               QStringLiteral("此时系统信息不可用")};

// The box's width, as wide as a short paragraph reads comfortably.
constexpr int Width_twips = 7200;

QLabel *text_label(const char *name, const QString &text, QWidget *parent)
{
    auto *label = Named(name, new QLabel(text, parent));
    label->setWordWrap(true);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Title.text());

    auto *picture = Named("picIcon", new QLabel(this));
    picture->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QLabel *title = text_label("lblTitle", About_text[0], this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QLabel *disclaimer = text_label("lblDisclaimer", About_text[3], this);
    disclaimer->setFrameShape(QFrame::StyledPanel);

    auto *ok = Named("cmdOK", new QPushButton(About_text[4], this));
    auto *system_info = Named("cmdSysInfo", new QPushButton(About_text[5], this));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(system_info, &QPushButton::clicked, this, &frmAbout::start_system_info);

    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(text_label("lblVersion", About_text[1], this));
    texts->addWidget(text_label("lblDescription", About_text[2], this));
    texts->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(system_info);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);

    const int width = Dialog_placement::Twips_to_pixels(Width_twips, this);
    const int height = heightForWidth(width);
    resize(width, height > 0 ? height : sizeHint().height());
    Dialog_placement::Place_above_centre(this, 500);
}

void frmAbout::start_system_info()
{
    const std::optional<Program_launch> tool = System_info_tool();
    if (!tool || !QProcess::startDetached(tool->program, tool->arguments))
        Messages::show_without_icon(No_system_info, Operate_prompt());
}

} // namespace r7k
