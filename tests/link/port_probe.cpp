// Opens a device as the program's serial line and prints, in English, why
// it could not: the port tests run it as a user who may not use the device.
#include "core/globals.h"
#include "link/port_map.h"
#include "link/qt_serial_line.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: port_probe DEVICE\n", stderr);
        return 2;
    }
    r7k::Language = false;
    r7k::Port_map::Set_mapping(1, QString::fromLocal8Bit(argv[1]));
    r7k::Qt_serial_line line;
    if (line.open(1)) {
        std::puts("opened");
        return 1;
    }
    std::puts(qPrintable(line.error_text()));
    return 0;
}
