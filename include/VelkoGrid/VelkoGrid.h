/// \file
/// VelkoGrid: the one header an application includes. It brings in the grid with its column
/// model, the host layer's objects an application touches (components, colours, fonts,
/// pictures, string lists, form files, streams, the user's settings, datasets, the
/// application object, conversions and regional settings) and the shared definitions, so that later moves between the library's folders
/// never reach application code.
///
/// \code
/// #include <VelkoGrid/VelkoGrid.h>
///
/// auto* grid = new vg::TVelkoGrid(nullptr, parentWidget);
/// \endcode
#pragma once

// The host layer.
#include "platform/app/Application.h"
#include "platform/app/InputTypes.h"
#include "platform/app/Messages.h"
#include "platform/app/Screen.h"
#include "platform/app/Timer.h"
#include "platform/controls/CustomListBox.h"
#include "platform/controls/HintWindow.h"
#include "platform/core/ClassRegistry.h"
#include "platform/core/Collection.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/ControlEnums.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/FormFile.h"
#include "platform/core/Persistent.h"
#include "platform/core/Registry.h"
#include "platform/core/SparseStrings.h"
#include "platform/core/Stream.h"
#include "platform/core/Strings.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Types.h"
#include "platform/data/DataSet.h"
#include "platform/data/ItemModelDataSet.h"
#include "platform/data/SqlQueryDataSet.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/TextLayout.h"
#include "platform/graphics/WinDraw.h"
#include "platform/hostgrid/StringGrid.h"
#include "platform/locale/Conversions.h"
#include "platform/locale/DateTime.h"
#include "platform/locale/FormatSettings.h"

// Shared definitions, the column model and the drawing routines cells are painted with.
#include "common/VgBorderDraw.h"
#include "common/VgColumn.h"
#include "common/VgCsv.h"
#include "common/VgDisplayFormat.h"
#include "common/VgDrawText.h"
#include "common/VgGlobal.h"

// The editor layer and the grids.
#include "editor/VgEdit.h"
#include "editor/VgHintWindow.h"
#include "editor/VgPopupList.h"
#include "grid/VgGrid.h"
#include "grid/VgHGrid.h"

// Design time: the colour dialog, the columns editor and the design-time editors, which
// the Qt Designer plugin uses and applications may show too.
#include "design/VgAbout.h"
#include "design/VgColors.h"
#include "design/VgDialog.h"
#include "design/VgMessages.h"
#include "design/VgProp.h"
#include "design/VgReg.h"
