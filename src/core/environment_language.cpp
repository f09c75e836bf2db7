#include "core/environment_language.h"

#include <QString>
#include <QtGlobal>

namespace r7k {

bool Environment_prefers_chinese()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (!qEnvironmentVariableIsEmpty(name))
            return qEnvironmentVariable(name).startsWith(QLatin1String("zh"));
    return false;
}

} // namespace r7k
