#pragma once

#include "core/bilingual.h"

class QDialog;
class QPushButton;
class QVBoxLayout;

namespace r7k {

// Adds the centred OK / Cancel row of a small dialog to its layout: OK is the
// default button, Cancel rejects the dialog. Returns the OK button, for the
// dialog to connect to its own confirmation.
QPushButton *Add_ok_cancel_row(QDialog *dialog, QVBoxLayout *layout, const char *ok_name,
                               const Bilingual &ok_caption, const char *cancel_name,
                               const Bilingual &cancel_caption);

} // namespace r7k
