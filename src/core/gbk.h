#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// GBK, the code of Chinese channel names in the radio and in channel lists
// saved on Chinese systems, whatever code page the computer itself uses.
namespace r7k::Gbk {

// The GBK bytes of `text`; nothing when a character has no GBK code.
std::optional<QByteArray> Encode(QStringView text);

// The text of GBK bytes; nothing when they are not GBK.
std::optional<QString> Decode(QByteArrayView bytes);

} // namespace r7k::Gbk
