#include "core/stream_codes.h"

namespace lettrix {

const char* code_name(std::uint8_t code) {
  switch (code) {
    case TableChar: return "TableChar";
    case Reserved21: return "Reserved21";
    case ClearAllTabs: return "ClearAllTabs";
    case BoldOn: return "BoldOn";
    case BoldOff: return "BoldOff";
    case UnderlineOn: return "UnderlineOn";
    case UnderlineOff: return "UnderlineOff";
    case SubscriptOn: return "SubscriptOn";
    case SubscriptOff: return "SubscriptOff";
    case SuperscriptOn: return "SuperscriptOn";
    case SuperscriptOff: return "SuperscriptOff";
    case CenterOn: return "CenterOn";
    case CenterOff: return "CenterOff";
    case StrikeOn: return "StrikeOn";
    case StrikeOff: return "StrikeOff";
    case ItalicOn: return "ItalicOn";
    case ItalicOff: return "ItalicOff";
    case HiddenOn: return "HiddenOn";
    case HiddenOff: return "HiddenOff";
    case PageNumber: return "PageNumber";
    case HardSpace: return "HardSpace";
    case Backspace: return "Backspace";
    case SoftHyphen: return "SoftHyphen";
    case CapsOn: return "CapsOn";
    case CapsOff: return "CapsOff";
    case ShadowOn: return "ShadowOn";
    case ShadowOff: return "ShadowOff";
    case SpareAttrOn: return "SpareAttrOn";
    case SpareAttrOff: return "SpareAttrOff";
    case DoubleUnderlineOn: return "DoubleUnderlineOn";
    case DoubleUnderlineOff: return "DoubleUnderlineOff";
    case JustifyOn: return "JustifyOn";
    case JustifyOff: return "JustifyOff";
    case RightOn: return "RightOn";
    case RightOff: return "RightOff";
    case SmallCapsOn: return "SmallCapsOn";
    case SmallCapsOff: return "SmallCapsOff";
    case OutlineOn: return "OutlineOn";
    case OutlineOff: return "OutlineOff";
    case FieldOpen: return "FieldOpen";
    case FieldClose: return "FieldClose";
    case ColumnControl:
    case ColumnControl50:
    case ColumnControl51: return "ColumnControl";
    case LeftOn: return "LeftOn";
    case Backslash: return "Backslash";
    case EndOfText: return "EndOfText";
    case SetTab: return "SetTab";
    case ClearTab: return "ClearTab";
    case StyleSheet: return "StyleSheet";
    case ParaStyle: return "ParaStyle";
    case LeftMargin: return "LeftMargin";
    case RightMargin: return "RightMargin";
    case IndentHere: return "IndentHere";
    case Indent2: return "Indent2";
    case IndentReset: return "IndentReset";
    case ParaValue8E: return "ParaValue8E";
    case Font: return "Font";
    case FontSize: return "FontSize";
    case CharSet: return "CharSet";
    case LineSpacing: return "LineSpacing";
    case ParaValue97: return "ParaValue97";
    case Columns: return "Columns";
    case HeaderEven: return "HeaderEven";
    case HeaderOdd: return "HeaderOdd";
    case HeaderAll: return "HeaderAll";
    case FooterEven: return "FooterEven";
    case FooterOdd: return "FooterOdd";
    case FooterAll: return "FooterAll";
    case NoteCall: return "NoteCall";
    case BorderOn: return "BorderOn";
    case BorderOff: return "BorderOff";
    case Picture: return "Picture";
    case TextColour: return "TextColour";
    default: return nullptr;
  }
}

}  // namespace lettrix
