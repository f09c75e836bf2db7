#include "cli/port_mappings.h"

#include "cli/report.h"
#include "link/port_map.h"

namespace r7k::cli {

namespace {

const QString Port_option = QStringLiteral("port");

} // namespace

void Add_port_mapping_option(Verb_line &line)
{
    line.parser.addOption({Port_option, QString(), QStringLiteral("COMn=PATH")});
}

std::optional<int> Map_ports(const Verb_line &line)
{
    for (const QString &value : line.parser.values(Port_option)) {
        const std::optional<Port_map::Mapping> mapping = Port_map::Parse_mapping(value);
        if (!mapping || mapping->port_no < Port_map::First_port ||
            mapping->port_no > Port_map::Last_port)
            return line.usage_error(
                In_language(
                    {QStringLiteral("--port 取 COMn=路径，n 为 1 到 8，而不是“%1”。"),
                     QStringLiteral("--port takes COMn=PATH with n from 1 to 8, not '%1'.")})
                    .arg(value));
        Port_map::Set_mapping(mapping->port_no, mapping->device);
    }
    return std::nullopt;
}

} // namespace r7k::cli
