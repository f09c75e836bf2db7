#pragma once

#include <QString>

namespace r7k {

// The band label of the model dialog for the model in force: each limit in
// shortest decimal form behind a blank of its own, "  136 --  470".
QString Model_band_label();

// Makes model `index` the selected model and its limits the band limits.
// An index outside the model table (nothing chosen) keeps the current model
// and returns false.
bool Select_model(int index);

} // namespace r7k
