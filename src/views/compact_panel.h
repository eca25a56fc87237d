// SPDX-License-Identifier: GPL-3.0-or-later
// The compact window's panel, painted headless onto its face picture: the month lines, the
// plasma, tone, sign and guide pictures, their names and numbers, the moon of the day and the
// six affirmation lines. The window shows the result; tests and orbisca-cli call it directly.
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

#include "calendar/calendar.h"
#include "views/day_layout.h"

namespace orbisca {

class WorkingFolder;
struct FontTable;

// The centre line of centred texts and pictures.
inline constexpr int kPanelCentreX = kViewCentreX;
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

// One thing the panel painted, in order, with the box it takes: a text (its font's cell height
// by its width), a picture or the moon. Lets tests read what was drawn where.
struct PanelItem {
    enum Kind { Text, Picture, Moon } kind = Text;
    QString content;  // the text, or the picture's file name as the program writes it
    int x = 0;
    int y = 0;
    int font = 0;
    int width = 0;
    int height = 0;
};
using PanelTrace = std::vector<PanelItem>;

// The picture and mask file of a panel picture code: the element kind of a large sign, guide,
// tone or plasma (views/element_kinds.h), or plasma 0 for the day out of time; nothing for a code
// that has no picture.
struct PanelPictureFiles {
    QString picture;
    QString mask;
};
std::optional<PanelPictureFiles> panelPictureFiles(int code);

// Where the panel's words, pictures and fonts come from.
struct PanelSources {
    const WorkingFolder& folder;
    const FontTable& fonts;
};

// Draws a text of the font table onto the face, its cell's top-left corner at (x, y), with a
// transparent background. When centred, the left edge is 299 + x - width / 2. Returns the left
// edge.
int drawPanelText(const FontTable& fonts, QImage& face, int x, int y, const QString& text, int font,
                  bool centred, PanelTrace* trace = nullptr);
// The width of a text in a font of the font table.
int panelTextWidth(const FontTable& fonts, const QString& text, int font);

// Draws one picture of the panel through its mask. A code without picture, a missing file or a
// picture that does not fit throws FatalError (code 101, kSenderPanelPicture, the files and
// positions as details).
void drawPanelPicture(const WorkingFolder& folder, QImage& face, int x, int y, int code,
                      bool centred, PanelTrace* trace = nullptr);

// Paints the whole panel of a position onto `face`, starting from the frame bitmap. A failure
// throws FatalError: a text database or a picture that cannot be read as such (code 101), anything
// else as code 103, kSenderPanelFace, with the texts being drawn as details.
void paintPanel(const PanelSources& sources, QImage& face, const PanelPictures& pictures,
                const MayanDate& position, PanelTrace* trace = nullptr);

}  // namespace orbisca
