#include "compact/outline_loader.h"

#include <QFile>
#include <QImage>
#include <QMetaObject>
#include <QRegion>
#include <memory>

#include "compact/compact_window.h"
#include "data/error_log.h"
#include "data/working_folder.h"
#include "gfx/image_io.h"
#include "gfx/region.h"

namespace orbisca {
namespace {

// "Floading.log", written line by line so that a failed run shows how far it got. It is handed
// from the worker to the user-interface thread, never written by both at once.
class LoaderLog {
public:
    void start() {
        log_.start(resolvePath(QStringLiteral("Floading.log")));
        line(QStringLiteral("StartTime=") + programNow().toString(QStringLiteral("hh:mm")));
    }
    void line(const QString& text) { log_.append(text); }
    void finish() {
        line(QStringLiteral("EndTime=") + programNow().toString(QStringLiteral("hh:mm")));
        log_.close();
    }
    void fail() {
        line(QStringLiteral("ERROR!!!"));
        log_.close();
    }
    void close() { log_.close(); }

private:
    LineLog log_;
};

// What the worker hands to the user-interface thread.
struct LoaderResult {
    std::shared_ptr<LoaderLog> log;
    QRegion outline;
    QImage face;          // "graphic\pyr0.bmp", read ahead
    QString faceProblem;  // why the face could not be read; empty when it was
};

void reportLoaderFailure(const QString& reason) {
    reportFatal(kErrorLoader, QStringLiteral("orbisca window fx loader"), {}, reason);
}

// Steps 6 to 18 on the user-interface thread, each followed by its log line.
void applyOutline(CompactWindow& window, const LoaderResult& result) {
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
        window.tickTimer().start();
        log.line(*step++);
        log.line(*step++);  // terminate thread
        log.finish();
    } catch (const std::exception& e) {
        log.fail();
        reportLoaderFailure(QString::fromUtf8(e.what()));
    }
}

}  // namespace

OutlineLoader::OutlineLoader(CompactWindow* window) : window_(window) {
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
    auto log = std::make_shared<LoaderLog>();
    log->start();
    try {
        LoaderResult result;
        result.log = log;
        log->line(kLoaderWorkerSteps[0]);
        log->line(kLoaderWorkerSteps[1]);
        const QImage mask = gfx::LoadBitmap(resolvePath(QStringLiteral("graphic\\pyrA0.bmp")));
        log->line(kLoaderWorkerSteps[2]);
        if (stopRequested_) throw std::runtime_error("stopped");
        result.outline = gfx::BitmapToRegion(mask, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
        log->line(kLoaderWorkerSteps[3]);
        try {
            result.face = gfx::LoadBitmap(resolvePath(QStringLiteral("graphic\\pyr0.bmp")));
        } catch (const gfx::ImageError& e) {
            result.faceProblem = QString::fromUtf8(e.what());  // reported in its step
        }
        if (!stopRequested_) {
            QMetaObject::invokeMethod(
                window_,
                [window = window_, result] {
                    // The window closed meanwhile: nothing is left to shape.
                    if (window->state().closed)
                        result.log->close();
                    else
                        applyOutline(*window, result);
                },
                Qt::QueuedConnection);
        } else {
            log->close();
        }
    } catch (const std::exception& e) {
        if (stopRequested_) {
            log->close();
        } else {
            log->fail();
            QMetaObject::invokeMethod(
                window_, [reason = QString::fromUtf8(e.what())] { reportLoaderFailure(reason); },
                Qt::QueuedConnection);
        }
    }
}

}  // namespace orbisca
