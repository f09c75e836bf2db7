#pragma once

#include "core/bilingual.h"

#include <QString>

namespace r7k {

enum class Channel_file_dialog_kind { Open, Save };

enum class File_name_problem {
    None,
    Invalid_character, // "*", "$", "\", "/" or "#": wildcards and path separators
    Wrong_suffix,      // not ending in ".chann" or ".CHANN"
};

// Checks a name typed into a channel file dialog; blanks around it do not count.
File_name_problem Check_file_name(const QString &name);

// What the dialog of that kind tells the user about the problem.
Bilingual File_name_message(Channel_file_dialog_kind kind, File_name_problem problem);

// The file `name` (blanks around it dropped) in directory `directory`.
QString Channel_file_path(const QString &directory, const QString &name);

} // namespace r7k
