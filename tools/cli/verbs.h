#pragma once

#include <QStringList>

namespace r7k::cli {

// The verbs of r7k, each given the arguments after its name; each returns
// the exit status.
int Run_read(const QStringList &arguments);
int Run_write(const QStringList &arguments);
int Run_verify(const QStringList &arguments);
int Run_show(const QStringList &arguments);
int Run_diff(const QStringList &arguments);
int Run_export_csv(const QStringList &arguments);
int Run_import_csv(const QStringList &arguments);
int Run_ports(const QStringList &arguments);
int Run_detect(const QStringList &arguments);

} // namespace r7k::cli
