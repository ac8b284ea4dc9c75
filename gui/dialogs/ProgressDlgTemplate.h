// Template 137 of the progress dialog: caption, size and controls in dialog units.
#pragma once

enum class ProgressControlKind { ProgressBar, Static, DefaultButton };

struct PROGRESS_CONTROL {
    int id;
    ProgressControlKind kind;
    const char* text;
    int x, y, width, height; // dialog units
};

constexpr int IDD_PROGRESS = 137;
constexpr int IDC_PROGRESS_BAR = 1090;
constexpr int IDC_PERCENT = 1091;
constexpr int IDC_PROGRESS_MESSAGE = 1092;
constexpr int IDC_PROGRESS_CANCEL = 2; // the cancel command

inline constexpr char PROGRESS_CAPTION[] = "Progress";
constexpr int PROGRESS_WIDTH = 179;
constexpr int PROGRESS_HEIGHT = 95;

inline constexpr PROGRESS_CONTROL PROGRESS_CONTROLS[] = {
    {IDC_PROGRESS_BAR, ProgressControlKind::ProgressBar, "", 30, 45, 120, 15},
    {IDC_PERCENT, ProgressControlKind::Static, "0 %", 80, 30, 29, 12},
    {IDC_PROGRESS_MESSAGE, ProgressControlKind::Static, "", 15, 10, 150, 15},
    {IDC_PROGRESS_CANCEL, ProgressControlKind::DefaultButton, "Cancel", 65, 70, 54, 16},
};
