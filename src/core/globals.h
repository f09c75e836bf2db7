#pragma once

#include "core/bilingual.h"

#include <QString>
#include <array>

namespace r7k {

// Where the image's channels came from last.
struct Image_source {
    enum Kind {
        Start_up, // the start-up fill
        File,     // `file`: a channel file loaded or saved, or a CSV file imported
        Radio,    // a read from the radio
    };
    Kind kind = Start_up;
    QString file;
    bool operator==(const Image_source &) const = default;
};

// The windows that the program's commands open. Those before Adjust_txp have
// an entry in Open_flags: the language switch closes and reopens them, in
// this order.
enum class Window_id {
    About,
    Option,
    Chann,
    Setup,
    Type,
    Save_chann,
    Open_chann,
    Comm_read,
    Comm_write,
    Adjust_txp,
    Comm_verify,
    Export_csv,
    Import_csv,
    Open_backup, // the open-channel-file dialog in the backup folder
    Print_sheet,
    Export_pdf,
};
inline constexpr int Open_flag_count = int(Window_id::Adjust_txp);

// Program-wide settings. None of them is remembered between runs; start-up
// sets every one of them (see MainWindow).
extern qint16 Port_no;                 // serial port 1..8, shown as COM1..COM8
extern bool Port_error;                // the last attempt to open the port failed
extern qint16 Model_no;                // index into Model_name, 0..6
extern double Freq_low;                // band limits of the selected model, MHz
extern double Freq_high;               //
extern bool Language;                  // true = Chinese, false = English
extern QString Version;                // "Ver" and the project's version, "Ver1.4"
extern Image_source Image_origin;      // where the image came from last
extern std::array<int, 4> Bcd_scratch; // left by Freq_text_to_bcd and the like
extern std::array<QString, 6> About_text;

inline bool Has_open_flag(Window_id window)
{
    return int(window) < Open_flag_count;
}

// Fills About_text in the current language.
void Set_about_texts();

} // namespace r7k
