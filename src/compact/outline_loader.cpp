// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/outline_loader.h"

#include <QFile>
#include <QImage>
#include <QMetaObject>
#include <QRegion>
#include <memory>

#include "compact/compact_window.h"
#include "data/data_state.h"
#include "gfx/image_io.h"
#include "gfx/region.h"

namespace orbisca {
namespace {

// "Floading.log", written line by line so that a failed run shows how far it got. It is handed
// from the worker to the user-interface thread, never written by both at once.
class LoaderLog {
public:
    explicit LoaderLog(const DataState& data) : data_(data) {}
    void start() {
        log_.start(data_.folder.resolve(QStringLiteral("Floading.log")));
        line(QStringLiteral("StartTime=") +
             programNow(data_.day).toString(QStringLiteral("hh:mm")));
    }
    void line(const QString& text) { log_.append(text); }
    void finish() {
        line(QStringLiteral("EndTime=") + programNow(data_.day).toString(QStringLiteral("hh:mm")));
        log_.close();
    }
    void fail() {
        line(QStringLiteral("ERROR!!!"));
        log_.close();
    }
    void close() { log_.close(); }

private:
    const DataState& data_;
    LineLog log_;
};

// What the worker hands to the user-interface thread.
struct LoaderResult {
    std::shared_ptr<LoaderLog> log;
    QRegion outline;
    QImage face;          // "graphic\pyr0.bmp", read ahead
    QString faceProblem;  // why the face could not be read; empty when it was
};

const QString kMaskFile = QStringLiteral("graphic\\pyrA0.bmp");
const QString kFaceFile = QStringLiteral("graphic\\pyr0.bmp");
// An outline smaller than this share of the face leaves too little of the window to see or use.
constexpr long long kMinOutlinePercent = 5;

void reportLoaderFailure(DataState& data, const QString& reason, const ErrorDetails& details = {}) {
    reportFatal(data, kErrorLoader, kSenderLoader, details, reason);
}

[[noreturn]] void failMask(const QString& reason) {
    throw FatalError(kErrorLoader, kSenderLoader, {QStringLiteral("filename:") + kMaskFile},
                     reason);
}

// The mask must fit the face pixel for pixel: the outline is cut for the face's picture.
void checkMaskSize(const QImage& mask, const QImage& face) {
    if (face.isNull() || mask.size() == face.size()) return;  // a face not read fails in its step
    failMask(QStringLiteral("the outline mask \"%1\" is %2 x %3 pixels, the face \"%4\" %5 x %6")
                 .arg(kMaskFile)
                 .arg(mask.width())
                 .arg(mask.height())
                 .arg(kFaceFile)
                 .arg(face.width())
                 .arg(face.height()));
}

// A window cut from an empty or nearly empty mask would show a few pixels and could be neither
// used nor closed.
void checkOutlineArea(const QImage& mask, const QRegion& outline) {
    const long long area = gfx::regionArea(outline);
    const long long whole = static_cast<long long>(mask.width()) * mask.height();
    if (area * 100 < whole * kMinOutlinePercent)
        failMask(QStringLiteral("the outline mask \"%1\" shows %2 of its %3 pixels, less than %4 %")
                     .arg(kMaskFile)
                     .arg(area)
                     .arg(whole)
                     .arg(kMinOutlinePercent));
}

// Steps 6 to 18 on the user-interface thread, each followed by its log line.
void applyOutline(DataState& data, CompactWindow& window, const LoaderResult& result) {
    LoaderLog& log = *result.log;
    const auto* step = std::begin(kLoaderWindowSteps);
    try {
        window.loaderSetPhase(CompactPhase::OutlineReady);
        const QRegion onePixel(0, 0, 1, 1);
        log.line(*step++);  // createrectrgn
        log.line(*step++);  // h <- rectangle region
        log.line(*step++);  // h <- copy of the outline
        if (!result.faceProblem.isEmpty()) throw gfx::ImageError(result.faceProblem.toStdString());
        window.loaderSetFace(result.face);
        log.line(*step++);
        window.loaderSetFrame(result.face);
        log.line(*step++);
        window.loaderSetRegion(onePixel);
        log.line(*step++);
        window.loaderCentre();
        log.line(*step++);
        log.line(*step++);  // createrectrgn
        log.line(*step++);  // lastcombine
        window.loaderSetRegion(result.outline);
        log.line(*step++);
        window.loaderStartTicks();
        log.line(*step++);
        log.line(*step++);  // terminate thread
        log.finish();
        data.startPhases.mark("outline applied");
    } catch (const std::exception& e) {
        log.fail();
        reportLoaderFailure(data, QString::fromUtf8(e.what()));
    }
}

}  // namespace

OutlineLoader::OutlineLoader(CompactWindow* window, DataState& data)
    : window_(window), data_(data) {
    thread_ = std::thread([this] { run(); });
}

OutlineLoader::~OutlineLoader() { stop(); }

void OutlineLoader::stop() {
    stopRequested_ = true;
    if (thread_.joinable()) thread_.join();
}

void OutlineLoader::wait() {
    if (thread_.joinable()) thread_.join();
}

void OutlineLoader::run() {
    auto log = std::make_shared<LoaderLog>(data_);
    log->start();
    try {
        LoaderResult result;
        result.log = log;
        log->line(kLoaderWorkerSteps[0]);
        log->line(kLoaderWorkerSteps[1]);
        const QImage mask = gfx::loadBitmap(data_.folder.resolve(kMaskFile));
        log->line(kLoaderWorkerSteps[2]);
        if (stopRequested_) throw std::runtime_error("stopped");
        try {
            result.face = gfx::loadBitmap(data_.folder.resolve(kFaceFile));
        } catch (const gfx::ImageError& e) {
            result.faceProblem = QString::fromUtf8(e.what());  // reported in its step
        }
        checkMaskSize(mask, result.face);
        result.outline = gfx::bitmapToRegion(mask, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
        checkOutlineArea(mask, result.outline);
        log->line(kLoaderWorkerSteps[3]);
        data_.startPhases.mark("outline (loader thread)");
        if (!stopRequested_) {
            QMetaObject::invokeMethod(
                window_,
                [window = window_, &data = data_, result] {
                    // The window closed meanwhile: nothing is left to shape.
                    if (window->state().closed)
                        result.log->close();
                    else
                        applyOutline(data, *window, result);
                },
                Qt::QueuedConnection);
        } else {
            log->close();
        }
    } catch (const std::exception& e) {
        if (stopRequested_) {
            log->close();
            return;
        }
        log->fail();
        const auto* fatal = dynamic_cast<const FatalError*>(&e);
        QMetaObject::invokeMethod(
            window_,
            [&data = data_, reason = QString::fromUtf8(e.what()),
             details = fatal ? fatal->details() : ErrorDetails{}] {
                reportLoaderFailure(data, reason, details);
            },
            Qt::QueuedConnection);
    }
}

}  // namespace orbisca
