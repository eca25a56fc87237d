// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli compact: the compact window's panel for a day, painted without a window.
#include <QString>

#include "calendar/calendar_state.h"
#include "cli.h"
#include "data/working_folder.h"
#include "gfx/font_table.h"
#include "gfx/image_io.h"
#include "views/compact_panel.h"

namespace orbisca::cli {
namespace {

int runCompact(CommandContext& context, const Args& input) {
    Args args = input;
    const std::string dateText = takeOption(args, "--date");
    const std::string output = takeOption(args, "-o");
    expectNoMoreArgs(args);
    if (output.empty()) throw UsageError("compact needs -o FILE.png");
    const GregorianDate date = dateText.empty() ? context.today() : dateArgument(dateText);
    startGuiApplication(context.program);
    try {
        ProgramState& program = context.program;
        const WorkingFolder& folder = program.data.folder;
        loadSettings(program.data);  // the moon as the user's hemisphere sees it
        program.fonts.load(folder);
        const PanelPictures pictures{gfx::loadBitmap(folder.resolve("graphic\\pyr0.bmp")),
                                     gfx::loadBitmap(folder.resolve("graphic\\moon.bmp")),
                                     program.data.settings.southernMoon()};
        QImage face;
        paintPanel({folder, program.fonts}, face, pictures, gregorianToMayan(date));
        savePicture(face, output);
    } catch (const CommandFailed&) {
        throw;
    } catch (const std::exception& e) {
        throw CommandFailed(printable(QString::fromUtf8(e.what())));
    }
    return 0;
}

CommandRegistration compact{{"compact", "compact [--date YYYY-MM-DD] -o FILE.png", runCompact}};

}  // namespace
}  // namespace orbisca::cli
