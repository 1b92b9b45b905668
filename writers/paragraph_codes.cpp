#include "writers/paragraph_codes.h"

#include "core/stream_codes.h"

namespace lettrix {

// (SetTab also marks the table's sentinel, which the RTF writer's tab loop
// stops at; IndentHere and IndentReset keep indent_flag as the emitter does.)
bool apply_paragraph_code(ParaState& ps, TabTable& tabs, std::uint8_t& border, const StreamItem& item) {
  switch (item.value) {
    case CenterOn: ps.centre = 1; break;
    case CenterOff: ps.centre = 0; break;
    case JustifyOn: ps.justify = 1; break;
    case JustifyOff: ps.justify = 0; break;
    case RightOn: ps.right = 1; break;
    case RightOff: ps.right = 0; break;
    case LeftOn: ps.left = 1; break;
    case SetTab:
      tabs.entries[item.op2] = item.op1;
      tabs.entries[TabTable::kSentinel] = 255;
      break;
    case ClearTab: tabs.entries[item.op2] = 0; break;
    case ClearAllTabs:
      for (int column = 0; column < TabTable::kColumns; ++column) tabs.entries[column] = 0;
      break;
    case LeftMargin: ps.left_margin = item.op2; break;
    case RightMargin: ps.right_margin = item.op2; break;
    case IndentHere:
      ps.hanging_indent = item.op2;
      ps.indent_flag = 1;
      break;
    case Indent2: ps.second_indent = item.op2; break;
    case IndentReset:
      ps.hanging_indent = 0;
      ps.second_indent = 0;
      ps.indent_flag = 0;
      break;
    case LineSpacing: ps.line_spacing = item.op2; break;
    case BorderOn: border = item.op1; break;
    case BorderOff: border = 0; break;
    default: return false;
  }
  return true;
}

}  // namespace lettrix
