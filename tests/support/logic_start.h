#pragma once

#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"

// What the logic needs before a test without windows: the tone and model
// tables, the first model, English texts and an image as after start-up.
inline void Start_logic()
{
    r7k::Language = false;
    r7k::Model_no = 0;
    r7k::Init_tone_table();
    r7k::Init_model_table();
    r7k::Reset_image();
}
