#include "cli/model_argument.h"

#include "cli/report.h"
#include "core/tables.h"

namespace r7k::cli {

std::optional<int> Model_named(const QString &argument)
{
    bool number = false;
    const int index = argument.toInt(&number);
    if (number)
        return index >= 0 && index < Model_count ? std::optional(index) : std::nullopt;
    for (int model = 0; model < Model_count; ++model)
        if (Model_name[model].compare(argument.trimmed(), Qt::CaseInsensitive) == 0)
            return model;
    return std::nullopt;
}

QString Not_a_model(const QString &argument)
{
    return In_language({QStringLiteral("--model 取 0..%1 或机型名称，而不是“%2”。"),
                        QStringLiteral("--model takes 0..%1 or a model's name, not '%2'.")})
        .arg(Model_count - 1)
        .arg(argument);
}

} // namespace r7k::cli
