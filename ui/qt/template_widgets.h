// Widgets from the dialog templates: dialog units to pixels with the dialog
// font's metrics, one widget per control, and the program's icon.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>

#include <vector>

#include "ui/logic/dialog_templates.h"
#include "ui/logic/window_placement.h"

class QWidget;

namespace lettrix {

// The base units of a font: average character width and height in pixels.
DialogBaseUnits base_units(const QFont& font);

// A template rectangle in pixels.
QRect to_pixels(const Rect& dlu, DialogBaseUnits base);

// Creates the widget of one control as a child of parent, placed and sized
// from the template, its object name the control id. Labels with a mnemonic
// get their buddy later (set_buddies).
QWidget* create_control(const TemplateControl& item, DialogBaseUnits base, QWidget* parent);

// Each label with a mnemonic gives the focus to the next control that takes it,
// and the controls are chained in template order for the Tab key.
void link_controls(const DialogTemplate& t, const std::vector<QWidget*>& widgets);

// The program's icon, drawn at the given size.
QPixmap program_icon(int size);

}  // namespace lettrix
