// The demo page of the column model: a sample set of columns and headings as the grid
// will describe its columns, with their properties, the form file they are stored in,
// and a few values formatted under the user's regional settings.
#pragma once

#include <QWidget>

namespace vg::demo {

QWidget* CreateColumnModelPage();

} // namespace vg::demo
