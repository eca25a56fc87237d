// The compact window's panel, painted headless onto its face picture: the month lines, the
// plasma, tone, sign and guide pictures, their names and numbers, the moon of the day and the
// six affirmation lines. The window shows the result; tests and orbisca-cli call it directly.
#pragma once

#include <QImage>
#include <QString>
#include <exception>
#include <optional>
#include <vector>

#include "calendar/calendar.h"

namespace orbisca {

// Thrown after a failure has been reported through writeerror: the running routine stops at once
// and the caller only unwinds, so one fault gives one message.
class FailureReported : public std::exception {
public:
    const char* what() const noexcept override { return "failure already reported"; }
};

// The centre line of centred texts and pictures.
inline constexpr int kPanelCentreX = 299;
// A tone and sign line wider than this is split into two lines.
inline constexpr int kToneSignLineWidth = 217;
// Where the moon of the day stands and the side of its drawing.
inline constexpr int kPanelMoonX = 390;
inline constexpr int kPanelMoonY = 216;
inline constexpr int kPanelMoonSize = 60;

// The pictures the panel is painted from: the frame bitmap (the background of every repaint)
// and the moon picture, and which way the moon is seen.
struct PanelPictures {
    QImage frame;
    QImage moon;
    bool mirroredMoon = false;  // the moon as seen from the southern hemisphere
};

// One thing the panel painted, in order: a text with its font and top-left corner, or a picture
// with its file and top-left corner. Lets tests read what was drawn where.
struct PanelItem {
    enum Kind { Text, Picture, Moon } kind = Text;
    QString content;  // the text, or the picture's file name as the program writes it
    int x = 0;
    int y = 0;
    int font = 0;
};
using PanelTrace = std::vector<PanelItem>;

// The picture and mask file of a DRAWSIGNP code; nothing for a code that has no picture.
struct SignPictureFiles {
    QString picture;
    QString mask;
};
std::optional<SignPictureFiles> signPictureFiles(int code);

// Draws a text of the font table onto the face, its cell's top-left corner at (x, y), with a
// transparent background. When centred, the left edge is 299 + x - width / 2. Returns the left
// edge.
int panelText(QImage& face, int x, int y, const QString& text, int font, bool centred,
              PanelTrace* trace = nullptr);
// The width of a text in a font of the font table.
int panelTextWidth(const QString& text, int font);

// Draws one picture of the panel through its mask. A code without picture, a missing file or a
// picture that does not fit is reported (code 101, "DRAWSIGNP in orbisca") and FailureReported
// thrown.
void DRAWSIGNP(QImage& face, int x, int y, int code, bool centred, PanelTrace* trace = nullptr);

// Draws the moon of a phase (0..100) at (390, 216): the moon picture shows where the disc is lit.
// `mirrored` turns the lit side around (the moon as seen from the southern hemisphere).
void drawPanelMoon(QImage& face, const QImage& moonPicture, int phase, bool mirrored);

// Paints the whole panel of a position onto `face`, starting from the frame bitmap. A failure is
// reported once (code 103, "FILLPYR in orbisca", or the code of the routine that failed) and
// FailureReported thrown.
void FILLPYR(QImage& face, const PanelPictures& pictures, const MayanDate& position,
             PanelTrace* trace = nullptr);

}  // namespace orbisca
