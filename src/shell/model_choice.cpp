#include "shell/model_choice.h"

#include "core/conversions.h"
#include "core/globals.h"
#include "core/tables.h"

namespace r7k {

QString Model_band_label()
{
    const QString blank(QLatin1Char(' '));
    return blank + blank + Number_text(Freq_low) + QStringLiteral(" -- ") + blank +
           Number_text(Freq_high);
}

bool Select_model(int index)
{
    if (index < 0 || index >= Model_count)
        return false;
    Freq_low = Band_limit[index];
    Freq_high = Band_limit[index + Model_count];
    Model_no = qint16(index);
    return true;
}

} // namespace r7k
