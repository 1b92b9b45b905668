#include "ui/logic/dialog_templates.h"

namespace lettrix {

namespace {

using K = ControlKind;

constexpr TemplateControl kMainControls[] = {
    {kNoId, K::Icon, "", {8, 8, 21, 20}, false},
    {kNoId, K::LabelRight, "File &Name:", {38, 4, 63, 12}, false},
    {IdFileName, K::Edit, "", {103, 4, 190, 12}, true},
    {kNoId, K::LabelRight, "Access Path:", {37, 19, 63, 12}, false},
    {IdAccessPath, K::Label, "", {103, 19, 217, 12}, false},
    {IdRecursive, K::CheckBox, "&Recursive search in subdirectories", {48, 29, 245, 12}, true},
    {kNoId, K::Label, "&Source Format:", {8, 46, 145, 11}, false},
    {IdSourceFormat, K::DropDownSorted, "", {8, 56, 155, 90}, true},
    {kNoId, K::Label, "&Target Format:", {173, 46, 145, 11}, false},
    {IdTargetFormat, K::DropDownSorted, "", {172, 56, 155, 90}, true},
    {kNoId, K::LabelRight, "Target Fo&lder:", {8, 74, 58, 10}, false},
    {IdTargetFolder, K::Edit, "", {68, 72, 212, 12}, true},
    {IdBrowse, K::PushButton, "&Browse...", {284, 71, 44, 14}, true},
    {kNoId, K::Label, "&Files:", {9, 90, 75, 10}, false},
    {IdFiles, K::ListMultiSorted, "", {9, 100, 144, 105}, true},
    {kNoId, K::Label, "&Directories:", {159, 90, 75, 10}, false},
    {IdDirectories, K::ListSorted, "", {160, 100, 73, 84}, true},
    {IdRootButton, K::PushButton, " [:\\]", {239, 100, 21, 38}, true},
    {IdParentButton, K::PushButton, " [..]", {239, 142, 21, 38}, true},
    {kNoId, K::Label, "Dri&ves:", {265, 90, 53, 10}, false},
    {IdDrives, K::ListUnsorted, "", {266, 100, 62, 84}, true},
    {IdHelp, K::PushButton, "&Help", {159, 188, 80, 16}, true},
    {IdExit, K::PushButton, "E&xit/Cancel", {248, 188, 80, 16}, true},
    {IdConvert, K::PushButton, "&Conversion", {159, 208, 170, 16}, true},
    {kNoId, K::Frame, "", {7, 208, 147, 15}, false},
    {kNoId, K::LabelRight, "Files", {8, 210, 20, 11}, false},
    {IdFileCount, K::LabelRight, "", {29, 210, 38, 11}, false},
    {kNoId, K::LabelRight, "Length", {71, 210, 22, 11}, false},
    {IdLength, K::LabelRight, "", {95, 210, 55, 11}, false},
    {IdProgressText, K::Label, "", {8, 229, 232, 10}, false},
    {IdProgress, K::ProgressBar, "", {8, 241, 232, 10}, false},
    {IdStop, K::PushButton, "St&op", {248, 233, 80, 16}, true},
};

constexpr TemplateControl kMessageControls[] = {
    {IdMessageOk, K::DefaultPushButton, "OK", {58, 78, 90, 14}, true},
    {kNoId, K::Frame, "", {23, 10, 161, 56}, false},
    {IdMessageText, K::LabelCentred, "", {28, 14, 152, 48}, false},
    {kNoId, K::Icon, "", {184, 72, 18, 20}, false},
};

}  // namespace

const DialogTemplate kMainDialogTemplate{"LETTRIXE", {28, 47, 335, 257}, kMainTitle, kMainControls};
const DialogTemplate kMessageDialogTemplate{"1001", {80, 85, 207, 98}, nullptr, kMessageControls};

const char* about_text() { return "Lettrix v. 7.5\nA little text converter\nfor some Macintosh text processors"; }

const TemplateControl* find_control(const DialogTemplate& t, int id) {
  if (id == kNoId) return nullptr;
  for (const TemplateControl& c : t.controls)
    if (c.id == id) return &c;
  return nullptr;
}

}  // namespace lettrix
