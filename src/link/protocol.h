#pragma once

#include <QByteArray>

namespace r7k::Protocol {

// Bytes of the radio's serial protocol, shared by the program and the
// simulated radio.
inline constexpr char Ack = 0x06;
inline constexpr char Cr = 0x0D;
inline constexpr char Identify_code = 0x02;
inline constexpr char Start_code = 0x06;
inline constexpr char Read_code = 'R';
inline constexpr char Write_code = 'W';
inline constexpr char End_byte = 'E';
inline constexpr char Power_code = 'g';
inline constexpr char Leave_byte = 'b';
inline constexpr char Block_length = 0x10;

// Every command starts with these three bytes.
inline const QByteArray Prefix = QByteArrayLiteral("AT^");

// The word that opens the radio's programming mode: the same for every radio
// and every attempt, 8 upper-case letters.
inline const QByteArray Access_word = QByteArrayLiteral("ZRQPROGM");

// The radio model identifier; the handshake compares its first five bytes.
inline const QByteArray Radio_id = QByteArrayLiteral("ZRQ-47");
inline const QByteArray Radio_id_prefix = Radio_id.left(5);

} // namespace r7k::Protocol
