#pragma once

#include <QObject>

namespace r7k {

// Gives a new widget or action its control name, which tests and
// accessibility tools find it by: Named("Command_ok", new QPushButton(...)).
template <class Object> Object *Named(const char *name, Object *object)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

} // namespace r7k
