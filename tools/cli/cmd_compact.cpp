// orbisca-cli compact: the compact window's panel for a day, painted without a window.
#include <QGuiApplication>
#include <QString>
#include <memory>

#include "calendar/calendar_state.h"
#include "cli.h"
#include "compact/compact_panel.h"
#include "data/font_table.h"
#include "data/notifier.h"
#include "data/working_folder.h"
#include "gfx/image_io.h"
#include "iso_date.h"

namespace orbisca::cli {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Fonts need a GUI application; without a display it paints offscreen.
std::unique_ptr<QGuiApplication> guiApplication() {
    static int argc = 1;
    static char name[] = "orbisca-cli";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runCompact(const Args& input) {
    Args args = input;
    const std::string dateText = takeOption(args, "--date");
    const std::string home = takeOption(args, "--home");
    const std::string output = takeOption(args, "-o");
    expectNoMoreArgs(args);
    if (output.empty()) throw UsageError("compact needs -o FILE.png");
    GregorianDate date = GetGregorianDate(calendarState().clock());
    if (!dateText.empty()) date = ParseIsoDate(dateText);
    const auto app = guiApplication();
    if (!home.empty()) setWorkingFolder(qs(home));
    QImage face;
    try {
        readfonts();
        const PanelPictures pictures{gfx::LoadBitmap(resolvePath("graphic\\pyr0.bmp")),
                                     gfx::LoadBitmap(resolvePath("graphic\\moon.bmp"))};
        FILLPYR(face, pictures, GregorianToMayan(date));
        gfx::SaveImage(face, qs(output));
    } catch (const FailureReported&) {
        throw CommandFailed(notifierState().messages.join("; ").toStdString());
    } catch (const std::exception& e) {
        throw CommandFailed(e.what());
    }
    return 0;
}

CommandRegistration compact{
    {"compact", "compact [--date YYYY-MM-DD] [--home DIR] -o FILE.png", runCompact}};

}  // namespace
}  // namespace orbisca::cli
