#include "core/globals.h"

namespace r7k {

qint16 Port_no = 1;
bool Port_error = false;
qint16 Model_no = 0;
double Freq_low = 136;
double Freq_high = 470;
bool Language = true;
QString Version = QStringLiteral("Ver" R7K_VERSION);
Image_source Image_origin;
std::array<int, 4> Bcd_scratch{};
std::array<QString, 6> About_text;

QString Bilingual::text() const
{
    return Language ? chinese : english;
}

const Bilingual &Operate_prompt()
{
    static const Bilingual title{QStringLiteral("操作提示"), QStringLiteral("Operate prompt")};
    return title;
}

} // namespace r7k
