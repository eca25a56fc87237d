// SPDX-License-Identifier: GPL-3.0-or-later
// orbisca-cli page: the placement of a canvas on a printer page, as the page setup computes and
// shows it. The options after --page and --canvas act in the order given, like clicks and typing
// in the setup window, starting from the window as it is first shown.
#include <QString>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <utility>

#include "cli.h"
#include "page_args.h"
#include "printpage/page_geometry.h"

namespace orbisca::cli {
namespace {

const std::pair<const char*, PageField> kFieldNames[] = {{"left", PageField::Left},
                                                         {"top", PageField::Top},
                                                         {"width", PageField::Width},
                                                         {"height", PageField::Height},
                                                         {"scale", PageField::Scale}};

const std::pair<const char*, PageUnit> kUnitSuffixes[] = {
    {"px", PageUnit::Pixels}, {"cm", PageUnit::Centimetres}, {"in", PageUnit::Inches}};

struct PageRun {
    PageGeometry geometry;
    PageMetrics metrics;
    QSize canvas;
};

// "--set width=12,5cm": the unit suffix switches the field's unit box, then the number is typed.
void setField(PageRun& run, const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    const std::string name = assignment.substr(0, equals);
    const auto field = std::find_if(std::begin(kFieldNames), std::end(kFieldNames),
                                    [&](const auto& f) { return name == f.first; });
    if (equals == std::string::npos || field == std::end(kFieldNames))
        throw UsageError("--set needs left, top, width, height or scale=VALUE, not \"" +
                         assignment + "\"");
    std::string value = assignment.substr(equals + 1);
    for (const auto& [suffix, unit] : kUnitSuffixes) {
        if (value.size() < 2 || value.compare(value.size() - 2, 2, suffix) != 0) continue;
        if (field->second == PageField::Scale)
            throw UsageError("the scale is in per cent, not \"" + value + "\"");
        setFieldUnit(run.geometry, field->second, unit);
        value.resize(value.size() - 2);
    }
    if (field->second == PageField::Scale && !value.empty() && value.back() == '%')
        value.pop_back();
    const std::optional<QString> refused = editPageField(
        run.geometry, field->second, QString::fromStdString(value), run.metrics, run.canvas);
    if (!refused) return;
    // A field the placement sets itself says which switch frees it.
    const char* hint = !pageFieldEnabled(run.geometry, field->second)
                           ? (run.geometry.fit ? " (use --no-fit)" : " (use --no-center)")
                           : "";
    throw UsageError(refused->toStdString() + hint);
}

// Landscape and portrait turn the page (and its paper) when it stands the other way.
void turnPage(PageRun& run, bool landscape) {
    const QSize page = run.metrics.page;
    if ((page.width() > page.height()) == landscape || page.width() == page.height()) return;
    run.metrics.page = page.transposed();
    run.metrics.paperCm = run.metrics.paperCm.transposed();
    run.metrics.dotsPerInch = run.metrics.dotsPerInch.transposed();
    placeOnPage(run.geometry, run.metrics.page, run.canvas);
}

void applyAction(PageRun& run, Args& args) {
    const std::string action = takeFirstArg(args, "");
    const QSize page = run.metrics.page;
    if (action == "--set")
        setField(run, takeFirstArg(args, "--set needs a FIELD=VALUE"));
    else if (action == "--fit" || action == "--no-fit")
        switchFit(run.geometry, action == "--fit", page, run.canvas);
    else if (action == "--center" || action == "--no-center")
        switchCentre(run.geometry, action == "--center", page);
    else if (action == "--landscape" || action == "--portrait")
        turnPage(run, action == "--landscape");
    else
        expectNoMoreArgs({action});  // names an unknown option as such
}

int runPage(CommandContext& /*context*/, const Args& input) {
    Args args = input;
    const std::string pageText = takeOption(args, "--page");
    const std::string canvasText = takeOption(args, "--canvas");
    const std::string dpiText = takeOption(args, "--dpi");
    if (pageText.empty() || canvasText.empty())
        throw UsageError("page needs --page WIDTHxHEIGHT and --canvas WIDTHxHEIGHT");
    const double dpi =
        dpiText.empty() ? kPrinterDotsPerInch : parseInteger(dpiText, "--dpi", 1, 100'000);
    PageRun run{PageGeometry{},
                wholePaperMetrics(parseSize(pageText, "--page", kMaxPrintPixels), dpi),
                parseSize(canvasText, "--canvas", kMaxPrintPixels)};
    placeOnPage(run.geometry, run.metrics.page, run.canvas);  // the window is shown
    while (!args.empty()) applyAction(run, args);
    for (const auto& [name, field] : kFieldNames)
        std::printf("%s: %s\n", name,
                    pageFieldText(run.geometry, field, run.metrics).toUtf8().constData());
    flushOutput();
    return 0;
}

CommandRegistration page{{"page",
                          "page --page WxH --canvas WxH [--dpi N] [--set "
                          "left|top|width|height|scale=VALUE[px|cm|in]]... "
                          "[--fit] [--no-fit] [--center] [--no-center] [--landscape] [--portrait]",
                          runPage}};

}  // namespace
}  // namespace orbisca::cli
