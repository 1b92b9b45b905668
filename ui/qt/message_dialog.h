// The message dialog (template 1001) and window centring.
#pragma once

#include <QString>

class QWidget;

namespace lettrix {

// Shows text in the modal message dialog owned by owner, titled "Lettrix",
// and returns when the user closes it. Text that does not fit the template's
// text field makes the dialog grow (up to about half the screen).
int show_message(QWidget* owner, const QString& text);

// Centres window on reference (on its screen when reference is null), kept
// on the screen; the size and stacking order stay.
void center_window(QWidget* window, QWidget* reference);

}  // namespace lettrix
