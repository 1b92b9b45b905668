// The two dialog templates as plain data: LETTRIXE, the conversion dialog,
// and 1001, the message dialog. Positions are in dialog units; the order of
// the controls is the tab order. The front end draws them with its toolkit.
#pragma once

#include <cstddef>
#include <span>

#include "ui/logic/window_placement.h"

namespace lettrix {

inline constexpr int kNoId = -1;  // a control nothing refers to

// Controls of the conversion dialog.
enum MainControlId {
  IdHelp = 55,
  IdRecursive = 56,
  IdSourceFormat = 105,
  IdTargetFormat = 106,
  IdConvert = 107,
  IdExit = 108,
  IdRootButton = 126,
  IdParentButton = 127,
  IdFileCount = 19129,
  IdLength = 19130,
  IdAccessPath = 19131,
  IdFiles = 19132,
  IdDirectories = 19133,
  IdDrives = 19134,
  IdFileName = 19135,
  IdTargetFolder = 19136,  // empty: each target beside its source
  IdBrowse = 19137,        // opens the desktop's folder chooser
  IdProgressText = 19138,  // "12 of 40: archive/letter" while a batch runs
  IdProgress = 19139,
  IdStop = 19140,          // ends the batch after the file being converted
};

// Controls of the message dialog.
enum MessageControlId { IdMessageOk = 101, IdMessageText = 19128 };

enum class ControlKind {
  Icon,              // the program's icon
  Label,             // left-aligned text
  LabelRight,        // right-aligned text
  LabelCentred,      // centred text
  Edit,              // bordered one-line edit field
  CheckBox,          // toggles itself
  DropDownSorted,    // drop-down list, not editable, sorted
  ListMultiSorted,   // list, sorted, a click toggles an item's selection
  ListSorted,        // list, sorted, single selection
  ListUnsorted,      // list, single selection, kept in insertion order
  PushButton,
  DefaultPushButton,
  Frame,             // a plain frame around other controls
  ProgressBar,
};

struct TemplateControl {
  int id;
  ControlKind kind;
  const char* text;  // "&" marks the mnemonic letter
  Rect dlu;
  bool tab_stop;
};

struct DialogTemplate {
  const char* name;
  Rect dlu;           // position and size of the dialog
  const char* title;  // null when set at run time
  std::span<const TemplateControl> controls;
};

extern const DialogTemplate kMainDialogTemplate;     // "LETTRIXE"
extern const DialogTemplate kMessageDialogTemplate;  // 1001

inline constexpr const char* kMainTitle = "Lettrix - A Little Text Converter";
inline constexpr const char* kMessageTitle = "Lettrix";

// The About box text: three lines separated by line feeds.
const char* about_text();

// The control of the template with this id, or null.
const TemplateControl* find_control(const DialogTemplate& t, int id);

}  // namespace lettrix
