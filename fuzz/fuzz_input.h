#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// A fuzz input read as two streams of choices: one from its front, one from
// its back, until they meet. Once the input is used up every choice is the
// first one, so that a short input still makes a whole run.
class Fuzz_input {
public:
    enum End { Front, Back };

    Fuzz_input(const std::uint8_t *bytes_in, std::size_t size) : data(bytes_in), back(size) {}

    bool used_up() const { return front >= back; }

    int byte(End end = Front)
    {
        return used_up() ? 0 : end == Front ? data[front++] : data[--back];
    }

    // A choice among n, 0..n-1.
    int below(int n, End end = Front) { return n > 0 ? byte(end) % n : 0; }

    // A length of time: in small steps up to 127 ms, then in tenths of a
    // second up to 12.8 s, which is longer than any time-out of the link.
    int duration_ms(End end = Front)
    {
        const int b = byte(end);
        return b < 128 ? b : (b - 127) * 100;
    }

    QByteArray bytes(qsizetype count, End end = Front)
    {
        QByteArray taken;
        for (qsizetype i = 0; i < count; ++i)
            taken += char(byte(end));
        return taken;
    }

private:
    const std::uint8_t *data;
    std::size_t front = 0;
    std::size_t back;
};
