// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's 65 texts from BASE.KTX: menu items, button captions and hints, labels and
// the window captions of the print manager and the page setup window. Entry k (1..65) is line
// 483 + k for k 1..41, 586 + k for 42..49, 596 + k for 50..55 and 614 + k for 56..65.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace orbisca {

class WorkingFolder;

// The entries the windows use, by what they name.
enum class Caption : int {
    CanvasWidth = 1,
    CanvasHeight = 2,
    Background = 3,
    NewImage = 4,
    NewText = 5,
    NewFont = 6,
    ZoomIn = 7,
    Instruction = 8,
    AddLine = 11,
    Load = 14,
    Save = 15,
    Show = 16,
    PrintMenu = 17,
    PrintingScript = 20,
    Setup = 21,
    Blur = 22,
    ScriptMenu = 23,
    IncreaseResolution = 24,
    DecreaseResolution = 25,
    ModeMenu = 26,
    ZoomOut = 27,
    ExportMenu = 28,
    ExportAsText = 29,
    Sample = 30,
    NewMoon = 31,
    SetupPortrait = 33,
    SetupLandscape = 34,
    SetupWindow = 35,
    PrintManagerWindow = 36,
    ExportDay = 42,
    ExportTone = 43,
    ExportSign = 44,
    ExportPlasm = 45,
    ExportOracle = 46,
    ExportYear = 47,
    ExportMonth = 48,
    ExportWavespell = 49,
    Creative = 50,
    Easy = 51,
    Optimize = 52,
    ExportKinBook = 53,
    BlackAndWhite = 54,
    ScreenScale = 55,
    PrintWithDialog = 56,
    PrintNow = 57,
    SaveImage = 58,
    TextColour = 59,
    EditMenu = 60,
    NextDay = 61,
    PreviousDay = 62,
    Executing = 63,
    AutoOptimize = 64,
    AutoBlur = 65,
};

inline constexpr int kCaptionCount = 65;

// The BASE.KTX line (from 0) of entry k, 1..65; -1 outside.
std::int32_t captionLine(int entry);

class CaptionTable {
public:
    // Reads the 65 lines from BASE.KTX (the text cache keeps them); a missing line is "". An
    // unreadable BASE.KTX throws FatalError (code 101) from the text database reader.
    static CaptionTable load(const WorkingFolder& folder);

    const QString& operator[](Caption entry) const { return at(static_cast<int>(entry)); }
    const QString& at(int entry) const;  // "" outside 1..65

private:
    std::array<QString, kCaptionCount + 1> texts_;  // index 0 unused
};

}  // namespace orbisca
