#pragma once

#include "core/bilingual.h"
#include "core/image.h"

#include <QString>
#include <optional>

namespace r7k {

// A channel name holds up to 8 characters, each stored as its GBK code in two
// cells of the channel's name row (high byte first; a one-byte character has
// high byte 0). Code 0 ends the name. The rules work on the program's image
// unless they are given another.
inline constexpr int Name_length = 8;

// The name of a channel as stored, leading and trailing blanks removed.
QString Channel_name(int channel, const Data_image &image = chann);

// Whether a text holds a control character (a line break, a tab ...), which
// no channel name may hold.
bool Has_control_character(const QString &text);

// Stores the first 8 characters of `text` (leading and trailing blanks
// removed) as the channel's name. A name with a control character (a tab, a
// line end ...) or a character that GBK cannot hold is refused: the stored
// name stays as it was and the message for the user is returned.
std::optional<Bilingual> Store_channel_name(int channel, const QString &text,
                                            Data_image &image = chann);

// The notice that a name text is longer than a name holds and is cut to
// what Store_channel_name keeps; nothing when it fits.
std::optional<Bilingual> Name_cut_notice(const QString &text);

// Empties the channel's name.
void Clear_channel_name(int channel, Data_image &image = chann);

} // namespace r7k
